#include "ui/screens/processes/ProcessFooterModel.h"

namespace velk::screens {

ProcessFooterModel::ProcessFooterModel(QObject* parent)
    : QObject(parent)
{
}

void ProcessFooterModel::setMonitor(monitor::SystemMonitor* monitor)
{
    if (m_monitor == monitor)
        return;
    for (const auto& connection : m_connections)
        disconnect(connection);
    m_monitor = monitor;
    if (monitor) {
        m_connections[0] = connect(monitor, &monitor::SystemMonitor::processesChanged, this,
                                   &ProcessFooterModel::processesChanged);
        m_connections[1] = connect(monitor, &monitor::SystemMonitor::memStatsChanged, this,
                                   &ProcessFooterModel::memoryChanged);
        m_connections[2] = connect(monitor, &monitor::SystemMonitor::cpuHistoryChanged, this,
                                   &ProcessFooterModel::loadHistoryChanged);
    }
    emit monitorChanged();
    emit processesChanged();
    emit memoryChanged();
    emit loadHistoryChanged();
}

double ProcessFooterModel::threadTotal() const
{
    return m_monitor ? static_cast<double>(threadsOf(m_monitor->processes())) : 0.0;
}

int ProcessFooterModel::processCount() const
{
    return m_monitor ? static_cast<int>(m_monitor->processes().size()) : 0;
}

QList<double> ProcessFooterModel::loadHistory() const
{
    if (!m_monitor)
        return {};
    const std::vector<double>& history = m_monitor->cpuHistory();
    return QList<double>(history.begin(), history.end());
}

double ProcessFooterModel::pressure() const
{
    return m_monitor ? m_monitor->memStats().usedPercent() : 0.0;
}

ProcessFooterModel::Tone ProcessFooterModel::toneOf(double pressure)
{
    if (pressure >= 0.9)
        return Red;
    if (pressure >= 0.75)
        return Amber;
    return Green;
}

qint64 ProcessFooterModel::threadsOf(const std::vector<monitor::ProcInfo>& processes)
{
    qint64 total = 0;
    for (const monitor::ProcInfo& process : processes) {
        if (process.threads)
            total += *process.threads;
    }
    return total;
}

} // namespace velk::screens
