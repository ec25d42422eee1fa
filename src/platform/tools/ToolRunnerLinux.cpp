#include "platform/tools/ToolRunnerLinux.h"

#include "platform/tools/DetachedLaunch.h"
#include "platform/core/UniqueFd.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <pthread.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace velk::platform::tools {

// Information messages (non-zero exits, tools not present here) are off
// unless asked for; they come with every run of some tools.
Q_LOGGING_CATEGORY(toolsLog, "velk.platform.tools", QtWarningMsg)

namespace {

using Clock = std::chrono::steady_clock;

// Both ends are close-on-exec, so a child spawned by another thread at the
// same time never inherits them (it would hold our pipe open past EOF).
bool makePipe(core::UniqueFd& readEnd, core::UniqueFd& writeEnd)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    readEnd.reset(fds[0]);
    writeEnd.reset(fds[1]);
    return true;
}

// posix_spawn's C structures, released on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// Keeps SIGPIPE from ending the program while this thread writes to a child
// that has stopped reading; a SIGPIPE raised meanwhile is consumed.
class SigpipeBlock {
public:
    SigpipeBlock()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_set, &m_previous);
    }
    ~SigpipeBlock()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
            const timespec zero{0, 0};
            sigtimedwait(&m_set, nullptr, &zero);
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    SigpipeBlock(const SigpipeBlock&) = delete;
    SigpipeBlock& operator=(const SigpipeBlock&) = delete;

private:
    sigset_t m_set;
    sigset_t m_previous;
    bool m_wasPending = false;
};

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return 0;
    return left > 60'000 ? 60'000 : static_cast<int>(left);
}

// The moment a run that starts now with `limit` ends; a limit too long to
// add to the clock never ends it.
Clock::time_point deadlineFor(std::chrono::milliseconds limit)
{
    const Clock::time_point now = Clock::now();
    if (limit >= std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - now))
        return Clock::time_point::max();
    return now + limit;
}

enum class Reaped { Exited, Unknown, StillRunning };

// Waits for `pid` until `deadline`. `Exited` comes with the wait status;
// `Unknown` when the child was reaped elsewhere (its status is lost).
Reaped reapBy(pid_t pid, Clock::time_point deadline, int& status)
{
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return Reaped::Exited;
        if (done < 0 && errno != EINTR)
            return Reaped::Unknown;  // not our child any more: nothing left to reap
        if (Clock::now() >= deadline)
            return Reaped::StillRunning;
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(10))
            pause *= 2;
    }
}

