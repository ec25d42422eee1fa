#include "engine/monitor/DiskService.h"

#include "platform/CurrentUser.h"
#include "platform/Formatting.h"
#include "platform/HostProbe.h"
#include "platform/ServiceRegistry.h"

namespace velk {

namespace fmt = platform::fmt;

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
    const QString home = platform::service<platform::CurrentUser>()->homePath();
    const auto host = platform::service<platform::HostProbe>();
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

} // namespace velk
