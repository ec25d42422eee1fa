#include "platform/files/FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace velk::platform::files {

std::optional<FileStatus> fileStatus(const QByteArray& nativePath)
{
    struct statx info {};
    if (nativePath.isEmpty()
        || ::statx(AT_FDCWD, nativePath.constData(), AT_STATX_SYNC_AS_STAT, STATX_NLINK | STATX_ATIME | STATX_BTIME, &info)
            != 0)
        return std::nullopt;
    FileStatus status;
    status.linkCount = info.stx_nlink;
    status.accessSeconds = info.stx_atime.tv_sec;
    if (info.stx_mask & STATX_BTIME)
        status.birthSeconds = info.stx_btime.tv_sec;
    return status;
}

} // namespace velk::platform::files
