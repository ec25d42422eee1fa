#include "engine/monitor/CPUService.h"
#include "engine/monitor/DiskService.h"
#include "engine/monitor/MemoryService.h"

#include "common/format/Formatting.h"
#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeHostProbe.h"
#include "support/FakeUser.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using velk::monitor::CPUService;
using velk::monitor::DiskInfo;
using velk::monitor::DiskService;
using velk::monitor::MemoryService;
using velk::monitor::MemoryStats;
using velk::platform::host::HostProbe;
using velk::platform::core::ScopedService;

namespace {

// A proc folder with two CPUs and an 8 GiB machine.
class FixtureProc : public ::testing::Test {
protected:
    velk::test::TempTree tree;
    QString proc = tree.dir("proc");

    void SetUp() override
    {
        tree.fileWithContent("proc/stat",
                             "cpu  30 4 20 200 6 1 2 3 0 0\n"
                             "cpu0 10 2 5 100 3 1 1 1 0 0\n"
                             "cpu1 20 2 15 100 3 0 1 2 0 0\n"
                             "intr 1 2 3\n"
                             "ctxt 99\n");
        tree.fileWithContent("proc/meminfo",
                             "MemTotal:        8388608 kB\n"
                             "MemFree:         1048576 kB\n"
                             "MemAvailable:    4194304 kB\n"
                             "Buffers:          102400 kB\n"
                             "Cached:          2097152 kB\n"
                             "SwapTotal:       2097152 kB\n"
                             "SwapFree:        1048576 kB\n"
                             "AnonPages:       2097152 kB\n"
                             "Shmem:            262144 kB\n"
                             "KernelStack:       16384 kB\n"
                             "PageTables:        32768 kB\n"
                             "SUnreclaim:       212992 kB\n");
        tree.fileWithContent("proc/cpuinfo", "processor\t: 0\nvendor_id\t: Acme\nmodel name\t: Acme Z80 @ 4GHz  \n\n"
                                             "processor\t: 1\nmodel name\t: Acme Z80 @ 4GHz\n");
    }
};

TEST_F(FixtureProc, TicksSumUserAndNiceAndFoldWaitsAndInterruptsIn)
{
    ScopedService<HostProbe> host(HostProbe::fromProc(proc));
    const CPUService::HostTicks t = CPUService::ticks();
    // user+nice; system+irq+softirq+steal; idle+iowait, over both CPUs.
    EXPECT_EQ(t, (CPUService::HostTicks{34, 26, 206}));
    EXPECT_EQ(t.busy(), 60u);
    EXPECT_EQ(t.total(), 266u);

    const auto cores = CPUService::perCoreTicks();
    ASSERT_EQ(cores.size(), 2u);
    EXPECT_EQ(cores[0], (CPUService::CoreTicks{10 + 2 + 8, 20 + 103}));
    EXPECT_EQ(cores[1], (CPUService::CoreTicks{20 + 2 + 18, 40 + 103}));
    EXPECT_EQ(CPUService::coreCount(), 2);
    EXPECT_EQ(CPUService::modelName(), "Acme Z80 @ 4GHz");
}

TEST_F(FixtureProc, MemoryClassesCoverTheMachine)
{
    ScopedService<HostProbe> host(HostProbe::fromProc(proc));
    const MemoryStats m = MemoryService::currentStats();
    const std::uint64_t KiB = 1024;
    EXPECT_EQ(m.total, 8388608 * KiB);
    EXPECT_EQ(m.free, 4194304 * KiB);                      // what can be handed out
    EXPECT_EQ(m.cached, (4194304 - 1048576) * KiB);
    EXPECT_EQ(m.app, (2097152 + 262144) * KiB);            // anonymous and shared
    EXPECT_EQ(m.wired, (212992 + 16384 + 32768) * KiB);    // kernel memory
    EXPECT_EQ(m.compressed, 0u);
    EXPECT_EQ(m.used, m.app + m.wired);
    EXPECT_EQ(m.swapUsed, 1048576 * KiB);
    EXPECT_DOUBLE_EQ(m.freePercent(), 0.5);
    EXPECT_LE(m.used + m.free, m.total);
}

TEST_F(FixtureProc, UnreadableCountersGiveZeros)
{
    ScopedService<HostProbe> host(HostProbe::fromProc(tree.path("missing")));
    EXPECT_EQ(CPUService::ticks(), CPUService::HostTicks{});
    EXPECT_TRUE(CPUService::perCoreTicks().empty());
    EXPECT_EQ(CPUService::coreCount(), 0);
    EXPECT_EQ(CPUService::modelName(), "");
    EXPECT_EQ(MemoryService::currentStats(), MemoryStats{});
}

TEST(MemoryStatsFormulas, FollowPageCountsAndKeepTotalOnFailure)
{
    auto host = std::make_shared<velk::test::FakeHostProbe>();
    ScopedService<HostProbe> scope(host);
    host->page = 16384;
    host->memory = 17179869184;
    host->swap = 5;
    EXPECT_EQ(MemoryService::currentStats(), (MemoryStats{17179869184, 0, 0, 0, 0, 0, 0, 0}));

    host->vm = velk::platform::host::VmPages{/*free*/ 10, /*active*/ 20, /*inactive*/ 30, /*wired*/ 40, /*speculative*/ 5,
                                       /*compressor*/ 7};
    const MemoryStats m = MemoryService::currentStats();
    EXPECT_EQ(m.used, (20 + 40 + 7 + 5) * 16384u);
    EXPECT_EQ(m.free, 40 * 16384u);
    EXPECT_EQ(m.app, 25 * 16384u);
    EXPECT_EQ(m.cached, 30 * 16384u);
    EXPECT_EQ(m.compressed, 7 * 16384u);
    EXPECT_EQ(m.swapUsed, 5u);

    EXPECT_EQ(MemoryStats{}.usedPercent(), 0.0);
    EXPECT_EQ(MemoryStats{}.freePercent(), 0.0);
}

TEST(DiskReading, PrefersVolumeFiguresThenFileSystemThenZeros)
{
    auto host = std::make_shared<velk::test::FakeHostProbe>();
    ScopedService<HostProbe> scope(host);
    ScopedService<velk::platform::core::CurrentUser> user(std::make_shared<velk::test::FakeUser>("/home/someone"));

    host->volume = velk::platform::host::VolumeCapacity{500, 100, 120};
    host->fileSystem = velk::platform::host::FileSystemSize{900, 300, 40};
    EXPECT_EQ(DiskService::info(), (DiskInfo{500, 120}));
    EXPECT_EQ(host->lastVolumePath, "/home/someone");

    host->volume = velk::platform::host::VolumeCapacity{500, 100, std::nullopt, 25};
    EXPECT_EQ(DiskService::info(), (DiskInfo{500, 100, 25}));
    host->volume = velk::platform::host::VolumeCapacity{500, std::nullopt, std::nullopt};
    EXPECT_EQ(DiskService::info(), (DiskInfo{500, 0}));

    // A total of 0, no total, or no answer: the file system's own figures.
    host->volume = velk::platform::host::VolumeCapacity{0, 100, 120};
    EXPECT_EQ(DiskService::info(), (DiskInfo{900, 300, 40}));
    host->volume = velk::platform::host::VolumeCapacity{std::nullopt, 100, 120};
    EXPECT_EQ(DiskService::info(), (DiskInfo{900, 300, 40}));
    host->volume.reset();
    EXPECT_EQ(DiskService::info(), (DiskInfo{900, 300, 40}));

    host->fileSystem = velk::platform::host::FileSystemSize{900, std::nullopt};
    EXPECT_EQ(DiskService::info(), DiskInfo{});
    EXPECT_EQ(DiskInfo{}.usedPercent(), 0.0);
}

TEST(DiskReading, RealVolumeOfATemporaryFolder)
{
    velk::test::TempTree tree;
    ScopedService<velk::platform::core::CurrentUser> user(std::make_shared<velk::test::FakeUser>(tree.root()));
    const DiskInfo d = DiskService::info();
    EXPECT_GT(d.totalBytes, 0);
    EXPECT_GE(d.freeBytes, 0);
    EXPECT_LE(d.freeBytes, d.totalBytes);
}

TEST(DiskInfoTexts, UsedAndRatioAreDfsFromTheBlockCounts)
{
    // df: used = blocks - free blocks, ratio = used / (used + available);
    // the blocks kept for the superuser are neither used nor available.
    struct Case {
        std::uint64_t blocks, freeBlocks, availableBlocks;
        std::int64_t used, available;
        double ratio;
    };
    const Case cases[] = {
        {1000, 600, 550, 400 * 4096, 550 * 4096, 400.0 / 950},   // ext4's 5 % reserve
        {1000, 600, 600, 400 * 4096, 600 * 4096, 0.4},           // no reserve
        {1000, 20, 0, 980 * 4096, 0, 1.0},                       // the user has filled it
        {1000, 0, 0, 1000 * 4096, 0, 1.0},
    };
    for (const Case& c : cases) {
        const auto size = velk::platform::host::fileSystemSizeOfBlocks(c.blocks, c.freeBlocks, c.availableBlocks, 4096);
        ASSERT_TRUE(size.size && size.freeSize);
        const DiskInfo disk{*size.size, *size.freeSize, size.reservedSize};
        EXPECT_EQ(disk.totalBytes, static_cast<std::int64_t>(c.blocks * 4096)) << c.blocks << " " << c.freeBlocks;
        EXPECT_EQ(disk.freeBytes, c.available) << c.freeBlocks;
        EXPECT_EQ(disk.usedBytes(), c.used) << c.freeBlocks;
        EXPECT_DOUBLE_EQ(disk.usedPercent(), c.ratio) << c.freeBlocks;
    }
}

TEST(DiskInfoTexts, FractionAndBinaryCounts)
{
    const DiskInfo d{500'000'000'000, 125'000'000'000};
    EXPECT_DOUBLE_EQ(d.usedPercent(), 0.75);
    EXPECT_EQ(d.usedBytes(), 375'000'000'000);
    namespace fmt = velk::fmt;
    const auto previous = fmt::displayLanguage();
    fmt::setDisplayLanguage(fmt::Lang::English);
    const DiskInfo g{3LL << 30, 1LL << 30};
    EXPECT_EQ(g.formattedTotal(), "3 GB");
    EXPECT_EQ(g.formattedFree(), "1 GB");
    EXPECT_EQ(g.formattedUsed(), "2 GB");
    fmt::setDisplayLanguage(previous);
}

TEST(UptimeText, BothLanguages)
{
    struct Case {
        double seconds;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {59, "0m", "0 分钟"},
        {59.9, "0m", "0 分钟"},
        {3599, "59m", "59 分钟"},
        {3600, "1h 0m", "1 小时 0 分钟"},
        {3700, "1h 1m", "1 小时 1 分钟"},
        {86399, "23h 59m", "23 小时 59 分钟"},
        {86400, "1d 0h", "1 天 0 小时"},
        {90061, "1d 1h", "1 天 1 小时"},
        {3 * 86400 + 23 * 3600 + 3599, "3d 23h", "3 天 23 小时"},
        {std::nan(""), "0m", "0 分钟"},
        {-std::numeric_limits<double>::infinity(), "0m", "0 分钟"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(velk::fmt::uptime(c.seconds, velk::fmt::Lang::English), QString::fromUtf8(c.english)) << c.seconds;
        EXPECT_EQ(velk::fmt::uptime(c.seconds, velk::fmt::Lang::Chinese), QString::fromUtf8(c.chinese)) << c.seconds;
    }
    // Far beyond any count of seconds: no overflow, a plain day count.
    EXPECT_TRUE(velk::fmt::uptime(1e300, velk::fmt::Lang::English).endsWith("h"));
}

} // namespace
