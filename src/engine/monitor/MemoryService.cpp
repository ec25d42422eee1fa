#include "engine/monitor/MemoryService.h"

#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::monitor {

double MemoryStats::usedPercent() const
{
    return total == 0 ? 0.0 : static_cast<double>(used) / static_cast<double>(total);
}

double MemoryStats::freePercent() const
{
    return total == 0 ? 0.0 : static_cast<double>(free) / static_cast<double>(total);
}

MemoryStats MemoryService::currentStats()
{
    const auto host = platform::core::service<platform::host::HostProbe>();
    MemoryStats stats;
    const std::uint64_t page = host->pageSize();
    stats.total = host->physicalMemory();
    const auto vm = host->vmStatistics();
    if (!vm)
        return stats;
    stats.used = (vm->active + vm->wired + vm->compressor + vm->speculative) * page;
    stats.free = (vm->free + vm->inactive) * page;
    stats.wired = vm->wired * page;
    stats.compressed = vm->compressor * page;
    stats.app = (vm->active + vm->speculative) * page;
    stats.cached = vm->inactive * page;
    stats.swapUsed = host->swapUsed().value_or(0);
    return stats;
}

} // namespace velk::monitor
