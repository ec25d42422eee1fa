#pragma once

#include "engine/monitor/ProcSort.h"
#include "engine/monitor/ProcessListModel.h"
#include "engine/monitor/SystemMonitor.h"
#include "platform/processes/ProcessHold.h"
#include "ui/models/SystemWords.h"

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>
#include <memory>
#include <optional>

namespace velk::screens {

// The state of the Processes screen: sort key, search, listening filter, a
// pending requested process and the process awaiting termination, with the
// visible list they give. The selection itself lives in the monitor; this
// object keeps it in step with what the list shows (syncSelection()).
//
// The visible list is a second process list model brought to each new
// result by keyed updates, so rows keep their place and state across ticks.
class ProcessMonitorModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::monitor::SystemMonitor* monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    // False while the screen is not shown: new samples wait, and the list
    // catches up with the latest one when the screen is shown again.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(Sort sortKey READ sortKey WRITE setSortKey NOTIFY sortKeyChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool showOnlyListening READ showOnlyListening WRITE setShowOnlyListening NOTIFY showOnlyListeningChanged)
    // A pid, or undefined while no request is pending.
    Q_PROPERTY(QVariant requestedPid READ requestedPidValue NOTIFY requestedPidChanged)
    Q_PROPERTY(velk::monitor::ProcessListModel* visibleProcesses READ visibleModel CONSTANT)
    // False before the first sample: the list shows a spinner instead.
    Q_PROPERTY(bool sampled READ sampled NOTIFY processesChanged)
    // All processes of the last tick, as a bare decimal.
    Q_PROPERTY(QString processCountText READ processCountText NOTIFY processesChanged)
    // Listening sockets (not processes), and that count as a bare decimal.
    Q_PROPERTY(int listenerCount READ listenerCount NOTIFY listenersChanged)
    Q_PROPERTY(QString listenerCountText READ listenerCountText NOTIFY listenersChanged)
    // ":80,443" by pid, for the processes with listening ports.
    Q_PROPERTY(QVariantMap portBadges READ portBadges NOTIFY portBadgesChanged)
    // A process is selected and the monitor knows it: the detail pane shows.
    Q_PROPERTY(bool showsDetail READ showsDetail NOTIFY showsDetailChanged)
    // The termination alert: open while a pid awaits confirmation.
    Q_PROPERTY(QVariant confirmTerminatePid READ confirmTerminatePidValue NOTIFY confirmTerminateChanged)
    Q_PROPERTY(bool terminateAlertShown READ terminateAlertShown NOTIFY confirmTerminateChanged)
    // "name (PID n)" of the process Terminate would end, as it ran when the
    // alert opened; later samples leave it. Empty when the process had gone
    // by then and nothing could be held.
    Q_PROPERTY(QString terminateMessage READ terminateMessage NOTIFY terminateMessageChanged)
    // The system refused the last Terminate: the alert that says why.
    Q_PROPERTY(bool terminateRefusalShown READ terminateRefusalShown NOTIFY terminateRefusalChanged)
    Q_PROPERTY(QString terminateRefusal READ terminateRefusal NOTIFY terminateRefusalChanged)
    Q_PROPERTY(QString terminateRefusalEnglish READ terminateRefusalEnglish NOTIFY terminateRefusalChanged)

public:
    enum Sort { Cpu, Memory, Threads, Pid, Name };
    Q_ENUM(Sort)

    explicit ProcessMonitorModel(QObject* parent = nullptr);
    explicit ProcessMonitorModel(monitor::SystemMonitor* monitor, QObject* parent = nullptr);
    ~ProcessMonitorModel() override;

    monitor::SystemMonitor* monitor() const { return m_monitor; }
    void setMonitor(monitor::SystemMonitor* monitor);
    bool active() const { return m_active; }
    void setActive(bool active);

    Sort sortKey() const { return m_sort; }
    void setSortKey(Sort sort);
    monitor::ProcSort procSort() const;
    QString searchText() const { return m_search; }
    void setSearchText(const QString& text);
    bool showOnlyListening() const { return m_onlyListening; }
    void setShowOnlyListening(bool on);
    std::optional<qint32> requestedPid() const { return m_requestedPid; }
    QVariant requestedPidValue() const;

