#include "platform/files/RegularFile.h"
#include "platform/core/UniqueFd.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::platform::files {

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, LastLink link)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (link == LastLink::Refuse ? O_NOFOLLOW : 0);
    core::UniqueFd fd(::open(QFile::encodeName(path).constData(), flags));
    struct stat st {};
    if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes)
        return std::nullopt;
    // One byte more than allowed tells a file that grew while it was read.
    QByteArray bytes(qsizetype(maxBytes) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + total, size_t(bytes.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        total += n;
    }
    if (total > maxBytes)
        return std::nullopt;
    bytes.truncate(total);
    return bytes;
}

} // namespace velk::platform::files
