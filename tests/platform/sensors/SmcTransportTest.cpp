#include "platform/core/Clock.h"
#include "platform/sensors/EmulatedSmc.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/sensors/SmcTransport.h"
#include "support/ManualClock.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <bit>
#include <gtest/gtest.h>

using velk::platform::sensors::EmulatedSmc;
using velk::platform::sensors::SMCKeyData_t;
using velk::platform::sensors::SMCKeys;
using velk::platform::sensors::SmcOpenStep;
using velk::platform::sensors::SmcTransport;
namespace smc = velk::platform::sensors::smc;

namespace {

struct Answer {
    std::uint32_t code = 0;
    SMCKeyData_t record;
};

Answer exchange(SmcTransport& t, std::uint32_t conn, SMCKeys command, const QString& key, std::uint32_t index = 0,
                const QByteArray& bytes = {})
{
    SMCKeyData_t in;
    in.key = key.isEmpty() ? 0 : smc::keyCode(key);
    in.data8 = static_cast<std::uint8_t>(command);
    in.data32 = index;
    in.keyInfo.dataSize = static_cast<std::uint32_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), in.bytes.begin());
    Answer a;
    std::size_t size = sizeof(SMCKeyData_t);
    a.code = t.call(conn, 2, in, a.record, size);
    return a;
}

// The value of a "flt " key, or nothing when the controller does not give it.
std::optional<float> readFloat(SmcTransport& t, std::uint32_t conn, const QString& key)
{
    const Answer a = exchange(t, conn, SMCKeys::readBytes, key);
    if (a.code != 0 || a.record.result != 0)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t(a.record.bytes[i]) << (8 * i);
    return std::bit_cast<float>(bits);
}

QString fixture(const char* name)
{
    return QStringLiteral(VELK_TEST_FIXTURES "/sysfs/") + QLatin1String(name);
}

QStringList allKeys(SmcTransport& t, std::uint32_t conn)
{
    QStringList keys;
    for (std::uint32_t i = 0;; ++i) {
        const Answer a = exchange(t, conn, SMCKeys::readIndex, {}, i);
        if (a.code != 0 || a.record.result != 0)
            return keys;
        keys.append(smc::keyName(a.record.key));
    }
}

} // namespace

TEST(SmcProtocol, KeyCodesPackFirstCharacterHighest)
{
    EXPECT_EQ(smc::keyCode("FNum"), 0x464E756Du);
    EXPECT_EQ(smc::keyName(0x464E756Du), "FNum");
    EXPECT_EQ(smc::keyName(0x4142B000u), QString("AB") + QChar(0xB0) + QChar(0));
    EXPECT_TRUE(smc::isKeyName("FS! "));
    EXPECT_FALSE(smc::isKeyName("abc"));
    EXPECT_FALSE(smc::isKeyName("abcde"));
    EXPECT_FALSE(smc::isKeyName(QString("TC") + QChar(0xB0) + "C"));
    EXPECT_EQ(smc::uint16FromBytes(0x2D, 0x80), 0x2D80);
    EXPECT_EQ(smc::uint32FromBytes(0, 0, 5, 0xDC), 1500u);
    EXPECT_FALSE(velk::platform::sensors::smcKeysFromRaw(7));
    EXPECT_EQ(velk::platform::sensors::smcKeysFromRaw(9), SMCKeys::readKeyInfo);
}

TEST(SmcTransport, KnowsFourErrorTexts)
{
    EXPECT_EQ(SmcTransport::describe(0), "success");
    EXPECT_EQ(SmcTransport::describe(0xE00002BC), "general error");
    EXPECT_EQ(SmcTransport::describe(0xE00002C2), "invalid argument");
    EXPECT_EQ(SmcTransport::describe(0xE00002F0), "not found");
    EXPECT_EQ(SmcTransport::describe(0xE00002C7), "unknown error");
}

