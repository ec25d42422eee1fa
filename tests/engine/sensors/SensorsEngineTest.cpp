#include "SmcTestbed.h"
#include "engine/monitor/SystemInfoService.h"
#include "engine/sensors/PlatformDetect.h"
#include "engine/sensors/SensorsEngine.h"
#include "engine/sensors/ThermalService.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeHostProbe.h"

#include <gtest/gtest.h>
#include <limits>

using velk::sensors::Fan;
using velk::sensors::FanMode;
using velk::sensors::FanReading;
using velk::sensors::Platform;
using velk::sensors::Sensor;
using velk::sensors::SensorEntry;
using velk::sensors::SensorGroup;
using velk::sensors::SensorType;
using velk::platform::sensors::EmulatedSmc;
using velk::platform::sensors::SMCKeys;
namespace entry = velk::sensors::sensorEntry;

namespace {

class Engine : public ::testing::Test {
protected:
    velk::test::SmcTestbed bed;
    EmulatedSmc& emu = *bed.emu;
    std::unique_ptr<velk::sensors::SMC> client = bed.client();
    std::optional<Platform> chip;

    std::unique_ptr<velk::sensors::SensorsEngine> engine()
    {
        return std::make_unique<velk::sensors::SensorsEngine>(*client, [this] { return chip; });
    }

    void temperature(const QString& key, double celsius) { emu.setKey(key, "flt ", EmulatedSmc::flt(float(celsius))); }
    void number(const QString& key, double value) { emu.setKey(key, "flt ", EmulatedSmc::flt(float(value))); }

    static std::vector<QString> keys(const std::vector<SensorEntry>& list)
    {
        std::vector<QString> out;
        for (const SensorEntry& e : list)
            out.push_back(entry::key(e));
        return out;
    }
    static const SensorEntry* find(const std::vector<SensorEntry>& list, const QString& key)
    {
        for (const SensorEntry& e : list) {
            if (entry::key(e) == key)
                return &e;
        }
        return nullptr;
    }
    std::vector<Fan> fans()
    {
        std::vector<Fan> out;
        for (const SensorEntry& e : engine()->sensorsList()) {
            if (const Fan* f = std::get_if<Fan>(&e))
                out.push_back(*f);
        }
        return out;
    }
};

} // namespace

TEST_F(Engine, NamesTwoUnnamedFansLeftAndRight)
{
    emu.setKey("FNum", "ui8 ", EmulatedSmc::ui8(2));
    number("F0Ac", 1200);
    number("F1Ac", 1300);
    auto two = fans();
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].name, "Left fan");
    EXPECT_EQ(two[1].name, "Right fan");
    EXPECT_EQ(two[1].key, "F1Ac");
    EXPECT_EQ(two[1].id, 1);

    emu.setKey("F1ID", "{fds", EmulatedSmc::fds("Exhaust"));
    two = fans();
    EXPECT_EQ(two[0].name, "Left fan");
    EXPECT_EQ(two[1].name, "Exhaust");

    emu.setKey("FNum", "ui8 ", EmulatedSmc::ui8(3));
    const auto three = fans();
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0].name, "Fan #0");
    EXPECT_EQ(three[1].name, "Exhaust");
    EXPECT_EQ(three[2].name, "Fan #2");
}

TEST_F(Engine, ReadsFanModesAndMissingSpeeds)
{
    emu.setKey("FNum", "ui8 ", EmulatedSmc::ui8(3));
    emu.setKey("F0Md", "ui8 ", EmulatedSmc::ui8(1));
    emu.setKey("F1Md", "ui8 ", EmulatedSmc::ui8(3));
    number("F0Ac", 2500);
    number("F1Ac", -5);
    number("F1Mn", 1000);
    number("F1Mx", 6000);
    const auto all = fans();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].mode, FanMode::forced);
    EXPECT_EQ(all[1].mode, FanMode::automatic);
    EXPECT_EQ(all[2].mode, FanMode::automatic);
    EXPECT_EQ(all[0].minSpeed, 1);
    EXPECT_EQ(all[0].maxSpeed, 1);
    EXPECT_EQ(all[2].value, 0);

    const auto stats = engine()->thermalSnapshot();
    ASSERT_EQ(stats.fans.size(), 3u);
    EXPECT_EQ(stats.fans[0], (FanReading{0, 2500, 2500}));
    EXPECT_EQ(stats.fans[0].load(), 1.0);
    EXPECT_EQ(stats.fans[1], (FanReading{1, 0, 6000}));
    EXPECT_EQ(stats.fans[2], (FanReading{2, 0, 1}));
    EXPECT_FALSE(stats.cpuCelsius);
}

