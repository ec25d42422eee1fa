#include "engine/sensors/CoreTemperatures.h"
#include "engine/sensors/HidSensors.h"
#include "platform/core/Clock.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeHidEventSystem.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

using velk::sensors::CoreTemperatures;
using velk::sensors::LogicalCoreThermal;
using velk::sensors::Sensor;
using velk::sensors::SensorEntry;
using velk::sensors::SensorGroup;
using velk::sensors::SensorType;
using velk::platform::core::ScopedService;

namespace velk {
void PrintTo(const LogicalCoreThermal& core, std::ostream* os)
{
    *os << core.index << ": ";
    if (core.celsius)
        *os << *core.celsius << " from " << core.source.value_or(QString()).toStdString();
    else
        *os << "empty";
}
} // namespace velk

namespace {

struct Machine {
    std::map<QString, double> controller;
    std::vector<SensorEntry> sensors;
    int performanceCpus = 0;
    std::map<QString, double> hid;

    CoreTemperatures::Sources sources()
    {
        CoreTemperatures::Sources s;
        s.controllerValue = [this](const QString& key) -> std::optional<double> {
            const auto it = controller.find(key);
            return it == controller.end() ? std::nullopt : std::optional<double>(it->second);
        };
        s.engineSensors = [this] { return sensors; };
        s.performanceLevelCpus = [this] { return performanceCpus; };
        s.hidReadings = [this] { return hid; };
        return s;
    }

    void cpuSensor(const QString& key, const QString& name, double value, bool computed = false)
    {
        sensors.emplace_back(Sensor{key, name, value, SensorGroup::CPU, SensorType::temperature, {}, computed, true});
    }

    std::vector<LogicalCoreThermal> perCore(int n) { return CoreTemperatures::perCore(n, sources()); }
};

LogicalCoreThermal core(int index, double celsius, const QString& source)
{
    return {index, celsius, source};
}

LogicalCoreThermal empty(int index)
{
    return {index, std::nullopt, std::nullopt};
}

} // namespace

TEST(TrailingSensorIndex, ParsesTheDigitsAtTheEnd)
{
    EXPECT_EQ(velk::sensors::trailingSensorIndex("pACC MTR Temp Sensor12"), 12);
    EXPECT_EQ(velk::sensors::trailingSensorIndex("Sensor 07"), 7);
    EXPECT_FALSE(velk::sensors::trailingSensorIndex("gas gauge battery"));
    EXPECT_FALSE(velk::sensors::trailingSensorIndex(""));
    // Numeric characters that are no decimal digits end the run unparsed.
    EXPECT_FALSE(velk::sensors::trailingSensorIndex(QString::fromUtf8("Sensor\u0661\u0662")));
    EXPECT_FALSE(velk::sensors::trailingSensorIndex(QString::fromUtf8("Sensor1\u00BD")));
    EXPECT_FALSE(velk::sensors::trailingSensorIndex("Sensor99999999999999999999"));
}

TEST(PerCoreTemperatures, ControllerKeysComeFirst)
{
    Machine m;
    EXPECT_TRUE(m.perCore(0).empty());
    m.controller = {{"TC0c", 42.0}, {"TC1c", 9.5}, {"TC1C", 50.0}, {"TC2c", 121.0}};
    EXPECT_EQ(m.perCore(3), (std::vector{core(0, 42.0, "TC0c"), core(1, 50.0, "TC1C"), empty(2)}));
}

TEST(PerCoreTemperatures, EngineSensorsFillBySlotRules)
{
    Machine m;
    m.cpuSensor("Te05", "CPU efficiency core 1", 40);
    m.cpuSensor("Tp01", "CPU performance core 1", 50);
    m.cpuSensor("Tp08", "CPU super core 3", 60);
    EXPECT_EQ(m.perCore(6), (std::vector{core(0, 40, "Te05"), empty(1), core(2, 60, "Tp08"), empty(3), empty(4),
                                         empty(5)}));
    m.performanceCpus = 4;
    EXPECT_EQ(m.perCore(6)[4], core(4, 50, "Tp01"));

    // A TC key decides by itself: when its slot is taken the sensor is dropped.
    Machine k;
    k.controller = {{"TC3c", 70}};
    k.cpuSensor("TC3c", "CPU efficiency core 1", 71);
    k.cpuSensor("TC2C", "CPU core 9", 72);
    k.cpuSensor("Tx00", "CPU efficiency core 2", 5);           // out of range
    k.cpuSensor("Average CPU", "CPU efficiency core 2", 50, true);  // computed
    k.sensors.emplace_back(Sensor{"TG0D", "GPU efficiency core 2", 50, SensorGroup::GPU, SensorType::temperature, {}, false, true});
    EXPECT_EQ(k.perCore(4), (std::vector{empty(0), empty(1), core(2, 72, "TC2C"), core(3, 70, "TC3c")}));
}

