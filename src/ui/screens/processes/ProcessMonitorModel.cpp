#include "ui/screens/processes/ProcessMonitorModel.h"

#include "common/format/Formatting.h"
#include "engine/monitor/ProcessService.h"
#include "ui/screens/processes/ProcessRowText.h"
#include "ui/screens/processes/TerminateRefusal.h"
#include "ui/screens/processes/VisibleProcesses.h"

namespace velk::screens {

ProcessMonitorModel::ProcessMonitorModel(QObject* parent)
    : QObject(parent)
{
}

ProcessMonitorModel::ProcessMonitorModel(monitor::SystemMonitor* monitor, QObject* parent)
    : QObject(parent)
{
    setMonitor(monitor);
}

ProcessMonitorModel::~ProcessMonitorModel() = default;

void ProcessMonitorModel::setMonitor(monitor::SystemMonitor* monitor)
{
    if (m_monitor == monitor)
        return;
    for (QMetaObject::Connection& connection : m_connections)
        disconnect(connection);
    m_monitor = monitor;
    if (monitor) {
        m_connections[0] = connect(monitor, &monitor::SystemMonitor::processesChanged, this,
                                   &ProcessMonitorModel::onProcessesChanged);
        m_connections[1] = connect(monitor, &monitor::SystemMonitor::socketsChanged, this,
                                   &ProcessMonitorModel::refreshListeners);
        m_connections[2] = connect(monitor, &monitor::SystemMonitor::selectedPidChanged, this,
                                   &ProcessMonitorModel::refreshDetail);
        m_connections[3] = connect(monitor, &QObject::destroyed, this, [this] { setMonitor(nullptr); });
    }
    m_pids = monitor ? pidsOf(monitor->processes()) : QList<qint32>();
    emit monitorChanged();
    refreshListeners();
    refreshVisible();
    emit processesChanged();
    refreshDetail();
}

monitor::ProcSort ProcessMonitorModel::procSort() const
{
    switch (m_sort) {
    case Cpu: return monitor::ProcSort::cpu;
    case Memory: return monitor::ProcSort::mem;
    case Threads: return monitor::ProcSort::threads;
    case Pid: return monitor::ProcSort::pid;
    case Name: return monitor::ProcSort::name;
    }
    return monitor::ProcSort::cpu;
}

void ProcessMonitorModel::setSortKey(Sort sort)
{
    if (m_sort == sort)
        return;
    m_sort = sort;
    emit sortKeyChanged();
    refreshVisible();
    syncSelection();
}

void ProcessMonitorModel::setSearchText(const QString& text)
{
    if (m_search == text)
        return;
    m_search = text;
    emit searchTextChanged();
    refreshVisible();
    syncSelection();
}

void ProcessMonitorModel::setShowOnlyListening(bool on)
{
    if (m_onlyListening == on)
        return;
    m_onlyListening = on;
    emit showOnlyListeningChanged();
    refreshVisible();
    syncSelection();
}

QVariant ProcessMonitorModel::requestedPidValue() const
{
    return m_requestedPid ? QVariant(*m_requestedPid) : QVariant();
}

void ProcessMonitorModel::setRequestedPid(std::optional<qint32> pid)
{
    if (m_requestedPid == pid)
        return;
    m_requestedPid = pid;
    emit requestedPidChanged();
}

bool ProcessMonitorModel::sampled() const
{
    return m_monitor && !m_monitor->processes().empty();
}

QString ProcessMonitorModel::processCountText() const
{
    return QString::number(m_monitor ? static_cast<qint64>(m_monitor->processes().size()) : 0);
}

void ProcessMonitorModel::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    if (active && m_behind && m_monitor)
        onProcessesChanged();
}

void ProcessMonitorModel::onProcessesChanged()
{
    m_behind = !m_active;
    if (m_behind)
        return;
    refreshVisible();
    emit processesChanged();
    refreshDetail();
    // Only a change of which processes are listed, or of their order, runs
    // the rule; a tick that only moves the figures does not.
    QList<qint32> pids = pidsOf(m_monitor->processes());
    if (pids != m_pids) {
        m_pids = std::move(pids);
        syncSelection();
    }
}

void ProcessMonitorModel::refreshVisible()
{
    if (!m_monitor) {
        m_visible.update(std::vector<monitor::ProcInfo>());
        m_visiblePids.clear();
    } else {
        const std::vector<monitor::ProcInfo> shown = visibleProcesses(
            m_monitor->processes(), m_monitor->listeningPortsByPid(), {procSort(), m_search, m_onlyListening});
        m_visible.update(shown);
        m_visiblePids = pidsOf(shown);
    }

    // The listening ports are rebuilt at ticks that gather sockets, which
    // publish their processes too, so this is the place to follow them.
    QVariantMap badges;
    if (m_monitor) {
        const monitor::PortListMap& ports = m_monitor->listeningPortsByPid();
        for (auto it = ports.cbegin(); it != ports.cend(); ++it) {
            const QString text = portBadgeText(it.value());
            if (!text.isEmpty())
                badges.insert(QString::number(it.key()), text);
        }
    }
    if (badges != m_portBadges) {
        m_portBadges = std::move(badges);
        emit portBadgesChanged();
    }
}

void ProcessMonitorModel::refreshListeners()
{
    const int count = m_monitor ? static_cast<int>(m_monitor->listeningSockets().size()) : 0;
    if (count == m_listenerCount)
        return;
    m_listenerCount = count;
    emit listenersChanged();
}

void ProcessMonitorModel::refreshDetail()
{
    const std::optional<qint32> selected = m_monitor ? m_monitor->selectedPid() : std::nullopt;
    const bool shows = selected && m_monitor->byPid().contains(*selected);
    if (shows == m_showsDetail)
        return;
    m_showsDetail = shows;
    emit showsDetailChanged();
}

