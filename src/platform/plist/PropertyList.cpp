#include "platform/plist/PropertyList.h"
#include "platform/core/UniqueFd.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::platform::plist {

std::optional<QVariant> parse(const QByteArray& bytes)
{
    if (bytes.startsWith("bplist"))
        return parseBinary(bytes);
    return parseXml(bytes);
}

std::optional<QVariant> readFile(const QString& path)
{
    // Non-blocking, so that a FIFO standing where a file should be cannot
    // hold the reader up; only a regular file is read.
    core::UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.isOpen())
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxBytes)
        return std::nullopt;
    QByteArray bytes;
    bytes.resize(qsizetype(kMaxBytes) + 1);
    qint64 total = 0;
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
    if (total > kMaxBytes)  // grew while it was read
        return std::nullopt;
    bytes.truncate(qsizetype(total));
    return parse(bytes);
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
