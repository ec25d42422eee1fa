#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace velk::platform::tools {

// One launch of a system tool, named by the path the engines use
// ("/bin/ps", "/usr/sbin/lsof", "/bin/launchctl", ...). The tool table of
// the backend decides what serves that path on this machine.
struct ToolRequest {
    QString tool;
    QStringList arguments;
    // By default the child sees exactly LC_ALL=C; some tools inherit ours.
    enum class Environment { CLocaleOnly, Inherit } environment = Environment::CLocaleOnly;
    // By default standard error is kept from view: it is not shown, only
    // its start is kept in the result for the log. False: the tool writes
    // to this program's standard error.
    bool discardStandardError = true;
    // Data written to the child's standard input, then closed.
    QByteArray standardInput;
    // How long the tool may run before it is ended (counting as empty
    // output). Unset: the runner's safety limit. noLimit(): as long as it
    // takes, for a tool that waits on the user (an authorization prompt).
    std::optional<std::chrono::milliseconds> limit;

    static constexpr std::chrono::milliseconds noLimit() { return std::chrono::milliseconds::max(); }
};

struct ToolResult {
    bool launched = false;   // false: the tool is not present or could not start
    int exitStatus = -1;     // valid when launched and it exited normally
    bool timedOut = false;   // ended by the safety limit; output is then empty
    bool outputTooLarge = false;  // ended for printing more than the output limit; output is then empty
    QByteArray output;       // standard output read to the end
    // The start of standard error when it is kept from view (at most
    // kStandardErrorKeptBytes), for the log.
    QByteArray standardError;
};

// Why a run did not end well, for the log: the tool's path and arguments,
// then that it is not present, could not be started, was ended by the
// safety or output limit, or its exit status and standard error.
QString describeOutcome(const ToolRequest& request, const ToolResult& result);

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    virtual ToolResult run(const ToolRequest& request) = 0;

    // Starts the tool and returns at once, never waiting for it or anything
    // it starts: it runs in a session of its own with standard input, output
    // and error on /dev/null, and its exit is collected in the background.
    // True when it started. `standardInput`, `discardStandardError` and
    // `limit` do not apply. A runner that cannot detach starts nothing.
    virtual bool launchDetached(const ToolRequest& request);

    // Seconds after which a hung tool is ended and counts as empty output.
    static constexpr int kSafetyLimitSeconds = 30;
    // Bytes of standard output a tool may print; one that prints more is
    // ended and counts as empty output, like a hung one.
    static constexpr qsizetype kOutputLimitBytes = 64 * 1024 * 1024;
    // Bytes of standard error kept for the log; the rest is read and dropped.
    static constexpr qsizetype kStandardErrorKeptBytes = 4096;

    static std::shared_ptr<ToolRunner> createDefault();
};

// The launched tools' messages ("velk.platform.tools").
Q_DECLARE_LOGGING_CATEGORY(toolsLog)

// The default runner logs, as warnings of "velk.platform.tools", a tool that
// cannot be started or is ended by a limit; non-zero exits (normal for many
// tools) are information messages, shown with
// QT_LOGGING_RULES="velk.platform.tools.info=true". A caller that takes a
// non-zero exit as a failure logs describeOutcome() itself.

// A tool answered inside this process instead of by a child (e.g. "/bin/ps"
// from /proc). Registered in the Linux tool table by the layer that owns it;
// a registered handler wins over the table for the requests it answers, and
// gives nothing for the others, which the table's executable then runs. An
// empty handler removes the registration. Handlers may be called from
// several threads at once.
using InProcessTool = std::function<std::optional<ToolResult>(const ToolRequest&)>;
void registerInProcessTool(const QString& tool, InProcessTool handler);

} // namespace velk::platform::tools
