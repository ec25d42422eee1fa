#include "platform/sensors/BatteryRegistry.h"

#include "platform/files/ProcFiles.h"

#include <QDir>
#include <cmath>
#include <optional>

namespace velk::platform::sensors {
namespace {

class SupplyFolder {
public:
    explicit SupplyFolder(QString path) : m_path(std::move(path)) {}

    std::optional<QString> text(const char* attribute) const
    {
        const QString value = files::procfiles::readTrimmed(m_path + u'/' + QLatin1String(attribute));
        if (value.isEmpty())
            return std::nullopt;
        return value;
    }

    // Counters far beyond any battery's (|n| > 2^53) count as unreadable, so
    // the arithmetic below stays exact and in range.
    std::optional<qint64> number(const char* attribute) const
    {
        const auto value = text(attribute);
        if (!value)
            return std::nullopt;
        bool ok = false;
        const qint64 n = value->toLongLong(&ok);
        if (!ok || n > kLargest || n < -kLargest)
            return std::nullopt;
        return n;
    }

    static constexpr qint64 kLargest = qint64(1) << 53;

private:
    QString m_path;
};

// The nearest whole number, or nothing for a value that is no number or
// lies beyond what the registry's integers hold.
std::optional<qint64> whole(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15)
        return std::nullopt;
    return static_cast<qint64>(std::llround(value));
}

// Micro-units to milli-units, rounded to the nearest.
qint64 milli(qint64 micro)
{
    return *whole(static_cast<double>(micro) / 1000.0);
}

class SysfsBatteryRegistry final : public BatteryRegistry {
public:
    explicit SysfsBatteryRegistry(const QString& root) : m_classFolder(root + QStringLiteral("/class/power_supply")) {}

    std::optional<QVariantMap> batteryProperties() const override
    {
        const QStringList names = QDir(m_classFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
        std::optional<SupplyFolder> battery;
        std::optional<SupplyFolder> adapter;
        for (const QString& name : names) {
            SupplyFolder supply(m_classFolder + u'/' + name);
            const QString type = supply.text("type").value_or(QString());
            if (type == u"Battery") {
                // Batteries of mice and keyboards report the scope "Device".
                if (!battery && supply.text("scope").value_or(QString()) != u"Device")
                    battery = supply;
            } else if ((type == u"Mains" || type.startsWith(QLatin1String("USB"))) && supply.number("online").value_or(0) == 1) {
                if (!adapter)
                    adapter = supply;
            }
        }
        if (!battery)
            return std::nullopt;
        return properties(*battery, adapter);
    }

private:
    static QVariantMap properties(const SupplyFolder& battery, const std::optional<SupplyFolder>& adapter)
    {
        QVariantMap p;
        const QString status = battery.text("status").value_or(QString());
        const bool charging = status == u"Charging";
        const bool discharging = status == u"Discharging";

        if (const auto capacity = battery.number("capacity"))
            p.insert("CurrentCapacity", *capacity);
        if (const auto cycles = battery.number("cycle_count"))
            p.insert("CycleCount", *cycles);
        p.insert("IsCharging", charging);
        p.insert("ExternalConnected", adapter.has_value() || (!status.isEmpty() && !discharging && status != u"Unknown"));
        p.insert("FullyCharged", status == u"Full");
        p.insert("AtCriticalLevel", battery.text("capacity_level").value_or(QString()) == u"Critical");

        // Charge counters are in µAh; energy counters (µWh) are turned into
        // charge through the design voltage.
        const auto voltageNow = battery.number("voltage_now");
        const auto designVoltage = battery.number("voltage_min_design");
        const auto chargeVolts = designVoltage.value_or(voltageNow.value_or(0));
        const auto charge = [&](const char* chargeKey, const char* energyKey) -> std::optional<qint64> {
            if (const auto c = battery.number(chargeKey))
                return milli(*c);
            const auto e = battery.number(energyKey);
            if (!e || chargeVolts <= 0)
                return std::nullopt;
            return whole(static_cast<double>(*e) / static_cast<double>(chargeVolts) * 1000.0);
        };
        QVariantMap data;
        if (const auto design = charge("charge_full_design", "energy_full_design"))
            data.insert("DesignCapacity", *design);
        if (const auto full = charge("charge_full", "energy_full"))
            data.insert("FullChargeCapacity", *full);
        p.insert("BatteryData", data);

        if (voltageNow)
            p.insert("Voltage", milli(*voltageNow));
        // The kernel's current is positive in either direction on most
        // machines; the registry's is negative while discharging.
        std::optional<qint64> current = battery.number("current_now");
        if (!current) {
            if (const auto power = battery.number("power_now"); power && voltageNow && *voltageNow > 0)
                current = whole(static_cast<double>(*power) / static_cast<double>(*voltageNow) * 1e6);
        }
        if (current) {
            const qint64 ma = milli(std::llabs(*current));
            p.insert("Amperage", discharging ? -ma : ma);
        }
        if (const auto minutes = minutesRemaining(battery, charging, discharging))
            p.insert("TimeRemaining", *minutes);

        if (const auto serial = battery.text("serial_number"))
            p.insert("Serial", *serial);
        if (const auto model = battery.text("model_name"))
            p.insert("DeviceName", *model);

        if (adapter) {
            QVariantMap details;
            if (const auto name = adapter->text("model_name"))
                details.insert("Name", *name);
            const auto volts = adapter->number("voltage_max");
            const auto amps = adapter->number("current_max");
            const auto watts = volts && amps && *volts > 0 && *amps > 0
                ? whole(static_cast<double>(*volts) * static_cast<double>(*amps) / 1e12)
                : std::nullopt;
            if (watts)
                details.insert("Watts", *watts);
            p.insert("AdapterDetails", details);
        }
        return p;
    }

    // The kernel's own estimate when it gives one, else the time the present
    // rate takes to empty or to fill the battery.
    static std::optional<qint64> minutesRemaining(const SupplyFolder& battery, bool charging, bool discharging)
    {
        if (!charging && !discharging)
            return std::nullopt;
        if (const auto seconds = battery.number(discharging ? "time_to_empty_now" : "time_to_full_now"))
            return *seconds / 60;
        const auto rate = [&](const char* key) { return battery.number(key).value_or(0); };
        for (const auto& [nowKey, fullKey, rateKey] : {std::tuple{"charge_now", "charge_full", "current_now"},
                                                      std::tuple{"energy_now", "energy_full", "power_now"}}) {
            const auto now = battery.number(nowKey);
            const auto full = battery.number(fullKey);
            const qint64 r = std::llabs(rate(rateKey));
            if (!now || r <= 0)
                continue;
            const qint64 left = discharging ? *now : (full ? std::max<qint64>(*full - *now, 0) : -1);
            if (left < 0)
                continue;
            return whole(std::floor(static_cast<double>(left) / static_cast<double>(r) * 60.0));
        }
        return std::nullopt;
    }

    QString m_classFolder;
};

} // namespace

std::shared_ptr<BatteryRegistry> BatteryRegistry::createDefault()
{
    return fromSysfs(QStringLiteral("/sys"));
}

std::shared_ptr<BatteryRegistry> BatteryRegistry::fromSysfs(const QString& sysfsRoot)
{
    return std::make_shared<SysfsBatteryRegistry>(sysfsRoot);
}

} // namespace velk::platform::sensors
