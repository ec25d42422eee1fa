#include "support/FakeMonitorSources.h"

#include <QTimer>
#include <cmath>
#include <limits>

namespace velk::test {
namespace {

class SystemMonitorSampling : public MonitorTest {
protected:
    QTimer* timer() { return monitor().findChild<QTimer*>(QStringLiteral("samplingTimer")); }
    int gathers() const { return sources->count("processes"); }
};

TEST_F(SystemMonitorSampling, CreationReadsCoresAndTicksAndStartsNothing)
{
    sources->cores = 12;
    sources->nextTicks = {10, 20, 30};
    EXPECT_EQ(monitor().cpuCores(), 12);
    EXPECT_EQ(sources->calls, QStringList({"coreCount", "ticks"}));
    EXPECT_EQ(monitor().cpuIdle(), 1.0);
    EXPECT_EQ(monitor().cpuUsage(), 0.0);
    EXPECT_EQ(monitor().cpuHistory(), std::vector<double>(monitor::SystemMonitor::historyLength, 0.0));
    EXPECT_EQ(timer(), nullptr);
    EXPECT_EQ(exec().pending(), 0u);
}

TEST_F(SystemMonitorSampling, GateDropsSamplesInBackgroundWithoutHeavySamplingOrWhilePending)
{
    monitor().setForeground(false);
    monitor().sample();
    monitor().setPortsEnabled(true);
    EXPECT_EQ(exec().backgroundRuns(), 0);
    EXPECT_EQ(timer(), nullptr);

    monitor().setForeground(true);   // retargets: starts the timer and samples
    EXPECT_EQ(exec().backgroundRuns(), 1);
    monitor().sample();              // still gathering: dropped, not queued
    exec().runBackground();
    monitor().sample();              // gathered but not applied yet: still pending
    EXPECT_EQ(exec().backgroundRuns(), 1);
    exec().runAll();
    monitor().sample();
    EXPECT_EQ(exec().backgroundRuns(), 2);
    EXPECT_EQ(exec().lastPriority(), platform::core::Priority::Utility);
    exec().runAll();

    monitor().setHeavyEnabled(false);
    EXPECT_EQ(timer(), nullptr);
    monitor().sample();
    EXPECT_EQ(exec().backgroundRuns(), 2);
}

TEST_F(SystemMonitorSampling, RetargetingRestartsTheTimerAndSamplesAtOnce)
{
    monitor().setHeavyEnabled(true);
    ASSERT_NE(timer(), nullptr);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 2000);
    EXPECT_EQ(timer()->timerType(), Qt::CoarseTimer);
    EXPECT_EQ(gathers(), 0);
    exec().runAll();
    EXPECT_EQ(gathers(), 1);

    monitor().start();   // a timer runs: nothing happens
    EXPECT_EQ(exec().pending(), 0u);
    EXPECT_EQ(monitor().findChildren<QTimer*>().size(), 1);

    QPointer<QTimer> first = timer();
    monitor().setHeavyEnabled(true);
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(timer(), nullptr);
    exec().runAll();
    EXPECT_EQ(gathers(), 2);

    QMetaObject::invokeMethod(timer(), "timeout");   // a firing samples
    exec().runAll();
    EXPECT_EQ(gathers(), 3);

