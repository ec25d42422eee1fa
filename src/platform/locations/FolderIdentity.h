#pragma once

#include <QString>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace velk::platform::locations {

// What a path names, however it is spelled: through a link, or through a
// bind mount, which shows the same device and inode at another path.
struct EntryIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const EntryIdentity&) const = default;
};

// The identity of the entry `path` names, links followed; none when there is
// no such entry or it cannot be read.
std::optional<EntryIdentity> entryIdentity(const QString& path);

// A folder to keep whole, known by its real path and by the identities of it
// and of each of its ancestors, so that a folder that is it or holds it is
// recognised whichever path names it.
class GuardedFolder {
public:
    GuardedFolder() = default;
    // `realPath` as SafeFolders::realPath gives it; a part of it that does
    // not exist has no identity.
    explicit GuardedFolder(const QString& realPath);

    const QString& path() const { return m_path; }
    // Whether the entry at the real path `real`, of `identity`, is this folder.
    bool isNamedBy(const QString& real, const std::optional<EntryIdentity>& identity) const;
    // Whether it is this folder or one of its ancestors.
    bool isHeldBy(const QString& real, const std::optional<EntryIdentity>& identity) const;

private:
    QString m_path;
    std::optional<EntryIdentity> m_identity;
    std::vector<EntryIdentity> m_ancestors;
};

} // namespace velk::platform::locations
