#pragma once

#include "engine/monitor/MonitorSources.h"
#include "engine/monitor/SystemMonitor.h"
#include "platform/core/ServiceRegistry.h"
#include "support/ManualClock.h"
#include "support/ManualExecutor.h"
#include "support/MemoryDefaults.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace velk::test {

// Readings handed to the monitor, set by each test before a tick. Records
// which readings were taken, in order.
class FakeMonitorSources final : public MonitorSources {
public:
    std::vector<ProcInfo> nextProcesses;
    std::vector<SocketEntry> nextSockets;
    MachPortMap nextMachPorts;
    CPUService::HostTicks nextTicks;
    MemoryStats nextMemory;
    DiskInfo nextDisk;
    double nextUptime = 0.0;
    ThermalStats nextThermal;
    int cores = 8;

    QStringList calls;
    QList<ProcessMap> previousMaps;

    std::vector<ProcInfo> processes(const ProcessMap& previous) override
    {
        calls << "processes";
        previousMaps << previous;
        return nextProcesses;
    }
    std::vector<SocketEntry> sockets() override { calls << "sockets"; return nextSockets; }
    MachPortMap machPorts() override { calls << "machPorts"; return nextMachPorts; }
    CPUService::HostTicks ticks() override { calls << "ticks"; return nextTicks; }
    MemoryStats memory() override { calls << "memory"; return nextMemory; }
    DiskInfo disk() override { calls << "disk"; return nextDisk; }
    double uptime() override { calls << "uptime"; return nextUptime; }
    ThermalStats thermal() override { calls << "thermal"; return nextThermal; }
    int coreCount() override { calls << "coreCount"; return cores; }

    int count(const QString& call) const { return static_cast<int>(calls.count(call)); }
};

// A monitor over fake readings, a manual executor, a manual clock and an
// in-memory defaults store.
class MonitorTest : public ::testing::Test {
protected:
    platform::core::ScopedService<platform::core::Executor> executor{std::make_shared<ManualExecutor>()};
    platform::core::ScopedService<platform::core::Clock> clock{std::make_shared<ManualClock>()};
    platform::core::ScopedService<platform::settings::UserDefaults> defaults{std::make_shared<MemoryDefaults>()};
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();

    ManualExecutor& exec() { return static_cast<ManualExecutor&>(*executor); }
    ManualClock& time() { return static_cast<ManualClock&>(*clock); }
    MemoryDefaults& store() { return static_cast<MemoryDefaults&>(*defaults); }

    // Created on first use, so a test can prepare the fakes first.
    SystemMonitor& monitor()
    {
        if (!m_monitor)
            m_monitor = std::make_unique<SystemMonitor>(sources);
        return *m_monitor;
    }

    // One full tick: sample, gather, apply.
    void tick()
    {
        monitor().sample();
        exec().runAll();
    }

    void TearDown() override
    {
        exec().runAll();
        m_monitor.reset();
    }

private:
    std::unique_ptr<SystemMonitor> m_monitor;
};

inline ProcInfo proc(qint32 pid, qint32 ppid = 1, std::optional<quint64> started = 1000,
                     const QString& path = QStringLiteral("/usr/bin/app"))
{
    ProcInfo p;
    p.pid = pid;
    p.ppid = ppid;
    p.path = path;
    p.name = path.section(QLatin1Char('/'), -1);
    p.started = started;
    return p;
}

inline NetEndpoint endpoint(const QString& host, std::optional<int> port)
{
    return NetEndpoint{host, port};
}

inline SocketEntry socket(qint32 pid, const QString& proto, NetEndpoint local,
                          std::optional<NetEndpoint> remote = std::nullopt, const QString& state = QString())
{
    SocketEntry s;
    s.pid = pid;
    s.proto = proto;
    s.local = std::move(local);
    s.remote = std::move(remote);
    s.state = state;
    return s;
}

} // namespace velk::test
