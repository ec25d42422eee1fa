#pragma once

#include "engine/monitor/ProcessListModel.h"
#include "engine/monitor/SystemMonitor.h"
#include "ui/screens/processes/RelationListModels.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <cstdint>
#include <optional>

namespace velk::screens {

// What the detail area shows of one process: its identity, CPU and memory
// figures with their histories, the metrics, its listening ports and its
// relations, all from the monitor's last tick. Follows the monitor and the
// pid it is given; the relation lists are keyed models brought to each tick.
class ProcessDetailModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::monitor::SystemMonitor* monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    // The process shown; -1 for none.
    Q_PROPERTY(int pid READ pid WRITE setPid NOTIFY pidChanged)
    // The last tick sampled the process: the header and the figures show.
    Q_PROPERTY(bool present READ present NOTIFY processChanged)
    Q_PROPERTY(QString name READ name NOTIFY processChanged)
    Q_PROPERTY(QString path READ path NOTIFY processChanged)
    Q_PROPERTY(QString user READ user NOTIFY processChanged)
    Q_PROPERTY(QString bundlePath READ bundlePath NOTIFY processChanged)
    Q_PROPERTY(int ppid READ ppid NOTIFY processChanged)
    // "12.3%", or "—" without a CPU figure.
    Q_PROPERTY(QString cpuText READ cpuText NOTIFY processChanged)
    // The share of physical memory, "9.9%"; "—" when the memory or the
    // machine's physical memory is unknown.
    Q_PROPERTY(QString memoryShareText READ memoryShareText NOTIFY processChanged)
    // "1.70 GB", "812.4 MB" or "—".
    Q_PROPERTY(QString memoryText READ memoryText NOTIFY processChanged)
    Q_PROPERTY(QString threadsText READ threadsText NOTIFY processChanged)
    Q_PROPERTY(QString machPortsText READ machPortsText NOTIFY processChanged)
    // Resident memory: "999.4 MB", from 1000 MB on "1.23 GB".
    Q_PROPERTY(QString rssText READ rssText NOTIFY processChanged)
    // CPU percent of the last ticks, oldest first.
    Q_PROPERTY(QList<double> cpuHistory READ cpuHistory NOTIFY historiesChanged)
    // Memory of the last ticks as percent of physical memory, oldest first;
    // empty while the physical memory is unknown.
    Q_PROPERTY(QList<double> memoryHistory READ memoryHistory NOTIFY historiesChanged)
    Q_PROPERTY(QList<int> listeningPorts READ listeningPorts NOTIFY listeningPortsChanged)
    // The monitor has read sockets at least once: the relations card shows.
    Q_PROPERTY(bool showsRelations READ showsRelations NOTIFY relationsChanged)
    // A parent, a listed child, a peer or a remote host.
    Q_PROPERTY(bool hasRelations READ hasRelations NOTIFY relationsChanged)
    // Rows of each section: a parent, the listed children, the peers and the
    // listed remote hosts.
    Q_PROPERTY(bool hasParent READ hasParent NOTIFY relationsChanged)
    Q_PROPERTY(int listedChildCount READ listedChildCount NOTIFY relationsChanged)
    Q_PROPERTY(int peerCount READ peerCount NOTIFY relationsChanged)
    Q_PROPERTY(int listedRemoteHostCount READ listedRemoteHostCount NOTIFY relationsChanged)
    Q_PROPERTY(velk::monitor::ProcessListModel* parents READ parents CONSTANT)
    Q_PROPERTY(velk::monitor::ProcessListModel* children READ children CONSTANT)
    // All children, of which at most eight are listed.
    Q_PROPERTY(int childCount READ childCount NOTIFY relationsChanged)
    Q_PROPERTY(velk::screens::PeerListModel* peers READ peers CONSTANT)
    // All remote hosts, of which the first six are listed.
    Q_PROPERTY(velk::screens::RemoteHostListModel* remoteHosts READ remoteHosts CONSTANT)
    Q_PROPERTY(int remoteHostCount READ remoteHostCount NOTIFY relationsChanged)

public:
    static constexpr int listedRemoteHosts = 6;

    explicit ProcessDetailModel(QObject* parent = nullptr);

    monitor::SystemMonitor* monitor() const { return m_monitor; }
    void setMonitor(monitor::SystemMonitor* monitor);
    int pid() const { return m_pid; }
    void setPid(int pid);

    bool present() const { return m_process.has_value(); }
    QString name() const { return m_process ? m_process->name : QString(); }
    QString path() const { return m_process ? m_process->path : QString(); }
    QString user() const { return m_process ? m_process->user : QString(); }
    QString bundlePath() const;
    int ppid() const { return m_process ? m_process->ppid : 0; }
    QString cpuText() const;
    QString memoryShareText() const;
    QString memoryText() const;
    QString threadsText() const;
    QString machPortsText() const;
    QString rssText() const;
    QList<double> cpuHistory() const { return m_cpuHistory; }
    QList<double> memoryHistory() const { return m_memoryHistory; }
    QList<int> listeningPorts() const { return m_ports; }
    bool showsRelations() const { return m_showsRelations; }
    bool hasRelations() const;
    bool hasParent() const { return m_parents.rowCount() > 0; }
    int listedChildCount() const { return m_children.rowCount(); }
    int peerCount() const { return m_peers.rowCount(); }
    int listedRemoteHostCount() const { return m_remoteHosts.rowCount(); }
    monitor::ProcessListModel* parents() { return &m_parents; }
    monitor::ProcessListModel* children() { return &m_children; }
    int childCount() const { return m_childCount; }
    PeerListModel* peers() { return &m_peers; }
    RemoteHostListModel* remoteHosts() { return &m_remoteHosts; }
    int remoteHostCount() const { return m_remoteHostCount; }

    // Makes `pid` the monitor's selected process (a relation row).
    Q_INVOKABLE void select(int pid);
    // Puts the whole path on the clipboard in place of what it held.
    Q_INVOKABLE void copyPath() const;
    // Copies what the selection [start, end) of the path as shown (cut in
    // the middle) stands for: the whole path when the selection takes in
    // all of it. An empty selection copies nothing.
    Q_INVOKABLE void copyShownPath(const QString& shown, int start, int end) const;

    // `megabytes` of memory as percent of `physicalBytes`; nothing when the
    // physical memory is unknown (0).
    static std::optional<double> shareOfPhysical(double megabytes, std::uint64_t physicalBytes);

signals:
    void monitorChanged();
    void pidChanged();
    void processChanged();
    void historiesChanged();
    void listeningPortsChanged();
    void relationsChanged();

private:
    void refresh();
    void refreshProcess();
    void refreshHistories();
    void refreshPorts();
    void refreshRelations();

    QPointer<monitor::SystemMonitor> m_monitor;
    QList<QMetaObject::Connection> m_connections;
    int m_pid = -1;
    std::optional<monitor::ProcInfo> m_process;
    std::optional<int> m_machPorts;
    std::uint64_t m_physicalMemory = 0;
    QList<double> m_cpuHistory;
    QList<double> m_memoryHistory;
    QList<int> m_ports;
    bool m_showsRelations = false;
    int m_childCount = 0;
    int m_remoteHostCount = 0;
    monitor::ProcessListModel m_parents;
    monitor::ProcessListModel m_children;
    PeerListModel m_peers;
    RemoteHostListModel m_remoteHosts;
};

} // namespace velk::screens
