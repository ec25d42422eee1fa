#pragma once

#include "platform/desktop/AppBundle.h"

namespace velk::test {

// AppBundle double: this program "lives" wherever the test says; requests
// to end it are counted instead of ending anything.
class FakeAppBundle final : public platform::desktop::AppBundle {
public:
    FakeAppBundle(QString path, QString identifier, qint64 pid = 4242)
        : m_path(std::move(path))
        , m_identifier(std::move(identifier))
        , m_pid(pid)
    {
    }
    QString bundlePath() const override { return m_path; }
    QString bundleIdentifier() const override { return m_identifier; }
    qint64 processId() const override { return m_pid; }
    void requestTermination() override { ++m_terminationRequests; }

    int terminationRequests() const { return m_terminationRequests; }

private:
    QString m_path;
    QString m_identifier;
    qint64 m_pid;
    int m_terminationRequests = 0;
};

} // namespace velk::test
