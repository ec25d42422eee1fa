#include "platform/files/FileRemoverLinux.h"

#include "platform/files/FolderCursor.h"
#include "platform/locations/CanonicalPath.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace velk::platform::files::removal {
namespace {

// A folder whose emptying removed something is listed again, in case the
// removals disturbed its listing; a few passes at most.
constexpr int kMaxPasses = 4;

// Empties a folder without recursion: each folder is listed, its files
// unlinked and its folders entered; a folder is removed once its listing
// ends with nothing left in it.
class TreeEmptier {
public:
    // True when everything below the folder is gone.
    bool run(core::UniqueFd folder, const EntryAttributes& attributes, std::string path)
    {
        m_root = path;
        m_cursor.start(std::move(folder), attributes, std::move(path), true, true);
        m_levels.assign(1, Level{});
        while (!m_cursor.atEnd()) {
            const struct dirent64* entry = m_cursor.next();
            if (entry) {
                removeEntry(*entry);
                continue;
            }
            Level& level = m_levels.back();
            if (level.removedThisPass && level.passes < kMaxPasses && m_cursor.fd() >= 0) {
                level.removedThisPass = false;
                ++level.passes;
                m_cursor.restart();
                continue;
            }
            if (m_cursor.fd() < 0)
                fail(nullptr, {RemovalReason::SystemError, 0, QStringLiteral("could not be opened again")});
            if (m_cursor.depth() == 0) {
                if (!m_cursor.complete())
                    fail(nullptr, {RemovalReason::SystemError, 0, QStringLiteral("could not be listed to its end")});
                return !m_levels.back().failed && m_cursor.complete();
            }
            leaveFolder();
        }
        return false;
    }

    std::int64_t freedBytes() const { return m_freed; }
    // The first entry that stayed and why (no failure text when none did).
    const RemovalResult& failure() const { return m_failure; }

private:
    struct Level {
        bool removedThisPass = false;
        bool failed = false;
        int passes = 0;
    };

    // The entry `name` of the current folder (the folder itself when null)
    // stays: its level fails, and the first such entry is remembered.
    void fail(const char* name, const Refusal& why)
    {
        m_levels.back().failed = true;
        if (!m_failure.failure.isEmpty())
            return;
        std::string path = m_root;
        for (const std::string& folder : m_folderNames)
            path += '/' + folder;
        if (name)
            path += '/' + std::string(name);
        m_failure = refused(path, why);
    }

    // The current folder is listed to its end: go back to its parent and
    // remove it there, if it is still the folder that was emptied.
    void leaveFolder()
    {
        const std::string name = m_cursor.name();
        const FileIdentity identity = m_cursor.attributes().identity;
        const bool failed = m_levels.back().failed;
        m_cursor.ascend();
        m_levels.pop_back();
        m_folderNames.pop_back();
        Level& parent = m_levels.back();
        const int fd = m_cursor.fd();
        if (failed || fd < 0) {
            parent.failed = true;
            return;
        }
        const auto now = readAttributes(fd, name.c_str());
        if (!now) {
            if (errno != ENOENT)
                fail(name.c_str(), systemRefusal(errno));
            return;
        }
        if (now->identity != identity)
            fail(name.c_str(), {RemovalReason::NotAsScanned, 0, QStringLiteral("another folder now has this name")});
        else if (::unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0)
            fail(name.c_str(), systemRefusal(errno));
        else
            parent.removedThisPass = true;
    }

    void removeEntry(const struct dirent64& entry)
    {
        const char* name = entry.d_name;
        if (entry.d_type == DT_DIR && enterFolder(name, nullptr))
            return;
        const int fd = m_cursor.fd();
        const auto attributes = readAttributes(fd, name);
        if (!attributes) {
            if (errno != ENOENT)
                fail(name, systemRefusal(errno));
            return;
        }
        if (attributes->kind == EntryKind::Directory) {
            if (!enterFolder(name, &*attributes))
                fail(name, {RemovalReason::NotAsScanned, 0, QStringLiteral("a folder that turned into something else")});
            return;
        }
        // A file mounted over another (a bind mount) is not ours.
        if (crossesMount(*attributes, m_cursor.stamp())) {
            fail(name, openRefusal(OpenStatus::MountPoint, 0));
            return;
        }
        if (::unlinkat(fd, name, 0) == 0) {
            m_freed += bytesFreedByUnlinking(*attributes);
            m_levels.back().removedThisPass = true;
        } else if (errno != ENOENT) {
            fail(name, systemRefusal(errno));
        }
    }

