#pragma once

#include <QtGlobal>
#include <cmath>
#include <limits>

namespace velk::sensors {

// The integer part of `value` (cut towards zero) as a signed 64-bit number.
// A value that is not a number or infinite counts as 0; one beyond the
// 64-bit range takes the nearest end of it.
inline qint64 integerPart(double value)
{
    if (!std::isfinite(value))
        return 0;
    // 2^63 is the first double past the largest 64-bit integer.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (value <= -kLimit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(value));
}

} // namespace velk::sensors
