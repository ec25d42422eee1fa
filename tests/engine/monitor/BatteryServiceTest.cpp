#include "engine/monitor/BatteryService.h"

#include "platform/sensors/BatteryRegistry.h"
#include "platform/core/ServiceRegistry.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using velk::monitor::BatteryService;
using velk::monitor::BatteryStatus;

namespace {

QVariantMap essentials()
{
    return {
        {"CurrentCapacity", 87},
        {"CycleCount", 120},
        {"BatteryData", QVariantMap{{"DesignCapacity", 5000}, {"FullChargeCapacity", 4500}}},
    };
}

TEST(BatteryParsing, OnlyTheChargeDecidesWhetherThereIsAStatus)
{
    const auto full = BatteryService::parse(essentials());
    ASSERT_TRUE(full);
    EXPECT_EQ(full->percent, 87);
    EXPECT_EQ(full->cycles, 120);
    EXPECT_EQ(full->designmAh, 5000);
    EXPECT_EQ(full->fullmAh, 4500);
    EXPECT_EQ(full->healthPercent, 90);
    EXPECT_FALSE(full->minutesRemaining);
    EXPECT_FALSE(full->adapterName);
    EXPECT_FALSE(full->adapterWatts);
    EXPECT_EQ(full->voltageV, 0.0);

    // No usable charge: no battery.
    for (const QVariant& percent : {QVariant(), QVariant(QStringLiteral("87")), QVariant(std::nan(""))}) {
        QVariantMap p = essentials();
        p["CurrentCapacity"] = percent;
        EXPECT_FALSE(BatteryService::parse(p)) << percent.toString().toStdString();
    }

    // A missing or unusable figure is absent, and so is what derives from it.
    struct Case {
        const char* what;
        QVariant cycles;
        QVariant data;
        bool hasCycles, hasDesign, hasFull;
    };
    for (const Case& c : {
             Case{"no cycle count", QVariant(), essentials()["BatteryData"], false, true, true},
             Case{"absurd cycle count", 1e300, essentials()["BatteryData"], false, true, true},
             Case{"no battery data", 120, QVariant(), true, false, false},
             Case{"no full charge", 120, QVariantMap{{"DesignCapacity", 5000}}, true, true, false},
             Case{"design capacity 0", 120, QVariantMap{{"DesignCapacity", 0}, {"FullChargeCapacity", 4500}}, true, false, true},
         }) {
        QVariantMap p = essentials();
        p["CycleCount"] = c.cycles;
        p["BatteryData"] = c.data;
        const auto s = BatteryService::parse(p);
        ASSERT_TRUE(s) << c.what;
        EXPECT_EQ(s->percent, 87) << c.what;
        EXPECT_EQ(s->cycles.has_value(), c.hasCycles) << c.what;
        EXPECT_EQ(s->designmAh.has_value(), c.hasDesign) << c.what;
        EXPECT_EQ(s->fullmAh.has_value(), c.hasFull) << c.what;
        const bool hasHealth = c.hasDesign && c.hasFull;
        EXPECT_EQ(s->healthPercent.has_value(), hasHealth) << c.what;
        EXPECT_EQ(s->conditionKey().has_value(), hasHealth) << c.what;
    }
}

TEST(BatteryParsing, CapacityAndHealthSources)
{
    QVariantMap p = essentials();
    p["BatteryData"] = QVariantMap{{"DesignCapacity", 5000}, {"AppleRawMaxCapacity", 4500}, {"FullChargeCapacity", 4000}};
    EXPECT_EQ(BatteryService::parse(p)->fullmAh, 4500);

    // Health: BatteryData, then the top level, then computed.
    p["BatteryData"] = QVariantMap{{"DesignCapacity", 5000}, {"FullChargeCapacity", 4123}, {"MaxCapacity", 97}};
    p["MaxCapacity"] = 50;
    EXPECT_EQ(BatteryService::parse(p)->healthPercent, 97);
    p["BatteryData"] = QVariantMap{{"DesignCapacity", 5000}, {"FullChargeCapacity", 4123}};
    EXPECT_EQ(BatteryService::parse(p)->healthPercent, 50);
    p.remove("MaxCapacity");

    struct Case {
        int full;
        int health;
        const char* condition;
    };
    for (const Case& c : {Case{4123, 82, "normal"}, Case{3975, 80, "normal"}, Case{3974, 79, "service"},
                          Case{4025, 81, "normal"}}) {
        p["BatteryData"] = QVariantMap{{"DesignCapacity", 5000}, {"FullChargeCapacity", c.full}};
        const auto s = BatteryService::parse(p);
        EXPECT_EQ(s->healthPercent, c.health) << c.full;
        EXPECT_EQ(s->conditionKey(), c.condition) << c.full;
    }
}

TEST(BatteryParsing, OptionalFieldsAndConversions)
{
    QVariantMap p = essentials();
    p["TimeRemaining"] = 65535;
    EXPECT_FALSE(BatteryService::parse(p)->minutesRemaining);
    p["TimeRemaining"] = 0;
    EXPECT_EQ(BatteryService::parse(p)->minutesRemaining, 0);

    p["IsCharging"] = 1;
    p["ExternalConnected"] = 2;
    p["FullyCharged"] = 1.0;
    p["AtCriticalLevel"] = QStringLiteral("1");
    auto s = BatteryService::parse(p);
    EXPECT_TRUE(s->charging);
    EXPECT_FALSE(s->externalPower);
    EXPECT_TRUE(s->fullyCharged);
    EXPECT_FALSE(s->belowWarning);

    p["Voltage"] = 12850;
    p["Amperage"] = -1530;
    p["PowerTelemetryData"] = QVariantMap{{"SystemPowerIn", 18250}};
    p["DesignCycleCount9C"] = 1000u;
    p["Serial"] = QStringLiteral("F5D123");
    p["DeviceName"] = 42;  // not text
    p["AdapterDetails"] = QVariantMap{{"Name", QStringLiteral("96W USB-C")}, {"Watts", 96}};
    s = BatteryService::parse(p);
    EXPECT_DOUBLE_EQ(s->voltageV, 12.85);
    EXPECT_DOUBLE_EQ(s->amperageA, -1.53);
    EXPECT_DOUBLE_EQ(*s->powerWatts, 18.25);
    EXPECT_EQ(s->designCycles, 1000);
    EXPECT_EQ(s->serial, "F5D123");
    EXPECT_FALSE(s->deviceName);
    EXPECT_EQ(s->adapterName, "96W USB-C");
    EXPECT_EQ(s->adapterWatts, 96);

    p["AdapterDetails"] = QVariantMap{{"Watts", QStringLiteral("96")}};
    p["PowerTelemetryData"] = QVariantMap{};
    s = BatteryService::parse(p);
    EXPECT_FALSE(s->adapterName);
    EXPECT_FALSE(s->adapterWatts);
    EXPECT_FALSE(s->powerWatts);
}

TEST(BatteryParsing, ManufacturerCodesNeedTheirTwoBytes)
{
    QVariantMap p = essentials();
    p["ManufacturerData"] = QByteArray::fromHex("012a0203fffe0a0b0c");  // 9 bytes
    const auto s = BatteryService::parse(p);
    EXPECT_EQ(s->packLot, "0x012a");
    EXPECT_EQ(s->pcbLot, "0x0203");
    EXPECT_EQ(s->firmware, "0x0000fffe");
    EXPECT_EQ(s->hardwareRevision, "0x0a0b");
    EXPECT_FALSE(s->cellRevision);

    p["ManufacturerData"] = QStringLiteral("012a");
    EXPECT_FALSE(BatteryService::parse(p)->packLot);
}

// Power-supply folders as the kernel lays them out.
class SysfsBattery : public ::testing::Test {
protected:
    velk::test::TempTree tree;

