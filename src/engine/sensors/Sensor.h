#pragma once

#include "engine/sensors/FanMode.h"
#include "engine/sensors/Platform.h"

#include <QJsonObject>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace velk::sensors {

enum class SensorGroup { CPU, GPU, system, sensor, hid, unknown };
enum class SensorType { temperature, voltage, current, power, energy, fan };

// "CPU", "GPU", "Systems", "Sensors", "HID", "Unknown".
QString rawValue(SensorGroup group);
std::optional<SensorGroup> sensorGroupFromRawValue(const QString& raw);
// "Temperature", "Voltage", "Current", "Power", "Energy", "Fans".
QString rawValue(SensorType type);
std::optional<SensorType> sensorTypeFromRawValue(const QString& raw);
// One letter per type: "t", "v", "c", "p", "e", "f".
QString remoteCode(SensorType type);

// One controller reading: a temperature, voltage, current, power or energy.
struct Sensor {
    QString key;  // the controller key, or a name for computed sensors
    QString name;
    double value = 0;
    SensorGroup group = SensorGroup::unknown;
    SensorType type = SensorType::temperature;
    std::vector<Platform> platforms;  // empty: no catalog row describes it
    bool isComputed = false;
    bool average = false;  // counts towards the CPU average

    bool state() const { return false; }
    bool popupState() const { return true; }
    QString notificationThreshold() const { return {}; }
    double localValue() const { return value; }

    QString unit() const;
    QString miniUnit() const;
    QString formattedValue() const;
    QString formattedPopupValue() const;
    QString formattedMiniValue() const;

    // This row with its value reset to 0.
    Sensor copy() const;

    QJsonObject toJson() const;
    // Every key is required; a missing key, a value of the wrong kind or a
    // name of no case fails the whole decode (the reason in `error`).
    static std::optional<Sensor> fromJson(const QJsonObject& json, QString* error = nullptr);

    friend bool operator==(const Sensor&, const Sensor&) = default;
};

// One fan; its key is that of its current speed ("F0Ac").
struct Fan {
    qint64 id = 0;
    QString key;
    QString name;
    double minSpeed = 0;  // revolutions per minute
    double maxSpeed = 0;
    double value = 0;
    FanMode mode = FanMode::automatic;
    SensorGroup group = SensorGroup::sensor;
    SensorType type = SensorType::fan;
    std::vector<Platform> platforms = ::velk::sensors::platforms::all();
    bool isIntelOnly = false;
    bool isComputed = false;
    bool average = false;
    QString unit = QStringLiteral("RPM");
    QString miniUnit;

    bool state() const { return false; }
    bool popupState() const { return true; }
    QString notificationThreshold() const { return {}; }
    double localValue() const { return value; }

    QString formattedValue() const;
    QString formattedPopupValue() const;
    QString formattedMiniValue() const;
    // The speed as a percentage of the maximum, without an upper bound;
    // 0 when the maximum's integer part is 0.
    qint64 percentage() const;

    QJsonObject toJson() const;
    static std::optional<Fan> fromJson(const QJsonObject& json, QString* error = nullptr);

    friend bool operator==(const Fan&, const Fan&) = default;
};

// An element of the engine's list: any record with the common sensor
// interface.
using SensorEntry = std::variant<Sensor, Fan>;

// The common interface over either record.
namespace sensorEntry {
inline const QString& key(const SensorEntry& e)
{
    return std::visit([](const auto& s) -> const QString& { return s.key; }, e);
}
inline const QString& name(const SensorEntry& e)
{
    return std::visit([](const auto& s) -> const QString& { return s.name; }, e);
}
inline double value(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.value; }, e);
}
inline void setValue(SensorEntry& e, double v)
{
    std::visit([v](auto& s) { s.value = v; }, e);
}
inline SensorGroup group(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.group; }, e);
}
inline SensorType type(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.type; }, e);
}
inline bool isComputed(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.isComputed; }, e);
}
inline bool average(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.average; }, e);
}
inline QString formattedValue(const SensorEntry& e)
{
    return std::visit([](const auto& s) { return s.formattedValue(); }, e);
}
} // namespace sensorEntry

} // namespace velk::sensors