TEST(EmulatedSmc, AnswersTheFourCommandsOverASortedTable)
{
    EmulatedSmc emu([] { return qint64(0); });
    emu.setKey("TC0P", "sp78", EmulatedSmc::sp78(45.5));
    emu.setKey("F0Ac", "flt ", EmulatedSmc::flt(1200));
    const auto conn = emu.open().connection;
    ASSERT_NE(conn, 0u);

    EXPECT_EQ(allKeys(emu, conn), QStringList({"#KEY", "F0Ac", "TC0P"}));
    const Answer count = exchange(emu, conn, SMCKeys::readBytes, "#KEY");
    EXPECT_EQ(count.record.bytes[3], 3);

    Answer info = exchange(emu, conn, SMCKeys::readKeyInfo, "TC0P");
    EXPECT_EQ(info.record.result, 0);
    EXPECT_EQ(info.record.keyInfo.dataSize, 2u);
    EXPECT_EQ(smc::keyName(info.record.keyInfo.dataType), "sp78");
    const Answer value = exchange(emu, conn, SMCKeys::readBytes, "TC0P");
    EXPECT_EQ(value.record.bytes[0], 0x2D);
    EXPECT_EQ(value.record.bytes[1], 0x80);

    EXPECT_EQ(exchange(emu, conn, SMCKeys::readKeyInfo, "TXYZ").record.result, 132);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TXYZ").record.result, 132);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readIndex, {}, 3).record.result, 132);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readVers, "TC0P").record.result, EmulatedSmc::kResultBadCommand);

    EXPECT_EQ(exchange(emu, conn, SMCKeys::writeBytes, "F0Ac", 0, EmulatedSmc::flt(900)).record.result, 0);
    EXPECT_EQ(emu.value("F0Ac"), EmulatedSmc::flt(900));
    emu.refuseWrites();
    EXPECT_EQ(exchange(emu, conn, SMCKeys::writeBytes, "F0Ac", 0, EmulatedSmc::flt(1)).record.result,
              EmulatedSmc::kResultRefused);
    EXPECT_EQ(emu.value("F0Ac"), EmulatedSmc::flt(900));

    EXPECT_EQ(emu.close(conn), 0u);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TC0P").code, velk::platform::sensors::kIOReturnError);
    EXPECT_EQ(emu.close(conn), velk::platform::sensors::kIOReturnBadArgument);
}

TEST(EmulatedSmc, InjectsFaultsAndLogsCalls)
{
    EmulatedSmc emu([] { return qint64(0); });
    emu.setKey("TC0P", "sp78", EmulatedSmc::sp78(40));
    emu.setKey("TB0T", "sp78", EmulatedSmc::sp78(30));
    const auto conn = emu.open().connection;

    emu.injectDriverError(0xE00002C7, {SMCKeys::readBytes, QString("TC0P"), 2});
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TC0P").code, 0xE00002C7u);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TB0T").code, 0u);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readKeyInfo, "TC0P").code, 0u);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TC0P").code, 0xE00002C7u);
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readBytes, "TC0P").code, 0u);

    emu.injectResult(0x85, {SMCKeys::readKeyInfo, std::nullopt, -1});
    EXPECT_EQ(exchange(emu, conn, SMCKeys::readKeyInfo, "TB0T").record.result, 0x85);
    emu.clearFaults();
    emu.setKeyInfo("TB0T", 40, 0);
    const Answer a = exchange(emu, conn, SMCKeys::readKeyInfo, "TB0T");
    EXPECT_EQ(a.record.keyInfo.dataSize, 40u);
    EXPECT_EQ(a.record.keyInfo.dataType, 0u);

    const auto calls = emu.calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls.front().command, 5);
    EXPECT_EQ(calls.front().key, "TC0P");
    EXPECT_EQ(emu.callCount(SMCKeys::readKeyInfo), 3);
}

TEST(EmulatedSmc, FailsOpeningAtTheStepAsked)
{
    EmulatedSmc emu([] { return qint64(0); });
    emu.failOpen(SmcOpenStep::matching, 0xE00002C7);
    auto r = emu.open();
    EXPECT_EQ(r.failedAt, SmcOpenStep::matching);
    EXPECT_EQ(r.code, 0xE00002C7u);
    EXPECT_EQ(r.connection, 0u);
    emu.failOpen(SmcOpenStep::iterator);
    EXPECT_EQ(emu.open().code, 0u);
    emu.failOpen(SmcOpenStep::open, 0xE00002BC);
    EXPECT_EQ(emu.open().failedAt, SmcOpenStep::open);
    EXPECT_FALSE(emu.isOpen());
}

TEST(EmulatedSmc, NameValuesHoldPrintableAsciiPaddedWithSpaces)
{
    const QByteArray fds = EmulatedSmc::fds(QString("Rear Exhaust Fan"));
    ASSERT_EQ(fds.size(), 16);
    EXPECT_EQ(fds.left(4), QByteArray(4, '\0'));
    EXPECT_EQ(fds.mid(4), "Rear Exhaust");
    EXPECT_EQ(EmulatedSmc::fds(QString::fromUtf8("Lüfter")).mid(4), "Lfter       ");
}

