#include "platform/plist/PropertyList.h"
#include "platform/files/RegularFile.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace velk::platform::plist {

std::optional<QVariant> parse(const QByteArray& bytes)
{
    if (bytes.startsWith("bplist"))
        return parseBinary(bytes);
    return parseXml(bytes);
}

std::optional<QVariant> readFile(const QString& path)
{
    const std::optional<QByteArray> bytes = files::readRegularFile(path, kMaxBytes);
    return bytes ? parse(*bytes) : std::nullopt;
}

namespace {

QJsonValue jsonValue(const QVariant& value)
{
    // Depth is bounded by the reader's nesting limit.
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), jsonValue(it.value()));
        return object;
    }
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant& v : value.toList())
            array.append(jsonValue(v));
        return array;
    }
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULongLong:
        return double(value.toULongLong());
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QDateTime:
        return value.toDateTime().toUTC().toString(Qt::ISODate);
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toBase64());
    default:
        return QJsonValue();
    }
}

} // namespace

QByteArray toCompactJson(const QVariant& value)
{
    const QJsonValue json = jsonValue(value);
    if (json.isObject())
        return QJsonDocument(json.toObject()).toJson(QJsonDocument::Compact);
    if (json.isArray())
        return QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact);
    // A lone scalar: wrap it in an array and take the brackets off again.
    const QByteArray wrapped = QJsonDocument(QJsonArray{json}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace velk::platform::plist
