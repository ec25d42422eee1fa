#include "ui/screens/processes/ProcessDetailModel.h"

#include "common/format/Formatting.h"
#include "common/format/Formatting.h"
#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"
#include "ui/design/ElidedSelection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <array>

namespace velk::screens {
namespace {

const QString kUnknown = QStringLiteral("—");

template <class T>
void assignIfChanged(T& field, T value, bool& changed)
{
    if (field == value)
        return;
    field = std::move(value);
    changed = true;
}

} // namespace

ProcessDetailModel::ProcessDetailModel(QObject* parent)
    : QObject(parent)
{
}

void ProcessDetailModel::setMonitor(monitor::SystemMonitor* monitor)
{
    if (m_monitor == monitor)
        return;
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_monitor = monitor;
    if (monitor) {
        const auto follow = [this, monitor](auto signal, void (ProcessDetailModel::*slot)()) {
            m_connections << connect(monitor, signal, this, slot);
        };
        follow(&monitor::SystemMonitor::processesChanged, &ProcessDetailModel::refresh);
        follow(&monitor::SystemMonitor::machPortCountsChanged, &ProcessDetailModel::refreshProcess);
        follow(&monitor::SystemMonitor::cpuHistoryByPidChanged, &ProcessDetailModel::refreshHistories);
        follow(&monitor::SystemMonitor::memHistoryByPidChanged, &ProcessDetailModel::refreshHistories);
        follow(&monitor::SystemMonitor::socketsChanged, &ProcessDetailModel::refresh);
        follow(&monitor::SystemMonitor::hasSocketDataChanged, &ProcessDetailModel::refreshRelations);
    }
    emit monitorChanged();
    refresh();
}

void ProcessDetailModel::setPid(int pid)
{
    if (m_pid == pid)
        return;
    m_pid = pid;
    emit pidChanged();
    refresh();
}

QString ProcessDetailModel::bundlePath() const
{
    return m_process ? m_process->bundlePath().value_or(QString()) : QString();
}

QString ProcessDetailModel::cpuText() const
{
    return m_process ? m_process->cpuText() : QString();
}

QString ProcessDetailModel::memoryShareText() const
{
    if (!m_process)
        return {};
    const auto share = m_process->memoryPercent(m_physicalMemory);
    return share ? fmt::fixed(*share, 1) + u'%' : kUnknown;
}

QString ProcessDetailModel::memoryText() const
{
    return m_process ? m_process->memoryText() : QString();
}

QString ProcessDetailModel::threadsText() const
{
    if (!m_process)
        return {};
    return m_process->threads ? QString::number(*m_process->threads) : kUnknown;
}

QString ProcessDetailModel::machPortsText() const
{
    if (!m_process)
        return {};
    return m_machPorts ? QString::number(*m_machPorts) : kUnknown;
}

QString ProcessDetailModel::rssText() const
{
    return m_process ? fmt::processMegabytes(static_cast<double>(m_process->rssBytes) / 1'000'000.0) : QString();
}

bool ProcessDetailModel::hasRelations() const
{
    return m_parents.rowCount() > 0 || m_children.rowCount() > 0 || m_peers.rowCount() > 0
        || m_remoteHosts.rowCount() > 0;
}

void ProcessDetailModel::select(int pid)
{
    if (m_monitor)
        m_monitor->setSelectedPid(pid);
}

void ProcessDetailModel::copyPath() const
{
    if (!m_process)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_process->path);
}

void ProcessDetailModel::copyShownPath(const QString& shown, int start, int end) const
{
    if (!m_process)
        return;
    const QString part = design::elidedSelectionSource(m_process->path, shown, start, end);
    if (!part.isEmpty())
        QGuiApplication::clipboard()->setText(part);
}

std::optional<double> ProcessDetailModel::shareOfPhysical(double megabytes, std::uint64_t physicalBytes)
{
    if (physicalBytes == 0)
        return std::nullopt;
    return megabytes * 1'000'000.0 / static_cast<double>(physicalBytes) * 100.0;
}

void ProcessDetailModel::refresh()
{
    refreshProcess();
    refreshHistories();
    refreshPorts();
    refreshRelations();
}

void ProcessDetailModel::refreshProcess()
{
    std::optional<monitor::ProcInfo> process;
    std::optional<int> machPorts;
    if (m_monitor) {
        const auto found = m_monitor->byPid().constFind(m_pid);
        if (found != m_monitor->byPid().cend())
            process = *found;
        const auto ports = m_monitor->machPortCounts().constFind(m_pid);
        if (ports != m_monitor->machPortCounts().cend())
            machPorts = *ports;
    }
    // Read at each refresh, as the figures are: the probe is cheap.
    const std::uint64_t physical = process ? platform::core::service<platform::host::HostProbe>()->physicalMemory() : 0;
    bool changed = false;
    assignIfChanged(m_process, std::move(process), changed);
    assignIfChanged(m_machPorts, machPorts, changed);
    assignIfChanged(m_physicalMemory, physical, changed);
    if (changed)
        emit processChanged();
}

void ProcessDetailModel::refreshHistories()
{
    QList<double> cpu;
    QList<double> memory;
    if (m_monitor && m_process) {
        for (const double value : m_monitor->cpuHistoryByPid().value(m_pid))
            cpu << value;
        // Without a physical memory there is no share to draw.
        for (const double megabytes : m_monitor->memHistoryByPid().value(m_pid)) {
            const auto share = shareOfPhysical(megabytes, m_physicalMemory);
            if (!share)
                break;
            memory << *share;
        }
    }
    bool changed = false;
    assignIfChanged(m_cpuHistory, std::move(cpu), changed);
    assignIfChanged(m_memoryHistory, std::move(memory), changed);
    if (changed)
        emit historiesChanged();
}

void ProcessDetailModel::refreshPorts()
{
    QList<int> ports;
    if (m_monitor) {
        for (const int port : m_monitor->listeningPorts(m_pid))
            ports << port;
    }
    if (ports == m_ports)
        return;
    m_ports = std::move(ports);
    emit listeningPortsChanged();
}

void ProcessDetailModel::refreshRelations()
{
    monitor::ProcessRelations relations;
    const bool shows = m_monitor && m_monitor->hasSocketData();
    if (shows)
        relations = m_monitor->relations(m_pid);
    std::vector<monitor::ProcInfo> parents;
    if (relations.parent)
        parents.push_back(*relations.parent);
    const int remoteCount = static_cast<int>(relations.remoteHosts.size());
    if (relations.remoteHosts.size() > listedRemoteHosts)
        relations.remoteHosts.resize(listedRemoteHosts);

    const auto rowCounts = [this] {
        return std::array<int, 4>{m_parents.rowCount(), m_children.rowCount(), m_peers.rowCount(),
                                  m_remoteHosts.rowCount()};
    };
    const auto before = rowCounts();
    m_parents.update(parents);
    m_children.update(relations.children);
    m_peers.update(relations.localPeers);
    m_remoteHosts.update(relations.remoteHosts);
    bool changed = before != rowCounts();
    assignIfChanged(m_showsRelations, shows, changed);
    assignIfChanged(m_childCount, relations.childCount, changed);
    assignIfChanged(m_remoteHostCount, remoteCount, changed);
    if (changed)
        emit relationsChanged();
}

} // namespace velk::screens
