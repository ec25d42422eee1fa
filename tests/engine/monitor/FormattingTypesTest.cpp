#include "engine/monitor/ProcSort.h"
#include "engine/monitor/RelativeDate.h"

#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace fmt = velk::fmt;
using velk::monitor::ProcInfo;
using velk::monitor::ProcSort;

namespace {

TEST(Fmt, NumberTextsAroundTheirThresholds)
{
    struct Case {
        QString (*fn)(double);
        double value;
        const char* text;
    };
    const Case cases[] = {
        {fmt::processMegabytes, 0, "0.0 MB"},       {fmt::processMegabytes, 999.94, "999.9 MB"},
        {fmt::processMegabytes, 999.96, "1000.0 MB"}, {fmt::processMegabytes, 1000, "1.00 GB"},
        {fmt::processMegabytes, 12345, "12.35 GB"},   {fmt::megabytes, 1023.6, "1024 MB"},
        {fmt::megabytes, 1024, "1.00 GB"},            {fmt::megabytes, 0.5, "0 MB"},
        {fmt::megabytes, 1.5, "2 MB"},                {fmt::cpuPercent, 9.96, "10.0%"},
        {fmt::cpuPercent, 10, "10%"},                 {fmt::cpuPercent, 0.25, "0.2%"},
        {fmt::cpuPercent, 250.5, "250%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.value), c.text) << c.value;
    // Not a number never reaches an integer conversion.
    EXPECT_FALSE(fmt::cpuPercent(std::nan("")).isEmpty());
    EXPECT_FALSE(fmt::processMegabytes(INFINITY).isEmpty());
}

TEST(Fmt, BytesInMemoryStyleInBothLanguages)
{
    namespace fmt = velk::fmt;
    const auto previous = fmt::displayLanguage();
    fmt::setDisplayLanguage(fmt::Lang::English);
    EXPECT_EQ(fmt::memoryBytes(1024), "1 KB");
    EXPECT_EQ(fmt::memoryBytes(1572864), "1.5 MB");
    EXPECT_EQ(fmt::memoryBytes(0), "Zero KB");
    EXPECT_FALSE(fmt::memoryBytes(UINT64_MAX).isEmpty());
    fmt::setDisplayLanguage(fmt::Lang::Chinese);
    EXPECT_EQ(fmt::memoryBytes(0), "零 KB");
    EXPECT_EQ(fmt::memoryBytes(1572864), "1.5 MB");
    fmt::setDisplayLanguage(previous);
}

ProcInfo row(int pid, const QString& name, double cpu = 0, std::optional<std::uint64_t> mem = {},
             std::optional<int> threads = {})
{
    ProcInfo p;
    p.pid = pid;
    p.name = name;
    p.cpu = cpu;
    p.memoryBytes = mem;
    p.threads = threads;
    return p;
}

std::vector<int> sortedPids(std::vector<ProcInfo> rows, ProcSort sort)
{
    std::stable_sort(rows.begin(), rows.end(), velk::monitor::comparator(sort));
    std::vector<int> pids;
    for (const auto& r : rows)
        pids.push_back(r.pid);
    return pids;
}

TEST(ProcSort, OrdersEachKey)
{
    const std::vector<ProcInfo> rows{
        row(3, "zsh", 5.0, 100, 0),
        row(1, "Alpha", 50.0, std::nullopt, std::nullopt),
        row(7, "beta", 0.5, 300, 12),
        row(5, "Delta", 7.0, 1, 4),
    };
    EXPECT_EQ(sortedPids(rows, ProcSort::cpu), (std::vector<int>{1, 5, 3, 7}));
    EXPECT_EQ(sortedPids(rows, ProcSort::mem), (std::vector<int>{7, 3, 5, 1}));
    EXPECT_EQ(sortedPids(rows, ProcSort::threads), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_EQ(sortedPids(rows, ProcSort::pid), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_EQ(sortedPids(rows, ProcSort::name), (std::vector<int>{1, 7, 5, 3}));
    // Equal keys never sort before each other.
    EXPECT_FALSE(velk::monitor::comparator(ProcSort::name)(row(1, "abc"), row(2, "ABC")));
}

TEST(ProcessSelection, RequestThenVisibleSelectionThenNothing)
{
    using velk::monitor::ProcessSelection;
    EXPECT_EQ(ProcessSelection::choose(812, {1, 812}, std::nullopt), 812);
    EXPECT_EQ(ProcessSelection::choose(812, {1}, std::nullopt), std::nullopt);
    EXPECT_EQ(ProcessSelection::choose(812, {1}, 77), 77);
    EXPECT_EQ(ProcessSelection::choose(std::nullopt, {1}, std::nullopt), std::nullopt);
}

TEST(ProcessNavigationRequest, EveryRequestIsNew)
{
    const velk::monitor::ProcessNavigationRequest a(ProcSort::mem, 812);
    const velk::monitor::ProcessNavigationRequest b(ProcSort::mem, 812);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, a);
    EXPECT_FALSE(a.id.isNull());
    EXPECT_EQ(b.sort, ProcSort::mem);
    EXPECT_EQ(b.pid, 812);
}

TEST(RelativeDate, FollowsTheLocaleAndThePlatformClock)
{
    auto clock = std::make_shared<velk::test::ManualClock>();
    velk::platform::core::ScopedService<velk::platform::core::Clock> scope(clock);
    const QDateTime now = clock->now();
    const QDateTime earlier = now.addSecs(-3 * 60);
    namespace fmt = velk::fmt;
    EXPECT_EQ(velk::monitor::RelativeDate::string(earlier, "en"), fmt::relativeDate(earlier, now, fmt::Lang::English));
    EXPECT_EQ(velk::monitor::RelativeDate::string(earlier, "en_US"), fmt::relativeDate(earlier, now, fmt::Lang::English));
    EXPECT_EQ(velk::monitor::RelativeDate::string(earlier, "zh-Hans"), fmt::relativeDate(earlier, now, fmt::Lang::Chinese));
    EXPECT_EQ(velk::monitor::RelativeDate::string(earlier, "zh-Hans"), QString::fromUtf8("3分钟前"));
    EXPECT_NE(velk::monitor::RelativeDate::string(earlier, "en-GB"), velk::monitor::RelativeDate::string(earlier, "zh-Hans"));
}

} // namespace
