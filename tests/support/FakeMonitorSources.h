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
class FakeMonitorSources final : public monitor::MonitorSources {
public:
    std::vector<monitor::ProcInfo> nextProcesses;
    std::vector<monitor::SocketEntry> nextSockets;
    monitor::MachPortMap nextMachPorts;
    monitor::CPUService::HostTicks nextTicks;
    monitor::MemoryStats nextMemory;
    monitor::DiskInfo nextDisk;
    double nextUptime = 0.0;
    sensors::ThermalStats nextThermal;
    int cores = 8;

    QStringList calls;
    QList<monitor::ProcessMap> previousMaps;

    std::vector<monitor::ProcInfo> processes(const monitor::ProcessMap& previous) override
    {
        calls << "processes";
        previousMaps << previous;
        return nextProcesses;
    }
    std::vector<monitor::SocketEntry> sockets() override { calls << "sockets"; return nextSockets; }
    monitor::MachPortMap machPorts() override { calls << "machPorts"; return nextMachPorts; }
    monitor::CPUService::HostTicks ticks() override { calls << "ticks"; return nextTicks; }
    monitor::MemoryStats memory() override { calls << "memory"; return nextMemory; }
    monitor::DiskInfo disk() override { calls << "disk"; return nextDisk; }
    double uptime() override { calls << "uptime"; return nextUptime; }
    sensors::ThermalStats thermal() override { calls << "thermal"; return nextThermal; }
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
    monitor::SystemMonitor& monitor()
    {
        if (!m_monitor)
            m_monitor = std::make_unique<monitor::SystemMonitor>(sources);
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
    std::unique_ptr<monitor::SystemMonitor> m_monitor;
};

inline monitor::ProcInfo proc(qint32 pid, qint32 ppid = 1, std::optional<quint64> started = 1000,
                     const QString& path = QStringLiteral("/usr/bin/app"))
{
    monitor::ProcInfo p;
    p.pid = pid;
    p.ppid = ppid;
    p.path = path;
    p.name = path.section(QLatin1Char('/'), -1);
    p.started = started;
    return p;
}

inline monitor::NetEndpoint endpoint(const QString& host, std::optional<int> port)
{
    return monitor::NetEndpoint{host, port};
}

inline monitor::SocketEntry socket(qint32 pid, const QString& proto, monitor::NetEndpoint local,
                          std::optional<monitor::NetEndpoint> remote = std::nullopt, const QString& state = QString())
{
    monitor::SocketEntry s;
    s.pid = pid;
    s.proto = proto;
    s.local = std::move(local);
    s.remote = std::move(remote);
    s.state = state;
    return s;
}

} // namespace velk::test
