#include "common/format/Formatting.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <string>

namespace velk::fmt {
namespace {

std::atomic<Lang>& displayLanguageSlot()
{
    static std::atomic<Lang> lang{Lang::Chinese};
    return lang;
}

// A double has at most 1074 significant fraction digits; past that printf
// only appends zeros.
constexpr int kMaxSignificantDigits = 1074;

// Beyond this an integer text would lose digits a double cannot hold.
constexpr double kLargestWhole = 1e15;

const QString& unknownNumber()
{
    static const QString dash = QStringLiteral("\u2014");
    return dash;
}

// `value` rounded half away from zero, when it is finite and in range.
bool roundedWhole(double value, long long& whole)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestWhole)
        return false;
    whole = std::llround(value);
    return true;
}

} // namespace

Lang langFromCode(const QString& code)
{
    return code == QLatin1String("en") ? Lang::English : Lang::Chinese;
}

Lang displayLanguage()
{
    return displayLanguageSlot().load(std::memory_order_relaxed);
}

void setDisplayLanguage(Lang lang)
{
    displayLanguageSlot().store(lang, std::memory_order_relaxed);
}

QString fixed(double value, int digits)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    digits = std::max(digits, 0);
    const int exact = std::min(digits, kMaxSignificantDigits);
    // Integer part of at most 309 digits, sign, point and the fraction.
    std::string buffer(static_cast<std::size_t>(320 + exact), '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, exact);
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    buffer.append(static_cast<std::size_t>(digits - exact), '0');
    return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(buffer.size()));
}

QString percent(double fraction)
{
    long long whole = 0;
    if (!std::isfinite(fraction) || !roundedWhole(fraction * 100.0, whole))
        return unknownNumber();
    return QString::number(whole) + u'%';
}

QString groupedCount(double count)
{
    long long whole = 0;
    if (!roundedWhole(count, whole))
        return unknownNumber();
    const QString digits = QString::number(whole < 0 ? -whole : whole);
    QString text;
    text.reserve(digits.size() + digits.size() / 3 + 1);
    if (whole < 0)
        text.append(u'-');
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.append(u',');
        text.append(digits[i]);
    }
    return text;
}

QString decimal(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return QStringLiteral("—");
    const double whole = std::round(value);
    return fixed(whole == 0 ? 0.0 : whole, 0);
}

QString fixedPercent(double fraction, int digits)
{
    if (!std::isfinite(fraction) || std::fabs(fraction) > 1e13)
        return QStringLiteral("—");
    return fixed(fraction * 100.0, digits) + u'%';
}

} // namespace velk::fmt
