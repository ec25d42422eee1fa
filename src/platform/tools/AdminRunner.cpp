#include "platform/tools/AdminRunner.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"

namespace velk::platform::tools {
namespace {

// pkexec asks the session's authentication agent, then runs the shell as
// root with the command as its single script argument. Its own failures
// (dismissed: 126, not authorized or no agent: 127) and the command's
// non-zero exits are all failures alike. Its text agent is turned off: it
// would wait on a terminal the user of a window never sees (and the child
// runs outside the terminal's foreground group, so it would only stop).
class PkexecAdminRunner final : public AdminRunner {
public:
    bool run(const QString& command) override
    {
        ToolRequest request;
        request.tool = QStringLiteral("/usr/bin/pkexec");
        request.arguments = {QStringLiteral("--disable-internal-agent"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                             command};
        // The prompt needs the session's environment to find its agent.
        request.environment = ToolRequest::Environment::Inherit;
        request.limit = ToolRequest::noLimit();
        const ToolResult result = core::service<ToolRunner>()->run(request);
        const bool succeeded = result.launched && !result.timedOut && result.exitStatus == 0;
        if (!succeeded)
            qCWarning(toolsLog).noquote() << "administrator command failed:" << describeOutcome(request, result);
        return succeeded;
    }
};

} // namespace

std::shared_ptr<AdminRunner> AdminRunner::createDefault()
{
    return std::make_shared<PkexecAdminRunner>();
}

QString administratorScriptSource(const QString& command)
{
    QString escaped = command;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'"', QStringLiteral("\\\""));
    return QStringLiteral("do shell script \"") + escaped + QStringLiteral("\" with administrator privileges");
}

} // namespace velk::platform::tools
