#include "platform/FileRemoverLinux.h"

#include "platform/FolderCursor.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace velk::platform::removal {
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
    bool run(UniqueFd folder, const EntryAttributes& attributes, std::string path)
    {
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
                level.failed = true;
            if (m_cursor.depth() == 0)
                return !level.failed && m_cursor.complete();
            leaveFolder();
        }
        return false;
    }

    std::int64_t freedBytes() const { return m_freed; }

private:
    struct Level {
        bool removedThisPass = false;
        bool failed = false;
        int passes = 0;
    };

    // The current folder is listed to its end: go back to its parent and
    // remove it there, if it is still the folder that was emptied.
    void leaveFolder()
    {
        const std::string name = m_cursor.name();
        const FileIdentity identity = m_cursor.attributes().identity;
        const bool failed = m_levels.back().failed;
        m_cursor.ascend();
        m_levels.pop_back();
        Level& parent = m_levels.back();
        const int fd = m_cursor.fd();
        if (failed || fd < 0) {
            parent.failed = true;
            return;
        }
        const auto now = readAttributes(fd, name.c_str());
        if (!now) {
            parent.failed = parent.failed || errno != ENOENT;
            return;
        }
        if (now->identity != identity || ::unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0) {
            parent.failed = true;
            return;
        }
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
            m_levels.back().failed = m_levels.back().failed || errno != ENOENT;
            return;
        }
        if (attributes->kind == EntryKind::Directory) {
            if (!enterFolder(name, &*attributes))
                m_levels.back().failed = true;
            return;
        }
        // A file mounted over another (a bind mount) is not ours.
        if (crossesMount(*attributes, m_cursor.stamp())) {
            m_levels.back().failed = true;
            return;
        }
        if (::unlinkat(fd, name, 0) == 0) {
            m_freed += bytesFreedByUnlinking(*attributes);
            m_levels.back().removedThisPass = true;
        } else if (errno != ENOENT) {
            m_levels.back().failed = true;
        }
    }

    // Enters folder `name`; true when it is entered or needs nothing more
    // (gone). A mount point or a folder that cannot be opened marks the
    // level failed; something other than a folder gives false.
    bool enterFolder(const char* name, const EntryAttributes* known)
    {
        switch (m_cursor.descend(name, known)) {
        case OpenStatus::Opened:
            m_levels.emplace_back();
            return true;
        case OpenStatus::Gone:
            return true;
        case OpenStatus::NotFolder:
            return false;
        case OpenStatus::MountPoint:
        case OpenStatus::Changed:
        case OpenStatus::NoDescriptors:
        case OpenStatus::Unreadable:
            m_levels.back().failed = true;
            return true;
        }
        return true;
    }

    FolderCursor m_cursor;
    std::vector<Level> m_levels;
    std::int64_t m_freed = 0;
};

} // namespace

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
        char real[PATH_MAX];
        if (home.isEmpty() || !::realpath(QFile::encodeName(home).constData(), real))
            continue;
        for (std::string folder(real);;) {
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

std::optional<LocatedItem> locate(const RemovalTarget& target, const KeptFolders& kept)
{
    auto split = splitPath(target.path);
    if (!split)
        return std::nullopt;
    LocatedItem located;
    located.folder.reset(openFolderWithoutLinks(split->folder));
    if (!located.folder.isOpen())
        return std::nullopt;
    const auto folder = readAttributes(located.folder.get(), "");
    const auto item = readAttributes(located.folder.get(), split->name.c_str());
    if (!folder || !item)
        return std::nullopt;
    if (target.identity && item->identity != *target.identity)
        return std::nullopt; // another object now has the name
    if (crossesMount(*item, stampOf(*folder)))
        return std::nullopt; // a mount point is never removed or moved
    if (std::find(kept.begin(), kept.end(), item->identity) != kept.end())
        return std::nullopt;
    located.split = std::move(*split);
    located.folderAttributes = *folder;
    located.item = *item;
    return located;
}

RemovalResult removeTree(const RemovalTarget& target, const KeptFolders& kept)
{
    auto located = locate(target, kept);
    if (!located)
        return {};
    const int folder = located->folder.get();
    const char* name = located->split.name.c_str();
    if (located->item.kind != EntryKind::Directory) {
        if (::unlinkat(folder, name, 0) != 0)
            return {};
        return {true, bytesFreedByUnlinking(located->item)};
    }
    ChildCheck check;
    check.expected = located->item.identity;
    check.known = &located->item;
    OpenedFolder opened = openChildFolder(folder, name, stampOf(located->folderAttributes), check);
    if (opened.status != OpenStatus::Opened)
        return {};
    TreeEmptier emptier;
    const bool emptied = emptier.run(std::move(opened.fd), opened.attributes,
                                     located->split.folder + (located->split.folder == "/" ? "" : "/") + name);
    RemovalResult result{false, emptier.freedBytes()};
    const auto now = readAttributes(folder, name);
    result.gone = emptied && now && now->identity == located->item.identity
        && ::unlinkat(folder, name, AT_REMOVEDIR) == 0;
    return result;
}

} // namespace velk::platform::removal
