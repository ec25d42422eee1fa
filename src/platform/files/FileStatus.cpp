#include "platform/files/FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

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

std::optional<EntryStatus> entryStatus(const QByteArray& nativePath)
{
    if (nativePath.isEmpty()) {
        errno = ENOENT;
        return std::nullopt;
    }
    struct statx info {};
    if (::statx(AT_FDCWD, nativePath.constData(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                STATX_TYPE | STATX_SIZE | STATX_INO, &info)
        != 0)
        return std::nullopt;
    EntryStatus status;
    status.kind = kindFromMode(info.stx_mode);
    status.size = static_cast<std::int64_t>(info.stx_size);
    status.identity = FileIdentity{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino};
    return status;
}

bool isWritable(const QByteArray& nativePath)
{
    return ::access(nativePath.constData(), W_OK) == 0;
}

} // namespace velk::platform::files
