#pragma once

#include "platform/tools/ToolRunner.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <functional>
#include <mutex>
#include <utility>

namespace velk::test {

// A ToolRunner double: answers from canned results and records every
// request. An answer for a tool with exactly the given arguments wins over
// one for the tool with any arguments; a responder wins over both. A tool
// without any answer is not launched. Safe to use from several threads.
class FakeToolRunner : public platform::tools::ToolRunner {
public:
    using Responder = std::function<platform::tools::ToolResult(const platform::tools::ToolRequest&)>;

    // The tool prints `output` and exits with `exitStatus`.
    static platform::tools::ToolResult exited(QByteArray output, int exitStatus = 0)
    {
        platform::tools::ToolResult r;
        r.launched = true;
        r.exitStatus = exitStatus;
        r.output = std::move(output);
        return r;
    }

    void setOutput(const QString& tool, QByteArray output, int exitStatus = 0)
    {
        setResult(tool, exited(std::move(output), exitStatus));
    }
    void setOutput(const QString& tool, const QStringList& arguments, QByteArray output, int exitStatus = 0)
    {
        setResult(tool, arguments, exited(std::move(output), exitStatus));
    }
    void setResult(const QString& tool, platform::tools::ToolResult result)
    {
        std::lock_guard lock(m_mutex);
        m_anyArguments.insert(tool, std::move(result));
    }
    void setResult(const QString& tool, const QStringList& arguments, platform::tools::ToolResult result)
    {
        std::lock_guard lock(m_mutex);
        m_exact.insert(key(tool, arguments), std::move(result));
    }
    void setResponder(const QString& tool, Responder responder)
    {
        std::lock_guard lock(m_mutex);
        m_responders.insert(tool, std::move(responder));
    }

    platform::tools::ToolResult run(const platform::tools::ToolRequest& request) override
    {
        Responder responder;
        {
            std::lock_guard lock(m_mutex);
            m_requests.append(request);
            responder = m_responders.value(request.tool);
            if (!responder) {
                const QString k = key(request.tool, request.arguments);
                if (m_exact.contains(k))
                    return m_exact.value(k);
                return m_anyArguments.value(request.tool);
            }
        }
        return responder(request);
    }

    // Detached launches of `tool` start (and are recorded) from now on; any
    // other tool is not present for a detached launch.
    void allowDetached(const QString& tool)
    {
        std::lock_guard lock(m_mutex);
        m_detachable.insert(tool);
    }

    bool launchDetached(const platform::tools::ToolRequest& request) override
    {
        std::lock_guard lock(m_mutex);
        m_detached.append(request);
        return m_detachable.contains(request.tool);
    }

    // Every detached launch asked for, started or not, in order.
    QList<platform::tools::ToolRequest> detachedLaunches() const
    {
        std::lock_guard lock(m_mutex);
        return m_detached;
    }

    QList<platform::tools::ToolRequest> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    // The requests made for `tool`, in order.
    QList<platform::tools::ToolRequest> requestsFor(const QString& tool) const
    {
        std::lock_guard lock(m_mutex);
        QList<platform::tools::ToolRequest> found;
        for (const auto& r : m_requests) {
            if (r.tool == tool)
                found.append(r);
        }
        return found;
    }
    void clearRequests()
    {
        std::lock_guard lock(m_mutex);
        m_requests.clear();
    }

private:
    static QString key(const QString& tool, const QStringList& arguments)
    {
        return tool + QChar(0) + arguments.join(QChar(0));
    }

    mutable std::mutex m_mutex;
    QHash<QString, platform::tools::ToolResult> m_exact;
    QHash<QString, platform::tools::ToolResult> m_anyArguments;
    QHash<QString, Responder> m_responders;
    QList<platform::tools::ToolRequest> m_requests;
    QSet<QString> m_detachable;
    QList<platform::tools::ToolRequest> m_detached;
};

} // namespace velk::test