    void supply(const QString& name, const QVariantMap& attributes)
    {
        for (auto it = attributes.begin(); it != attributes.end(); ++it)
            tree.fileWithContent("class/power_supply/" + name + '/' + it.key(), it.value().toString().toUtf8() + '\n');
    }

    std::optional<BatteryStatus> read()
    {
        velk::platform::core::ScopedService<velk::platform::sensors::BatteryRegistry> scope(
            velk::platform::sensors::BatteryRegistry::fromSysfs(tree.root()));
        return BatteryService::current();
    }

    void laptopBattery(const QString& status, qint64 current)
    {
        supply("BAT0", {{"type", "Battery"},
                        {"status", status},
                        {"capacity", 64},
                        {"capacity_level", "Normal"},
                        {"cycle_count", 211},
                        {"charge_full_design", 5000000},
                        {"charge_full", 4600000},
                        {"charge_now", 2944000},
                        {"current_now", current},
                        {"voltage_now", 11850000},
                        {"model_name", "5B10W13930"},
                        {"serial_number", "  1234 "}});
    }
};

TEST_F(SysfsBattery, NoBatteryGivesNoStatus)
{
    EXPECT_FALSE(read());
    supply("AC", {{"type", "Mains"}, {"online", 1}});
    supply("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", 40}, {"cycle_count", 0}});
    EXPECT_FALSE(read());
}

TEST_F(SysfsBattery, Discharging)
{
    laptopBattery("Discharging", 1472000);
    supply("AC", {{"type", "Mains"}, {"online", 0}});
    const auto s = read();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->percent, 64);
    EXPECT_EQ(s->cycles, 211);
    EXPECT_EQ(s->designmAh, 5000);
    EXPECT_EQ(s->fullmAh, 4600);
    EXPECT_EQ(s->healthPercent, 92);
    EXPECT_FALSE(s->charging);
    EXPECT_FALSE(s->externalPower);
    EXPECT_FALSE(s->fullyCharged);
    EXPECT_DOUBLE_EQ(s->voltageV, 11.85);
    EXPECT_DOUBLE_EQ(s->amperageA, -1.472);
    EXPECT_EQ(s->minutesRemaining, 120);  // 2944 mAh at 1472 mA
    EXPECT_EQ(s->deviceName, "5B10W13930");
    EXPECT_EQ(s->serial, "1234");
    EXPECT_FALSE(s->adapterName);
}

