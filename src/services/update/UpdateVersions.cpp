#include "services/update/UpdateCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <charconv>

namespace velk::UpdateCheck {
namespace {

// A whole piece as a base-10 integer with an optional sign; nothing for
// anything else, a number out of range included.
std::optional<qint64> integerPiece(const QString& piece)
{
    QByteArray bytes = piece.toUtf8();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-')
            return std::nullopt;
    }
    qint64 value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value, 10);
    if (begin == end || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

QString localVersion()
{
    return QStringLiteral(VELK_VERSION);
}

QList<qint64> parts(const QString& version)
{
    QList<qint64> result;
    for (const QString& piece : version.split(u'.', Qt::SkipEmptyParts))
        result.append(integerPiece(piece).value_or(0));
    return result;
}

bool isNewer(const QString& candidate, const QString& reference)
{
    const QList<qint64> a = parts(candidate);
    const QList<qint64> b = parts(reference);
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const qint64 x = i < a.size() ? a[i] : 0;
        const qint64 y = i < b.size() ? b[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

QString notes(const QJsonObject& manifest)
{
    const QJsonValue primary = manifest.value(QLatin1String("notes"));
    if (primary.isString())
        return primary.toString();
    const QJsonValue secondary = manifest.value(QLatin1String("releaseNotes"));
    if (secondary.isString())
        return secondary.toString();
    if (secondary.isArray()) {
        QStringList lines;
        for (const QJsonValue& line : secondary.toArray()) {
            if (!line.isString())
                return {};
            lines.append(line.toString());
        }
        return lines.join(u'\n');
    }
    return {};
}

std::optional<AppUpdate> decode(const QByteArray& manifest)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(manifest, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(QLatin1String("version"));
    const QJsonValue address = object.value(QLatin1String("url"));
    if (!version.isString() || !address.isString())
        return std::nullopt;
    const QUrl url(address.toString(), QUrl::StrictMode);
    if (!url.isValid() || !isAcceptableAddress(url))
        return std::nullopt;
    return AppUpdate{version.toString(), url, notes(object)};
}

std::optional<AppUpdate> parse(const QByteArray& manifest, const QString& current)
{
    std::optional<AppUpdate> offer = decode(manifest);
    if (!offer || !isNewer(offer->version, current))
        return std::nullopt;
    return offer;
}

} // namespace velk::UpdateCheck
