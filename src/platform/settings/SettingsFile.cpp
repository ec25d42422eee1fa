#include "platform/settings/SettingsFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace velk::platform::settings::settingsfile {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// For a JSON number that does not fit a double, what stands in for it: the
// text of the infinity of its sign when its magnitude is too large, 0 when
// it is too small. Nothing when `token` is not a JSON number at all.
std::optional<QByteArray> standInFor(std::string_view token)
{
    const bool negative = !token.empty() && token.front() == '-';
    if (negative)
        token.remove_prefix(1);
    // Decimal exponent of the leading significant digit, from the digits
    // before and after the point and the written exponent.
    long long magnitude = 0;
    bool significant = false;
    std::size_t at = 0;
    if (at == token.size() || !isDigit(token[at]) || (token[at] == '0' && at + 1 < token.size() && isDigit(token[at + 1])))
        return std::nullopt;
    for (; at < token.size() && isDigit(token[at]); ++at) {
        significant = significant || token[at] != '0';
        if (significant)
            ++magnitude;
    }
    if (at < token.size() && token[at] == '.') {
        ++at;
        if (at == token.size() || !isDigit(token[at]))
            return std::nullopt;
        for (; at < token.size() && isDigit(token[at]); ++at) {
            if (!significant && token[at] == '0')
                --magnitude;
            significant = significant || token[at] != '0';
        }
    }
    long long exponent = 0;
    if (at < token.size() && (token[at] == 'e' || token[at] == 'E')) {
        ++at;
        const bool down = at < token.size() && token[at] == '-';
        if (at < token.size() && (token[at] == '-' || token[at] == '+'))
            ++at;
        if (at == token.size() || !isDigit(token[at]))
            return std::nullopt;
        for (; at < token.size() && isDigit(token[at]); ++at) {
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (token[at] - '0');
        }
        if (down)
            exponent = -exponent;
    }
    if (at != token.size())
        return std::nullopt;
    if (!significant || magnitude + exponent <= 0)
        return QByteArray("0");
    return negative ? QByteArray("\"-inf\"") : QByteArray("\"inf\"");
}

bool isNumberCharacter(char c)
{
    return isDigit(c) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

} // namespace

std::optional<QJsonObject> parse(const QByteArray& content)
{
    QByteArray text = content;
    // Each round replaces one number the parser refused, so this ends.
    for (;;) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text, &error);
        if (error.error == QJsonParseError::NoError)
            return document.isObject() ? std::optional<QJsonObject>(document.object()) : std::nullopt;
        if (error.error != QJsonParseError::IllegalNumber)
            return std::nullopt;
        // The parser reports the offset just past the number it refused.
        const qsizetype end = std::min<qsizetype>(error.offset, text.size());
        qsizetype begin = end;
        while (begin > 0 && isNumberCharacter(text[begin - 1]))
            --begin;
        const auto standIn = standInFor(std::string_view(text.constData() + begin, static_cast<std::size_t>(end - begin)));
        if (!standIn || end == begin)
            return std::nullopt;
        text.replace(begin, end - begin, *standIn);
    }
}

bool isNotAFile(const QString& path)
{
    struct stat target {};
    return ::stat(QFile::encodeName(path).constData(), &target) == 0 && !S_ISREG(target.st_mode);
}

namespace {

// Whether the regular file at `native` holds a settings object (or nothing).
// Opened without waiting, and read only when it is still a regular file once
// open, so that a FIFO put in its place meanwhile cannot block the read.
bool holdsSettings(const QByteArray& native)
{
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    QFile file;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const QByteArray content = file.readAll();
    return file.error() == QFileDevice::NoError && (content.trimmed().isEmpty() || parse(content));
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

SetAside setAsideIfUnreadable(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat target {};
    // Nothing there, or a link to nothing: there is nothing to lose.
    if (::stat(native.constData(), &target) != 0)
        return {};
    if (S_ISREG(target.st_mode) && holdsSettings(native))
        return {};
    const QString stem = path + QStringLiteral(".corrupt-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // Renamed in place, never copied (a copy would read a FIFO or a device),
    // and never over an existing entry.
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? stem : stem + QStringLiteral("-%1").arg(n);
        const QByteArray asideNative = QFile::encodeName(aside);
        int renamed = ::renameat2(AT_FDCWD, native.constData(), AT_FDCWD, asideNative.constData(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EINVAL) {
            // A file system without the no-replace rename.
            struct stat taken {};
            if (::lstat(asideNative.constData(), &taken) == 0)
                continue;
            renamed = ::rename(native.constData(), asideNative.constData());
        }
        if (renamed == 0)
            return {aside, {}};
        if (errno != EEXIST)
            return {{}, QStringLiteral("it cannot be moved aside to %1: %2").arg(aside, errorText(errno))};
    }
    return {{}, QStringLiteral("no free name to move it aside")};
}

QString whyUnwritable(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const QFileInfo info(path);
    struct stat target {};
    if (info.isSymLink() && ::stat(native.constData(), &target) != 0)
        return QStringLiteral("it is a link to %1, which does not exist").arg(info.symLinkTarget());
    const QString folder = QFileInfo(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath()).absolutePath();
    const QByteArray folderNative = QFile::encodeName(folder);
    if (::access(folderNative.constData(), W_OK | X_OK) != 0)
        return QStringLiteral("cannot write in %1: %2").arg(folder, errorText(errno));
    struct statvfs disk {};
    if (::statvfs(folderNative.constData(), &disk) == 0 && disk.f_bavail == 0)
        return QStringLiteral("%1: %2").arg(folder, errorText(ENOSPC));
    return QStringLiteral("the file could not be replaced");
}

} // namespace velk::platform::settings::settingsfile
