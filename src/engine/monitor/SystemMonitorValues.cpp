// The monitor's state in the shapes the screens read.

#include "engine/monitor/MonitorVariants.h"
#include "engine/monitor/SystemMonitor.h"

namespace velk::monitor {

QVariantMap SystemMonitor::memStatsValue() const
{
    return toVariantMap(m_memStats);
}

QVariantMap SystemMonitor::diskInfoValue() const
{
    return toVariantMap(m_diskInfo);
}

QVariantMap SystemMonitor::thermalStatsValue() const
{
    return toVariantMap(m_thermalStats);
}

QVariant SystemMonitor::selectedPidValue() const
{
    return optionalVariant(m_selectedPid);
}

void SystemMonitor::setSelectedPidValue(const QVariant& pid)
{
    bool ok = false;
    const int value = pid.toInt(&ok);
    setSelectedPid(pid.isNull() || !ok ? std::nullopt : std::optional<qint32>(value));
}

QVariantList SystemMonitor::listeningSocketsValue() const
{
    return toVariantList(listeningSockets());
}

QVariant SystemMonitor::process(qint32 pid) const
{
    const auto found = m_byPid.constFind(pid);
    return found == m_byPid.cend() ? QVariant() : QVariant(toVariantMap(*found));
}

std::vector<double> SystemMonitor::cpuHistoryOf(qint32 pid) const
{
    return m_cpuHistoryByPid.value(pid);
}

std::vector<double> SystemMonitor::memHistoryOf(qint32 pid) const
{
    return m_memHistoryByPid.value(pid);
}

QVariant SystemMonitor::machPortCount(qint32 pid) const
{
    const auto found = m_machPortCounts.constFind(pid);
    return found == m_machPortCounts.cend() ? QVariant() : QVariant(*found);
}

QVariantMap SystemMonitor::relationsOf(qint32 pid) const
{
    return toVariantMap(relations(pid));
}

} // namespace velk::monitor
