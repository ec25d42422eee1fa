// Prints what the sensor engine finds on this machine, or below a sysfs
// root given with --sysfs-root: every controller key with its type and
// value, the named sensors, and the thermal snapshot. The last line sums it
// up with the time one refresh takes when every value is read afresh.

#include "engine/monitor/SystemInfoService.h"
#include "engine/sensors/PlatformDetect.h"
#include "engine/sensors/SMC.h"
#include "engine/sensors/SensorsEngine.h"
#include "platform/core/Clock.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/sensors/SmcTransport.h"

#include <QCoreApplication>
#include <QStringList>
#include <chrono>
#include <cstdio>

using namespace velk;
using namespace velk::monitor;
using namespace velk::sensors;

namespace {

void out(const QString& line)
{
    std::puts(line.toUtf8().constData());
}

QString valueText(SMC& smc, const SMCVal_t& raw)
{
    if (raw.dataType == u"{fds")
        return u'"' + smc.getStringValue(raw.key).value_or(QString()) + u'"';
    const std::optional<double> v = smc.getValue(raw.key);
    return v ? fmt::fixed(*v, 2) : QStringLiteral("—");
}

// A clock that moves on a second with every reading, so each refresh reads
// every value afresh as a tick of the monitor does.
class SteppingClock final : public platform::core::Clock {
public:
    explicit SteppingClock(std::shared_ptr<platform::core::Clock> real) : m_real(std::move(real)) {}
    QDateTime now() const override { return m_real->now(); }
    qint64 monotonicMs() const override { return m_ms += 1000; }
    void callAfter(double seconds, QObject* context, std::function<void()> fn) override
    {
        m_real->callAfter(seconds, context, std::move(fn));
    }

private:
    std::shared_ptr<platform::core::Clock> m_real;
    mutable qint64 m_ms = 0;
};

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype rootAt = args.indexOf(QStringLiteral("--sysfs-root"));
    if (rootAt > 0) {
        if (rootAt + 1 >= args.size()) {
            std::fputs("usage: velk-sensors [--sysfs-root DIR]\n", stderr);
            return 2;
        }
        platform::core::Service<platform::sensors::SmcTransport>::install(platform::sensors::SmcTransport::fromSysfs(args[rootAt + 1]));
    }

    SMC& smc = SMC::shared();
    const QStringList keys = smc.getAllKeys();
    out(QStringLiteral("keys:"));
    for (const QString& key : keys) {
        const std::optional<SMCVal_t> raw = smc.readKey(key);
        if (!raw) {
            out(QStringLiteral("  %1  (unreadable)").arg(key));
            continue;
        }
        out(QStringLiteral("  %1  %2  %3").arg(key, raw->dataType, valueText(smc, *raw)));
    }

    SensorsEngine& engine = SensorsEngine::shared();
    const auto firstStart = std::chrono::steady_clock::now();
    engine.thermalSnapshot();
    const double firstMs = millisecondsSince(firstStart);

    const std::vector<SensorEntry> sensors = engine.materializedSensors();
    out(QStringLiteral("sensors:"));
    for (const SensorEntry& s : sensors) {
        out(QStringLiteral("  %1  [%2]  %3")
                .arg(sensorEntry::name(s), rawValue(sensorEntry::group(s)), sensorEntry::formattedValue(s)));
    }

    constexpr int kRefreshes = 200;
    ThermalStats stats;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRefreshes; ++i)
        stats = engine.thermalSnapshot();
    const double perCachedRefresh = millisecondsSince(start) / kRefreshes;
    platform::core::Service<platform::core::Clock>::install(
        std::make_shared<SteppingClock>(platform::core::service<platform::core::Clock>()));
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRefreshes; ++i)
        stats = engine.thermalSnapshot();
    const double perRefresh = millisecondsSince(start) / kRefreshes;

    out(QStringLiteral("snapshot:"));
    const QString hottest = stats.cpuCelsius ? fmt::fixed(*stats.cpuCelsius, 1) : QStringLiteral("none");
    out(QStringLiteral("  cpuCelsius  %1").arg(hottest));
    for (const FanReading& fan : stats.fans) {
        out(QStringLiteral("  fan %1  %2 of %3 rpm  load %4")
                .arg(fan.id)
                .arg(fan.rpm)
                .arg(fan.maxRPM)
                .arg(fmt::fixed(fan.load(), 2)));
    }
    const std::optional<QString> label = SystemInfoService::machineProfile().platformLabel;
    out(QStringLiteral("platformLabel  %1").arg(label.value_or(QStringLiteral("absent"))));
    out(QStringLiteral("first_refresh_ms=%1 (discovery included)").arg(fmt::fixed(firstMs, 3)));
    out(QStringLiteral("ms_per_cached_refresh=%1 (values read within the last second)")
            .arg(fmt::fixed(perCachedRefresh, 4)));

    const std::optional<Platform> chip = PlatformDetect::current();
    out(QStringLiteral("keys=%1 sensors=%2 hottest_cpu=%3 fans=%4 platform=%5 ms_per_refresh=%6")
            .arg(keys.size())
            .arg(sensors.size())
            .arg(hottest)
            .arg(stats.fans.size())
            .arg(chip ? rawValue(*chip) : QStringLiteral("none"))
            .arg(fmt::fixed(perRefresh, 4)));
    return 0;
}
