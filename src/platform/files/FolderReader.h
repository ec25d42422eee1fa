#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/core/UniqueFd.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string_view>

// Per-folder building blocks of every walk and removal: attributes read with
// statx, mount boundaries, and opening a folder below an open folder without
// following links or crossing into another mount. None keeps state, so any
// number of threads may use them at once (each with its own descriptors).
namespace velk::platform::files {

// The kind of an entry with file mode `mode` (st_mode, stx_mode).
EntryKind kindFromMode(unsigned mode);

// What a folder is known by while it is open: its identity and the mount it
// belongs to. Children of another device or mount are not part of it.
struct FolderStamp {
    FileIdentity identity;
    std::uint64_t mountId = 0;
    bool hasMountId = false;
};

// The attributes of one entry as statx gives them.
struct EntryAttributes {
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;                   // logical size (st_size)
    std::optional<std::int64_t> modifiedMs;  // content modification, ms since epoch
    std::optional<FileTime> modified;        // the same to the nanosecond
    std::optional<FileTime> changed;         // last status change (ctime)
    std::optional<FileTime> born;            // birth (btime), where the file system keeps it
    FileIdentity identity;
    std::uint32_t linkCount = 0;
    std::uint64_t mountId = 0;
    bool hasMountId = false;
    bool isMountRoot = false;                // the root of a mount (bind mounts included)
};

// Attributes of `name` in the folder open at `folderFd` (the folder itself
// with an empty name), never following a link or triggering an automount.
std::optional<EntryAttributes> readAttributes(int folderFd, const char* name);

// What a scan keeps of an entry whose attributes were read.
ScannedIdentity scannedIdentity(const EntryAttributes& entry);

// Whether the entry now at a name is the very object scanned there, whatever
// was written to it since: the same object of the same type, born at the
// same moment where the file system keeps birth times (an inode number is
// free for the next entry made once its object is gone).
bool isScannedObject(const EntryAttributes& now, const ScannedIdentity& scanned);

// Whether the entry now at a name is the one scanned there: the same object
// of the same type, born at the same moment where the file system keeps
// birth times and, unless it is a folder, of the same size, modified and
// changed in status (written, its times set, linked, its mode changed) at
// the same moments. The status-change time is what tells a file rewritten
// with its old size and modification time restored. A folder's own size and
// times follow its contents, which may change between a scan and a removal;
// its type and birth time tell a folder made under its name later.
bool isAsScanned(const EntryAttributes& now, const ScannedIdentity& scanned);

// The stamp of a folder whose attributes were read.
FolderStamp stampOf(const EntryAttributes& folder);

// Whether an entry of a folder stamped `parent` lies on another mount: the
// root of a mount, another device or another mount id.
bool crossesMount(const EntryAttributes& entry, const FolderStamp& parent);

enum class OpenStatus {
    Opened,
    Gone,          // no such entry any more
    NotFolder,     // a link or a non-folder now stands there
    MountPoint,    // another file system, or a bind mount, is mounted there
    Changed,       // another folder than the one expected now stands there
    NoDescriptors, // the process has no descriptor left
    Unreadable,    // permission and other failures
};

struct OpenedFolder {
    OpenStatus status = OpenStatus::Unreadable;
    int error = 0; // errno when it could not be read or opened
    core::UniqueFd fd;
    EntryAttributes attributes;
};

struct ChildCheck {
    // Refuse any folder but this one.
    std::optional<FileIdentity> expected;
    // The entry's attributes when the caller has just read them (saves
    // reading them again).
    const EntryAttributes* known = nullptr;
    // Check after opening that the folder opened is the one looked at, so
    // that nothing swapped in between (a mount included) is entered. Only
    // walks that change nothing may leave it out.
    bool verifyOpened = true;
};

// Opens the folder `name` below the folder open at `parentFd` (stamped
// `parent`) for listing. Refuses links and mount points, and whatever
// `check` refuses.
OpenedFolder openChildFolder(int parentFd, const char* name, const FolderStamp& parent,
                             const ChildCheck& check = {});

// Opens the folder at the absolute `path` resolving every component without
// following a symbolic link (openat2 RESOLVE_NO_SYMLINKS, or component by
// component with O_NOFOLLOW on kernels without it). -1 on failure.
int openFolderWithoutLinks(std::string_view path);

// Whether the folder open at `fd` lies on a kernel pseudo file system
// (proc, sysfs, cgroup, debugfs, ...), which no walk enters.
bool isOnPseudoFileSystem(int fd);

// A listing buffer's size: a thousand or more entries per read.
constexpr std::size_t kListingBufferSize = 64 * 1024;

// Lists the folder open at `fd` (stamped `stamp`) with `buffer` and calls
// `visit(std::string_view name, const EntryAttributes&)` for every entry
// whose attributes can be read ("." and ".." left out), until it returns
// false. Entries on another mount are passed with isMountRoot set or another
// mount id; callers never descend into them (see crossesMount). With
// `skipHidden`, names starting with "." are passed over unread. False when
// the listing could not be read to its end. Usable from several threads,
// each listing its own folders.
template <class Visit>
bool listFolder(int fd, char* buffer, std::size_t size, bool skipHidden, Visit&& visit);

} // namespace velk::platform::files

#include "platform/files/FolderListing.h"

namespace velk::platform::files {

template <class Visit>
bool listFolder(int fd, char* buffer, std::size_t size, bool skipHidden, Visit&& visit)
{
    return forEachFolderEntry(fd, buffer, size, [&](const struct dirent64& entry) {
        if (skipHidden && entry.d_name[0] == '.')
            return true;
        const auto attributes = readAttributes(fd, entry.d_name);
        if (!attributes)
            return true;
        return visit(std::string_view(entry.d_name), *attributes);
    });
}

} // namespace velk::platform::files