    monitor::ProcessListModel* visibleModel() { return &m_visible; }
    bool sampled() const;
    QString processCountText() const;
    int listenerCount() const { return m_listenerCount; }
    QString listenerCountText() const { return QString::number(m_listenerCount); }
    QVariantMap portBadges() const { return m_portBadges; }
    bool showsDetail() const { return m_showsDetail; }

    std::optional<qint32> confirmTerminatePid() const { return m_terminatePid; }
    QVariant confirmTerminatePidValue() const;
    bool terminateAlertShown() const { return m_terminatePid.has_value(); }
    QString terminateMessage() const { return m_terminateMessage; }
    bool terminateRefusalShown() const { return !m_terminateRefusal.zh.isEmpty(); }
    QString terminateRefusal() const { return m_terminateRefusal.zh; }
    QString terminateRefusalEnglish() const { return m_terminateRefusal.en; }

    // The screen is shown for the first time: the selection rule runs once.
    Q_INVOKABLE void appear();
    // A navigation request from the screen's owner. Each new request sets
    // the sort, clears the search and the filter, asks for its pid (when it
    // has one) and asks the list to bring that row into view.
    void setRequest(const std::optional<monitor::ProcessNavigationRequest>& request);
    Q_INVOKABLE void navigate(Sort sort, const QVariant& pid);
    // A click on a row: cancels a pending request, then selects the row's
    // process, or deselects it when it was selected.
    Q_INVOKABLE void tapRow(qint32 pid);
    // The row of `pid` in the visible list, or -1.
    Q_INVOKABLE int rowOf(qint32 pid) const;

    // Opens the termination alert for `pid` and holds the process the last
    // sample listed with that pid (same start time), while it still runs.
    Q_INVOKABLE void askTerminate(qint32 pid);
    // "Terminate": SIGTERM to the held process, if it still runs; a later
    // process given its pid is never signalled. Then the alert closes; a
    // refusal by the system opens the refusal alert. True when sent.
    Q_INVOKABLE bool confirmTerminate();
    // Every other way of closing the alert.
    Q_INVOKABLE void cancelTerminate();
    // The refusal alert closed.
    Q_INVOKABLE void clearTerminateRefusal();

    // Row texts.
    Q_INVOKABLE static QString identityText(qint32 pid, const QVariant& threads, const QString& user);

    // Reconciles the monitor's selection with the visible list.
    void syncSelection();

signals:
    void monitorChanged();
    void activeChanged();
    void sortKeyChanged();
    void searchTextChanged();
    void showOnlyListeningChanged();
    void requestedPidChanged();
    void processesChanged();
    void listenersChanged();
    void portBadgesChanged();
    void showsDetailChanged();
    void confirmTerminateChanged();
    void terminateMessageChanged();
    void terminateRefusalChanged();
    // The list should centre the row of `pid`, after one turn of the event
    // loop so the new sort and filters are laid out first.
    void scrollRequested(qint32 pid);

private:
    void onProcessesChanged();
    void refreshVisible();
    void refreshListeners();
    void refreshDetail();
    void setTerminateMessage(const QString& message);
    void setRequestedPid(std::optional<qint32> pid);

    QPointer<monitor::SystemMonitor> m_monitor;
    bool m_active = true;
    // A sample arrived while inactive.
    bool m_behind = false;
    QMetaObject::Connection m_connections[4];
    Sort m_sort = Cpu;
    QString m_search;
    bool m_onlyListening = false;
    std::optional<qint32> m_requestedPid;
    std::optional<monitor::ProcessNavigationRequest> m_request;
    monitor::ProcessListModel m_visible;
    QList<qint32> m_pids;
    QList<qint32> m_visiblePids;
    int m_listenerCount = 0;
    QVariantMap m_portBadges;
    bool m_showsDetail = false;
    bool m_appeared = false;
    std::optional<qint32> m_terminatePid;
    std::shared_ptr<platform::processes::ProcessHold> m_terminateHold;
    // The held process's name, as the alert gives it.
    QString m_terminateName;
    QString m_terminateMessage;
    models::WordPair m_terminateRefusal;
};

} // namespace velk::screens