    // Enters folder `name`; true when it is entered or needs nothing more
    // (gone). A mount point or a folder that cannot be opened marks the
    // level failed; something other than a folder gives false.
    bool enterFolder(const char* name, const EntryAttributes* known)
    {
        const OpenStatus status = m_cursor.descend(name, known);
        switch (status) {
        case OpenStatus::Opened:
            m_levels.emplace_back();
            m_folderNames.emplace_back(name);
            return true;
        case OpenStatus::Gone:
            return true;
        case OpenStatus::NotFolder:
            return false;
        case OpenStatus::MountPoint:
        case OpenStatus::Changed:
        case OpenStatus::NoDescriptors:
        case OpenStatus::Unreadable:
            fail(name, openRefusal(status, errno));
            return true;
        }
        return true;
    }

    FolderCursor m_cursor;
    std::vector<Level> m_levels;
    // Names of the folders entered below the root, outermost first.
    std::vector<std::string> m_folderNames;
    std::string m_root;
    std::int64_t m_freed = 0;
    RemovalResult m_failure;
};

} // namespace

Refusal systemRefusal(int error)
{
    return {RemovalReason::SystemError, error, errorText(error)};
}

RemovalResult refused(std::string_view path, const Refusal& why)
{
    RemovalResult result;
    result.failure = QFile::decodeName(QByteArray(path.data(), qsizetype(path.size()))) + QStringLiteral(": ") + why.text;
    result.reason = why.reason;
    result.error = why.error;
    return result;
}

