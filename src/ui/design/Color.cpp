#include "ui/design/Color.h"

#include <QChar>

namespace velk::design {

namespace {

QStringView trimmedToAlphanumerics(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && !text.at(begin).isLetterOrNumber())
        ++begin;
    while (end > begin && !text.at(end - 1).isLetterOrNumber())
        --end;
    return text.mid(begin, end - begin);
}

int hexDigit(QChar c)
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

// Leading hexadecimal digits as an unsigned 64-bit number; saturates on
// overflow, which only lengths that give black anyway can reach.
quint64 scanHex(QStringView text)
{
    quint64 value = 0;
    for (QChar c : text) {
        const int digit = hexDigit(c);
        if (digit < 0)
            break;
        if (value > (~quint64(0) >> 4))
            return ~quint64(0);
        value = (value << 4) | quint64(digit);
    }
    return value;
}

qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace

QColor colorFromHex(QStringView text)
{
    const QStringView digits = trimmedToAlphanumerics(text);
    const quint64 v = scanHex(digits);
    int a = 255, r = 0, g = 0, b = 0;
    switch (characterCount(digits)) {
    case 8:
        a = int((v >> 24) & 0xFF);
        r = int((v >> 16) & 0xFF);
        g = int((v >> 8) & 0xFF);
        b = int(v & 0xFF);
        break;
    case 6:
        r = int((v >> 16) & 0xFF);
        g = int((v >> 8) & 0xFF);
        b = int(v & 0xFF);
        break;
    case 3:
        r = int((v >> 8) & 0xF) * 17;
        g = int((v >> 4) & 0xF) * 17;
        b = int(v & 0xF) * 17;
        break;
    default:
        break;
    }
    return QColor::fromRgb(r, g, b, a);
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

} // namespace velk::design
