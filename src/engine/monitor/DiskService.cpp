#include "engine/monitor/DiskService.h"

#include "platform/core/CurrentUser.h"
#include "common/format/Formatting.h"
#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

#include <algorithm>

namespace velk::monitor {


std::int64_t DiskInfo::usedBytes() const
{
    return std::max<std::int64_t>(0, totalBytes - freeBytes - reservedBytes);
}

double DiskInfo::usedPercent() const
{
    const std::int64_t used = usedBytes();
    const std::int64_t room = used + std::max<std::int64_t>(0, freeBytes);
    if (totalBytes <= 0 || room <= 0)
        return 0.0;
    return static_cast<double>(used) / static_cast<double>(room);
}

QString DiskInfo::formattedTotal() const
{
    return fmt::byteCount(totalBytes, fmt::ByteStyle::Binary);
}

QString DiskInfo::formattedFree() const
{
    return fmt::byteCount(freeBytes, fmt::ByteStyle::Binary);
}

QString DiskInfo::formattedUsed() const
{
    return fmt::byteCount(usedBytes(), fmt::ByteStyle::Binary);
}

DiskInfo DiskService::info()
{
    const QString home = platform::core::service<platform::core::CurrentUser>()->homePath();
    const auto host = platform::core::service<platform::host::HostProbe>();
    if (const auto capacity = host->volumeCapacity(home); capacity && capacity->total && *capacity->total > 0) {
        const std::int64_t free = capacity->availableForImportantUsage.value_or(capacity->available.value_or(0));
        return {*capacity->total, free, capacity->reserved};
    }
    // The volume's own figures failed or said nothing useful: ask the file
    // system.
    if (const auto fs = host->fileSystemSize(home); fs && fs->size && fs->freeSize)
        return {*fs->size, *fs->freeSize, fs->reservedSize};
    return {};
}

} // namespace velk::monitor
