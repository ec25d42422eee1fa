#pragma once

#include "engine/monitor/MonitorSnapshot.h"
#include "engine/monitor/MonitorSources.h"
#include "engine/monitor/ProcessListModel.h"
#include "engine/monitor/ProcessRelations.h"
#include "engine/sensors/ThermalStats.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace velk::platform::core {
class Clock;
class Executor;
}

namespace velk::monitor {

using HistoryMap = QHash<qint32, std::vector<double>>;
using PortListMap = QHash<qint32, std::vector<int>>;
using ChildrenMap = QHash<qint32, std::vector<ProcInfo>>;
using SocketMap = QHash<qint32, std::vector<SocketEntry>>;

// The live picture of the machine: processes, sockets, CPU load and its
// history, memory, disk, uptime, thermal readings, per-process histories,
// Mach-port counts and listening ports. Lives on the main thread; a repeating
// timer takes one snapshot per tick on a background task and merges it here.
// Every published member notifies on each assignment.
//
// Screens read records as maps of their fields (absent values undefined), the
// process list through `processModel`, which follows the ticks by pid, and
// per-process histories, port counts and sockets through the queries by pid.
// The whole lists and maps are C++ getters only.
class SystemMonitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(velk::monitor::ProcessListModel* processModel READ processModel CONSTANT)
    Q_PROPERTY(double cpuUsage READ cpuUsage NOTIFY cpuUsageChanged)
    Q_PROPERTY(double cpuUser READ cpuUser NOTIFY cpuUserChanged)
    Q_PROPERTY(double cpuSystem READ cpuSystem NOTIFY cpuSystemChanged)
    Q_PROPERTY(double cpuIdle READ cpuIdle NOTIFY cpuIdleChanged)
    Q_PROPERTY(std::vector<double> cpuHistory READ cpuHistory NOTIFY cpuHistoryChanged)
    Q_PROPERTY(QVariantMap memStats READ memStatsValue NOTIFY memStatsChanged)
    Q_PROPERTY(QVariantMap diskInfo READ diskInfoValue NOTIFY diskInfoChanged)
    Q_PROPERTY(double uptime READ uptime NOTIFY uptimeChanged)
    Q_PROPERTY(QVariantMap thermalStats READ thermalStatsValue NOTIFY thermalStatsChanged)
    Q_PROPERTY(bool hasSocketData READ hasSocketData NOTIFY hasSocketDataChanged)
    Q_PROPERTY(QDateTime machPortsUpdatedAt READ machPortsUpdatedAt NOTIFY machPortsUpdatedAtChanged)
    // A pid, or undefined (null) for none.
    Q_PROPERTY(QVariant selectedPid READ selectedPidValue WRITE setSelectedPidValue NOTIFY selectedPidChanged)
    Q_PROPERTY(bool portsEnabled READ portsEnabled WRITE setPortsEnabled NOTIFY portsEnabledChanged)
    Q_PROPERTY(bool foreground READ foreground NOTIFY foregroundChanged)
    Q_PROPERTY(int cpuCores READ cpuCores CONSTANT)
    Q_PROPERTY(int historyLength READ historyLengthValue CONSTANT)
    Q_PROPERTY(QVariantList listeningSockets READ listeningSocketsValue NOTIFY socketsChanged)

public:
    static constexpr int historyLength = 30;
    static constexpr double defaultInterval = 2.0;
    static constexpr double minimumInterval = 1.0;
    static constexpr double maximumInterval = 5.0;
    static constexpr double machPortSpacing = 10.0;

    // Reads the core count and a first set of CPU ticks; starts no timer.
    explicit SystemMonitor(std::shared_ptr<MonitorSources> sources = MonitorSources::createDefault(),
                           QObject* parent = nullptr);
    ~SystemMonitor() override;

    // The one monitor of the program, created on first use.
    static SystemMonitor& shared();

    // The timer period in seconds from the "samplingInterval" default; a
    // stored value that is not a positive finite number counts as 2.0, any
    // other is brought into the range the Settings slider offers.
    static double storedInterval();

    const std::vector<ProcInfo>& processes() const { return m_processes; }
    const std::vector<SocketEntry>& sockets() const { return m_sockets; }
    double cpuUsage() const { return m_cpuUsage; }
    double cpuUser() const { return m_cpuUser; }
    double cpuSystem() const { return m_cpuSystem; }
    double cpuIdle() const { return m_cpuIdle; }
    const std::vector<double>& cpuHistory() const { return m_cpuHistory; }
    const MemoryStats& memStats() const { return m_memStats; }
    const DiskInfo& diskInfo() const { return m_diskInfo; }
    double uptime() const { return m_uptime; }
    const sensors::ThermalStats& thermalStats() const { return m_thermalStats; }
    const HistoryMap& cpuHistoryByPid() const { return m_cpuHistoryByPid; }
    const HistoryMap& memHistoryByPid() const { return m_memHistoryByPid; }
    bool hasSocketData() const { return m_hasSocketData; }
    const MachPortMap& machPortCounts() const { return m_machPortCounts; }
    // Invalid until the first Mach-port reading has been applied.
    QDateTime machPortsUpdatedAt() const { return m_machPortsUpdatedAt; }
    std::optional<qint32> selectedPid() const { return m_selectedPid; }
    bool portsEnabled() const { return m_portsEnabled; }
    bool foreground() const { return m_foreground; }
    int cpuCores() const { return m_cpuCores; }
    const ProcessMap& byPid() const { return m_byPid; }
    const PortListMap& listeningPortsByPid() const { return m_listeningPortsByPid; }
    ProcessListModel* processModel() { return &m_processModel; }

