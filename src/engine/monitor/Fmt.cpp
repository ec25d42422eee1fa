#include "engine/monitor/Fmt.h"

#include "common/format/Formatting.h"

#include <limits>

namespace velk::monitor {


QString Fmt::bytes(std::uint64_t bytes)
{
    const auto max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return fmt::byteCount(static_cast<std::int64_t>(bytes > max ? max : bytes), fmt::ByteStyle::Memory);
}

QString Fmt::mb(double megabytes)
{
    if (megabytes >= 1024)
        return fmt::fixed(megabytes / 1024, 2) + QStringLiteral(" GB");
    return fmt::fixed(megabytes, 0) + QStringLiteral(" MB");
}

QString Fmt::processMB(double megabytes)
{
    if (megabytes >= 1000)
        return fmt::fixed(megabytes / 1000, 2) + QStringLiteral(" GB");
    return fmt::fixed(megabytes, 1) + QStringLiteral(" MB");
}

QString Fmt::cpu(double percent)
{
    return fmt::fixed(percent, percent >= 10 ? 0 : 1) + u'%';
}

} // namespace velk::monitor