TEST(PerCoreTemperatures, HidClustersAndLeftoversInOrder)
{
    Machine m;
    m.performanceCpus = 4;
    m.hid = {
        {"eACC MTR Temp Sensor0", 41},  {"eACC MTR Temp Sensor2", 43},  {"eACC MTR Temp Sensor5", 45},
        {"pACC MTR Temp Sensor1", 61},  {"pACC MTR Temp Sensor0", 60},  {"pACC MTR Temp Sensor9", 69},
        {"GPU MTR Temp Sensor1", 55},   {"ANE MTR Temp Sensor0", 4.9},  {"SOC MTR Temp Sensor0", 5.0},
    };
    m.controller = {{"TC1c", 30}};
    EXPECT_EQ(m.perCore(8), (std::vector{
                                core(0, 41, "eACC MTR Temp Sensor0"),
                                core(1, 30, "TC1c"),
                                core(2, 43, "eACC MTR Temp Sensor2"),
                                // the first leftover by name, whatever part it reads
                                core(3, 55, "GPU MTR Temp Sensor1"),
                                core(4, 60, "pACC MTR Temp Sensor0"),
                                core(5, 61, "pACC MTR Temp Sensor1"),
                                core(6, 5.0, "SOC MTR Temp Sensor0"),
                                core(7, 41, "eACC MTR Temp Sensor0"),
                            }));

    // Without performance levels both clusters count from slot 0.
    m.performanceCpus = 0;
    m.controller.clear();
    const auto flat = m.perCore(3);
    EXPECT_EQ(flat[0], core(0, 41, "eACC MTR Temp Sensor0"));
    EXPECT_EQ(flat[1], core(1, 61, "pACC MTR Temp Sensor1"));
}

class HidReader : public ::testing::Test {
protected:
    void SetUp() override { velk::sensors::AppleSiliconSensorsReset(); }
    void TearDown() override { velk::sensors::AppleSiliconSensorsReset(); }

    std::shared_ptr<velk::test::ManualClock> clock = std::make_shared<velk::test::ManualClock>();
    std::shared_ptr<velk::test::FakeHidEventSystem> hid = std::make_shared<velk::test::FakeHidEventSystem>();
    ScopedService<velk::platform::core::Clock> c{clock};
    ScopedService<velk::platform::sensors::HidEventSystem> h{hid};
};

TEST_F(HidReader, ReadsEveryNamedServiceOnce)
{
    hid->services = {{"PMU tdie1", 40}, {"PMU tdie1", 44}, {std::nullopt, 50}, {"PMU tdev2", 33}};
    const auto readings = velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(readings, (std::map<QString, double>{{"PMU tdie1", 44}, {"PMU tdev2", 33}}));
    EXPECT_EQ(hid->lastPage, 0xFF00);
    EXPECT_EQ(hid->lastUsage, 5);
    EXPECT_EQ(hid->lastEventType, 15);

    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->clientsCreated, 1);
    EXPECT_EQ(hid->copies, 1);
    velk::sensors::AppleSiliconSensors(0xFF00, 6, 15);
    EXPECT_EQ(hid->clientsCreated, 2);
}

TEST_F(HidReader, CopiesServicesAgainAfterSixtyOrFiveSeconds)
{
    hid->services = {{"PMU tdie1", 40}};
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    clock->advance(59.9);
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->copies, 1);
    clock->advance(0.1);
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->copies, 2);

    hid->services.push_back({"PMU tdie2", std::nullopt});
    clock->advance(60);
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->copies, 3);
    clock->advance(4.9);
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->copies, 3);
    clock->advance(0.1);
    velk::sensors::AppleSiliconSensors(0xFF00, 5, 15);
    EXPECT_EQ(hid->copies, 4);
}

TEST_F(HidReader, StartsAgainAfterAnEmptyRead)
{
    hid->clientsAvailable = false;
    EXPECT_TRUE(velk::sensors::AppleSiliconSensors(0xFF00, 5, 15).empty());
    hid->clientsAvailable = true;
    EXPECT_TRUE(velk::sensors::AppleSiliconSensors(0xFF00, 5, 15).empty());  // no services
    EXPECT_TRUE(velk::sensors::AppleSiliconSensors(0xFF00, 5, 15).empty());
    EXPECT_EQ(hid->clientsCreated, 2);
    hid->services = {{"PMU tdie1", 40}};
    EXPECT_EQ(velk::sensors::AppleSiliconSensors(0xFF00, 5, 15).size(), 1u);
    EXPECT_EQ(hid->clientsCreated, 3);
}

TEST(HidEventSystem, LinuxHasNone)
{
    EXPECT_EQ(velk::platform::sensors::HidEventSystem::createDefault()->createClient(), nullptr);
}
