// Times one sampling snapshot of the process readers on this machine.
//
//   velk-bench-procs [--ports] [--spawn N]
//
// Takes two snapshots two seconds apart, prints the process count, the five
// busiest processes, the listening sockets (with --ports), the CPU cost of
// the process-list tool run as a child for comparison, and last the headline
// "processes=N sockets=K ms_per_snapshot=T" (CPU milliseconds, this process
// and its children, averaged over both snapshots). --spawn N starts N idle
// child processes for the run and ends exactly those afterwards.

#include "CpuTime.h"
#include "IdleChildren.h"
#include "engine/monitor/ProcSort.h"
#include "engine/monitor/ProcessService.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

struct Snapshot {
    std::vector<velk::monitor::ProcInfo> rows;
    std::vector<velk::monitor::SocketEntry> sockets;
    double cpuMs = 0;
};

Snapshot take(const velk::monitor::ProcessService::PreviousRows& previous, bool ports)
{
    Snapshot s;
    const double before = velk::bench::cpuMsWithChildren();
    s.rows = velk::monitor::ProcessService::processes(previous);
    if (ports)
        s.sockets = velk::monitor::ProcessService::sockets();
    s.cpuMs = velk::bench::cpuMsWithChildren() - before;
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    bool ports = false;
    int spawn = 0;
    for (int i = 1; i < argc; ++i) {
        if (velk::bench::IdleChildren::parseOption(argc, argv, i, spawn))
            continue;
        if (std::strcmp(argv[i], "--ports") == 0) {
            ports = true;
            continue;
        }
        std::fprintf(stderr, "usage: %s [--ports] [--spawn N]\n", argv[0]);
        return 2;
    }
    // Before any thread exists.
    const velk::bench::IdleChildren idle(spawn);
    QCoreApplication app(argc, argv);

    const Snapshot first = take({}, ports);
    velk::monitor::ProcessService::PreviousRows previous;
    for (const velk::monitor::ProcInfo& row : first.rows)
        previous.insert(row.pid, row);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Snapshot second = take(previous, ports);

    std::printf("processes: %zu (spawned %zu)\n", second.rows.size(), idle.size());
    std::vector<velk::monitor::ProcInfo> busiest = second.rows;
    std::sort(busiest.begin(), busiest.end(), velk::monitor::comparator(velk::monitor::ProcSort::cpu));
    std::printf("busiest:\n");
    for (std::size_t i = 0; i < std::min<std::size_t>(5, busiest.size()); ++i) {
        const velk::monitor::ProcInfo& p = busiest[i];
        std::printf("  %7d %7s  %s\n", p.pid, qPrintable(p.cpuText()), qPrintable(p.name));
    }
    if (ports) {
        std::printf("listening:\n");
        for (const velk::monitor::SocketEntry& s : second.sockets) {
            if (s.isListening())
                std::printf("  %7d %s %s\n", s.pid, qPrintable(s.proto), qPrintable(s.local.display()));
        }
    }
    std::printf("snapshot cpu ms: first=%.2f second=%.2f\n", first.cpuMs, second.cpuMs);

    // The same list from the system's own tool, as a child process.
    const double psBefore = velk::bench::cpuMs(RUSAGE_CHILDREN);
    const auto wallStart = std::chrono::steady_clock::now();
    QProcess ps;
    ps.start(QStringLiteral("ps"), {QStringLiteral("-axo"), QStringLiteral("pid,ppid,user,pcpu,rss,comm")});
    ps.waitForFinished(30000);
    const double psWallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    const double psCpuMs = velk::bench::cpuMs(RUSAGE_CHILDREN) - psBefore;
    const qsizetype psLines = ps.readAllStandardOutput().count('\n');
    std::printf("ps -axo pid,ppid,user,pcpu,rss,comm: lines=%lld cpu_ms=%.2f wall_ms=%.2f\n",
                static_cast<long long>(psLines), psCpuMs, psWallMs);

    std::printf("processes=%zu sockets=%zu ms_per_snapshot=%.2f\n", second.rows.size(), second.sockets.size(),
                (first.cpuMs + second.cpuMs) / 2.0);
    return 0;
}
