#include "engine/sensors/Sensor.h"

#include <QJsonArray>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using velk::sensors::Fan;
using velk::sensors::FanMode;
using velk::sensors::Sensor;
using velk::sensors::SensorGroup;
using velk::sensors::SensorType;

namespace {

Sensor reading(SensorType type, double value)
{
    return Sensor{"TEST", "Test", value, SensorGroup::sensor, type, velk::sensors::platforms::all(), false, false};
}

struct Texts {
    QString normal;
    QString popup;
    QString mini;
};

Texts texts(SensorType type, double value)
{
    const Sensor s = reading(type, value);
    return {s.formattedValue(), s.formattedPopupValue(), s.formattedMiniValue()};
}

Fan fan(double value, double maxSpeed)
{
    Fan f;
    f.id = 0;
    f.key = "F0Ac";
    f.name = "Fan";
    f.minSpeed = 1;
    f.maxSpeed = maxSpeed;
    f.value = value;
    return f;
}

} // namespace

TEST(SensorModel, GroupsAndTypesBuildFromExactRawTexts)
{
    EXPECT_EQ(velk::sensors::sensorGroupFromRawValue("Systems"), SensorGroup::system);
    EXPECT_FALSE(velk::sensors::sensorGroupFromRawValue("System"));
    EXPECT_FALSE(velk::sensors::sensorGroupFromRawValue("cpu"));
    EXPECT_EQ(rawValue(SensorGroup::sensor), "Sensors");
    EXPECT_EQ(velk::sensors::sensorTypeFromRawValue("Fans"), SensorType::fan);
    EXPECT_FALSE(velk::sensors::sensorTypeFromRawValue("Fan"));
    const std::vector<std::pair<SensorType, const char*>> codes{
        {SensorType::temperature, "t"}, {SensorType::voltage, "v"}, {SensorType::current, "c"},
        {SensorType::power, "p"},       {SensorType::energy, "e"},  {SensorType::fan, "f"},
    };
    for (const auto& [type, code] : codes)
        EXPECT_EQ(velk::sensors::remoteCode(type), code);
}

TEST(SensorModel, UnitsFollowTheType)
{
    EXPECT_EQ(reading(SensorType::temperature, 0).unit(), "°C");
    EXPECT_EQ(reading(SensorType::temperature, 0).miniUnit(), "°");
    EXPECT_EQ(reading(SensorType::energy, 0).miniUnit(), "Wh");
    EXPECT_EQ(reading(SensorType::fan, 0).unit(), "RPM");
    EXPECT_EQ(reading(SensorType::fan, 0).miniUnit(), "");
    const Sensor s = reading(SensorType::power, 4.5);
    EXPECT_FALSE(s.state());
    EXPECT_TRUE(s.popupState());
    EXPECT_EQ(s.notificationThreshold(), "");
    EXPECT_EQ(s.localValue(), 4.5);
}

TEST(SensorModel, WritesValuesInThreeLengths)
{
    const std::vector<std::tuple<SensorType, double, const char*, const char*, const char*>> cases{
        {SensorType::temperature, 47.6, "48°", "47.6°", "48°"},
        {SensorType::voltage, 12.3456, "12.346V", "12.346V", "12V"},
        {SensorType::power, 9.94, "9.94W", "9.94W", "9.9W"},
        {SensorType::power, 150.7, "150W", "150W", "151W"},
        {SensorType::voltage, 100, "100V", "100V", "100V"},
        {SensorType::voltage, 99.9999, "100.000V", "100.000V", "100V"},
        {SensorType::power, 9.95, "9.95W", "9.95W", "10W"},
        {SensorType::power, 9.949, "9.95W", "9.95W", "9.9W"},
        {SensorType::current, -3.5, "-3.50A", "-3.50A", "-3.5A"},
        {SensorType::energy, 12.5, "12.50Wh", "12.50Wh", "13Wh"},
        {SensorType::fan, 1234.9, "1234 RPM", "1234 RPM", "1234"},
    };
    for (const auto& [type, value, normal, popup, mini] : cases) {
        const Texts t = texts(type, value);
        EXPECT_EQ(t.normal, normal) << value;
        EXPECT_EQ(t.popup, popup) << value;
        EXPECT_EQ(t.mini, mini) << value;
    }
}

