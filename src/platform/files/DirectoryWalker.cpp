#include "platform/files/DirectoryWalker.h"

#include "platform/files/FolderCursor.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velk::platform::files {
namespace {

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

// One entry as the walk core sees it: the name in file-system bytes and the
// attributes read so far.
struct RawEntry {
    std::string_view name;
    EntryAttributes attributes;
    int depth = 0;
    bool isPackage = false;
    bool isMountPoint = false;
};

// Depth-first walk over a FolderCursor. `Visit` is called as
// `WalkAction visit(const RawEntry&, const std::string& path)`; when
// `kTrackPaths` is false the path is not kept and is always empty, and only
// regular files are examined with statx (the folder listing tells the
// kinds), which keeps the sizing path free of per-entry work it does not need.
template <bool kTrackPaths, class Visit>
class WalkCore {
public:
    WalkCore(const WalkOptions& options, Visit& visit)
        : m_options(options)
        , m_visit(visit)
    {
    }

    WalkResult run(WalkRoot& root)
    {
        m_fromFileSystemRoot = root.path == "/";
        if constexpr (kTrackPaths) {
            m_path = root.path;
            if (m_path.back() != '/')
                m_path.push_back('/');
            m_pathLengths.assign(1, m_path.size());
        }
        m_cursor.start(std::move(root.fd), root.attributes, root.path, false, false);
        while (!m_cursor.atEnd() && !m_stopped) {
            bool wasComplete = m_cursor.complete();
            const struct dirent64* dirent = m_cursor.next();
            if (!dirent) {
                noteFailureIfIncomplete(wasComplete); // its listing broke off
                wasComplete = m_cursor.complete();
                m_cursor.ascend();
                if constexpr (kTrackPaths)
                    m_pathLengths.pop_back();
                if (!m_cursor.atEnd())
                    noteFailureIfIncomplete(wasComplete); // the parent could not be opened again
                continue;
            }
            visitEntry(*dirent);
        }
        return {m_cursor.complete() && !m_stopped, m_metMount, std::move(m_failure)};
    }

private:
    bool cancelled() const
    {
        return m_options.cancel && m_options.cancel->load(std::memory_order_relaxed);
    }

    void noteFailure(std::string path, int error)
    {
        if (!m_failure)
            m_failure = WalkFailure{std::move(path), error};
    }

    // The current folder's path, without its trailing "/".
    std::string currentFolderPath() const
    {
        const std::size_t length = m_pathLengths.back();
        return m_path.substr(0, length > 1 ? length - 1 : length);
    }

    void noteFailureIfIncomplete(bool wasComplete)
    {
        if constexpr (kTrackPaths) {
            if (wasComplete && !m_cursor.complete())
                noteFailure(currentFolderPath(), m_cursor.error());
        }
    }

    bool isPseudoFileSystem(int depth, std::string_view name) const
    {
        return m_fromFileSystemRoot && depth == 1 && isPseudoRootName(name);
    }

    void visitEntry(const struct dirent64& dirent)
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
        entry.depth = static_cast<int>(m_cursor.depth()) + 1;
        entry.attributes.kind = kindFromDirentType(dirent.d_type);
        const bool kindKnown = dirent.d_type != DT_UNKNOWN;
        if (kTrackPaths || entry.attributes.kind == EntryKind::File || !kindKnown) {
            const auto attributes = readAttributes(m_cursor.fd(), name);
            if (!attributes) {
                if constexpr (kTrackPaths) {
                    if (errno != ENOENT && errno != ENOTDIR)
                        noteFailure(m_path.substr(0, m_pathLengths.back()).append(name), errno);
                }
                return;
            }
            entry.attributes = *attributes;
            entry.isMountPoint = crossesMount(entry.attributes, m_cursor.stamp());
            m_metMount = m_metMount || entry.isMountPoint;
        }
        const bool isFolder = entry.attributes.kind == EntryKind::Directory;
        entry.isPackage = isFolder && isPackageNameUtf8(entry.name);
        if constexpr (kTrackPaths) {
            m_path.resize(m_pathLengths.back());
            m_path.append(entry.name);
        }
        const WalkAction action = m_visit(entry, m_path);
        if (action == WalkAction::Stop) {
            m_stopped = true;
            return;
        }
        if (!isFolder || entry.isMountPoint || action == WalkAction::SkipChildren)
            return;
        if (entry.isPackage && m_options.skipPackageDescendants)
            return;
        if (m_options.maxDepth >= 0 && entry.depth >= m_options.maxDepth)
            return;
        if (isPseudoFileSystem(entry.depth, entry.name))
            return;
        switch (m_cursor.descend(name, kTrackPaths || !kindKnown ? &entry.attributes : nullptr)) {
        case OpenStatus::Opened:
            if constexpr (kTrackPaths) {
                m_path.push_back('/');
                m_pathLengths.push_back(m_path.size());
            }
            return;
        case OpenStatus::MountPoint:
            m_metMount = true;
            return; // not ours to enter
        case OpenStatus::Gone:
        case OpenStatus::NotFolder:
            return; // replaced since it was listed
        case OpenStatus::Changed:
        case OpenStatus::NoDescriptors:
        case OpenStatus::Unreadable:
            m_cursor.markIncomplete();
            if constexpr (kTrackPaths)
                noteFailure(m_path, m_cursor.error());
            return;
        }
    }

