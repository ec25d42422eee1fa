#include "SmcTestbed.h"

#include <gtest/gtest.h>

using velk::sensors::FanMode;
using velk::platform::sensors::EmulatedSmc;
using velk::platform::sensors::SMCKeys;
using velk::test::bytes;

namespace {

class FanControl : public ::testing::Test {
protected:
    velk::test::SmcTestbed bed;
    EmulatedSmc& emu = *bed.emu;

    // The writes sent, as "key: hex bytes" of the first `count` value bytes.
    std::vector<QString> writes(int count = 4) const
    {
        std::vector<QString> out;
        for (const auto& call : emu.calls()) {
            if (call.command == static_cast<std::uint8_t>(SMCKeys::writeBytes))
                out.push_back(call.key + QStringLiteral(": ") + QString::fromLatin1(call.bytes.left(count).toHex(' ')));
        }
        return out;
    }
};

} // namespace

TEST_F(FanControl, FanModesAreZeroOneAndThree)
{
    EXPECT_EQ(velk::sensors::fanModeFromRaw(0), FanMode::automatic);
    EXPECT_EQ(velk::sensors::fanModeFromRaw(1), FanMode::forced);
    EXPECT_EQ(velk::sensors::fanModeFromRaw(3), FanMode::auto3);
    EXPECT_FALSE(velk::sensors::fanModeFromRaw(2));
    EXPECT_TRUE(velk::sensors::isAutomatic(FanMode::auto3));
    EXPECT_FALSE(velk::sensors::isAutomatic(FanMode::forced));
}

TEST_F(FanControl, WritesFpe2WithinItsRangeOnly)
{
    emu.setKey("F0Tg", "fpe2", bytes({0, 0}));
    auto client = bed.client();
    EXPECT_EQ(client->write("F0Tg", 2000), 0u);
    EXPECT_EQ(emu.value("F0Tg"), bytes({0x1F, 0x40}));
    ASSERT_EQ(emu.calls().size(), 1u);
    EXPECT_EQ(emu.calls()[0].dataSize, 2u);
    emu.clearCalls();
    EXPECT_EQ(client->write("F0Tg", 16384), velk::platform::sensors::kIOReturnBadArgument);
    EXPECT_EQ(client->write("F0Tg", -1), velk::platform::sensors::kIOReturnBadArgument);
    EXPECT_EQ(client->write("F0T", 10), velk::platform::sensors::kIOReturnBadArgument);
    EXPECT_TRUE(emu.calls().empty());
    // Any refusal is a general error, "key not found" included.
    emu.injectResult(132, {SMCKeys::writeBytes, std::nullopt, 1});
    EXPECT_EQ(client->write("F0Tg", 1), velk::platform::sensors::kIOReturnError);
}

TEST_F(FanControl, ForcedFanTakesTheSpeedAsASingle)
{
    emu.setKey("F0Md", "ui8 ", bytes({1}));
    emu.setKey("F0Mx", "flt ", EmulatedSmc::flt(5000));
    emu.setKey("F0Tg", "flt ", EmulatedSmc::flt(0));
    auto client = bed.client();
    client->setFanSpeed(0, 1500);
    EXPECT_EQ(writes(), (std::vector<QString>{"F0Tg: 00 80 bb 44"}));
    EXPECT_TRUE(bed.lines.empty());

    emu.clearCalls();
    client->setFanSpeed(0, 7000);  // clamped to the maximum
    EXPECT_EQ(emu.value("F0Tg"), EmulatedSmc::flt(5000));
}

TEST_F(FanControl, SpeedIsClampedToTheMaximumsIntegerPart)
{
    emu.setKey("F1Md", "ui8 ", bytes({1}));
    emu.setKey("F1Mx", "flt ", EmulatedSmc::flt(2200.75f));
    emu.setKey("F1Tg", "fpe2", bytes({0, 0}));
    auto client = bed.client();
    client->setFanSpeed(1, 3000);
    EXPECT_EQ(writes(2), (std::vector<QString>{"F1Tg: 22 60"}));  // 2200 in 14.2 fixed point

    client->setFanSpeed(-1, 100);
    client->setFanSpeed(1, -5);
    client->setFanSpeed(10, 100);
    EXPECT_EQ(bed.lines, std::vector<QString>(3, "Error: invalid fan id or speed"));
}

TEST_F(FanControl, SpeedReportsUnusableTargets)
{
    emu.setKey("F0Md", "ui8 ", bytes({1}));
    emu.setKey("F0Tg", "ui16", bytes({0, 0}));
    emu.setKey("F1Md", "ui8 ", bytes({1}));
    emu.setKey("F1Tg", "fpe2", bytes({0, 0}));
    auto client = bed.client();
    client->setFanSpeed(0, 1000);
    client->setFanSpeed(1, 20000);
    client->setFanSpeed(2, 1000);
    emu.setKey("F2Md", "ui8 ", bytes({1}));
    client->setFanSpeed(2, 1000);
    EXPECT_EQ(bed.lines, (std::vector<QString>{"Error: unsupported fan target type ui16",
                                               "Error: fan speed exceeds fpe2 range",
                                               "Error read fan mode: not found", "Error read fan value: not found"}));
    EXPECT_TRUE(writes().empty());
}