TEST(SensorModel, NumbersBeyondIntegersNeverReachAConversion)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(texts(SensorType::voltage, inf).normal, "0V");
    EXPECT_EQ(texts(SensorType::power, nan).normal, "nanW");
    EXPECT_EQ(texts(SensorType::power, 1e300).normal, "9223372036854775807W");
    EXPECT_EQ(texts(SensorType::current, 1e300).mini, "9223372036854775807A");
    EXPECT_EQ(texts(SensorType::temperature, nan).normal, "nan°");
    EXPECT_EQ(fan(nan, 6000).formattedValue(), "0 RPM");
    EXPECT_EQ(fan(-1e300, 6000).formattedMiniValue(), "-9223372036854775808");
    EXPECT_EQ(fan(nan, 6000).percentage(), 0);
    EXPECT_EQ(fan(inf, 6000).percentage(), 0);
    EXPECT_EQ(fan(1e300, 6000).percentage(), 153722867280912930);
}

TEST(SensorModel, FanPercentageCutsTowardsZero)
{
    EXPECT_EQ(fan(1234.9, 6000).percentage(), 20);
    EXPECT_EQ(fan(1, 5000).percentage(), 0);
    EXPECT_EQ(fan(6500, 6000).percentage(), 108);
    EXPECT_EQ(fan(3000, 1).percentage(), 0);
    EXPECT_EQ(fan(0, 6000).percentage(), 0);
    // A maximum whose integer part is 0 gives 0 instead of a division by zero.
    EXPECT_EQ(fan(3000, 0.5).percentage(), 0);
    EXPECT_EQ(fan(3000, -0.5).percentage(), 0);
    EXPECT_EQ(fan(3000, 0).percentage(), 0);

    const Fan f = fan(1234.9, 6000);
    EXPECT_EQ(f.formattedValue(), "1234 RPM");
    EXPECT_EQ(f.formattedPopupValue(), "1234 RPM");
    EXPECT_EQ(f.formattedMiniValue(), "1234");
    EXPECT_EQ(f.group, SensorGroup::sensor);
    EXPECT_EQ(f.type, SensorType::fan);
    EXPECT_EQ(f.platforms, velk::sensors::platforms::all());
    EXPECT_EQ(f.unit, "RPM");
}

TEST(SensorModel, CopyResetsOnlyTheValue)
{
    const Sensor row{"TC%c", "CPU core %", 55, SensorGroup::CPU, SensorType::temperature, {velk::sensors::Platform::m2}, true, true};
    const Sensor c = row.copy();
    EXPECT_EQ(c.value, 0);
    Sensor expected = row;
    expected.value = 0;
    EXPECT_EQ(c, expected);
}

TEST(SensorModel, SensorJsonRoundTripsAndRequiresEveryKey)
{
    const Sensor s{"TC0P", "CPU proximity", 45.5, SensorGroup::system, SensorType::temperature,
                   {velk::sensors::Platform::m1, velk::sensors::Platform::intel}, false, true};
    const QJsonObject json = s.toJson();
    EXPECT_EQ(json.keys(), QStringList({"average", "group", "isComputed", "key", "name", "platforms", "type", "value"}));
    EXPECT_EQ(json["group"].toString(), "Systems");
    EXPECT_EQ(json["platforms"].toArray(), QJsonArray({"m1", "intel"}));
    EXPECT_EQ(Sensor::fromJson(json), s);

    for (const QString& key : json.keys()) {
        QJsonObject missing = json;
        missing.remove(key);
        QString error;
        EXPECT_FALSE(Sensor::fromJson(missing, &error)) << key.toStdString();
        EXPECT_TRUE(error.contains(key)) << error.toStdString();
    }
    QJsonObject bad = json;
    bad["group"] = "System";
    EXPECT_FALSE(Sensor::fromJson(bad));
    bad = json;
    bad["platforms"] = QJsonArray({"m1", "M2"});
    EXPECT_FALSE(Sensor::fromJson(bad));
    bad = json;
    bad["average"] = 1;
    EXPECT_FALSE(Sensor::fromJson(bad));
}

TEST(SensorModel, FanJsonRoundTripsWithItsModeAsANumber)
{
    Fan f = fan(1800, 6000);
    f.id = 3;
    f.mode = FanMode::auto3;
    f.miniUnit = "r";
    const QJsonObject json = f.toJson();
    EXPECT_EQ(json.size(), 15);
    EXPECT_EQ(json["mode"].toInt(), 3);
    EXPECT_EQ(json["type"].toString(), "Fans");
    EXPECT_EQ(Fan::fromJson(json), f);

    QJsonObject bad = json;
    bad["mode"] = 2;
    QString error;
    EXPECT_FALSE(Fan::fromJson(bad, &error));
    EXPECT_TRUE(error.contains("mode"));
    bad = json;
    bad.remove("miniUnit");
    EXPECT_FALSE(Fan::fromJson(bad));
    bad = json;
    bad["id"] = 1.5;
    EXPECT_FALSE(Fan::fromJson(bad));
}
