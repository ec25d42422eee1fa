#include "engine/monitor/SystemInfoService.h"

#include "engine/sensors/PlatformDetect.h"
#include "platform/core/Clock.h"
#include "common/format/Formatting.h"
#include "platform/host/HostProbe.h"
#include "platform/host/MachineFacts.h"
#include "platform/core/ServiceRegistry.h"

#include <algorithm>
#include <memory>

namespace velk::monitor {

namespace {
struct KindName {
    MacDeviceKind kind;
    const char* raw;
};
constexpr KindName kKindNames[] = {
    {MacDeviceKind::macBook, "macBook"},     {MacDeviceKind::iMac, "iMac"},     {MacDeviceKind::macMini, "macMini"},
    {MacDeviceKind::macStudio, "macStudio"}, {MacDeviceKind::macPro, "macPro"}, {MacDeviceKind::unknown, "unknown"},
};
} // namespace

QString toRawValue(MacDeviceKind kind)
{
    for (const KindName& k : kKindNames) {
        if (k.kind == kind)
            return QLatin1String(k.raw);
    }
    return {};
}

std::optional<MacDeviceKind> macDeviceKindFromRawValue(const QString& raw)
{
    for (const KindName& k : kKindNames) {
        if (raw == QLatin1String(k.raw))
            return k.kind;
    }
    return std::nullopt;
}

MacDeviceKind macDeviceKindForModel(const QString& modelIdentifier)
{
    const QString id = modelIdentifier.toLower();
    if (id.contains(u"book"))
        return MacDeviceKind::macBook;
    if (id.contains(u"imac"))
        return MacDeviceKind::iMac;
    if (id.contains(u"mini"))
        return MacDeviceKind::macMini;
    if (id.contains(u"studio"))
        return MacDeviceKind::macStudio;
    if (id.startsWith(u"macpro") || id.contains(u"macpro"))
        return MacDeviceKind::macPro;
    return MacDeviceKind::macBook;
}

MacDeviceKind currentMacDeviceKind()
{
    return macDeviceKindForModel(platform::core::service<platform::host::MachineFacts>()->modelIdentifier());
}

QString SystemInfoService::memoryText(std::uint64_t bytes)
{
    return fmt::fixed(static_cast<double>(bytes) / 1073741824.0, 0) + QStringLiteral(" GB");
}

MachineProfile SystemInfoService::machineProfile()
{
    const auto facts = platform::core::service<platform::host::MachineFacts>();
    MachineProfile profile;
    const QString version = facts->osVersion();
    profile.osVersion = version.isEmpty() ? facts->osName() : facts->osName() + u' ' + version;
    // The kernel's own total leaves out memory reserved at boot and reads
    // low, so the installed blocks count first.
    profile.memoryGB = memoryText(facts->installedMemory().value_or(platform::core::service<platform::host::HostProbe>()->physicalMemory()));
    if (const std::optional<sensors::Platform> chip = sensors::PlatformDetect::current())
        profile.platformLabel = rawValue(*chip);
    profile.hostName = facts->hostName().value_or(QStringLiteral("—"));
    profile.chip = CPUService::modelName();
    profile.architecture = facts->architecture();
    return profile;
}

std::vector<double> SystemInfoService::usageBetween(const std::vector<CPUService::CoreTicks>& first,
                                                    const std::vector<CPUService::CoreTicks>& second)
{
    std::vector<double> usage;
    if (first.empty() || first.size() != second.size())
        return usage;
    usage.reserve(first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const auto& a = first[i];
        const auto& b = second[i];
        if (b.total <= a.total) {
            usage.push_back(0.0);
            continue;
        }
        const double busy = b.busy > a.busy ? static_cast<double>(b.busy - a.busy) : 0.0;
        usage.push_back(std::min(busy / static_cast<double>(b.total - a.total), 1.0));
    }
    return usage;
}

std::vector<sensors::LogicalCoreThermal> SystemInfoService::perCoreTemperatures(int logicalCount)
{
    return sensors::CoreTemperatures::perCore(logicalCount);
}

void SystemInfoService::perCoreUsage(QObject* context, std::function<void(std::vector<double>)> done)
{
    auto first = std::make_shared<std::vector<CPUService::CoreTicks>>(CPUService::perCoreTicks());
    platform::core::service<platform::core::Clock>()->callAfter(0.35, context, [first, done = std::move(done)] {
        done(usageBetween(*first, CPUService::perCoreTicks()));
    });
}

} // namespace velk::monitor
