#include "engine/sensors/Sensor.h"

#include "engine/sensors/IntegerPart.h"
#include "common/format/Formatting.h"

#include <QJsonArray>
#include <array>
#include <cmath>
#include <limits>

namespace velk::sensors {

namespace {

constexpr std::array<const char*, 6> kGroupRaw{"CPU", "GPU", "Systems", "Sensors", "HID", "Unknown"};
constexpr std::array<const char*, 6> kTypeRaw{"Temperature", "Voltage", "Current", "Power", "Energy", "Fans"};
constexpr std::array<const char*, 6> kTypeCode{"t", "v", "c", "p", "e", "f"};

template <class E, std::size_t N>
std::optional<E> fromRaw(const std::array<const char*, N>& table, const QString& raw)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (raw == QLatin1String(table[i]))
            return static_cast<E>(i);
    }
    return std::nullopt;
}

QString integerText(double v)
{
    return QString::number(integerPart(v));
}

// The normal and popup texts: they differ only in a temperature's digits.
QString valueText(SensorType type, double v, int temperatureDigits)
{
    const auto scaled = [v](int digits, const char* unit) {
        return (v >= 100 ? integerText(v) : fmt::fixed(v, digits)) + QLatin1String(unit);
    };
    switch (type) {
    case SensorType::temperature:
        return fmt::fixed(v, temperatureDigits) + u'°';
    case SensorType::voltage:
        return scaled(3, "V");
    case SensorType::current:
        return scaled(2, "A");
    case SensorType::power:
        return scaled(2, "W");
    case SensorType::energy:
        return scaled(2, "Wh");
    case SensorType::fan:
        return integerText(v) + QStringLiteral(" RPM");
    }
    return {};
}

// --- JSON -------------------------------------------------------------

class Reader {
public:
    Reader(const QJsonObject& json, QString* error) : m_json(json), m_error(error) {}

    bool ok() const { return m_ok; }

    QJsonValue field(const char* key, QJsonValue::Type kind)
    {
        if (!m_ok)
            return {};
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (v.isUndefined())
            return fail(QStringLiteral("missing key \"%1\"").arg(QLatin1String(key)));
        if (v.type() != kind)
            return fail(QStringLiteral("key \"%1\" holds the wrong kind of value").arg(QLatin1String(key)));
        return v;
    }
    QString text(const char* key) { return field(key, QJsonValue::String).toString(); }
    double number(const char* key) { return field(key, QJsonValue::Double).toDouble(); }
    bool flag(const char* key) { return field(key, QJsonValue::Bool).toBool(); }
    qint64 integer(const char* key)
    {
        const double d = number(key);
        if (m_ok && (d != std::trunc(d) || std::fabs(d) > 9007199254740992.0))
            fail(QStringLiteral("key \"%1\" holds no whole number").arg(QLatin1String(key)));
        return m_ok ? static_cast<qint64>(d) : 0;
    }
    template <class E>
    E item(const char* key, std::optional<E> (*parse)(const QString&))
    {
        const QString raw = text(key);
        if (!m_ok)
            return E{};
        const auto value = parse(raw);
        if (!value)
            fail(QStringLiteral("key \"%1\" names no case: %2").arg(QLatin1String(key), raw));
        return value.value_or(E{});
    }
    std::vector<Platform> platforms(const char* key)
    {
        std::vector<Platform> out;
        for (const QJsonValue& v : field(key, QJsonValue::Array).toArray()) {
            const auto p = v.isString() ? platformFromRawValue(v.toString()) : std::nullopt;
            if (!p) {
                fail(QStringLiteral("key \"%1\" names an unknown chip").arg(QLatin1String(key)));
                return {};
            }
            out.push_back(*p);
        }
        return out;
    }

private:
    QJsonValue fail(const QString& message)
    {
        if (m_ok && m_error)
            *m_error = message;
        m_ok = false;
        return {};
    }

    const QJsonObject& m_json;
    QString* m_error;
    bool m_ok = true;
};

QJsonArray platformArray(const std::vector<Platform>& platforms)
{
    QJsonArray array;
    for (const Platform p : platforms)
        array.append(rawValue(p));
    return array;
}

} // namespace

QString rawValue(SensorGroup group)
{
    return QLatin1String(kGroupRaw[static_cast<std::size_t>(group)]);
}

std::optional<SensorGroup> sensorGroupFromRawValue(const QString& raw)
{
    return fromRaw<SensorGroup>(kGroupRaw, raw);
}

QString rawValue(SensorType type)
{
    return QLatin1String(kTypeRaw[static_cast<std::size_t>(type)]);
}

std::optional<SensorType> sensorTypeFromRawValue(const QString& raw)
{
    return fromRaw<SensorType>(kTypeRaw, raw);
}

QString remoteCode(SensorType type)
{
    return QLatin1String(kTypeCode[static_cast<std::size_t>(type)]);
}

