// Runs the real system monitor headless with live sampling for a number of
// ticks at the stored sampling interval and reports what a tick costs.
//
//   velk-bench-monitor [--ports] [--ticks N] [--spawn N]
//
// --spawn N starts N idle child processes for the run (and ends exactly
// those afterwards), so the tick can be timed on a busier process table.
//
// first_tick_cpu_ms: CPU time of this program and the tools it waited for
// from the monitor's creation to the first applied tick (what is read once
// per process is read then). cpu_ms_per_tick: the same CPU time from the
// first applied tick to the last, per tick: the steady cost of sampling.
// wall_ms_per_snapshot: mean time the background task took to gather one
// snapshot. The headline, cpu_ms_per_tick, comes last.

#include "CpuTime.h"
#include "IdleChildren.h"
#include "engine/monitor/SystemMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace velk;
using namespace velk::monitor;
using namespace velk::sensors;

// Forwards to the machine's readers and times each snapshot from its first
// reading (the process list) to its last (the thermal picture).
class TimedSources final : public MonitorSources {
public:
    std::vector<ProcInfo> processes(const ProcessMap& previous) override
    {
        m_clock.start();
        return m_inner->processes(previous);
    }
    std::vector<SocketEntry> sockets() override { return m_inner->sockets(); }
    MachPortMap machPorts() override { return m_inner->machPorts(); }
    CPUService::HostTicks ticks() override { return m_inner->ticks(); }
    MemoryStats memory() override { return m_inner->memory(); }
    DiskInfo disk() override { return m_inner->disk(); }
    double uptime() override { return m_inner->uptime(); }
    ThermalStats thermal() override
    {
        ThermalStats stats = m_inner->thermal();
        m_totalNs += m_clock.nsecsElapsed();
        ++m_snapshots;
        return stats;
    }
    int coreCount() override { return m_inner->coreCount(); }

    double meanMs() const { return m_snapshots ? double(m_totalNs) / 1e6 / double(m_snapshots) : 0.0; }

private:
    std::shared_ptr<MonitorSources> m_inner = MonitorSources::createDefault();
    QElapsedTimer m_clock;   // one snapshot is gathered at a time
    std::atomic<qint64> m_totalNs{0};
    std::atomic<int> m_snapshots{0};
};

} // namespace

int main(int argc, char** argv)
{
    bool ports = false;
    int ticks = 10;
    int spawn = 0;
    for (int i = 1; i < argc; ++i) {
        if (velk::bench::IdleChildren::parseOption(argc, argv, i, spawn)) {
            continue;
        } else if (std::strcmp(argv[i], "--ports") == 0) {
            ports = true;
        } else if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc) {
            ticks = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--ports] [--ticks N] [--spawn N]\n", argv[0]);
            return 2;
        }
    }

    // Before any thread exists.
    const velk::bench::IdleChildren idle(spawn);

    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    const double startCpu = velk::bench::cpuMsWithChildren();
    auto sources = std::make_shared<TimedSources>();
    SystemMonitor monitor(sources);

    int applied = 0;
    double firstTickCpu = 0;
    QObject::connect(&monitor, &SystemMonitor::processesChanged, &app, [&] {
        if (++applied == 1)
            firstTickCpu = velk::bench::cpuMsWithChildren();
        if (applied == ticks + 1)
            app.quit();
    });

    const double interval = SystemMonitor::storedInterval();
    monitor.setPortsEnabled(ports);
    monitor.setHeavyEnabled(true);
    app.exec();

    const double perTick = (velk::bench::cpuMsWithChildren() - firstTickCpu) / double(applied - 1);
    std::printf("interval_s=%.2f ports=%s spawned=%zu processes=%lld sockets=%lld\n", interval, ports ? "on" : "off",
                idle.size(), static_cast<long long>(monitor.processes().size()),
                static_cast<long long>(monitor.sockets().size()));
    std::printf("ticks=%d first_tick_cpu_ms=%.2f wall_ms_per_snapshot=%.2f cpu_ms_per_tick=%.2f\n", applied - 1,
                firstTickCpu - startCpu, sources->meanMs(), perTick);
    return 0;
}
