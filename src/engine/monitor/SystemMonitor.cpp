#include "engine/monitor/SystemMonitor.h"

#include "platform/core/Clock.h"
#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"

#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace velk::monitor {

using platform::core::service;

SystemMonitor::SystemMonitor(std::shared_ptr<MonitorSources> sources, QObject* parent)
    : QObject(parent)
    , m_sources(std::move(sources))
    , m_executor(service<platform::core::Executor>())
    , m_clock(service<platform::core::Clock>())
    , m_cpuHistory(historyLength, 0.0)
{
    m_cpuCores = m_sources->coreCount();
    m_lastTicks = m_sources->ticks();
}

SystemMonitor::~SystemMonitor() = default;

SystemMonitor& SystemMonitor::shared()
{
    // Never destroyed: it lives as long as the program, and background
    // results may still be on their way back when static destructors run.
    static SystemMonitor* const instance = new SystemMonitor();
    return *instance;
}

double SystemMonitor::storedInterval()
{
    const std::optional<double> stored = service<platform::settings::UserDefaults>()->number("samplingInterval");
    if (!stored || !std::isfinite(*stored) || *stored <= 0.0)
        return defaultInterval;
    return std::clamp(*stored, minimumInterval, maximumInterval);
}

void SystemMonitor::setSelectedPid(std::optional<qint32> pid)
{
    m_selectedPid = pid;
    emit selectedPidChanged();
}

void SystemMonitor::setPortsEnabled(bool enabled)
{
    const bool turnedOn = enabled && !m_portsEnabled;
    m_portsEnabled = enabled;
    emit portsEnabledChanged();
    if (turnedOn)
        sample();
}

void SystemMonitor::setForeground(bool foreground)
{
    m_foreground = foreground;
    emit foregroundChanged();
    retarget();
}

void SystemMonitor::setHeavyEnabled(bool enabled)
{
    m_heavyEnabled = enabled;
    retarget();
}

void SystemMonitor::retarget()
{
    stop();
    if (m_foreground && m_heavyEnabled)
        start();
}

void SystemMonitor::start()
{
    if (m_timer)
        return;
    sample();

    // Qt timers take no explicit tolerance. A coarse timer lets the event
    // loop shift each firing by a few percent of the period to merge
    // wake-ups, which stays well inside the 30 % slack we allow.
    const double seconds = storedInterval();
    const double ms = std::clamp(std::round(seconds * 1000.0), 1.0, static_cast<double>(INT_MAX));
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("samplingTimer"));
    timer->setTimerType(Qt::CoarseTimer);
    timer->setInterval(static_cast<int>(ms));
    connect(timer, &QTimer::timeout, this, &SystemMonitor::sample);
    timer->start();
    m_timer = timer;
}

void SystemMonitor::stop()
{
    delete m_timer;
    m_timer = nullptr;
}

bool SystemMonitor::machPortsDue() const
{
    if (!m_lastMachSample.isValid())
        return true;
    return m_lastMachSample.msecsTo(m_clock->now()) >= static_cast<qint64>(machPortSpacing * 1000.0);
}

void SystemMonitor::sample()
{
    if (!m_foreground || !m_heavyEnabled || m_sampling)
        return;
    m_sampling = true;

    const bool withSockets = m_portsEnabled;
    const bool withMachPorts = m_portsEnabled && machPortsDue();
    // The background task works on values only; it never touches the monitor.
    m_executor->run(platform::core::Priority::Utility,
                    [sources = m_sources, executor = m_executor, self = QPointer<SystemMonitor>(this),
                     previous = m_byPid, withSockets, withMachPorts] {
                        auto snapshot = std::make_shared<MonitorSnapshot>(
                            gatherSnapshot(*sources, previous, withSockets, withMachPorts));
                        executor->toMain(self, [self, snapshot] {
                            self->apply(std::move(*snapshot));
                            self->m_sampling = false;
                        });
                    });
}

void SystemMonitor::forceRefreshDisk()
{
    m_executor->run(platform::core::Priority::Utility,
                    [sources = m_sources, executor = m_executor, self = QPointer<SystemMonitor>(this)] {
                        const DiskInfo info = sources->disk();
                        executor->toMain(self, [self, info] { self->setDiskInfo(info); });
                    });
}

void SystemMonitor::refreshDiskAfterCleanup()
{
    forceRefreshDisk();
    for (const double delay : {0.8, 2.5, 6.0})
        m_clock->callAfter(delay, this, [this] { forceRefreshDisk(); });
}

void SystemMonitor::setDiskInfo(const DiskInfo& info)
{
    m_diskInfo = info;
    emit diskInfoChanged();
}

} // namespace velk::monitor
