#include "common/format/Formatting.h"

#include <QTimeZone>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

using namespace velk::fmt;

namespace {

struct ByteCase {
    std::int64_t bytes;
    const char* english;
    const char* chinese;
};

void expectBytes(ByteStyle style, std::initializer_list<ByteCase> cases)
{
    for (const ByteCase& c : cases) {
        EXPECT_EQ(byteCount(c.bytes, style, Lang::English), QString::fromUtf8(c.english)) << c.bytes;
        EXPECT_EQ(byteCount(c.bytes, style, Lang::Chinese), QString::fromUtf8(c.chinese)) << c.bytes;
    }
}

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

} // namespace

TEST(ByteCountTest, FileStyleIsThousandBasedWithTheFormattersTexts)
{
    expectBytes(ByteStyle::File, {
        {0, "Zero KB", "零 KB"},
        {1, "1 byte", "1 字节"},
        {2, "2 bytes", "2 字节"},
        {999, "999 bytes", "999 字节"},
        {1'000, "1 KB", "1 KB"},
        {1'500, "2 KB", "2 KB"},
        {1'000'000, "1 MB", "1 MB"},
        {1'500'000, "1.5 MB", "1.5 MB"},
        {12'345'678, "12.3 MB", "12.3 MB"},
        {1'234'567'890, "1.23 GB", "1.23 GB"},
        {1'500'000'000, "1.5 GB", "1.5 GB"},
        {2'000'000'000'000, "2 TB", "2 TB"},
        {3'210'000'000'000'000, "3.21 PB", "3.21 PB"},
    });
}

TEST(ByteCountTest, RoundingUpToAThousandMovesToTheNextUnit)
{
    expectBytes(ByteStyle::File, {
        {999'499, "999 KB", "999 KB"},
        {999'500, "1 MB", "1 MB"},
        {999'999, "1 MB", "1 MB"},
        {999'500'000, "999.5 MB", "999.5 MB"},
        {999'949'999, "999.9 MB", "999.9 MB"},
        {999'950'000, "1 GB", "1 GB"},
        {1'004'999'999, "1 GB", "1 GB"},
        {1'005'000'000, "1.01 GB", "1.01 GB"},
        {999'995'000'000, "1 TB", "1 TB"},
    });
}

TEST(ByteCountTest, NegativeAndExtremeCountsAreWrittenWithoutOverflow)
{
    expectBytes(ByteStyle::File, {
        {-1, "-1 byte", "-1 字节"},
        {-1'500, "-2 KB", "-2 KB"},
        {-12'345'678, "-12.3 MB", "-12.3 MB"},
        {kMax, "9.22 EB", "9.22 EB"},
        {kMin, "-9.22 EB", "-9.22 EB"},
    });
    expectBytes(ByteStyle::Binary, {
        {kMax, "8 EB", "8 EB"},
        {kMin, "-8 EB", "-8 EB"},
    });
}

TEST(ByteCountTest, MemoryAndBinaryStylesAre1024Based)
{
    for (ByteStyle style : {ByteStyle::Memory, ByteStyle::Binary}) {
        expectBytes(style, {
            {0, "Zero KB", "零 KB"},
            {999, "999 bytes", "999 字节"},
            {1'000, "1 KB", "1 KB"},
            {1'024, "1 KB", "1 KB"},
            {1'536, "2 KB", "2 KB"},
            {1'048'576, "1 MB", "1 MB"},
            {1'572'864, "1.5 MB", "1.5 MB"},
            {1'023'487, "999 KB", "999 KB"},
            {1'023'488, "1 MB", "1 MB"},
            {17'179'869'184, "16 GB", "16 GB"},
            {1'649'267'441'664, "1.5 TB", "1.5 TB"},
        });
    }
}

TEST(ByteCountTest, DefaultLanguageFollowsTheDisplayLanguage)
{
    const Lang before = displayLanguage();
    setDisplayLanguage(Lang::English);
    EXPECT_EQ(displayLanguage(), Lang::English);
    EXPECT_EQ(byteCount(0), "Zero KB");
    setDisplayLanguage(Lang::Chinese);
    EXPECT_EQ(byteCount(0), "零 KB");
    EXPECT_EQ(byteCount(1'024, ByteStyle::Memory), "1 KB");
    setDisplayLanguage(before);
}

TEST(LanguageCodeTest, OnlyEnMeansEnglish)
{
    EXPECT_EQ(langFromCode("en"), Lang::English);
    for (const char* code : {"zh-Hans", "", "EN", "en-US", "fr"})
        EXPECT_EQ(langFromCode(code), Lang::Chinese) << code;
}

TEST(FixedTest, RoundsAsPrintfDoesOnTheExactBinaryValue)
{
    EXPECT_EQ(fixed(0.125, 2), "0.12");   // exact tie: to even
    EXPECT_EQ(fixed(0.375, 2), "0.38");
    EXPECT_EQ(fixed(2.5, 0), "2");
    EXPECT_EQ(fixed(3.5, 0), "4");
    EXPECT_EQ(fixed(1.005, 2), "1.00");   // 1.00499999999999989...
    EXPECT_EQ(fixed(999.96, 1), "1000.0");
    EXPECT_EQ(fixed(9.96, 1), "10.0");
    EXPECT_EQ(fixed(-0.04, 1), "-0.0");
    EXPECT_EQ(fixed(1e21, 0), "1000000000000000000000");
    EXPECT_EQ(fixed(0.1, 20), "0.10000000000000000555");
    EXPECT_EQ(fixed(1.5, -3), "2");
}

TEST(FixedTest, MatchesPrintfOverManyValues)
{
    const char point = *std::localeconv()->decimal_point;
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
    char expected[512];
    for (int i = 0; i < 5'000; ++i) {
        const double value = std::pow(10.0, magnitude(random)) * (i % 2 ? -1 : 1);
        const int digits = i % 7;
        std::snprintf(expected, sizeof expected, "%.*f", digits, value);
        for (char* c = expected; *c; ++c)
            if (*c == point)
                *c = '.';
        ASSERT_EQ(fixed(value, digits), QString::fromLatin1(expected)) << value << " " << digits;
    }
}

TEST(FixedTest, NonFiniteValuesGivePlainWords)
{
    EXPECT_EQ(fixed(std::numeric_limits<double>::quiet_NaN(), 1), "nan");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::quiet_NaN(), 1), "nan");
    EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::infinity(), 0), "-inf");
    EXPECT_EQ(fixed(std::numeric_limits<double>::max(), 0).size(), 309);
    EXPECT_EQ(fixed(5e-324, 2000).size(), 2002);
}

TEST(PercentTest, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(percent(0.0), "0%");
    EXPECT_EQ(percent(0.125), "13%");   // 12.5 exactly: up, where printf would give 12
    EXPECT_EQ(percent(0.375), "38%");
    EXPECT_EQ(percent(0.424), "42%");
    EXPECT_EQ(percent(-0.125), "-13%");
    EXPECT_EQ(percent(1.0), "100%");
    EXPECT_EQ(percent(-0.004), "0%");
    EXPECT_EQ(percent(std::numeric_limits<double>::quiet_NaN()), "\u2014");
    EXPECT_EQ(percent(std::numeric_limits<double>::infinity()), "\u2014");
    EXPECT_EQ(percent(1e300), "\u2014");
}

TEST(GroupedCountTest, CommasEveryThreeDigitsWhateverTheLocale)
{
    EXPECT_EQ(groupedCount(0), "0");
    EXPECT_EQ(groupedCount(999), "999");
    EXPECT_EQ(groupedCount(1000), "1,000");
    EXPECT_EQ(groupedCount(1234567), "1,234,567");
    EXPECT_EQ(groupedCount(-1234.5), "-1,235");
    EXPECT_EQ(groupedCount(2.5), "3");
    EXPECT_EQ(groupedCount(999999999999999.0), "999,999,999,999,999");
    EXPECT_EQ(groupedCount(std::numeric_limits<double>::quiet_NaN()), "\u2014");
    EXPECT_EQ(groupedCount(-std::numeric_limits<double>::infinity()), "\u2014");
}

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(12, 0));

struct RelativeCase {
    QDateTime date;
    const char* english;
    const char* chinese;
};

void expectRelative(std::initializer_list<RelativeCase> cases, const QDateTime& now = kNow)
{
    for (const RelativeCase& c : cases) {
        EXPECT_EQ(relativeDate(c.date, now, Lang::English), QString::fromUtf8(c.english)) << c.english;
        EXPECT_EQ(relativeDate(c.date, now, Lang::Chinese), QString::fromUtf8(c.chinese)) << c.english;
    }
}

} // namespace

TEST(RelativeDateTest, PastDatesUseTheLargestWholeUnit)
{
    expectRelative({
        {kNow.addSecs(-59), "59 sec. ago", "59秒前"},
        {kNow.addSecs(-90), "1 min. ago", "1分钟前"},
        {kNow.addSecs(-3 * 60), "3 min. ago", "3分钟前"},
        {kNow.addSecs(-(2 * 3600 + 59 * 60)), "2 hr. ago", "2小时前"},
        {kNow.addDays(-1), "1 day ago", "1天前"},
        {kNow.addDays(-2), "2 days ago", "2天前"},
        {kNow.addDays(-7).addSecs(1), "6 days ago", "6天前"},
        {kNow.addDays(-7), "1 wk. ago", "1周前"},
        {kNow.addDays(-20), "2 wk. ago", "2周前"},
        {kNow.addMonths(-1).addSecs(60), "4 wk. ago", "4周前"},
        {kNow.addMonths(-1), "1 mo. ago", "1个月前"},
        {kNow.addYears(-1).addSecs(60), "11 mo. ago", "11个月前"},
        {kNow.addYears(-1), "1 yr. ago", "1年前"},
        {QDateTime(QDate(1, 12, 8), QTime(12, 0)), "2,025 yr. ago", "2,025年前"},
    });
}

TEST(RelativeDateTest, FutureDatesAndTheSameMoment)
{
    expectRelative({
        {kNow, "in 0 sec.", "0秒后"},
        {kNow.addSecs(5 * 60), "in 5 min.", "5分钟后"},
        {kNow.addDays(1), "in 1 day", "1天后"},
        {kNow.addDays(2), "in 2 days", "2天后"},
        {kNow.addYears(3), "in 3 yr.", "3年后"},
    });
}

TEST(RelativeDateTest, CountsCalendarMonthsAndComparesInstantsAcrossZones)
{
    const QDateTime endOfMarch(QDate(2026, 3, 31), QTime(12, 0));
    expectRelative({
        {QDateTime(QDate(2026, 2, 28), QTime(12, 0)), "1 mo. ago", "1个月前"},
        {QDateTime(QDate(2026, 3, 1), QTime(12, 0)), "4 wk. ago", "4周前"},
    }, endOfMarch);
    expectRelative({{kNow.toTimeZone(QTimeZone("Asia/Tokyo")), "in 0 sec.", "0秒后"}});
    expectRelative({{kNow.toUTC().addSecs(-120), "2 min. ago", "2分钟前"}});
    EXPECT_EQ(relativeDate(QDateTime(), kNow, Lang::English), "");
}

TEST(DateTextTest, MediumDateAndShortTimeInBothLanguages)
{
    const QDateTime evening(QDate(2026, 12, 8), QTime(21, 5));
    EXPECT_EQ(mediumDate(evening, Lang::English), "Dec 8, 2026");
    EXPECT_EQ(mediumDate(evening, Lang::Chinese), "2026年12月8日");
    EXPECT_EQ(shortTime(evening, Lang::English), "9:05 PM");
    EXPECT_EQ(shortTime(evening, Lang::Chinese), "21:05");
    EXPECT_EQ(mediumDateShortTime(evening, Lang::English), "Dec 8, 2026 at 9:05 PM");
    EXPECT_EQ(mediumDateShortTime(evening, Lang::Chinese), "2026年12月8日 21:05");

    const QDateTime newYear(QDate(2027, 1, 1), QTime(0, 7));
    EXPECT_EQ(mediumDateShortTime(newYear, Lang::English), "Jan 1, 2027 at 12:07 AM");
    EXPECT_EQ(mediumDateShortTime(newYear, Lang::Chinese), "2027年1月1日 00:07");
    EXPECT_EQ(shortTime(QDateTime(QDate(2027, 5, 3), QTime(12, 30)), Lang::English), "12:30 PM");

    EXPECT_EQ(numericDate(evening), "2026/12/08");
    EXPECT_EQ(numericDate(QDateTime(QDate(987, 1, 31), QTime(0, 0))), "0987/01/31");

    // Shown in local time whatever zone the value carries.
    EXPECT_EQ(shortTime(evening.toUTC(), Lang::Chinese), "21:05");
    EXPECT_EQ(numericDate(evening.toUTC()), "2026/12/08");

    for (Lang lang : {Lang::English, Lang::Chinese}) {
        EXPECT_EQ(mediumDate(QDateTime(), lang), "");
        EXPECT_EQ(shortTime(QDateTime(), lang), "");
        EXPECT_EQ(mediumDateShortTime(QDateTime(), lang), "");
    }
    EXPECT_EQ(numericDate(QDateTime()), "");
}

TEST(ShownNameTest, CharactersThatActOnTheTextAppearVisiblyAndLettersStay)
{
    const struct {
        QString name;
        const char* shown;
    } cases[] = {
        {QStringLiteral("clip\u202E4pm.mov"), "clip<U+202E>4pm.mov"},       // override
        {QStringLiteral("a\u202Bb\u202Cc"), "a<U+202B>b<U+202C>c"},          // embedding and its pop
        {QStringLiteral("\u2067x\u2069"), "<U+2067>x<U+2069>"},              // isolate
        {QStringLiteral("m\u200Fn\u200E\u061C"), "m<U+200F>n<U+200E><U+061C>"},  // marks
        {QStringLiteral("two\nlines\r.mov"), "two\\nlines\\r.mov"},
        {QStringLiteral("a\tb"), "a\\tb"},
        {QStringLiteral("nul\x01" "del\x7F"), "nul<U+0001>del<U+007F>"},
        {QStringLiteral("c1\x85\x9F"), "c1<U+0085><U+009F>"},
        {QStringLiteral("para\u2028\u2029"), "para<U+2028><U+2029>"},
        {QStringLiteral("ملف.mov"), "ملف.mov"},                              // Arabic letters
        {QStringLiteral("资料 \u00A0é😀/x"), "资料 \u00A0é😀/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownName(c.name), QString::fromUtf8(c.shown)) << c.shown;
        EXPECT_EQ(isolatedName(c.name), QChar(0x2068) + QString::fromUtf8(c.shown) + QChar(0x2069)) << c.shown;
    }
    EXPECT_EQ(isolatedName(QString()), QString());
}
