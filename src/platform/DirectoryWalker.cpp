#include "platform/DirectoryWalker.h"

#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace velk::platform {
namespace {

constexpr std::size_t kListingBufferSize = 64 * 1024;

// Folders directly below "/" that hold kernel pseudo file systems.
constexpr std::array<std::string_view, 4> kPseudoRoots = {"proc", "sys", "dev", "run"};

EntryKind kindFromDirentType(unsigned char type)
{
    switch (type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Directory;
    case DT_LNK: return EntryKind::Symlink;
    default: return EntryKind::Other;
    }
}

EntryKind kindFromMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    if (S_ISLNK(mode))
        return EntryKind::Symlink;
    return EntryKind::Other;
}

// One entry as the walk core sees it: the name in file-system bytes and the
// attributes read so far.
struct RawEntry {
    std::string_view name;
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;
    std::optional<std::int64_t> modifiedMs;
    int depth = 0;
    bool isPackage = false;
};

// Depth-first walk over open folder descriptors. `Visit` is called as
// `WalkAction visit(const RawEntry&, const std::string& path)`; when
// `kTrackPaths` is false the path is not kept and is always empty, and only
// regular files are examined with fstatat (the folder listing tells the
// kinds), which keeps the sizing path free of per-entry work it does not need.
template <bool kTrackPaths, class Visit>
class WalkCore {
public:
    WalkCore(const WalkOptions& options, Visit& visit)
        : m_options(options)
        , m_visit(visit)
    {
    }

    void run(const QString& root)
    {
        const QString clean = QDir::cleanPath(root);
        if (clean.isEmpty())
            return;
        const QByteArray rootBytes = QFile::encodeName(clean);
        // The root may be a link to a folder; nothing below it is followed.
        const int fd = ::open(rootBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        m_fromFileSystemRoot = clean == QLatin1String("/");
        if constexpr (kTrackPaths) {
            m_path.assign(rootBytes.constData(), static_cast<std::size_t>(rootBytes.size()));
            if (m_path.back() != '/')
                m_path.push_back('/');
        }
        walkFolder(fd, 1);
    }

private:
    bool cancelled() const
    {
        return m_options.cancel && m_options.cancel->load(std::memory_order_relaxed);
    }

    char* listingBuffer(int depth)
    {
        const auto index = static_cast<std::size_t>(depth - 1);
        if (m_buffers.size() <= index)
            m_buffers.resize(index + 1);
        if (!m_buffers[index])
            m_buffers[index] = std::make_unique<char[]>(kListingBufferSize);
        return m_buffers[index].get();
    }

    bool isPseudoFileSystem(int depth, std::string_view name) const
    {
        if (!m_fromFileSystemRoot || depth != 1)
            return false;
        for (std::string_view pseudo : kPseudoRoots) {
            if (name == pseudo)
                return true;
        }
        return false;
    }

    // Lists the folder open at `fd` (which it closes), visiting every entry
    // at `depth` and descending into folders as it meets them.
    void walkFolder(int fd, int depth)
    {
        char* buffer = listingBuffer(depth);
        const std::size_t baseLength = m_path.size();
        forEachFolderEntry(fd, buffer, kListingBufferSize, [&](const struct dirent64& dirent) {
            visitEntry(fd, dirent, depth, baseLength);
            return !m_stopped;
        });
        if constexpr (kTrackPaths)
            m_path.resize(baseLength);
        ::close(fd);
    }

    void visitEntry(int fd, const struct dirent64& dirent, int depth, std::size_t baseLength)
    {
        const char* name = dirent.d_name;
        if (m_options.skipHidden && name[0] == '.')
            return;
        if (cancelled()) {
            m_stopped = true;
            return;
        }
        RawEntry entry;
        entry.name = std::string_view(name);
        entry.depth = depth;
        entry.kind = kindFromDirentType(dirent.d_type);
        const bool kindKnown = dirent.d_type != DT_UNKNOWN;
        if (kTrackPaths || entry.kind == EntryKind::File || !kindKnown) {
            struct stat st;
            if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                return;
            entry.kind = kindFromMode(st.st_mode);
            if (entry.kind != EntryKind::Directory)
                entry.size = st.st_size;
            entry.modifiedMs = std::int64_t(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
        }
        const bool isFolder = entry.kind == EntryKind::Directory;
        entry.isPackage = isFolder && isPackageNameUtf8(entry.name);
        if constexpr (kTrackPaths) {
            m_path.resize(baseLength);
            m_path.append(entry.name);
        }
        const WalkAction action = m_visit(entry, m_path);
        if (action == WalkAction::Stop) {
            m_stopped = true;
            return;
        }
        if (!isFolder || action == WalkAction::SkipChildren)
            return;
        if (entry.isPackage && m_options.skipPackageDescendants)
            return;
        if (m_options.maxDepth >= 0 && depth >= m_options.maxDepth)
            return;
        if (isPseudoFileSystem(depth, entry.name))
            return;
        const int child = ::openat(fd, name, kOpenFolderFlags);
        if (child < 0)
            return; // unreadable, or replaced by a link since it was listed
        if constexpr (kTrackPaths)
            m_path.push_back('/');
        walkFolder(child, depth + 1);
    }

    const WalkOptions& m_options;
    Visit& m_visit;
    std::string m_path;
    std::vector<std::unique_ptr<char[]>> m_buffers;
    bool m_fromFileSystemRoot = false;
    bool m_stopped = false;
};

template <bool kTrackPaths, class Visit>
void runWalk(const QString& root, const WalkOptions& options, Visit& visit)
{
    WalkCore<kTrackPaths, Visit> core(options, visit);
    core.run(root);
}

} // namespace

void walkDirectory(const QString& root, const WalkOptions& options,
                   const std::function<WalkAction(const WalkEntry&)>& visit)
{
    WalkEntry entry;
    auto adapter = [&](const RawEntry& raw, const std::string& path) {
        entry.path = QFile::decodeName(QByteArray::fromRawData(path.data(), static_cast<qsizetype>(path.size())));
        entry.name = QStringView(entry.path).mid(entry.path.lastIndexOf(QLatin1Char('/')) + 1);
        entry.kind = raw.kind;
        entry.size = raw.size;
        entry.modifiedMs = raw.modifiedMs;
        entry.depth = raw.depth;
        entry.isPackage = raw.isPackage;
        return visit(entry);
    };
    runWalk<true>(root, options, adapter);
}

std::int64_t regularFileBytes(const QString& root, std::uint64_t* entriesSeen)
{
    std::int64_t total = 0;
    std::uint64_t entries = 0;
    auto sum = [&](const RawEntry& raw, const std::string&) {
        ++entries;
        if (raw.kind == EntryKind::File)
            total += raw.size;
        return WalkAction::Continue;
    };
    runWalk<false>(root, WalkOptions{}, sum);
    if (entriesSeen)
        *entriesSeen = entries;
    return total;
}

} // namespace velk::platform