TEST_F(SysfsBattery, ChargingOnAnAdapter)
{
    laptopBattery("Charging", 1656000);
    supply("ucsi-source-psy-1", {{"type", "USB"}, {"online", 1}, {"voltage_max", 20000000}, {"current_max", 3250000}});
    const auto s = read();
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->charging);
    EXPECT_TRUE(s->externalPower);
    EXPECT_DOUBLE_EQ(s->amperageA, 1.656);
    EXPECT_EQ(s->minutesRemaining, 60);  // 1656 mAh to go at 1656 mA
    EXPECT_EQ(s->adapterWatts, 65);
    EXPECT_FALSE(s->adapterName);
}

TEST_F(SysfsBattery, FullOnEnergyCounters)
{
    supply("BAT1", {{"type", "Battery"},
                    {"status", "Full"},
                    {"capacity", 100},
                    {"capacity_level", "Full"},
                    {"cycle_count", 3},
                    {"voltage_min_design", 11400000},
                    {"energy_full_design", 57000000},
                    {"energy_full", 55860000},
                    {"energy_now", 55860000},
                    {"power_now", 0},
                    {"voltage_now", 13000000}});
    supply("ADP1", {{"type", "Mains"}, {"online", 1}});
    const auto s = read();
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->fullyCharged);
    EXPECT_TRUE(s->externalPower);
    EXPECT_FALSE(s->charging);
    EXPECT_EQ(s->designmAh, 5000);
    EXPECT_EQ(s->fullmAh, 4900);
    EXPECT_EQ(s->healthPercent, 98);
    EXPECT_EQ(s->amperageA, 0.0);
    EXPECT_FALSE(s->minutesRemaining);
    EXPECT_TRUE(s->adapterName == std::nullopt && s->adapterWatts == std::nullopt);
}

TEST_F(SysfsBattery, CriticalAndWithoutCycleCount)
{
    supply("BAT0", {{"type", "Battery"},
                    {"status", "Discharging"},
                    {"capacity", 3},
                    {"capacity_level", "Critical"},
                    {"cycle_count", 9},
                    {"charge_full_design", 4000000},
                    {"charge_full", 3000000}});
    auto s = read();
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->belowWarning);
    EXPECT_EQ(s->conditionKey(), "service");
    EXPECT_FALSE(s->minutesRemaining);

    tree.fileWithContent("class/power_supply/BAT0/cycle_count", "\n");
    s = read();
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->cycles);
    EXPECT_EQ(s->healthPercent, 75);
}

// Many drivers give only the charge and the status.
TEST_F(SysfsBattery, ChargeAndStatusAloneMakeABattery)
{
    supply("BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", 80}});
    const auto s = read();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->percent, 80);
    EXPECT_TRUE(s->charging);
    EXPECT_TRUE(s->externalPower);
    EXPECT_TRUE(!s->cycles && !s->designmAh && !s->fullmAh && !s->healthPercent);
}

TEST_F(SysfsBattery, AbsurdCountersCountAsUnreadable)
{
    laptopBattery("Charging", Q_INT64_C(99999999999999999));
    supply("AC", {{"type", "Mains"}, {"online", 1}, {"voltage_max", Q_INT64_C(9000000000000000)}, {"current_max", Q_INT64_C(9000000000000000)}});
    auto s = read();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->amperageA, 0.0);
    EXPECT_FALSE(s->minutesRemaining);
    EXPECT_FALSE(s->adapterWatts);

    supply("BAT0", {{"charge_full_design", "x"}, {"energy_full_design", Q_INT64_C(9000000000000000)}, {"voltage_min_design", 1}});
    s = read();
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->designmAh);
}

// The laptop of the shared fixtures, as its kernel lays it out: energy
// counters in µWh with the draw as power, charging on a mains adapter that
// reports no rating.
TEST(SysfsFixtureLaptop, ChargingOnEnergyCountersThroughTheDesignVoltage)
{
    velk::platform::core::ScopedService<velk::platform::sensors::BatteryRegistry> scope(
        velk::platform::sensors::BatteryRegistry::fromSysfs(QStringLiteral(VELK_TEST_FIXTURES "/sysfs/intel-laptop")));
    const auto s = BatteryService::current();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->percent, 72);
    EXPECT_EQ(s->cycles, 187);
    EXPECT_EQ(s->designmAh, 4948);   // 57 Wh at 11.52 V
    EXPECT_EQ(s->fullmAh, 4453);
    EXPECT_EQ(s->healthPercent, 90);
    EXPECT_TRUE(s->charging);
    EXPECT_TRUE(s->externalPower);
    EXPECT_DOUBLE_EQ(s->voltageV, 12.648);
    EXPECT_DOUBLE_EQ(s->amperageA, 1.433);   // 18.12 W at 12.648 V
    EXPECT_EQ(s->minutesRemaining, 47);      // 14.364 Wh to go at 18.12 W
    EXPECT_EQ(s->serial, "1432");
    EXPECT_FALSE(s->adapterWatts);
}

} // namespace
