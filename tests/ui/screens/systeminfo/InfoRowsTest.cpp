#include "ui/screens/systeminfo/InfoRows.h"

#include <gtest/gtest.h>

namespace velk::screens {
namespace {

// "key=value" of every row, in order, in one language.
QStringList shown(const QList<InfoRow>& rows, bool english = true)
{
    QStringList texts;
    for (const InfoRow& row : rows)
        texts << row.key + u'=' + (english ? row.value.en : row.value.zh);
    return texts;
}

monitor::BatteryStatus battery()
{
    monitor::BatteryStatus s;
    s.percent = 72;
    s.cycles = 187;
    s.designmAh = 4563;
    s.fullmAh = 4382;
    s.healthPercent = 96;
    return s;
}

TEST(SystemInfoRows, BatteryRowsFollowTheReading)
{
    struct Case {
        const char* name;
        void (*change)(monitor::BatteryStatus&);
        QStringList rows;
    };
    const QStringList common{"level=72%", "cycles=187", "health=96%", "condition=Normal", "capacity=4382 / 4563 mAh"};
    const auto with = [&](const QString& status, QStringList tail = {}) {
        QStringList rows = common;
        rows.insert(1, "status=" + status);
        return rows + tail;
    };
    const Case cases[] = {
        {"on battery without a time", [](monitor::BatteryStatus&) {}, with("On battery")},
        {"discharging with a time",
         [](monitor::BatteryStatus& s) { s.minutesRemaining = 47; s.deviceName = "bq40z651"; },
         with("On battery", {"remaining=47 min", "device=bq40z651"})},
        {"charging with a known time",
         [](monitor::BatteryStatus& s) { s.charging = true; s.minutesRemaining = 47; }, with("Charging")},
        {"charging and full", [](monitor::BatteryStatus& s) { s.charging = s.fullyCharged = true; }, with("Charging")},
        {"full on power", [](monitor::BatteryStatus& s) { s.fullyCharged = s.externalPower = true; }, with("Full")},
        {"external power only", [](monitor::BatteryStatus& s) { s.externalPower = true; }, with("On AC power")},
        {"empty device name", [](monitor::BatteryStatus& s) { s.deviceName = ""; }, with("On battery")},
        {"figures not reported",
         [](monitor::BatteryStatus& s) { s.cycles.reset(); s.designmAh.reset(); s.healthPercent.reset(); },
         {"level=72%", "status=On battery"}},
    };
    for (const Case& c : cases) {
        monitor::BatteryStatus s = battery();
        c.change(s);
        EXPECT_EQ(shown(inforows::battery(s)), c.rows) << c.name;
    }
}

TEST(SystemInfoRows, ConditionTurnsBelowEightyAndTextsComeInBothLanguages)
{
    monitor::BatteryStatus s = battery();
    s.minutesRemaining = 47;
    s.healthPercent = 80;
    EXPECT_TRUE(shown(inforows::battery(s), false).contains("condition=正常"));
    s.healthPercent = 79;
    EXPECT_TRUE(shown(inforows::battery(s)).contains("condition=Service Recommended"));
    const QStringList zh = shown(inforows::battery(s), false);
    EXPECT_TRUE(zh.contains("condition=建议检修"));
    EXPECT_TRUE(zh.contains("remaining=47 分钟"));
    EXPECT_TRUE(zh.contains("status=使用电池"));
}

TEST(SystemInfoRows, CoolingNumbersFansByIdAndStorageRoundsItsRatio)
{
    sensors::ThermalStats thermal;
    thermal.fans = {{2, 1850, 6000}};
    const QList<InfoRow> one = inforows::cooling(thermal);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].label, (TextPair{"风扇 3", "Fan 3"}));
    EXPECT_EQ(one[0].value.en, "1850 RPM");

    thermal.cpuCelsius = 47.3;
    thermal.fans = {{0, 1200, 6000}, {1, 0, 0}};
    EXPECT_EQ(shown(inforows::cooling(thermal)), (QStringList{"temperature=47.3°C", "fan0=1200 RPM", "fan1=0 RPM"}));
    EXPECT_TRUE(inforows::cooling(sensors::ThermalStats{}).isEmpty());

    // 12.5 % used rounds away from zero; a disk of no size is 0 % used.
    const QStringList storage = shown(inforows::storage(monitor::DiskInfo{1'073'741'824, 939'524'096}));
    EXPECT_EQ(storage, (QStringList{"used=128 MB", "free=896 MB", "total=1 GB", "ratio=13%"}));
    EXPECT_EQ(inforows::storage(monitor::DiskInfo{}).back().value.en, "0%");
    // Space reserved for the superuser is not counted as used.
    EXPECT_EQ(shown(inforows::storage(monitor::DiskInfo{1'073'741'824, 939'524'096, 67'108'864})),
              (QStringList{"used=64 MB", "free=896 MB", "total=1 GB", "ratio=7%"}));
}

TEST(SystemInfoRows, MachineShowsTheModelOnlyWithAChipFamily)
{
    monitor::MachineProfile profile{"—", "Debian GNU/Linux 12", "Acme Z80", "16 GB", "x86-64 (x86_64)", std::nullopt};
    QStringList rows = shown(inforows::machine(profile, 8, 3 * 3600 + 5 * 60));
    EXPECT_EQ(rows, (QStringList{"chip=Acme Z80", "os=Debian GNU/Linux 12", "architecture=x86-64 (x86_64)", "memory=16 GB",
                                 "host=—", "cpus=8", "uptime=3h 5m"}));
    profile.platformLabel = "intel";
    const QList<InfoRow> withModel = inforows::machine(profile, 8, 42 * 60);
    EXPECT_EQ(withModel[3].key, "model");
    EXPECT_EQ(withModel.back().value, (TextPair{"42 分钟", "42m"}));
}

TEST(BatteryPageRows, AbsentFiguresAndTextsReadAsADash)
{
    monitor::BatteryStatus s = battery();
    s.charging = true;
    s.healthPercent = 79;
    s.deviceName = "";
    s.firmware = "0x0a1b2c3d";
    EXPECT_EQ(shown(inforows::batteryCharge(s)),
              (QStringList{"belowWarning=No", "fullyCharged=No", "charging=Yes", "percent=72%"}));
    EXPECT_EQ(shown(inforows::batteryHealth(s), false), (QStringList{"cycles=187", "condition=建议检修", "health=79%"}));
    EXPECT_EQ(shown(inforows::batteryModel(s)),
              (QStringList{"serial=—", "deviceName=", "packLot=—", "pcbLot=—", "firmware=0x0a1b2c3d",
                           "hardwareRevision=—", "cellRevision=—"}));
    s.cycles.reset();
    s.healthPercent.reset();
    EXPECT_EQ(shown(inforows::batteryHealth(s)), (QStringList{"cycles=—", "condition=—", "health=—"}));
}

} // namespace
} // namespace velk::screens
