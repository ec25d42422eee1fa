// Merging one gathered snapshot into the monitor's published state.

#include "engine/monitor/SystemMonitor.h"

#include "platform/core/Clock.h"

#include <QSet>
#include <algorithm>

namespace velk::monitor {
namespace {

// Unsigned counters that went backwards count as no progress.
double progress(quint64 now, quint64 before)
{
    return now >= before ? static_cast<double>(now - before) : 0.0;
}

// The kernel's idle counters include I/O wait, which may go backwards: the
// total then advances less than the busy counters, and a share of it would
// come out above 1.
double share(double part, double whole)
{
    return std::clamp(part / whole, 0.0, 1.0);
}

void appendCapped(std::vector<double>& history, double value)
{
    history.push_back(value);
    if (history.size() > std::size_t(SystemMonitor::historyLength))
        history.erase(history.begin(), history.end() - SystemMonitor::historyLength);
}

template <class Map>
void keepLiving(Map& map, const ProcessMap& living)
{
    map.removeIf([&living](const auto& entry) { return !living.contains(entry.key()); });
}

} // namespace

void SystemMonitor::apply(MonitorSnapshot snapshot)
{
    applyCpuTicks(snapshot.ticks);

    m_memStats = snapshot.mem;
    emit memStatsChanged();
    m_diskInfo = snapshot.disk;
    emit diskInfoChanged();
    m_uptime = snapshot.uptime;
    emit uptimeChanged();
    m_thermalStats = snapshot.thermal;
    emit thermalStatsChanged();

    applyProcesses(snapshot.processes);

    if (snapshot.machPorts) {
        MachPortMap counts = *snapshot.machPorts;
        keepLiving(counts, m_byPid);
        m_machPortCounts = std::move(counts);
        emit machPortCountsChanged();
        m_lastMachSample = m_clock->now();
        m_machPortsUpdatedAt = m_lastMachSample;
        emit machPortsUpdatedAtChanged();
    } else {
        keepLiving(m_machPortCounts, m_byPid);
        emit machPortCountsChanged();
    }

    applySockets(std::move(snapshot.sockets));

    m_processes = std::move(snapshot.processes);
    m_processModel.update(m_processes);
    emit processesChanged();
}

void SystemMonitor::applyCpuTicks(const CPUService::HostTicks& ticks)
{
    if (m_lastTicks.total() < ticks.total()) {
        const double dt = static_cast<double>(ticks.total() - m_lastTicks.total());
        const double du = progress(ticks.user, m_lastTicks.user);
        const double ds = progress(ticks.system, m_lastTicks.system);
        const double di = progress(ticks.idle, m_lastTicks.idle);
        m_cpuUser = share(du, dt);
        emit cpuUserChanged();
        m_cpuSystem = share(ds, dt);
        emit cpuSystemChanged();
        m_cpuIdle = share(di, dt);
        emit cpuIdleChanged();
        m_cpuUsage = share(du + ds, dt);
        emit cpuUsageChanged();
    }
    m_lastTicks = ticks;

    appendCapped(m_cpuHistory, m_cpuUsage);
    emit cpuHistoryChanged();
}

// One pass builds the new histories, the process map and the child lists.
// Every decision is taken against the previous tick's maps, which are
// replaced only at the end.
void SystemMonitor::applyProcesses(const std::vector<ProcInfo>& processes)
{
    HistoryMap cpuHistories;
    HistoryMap memHistories;
    ProcessMap newByPid;
    ChildrenMap children;
    const auto count = static_cast<qsizetype>(processes.size());
    cpuHistories.reserve(count);
    memHistories.reserve(count);
    newByPid.reserve(count);

    for (const ProcInfo& proc : processes) {
        const auto previous = m_byPid.constFind(proc.pid);
        const bool known = previous != m_byPid.cend();
        const bool carryOver = known && proc.sameLifetime(*previous);

        if (proc.cpuAvailable) {
            std::vector<double> history = carryOver ? m_cpuHistoryByPid.value(proc.pid) : std::vector<double>();
            appendCapped(history, proc.cpu);
            cpuHistories.insert(proc.pid, std::move(history));
        }
        if (proc.memoryBytes) {
            std::vector<double> history = carryOver ? m_memHistoryByPid.value(proc.pid) : std::vector<double>();
            appendCapped(history, proc.memMB());
            memHistories.insert(proc.pid, std::move(history));
        }
        if (known) {
            const bool otherStart = previous->started && proc.started && *previous->started != *proc.started;
            if ((previous->path != proc.path || otherStart) && m_machPortCounts.remove(proc.pid) > 0)
                emit machPortCountsChanged();
        }
        newByPid.insert(proc.pid, proc);
        children[proc.ppid].push_back(proc);
    }

    m_cpuHistoryByPid = std::move(cpuHistories);
    emit cpuHistoryByPidChanged();
    m_memHistoryByPid = std::move(memHistories);
    emit memHistoryByPidChanged();

    m_byPid = std::move(newByPid);
    m_childrenByPpid = std::move(children);
}

void SystemMonitor::applySockets(std::optional<std::vector<SocketEntry>> sockets)
{
    if (!sockets) {
        keepLiving(m_listeningPortsByPid, m_byPid);
        return;
    }

    m_sockets = std::move(*sockets);
    emit socketsChanged();

    SocketMap byPid;
    QHash<qint32, QSet<int>> listening;
    for (const SocketEntry& socket : m_sockets) {
        byPid[socket.pid].push_back(socket);
        if (socket.isListening() && socket.local.port)
            listening[socket.pid].insert(*socket.local.port);
    }
    m_socketsByPid = std::move(byPid);

    PortListMap ports;
    ports.reserve(listening.size());
    for (auto it = listening.cbegin(); it != listening.cend(); ++it) {
        std::vector<int> sorted(it->cbegin(), it->cend());
        std::sort(sorted.begin(), sorted.end());
        ports.insert(it.key(), std::move(sorted));
    }
    m_listeningPortsByPid = std::move(ports);

    m_hasSocketData = true;
    emit hasSocketDataChanged();
}

} // namespace velk::monitor