// Ends the child's whole process group (helpers it started included) and
// reaps it; one stuck in the kernel is left to a reaper thread.
void killAndReap(pid_t pid)
{
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    int status = 0;
    if (reapBy(pid, Clock::now() + std::chrono::milliseconds(200), status) == Reaped::StillRunning) {
        std::thread([pid] {
            int s = 0;
            while (::waitpid(pid, &s, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
}

// Writes what the pipe takes now; false when the input is finished with
// (all written, or the child closed its end).
bool feed(int fd, const QByteArray& data, qsizetype& written)
{
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, static_cast<size_t>(data.size() - written));
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        return false;
    }
    return false;
}

enum class Drained { More, End, TooLarge };

// Reads what is there now, keeping `output` within `limit` bytes.
Drained drain(int fd, QByteArray& output, qsizetype limit)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            if (n > limit - output.size())
                return Drained::TooLarge;
            output.append(buffer, n);
            if (static_cast<size_t>(n) < sizeof buffer)
                return Drained::More;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? Drained::More : Drained::End;
    }
}

// Keeps the start of what the pipe holds now in `kept` (up to the runner's
// limit) and drops the rest; false once the pipe is finished with.
bool keepStart(int fd, QByteArray& kept)
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            kept.append(buffer, std::min<qsizetype>(n, ToolRunner::kStandardErrorKeptBytes - kept.size()));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// The executable's path and the argument vector of a launch, in the native
// bytes of each path and argument.
struct Arguments {
    QByteArray path;
    std::vector<QByteArray> bytes;
    std::vector<char*> argv;

    Arguments(const QString& executable, const QStringList& arguments)
        : path(QFile::encodeName(executable))
    {
        bytes.push_back(path);
        for (const QString& argument : arguments)
            bytes.push_back(QFile::encodeName(argument));
        for (QByteArray& a : bytes)
            argv.push_back(a.data());
        argv.push_back(nullptr);
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
};

// Starts a program that this process never waits for: in a session of its
// own, with standard input, output and error on the null device, so that
// neither it nor anything it starts holds a pipe or terminal of ours.
bool spawnDetached(const QString& executable, const QStringList& argumentList, bool inheritEnvironment)
{
    const Arguments arguments(executable, argumentList);
    char cLocale[] = "LC_ALL=C";
    char* cLocaleEnvironment[] = {cLocale, nullptr};
    char** envp = inheritEnvironment ? environ : cLocaleEnvironment;

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    sigset_t noSignals, allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &allSignals);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    if (const int error = ::posix_spawn(&pid, arguments.path.constData(), &setup.actions, &setup.attributes,
                                        arguments.argv.data(), envp)) {
        qCWarning(toolsLog).noquote() << "could not start" << executable << "-" << std::generic_category().message(error).c_str();
        return false;
    }
    // The child may outlive this program; until then its exit is collected
    // here so that it never lingers as a zombie.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace

bool ToolRunner::launchDetached(const ToolRequest&)
{
    return false;
}

QString describeOutcome(const ToolRequest& request, const ToolResult& result)
{
    QString text = (QStringList{request.tool} + request.arguments).join(u' ');
    if (!result.launched)
        return text + QStringLiteral(": not present or could not be started");
    if (result.timedOut)
        return text + QStringLiteral(": ended by the time limit");
    if (result.outputTooLarge)
        return text + QStringLiteral(": ended for printing more than %1 bytes").arg(ToolRunner::kOutputLimitBytes);
    text += result.exitStatus >= 0 ? QStringLiteral(": exited with status %1").arg(result.exitStatus)
                                   : QStringLiteral(": ended without an exit status");
    const QString standardError = QString::fromUtf8(result.standardError).trimmed();
    if (!standardError.isEmpty())
        text += QStringLiteral("; standard error: ") + standardError;
    return text;
}

std::shared_ptr<ToolRunner> ToolRunner::createDefault()
{
    return std::make_shared<LinuxToolRunner>();
}

LinuxToolRunner::LinuxToolRunner(ToolTable table, std::chrono::milliseconds safetyLimit, qsizetype outputLimit)
    : m_table(std::move(table))
    , m_safetyLimit(safetyLimit)
    , m_outputLimit(outputLimit)
{
}

ToolResult LinuxToolRunner::run(const ToolRequest& request)
{
    if (const InProcessTool handler = inProcessToolFor(request.tool)) {
        if (std::optional<ToolResult> answer = handler(request))
            return std::move(*answer);
    }
    const QString executable = m_table.executableFor(request.tool);
    if (executable.isEmpty()) {
        qCInfo(toolsLog).noquote() << request.tool << "is not present";
        return {};
    }
    ToolResult result = spawn(executable, request);
    if (result.launched && (result.timedOut || result.outputTooLarge))
        qCWarning(toolsLog).noquote() << describeOutcome(request, result);
    else if (result.launched && result.exitStatus != 0)
        qCInfo(toolsLog).noquote() << describeOutcome(request, result);
    return result;
}

bool LinuxToolRunner::launchDetached(const ToolRequest& request)
{
    const QString executable = m_table.executableFor(request.tool);
    if (executable.isEmpty())
        return false;
    return spawnDetached(executable, request.arguments, request.environment == ToolRequest::Environment::Inherit);
}

bool launchDetached(const QString& executable, const QStringList& arguments)
{
    return !executable.isEmpty() && spawnDetached(executable, arguments, true);
}

ToolResult LinuxToolRunner::spawn(const QString& executable, const ToolRequest& request) const
{
    Arguments arguments(executable, request.arguments);
    const QByteArray& path = arguments.path;
    std::vector<char*>& argv = arguments.argv;

    char cLocale[] = "LC_ALL=C";
    char* cLocaleEnvironment[] = {cLocale, nullptr};
    char** envp = request.environment == ToolRequest::Environment::Inherit ? environ : cLocaleEnvironment;

    core::UniqueFd outRead, outWrite, inRead, inWrite, errRead, errWrite;
    const bool hasInput = !request.standardInput.isEmpty();
    if (!makePipe(outRead, outWrite) || (hasInput && !makePipe(inRead, inWrite))
        || (request.discardStandardError && !makePipe(errRead, errWrite))) {
        qCWarning(toolsLog).noquote() << "no pipe for" << request.tool << "-" << std::generic_category().message(errno).c_str();
        return {};
    }

    SpawnSetup setup;
    if (hasInput)
        posix_spawn_file_actions_adddup2(&setup.actions, inRead.get(), STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, outWrite.get(), STDOUT_FILENO);
    if (request.discardStandardError)
        posix_spawn_file_actions_adddup2(&setup.actions, errWrite.get(), STDERR_FILENO);

    // The child starts with no blocked signals, default dispositions, and in a
    // process group of its own so that the safety limit can end all of it.
    sigset_t noSignals, allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &allSignals);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = 0;
    if (const int error = ::posix_spawn(&pid, path.constData(), &setup.actions, &setup.attributes, argv.data(), envp)) {
        qCWarning(toolsLog).noquote() << "could not start" << executable << "for" << request.tool << "-"
                                      << std::generic_category().message(error).c_str();
        return {};
    }
    const Clock::time_point deadline = deadlineFor(request.limit.value_or(m_safetyLimit));
    outWrite.close();
    inRead.close();
    errWrite.close();

    ToolResult result;
    result.launched = true;

    QByteArray output;
    bool finished = false;
    bool tooLarge = false;
    {
        std::optional<SigpipeBlock> sigpipeBlock;
        qsizetype written = 0;
        if (hasInput) {
            sigpipeBlock.emplace();
            ::fcntl(inWrite.get(), F_SETFL, ::fcntl(inWrite.get(), F_GETFL) | O_NONBLOCK);
        }
        ::fcntl(outRead.get(), F_SETFL, ::fcntl(outRead.get(), F_GETFL) | O_NONBLOCK);
        if (errRead.isOpen())
            ::fcntl(errRead.get(), F_SETFL, ::fcntl(errRead.get(), F_GETFL) | O_NONBLOCK);
        while (outRead.isOpen()) {
            pollfd fds[3] = {{outRead.get(), POLLIN, 0}};
            nfds_t count = 1;
            const nfds_t errAt = errRead.isOpen() ? count++ : 0;
            if (errAt)
                fds[errAt] = {errRead.get(), POLLIN, 0};
            const nfds_t inAt = inWrite.isOpen() ? count++ : 0;
            if (inAt)
                fds[inAt] = {inWrite.get(), POLLOUT, 0};
            const int timeout = millisecondsUntil(deadline);
            if (timeout == 0)
                break;
            const int ready = ::poll(fds, count, timeout);
            if (ready < 0 && errno != EINTR)
                break;
            if (ready <= 0)
                continue;
            if (inAt && fds[inAt].revents != 0 && !feed(inWrite.get(), request.standardInput, written))
                inWrite.close();
            if (errAt && fds[errAt].revents != 0 && !keepStart(errRead.get(), result.standardError))
                errRead.close();
            if (fds[0].revents != 0) {
                const Drained drained = drain(outRead.get(), output, m_outputLimit);
                tooLarge = drained == Drained::TooLarge;
                if (tooLarge)
                    break;
                if (drained == Drained::End)
                    outRead.close();
            }
        }
        inWrite.close();
        // What standard error holds by now; it is not waited for, as a
        // helper the tool started may keep it open.
        if (errRead.isOpen())
            keepStart(errRead.get(), result.standardError);
        errRead.close();
        finished = !outRead.isOpen();
    }

    if (tooLarge) {
        killAndReap(pid);
        result.outputTooLarge = true;
        return result;
    }
    int status = 0;
    const Reaped reaped = finished ? reapBy(pid, deadline, status) : Reaped::StillRunning;
    if (reaped == Reaped::StillRunning) {
        killAndReap(pid);
        result.timedOut = true;
        return result;
    }
    if (reaped == Reaped::Exited && WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    result.output = std::move(output);
    return result;
}

} // namespace velk::platform::tools