    void setSelectedPid(std::optional<qint32> pid);
    // Turning port gathering on takes a sample at once.
    void setPortsEnabled(bool enabled);

    // The application became active (true) or inactive (false).
    Q_INVOKABLE void setForeground(bool foreground);
    // A section that wants live figures is shown (true) or not (false).
    Q_INVOKABLE void setHeavyEnabled(bool enabled);

    // Takes one sample now unless the application is in the background,
    // sampling is not wanted or a sample is still being gathered.
    Q_INVOKABLE void sample();
    // Starts the timer unless it runs, sampling at once.
    void start();
    void stop();

    // Reads the disk once off the main thread and publishes it.
    Q_INVOKABLE void forceRefreshDisk();
    // Reads the disk at once and again 0.8, 2.5 and 6.0 seconds later, so the
    // space freed by a clean shows up as the system releases it.
    Q_INVOKABLE void refreshDiskAfterCleanup();

    // Queries over the last applied snapshot.
    Q_INVOKABLE std::vector<int> listeningPorts(qint32 pid) const;
    std::vector<SocketEntry> sockets(qint32 pid) const;
    // Listening sockets of every process, one per pid, protocol and local
    // port, ordered by port and then pid.
    std::vector<SocketEntry> listeningSockets() const;
    std::vector<ProcInfo> topByCPU(int count) const;
    std::vector<ProcInfo> topByMemory(int count) const;
    ProcessRelations relations(qint32 pid) const;

    // The same state for the screens.
    QVariantMap memStatsValue() const;
    QVariantMap diskInfoValue() const;
    QVariantMap thermalStatsValue() const;
    QVariant selectedPidValue() const;
    void setSelectedPidValue(const QVariant& pid);
    static int historyLengthValue() { return historyLength; }
    QVariantList listeningSocketsValue() const;
    // byPid at `pid`; undefined when the last tick had no such process.
    Q_INVOKABLE QVariant process(qint32 pid) const;
    // cpuHistoryByPid / memHistoryByPid at `pid`; empty when absent.
    Q_INVOKABLE std::vector<double> cpuHistoryOf(qint32 pid) const;
    Q_INVOKABLE std::vector<double> memHistoryOf(qint32 pid) const;
    // machPortCounts at `pid`; undefined when absent.
    Q_INVOKABLE QVariant machPortCount(qint32 pid) const;
    Q_INVOKABLE QVariantMap relationsOf(qint32 pid) const;

signals:
    void processesChanged();
    void socketsChanged();
    void cpuUsageChanged();
    void cpuUserChanged();
    void cpuSystemChanged();
    void cpuIdleChanged();
    void cpuHistoryChanged();
    void memStatsChanged();
    void diskInfoChanged();
    void uptimeChanged();
    void thermalStatsChanged();
    void cpuHistoryByPidChanged();
    void memHistoryByPidChanged();
    void hasSocketDataChanged();
    void machPortCountsChanged();
    void machPortsUpdatedAtChanged();
    void selectedPidChanged();
    void portsEnabledChanged();
    void foregroundChanged();

private:
    void retarget();
    bool machPortsDue() const;
    void apply(MonitorSnapshot snapshot);
    void applyCpuTicks(const CPUService::HostTicks& ticks);
    void applyProcesses(const std::vector<ProcInfo>& processes);
    void applySockets(std::optional<std::vector<SocketEntry>> sockets);
    void setDiskInfo(const DiskInfo& info);

    std::shared_ptr<MonitorSources> m_sources;
    std::shared_ptr<platform::core::Executor> m_executor;
    std::shared_ptr<platform::core::Clock> m_clock;

    std::vector<ProcInfo> m_processes;
    std::vector<SocketEntry> m_sockets;
    double m_cpuUsage = 0.0;
    double m_cpuUser = 0.0;
    double m_cpuSystem = 0.0;
    double m_cpuIdle = 1.0;
    std::vector<double> m_cpuHistory;
    MemoryStats m_memStats;
    DiskInfo m_diskInfo;
    double m_uptime = 0.0;
    sensors::ThermalStats m_thermalStats = sensors::ThermalStats::empty();
    HistoryMap m_cpuHistoryByPid;
    HistoryMap m_memHistoryByPid;
    bool m_hasSocketData = false;
    MachPortMap m_machPortCounts;
    QDateTime m_machPortsUpdatedAt;
    QDateTime m_lastMachSample;   // invalid: never, so the first reading is due at once
    std::optional<qint32> m_selectedPid;
    bool m_portsEnabled = false;
    bool m_foreground = true;
    bool m_heavyEnabled = true;
    int m_cpuCores = 0;
    ProcessMap m_byPid;
    PortListMap m_listeningPortsByPid;
    ChildrenMap m_childrenByPpid;
    SocketMap m_socketsByPid;
    ProcessListModel m_processModel;
    QPointer<QTimer> m_timer;
    CPUService::HostTicks m_lastTicks;
    bool m_sampling = false;
};

} // namespace velk::monitor
