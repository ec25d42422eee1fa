#pragma once

#include <cstdint>
#include <optional>

namespace velk::platform::files {

enum class EntryKind { File, Directory, Symlink, Other };

// Which object a directory entry names: its device and inode. An entry found
// again under the same name but with another identity is another object.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

// A moment of an entry's life (its content's last change, its status's last
// change, its birth), to the nanosecond.
struct FileTime {
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;

    bool operator==(const FileTime&) const = default;
};

// What a scan saw of an entry, to know it again before acting on it. An
// inode number is free for the next entry made once its file is gone (a
// folder made under a deleted file's name may get the very same one), so
// device and inode alone do not tell the entry scanned from a newer one;
// and size and modification time can be copied onto a replacement, while
// the status-change and birth times are the kernel's alone.
// See isAsScanned (FolderReader.h) for what must match.
struct ScannedIdentity {
    FileIdentity object;
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;           // logical size (st_size); 0 for folders
    std::optional<FileTime> modified;
    std::optional<FileTime> changed; // last status change (st_ctime)
    std::optional<FileTime> born;    // birth, where the file system keeps it
};

} // namespace velk::platform::files
