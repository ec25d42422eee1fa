#pragma once

#include "engine/monitor/SystemMonitor.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The machine-wide figures under the process list that are not the
// monitor's own: the thread total, the process count and the colour of the
// memory pressure.
class ProcessFooterModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::monitor::SystemMonitor* monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    // Threads of every process that reports a count; the others add nothing.
    Q_PROPERTY(double threadTotal READ threadTotal NOTIFY processesChanged)
    Q_PROPERTY(int processCount READ processCount NOTIFY processesChanged)
    // The machine's CPU usage of the last samples, 0 to 1, oldest first.
    Q_PROPERTY(QList<double> loadHistory READ loadHistory NOTIFY loadHistoryChanged)
    // Used ÷ total memory, 0 while the total is unknown.
    Q_PROPERTY(double pressure READ pressure NOTIFY memoryChanged)
    Q_PROPERTY(Tone pressureTone READ pressureTone NOTIFY memoryChanged)

public:
    enum Tone { Green, Amber, Red };
    Q_ENUM(Tone)

    explicit ProcessFooterModel(QObject* parent = nullptr);

    monitor::SystemMonitor* monitor() const { return m_monitor; }
    void setMonitor(monitor::SystemMonitor* monitor);

    double threadTotal() const;
    int processCount() const;
    QList<double> loadHistory() const;
    double pressure() const;
    Tone pressureTone() const { return toneOf(pressure()); }

    // Red from 0.9, amber from 0.75, else green.
    static Tone toneOf(double pressure);
    // Exact integer sum of the known thread counts.
    static qint64 threadsOf(const std::vector<monitor::ProcInfo>& processes);

signals:
    void monitorChanged();
    void processesChanged();
    void memoryChanged();
    void loadHistoryChanged();

private:
    QPointer<monitor::SystemMonitor> m_monitor;
    QMetaObject::Connection m_connections[3];
};

} // namespace velk::screens