TEST(SysfsSmc, MapsAnIntelLaptop)
{
    const auto t = SmcTransport::fromSysfs(fixture("intel-laptop"));
    const auto conn = t->open().connection;
    ASSERT_NE(conn, 0u);
    EXPECT_EQ(allKeys(*t, conn), QStringList({"#KEY", "F0Ac", "F0ID", "FNum", "TC0c", "TC1c", "TC2c", "TC3c", "TC4c",
                                              "TC5c", "TCAD", "TH0A", "TZ0C", "TZ1C"}));
    // Cores by number: 0, 4, 8, 12, 16, 17.
    const std::vector<std::pair<const char*, float>> expected{
        {"TC0c", 57}, {"TC1c", 59}, {"TC2c", 61}, {"TC3c", 55}, {"TC4c", 49}, {"TC5c", 50},
        {"TCAD", 61}, {"TH0A", 38.85f}, {"TZ0C", 27.8f}, {"TZ1C", 41}, {"F0Ac", 2912},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(readFloat(*t, conn, key), value) << key;

    const Answer id = exchange(*t, conn, SMCKeys::readBytes, "F0ID");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(id.record.bytes.data()) + 4, 12), "Fan 1       ");
    EXPECT_EQ(smc::keyName(exchange(*t, conn, SMCKeys::readKeyInfo, "F0ID").record.keyInfo.dataType), "{fds");
    const Answer fans = exchange(*t, conn, SMCKeys::readBytes, "FNum");
    EXPECT_EQ(fans.record.bytes[0], 1);
    EXPECT_EQ(smc::keyName(exchange(*t, conn, SMCKeys::readKeyInfo, "FNum").record.keyInfo.dataType), "ui8 ");
    EXPECT_EQ(smc::keyName(exchange(*t, conn, SMCKeys::readKeyInfo, "#KEY").record.keyInfo.dataType), "ui32");
    EXPECT_EQ(exchange(*t, conn, SMCKeys::readBytes, "#KEY").record.bytes[3], 14);

    EXPECT_EQ(exchange(*t, conn, SMCKeys::writeBytes, "F0Ac", 0, EmulatedSmc::flt(0)).record.result,
              EmulatedSmc::kResultRefused);
    EXPECT_EQ(exchange(*t, conn, SMCKeys::writeBytes, "FNum", 0, EmulatedSmc::ui8(3)).record.result,
              EmulatedSmc::kResultRefused);
}

TEST(SysfsSmc, MapsAnAmdDesktopWithAGpuAndTwoFans)
{
    const auto t = SmcTransport::fromSysfs(fixture("amd-desktop"));
    const auto conn = t->open().connection;
    ASSERT_NE(conn, 0u);
    EXPECT_EQ(allKeys(*t, conn), QStringList({"#KEY", "F0Ac", "F0ID", "F0Mn", "F0Mx", "F1Ac", "F1ID", "FNum", "TC0C",
                                              "TC1C", "TCAD", "TG0D", "TH0A", "TH1A"}));
    const std::vector<std::pair<const char*, float>> expected{
        {"TC0C", 58.5f}, {"TC1C", 61}, {"TCAD", 65.25f}, {"TG0D", 47}, {"TH1A", 34},
        {"F0Ac", 1187},  {"F0Mn", 300}, {"F0Mx", 2200}, {"F1Ac", 842},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(readFloat(*t, conn, key), value) << key;
    // The drive's channel cannot be read: the key is there, its value is not.
    EXPECT_EQ(exchange(*t, conn, SMCKeys::readKeyInfo, "TH0A").record.result, 0);
    EXPECT_EQ(exchange(*t, conn, SMCKeys::readBytes, "TH0A").record.result, 132);

    const Answer id0 = exchange(*t, conn, SMCKeys::readBytes, "F0ID");
    const Answer id1 = exchange(*t, conn, SMCKeys::readBytes, "F1ID");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(id0.record.bytes.data()) + 4, 12), "CPU Fan     ");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(id1.record.bytes.data()) + 4, 12), "Rear Exhaust");
    EXPECT_EQ(exchange(*t, conn, SMCKeys::readBytes, "FNum").record.bytes[0], 2);
}

TEST(SysfsSmc, RereadsAValueAfterOneSecond)
{
    auto clock = std::make_shared<velk::test::ManualClock>();
    velk::platform::core::ScopedService<velk::platform::core::Clock> c(clock);
    velk::test::TempTree tree;
    tree.fileWithContent("class/hwmon/hwmon0/name", "k10temp\n");
    tree.fileWithContent("class/hwmon/hwmon0/temp1_label", "Tctl\n");
    const QString input = tree.fileWithContent("class/hwmon/hwmon0/temp1_input", "50000\n");
    const auto t = SmcTransport::fromSysfs(tree.root());
    const auto conn = t->open().connection;

    // Without per-core channels the package also stands for core 0.
    EXPECT_EQ(allKeys(*t, conn), QStringList({"#KEY", "FNum", "TC0c", "TCAD"}));
    EXPECT_EQ(readFloat(*t, conn, "TC0c"), 50.0f);
    tree.fileWithContent("class/hwmon/hwmon0/temp1_input", "70000\n");
    clock->advance(0.5);
    EXPECT_EQ(readFloat(*t, conn, "TC0c"), 50.0f);
    EXPECT_EQ(readFloat(*t, conn, "TCAD"), 70.0f);
    clock->advance(0.5);
    EXPECT_EQ(readFloat(*t, conn, "TC0c"), 70.0f);

    tree.fileWithContent("class/hwmon/hwmon0/temp1_input", "no data\n");
    clock->advance(1.0);
    EXPECT_FALSE(readFloat(*t, conn, "TC0c"));
    QFile::remove(input);
    EXPECT_FALSE(readFloat(*t, conn, "TC0c"));
    tree.fileWithContent("class/hwmon/hwmon0/temp1_input", "-5000\n");
    EXPECT_EQ(readFloat(*t, conn, "TC0c"), -5.0f);
}

