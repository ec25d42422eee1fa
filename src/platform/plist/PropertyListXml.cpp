#include "platform/plist/PropertyList.h"
#include "platform/plist/PropertyListBuilder.h"

#include <QDateTime>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <limits>

namespace velk::platform::plist {

namespace {

std::optional<QVariant> integerValue(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty() || text.front() == u'-' || text.front() == u'+')
        return std::nullopt;
    bool ok = false;
    const quint64 magnitude = text.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    constexpr quint64 kMinMagnitude = quint64(std::numeric_limits<qint64>::max()) + 1;
    if (negative) {
        if (magnitude > kMinMagnitude)
            return std::nullopt;
        if (magnitude == kMinMagnitude)
            return QVariant(std::numeric_limits<qint64>::min());
        return QVariant(-static_cast<qint64>(magnitude));
    }
    if (magnitude > quint64(std::numeric_limits<qint64>::max()))
        return QVariant(magnitude);
    return QVariant(static_cast<qint64>(magnitude));
}

std::optional<QVariant> realValue(QStringView text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return QVariant(d);
}

std::optional<QVariant> dateValue(QStringView text)
{
    QDateTime date = QDateTime::fromString(text.trimmed().toString(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return QVariant(date.toUTC());
}

std::optional<QVariant> dataValue(QStringView text)
{
    QByteArray compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace())
            compact.append(static_cast<char>(c.unicode() < 0x80 ? c.unicode() : '!'));
    }
    auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return QVariant(decoded.decoded);
}

// A leaf element's value from its text, or nothing for an unknown name.
std::optional<QVariant> leafValue(QStringView name, const QString& text, bool* known)
{
    *known = true;
    if (name == u"string")
        return QVariant(text);
    if (name == u"integer")
        return integerValue(text);
    if (name == u"real")
        return realValue(text);
    if (name == u"date")
        return dateValue(text);
    if (name == u"data")
        return dataValue(text);
    if (name == u"true" || name == u"false") {
        if (!QStringView(text).trimmed().isEmpty())
            return std::nullopt;
        return QVariant(name == u"true");
    }
    *known = false;
    return std::nullopt;
}

// Whether the document declares an entity, in any encoding the reader
// takes: every entity, general or parameter, needs a literal declaration.
bool declaresEntities(const QByteArray& bytes)
{
    static const QList<QByteArray> spellings = [] {
        const QString declaration = QStringLiteral("<!ENTITY");
        QList<QByteArray> out{declaration.toLatin1()};
        for (auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE, QStringConverter::Utf32LE,
                              QStringConverter::Utf32BE}) {
            QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
            out << QByteArray(encoder.encode(declaration));
        }
        return out;
    }();
    return std::any_of(spellings.begin(), spellings.end(), [&](const QByteArray& s) { return bytes.contains(s); });
}

// Whether whatever entities the document declares could expand to no more
// than the decoded-bytes limit allows. Each reference begins with a '&' or
// '%' byte in every encoding (other bytes may look the same, which only
// overcounts) and expands to at most kMaxEntityExpansion characters. The
// reader expands references while it reads, inside the declarations too,
// so the bound is checked before it starts.
bool expansionFits(const QByteArray& bytes)
{
    if (!declaresEntities(bytes))
        return true;
    const qint64 references = std::count_if(bytes.begin(), bytes.end(), [](char c) { return c == '&' || c == '%'; });
    return references <= kMaxDecodedBytes / (2 * qint64(kMaxEntityExpansion));
}

} // namespace

std::optional<QVariant> parseXml(const QByteArray& bytes)
{
    if (bytes.size() > kMaxBytes || !expansionFits(bytes))
        return std::nullopt;
    QXmlStreamReader reader(bytes);
    reader.setEntityExpansionLimit(kMaxEntityExpansion);
    TreeBuilder tree(maxValues(bytes.size()));
    bool insideWrapper = false;
    bool wrapperClosed = false;

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = reader.name();
            if (wrapperClosed)
                return std::nullopt;
            if (name == u"plist") {
                // Only as the document element.
                if (insideWrapper || tree.depth() > 0 || tree.done())
                    return std::nullopt;
                insideWrapper = true;
                break;
            }
            if (name == u"key") {
                const QString key = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
                if (reader.hasError() || !tree.key(key))
                    return std::nullopt;
                break;
            }
            if (tree.wantsKey())
                return std::nullopt;
            if (name == u"dict" || name == u"array") {
                if (!(name == u"dict" ? tree.openDict() : tree.openArray()))
                    return std::nullopt;
                break;
            }
            const QString element = name.toString();
            const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (reader.hasError())
                return std::nullopt;
            bool known = false;
            std::optional<QVariant> v = leafValue(element, text, &known);
            if (!v || !tree.value(std::move(*v)))
                return std::nullopt;
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QStringView name = reader.name();
            if (name == u"plist") {
                if (!tree.done())
                    return std::nullopt;
                insideWrapper = false;
                wrapperClosed = true;
            } else if (name == u"dict" || name == u"array") {
                if (!tree.close())
                    return std::nullopt;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                return std::nullopt;
            break;
        case QXmlStreamReader::Invalid:
            return std::nullopt;
        default:
            break;  // declaration, document type, comments, instructions
        }
    }
    if (reader.hasError())
        return std::nullopt;
    return tree.result();
}

} // namespace velk::platform::plist
