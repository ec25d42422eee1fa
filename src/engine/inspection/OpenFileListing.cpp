#include "engine/inspection/OpenFileListing.h"

#include <QStringList>
#include <charconv>

namespace velk::inspection::openfiles {
namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// A decimal signed 32-bit number, or 0 when the text is not one.
qint32 pidOf(const QString& text)
{
    const QByteArray digits = text.toLatin1();
    qint32 value = 0;
    const char* end = digits.constData() + digits.size();
    const auto [stop, error] = std::from_chars(digits.constData(), end, value);
    return error == std::errc() && stop == end && !digits.isEmpty() ? value : 0;
}

} // namespace

QString escapedName(const QByteArray& nativePath)
{
    static const char hex[] = "0123456789abcdef";
    QString out;
    out.reserve(nativePath.size());
    for (const char byte : nativePath) {
        const auto b = static_cast<unsigned char>(byte);
        switch (b) {
        case '\n':
            out += QStringLiteral("\\n");
            continue;
        case '\t':
            out += QStringLiteral("\\t");
            continue;
        case '\r':
            out += QStringLiteral("\\r");
            continue;
        case '\b':
            out += QStringLiteral("\\b");
            continue;
        case '\f':
            out += QStringLiteral("\\f");
            continue;
        case '\\':
            out += QStringLiteral("\\\\");
            continue;
        default:
            break;
        }
        if (b >= 0x7f) {
            out += QStringLiteral("\\x");
            out += QChar::fromLatin1(hex[b >> 4]);
            out += QChar::fromLatin1(hex[b & 0xf]);
        } else if (b < 0x20) {
            out += u'^';
            out += QChar::fromLatin1(static_cast<char>(b + 0x40));
        } else {
            out += QChar::fromLatin1(static_cast<char>(b));
        }
    }
    return out;
}

QString decodedCommand(const QString& field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    const QByteArray utf8 = field.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\\' && i + 1 < utf8.size() && utf8[i + 1] == '\\') {
            bytes += "\\\\";  // an escaped backslash: never the start of "\x"
            ++i;
            continue;
        }
        if (utf8[i] == '\\' && i + 3 < utf8.size() && utf8[i + 1] == 'x') {
            const int high = hexValue(QChar::fromLatin1(utf8[i + 2]));
            const int low = hexValue(QChar::fromLatin1(utf8[i + 3]));
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        bytes += utf8[i];
    }
    return QString::fromUtf8(bytes);
}

void collectHandles(const QString& output, const NameMap& names, qint32 ownPid, HandleMap& handles)
{
    qint32 pid = 0;
    QString command;
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
        const QChar tag = line.front();
        const QString value = line.mid(1);
        if (tag == u'p') {
            pid = pidOf(value);
            command.clear();
        } else if (tag == u'c') {
            command = decodedCommand(value);
        } else if (tag == u'n') {
            if (pid < 1 || pid == ownPid)
                continue;
            const auto given = names.constFind(value);
            if (given == names.constEnd())
                continue;
            QList<FileOpenHandle>& list = handles[*given];
            const FileOpenHandle handle{pid, command};
            if (!list.contains(handle))
                list.append(handle);
        }
    }
}

} // namespace velk::inspection::openfiles
