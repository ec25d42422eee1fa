#include "engine/sensors/CoreTemperatures.h"

#include "common/format/DecimalText.h"
#include "engine/sensors/HidSensors.h"
#include "engine/sensors/SMC.h"
#include "engine/sensors/SensorsEngine.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace velk::sensors {

namespace {

constexpr int kHidUsagePage = 0xFF00;
constexpr int kHidUsage = 5;
constexpr int kHidTemperatureEvent = 15;

bool inControllerRange(double v)
{
    return v >= 10 && v <= 120;
}

bool inHidRange(double v)
{
    return v >= 5 && v <= 120;
}

// The number captured by `pattern` in `text`, if it parses.
std::optional<qint64> capturedNumber(const QRegularExpression& pattern, const QString& text)
{
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return fmt::parseDecimal<qint64>(m.capturedView(1));
}

struct CoreSlots {
    explicit CoreSlots(int n) : values(static_cast<std::size_t>(n)) {}

    bool fill(qint64 s, double celsius, const QString& source)
    {
        if (s < 0 || s >= static_cast<qint64>(values.size()) || values[static_cast<std::size_t>(s)])
            return false;
        values[static_cast<std::size_t>(s)] = std::pair{celsius, source};
        return true;
    }

    std::vector<std::optional<std::pair<double, QString>>> values;
};

// The slot an engine sensor names, by the first rule that yields one.
std::optional<qint64> engineSlot(const Sensor& sensor, int performanceCpus)
{
    static const QRegularExpression keyPattern(QStringLiteral("^TC(\\d+)[cC]$"));
    static const QRegularExpression efficiency(QStringLiteral("efficiency core (\\d+)"));
    static const QRegularExpression performance(QStringLiteral("performance core (\\d+)"));
    static const QRegularExpression super(QStringLiteral("super core (\\d+)"));
    if (const auto n = capturedNumber(keyPattern, sensor.key))
        return n;
    const QString name = sensor.name.toLower();
    if (const auto n = capturedNumber(efficiency, name))
        return *n - 1;
    if (const auto n = capturedNumber(performance, name)) {
        if (*n - 1 > std::numeric_limits<qint64>::max() - performanceCpus)
            return std::nullopt;
        return *n - 1 + performanceCpus;
    }
    if (const auto n = capturedNumber(super, name))
        return *n - 1;
    return std::nullopt;
}

struct HidCore {
    qint64 number;
    double value;
    QString name;
};

} // namespace

std::optional<qint64> trailingSensorIndex(const QString& name)
{
    qsizetype start = name.size();
    while (start > 0) {
        const QChar c = name[start - 1];
        if (c.isLowSurrogate() && start >= 2 && name[start - 2].isHighSurrogate()) {
            if (!QChar::isNumber(QChar::surrogateToUcs4(name[start - 2], c)))
                break;
            start -= 2;
            continue;
        }
        if (!c.isNumber())
            break;
        --start;
    }
    if (start == name.size())
        return std::nullopt;
    // Only plain decimal digits parse; other numeric characters do not.
    const QStringView digits = QStringView(name).mid(start);
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return fmt::parseDecimal<qint64>(digits);
}

std::vector<LogicalCoreThermal> CoreTemperatures::perCore(int logicalCount)
{
    return perCore(logicalCount, machineSources());
}

CoreTemperatures::Sources CoreTemperatures::machineSources()
{
    Sources s;
    s.controllerValue = [](const QString& key) { return SMC::shared().getValue(key); };
    s.engineSensors = [] { return SensorsEngine::shared().materializedSensors(); };
    // Linux has no performance levels: every CPU counts as one kind.
    s.performanceLevelCpus = [] { return 0; };
    s.hidReadings = [] { return AppleSiliconSensors(kHidUsagePage, kHidUsage, kHidTemperatureEvent); };
    return s;
}

std::vector<LogicalCoreThermal> CoreTemperatures::perCore(int n, const Sources& sources)
{
    if (n < 1)
        return {};
    CoreSlots table(n);

    // 1. The controller's per-core keys.
    for (int i = 0; i < n; ++i) {
        for (const char* suffix : {"c", "C"}) {
            const QString key = QStringLiteral("TC") + QString::number(i) + QLatin1String(suffix);
            const std::optional<double> v = sources.controllerValue(key);
            if (v && inControllerRange(*v)) {
                table.fill(i, *v, key);
                break;
            }
        }
    }

    // 2. The engine's CPU temperatures.
    int performanceCpus = sources.performanceLevelCpus();
    for (const SensorEntry& entry : sources.engineSensors()) {
        const Sensor* sensor = std::get_if<Sensor>(&entry);
        if (!sensor || sensor->group != SensorGroup::CPU || sensor->type != SensorType::temperature
            || sensor->isComputed || !inControllerRange(sensor->value))
            continue;
        if (const auto s = engineSlot(*sensor, performanceCpus))
            table.fill(*s, sensor->value, sensor->key);
    }

    // 3. The HID readings of the CPU clusters.
    const std::map<QString, double> readings = sources.hidReadings();
    std::vector<HidCore> performanceCores;
    std::vector<HidCore> efficiencyCores;
    for (const auto& [name, value] : readings) {
        if (!inHidRange(value))
            continue;
        const std::optional<qint64> number = trailingSensorIndex(name);
        if (!number)
            continue;
        if (name.contains(u"pACC MTR Temp"))
            performanceCores.push_back({*number, value, name});
        else if (name.contains(u"eACC MTR Temp"))
            efficiencyCores.push_back({*number, value, name});
    }
    const auto byNumber = [](const HidCore& a, const HidCore& b) { return a.number < b.number; };
    std::stable_sort(performanceCores.begin(), performanceCores.end(), byNumber);
    std::stable_sort(efficiencyCores.begin(), efficiencyCores.end(), byNumber);
    performanceCpus = sources.performanceLevelCpus();
    for (const HidCore& core : efficiencyCores) {
        if (performanceCpus == 0 || core.number < performanceCpus)
            table.fill(core.number, core.value, core.name);
    }
    for (const HidCore& core : performanceCores) {
        // Numbers beyond the 64-bit range never name a slot.
        if (core.number <= std::numeric_limits<qint64>::max() - performanceCpus)
            table.fill(core.number + performanceCpus, core.value, core.name);
    }

    // 4. Any reading left, by name, for the slots still empty.
    std::vector<std::pair<QString, double>> leftovers;
    for (const auto& [name, value] : readings) {
        if (inHidRange(value))
            leftovers.emplace_back(name, value);
    }
    std::sort(leftovers.begin(), leftovers.end());
    auto next = leftovers.begin();
    for (int i = 0; i < n && next != leftovers.end(); ++i) {
        if (!table.values[static_cast<std::size_t>(i)]) {
            table.fill(i, next->second, next->first);
            ++next;
        }
    }

    std::vector<LogicalCoreThermal> cores;
    cores.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        LogicalCoreThermal core;
        core.index = i;
        if (const auto& slot = table.values[static_cast<std::size_t>(i)]) {
            core.celsius = slot->first;
            core.source = slot->second;
        }
        cores.push_back(core);
    }
    return cores;
}

} // namespace velk::sensors