QString Sensor::unit() const
{
    switch (type) {
    case SensorType::temperature:
        return QStringLiteral("°C");
    case SensorType::voltage:
        return QStringLiteral("V");
    case SensorType::current:
        return QStringLiteral("A");
    case SensorType::power:
        return QStringLiteral("W");
    case SensorType::energy:
        return QStringLiteral("Wh");
    case SensorType::fan:
        return QStringLiteral("RPM");
    }
    return {};
}

QString Sensor::miniUnit() const
{
    switch (type) {
    case SensorType::temperature:
        return QStringLiteral("°");
    case SensorType::fan:
        return {};
    default:
        return unit();
    }
}

QString Sensor::formattedValue() const
{
    return valueText(type, value, 0);
}

QString Sensor::formattedPopupValue() const
{
    return valueText(type, value, 1);
}

QString Sensor::formattedMiniValue() const
{
    switch (type) {
    case SensorType::temperature: {
        QString text = fmt::fixed(value, 0) + u'°';
        text.remove(u'C');
        text.remove(u'F');
        return text;
    }
    case SensorType::fan:
        return integerText(value);
    default:
        // Halves round away from zero.
        return (value >= 9.95 ? integerText(std::round(value)) : fmt::fixed(value, 1)) + miniUnit();
    }
}

Sensor Sensor::copy() const
{
    Sensor s = *this;
    s.value = 0;
    return s;
}

QJsonObject Sensor::toJson() const
{
    return QJsonObject{
        {"key", key},
        {"name", name},
        {"value", value},
        {"group", rawValue(group)},
        {"type", rawValue(type)},
        {"platforms", platformArray(platforms)},
        {"isComputed", isComputed},
        {"average", average},
    };
}

std::optional<Sensor> Sensor::fromJson(const QJsonObject& json, QString* error)
{
    Reader r(json, error);
    Sensor s;
    s.key = r.text("key");
    s.name = r.text("name");
    s.value = r.number("value");
    s.group = r.item<SensorGroup>("group", &sensorGroupFromRawValue);
    s.type = r.item<SensorType>("type", &sensorTypeFromRawValue);
    s.platforms = r.platforms("platforms");
    s.isComputed = r.flag("isComputed");
    s.average = r.flag("average");
    if (!r.ok())
        return std::nullopt;
    return s;
}

QString Fan::formattedValue() const
{
    return integerText(value) + QStringLiteral(" RPM");
}

QString Fan::formattedPopupValue() const
{
    return formattedValue();
}

QString Fan::formattedMiniValue() const
{
    return integerText(value);
}

qint64 Fan::percentage() const
{
    if (value == 0 || maxSpeed == 1 || value == 1 || maxSpeed == 0)
        return 0;
    const qint64 speed = integerPart(value);
    const qint64 maximum = integerPart(maxSpeed);
    if (maximum == 0)
        return 0;
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 100;
    if (speed <= kLimit && speed >= -kLimit)
        return speed * 100 / maximum;
    // Too large to multiply exactly: divide in extended precision and keep
    // the result within the 64-bit range.
    const long double share = std::truncl(static_cast<long double>(speed) * 100.0L / static_cast<long double>(maximum));
    if (share >= 9223372036854775807.0L)
        return std::numeric_limits<qint64>::max();
    if (share <= -9223372036854775808.0L)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(share);
}

QJsonObject Fan::toJson() const
{
    return QJsonObject{
        {"id", id},
        {"key", key},
        {"name", name},
        {"minSpeed", minSpeed},
        {"maxSpeed", maxSpeed},
        {"value", value},
        {"mode", rawValue(mode)},
        {"group", rawValue(group)},
        {"type", rawValue(type)},
        {"platforms", platformArray(platforms)},
        {"isIntelOnly", isIntelOnly},
        {"isComputed", isComputed},
        {"average", average},
        {"unit", unit},
        {"miniUnit", miniUnit},
    };
}

std::optional<Fan> Fan::fromJson(const QJsonObject& json, QString* error)
{
    Reader r(json, error);
    Fan f;
    f.id = r.integer("id");
    f.key = r.text("key");
    f.name = r.text("name");
    f.minSpeed = r.number("minSpeed");
    f.maxSpeed = r.number("maxSpeed");
    f.value = r.number("value");
    const qint64 mode = r.integer("mode");
    f.group = r.item<SensorGroup>("group", &sensorGroupFromRawValue);
    f.type = r.item<SensorType>("type", &sensorTypeFromRawValue);
    f.platforms = r.platforms("platforms");
    f.isIntelOnly = r.flag("isIntelOnly");
    f.isComputed = r.flag("isComputed");
    f.average = r.flag("average");
    f.unit = r.text("unit");
    f.miniUnit = r.text("miniUnit");
    if (!r.ok())
        return std::nullopt;
    const auto parsedMode = fanModeFromRaw(mode);
    if (!parsedMode) {
        if (error)
            *error = QStringLiteral("key \"mode\" names no case: %1").arg(mode);
        return std::nullopt;
    }
    f.mode = *parsedMode;
    return f;
}

} // namespace velk::sensors