QString errorText(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

Refusal openRefusal(OpenStatus status, int error)
{
    switch (status) {
    case OpenStatus::MountPoint:
        return {RemovalReason::MountPoint, 0, QStringLiteral("a mount point, which is never entered or removed")};
    case OpenStatus::Changed: return {RemovalReason::NotAsScanned, 0, QStringLiteral("another object now has this name")};
    case OpenStatus::NotFolder: return {RemovalReason::NotAsScanned, 0, QStringLiteral("no longer a folder")};
    case OpenStatus::Gone:
    case OpenStatus::NoDescriptors:
    case OpenStatus::Unreadable:
    case OpenStatus::Opened: break;
    }
    return systemRefusal(error);
}

// Regular files count when their last link goes; every other link leaves
// the data where it was.
std::int64_t bytesFreedByUnlinking(const EntryAttributes& entry)
{
    return entry.kind == EntryKind::File && entry.linkCount == 1 ? entry.size : 0;
}

KeptFolders homesAndAncestors(const QStringList& homes)
{
    KeptFolders kept;
    for (const QString& home : homes) {
        const auto real = locations::canonicalNativePath(QFile::encodeName(home));
        if (!real)
            continue;
        for (std::string folder = real->toStdString();;) {
            struct stat st {};
            if (::stat(folder.c_str(), &st) == 0)
                kept.push_back({st.st_dev, st.st_ino});
            const std::size_t slash = folder.rfind('/');
            if (folder == "/" || slash == std::string::npos)
                break;
            folder.resize(slash == 0 ? 1 : slash);
        }
    }
    return kept;
}

std::optional<SplitPath> splitPath(const QByteArray& path)
{
    std::string clean(path.constData(), static_cast<std::size_t>(path.size()));
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    if (clean.size() < 2 || clean.front() != '/' || clean.find('\0') != std::string::npos)
        return std::nullopt;
    for (std::size_t at = 1; at <= clean.size();) {
        const std::size_t end = std::min(clean.find('/', at), clean.size());
        const std::string_view part(clean.data() + at, end - at);
        if (part.empty() || part == "." || part == "..")
            return std::nullopt;
        at = end + 1;
    }
    const std::size_t slash = clean.rfind('/');
    SplitPath split;
    split.folder = slash == 0 ? std::string("/") : clean.substr(0, slash);
    split.name = clean.substr(slash + 1);
    return split;
}

std::optional<LocatedItem> locate(const RemovalTarget& target, const KeptFolders& kept, RemovalResult* failed)
{
    const std::string_view path(target.path.constData(), std::size_t(target.path.size()));
    const auto refuse = [&](std::string_view entry, const Refusal& why) {
        if (failed)
            *failed = refused(entry, why);
        return std::nullopt;
    };
    auto split = splitPath(target.path);
    if (!split)
        return refuse(path, {RemovalReason::InvalidPath, 0, QStringLiteral("not an absolute path without \".\" or \"..\"")});
    LocatedItem located;
    located.folder.reset(openFolderWithoutLinks(split->folder));
    if (!located.folder.isOpen())
        return refuse(split->folder, systemRefusal(errno));
    const auto folder = readAttributes(located.folder.get(), "");
    if (!folder)
        return refuse(split->folder, systemRefusal(errno));
    const auto item = readAttributes(located.folder.get(), split->name.c_str());
    if (!item)
        return refuse(path, systemRefusal(errno));
    if (target.identity && item->identity != target.identity->object)
        return refuse(path, openRefusal(OpenStatus::Changed, 0));
    if (target.identity && !isAsScanned(*item, *target.identity))
        return refuse(path, {RemovalReason::NotAsScanned, 0,
                             QStringLiteral("not the entry the scan found: it was replaced or changed since")});
    if (crossesMount(*item, stampOf(*folder)))
        return refuse(path, openRefusal(OpenStatus::MountPoint, 0));
    if (std::find(kept.begin(), kept.end(), item->identity) != kept.end())
        return refuse(path, {RemovalReason::HomeFolder, 0,
                             QStringLiteral("the home folder or a folder above it, which is never removed")});
    located.split = std::move(*split);
    located.folderAttributes = *folder;
    located.item = *item;
    return located;
}

RemovalResult removeTree(const RemovalTarget& target, const KeptFolders& kept)
{
    RemovalResult result;
    auto located = locate(target, kept, &result);
    if (!located)
        return result;
    const int folder = located->folder.get();
    const char* name = located->split.name.c_str();
    const std::string path = located->split.folder + (located->split.folder == "/" ? "" : "/") + name;
    if (const auto refusal = whyItemCannotLeave(*located))
        return refused(path, *refusal);
    if (located->item.kind != EntryKind::Directory) {
        if (::unlinkat(folder, name, 0) != 0)
            return refused(path, systemRefusal(errno));
        return {true, bytesFreedByUnlinking(located->item)};
    }
    ChildCheck check;
    check.expected = located->item.identity;
    check.known = &located->item;
    OpenedFolder opened = openChildFolder(folder, name, stampOf(located->folderAttributes), check);
    if (opened.status != OpenStatus::Opened)
        return refused(path, openRefusal(opened.status, errno));
    TreeEmptier emptier;
    const bool emptied = emptier.run(std::move(opened.fd), opened.attributes, path);
    if (!emptied) {
        result = emptier.failure().failure.isEmpty()
            ? refused(path, {RemovalReason::SystemError, 0, QStringLiteral("could not be emptied")})
            : emptier.failure();
    } else if (const auto now = readAttributes(folder, name); !now) {
        result = refused(path, systemRefusal(errno));
    } else if (now->identity != located->item.identity) {
        result = refused(path, openRefusal(OpenStatus::Changed, 0));
    } else if (::unlinkat(folder, name, AT_REMOVEDIR) != 0) {
        result = refused(path, systemRefusal(errno));
    } else {
        result.gone = true;
    }
    result.freedBytes = emptier.freedBytes();
    return result;
}

} // namespace velk::platform::files::removal
