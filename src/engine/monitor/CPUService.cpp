#include "engine/monitor/CPUService.h"

#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

#include <cmath>

namespace velk::monitor {

namespace {
std::shared_ptr<platform::host::HostProbe> host()
{
    return platform::core::service<platform::host::HostProbe>();
}
} // namespace

CPUService::HostTicks CPUService::ticks()
{
    HostTicks ticks;
    const auto load = host()->processorLoad();
    if (!load)
        return ticks;
    for (const platform::host::CpuLoad& cpu : *load) {
        ticks.user += cpu.user + cpu.nice;
        ticks.system += cpu.system;
        ticks.idle += cpu.idle;
    }
    return ticks;
}

std::vector<CPUService::CoreTicks> CPUService::perCoreTicks()
{
    std::vector<CoreTicks> cores;
    const auto load = host()->processorLoad();
    if (!load)
        return cores;
    cores.reserve(load->size());
    for (const platform::host::CpuLoad& cpu : *load) {
        const std::uint64_t busy = cpu.user + cpu.system + cpu.nice;
        cores.push_back({busy, busy + cpu.idle});
    }
    return cores;
}

int CPUService::coreCount()
{
    return host()->logicalCpuCount().value_or(0);
}

QString CPUService::modelName()
{
    return host()->cpuBrand();
}

double CPUService::uptime()
{
    return host()->uptime();
}

QString CPUService::formattedUptime(double seconds, bool isEnglish)
{
    // Whole seconds toward zero; a value that is no number or too large for
    // a count of seconds is read as 0 or the largest count.
    std::int64_t s = 0;
    if (std::isfinite(seconds))
        s = seconds >= 9.0e18 ? INT64_C(9000000000000000000) : seconds <= -9.0e18 ? -INT64_C(9000000000000000000)
                                                                                  : static_cast<std::int64_t>(seconds);
    const std::int64_t h = s / 3600;
    const std::int64_t m = (s % 3600) / 60;
    const QString hs = QString::number(h);
    const QString ms = QString::number(m);
    if (s < 3600)
        return isEnglish ? ms + u'm' : ms + QStringLiteral(" 分钟");
    if (s < 86400)
        return isEnglish ? hs + QStringLiteral("h ") + ms + u'm' : hs + QStringLiteral(" 小时 ") + ms + QStringLiteral(" 分钟");
    const QString ds = QString::number(h / 24);
    const QString rh = QString::number(h % 24);
    return isEnglish ? ds + QStringLiteral("d ") + rh + u'h' : ds + QStringLiteral(" 天 ") + rh + QStringLiteral(" 小时");
}

} // namespace velk::monitor
