#include "engine/monitor/DiskService.h"

#include "platform/core/CurrentUser.h"
#include "common/format/Formatting.h"
#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::monitor {


double DiskInfo::usedPercent() const
{
    if (totalBytes <= 0)
        return 0.0;
    return static_cast<double>(totalBytes - freeBytes) / static_cast<double>(totalBytes);
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
    return fmt::byteCount(totalBytes - freeBytes, fmt::ByteStyle::Binary);
}

DiskInfo DiskService::info()
{
    const QString home = platform::core::service<platform::core::CurrentUser>()->homePath();
    const auto host = platform::core::service<platform::host::HostProbe>();
    if (const auto capacity = host->volumeCapacity(home); capacity && capacity->total && *capacity->total > 0) {
        const std::int64_t free = capacity->availableForImportantUsage.value_or(capacity->available.value_or(0));
        return {*capacity->total, free};
    }
    // The volume's own figures failed or said nothing useful: ask the file
    // system.
    if (const auto fs = host->fileSystemSize(home); fs && fs->size && fs->freeSize)
        return {*fs->size, *fs->freeSize};
    return {};
}

} // namespace velk::monitor
