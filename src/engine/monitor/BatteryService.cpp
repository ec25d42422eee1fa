#include "engine/monitor/BatteryService.h"

#include "platform/sensors/BatteryRegistry.h"
#include "platform/core/ServiceRegistry.h"

#include <cmath>
#include <limits>

namespace velk::monitor {
namespace {

bool isSignedInteger(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::SChar:
        return true;
    default:
        return false;
    }
}

bool isNumberObject(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

std::optional<int> fitInt(long double value)
{
    // No NaN, infinity or out-of-range value reaches the conversion.
    if (!std::isfinite(value))
        return std::nullopt;
    const long double truncated = std::trunc(value);
    if (truncated < std::numeric_limits<int>::min() || truncated > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(truncated);
}

QVariantMap dictionary(const QVariant& value)
{
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

} // namespace

std::optional<QString> BatteryStatus::conditionKey() const
{
    if (!healthPercent)
        return std::nullopt;
    return *healthPercent < 80 ? QStringLiteral("service") : QStringLiteral("normal");
}

std::optional<int> BatteryService::integer(const QVariant& value)
{
    if (isSignedInteger(value))
        return fitInt(static_cast<long double>(value.toLongLong()));
    if (isNumberObject(value)) {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
            return fitInt(static_cast<long double>(value.toDouble()));
        return fitInt(static_cast<long double>(value.toULongLong()));
    }
    return std::nullopt;
}

bool BatteryService::boolean(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isSignedInteger(value) || isNumberObject(value))
        return integer(value) == 1;
    return false;
}

std::optional<QString> BatteryService::modelCode(const QVariant& value, int at, int width, int digits)
{
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (at < 0 || bytes.size() < at + width)
        return std::nullopt;
    const unsigned n = (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
    return QStringLiteral("0x") + QString::number(n, 16).rightJustified(digits, u'0');
}

std::optional<BatteryStatus> BatteryService::current()
{
    const auto properties = platform::core::service<platform::sensors::BatteryRegistry>()->batteryProperties();
    if (!properties)
        return std::nullopt;
    return parse(*properties);
}

std::optional<BatteryStatus> BatteryService::parse(const QVariantMap& p)
{
    const QVariantMap data = dictionary(p.value("BatteryData"));
    BatteryStatus s;

    // Only the charge decides whether there is a battery to show: many
    // drivers give no cycle count or capacities, and those figures are then
    // simply absent.
    const auto percent = integer(p.value("CurrentCapacity"));
    if (!percent)
        return std::nullopt;
    s.percent = *percent;
    s.cycles = integer(p.value("CycleCount"));
    if (const auto design = integer(data.value("DesignCapacity")); design && *design > 0)
        s.designmAh = design;
    s.fullmAh = data.contains("AppleRawMaxCapacity") ? integer(data.value("AppleRawMaxCapacity"))
                                                     : integer(data.value("FullChargeCapacity"));

    s.minutesRemaining = integer(p.value("TimeRemaining"));
    if (s.minutesRemaining == 65535)
        s.minutesRemaining.reset();

    const bool hasAdapter = p.value("AdapterDetails").typeId() == QMetaType::QVariantMap;
    const QVariantMap adapter = dictionary(p.value("AdapterDetails"));

    if (const QVariant telemetry = p.value("PowerTelemetryData"); telemetry.typeId() == QMetaType::QVariantMap) {
        if (const auto milliwatts = integer(telemetry.toMap().value("SystemPowerIn")))
            s.powerWatts = *milliwatts / 1000.0;
    }

    s.charging = boolean(p.value("IsCharging"));
    s.externalPower = boolean(p.value("ExternalConnected"));
    s.designCycles = integer(p.value("DesignCycleCount9C"));

    if (const auto health = integer(data.value("MaxCapacity")))
        s.healthPercent = *health;
    else if (const auto topHealth = integer(p.value("MaxCapacity")))
        s.healthPercent = *topHealth;
    else if (s.fullmAh && s.designmAh)
        s.healthPercent = fitInt(std::round(static_cast<double>(*s.fullmAh) / *s.designmAh * 100.0));

    if (const QVariant v = p.value("Serial"); v.typeId() == QMetaType::QString)
        s.serial = v.toString();
    if (const QVariant v = p.value("DeviceName"); v.typeId() == QMetaType::QString)
        s.deviceName = v.toString();

    const QVariant maker = p.value("ManufacturerData");
    s.packLot = modelCode(maker, 0, 2, 4);
    s.pcbLot = modelCode(maker, 2, 2, 4);
    s.firmware = modelCode(maker, 4, 2, 8);
    s.hardwareRevision = modelCode(maker, 6, 2, 4);
    s.cellRevision = modelCode(maker, 8, 2, 4);

    s.belowWarning = boolean(p.value("AtCriticalLevel"));
    s.fullyCharged = boolean(p.value("FullyCharged"));

    s.voltageV = integer(p.value("Voltage")).value_or(0) / 1000.0;
    s.amperageA = integer(p.value("Amperage")).value_or(0) / 1000.0;

    if (hasAdapter) {
        if (const QVariant name = adapter.value("Name"); name.typeId() == QMetaType::QString)
            s.adapterName = name.toString();
        s.adapterWatts = integer(adapter.value("Watts"));
    }
    return s;
}

} // namespace velk::monitor
