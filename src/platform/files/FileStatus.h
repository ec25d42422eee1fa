#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/files/FolderReader.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace velk::platform::files {

// What a file's inode tells, links followed. Times are whole seconds since
// 1970; the birth time is absent where the file system does not keep it.
struct FileStatus {
    std::int64_t linkCount = 0;
    std::int64_t accessSeconds = 0;
    std::optional<std::int64_t> birthSeconds;
};

// Examines the file at `nativePath` (statx); none when it cannot be.
std::optional<FileStatus> fileStatus(const QByteArray& nativePath);

// What stands at a path itself: a link there is not followed and no
// automount is set off (as lstat tells it).
struct EntryStatus {
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0; // st_size, folders and links included
    FileIdentity identity;
};

// Examines the entry at `nativePath` itself; none when it cannot be, errno
// then telling why (ENOENT: nothing there).
std::optional<EntryStatus> entryStatus(const QByteArray& nativePath);

// Whether this process may write to the file at `nativePath`.
bool isWritable(const QByteArray& nativePath);

} // namespace velk::platform::files
