#pragma once

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

} // namespace velk::platform::files
