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

// The last change of an entry's content, to the nanosecond.
struct FileTime {
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;

    bool operator==(const FileTime&) const = default;
};

// What a scan saw of an entry, to know it again before acting on it. An
// inode number is free for the next entry made once its file is gone (a
// folder made under a deleted file's name may get the very same one), so
// device and inode alone do not tell the entry scanned from a newer one.
// See isAsScanned (FolderReader.h) for what must match.
struct ScannedIdentity {
    FileIdentity object;
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;           // logical size (st_size); 0 for folders
    std::optional<FileTime> modified;
};

} // namespace velk::platform::files
