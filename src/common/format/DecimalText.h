#pragma once

#include <QStringView>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace velk::fmt {

// Parses text that is exactly an optional "+" or "-" followed by decimal
// digits, within the range of T. Anything else (blanks, other characters,
// overflow, a "-" for an unsigned T other than zero) gives nothing.
template <class T>
std::optional<T> parseDecimal(QStringView text)
{
    static_assert(std::is_integral_v<T>);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Leading zeros add nothing; what is left must fit the digit buffer.
    while (text.size() > 1 && text.front() == u'0')
        text = text.mid(1);
    if (text.size() > 40)
        return std::nullopt;
    char digits[40];
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits[i] = static_cast<char>(c);
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(digits, digits + text.size(), magnitude);
    if (ec != std::errc() || end != digits + text.size())
        return std::nullopt;
    if constexpr (std::is_signed_v<T>) {
        const auto max = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
        if (negative) {
            if (magnitude > max + 1)
                return std::nullopt;
            return magnitude == max + 1 ? std::numeric_limits<T>::min() : static_cast<T>(-static_cast<T>(magnitude));
        }
        if (magnitude > max)
            return std::nullopt;
        return static_cast<T>(magnitude);
    } else {
        if ((negative && magnitude != 0) || magnitude > std::numeric_limits<T>::max())
            return std::nullopt;
        return static_cast<T>(magnitude);
    }
}

} // namespace velk::fmt
