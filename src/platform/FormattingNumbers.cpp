#include "platform/Formatting.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <string>

namespace velk::platform::fmt {
namespace {

std::atomic<Lang>& displayLanguageSlot()
{
    static std::atomic<Lang> lang{Lang::Chinese};
    return lang;
}

// A double has at most 1074 significant fraction digits; past that printf
// only appends zeros.
constexpr int kMaxSignificantDigits = 1074;

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

} // namespace velk::platform::fmt
