#include "SmcTestbed.h"

#include <gtest/gtest.h>

using velk::platform::sensors::EmulatedSmc;
using velk::platform::sensors::SMCKeys;
using velk::platform::sensors::SmcOpenStep;
using velk::test::bytes;
namespace smc = velk::platform::sensors::smc;

namespace {

class SmcClient : public ::testing::Test {
protected:
    velk::test::SmcTestbed bed;
    EmulatedSmc& emu = *bed.emu;
};

} // namespace

TEST_F(SmcClient, DecodesEveryNumberType)
{
    emu.setKey("TC0P", "sp78", bytes({0x2D, 0x80}));
    emu.setKey("F0Tg", "fpe2", bytes({0x1F, 0x40}));
    emu.setKey("F0Ac", "flt ", bytes({0x00, 0x00, 0x48, 0x42}));
    emu.setKey("TOTL", "ui32", bytes({0x00, 0x00, 0x05, 0xDC}));
    emu.setKey("TNEG", "sp78", bytes({0xFF, 0x00}));
    emu.setKey("TU08", "ui8 ", bytes({0xC8, 0xFF}));
    // 0x4000 = 16384 under each fixed-point type.
    const std::vector<std::pair<const char*, double>> fixed{
        {"sp1e", 1},     {"sp3c", 4},     {"sp4b", 8},    {"sp5a", 16}, {"sp69", 32},  {"sp78", 64},
        {"sp87", 128},   {"sp96", 256},   {"spa5", 512},  {"spb4", 1024}, {"spf0", 16384}, {"ui16", 16384},
    };
    for (std::size_t i = 0; i < fixed.size(); ++i)
        emu.setKey(QStringLiteral("X%1").arg(i, 3, 10, QChar('0')), fixed[i].first, bytes({0x40, 0x00}));
    emu.setKey("FPE2", "fpe2", bytes({0x00, 0x03}));

    auto client = bed.client();
    EXPECT_EQ(client->getValue("TC0P"), 45.5);
    EXPECT_EQ(client->getValue("F0Tg"), 2000);
    EXPECT_EQ(client->getValue("F0Ac"), 50.0);
    EXPECT_EQ(client->getValue("TOTL"), 1500);
    EXPECT_EQ(client->getValue("TNEG"), 255.0);  // unsigned, not -1
    EXPECT_EQ(client->getValue("TU08"), 200);
    for (std::size_t i = 0; i < fixed.size(); ++i)
        EXPECT_EQ(client->getValue(QStringLiteral("X%1").arg(i, 3, 10, QChar('0'))), fixed[i].second) << fixed[i].first;
    EXPECT_EQ(client->getValue("FPE2"), 0);  // the two low bits are dropped
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(SmcClient, ZeroValuesAreGapsExceptForFanModes)
{
    emu.setKey("F0Md", "ui8 ", bytes({0}));
    emu.setKey("FS! ", "ui16", bytes({0, 0}));
    emu.setKey("FNum", "ui8 ", bytes({0}));
    emu.setKey("TC0P", "sp78", bytes({0, 0}));
    emu.setKey("F0ID", "{fds", QByteArray(16, '\0'));
    auto client = bed.client();
    EXPECT_EQ(client->getValue("F0Md"), 0.0);
    EXPECT_EQ(client->getValue("FS! "), 0.0);
    EXPECT_FALSE(client->getValue("FNum"));
    EXPECT_FALSE(client->getValue("TC0P"));
    EXPECT_FALSE(client->getStringValue("F0ID"));
    EXPECT_FALSE(client->getStringValue("F0Md"));
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(SmcClient, ReadsNamesAndRefusesOtherTypesAsNames)
{
    QByteArray name(16, '\0');
    name.replace(4, 12, "  ABCDEFGH  ");
    emu.setKey("F0ID", "{fds", name);
    QByteArray withZero(16, '\0');
    withZero.replace(4, 5, "\tLeft");
    emu.setKey("F1ID", "{fds", withZero);
    emu.setKey("F2ID", "fp2e", bytes({0x12, 0x34}));
    auto client = bed.client();

    EXPECT_EQ(client->getStringValue("F0ID"), "ABCDEFGH");
    // Zero bytes stay in the text; only spaces and tabs are trimmed.
    EXPECT_EQ(client->getStringValue("F1ID"), QString("Left") + QString(7, QChar(0)));
    EXPECT_FALSE(client->getValue("F2ID"));
    EXPECT_FALSE(client->getValue("F0ID"));
    EXPECT_TRUE(bed.lines.empty());
    EXPECT_FALSE(client->getStringValue("F2ID"));
    ASSERT_EQ(bed.lines.size(), 1u);
    EXPECT_EQ(bed.lines[0], "unsupported data type fp2e for key: F2ID");
}

TEST_F(SmcClient, CachesKeyInformationAndChecksKeyLengthFirst)
{
    emu.setKey("TC0P", "sp78", bytes({0x2D, 0x80}));
    auto client = bed.client();
    client->getValue("TC0P");
    client->getValue("TC0P");
    EXPECT_EQ(bed.trace(), (std::vector<QString>{"9 TC0P", "5 TC0P", "5 TC0P"}));

    emu.clearCalls();
    EXPECT_FALSE(client->getValue("abc"));
    EXPECT_FALSE(client->getValue("abcde"));
    EXPECT_TRUE(emu.calls().empty());
    EXPECT_EQ(bed.lines, (std::vector<QString>{"Error read(abc): invalid argument", "Error read(abcde): invalid argument"}));

    // A failed read drops the cached information: the next read asks again.
    emu.injectResult(0x85, {SMCKeys::readBytes, QString("TC0P"), 1});
    EXPECT_FALSE(client->getValue("TC0P"));
    EXPECT_EQ(bed.lines.back(), "Error read(TC0P): general error");
    emu.clearCalls();
    EXPECT_EQ(client->getValue("TC0P"), 45.5);
    EXPECT_EQ(bed.trace(), (std::vector<QString>{"9 TC0P", "5 TC0P"}));
}

TEST_F(SmcClient, UnknownKeysAreSilent)
{
    auto client = bed.client();
    EXPECT_FALSE(client->getValue("TXYZ"));
    EXPECT_FALSE(client->getStringValue("F9ID"));
    emu.setKey("TGON", "sp78", bytes({0x20, 0}));
    emu.injectResult(132, {SMCKeys::readBytes, QString("TGON"), -1});
    EXPECT_FALSE(client->getValue("TGON"));
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(SmcClient, InvalidKeyInformationIsReadButNotCached)
{
    QByteArray value(32, '\x11');
    value[0] = '\x2D';
    value[1] = '\x80';
    emu.setKey("TBIG", "sp78", value);
    emu.setKeyInfo("TBIG", 40, smc::keyCode("sp78"));
    emu.setKey("TNOT", "sp78", bytes({0x2D, 0x80}));
    emu.setKeyInfo("TNOT", 2, 0);
    emu.setKey("TNUL", "sp78", bytes({0x2D, 0x80}));
    emu.setKeyInfo("TNUL", 0, smc::keyCode("sp78"));
    auto client = bed.client();

    EXPECT_EQ(client->getValue("TBIG"), 45.5);
    EXPECT_EQ(client->getValue("TBIG"), 45.5);
    EXPECT_FALSE(client->getValue("TNOT"));  // a zero type decodes as nothing
    EXPECT_FALSE(client->getValue("TNUL"));  // size 0
    EXPECT_EQ(bed.trace(), (std::vector<QString>{"9 TBIG", "5 TBIG", "9 TBIG", "5 TBIG", "9 TNOT", "5 TNOT", "9 TNUL",
                                                 "5 TNUL"}));
    EXPECT_TRUE(bed.lines.empty());
}

TEST_F(SmcClient, ReportsDriverErrorsWithTheirText)
{
    emu.setKey("TC0P", "sp78", bytes({0x2D, 0x80}));
    auto client = bed.client();
    emu.injectDriverError(0xE00002BC, {SMCKeys::readKeyInfo, std::nullopt, 1});
    EXPECT_FALSE(client->getValue("TC0P"));
    emu.injectDriverError(0xE00002C7, {SMCKeys::readBytes, std::nullopt, 1});
    EXPECT_FALSE(client->getStringValue("TC0P"));
    emu.injectDriverError(0xE00002F0, {SMCKeys::readKeyInfo, std::nullopt, 1});
    EXPECT_FALSE(client->getValue("TC0P"));  // the driver's not-found is silent too
    EXPECT_EQ(bed.lines, (std::vector<QString>{"Error read(TC0P): general error", "Error read(TC0P): unknown error"}));
}

TEST_F(SmcClient, ListsKeysInIndexOrderSkippingRefusedIndexes)
{
    emu.setKey("TC0P", "sp78", bytes({0x2D, 0x80}));
    emu.setKey("F0Ac", "flt ", EmulatedSmc::flt(1000));
    emu.setKey("BNum", "ui8 ", bytes({1}));
    auto client = bed.client();
    EXPECT_EQ(client->getAllKeys(), QStringList({"#KEY", "BNum", "F0Ac", "TC0P"}));

    emu.injectResult(0x85, {SMCKeys::readIndex, std::nullopt, 1});
    emu.injectDriverError(0xE00002BC, {SMCKeys::readIndex, std::nullopt, 1});
    EXPECT_EQ(client->getAllKeys(), QStringList({"F0Ac", "TC0P"}));
    EXPECT_TRUE(bed.lines.empty());

    emu.injectResult(132, {std::nullopt, QString("#KEY"), -1});
    EXPECT_TRUE(client->getAllKeys().isEmpty());
    EXPECT_EQ(bed.lines, (std::vector<QString>{"ERROR no keys count found"}));
}

TEST_F(SmcClient, ReportsEachFailedOpeningStep)
{
    emu.failOpen(SmcOpenStep::matching, 0xE00002C2);
    {
        auto c = bed.client();
        EXPECT_EQ(c->connection(), 0u);
        EXPECT_FALSE(c->getValue("#KEY"));
        EXPECT_TRUE(c->getAllKeys().isEmpty());
    }
    emu.failOpen(SmcOpenStep::iterator);
    bed.client();
    emu.failOpen(SmcOpenStep::open, 0xE00002BC);
    bed.client();
    EXPECT_EQ(bed.lines, (std::vector<QString>{
                             "Error IOServiceGetMatchingServices(): invalid argument",
                             "Error read(#KEY): general error",
                             "Error read(#KEY): general error",
                             "ERROR no keys count found",
                             "error close smc connection: invalid argument",
                             "Error IOIteratorNext(): success",
                             "error close smc connection: invalid argument",
                             "Error IOServiceOpen(): general error",
                             "error close smc connection: invalid argument",
                         }));
}

TEST_F(SmcClient, ClosesOnceAndEmptiesTheCache)
{
    emu.setKey("TC0P", "sp78", bytes({0x2D, 0x80}));
    auto client = bed.client();
    client->getValue("TC0P");
    EXPECT_EQ(client->close(), 0u);
    EXPECT_FALSE(emu.isOpen());
    client.reset();
    EXPECT_EQ(bed.lines, (std::vector<QString>{"error close smc connection: invalid argument"}));
}
