#pragma once

#include "platform/tools/AdminRunner.h"

#include <QStringList>
#include <functional>
#include <mutex>

namespace velk::test {

// An AdminRunner double: records every command and answers with a chosen
// outcome (granted and succeeded by default). Safe to use from several
// threads.
class FakeAdminRunner : public platform::tools::AdminRunner {
public:
    explicit FakeAdminRunner(bool succeeds = true) : m_succeeds(succeeds) {}

    bool run(const QString& command) override
    {
        std::function<void(const QString&)> hook;
        {
            std::lock_guard lock(m_mutex);
            m_commands.append(command);
            hook = m_onRun;
        }
        if (hook)
            hook(command);
        std::lock_guard lock(m_mutex);
        return m_succeeds;
    }

    // Called with each command as the prompt would show, before answering.
    void setOnRun(std::function<void(const QString&)> hook)
    {
        std::lock_guard lock(m_mutex);
        m_onRun = std::move(hook);
    }

    void setSucceeds(bool succeeds)
    {
        std::lock_guard lock(m_mutex);
        m_succeeds = succeeds;
    }
    QStringList commands() const
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

private:
    mutable std::mutex m_mutex;
    bool m_succeeds;
    QStringList m_commands;
    std::function<void(const QString&)> m_onRun;
};

} // namespace velk::test
