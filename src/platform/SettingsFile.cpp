#include "platform/SettingsFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <string_view>

namespace velk::platform::settingsfile {
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

QString setAsideIfUnreadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QFile file(path);
    if (info.isFile() && file.open(QIODevice::ReadOnly)) {
        const QByteArray content = file.readAll();
        if (file.error() == QFileDevice::NoError && (content.trimmed().isEmpty() || parse(content)))
            return {};
    }
    file.close();
    const QString stem = path + QStringLiteral(".corrupt-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // QFile::rename never replaces an existing file.
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? stem : stem + QStringLiteral("-%1").arg(n);
        if (QFile::rename(path, aside))
            return aside;
        if (!QFileInfo::exists(aside))
            return {};
    }
    return {};
}

} // namespace velk::platform::settingsfile
