#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/files/FolderReader.h"
#include "platform/core/UniqueFd.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velk::platform::files {

// Extensions of bundles that a walk treats as opaque packages (compared
// without regard to case).
bool isPackageName(QStringView name);
// The same test on a file name as the file system spells it (UTF-8 bytes).
bool isPackageNameUtf8(std::string_view name);

struct WalkEntry {
    QString path;           // absolute path, for display (names that are not UTF-8 decode lossily)
    QStringView name;       // last component (valid during the callback)
    std::string_view nativePath; // the path as the file system spells it (valid during the callback)
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;  // logical size (st_size); 0 for folders
    std::optional<std::int64_t> modifiedMs;  // content modification, ms since epoch
    std::optional<FileTime> modified;        // the same to the nanosecond
    std::optional<FileTime> changed;         // last status change (ctime)
    std::optional<FileTime> born;            // birth (btime), where the file system keeps it
    int depth = 0;          // 1 for direct children of the root
    bool isPackage = false; // a folder whose name has a package extension
    bool isMountPoint = false; // another mount starts here; never entered
    FileIdentity identity;  // device and inode
    std::uint32_t linkCount = 0;
};

// What a scan keeps of a walked entry to know it again (see isAsScanned).
inline ScannedIdentity scannedIdentity(const WalkEntry& entry)
{
    return {entry.identity, entry.kind, entry.size, entry.modified, entry.changed, entry.born};
}

enum class WalkAction { Continue, SkipChildren, Stop };

struct WalkOptions {
    bool skipHidden = true;              // names starting with '.'
    bool skipPackageDescendants = true;  // yield the package, not its contents
    int maxDepth = -1;                   // -1: unlimited
    const std::atomic_bool* cancel = nullptr;
    // False: WalkEntry::path and name stay empty and nativePath alone names
    // the entry, for walks that look at most entries without showing them.
    bool displayPaths = true;
};

// Something a walk could not read: a folder it could not open or list to
// its end, or an entry whose attributes it could not read. An entry that
// vanished meanwhile is none.
struct WalkFailure {
    std::string path; // as the file system spells it
    int error = 0;    // the system's error number; 0 when none tells why
};

struct WalkResult {
    // False when some folder could not be opened or listed to its end (or
    // the walk was stopped): what was yielded is then not the whole tree.
    bool complete = true;
    // Whether a mount point was met below the root (and not entered).
    bool metMount = false;
    // The first failure met, the root included (walkDirectory only).
    std::optional<WalkFailure> failure;
};

// Walks `root` depth-first without recursion (see FolderCursor: a bounded
// number of open folders, whatever the depth), never following symbolic
// links and never entering another mount, bind mounts of the same file
// system included (a mount point is yielded with isMountPoint set). `root`
// itself is not yielded; it may be a link to a folder, but no link below it
// is entered. Entries whose attributes cannot be read are not yielded. A
// walk from "/" does not enter the pseudo file systems (/proc, /sys, /dev,
// /run), and a root on a kernel pseudo file system yields nothing.
WalkResult walkDirectory(const QString& root, const WalkOptions& options,
                         const std::function<WalkAction(const WalkEntry&)>& visit);
// The same from a root given as the file system spells it.
WalkResult walkDirectory(const QByteArray& nativeRoot, const WalkOptions& options,
                         const std::function<WalkAction(const WalkEntry&)>& visit);

// The folder a walk starts from, opened as given (it may be a link to a
// folder; nothing below it is followed). Nothing when it cannot be opened or
// lies on a kernel pseudo file system; `error` then tells the system's
// error number (0 for a pseudo file system).
struct WalkRoot {
    core::UniqueFd fd;
    EntryAttributes attributes;
    std::string path; // absolute, without trailing "/", native bytes
};
std::optional<WalkRoot> openWalkRoot(const QByteArray& nativeRoot, int* error = nullptr);

// Names directly below "/" that hold kernel pseudo file systems, which no
// walk from "/" enters.
bool isPseudoRootName(std::string_view name);

struct FolderTotal {
    std::int64_t bytes = 0;
    std::uint64_t entries = 0;
    bool complete = true;  // as WalkResult::complete
    bool metMount = false; // as WalkResult::metMount
};

// What a folder total counts. Links and other mounts never count.
enum class TotalOf {
    // The regular files a listing shows: hidden entries and package
    // contents are skipped.
    Visible,
    // The bytes that leave with the tree: every regular file, hidden ones
    // and package contents included, once, and only when all its links lie
    // inside the tree (as removing the tree frees it).
    Removal,
};

// Sum of the logical sizes of the regular files below `nativeRoot` (see
// TotalOf). 0 when the root cannot be read.
FolderTotal folderTotal(const QByteArray& nativeRoot, TotalOf what = TotalOf::Visible);
// The same below a root opened already.
FolderTotal folderTotal(WalkRoot root, TotalOf what);
std::int64_t regularFileBytes(const QString& root, std::uint64_t* entriesSeen = nullptr);

} // namespace velk::platform::files