void ProcessMonitorModel::syncSelection()
{
    if (!m_monitor)
        return;
    const std::optional<qint32> chosen =
        monitor::ProcessSelection::choose(m_monitor->selectedPid(), m_visiblePids, m_requestedPid);
    if (chosen != m_monitor->selectedPid())
        m_monitor->setSelectedPid(chosen);
    if (m_requestedPid && m_visiblePids.contains(*m_requestedPid))
        setRequestedPid(std::nullopt);
}

void ProcessMonitorModel::appear()
{
    if (m_appeared)
        return;
    m_appeared = true;
    syncSelection();
}

void ProcessMonitorModel::setRequest(const std::optional<monitor::ProcessNavigationRequest>& request)
{
    if (m_request == request)
        return;
    m_request = request;
    if (!request)
        return;

    // Every write lands before the rule runs once, so it already sees the
    // cleared filters and the new sort.
    Sort sort = Cpu;
    switch (request->sort) {
    case monitor::ProcSort::cpu: sort = Cpu; break;
    case monitor::ProcSort::mem: sort = Memory; break;
    case monitor::ProcSort::threads: sort = Threads; break;
    case monitor::ProcSort::pid: sort = Pid; break;
    case monitor::ProcSort::name: sort = Name; break;
    }
    const bool changed = m_sort != sort || !m_search.isEmpty() || m_onlyListening;
    if (m_sort != sort) {
        m_sort = sort;
        emit sortKeyChanged();
    }
    if (!m_search.isEmpty()) {
        m_search.clear();
        emit searchTextChanged();
    }
    if (m_onlyListening) {
        m_onlyListening = false;
        emit showOnlyListeningChanged();
    }
    if (changed)
        refreshVisible();
    setRequestedPid(request->pid);
    syncSelection();
    if (request->pid)
        emit scrollRequested(*request->pid);
}

void ProcessMonitorModel::navigate(Sort sort, const QVariant& pid)
{
    static constexpr monitor::ProcSort sorts[] = {monitor::ProcSort::cpu, monitor::ProcSort::mem, monitor::ProcSort::threads, monitor::ProcSort::pid,
                                         monitor::ProcSort::name};
    bool ok = false;
    const qint32 value = pid.toInt(&ok);
    setRequest(monitor::ProcessNavigationRequest(sorts[sort], pid.isNull() || !ok ? std::nullopt : std::optional(value)));
}

void ProcessMonitorModel::tapRow(qint32 pid)
{
    setRequestedPid(std::nullopt);
    if (!m_monitor)
        return;
    const std::optional<qint32> selected = m_monitor->selectedPid();
    m_monitor->setSelectedPid(selected == pid ? std::nullopt : std::optional(pid));
}

int ProcessMonitorModel::rowOf(qint32 pid) const
{
    return static_cast<int>(m_visiblePids.indexOf(pid));
}

QVariant ProcessMonitorModel::confirmTerminatePidValue() const
{
    return m_terminatePid ? QVariant(*m_terminatePid) : QVariant();
}

void ProcessMonitorModel::setTerminateMessage(const QString& message)
{
    if (message == m_terminateMessage)
        return;
    m_terminateMessage = message;
    emit terminateMessageChanged();
}

void ProcessMonitorModel::askTerminate(qint32 pid)
{
    m_terminatePid = pid;
    m_terminateHold.reset();
    m_terminateName.clear();
    if (m_monitor) {
        const auto it = m_monitor->byPid().constFind(pid);
        // Held now, so that a pid given to another process before the
        // confirmation never reaches that one. The alert names the process
        // as the hold found it: one that has run another program since the
        // sample is named as it runs now, since that is what Terminate ends.
        if (it != m_monitor->byPid().cend())
            m_terminateHold = monitor::ProcessService::hold(*it);
        if (m_terminateHold)
            m_terminateName = monitor::ProcessService::heldName(*m_terminateHold);
    }
    emit confirmTerminateChanged();
    setTerminateMessage(m_terminateHold ? fmt::isolatedName(m_terminateName) + QStringLiteral(" (PID ")
                                              + QString::number(m_terminateHold->pid()) + u')'
                                        : QString());
}

bool ProcessMonitorModel::confirmTerminate()
{
    using Status = platform::processes::SignalOutcome::Status;
    const platform::processes::SignalOutcome outcome =
        m_terminateHold ? monitor::ProcessService::terminate(*m_terminateHold, false)
                        : platform::processes::SignalOutcome{Status::Ended, 0};
    if (outcome.status == Status::Refused) {
        m_terminateRefusal = terminateRefusalText(m_terminateName, m_terminateHold->pid(), outcome.error);
        emit terminateRefusalChanged();
    }
    cancelTerminate();
    return outcome.status == Status::Sent;
}

void ProcessMonitorModel::cancelTerminate()
{
    if (!m_terminatePid)
        return;
    m_terminatePid.reset();
    m_terminateHold.reset();
    m_terminateName.clear();
    emit confirmTerminateChanged();
    setTerminateMessage(QString());
}

void ProcessMonitorModel::clearTerminateRefusal()
{
    if (!terminateRefusalShown())
        return;
    m_terminateRefusal = {};
    emit terminateRefusalChanged();
}

QString ProcessMonitorModel::identityText(qint32 pid, const QVariant& threads, const QString& user)
{
    bool ok = false;
    const int count = threads.toInt(&ok);
    return processIdentityText(pid, threads.isValid() && !threads.isNull() && ok ? std::optional(count) : std::nullopt,
                               user);
}

} // namespace velk::screens
