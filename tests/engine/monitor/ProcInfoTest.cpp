#include "engine/monitor/ProcInfo.h"

#include <gtest/gtest.h>

using velk::monitor::ProcInfo;

namespace {

ProcInfo process(int pid, const QString& path)
{
    ProcInfo p;
    p.pid = pid;
    p.path = path;
    p.name = ProcInfo::nameFromPath(path);
    return p;
}

TEST(ProcInfoTexts, MemoryInDecimalUnitsAndDashesWhenUnknown)
{
    ProcInfo p = process(1, "/bin/x");
    EXPECT_EQ(p.memoryText(), "—");
    EXPECT_EQ(p.memMB(), 0.0);
    EXPECT_FALSE(p.memoryPercent(1000));

    p.memoryBytes = 999'949'999;
    EXPECT_EQ(p.memoryText(), "999.9 MB");
    p.memoryBytes = 999'960'000;  // the threshold is tested before rounding
    EXPECT_EQ(p.memoryText(), "1000.0 MB");
    p.memoryBytes = 1'000'000'000;
    EXPECT_EQ(p.memoryText(), "1.00 GB");
    EXPECT_DOUBLE_EQ(*p.memoryPercent(4'000'000'000), 25.0);
    EXPECT_FALSE(p.memoryPercent(0));

    p.cpuAvailable = true;
    p.cpu = 123.456;
    EXPECT_EQ(p.cpuText(), "123.5%");
}

TEST(ProcInfoNames, LastComponentAndBundle)
{
    const ProcInfo app = process(812, "/Applications/Some App.app/Contents/MacOS/Some App");
    EXPECT_EQ(app.name, "Some App");
    EXPECT_EQ(app.bundlePath(), "/Applications/Some App.app");
    EXPECT_EQ(process(1, "/usr/lib/Helper.app/x.app/y").bundlePath(), "/usr/lib/Helper.app");
    EXPECT_FALSE(process(1, "/opt/thing.app").bundlePath());
    EXPECT_EQ(ProcInfo::nameFromPath("kthreadd"), "kthreadd");
    EXPECT_EQ(ProcInfo::nameFromPath("/usr/bin/"), "bin");
    EXPECT_EQ(ProcInfo::nameFromPath("/"), "/");
}

TEST(ProcInfoSearch, MatchesPidNameOrPath)
{
    ProcInfo p = process(812, "/usr/lib/Daemon/worker");
    EXPECT_TRUE(p.matches("  "));
    EXPECT_TRUE(p.matches(" 812\n"));
    EXPECT_TRUE(p.matches("WORK"));
    EXPECT_TRUE(p.matches("daemon"));  // found in the path only
    EXPECT_FALSE(p.matches("81"));
    EXPECT_FALSE(p.matches("+813"));

    // A number that is not the pid still matches names that hold it.
    EXPECT_TRUE(process(5, "/opt/app812/run").matches("812"));
    EXPECT_FALSE(process(5, "/opt/app/run").matches("812"));
}

TEST(ProcInfoLifetime, NeedsStartTimesPidAndPath)
{
    ProcInfo a = process(812, "/bin/a");
    ProcInfo b = a;
    EXPECT_FALSE(a.sameLifetime(b));  // no start times
    a.started = b.started = 77;
    EXPECT_TRUE(a.sameLifetime(b));
    b.path = "/bin/b";
    EXPECT_FALSE(a.sameLifetime(b));
    b = a;
    b.started = 78;
    EXPECT_FALSE(a.sameLifetime(b));
    b = a;
    b.pid = 813;
    EXPECT_FALSE(a.sameLifetime(b));
}

} // namespace