TEST(SysfsSmc, FollowsTheClassLinksToTheDevices)
{
    // As on a running system, the class folders hold links into the device tree.
    velk::test::TempTree tree;
    tree.fileWithContent("devices/platform/coretemp.0/hwmon/hwmon3/name", "coretemp\n");
    tree.fileWithContent("devices/platform/coretemp.0/hwmon/hwmon3/temp1_label", "Package id 0\n");
    tree.fileWithContent("devices/platform/coretemp.0/hwmon/hwmon3/temp1_input", "45000\n");
    tree.fileWithContent("devices/virtual/thermal/thermal_zone0/temp", "30000\n");
    QDir().mkpath(tree.path("class/hwmon"));
    QDir().mkpath(tree.path("class/thermal"));
    ASSERT_TRUE(QFile::link("../../devices/platform/coretemp.0/hwmon/hwmon3", tree.path("class/hwmon/hwmon3")));
    ASSERT_TRUE(QFile::link("../../devices/virtual/thermal/thermal_zone0", tree.path("class/thermal/thermal_zone0")));
    const auto t = SmcTransport::fromSysfs(tree.root());
    const auto conn = t->open().connection;
    EXPECT_EQ(allKeys(*t, conn), QStringList({"#KEY", "FNum", "TC0c", "TCAD", "TZ0C"}));
    EXPECT_EQ(readFloat(*t, conn, "TCAD"), 45.0f);
    EXPECT_EQ(readFloat(*t, conn, "TZ0C"), 30.0f);
}

TEST(SysfsSmc, ServesAtMostTenOfAKind)
{
    velk::test::TempTree tree;
    tree.fileWithContent("class/hwmon/hwmon0/name", "coretemp\n");
    tree.fileWithContent("class/hwmon/hwmon1/name", "it8686\n");
    for (int i = 0; i < 12; ++i) {
        const QString base = QStringLiteral("class/hwmon/hwmon0/temp%1").arg(i + 2);
        tree.fileWithContent(base + "_label", QByteArray("Core ") + QByteArray::number(i));
        tree.fileWithContent(base + "_input", "40000");
        tree.fileWithContent(QStringLiteral("class/hwmon/hwmon1/fan%1_input").arg(i + 1), "1000");
        tree.fileWithContent(QStringLiteral("class/thermal/thermal_zone%1/temp").arg(i), "30000");
    }
    const auto t = SmcTransport::fromSysfs(tree.root());
    const QStringList keys = allKeys(*t, t->open().connection);
    EXPECT_EQ(keys.filter(QRegularExpression("^TC\\dc$")).size(), 10);
    EXPECT_EQ(keys.filter(QRegularExpression("^TZ\\dC$")).size(), 10);
    EXPECT_EQ(keys.filter(QRegularExpression("^F\\dAc$")).size(), 10);
    EXPECT_FALSE(keys.contains("TCAD"));
}

TEST(SysfsSmc, AnEmptyRootHasNoController)
{
    velk::test::TempTree empty;
    const auto none = SmcTransport::fromSysfs(empty.root());
    const auto r = none->open();
    EXPECT_EQ(r.failedAt, SmcOpenStep::iterator);
    EXPECT_EQ(r.connection, 0u);

    // Chips without temperatures or fans count as nothing either.
    velk::test::TempTree batteryOnly;
    batteryOnly.fileWithContent("class/hwmon/hwmon0/name", "BAT0\n");
    batteryOnly.fileWithContent("class/hwmon/hwmon0/in0_input", "12000\n");
    EXPECT_EQ(SmcTransport::fromSysfs(batteryOnly.root())->open().failedAt, SmcOpenStep::iterator);
    EXPECT_EQ(SmcTransport::fromSysfs(empty.path("missing"))->open().failedAt, SmcOpenStep::iterator);
}