TEST_F(Engine, FanCountsThatAreNoCountGiveNoFansAndTenAtMost)
{
    number("FNum", std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(fans().empty());
    number("FNum", -1);
    EXPECT_TRUE(fans().empty());
    number("FNum", std::numeric_limits<double>::infinity());
    EXPECT_TRUE(fans().empty());
    number("FNum", 12);
    EXPECT_EQ(fans().size(), 10u);
    number("FNum", 2.5);
    const auto f = fans();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].name, "Fan #0");  // a count of 2.5 is not two fans by name
}

TEST_F(Engine, PatternRowsNumberTheKeysFound)
{
    temperature("TC0c", 50);
    temperature("TC2c", 60);
    auto list = engine()->sensorsList();
    const auto* core1 = find(list, "TC0c");
    const auto* core2 = find(list, "TC2c");
    ASSERT_TRUE(core1 && core2);
    EXPECT_EQ(entry::name(*core1), "CPU core 1");
    EXPECT_EQ(entry::name(*core2), "CPU core 2");
    EXPECT_EQ(std::get<Sensor>(*core1).platforms, velk::sensors::platforms::all());

    emu.removeKey("TC0c");
    emu.removeKey("TC2c");
    temperature("TC3c", 55);
    list = engine()->sensorsList();
    EXPECT_EQ(entry::name(*find(list, "TC3c")), "CPU core 1");
}

TEST_F(Engine, ListsFansRowsPatternsUnknownsThenComputed)
{
    emu.setKey("FNum", "ui8 ", EmulatedSmc::ui8(1));
    number("F0Ac", 1000);
    temperature("TXYZ", 40);
    temperature("TC0c", 50);
    temperature("TCAD", 55);
    temperature("TG0D", 45);
    emu.setKey("VP0R", "flt ", EmulatedSmc::flt(12.1f));
    const auto list = engine()->sensorsList();
    EXPECT_EQ(keys(list), (std::vector<QString>{"F0Ac", "TCAD", "TG0D", "VP0R", "TC0c", "TXYZ", "Average CPU",
                                                "Hottest CPU"}));
    const Sensor& unknown = std::get<Sensor>(*find(list, "TXYZ"));
    EXPECT_EQ(unknown.name, "TXYZ");
    EXPECT_EQ(unknown.group, SensorGroup::unknown);
    EXPECT_TRUE(unknown.platforms.empty());
    const Sensor& hottest = std::get<Sensor>(list.back());
    EXPECT_TRUE(hottest.isComputed);
    EXPECT_FALSE(hottest.average);
    EXPECT_EQ(hottest.value, 50);
}

TEST_F(Engine, AverageAndHottestFollowPlausibleRefreshes)
{
    temperature("TC0c", 40);
    temperature("TC1c", 60);
    auto e = engine();
    auto list = e->sensorsList();
    EXPECT_EQ(entry::value(*find(list, "Average CPU")), 50);
    EXPECT_EQ(entry::value(*find(list, "Hottest CPU")), 60);
    EXPECT_EQ(e->thermalSnapshot().cpuCelsius, 60);

    temperature("TC0c", 45);
    temperature("TC1c", 200);
    list = e->materializedSensors();
    EXPECT_EQ(entry::value(*find(list, "TC1c")), 60);  // back to its build value
    EXPECT_EQ(entry::value(*find(list, "Average CPU")), 52.5);
    EXPECT_EQ(e->thermalSnapshot().cpuCelsius, 60);

    const std::vector<std::pair<double, double>> refreshes{{125, 60}, {5, 60}, {120, 120}, {10, 10}};
    for (const auto& [read, shown] : refreshes) {
        temperature("TC1c", read);
        EXPECT_EQ(entry::value(*find(e->materializedSensors(), "TC1c")), shown) << read;
    }
    // The list itself keeps its first values.
    EXPECT_EQ(entry::value(*find(e->sensorsList(), "TC0c")), 40);
}

