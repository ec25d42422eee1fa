#include "support/FakeMonitorSources.h"

namespace velk::test {
namespace {

class SystemMonitorApply : public MonitorTest {
protected:
    // A process whose CPU and memory figures are known on this tick.
    static monitor::ProcInfo measured(monitor::ProcInfo p, double cpu, quint64 memoryBytes)
    {
        p.cpu = cpu;
        p.cpuAvailable = true;
        p.memoryBytes = memoryBytes;
        return p;
    }
};

TEST_F(SystemMonitorApply, CpuFractionsComeFromTickDifferencesAgainstTheCreationReading)
{
    sources->nextTicks = {100, 50, 850};
    monitor();
    sources->nextTicks = {200, 100, 900};
    tick();
    EXPECT_DOUBLE_EQ(monitor().cpuUser(), 0.5);
    EXPECT_DOUBLE_EQ(monitor().cpuSystem(), 0.25);
    EXPECT_DOUBLE_EQ(monitor().cpuIdle(), 0.25);
    EXPECT_DOUBLE_EQ(monitor().cpuUsage(), 0.75);

    tick();   // no progress: fractions kept, history still grows
    EXPECT_DOUBLE_EQ(monitor().cpuUsage(), 0.75);
    sources->nextTicks = {0, 0, 0};   // a failed reading
    tick();
    EXPECT_DOUBLE_EQ(monitor().cpuUsage(), 0.75);
    const std::vector<double>& history = monitor().cpuHistory();
    EXPECT_EQ(std::vector<double>(history.end() - 3, history.end()), std::vector<double>({0.75, 0.75, 0.75}));

    sources->nextTicks = {300, 100, 900};   // base is now the failed reading
    tick();
    EXPECT_DOUBLE_EQ(monitor().cpuUser(), 300.0 / 1300.0);
    sources->nextTicks = {250, 200, 950};   // user went back while the total advanced
    tick();
    EXPECT_DOUBLE_EQ(monitor().cpuUser(), 0.0);
    EXPECT_DOUBLE_EQ(monitor().cpuSystem(), 1.0);
    EXPECT_DOUBLE_EQ(monitor().cpuUsage(), 1.0);
}

// I/O wait, part of the idle counter, may go backwards; the total then
// advances less than the busy counters did, and no share may leave 0...1.
TEST_F(SystemMonitorApply, CpuFractionsStayWithinZeroAndOneWhenIdleGoesBack)
{
    sources->nextTicks = {100, 50, 850};
    monitor();
    sources->nextTicks = {200, 100, 790};   // 150 busy ticks, total up by 90
    tick();
    for (const double fraction : {monitor().cpuUser(), monitor().cpuSystem(), monitor().cpuIdle(), monitor().cpuUsage()}) {
        EXPECT_GE(fraction, 0.0);
        EXPECT_LE(fraction, 1.0);
    }
    EXPECT_DOUBLE_EQ(monitor().cpuUsage(), 1.0);
    EXPECT_DOUBLE_EQ(monitor().cpuSystem(), 50.0 / 90.0);
    EXPECT_DOUBLE_EQ(monitor().cpuIdle(), 0.0);
    EXPECT_DOUBLE_EQ(monitor().cpuHistory().back(), 1.0);
}

TEST_F(SystemMonitorApply, HistoriesHoldTheLastThirtyValues)
{
    monitor();
    for (int i = 1; i <= 35; ++i) {
        sources->nextTicks = {quint64(i) * quint64(i), 0, 1000 * quint64(i)};
        sources->nextProcesses = {measured(proc(42), i, quint64(i) * 1000000)};
        tick();
    }
    const std::vector<double> machine = monitor().cpuHistory();
    ASSERT_EQ(machine.size(), monitor::SystemMonitor::historyLength);
    // The oldest kept value is the usage of the sixth tick: (36 - 25) / (11 + 1000).
    EXPECT_DOUBLE_EQ(machine.front(), 11.0 / 1011.0);

    std::vector<double> expected;
    for (int i = 6; i <= 35; ++i)
        expected.push_back(i);
    EXPECT_EQ(monitor().cpuHistoryByPid().value(42), expected);
    EXPECT_EQ(monitor().memHistoryByPid().value(42), expected);
}

TEST_F(SystemMonitorApply, AReusedPidStartsAFreshHistoryAndLosesItsMachPortCount)
{
    sources->nextMachPorts = {{42, 7}, {43, 9}, {99, 1}};
    sources->nextProcesses = {proc(42), proc(43, 1, std::nullopt)};   // first sighting: no CPU figure yet
    monitor().setPortsEnabled(true);
    exec().runAll();
    EXPECT_TRUE(monitor().cpuHistoryByPid().empty());
    EXPECT_EQ(monitor().machPortCounts(), monitor::MachPortMap({{42, 7}, {43, 9}}));   // pid 99 is not running

    sources->nextProcesses = {measured(proc(42), 1.0, 1000000), measured(proc(43, 1, std::nullopt), 1.0, 1000000)};
    tick();
    sources->nextProcesses = {measured(proc(42), 2.0, 2000000), measured(proc(43, 1, std::nullopt), 2.0, 2000000)};
    tick();
    EXPECT_EQ(monitor().cpuHistoryByPid().value(42), std::vector<double>({1.0, 2.0}));
    EXPECT_EQ(monitor().memHistoryByPid().value(42), std::vector<double>({1.0, 2.0}));
    // Without a start time nothing carries over, but the port count stays.
    EXPECT_EQ(monitor().cpuHistoryByPid().value(43), std::vector<double>({2.0}));
    EXPECT_EQ(monitor().machPortCounts().value(43), 9);

    sources->nextProcesses = {measured(proc(42, 1, 2000), 3.0, 3000000),
                              measured(proc(43, 1, std::nullopt, "/usr/bin/other"), 3.0, 3000000)};
    tick();
    EXPECT_EQ(monitor().cpuHistoryByPid().value(42), std::vector<double>({3.0}));
    EXPECT_EQ(monitor().memHistoryByPid().value(42), std::vector<double>({3.0}));
    EXPECT_TRUE(monitor().machPortCounts().empty());

    // An unknown CPU figure or memory drops the process from that history.
    monitor::ProcInfo unknown = proc(42, 1, 2000);
    sources->nextProcesses = {unknown};
    tick();
    EXPECT_FALSE(monitor().cpuHistoryByPid().contains(42));
    EXPECT_FALSE(monitor().memHistoryByPid().contains(42));
}

TEST_F(SystemMonitorApply, DuplicatePidsKeepTheLaterRecordAndBothChildren)
{
    monitor::ProcInfo first = proc(42, 7);
    monitor::ProcInfo second = proc(42, 7, 1000, "/usr/bin/later");
    sources->nextProcesses = {proc(7), first, second};
    tick();
    EXPECT_EQ(monitor().byPid().value(42).path, QStringLiteral("/usr/bin/later"));
    EXPECT_EQ(monitor().relations(7).childCount, 2);
    EXPECT_EQ(monitor().processes(), sources->nextProcesses);
}

TEST_F(SystemMonitorApply, ListeningPortsFollowSocketsAndShrinkWithExitsWhilePortsAreOff)
{
    sources->nextProcesses = {proc(100), proc(200)};
    sources->nextMachPorts = {{100, 5}, {200, 6}};
    sources->nextSockets = {
        socket(100, "TCP", endpoint("*", 443), std::nullopt, "LISTEN"),
        socket(100, "TCP", endpoint("*", 80), std::nullopt, "LISTEN"),
        socket(100, "TCP", endpoint("::1", 80), std::nullopt, "LISTEN"),
        socket(200, "TCP", endpoint("*", std::nullopt), std::nullopt, "LISTEN"),   // no port
        socket(200, "TCP", endpoint("10.0.0.2", 5000), endpoint("1.2.3.4", 443), "ESTABLISHED"),
    };
    monitor().setPortsEnabled(true);
    exec().runAll();
    EXPECT_TRUE(monitor().hasSocketData());
    EXPECT_EQ(monitor().listeningPortsByPid(), monitor::PortListMap({{100, {80, 443}}}));
    EXPECT_EQ(monitor().listeningPorts(100), std::vector<int>({80, 443}));
    EXPECT_TRUE(monitor().listeningPorts(200).empty());
    EXPECT_EQ(monitor().sockets(200).size(), 2);
    EXPECT_TRUE(monitor().sockets(300).empty());

    monitor().setPortsEnabled(false);
    sources->nextProcesses = {proc(200)};
    tick();
    EXPECT_TRUE(monitor().listeningPortsByPid().empty());
    EXPECT_EQ(monitor().machPortCounts(), monitor::MachPortMap({{200, 6}}));
    EXPECT_EQ(monitor().sockets().size(), 5);
    EXPECT_EQ(monitor().sockets(100).size(), 3);
    EXPECT_TRUE(monitor().hasSocketData());
}

TEST_F(SystemMonitorApply, PublishesInOrderWithTheProcessListLast)
{
    QStringList order;
    const auto record = [&](auto signal, const char* name) {
        QObject::connect(&monitor(), signal, [&order, name] { order << name; });
    };
    record(&monitor::SystemMonitor::cpuUserChanged, "cpuUser");
    record(&monitor::SystemMonitor::cpuSystemChanged, "cpuSystem");
    record(&monitor::SystemMonitor::cpuIdleChanged, "cpuIdle");
    record(&monitor::SystemMonitor::cpuUsageChanged, "cpuUsage");
    record(&monitor::SystemMonitor::cpuHistoryChanged, "cpuHistory");
    record(&monitor::SystemMonitor::memStatsChanged, "memStats");
    record(&monitor::SystemMonitor::diskInfoChanged, "diskInfo");
    record(&monitor::SystemMonitor::uptimeChanged, "uptime");
    record(&monitor::SystemMonitor::thermalStatsChanged, "thermalStats");
    record(&monitor::SystemMonitor::cpuHistoryByPidChanged, "cpuHistoryByPid");
    record(&monitor::SystemMonitor::memHistoryByPidChanged, "memHistoryByPid");
    record(&monitor::SystemMonitor::machPortCountsChanged, "machPortCounts");
    record(&monitor::SystemMonitor::machPortsUpdatedAtChanged, "machPortsUpdatedAt");
    record(&monitor::SystemMonitor::socketsChanged, "sockets");
    record(&monitor::SystemMonitor::hasSocketDataChanged, "hasSocketData");
    record(&monitor::SystemMonitor::processesChanged, "processes");

    sources->nextTicks = {1, 1, 1};
    sources->nextMemory.total = 16;
    sources->nextDisk = {10, 5};
    sources->nextUptime = 99.5;
    sources->nextThermal.cpuCelsius = 55.0;
    monitor().setPortsEnabled(true);
    exec().runAll();
    EXPECT_EQ(order, QStringList({"cpuUser", "cpuSystem", "cpuIdle", "cpuUsage", "cpuHistory", "memStats",
                                  "diskInfo", "uptime", "thermalStats", "cpuHistoryByPid", "memHistoryByPid",
                                  "machPortCounts", "machPortsUpdatedAt", "sockets", "hasSocketData",
                                  "processes"}));
    EXPECT_EQ(monitor().memStats().total, 16u);
    EXPECT_EQ(monitor().diskInfo().freeBytes, 5);
    EXPECT_EQ(monitor().uptime(), 99.5);
    EXPECT_EQ(monitor().thermalStats().cpuCelsius, 55.0);
}

} // namespace
} // namespace velk::test