    monitor().setForeground(false);
    EXPECT_EQ(timer(), nullptr);
    EXPECT_FALSE(monitor().foreground());
}

TEST_F(SystemMonitorSampling, IntervalComesFromTheDefaultsInOneToFiveSecondsWithUnusableValuesCountingAsTwo)
{
    const std::vector<std::pair<QVariant, int>> cases = {
        {3.5, 3500},
        {QStringLiteral("1.5"), 1500},
        // Held to the Settings slider's range, 1 to 5 seconds.
        {1e-300, 1000},
        {0.25, 1000},
        {5.0, 5000},
        {60.0, 5000},
        {1e300, 5000},
        {0.0, 2000},
        {-1.0, 2000},
        {std::numeric_limits<double>::quiet_NaN(), 2000},
        {std::numeric_limits<double>::infinity(), 2000},
        {QStringLiteral("fast"), 2000},
        {QVariant(), 2000},
    };
    for (const auto& [stored, ms] : cases) {
        store().seed(QStringLiteral("samplingInterval"), stored);
        monitor().setForeground(true);   // the interval is read on every start
        ASSERT_NE(timer(), nullptr);
        EXPECT_EQ(timer()->interval(), ms) << stored.toString().toStdString();
        exec().runAll();
    }
}

TEST_F(SystemMonitorSampling, PortsGatherSocketsEveryTickAndMachPortsTenSecondsAfterTheLastApplied)
{
    sources->nextProcesses = {proc(10)};
    monitor().setPortsEnabled(true);   // turning it on samples at once
    EXPECT_EQ(exec().backgroundRuns(), 1);
    time().advance(1.0);               // the reading is applied one second later
    exec().runAll();
    EXPECT_EQ(sources->calls.mid(2), QStringList({"processes", "sockets", "machPorts", "ticks", "memory", "disk",
                                                  "uptime", "thermal"}));
    EXPECT_EQ(monitor().machPortsUpdatedAt(), time().now());

    time().advance(9.5);               // 9.5 s after the application
    tick();
    EXPECT_EQ(sources->count("sockets"), 2);
    EXPECT_EQ(sources->count("machPorts"), 1);
    EXPECT_EQ(sources->previousMaps.last().keys(), QList<qint32>({10}));

    time().advance(0.5);
    tick();
    EXPECT_EQ(sources->count("sockets"), 3);
    EXPECT_EQ(sources->count("machPorts"), 2);

    monitor().setPortsEnabled(true);   // already on: no extra sample
    monitor().setPortsEnabled(false);
    EXPECT_EQ(exec().pending(), 0u);
    time().advance(20.0);
    tick();
    EXPECT_EQ(sources->count("sockets"), 3);
    EXPECT_EQ(sources->count("machPorts"), 2);
}

TEST_F(SystemMonitorSampling, PortsTurnedOnDuringAGatherWaitForTheNextTick)
{
    monitor().sample();
    monitor().setPortsEnabled(true);   // its own sample is dropped
    exec().runAll();
    EXPECT_EQ(sources->count("sockets"), 0);
    EXPECT_FALSE(monitor().hasSocketData());
    tick();
    EXPECT_EQ(sources->count("sockets"), 1);
    EXPECT_TRUE(monitor().hasSocketData());
}

TEST_F(SystemMonitorSampling, CleanupRefreshReadsTheDiskFourTimesWhateverTheGate)
{
    monitor().setForeground(false);
    QList<qint64> published;
    QObject::connect(&monitor(), &monitor::SystemMonitor::diskInfoChanged, [&] {
        published << monitor().diskInfo().freeBytes;
    });

    sources->nextDisk = {1000, 100};
    monitor().refreshDiskAfterCleanup();
    EXPECT_EQ(time().requestedDelays(), std::vector<double>({0.8, 2.5, 6.0}));
    exec().runAll();                  // the first reading is taken at once
    EXPECT_EQ(published, QList<qint64>({100}));

    // Each later reading comes exactly at its delay after the call.
    const std::vector<std::pair<double, qint64>> steps = {{0.79, 0}, {0.01, 200}, {1.69, 0}, {0.01, 300},
                                                          {3.5, 400}};
    for (const auto& [seconds, freeBytes] : steps) {
        sources->nextDisk = {1000, freeBytes};
        time().advance(seconds);
        exec().runAll();
    }
    EXPECT_EQ(published, QList<qint64>({100, 200, 300, 400}));
    EXPECT_EQ(sources->count("disk"), 4);
    EXPECT_EQ(sources->count("processes"), 0);
    EXPECT_EQ(exec().lastPriority(), platform::core::Priority::Utility);
}

TEST_F(SystemMonitorSampling, CleanupRefreshesOfADestroyedMonitorAreDropped)
{
    {
        monitor::SystemMonitor shortLived(sources);
        shortLived.refreshDiskAfterCleanup();
        exec().runAll();
    }
    time().advance(10.0);
    exec().runAll();
    EXPECT_EQ(sources->count("disk"), 1);
}

} // namespace
} // namespace velk::test
