#include "common/format/Formatting.h"

#include <array>

namespace velk::fmt {
namespace {

constexpr std::array<const char*, 6> kUnits = {"KB", "MB", "GB", "TB", "PB", "EB"};

int fractionDigits(std::size_t unit)
{
    return unit == 0 ? 0 : unit == 1 ? 1 : 2;
}

std::uint64_t powerOfTen(int digits)
{
    std::uint64_t p = 1;
    for (int i = 0; i < digits; ++i)
        p *= 10;
    return p;
}

// n / divisor as a fixed-point number with `digits` fraction digits, rounded
// half up; long division keeps every step inside 64 bits.
std::uint64_t scaledQuotient(std::uint64_t n, std::uint64_t divisor, int digits)
{
    std::uint64_t q = n / divisor;
    std::uint64_t r = n % divisor;
    for (int i = 0; i < digits; ++i) {
        r *= 10;
        q = q * 10 + r / divisor;
        r %= divisor;
    }
    if (r >= divisor - r)
        ++q;
    return q;
}

QString decimal(std::uint64_t scaled, int digits)
{
    const std::uint64_t unit = powerOfTen(digits);
    QString text = QString::number(scaled / unit);
    std::uint64_t fraction = scaled % unit;
    int shown = digits;
    while (shown > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --shown;
    }
    if (shown > 0)
        text += QLatin1Char('.') + QString::number(fraction).rightJustified(shown, QLatin1Char('0'));
    return text;
}

QString byteWord(std::uint64_t n, Lang lang)
{
    if (lang == Lang::Chinese)
        return QString::number(n) + QStringLiteral(" 字节");
    return QString::number(n) + (n == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
}

QString magnitudeText(std::uint64_t n, std::uint64_t base, Lang lang)
{
    if (n < 1000)
        return byteWord(n, lang);
    std::uint64_t divisor = base;
    for (std::size_t unit = 0;; ++unit, divisor *= base) {
        const int digits = fractionDigits(unit);
        const std::uint64_t scaled = scaledQuotient(n, divisor, digits);
        if (scaled < 1000 * powerOfTen(digits) || unit + 1 == kUnits.size())
            return decimal(scaled, digits) + QLatin1Char(' ') + QLatin1String(kUnits[unit]);
    }
}

} // namespace

QString byteCount(std::int64_t bytes, ByteStyle style, Lang lang)
{
    if (bytes == 0)
        return lang == Lang::Chinese ? QStringLiteral("零 KB") : QStringLiteral("Zero KB");
    // The magnitude of the most negative value does not fit in int64.
    const std::uint64_t magnitude = bytes < 0 ? std::uint64_t(-(bytes + 1)) + 1 : std::uint64_t(bytes);
    const std::uint64_t base = style == ByteStyle::File ? 1000 : 1024;
    const QString text = magnitudeText(magnitude, base, lang);
    return bytes < 0 ? QLatin1Char('-') + text : text;
}

} // namespace velk::fmt
