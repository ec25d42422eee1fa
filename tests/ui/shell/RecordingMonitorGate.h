#pragma once

#include "ui/shell/MonitorGate.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace velk::test {

// Monitor gate that records every call in order, as "ports=1", "heavy=0",
// "foreground=1". Shared so a test keeps reading it after handing the gate
// over.
class RecordingMonitorGate final : public shell::MonitorGate {
public:
    struct Log {
        QStringList calls;
    };

    explicit RecordingMonitorGate(std::shared_ptr<Log> log) : m_log(std::move(log)) { }

    void setPortsEnabled(bool enabled) override { record("ports", enabled); }
    void setHeavyEnabled(bool enabled) override { record("heavy", enabled); }
    void setForeground(bool foreground) override { record("foreground", foreground); }

private:
    void record(const char* what, bool on) { m_log->calls.append(QString::fromLatin1(what) + (on ? "=1" : "=0")); }

    std::shared_ptr<Log> m_log;
};

} // namespace velk::test