TEST_F(Engine, DiscoversOnceAndFreezesUncataloguedKeys)
{
    temperature("TXYZ", 110);
    temperature("TXYW", 110.5);
    emu.setKey("ICUR", "flt ", EmulatedSmc::flt(100));
    emu.setKey("IHUG", "flt ", EmulatedSmc::flt(100.1f));
    emu.setKey("VHIG", "flt ", EmulatedSmc::flt(500));
    temperature("TZER", 0);
    auto e = engine();
    const auto first = e->sensorsList();
    EXPECT_EQ(keys(first), (std::vector<QString>{"ICUR", "TXYZ", "VHIG"}));

    temperature("TXYZ", 50);
    temperature("TNEW", 50);
    emu.clearCalls();
    const auto later = e->materializedSensors();
    EXPECT_EQ(keys(later), keys(first));
    EXPECT_EQ(entry::value(*find(later, "TXYZ")), 110);
    // No second discovery, and no reads of frozen keys.
    EXPECT_EQ(emu.callCount(SMCKeys::readIndex), 0);
    EXPECT_EQ(emu.callCount(SMCKeys::readBytes), 0);
}

TEST_F(Engine, KeepsOnlyTheRowsOfTheDetectedChip)
{
    temperature("Tg0G", 45);
    temperature("Tg1U", 46);
    temperature("Tp09", 50);
    temperature("TCAC", 52);
    chip = Platform::m4;
    auto list = engine()->sensorsList();
    EXPECT_EQ(entry::name(*find(list, "Tg0G")), "GPU 1");
    EXPECT_EQ(entry::group(*find(list, "Tg1U")), SensorGroup::unknown);
    EXPECT_EQ(entry::name(*find(list, "Tp09")), "CPU performance core 3");
    EXPECT_EQ(entry::group(*find(list, "TCAC")), SensorGroup::unknown);

    // Without a chip every row is a candidate: a key takes the first row.
    chip.reset();
    list = engine()->sensorsList();
    EXPECT_EQ(entry::name(*find(list, "Tp09")), "CPU efficiency core 1");
    EXPECT_EQ(entry::name(*find(list, "TCAC")), "CPU A core die");
    EXPECT_EQ(entry::name(*find(list, "Tg1U")), "GPU 1");
}

TEST_F(Engine, NoControllerGivesAnEmptySnapshot)
{
    emu.failOpen(velk::platform::sensors::SmcOpenStep::iterator);
    auto closed = bed.client();
    velk::sensors::SensorsEngine e(*closed, [] { return std::optional<Platform>(); });
    EXPECT_EQ(e.thermalSnapshot(), velk::sensors::ThermalStats::empty());
    EXPECT_TRUE(e.materializedSensors().empty());
}

// The one test in this program that uses the process-wide client and engine:
// they serve the registered controller from the first use on.
TEST(ThermalService, ReadsTheRegisteredControllerForTheMonitorAndTheProfile)
{
    auto host = std::make_shared<velk::test::FakeHostProbe>();
    host->brand = "AMD Ryzen 9 7950X 16-Core Processor";
    velk::platform::core::ScopedService<velk::platform::host::HostProbe> h(host);
    velk::platform::core::ScopedService<velk::platform::sensors::SmcTransport> t(
        velk::platform::sensors::SmcTransport::fromSysfs(QStringLiteral(VELK_TEST_FIXTURES "/sysfs/amd-desktop")));

    const velk::sensors::ThermalStats stats = velk::sensors::ThermalService::snapshot();
    EXPECT_EQ(stats.cpuCelsius, 61.0);
    EXPECT_EQ(stats.fans, (std::vector<FanReading>{{0, 1187, 2200}, {1, 842, 842}}));

    const auto cores = velk::monitor::SystemInfoService::perCoreTemperatures(3);
    ASSERT_EQ(cores.size(), 3u);
    EXPECT_EQ(cores[0].source, "TC0C");
    EXPECT_EQ(cores[1].celsius, 61.0);
    EXPECT_FALSE(cores[2].celsius);
    EXPECT_TRUE(velk::monitor::SystemInfoService::perCoreTemperatures(0).empty());
    EXPECT_FALSE(velk::sensors::PlatformDetect::current());
}
