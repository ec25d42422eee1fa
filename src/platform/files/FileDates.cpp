#include "platform/files/FileDates.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace velk::platform::files {
namespace {

std::optional<QDateTime> statxTime(const QString& path, unsigned mask)
{
    struct statx sx {};
    if (::statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_SYMLINK_NOFOLLOW, mask, &sx) != 0
        || (sx.stx_mask & mask) == 0)
        return std::nullopt;
    const struct statx_timestamp& t = mask == STATX_BTIME ? sx.stx_btime : sx.stx_mtime;
    return QDateTime::fromMSecsSinceEpoch(qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000, Qt::UTC);
}

} // namespace

std::optional<QDateTime> creationDate(const QString& path)
{
    return statxTime(path, STATX_BTIME);
}

std::optional<QDateTime> modificationDate(const QString& path)
{
    return statxTime(path, STATX_MTIME);
}

} // namespace velk::platform::files
