#include "common/format/Formatting.h"

#include <limits>

namespace velk::fmt {

QString memoryBytes(std::uint64_t bytes)
{
    const auto max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return byteCount(static_cast<std::int64_t>(bytes > max ? max : bytes), ByteStyle::Memory);
}

QString megabytes(double megabytes)
{
    if (megabytes >= 1024)
        return fixed(megabytes / 1024, 2) + QStringLiteral(" GB");
    return fixed(megabytes, 0) + QStringLiteral(" MB");
}

QString processMegabytes(double megabytes)
{
    if (megabytes >= 1000)
        return fixed(megabytes / 1000, 2) + QStringLiteral(" GB");
    return fixed(megabytes, 1) + QStringLiteral(" MB");
}

QString cpuPercent(double percent)
{
    return fixed(percent, percent >= 10 ? 0 : 1) + u'%';
}

} // namespace velk::fmt
