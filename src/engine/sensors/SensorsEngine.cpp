#include "engine/sensors/SensorsEngine.h"

#include "engine/sensors/IntegerPart.h"
#include "engine/sensors/PlatformDetect.h"
#include "engine/sensors/SMC.h"
#include "engine/sensors/SensorCatalog.h"

#include <algorithm>
#include <cmath>

namespace velk::sensors {

namespace {

const QString kAverageKey = QStringLiteral("Average CPU");
const QString kHottestKey = QStringLiteral("Hottest CPU");
constexpr qint64 kMaxFans = 10;

bool isCpuTemperature(const SensorEntry& e)
{
    return sensorEntry::group(e) == SensorGroup::CPU && sensorEntry::type(e) == SensorType::temperature;
}

std::optional<SensorType> typeOfUncatalogued(const QString& key)
{
    switch (key.isEmpty() ? char16_t(0) : key.front().unicode()) {
    case u'T':
        return SensorType::temperature;
    case u'V':
        return SensorType::voltage;
    case u'I':
        return SensorType::current;
    case u'P':
        return SensorType::power;
    default:
        return std::nullopt;
    }
}

} // namespace

SensorsEngine::SensorsEngine(SMC& smc, PlatformSource platform)
    : m_smc(smc)
    , m_platform(platform ? std::move(platform) : PlatformSource(&PlatformDetect::current))
{
}

SensorsEngine& SensorsEngine::shared()
{
    static SensorsEngine* const engine = new SensorsEngine(SMC::shared());
    return *engine;
}

std::vector<SensorEntry> SensorsEngine::sensorsList()
{
    std::lock_guard lock(m_lock);
    if (!m_cachedSensors)
        m_cachedSensors = buildSensors();
    return *m_cachedSensors;
}

std::vector<Fan> SensorsEngine::buildFans()
{
    std::vector<Fan> fans;
    const std::optional<double> reported = m_smc.getValue(QStringLiteral("FNum"));
    // A count that is no number or below zero means no fans; the controller
    // numbers at most ten.
    if (!reported || !std::isfinite(*reported) || *reported < 0)
        return fans;
    const double n = std::min<double>(*reported, kMaxFans);
    const qint64 count = integerPart(n);
    for (qint64 k = 0; k < count; ++k) {
        const QString prefix = u'F' + QString::number(k);
        const std::optional<QString> id = m_smc.getStringValue(prefix + QStringLiteral("ID"));
        const double mode = m_smc.getValue(m_smc.fanModeKey(k)).value_or(0);

        Fan fan;
        fan.id = k;
        fan.key = prefix + QStringLiteral("Ac");
        if (n == 2 && !id)
            fan.name = k == 0 ? QStringLiteral("Left fan") : QStringLiteral("Right fan");
        else if (id)
            fan.name = *id;
        else
            fan.name = QStringLiteral("Fan #") + QString::number(k);
        fan.minSpeed = m_smc.getValue(prefix + QStringLiteral("Mn")).value_or(1);
        fan.maxSpeed = m_smc.getValue(prefix + QStringLiteral("Mx")).value_or(1);
        fan.value = m_smc.getValue(fan.key).value_or(0);
        fan.mode = integerPart(mode) == 1 ? FanMode::forced : FanMode::automatic;
        fans.push_back(std::move(fan));
    }
    return fans;
}

std::vector<SensorEntry> SensorsEngine::buildSensors()
{
    const QStringList keys = m_smc.getAllKeys();
    const std::optional<Platform> platform = m_platform();
    std::vector<const Sensor*> candidates;
    for (const Sensor& row : sensorsCatalog()) {
        if (!platform || std::find(row.platforms.begin(), row.platforms.end(), *platform) != row.platforms.end())
            candidates.push_back(&row);
    }

    std::vector<SensorEntry> list;
    for (Fan& fan : buildFans())
        list.emplace_back(std::move(fan));

    QStringList live;
    for (const QString& key : keys) {
        if (!key.isEmpty() && QStringView(u"TVPI").contains(key.front()))
            live.append(key);
    }

    for (const Sensor* row : candidates) {
        const qsizetype at = live.indexOf(row->key);
        if (at < 0)
            continue;
        list.emplace_back(*row);
        live.removeAt(at);
    }
    for (const Sensor* row : candidates) {
        if (!row->key.contains(u'%'))
            continue;
        int found = 0;
        for (int digit = 0; digit <= 9; ++digit) {
            QString key = row->key;
            key.replace(u'%', QString::number(digit));
            const qsizetype at = live.indexOf(key);
            if (at < 0)
                continue;
            Sensor sensor = row->copy();
            sensor.key = key;
            sensor.name.replace(u'%', QString::number(++found));
            list.emplace_back(std::move(sensor));
            live.removeAt(at);
        }
    }
    for (const QString& key : live) {
        list.emplace_back(Sensor{key, key, 0, SensorGroup::unknown, *typeOfUncatalogued(key), {}, false, false});
    }

    // First values: sensors, then fans.
    for (SensorEntry& e : list) {
        if (std::holds_alternative<Sensor>(e)) {
            if (const auto v = m_smc.getValue(sensorEntry::key(e)))
                sensorEntry::setValue(e, *v);
        }
    }
    for (SensorEntry& e : list) {
        if (std::holds_alternative<Fan>(e)) {
            if (const auto v = m_smc.getValue(sensorEntry::key(e)))
                sensorEntry::setValue(e, *v);
        }
    }

    std::erase_if(list, [](const SensorEntry& e) {
        const double v = sensorEntry::value(e);
        switch (sensorEntry::type(e)) {
        case SensorType::temperature:
            return v == 0 || v > 110;
        case SensorType::current:
            return v > 100;
        default:
            return false;
        }
    });

    for (SensorEntry& computed : initCalculatedSensors(list))
        list.push_back(std::move(computed));
    return list;
}

std::vector<SensorEntry> SensorsEngine::initCalculatedSensors(const std::vector<SensorEntry>& list)
{
    std::vector<double> values;
    for (const SensorEntry& e : list) {
        const double v = sensorEntry::value(e);
        if (isCpuTemperature(e) && sensorEntry::average(e) && v > 0 && v < 110)
            values.push_back(v);
    }
    if (values.empty())
        return {};
    double sum = 0;
    for (const double v : values)
        sum += v;
    const double mean = sum / static_cast<double>(values.size());
    const double hottest = *std::max_element(values.begin(), values.end());
    const auto computed = [](const QString& key, double value) {
        return Sensor{key, key, value, SensorGroup::CPU, SensorType::temperature, platforms::all(), true, false};
    };
    return {computed(kAverageKey, mean), computed(kHottestKey, hottest)};
}

void SensorsEngine::refreshValues(std::vector<SensorEntry>& list)
{
    for (SensorEntry& e : list) {
        const SensorGroup group = sensorEntry::group(e);
        if (group == SensorGroup::hid || group == SensorGroup::unknown || sensorEntry::isComputed(e))
            continue;
        double v = m_smc.getValue(sensorEntry::key(e)).value_or(0);
        // An implausible CPU reading keeps the value the list holds.
        if (isCpuTemperature(e) && !(v >= 10 && v <= 120))
            v = sensorEntry::value(e);
        sensorEntry::setValue(e, v);
    }
}

void SensorsEngine::updateCalculated(std::vector<SensorEntry>& list)
{
    std::vector<double> values;
    for (const SensorEntry& e : list) {
        const double v = sensorEntry::value(e);
        if (isCpuTemperature(e) && sensorEntry::average(e) && !sensorEntry::isComputed(e) && v >= 10 && v <= 120)
            values.push_back(v);
    }
    if (values.empty())
        return;
    double sum = 0;
    for (const double v : values)
        sum += v;
    const auto first = [&list](const QString& key) {
        return std::find_if(list.begin(), list.end(), [&key](const SensorEntry& e) { return sensorEntry::key(e) == key; });
    };
    if (const auto average = first(kAverageKey); average != list.end())
        sensorEntry::setValue(*average, sum / static_cast<double>(values.size()));
    if (const auto hottest = first(kHottestKey); hottest != list.end())
        sensorEntry::setValue(*hottest, *std::max_element(values.begin(), values.end()));
}

std::vector<SensorEntry> SensorsEngine::materializedSensors()
{
    std::vector<SensorEntry> list = sensorsList();
    refreshValues(list);
    updateCalculated(list);
    return list;
}

ThermalStats SensorsEngine::thermalSnapshot()
{
    const std::vector<SensorEntry> list = materializedSensors();
    ThermalStats stats;
    const auto hottest = std::find_if(list.begin(), list.end(), [](const SensorEntry& e) {
        return sensorEntry::key(e) == kHottestKey && sensorEntry::type(e) == SensorType::temperature;
    });
    if (hottest != list.end() && sensorEntry::value(*hottest) > 0)
        stats.cpuCelsius = sensorEntry::value(*hottest);
    for (const SensorEntry& e : list) {
        const Fan* fan = std::get_if<Fan>(&e);
        if (!fan || fan->isComputed || fan->id < 0)
            continue;
        FanReading reading;
        reading.id = fan->id;
        reading.rpm = std::max<qint64>(integerPart(fan->value), 0);
        reading.maxRPM = std::max({integerPart(fan->maxSpeed), integerPart(fan->value), qint64(1)});
        stats.fans.push_back(reading);
    }
    return stats;
}

} // namespace velk::sensors
