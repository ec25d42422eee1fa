#include "ui/screens/dashboard/HomeReaders.h"

#include "engine/monitor/BatteryService.h"
#include "engine/monitor/SystemInfoService.h"

#include <QVariantMap>

namespace velk::screens {

QVariant HomeReaders::battery() const
{
    const std::optional<BatteryStatus> status = BatteryService::current();
    if (!status)
        return QVariant::fromValue(nullptr);
    return QVariantMap{
        { QStringLiteral("percent"), status->percent },
        { QStringLiteral("charging"), status->charging },
        { QStringLiteral("externalPower"), status->externalPower },
        { QStringLiteral("fullyCharged"), status->fullyCharged },
    };
}

QString HomeReaders::deviceKind() const
{
    return toRawValue(currentMacDeviceKind());
}

} // namespace velk::screens