TEST_F(FanControl, FailedRetriesPrintOneLineAfterNinePauses)
{
    emu.setKey("F0Md", "ui8 ", bytes({1}));
    emu.setKey("F0Tg", "flt ", EmulatedSmc::flt(0));
    emu.refuseWrites();
    auto client = bed.client();
    client->setFanSpeed(0, 1200);
    EXPECT_EQ(writes().size(), 10u);
    EXPECT_EQ(bed.pauses, std::vector<std::uint32_t>(9, 50'000));
    EXPECT_EQ(bed.lines, (std::vector<QString>{"[F0Tg] write failed: general error (0x-1ffffd44)"}));

    // The last code is the one named.
    emu.refuseWrites(false);
    emu.injectDriverError(0xE00002F0, {SMCKeys::writeBytes, std::nullopt, 10});
    client->setFanSpeed(0, 1300);
    EXPECT_EQ(bed.lines.back(), "[F0Tg] write failed: not found (0x-1ffffd10)");
}

TEST_F(FanControl, ModeKeySpellingIsProbedOnce)
{
    auto upper = bed.client();
    EXPECT_EQ(upper->fanModeKey(0), "F0Md");
    EXPECT_EQ(upper->fanModeKey(3), "F3Md");
    EXPECT_EQ(bed.trace(), (std::vector<QString>{"9 F0md"}));

    emu.setKey("F0md", "ui8 ", bytes({0}));
    auto lower = bed.client();
    EXPECT_EQ(lower->fanModeKey(1), "F1md");
}

TEST_F(FanControl, UnlockSetsTheTestFlagBeforeRetryingTheMode)
{
    emu.setKey("F0Md", "ui8 ", bytes({0}));
    emu.setKey("Ftst", "ui8 ", bytes({0}));
    emu.injectResult(EmulatedSmc::kResultRefused, {SMCKeys::writeBytes, QString("F0Md"), 1});
    auto client = bed.client();
    client->setFanMode(0, FanMode::forced);

    EXPECT_EQ(bed.trace(), (std::vector<QString>{"9 F0md", "9 F0Md", "5 F0Md", "6 F0Md", "9 Ftst", "5 Ftst", "6 Ftst",
                                                 "5 F0Md", "6 F0Md"}));
    EXPECT_EQ(writes(1), (std::vector<QString>{"F0Md: 01", "Ftst: 01", "F0Md: 01"}));
    EXPECT_EQ(bed.pauses, (std::vector<std::uint32_t>{3'000'000}));
    EXPECT_EQ(emu.value("F0Md"), bytes({1}));
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(FanControl, UnlockWithTheFlagSetRetriesTwentyTimes)
{
    emu.setKey("F0Md", "ui8 ", bytes({0}));
    emu.setKey("Ftst", "ui8 ", bytes({1}));
    emu.injectResult(EmulatedSmc::kResultRefused, {SMCKeys::writeBytes, QString("F0Md"), 21});
    auto client = bed.client();
    client->setFanMode(0, FanMode::forced);
    EXPECT_EQ(writes(1).size(), 21u);
    EXPECT_EQ(bed.pauses, std::vector<std::uint32_t>(19, 100'000));
    EXPECT_EQ(bed.lines, (std::vector<QString>{"[F0Md] write failed: general error (0x-1ffffd44)"}));

    // Without a test flag the unlock ends quietly.
    emu.removeKey("Ftst");
    emu.clearCalls();
    bed.lines.clear();
    emu.injectResult(EmulatedSmc::kResultRefused, {SMCKeys::writeBytes, QString("F0Md"), 1});
    client->setFanSpeed(0, 1000);
    EXPECT_EQ(writes(1), (std::vector<QString>{"F0Md: 01"}));
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(FanControl, AutomaticClearsTheModeAndTheTarget)
{
    emu.setKey("F0Md", "ui8 ", bytes({1}));
    emu.setKey("F0Tg", "flt ", EmulatedSmc::flt(1800));
    auto client = bed.client();
    client->setFanMode(0, FanMode::automatic);
    EXPECT_EQ(writes(), (std::vector<QString>{"F0Md: 00 00 00 00", "F0Tg: 00 00 00 00"}));

    client->setFanMode(10, FanMode::auto3);
    client->setFanMode(1, FanMode::automatic);  // no mode key, no target
    EXPECT_EQ(bed.lines, (std::vector<QString>{"Error: invalid fan id 10", "[F1Tg] read failed: not found (0x-1ffffd10)"}));
    EXPECT_EQ(writes().size(), 2u);
}

TEST_F(FanControl, ResetWithAClearTestFlagWritesNothing)
{
    emu.setKey("Ftst", "ui8 ", bytes({0}));
    auto client = bed.client();
    EXPECT_TRUE(client->resetFanControl());
    EXPECT_TRUE(writes().empty());

    emu.setKey("Ftst", "ui8 ", bytes({1}));
    EXPECT_TRUE(client->resetFanControl());
    EXPECT_EQ(emu.value("Ftst"), bytes({0}));
}

TEST_F(FanControl, ResetWithoutATestFlagClearsEveryFan)
{
    emu.setKey("FNum", "ui8 ", bytes({3}));
    emu.setKey("F0Md", "ui8 ", bytes({1}));
    emu.setKey("F2Md", "ui8 ", bytes({1}));
    emu.setKey("F3Md", "ui8 ", bytes({1}));
    auto client = bed.client();
    // Fan 1 has no mode key: the reset fails but fan 2 is still cleared.
    EXPECT_FALSE(client->resetFanControl());
    EXPECT_EQ(emu.value("F0Md"), bytes({0}));
    EXPECT_EQ(emu.value("F2Md"), bytes({0}));
    EXPECT_EQ(emu.value("F3Md"), bytes({1}));

    emu.setKey("F1Md", "ui8 ", bytes({0}));
    EXPECT_TRUE(client->resetFanControl());
    emu.removeKey("FNum");
    EXPECT_FALSE(client->resetFanControl());
    EXPECT_TRUE(bed.lines.empty());
}