    const WalkOptions& m_options;
    Visit& m_visit;
    FolderCursor m_cursor;
    std::string m_path;
    std::vector<std::size_t> m_pathLengths; // per open level: length of its folder's path with "/"
    bool m_fromFileSystemRoot = false;
    bool m_stopped = false;
    bool m_metMount = false;
    std::optional<WalkFailure> m_failure;
};

template <bool kTrackPaths, class Visit>
WalkResult runWalk(WalkRoot& root, const WalkOptions& options, Visit& visit)
{
    WalkCore<kTrackPaths, Visit> core(options, visit);
    return core.run(root);
}

template <bool kTrackPaths, class Visit>
WalkResult runWalk(const QByteArray& nativeRoot, const WalkOptions& options, Visit& visit)
{
    int error = 0;
    auto root = openWalkRoot(nativeRoot, &error);
    if (!root) {
        WalkResult result{false};
        if (error != 0)
            result.failure = WalkFailure{nativeRoot.toStdString(), error};
        return result;
    }
    return runWalk<kTrackPaths>(*root, options, visit);
}

QByteArray nativeRootOf(const QString& root)
{
    const QString clean = QDir::cleanPath(root);
    return clean.isEmpty() ? QByteArray() : QFile::encodeName(clean);
}

} // namespace

bool isPseudoRootName(std::string_view name)
{
    return std::find(kPseudoRoots.begin(), kPseudoRoots.end(), name) != kPseudoRoots.end();
}

std::optional<WalkRoot> openWalkRoot(const QByteArray& nativeRoot, int* error)
{
    int ignored = 0;
    int& failure = error ? *error : ignored;
    failure = 0;
    QByteArray absolute = nativeRoot;
    if (absolute.isEmpty()) {
        failure = ENOENT;
        return std::nullopt;
    }
    if (!absolute.startsWith('/'))
        absolute = QFile::encodeName(QDir::currentPath()) + '/' + absolute;
    WalkRoot root;
    root.path.assign(absolute.constData(), static_cast<std::size_t>(absolute.size()));
    while (root.path.size() > 1 && root.path.back() == '/')
        root.path.pop_back();
    root.fd.reset(::open(root.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!root.fd.isOpen()) {
        failure = errno;
        return std::nullopt;
    }
    if (isOnPseudoFileSystem(root.fd.get()))
        return std::nullopt;
    const auto attributes = readAttributes(root.fd.get(), "");
    if (!attributes) {
        failure = errno;
        return std::nullopt;
    }
    root.attributes = *attributes;
    return root;
}

WalkResult walkDirectory(const QString& root, const WalkOptions& options,
                         const std::function<WalkAction(const WalkEntry&)>& visit)
{
    return walkDirectory(nativeRootOf(root), options, visit);
}

WalkResult walkDirectory(const QByteArray& nativeRoot, const WalkOptions& options,
                         const std::function<WalkAction(const WalkEntry&)>& visit)
{
    WalkEntry entry;
    auto adapter = [&](const RawEntry& raw, const std::string& path) {
        if (options.displayPaths) {
            entry.path = QFile::decodeName(QByteArray::fromRawData(path.data(), static_cast<qsizetype>(path.size())));
            entry.name = QStringView(entry.path).mid(entry.path.lastIndexOf(QLatin1Char('/')) + 1);
        }
        entry.nativePath = path;
        entry.kind = raw.attributes.kind;
        entry.size = raw.attributes.size;
        entry.modifiedMs = raw.attributes.modifiedMs;
        entry.modified = raw.attributes.modified;
        entry.changed = raw.attributes.changed;
        entry.born = raw.attributes.born;
        entry.depth = raw.depth;
        entry.isPackage = raw.isPackage;
        entry.isMountPoint = raw.isMountPoint;
        entry.identity = raw.attributes.identity;
        entry.linkCount = raw.attributes.linkCount;
        return visit(entry);
    };
    return runWalk<true>(nativeRoot, options, adapter);
}

FolderTotal folderTotal(const QByteArray& nativeRoot, TotalOf what)
{
    auto root = openWalkRoot(nativeRoot);
    if (!root)
        return {0, 0, false};
    return folderTotal(std::move(*root), what);
}

FolderTotal folderTotal(WalkRoot root, TotalOf what)
{
    FolderTotal total;
    // Files with several links: how many of their links were met so far.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::uint32_t> linksMet;
    auto sum = [&](const RawEntry& raw, const std::string&) {
        ++total.entries;
        const EntryAttributes& file = raw.attributes;
        if (file.kind != EntryKind::File || raw.isMountPoint)
            return WalkAction::Continue;
        // Counted with its last link met.
        const bool counts = what == TotalOf::Visible || file.linkCount <= 1
            || ++linksMet[{file.identity.device, file.identity.inode}] == file.linkCount;
        if (counts)
            total.bytes += file.size;
        return WalkAction::Continue;
    };
    WalkOptions options;
    if (what == TotalOf::Removal) {
        options.skipHidden = false;
        options.skipPackageDescendants = false;
    }
    const WalkResult walked = runWalk<false>(root, options, sum);
    total.complete = walked.complete;
    total.metMount = walked.metMount;
    return total;
}

std::int64_t regularFileBytes(const QString& root, std::uint64_t* entriesSeen)
{
    const FolderTotal total = folderTotal(nativeRootOf(root));
    if (entriesSeen)
        *entriesSeen = total.entries;
    return total.bytes;
}

} // namespace velk::platform::files
