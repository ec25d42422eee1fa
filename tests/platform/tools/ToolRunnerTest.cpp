#include "platform/tools/DetachedLaunch.h"
#include "platform/tools/ToolRunnerLinux.h"
#include "support/ScopedEnv.h"
#include "support/TempTree.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace velk::platform::tools;
using velk::test::TempTree;
using namespace std::chrono_literals;

namespace {

ToolTable testTable()
{
    ToolTable table;
    table.add("/test/env", {"/usr/bin/env"});
    table.add("/test/sh", {"/no/such/sh", "/bin/sh"});
    table.add("/test/cat", {"/bin/cat"});
    return table;
}

ToolRequest shell(const QString& script, QStringList extra = {})
{
    ToolRequest r;
    r.tool = "/test/sh";
    r.arguments = QStringList{"-c", script, "sh"} + extra;
    return r;
}

QByteArray linkTarget(const char* link)
{
    char buffer[4096];
    const ssize_t n = ::readlink(link, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

// True when this process has no child left, running or unreaped.
bool noChildrenLeft()
{
    int status = 0;
    return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

bool processGone(pid_t pid)
{
    for (int i = 0; i < 200; ++i) {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (close > 0 && line.mid(close + 2, 1) == "Z")
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

TEST(ToolRunnerTest, ChildSeesExactlyTheCLocaleUnlessAskedToInherit)
{
    velk::test::ScopedEnv probe("VELK_TOOL_RUNNER_PROBE", "1");
    LinuxToolRunner runner(testTable());

    ToolRequest env;
    env.tool = "/test/env";
    const ToolResult clean = runner.run(env);
    EXPECT_TRUE(clean.launched);
    EXPECT_EQ(clean.exitStatus, 0);
    EXPECT_EQ(clean.output, QByteArray("LC_ALL=C\n"));

    env.environment = ToolRequest::Environment::Inherit;
    const ToolResult inherited = runner.run(env);
    EXPECT_TRUE(inherited.output.contains("VELK_TOOL_RUNNER_PROBE=1\n"));
}

TEST(ToolRunnerTest, StandardErrorIsKeptFromTheOutputForTheLogUnlessPassedOn)
{
    LinuxToolRunner runner(testTable());
    const ToolResult discarded = runner.run(shell("echo visible; echo hidden >&2; exit 3"));
    EXPECT_EQ(discarded.output, QByteArray("visible\n"));
    EXPECT_EQ(discarded.standardError, QByteArray("hidden\n"));

    // More than a pipe holds: the tool is never held up, the start is kept.
    const ToolResult flood = runner.run(shell("head -c 300000 /dev/zero | tr '\\0' e >&2; echo done"));
    EXPECT_EQ(flood.output, QByteArray("done\n"));
    EXPECT_EQ(flood.standardError, QByteArray(ToolRunner::kStandardErrorKeptBytes, 'e'));

    ToolRequest kept = shell("readlink /proc/self/fd/2");
    kept.discardStandardError = false;
    EXPECT_EQ(runner.run(kept).output.trimmed(), linkTarget("/proc/self/fd/2"));
}

TEST(ToolRunnerTest, StandardInputIsWrittenThenClosed)
{
    LinuxToolRunner runner(testTable());
    ToolRequest cat;
    cat.tool = "/test/cat";

    // No data: the child reads an empty, closed input instead of ours.
    const ToolResult empty = runner.run(cat);
    EXPECT_TRUE(empty.launched);
    EXPECT_TRUE(empty.output.isEmpty());

    // More than a pipe holds both ways: writing and reading must interleave.
    QByteArray big(3 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    cat.standardInput = big;
    const ToolResult echoed = runner.run(cat);
    EXPECT_FALSE(echoed.timedOut);
    EXPECT_EQ(echoed.output, big);

    // A child that never reads its input must not take this process down.
    ToolRequest refuses = shell("exec 0<&-; echo done; exit 3");
    refuses.standardInput = big;
    const ToolResult refused = runner.run(refuses);
    EXPECT_EQ(refused.output, QByteArray("done\n"));
    EXPECT_EQ(refused.exitStatus, 3);
}

// When the child is reaped behind our back (here: children are ignored, so
// the kernel reaps them) its exit status is unknown, never a success.
TEST(ToolRunnerTest, ExitStatusLostToAnotherReaperIsNotASuccess)
{
    LinuxToolRunner runner(testTable());
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGCHLD, &ignore, &previous), 0);
    const ToolResult r = runner.run(shell("echo out; exit 3"));
    ::sigaction(SIGCHLD, &previous, nullptr);
    EXPECT_TRUE(r.launched);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.output, QByteArray("out\n"));
    EXPECT_EQ(r.exitStatus, -1);
}

TEST(ToolRunnerTest, ArgumentsReachTheChildUnchanged)
{
    LinuxToolRunner runner(testTable());
    const ToolResult r = runner.run(shell("printf '%s|' \"$@\"", {"a b", "", "中文 ‘x’", "--"}));
    EXPECT_EQ(QString::fromUtf8(r.output), QString("a b||中文 ‘x’|--|"));
}

TEST(ToolRunnerTest, HungToolIsEndedAtTheLimitWithEmptyOutput)
{
    TempTree tree;
    const QString pidFile = tree.path("helper.pid");
    LinuxToolRunner runner(testTable(), 300ms);

    QElapsedTimer timer;
    timer.start();
    const ToolResult hung = runner.run(shell("echo partial; sleep 30"));
    EXPECT_TRUE(hung.launched);
    EXPECT_TRUE(hung.timedOut);
    EXPECT_TRUE(hung.output.isEmpty());
    EXPECT_LT(timer.elapsed(), 5000);

    // The child exits but a helper it started keeps the output open: the
    // limit still applies, and the helper is ended with it.
    timer.restart();
    const ToolResult helper = runner.run(shell("sleep 30 & echo $! > \"$1\"; echo out", {pidFile}));
    EXPECT_TRUE(helper.timedOut);
    EXPECT_TRUE(helper.output.isEmpty());
    EXPECT_LT(timer.elapsed(), 5000);
    QFile f(pidFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(processGone(static_cast<pid_t>(f.readAll().trimmed().toInt())));

    // Closing the output is not finishing: a child that lingers is ended too.
    const ToolResult lingering = runner.run(shell("exec >&-; sleep 30"));
    EXPECT_TRUE(lingering.timedOut);

    EXPECT_TRUE(noChildrenLeft());
}

TEST(ToolRunnerTest, RequestSetsItsOwnLimit)
{
    // A tool waiting on the user outlives the runner's limit when the request
    // lifts it.
    LinuxToolRunner strict(testTable(), 50ms);
    ToolRequest patient = shell("sleep 0.5; echo answered");
    patient.limit = ToolRequest::noLimit();
    const ToolResult answered = strict.run(patient);
    EXPECT_FALSE(answered.timedOut);
    EXPECT_EQ(answered.exitStatus, 0);
    EXPECT_EQ(answered.output, "answered\n");

    // A request may also be stricter than the runner.
    LinuxToolRunner lenient(testTable(), 30s);
    ToolRequest hasty = shell("sleep 30");
    hasty.limit = 50ms;
    EXPECT_TRUE(lenient.run(hasty).timedOut);
    EXPECT_TRUE(noChildrenLeft());
}

// A tool that prints without end must not take the program's memory with
// it: past the output limit it is ended and its run fails.
TEST(ToolRunnerTest, OutputPastTheLimitEndsTheToolAndFailsTheRun)
{
    LinuxToolRunner runner(testTable());
    const ToolResult endless = runner.run(shell("exec yes"));
    EXPECT_TRUE(endless.launched);
    EXPECT_TRUE(endless.outputTooLarge);
    EXPECT_FALSE(endless.timedOut);
    EXPECT_EQ(endless.exitStatus, -1) << "never a success";
    EXPECT_TRUE(endless.output.isEmpty());

    // Exactly the limit is still a whole answer; one byte more is not, even
    // from a tool that then exits cleanly.
    LinuxToolRunner small(testTable(), 30s, 100'000);
    const ToolResult full = small.run(shell("head -c 100000 /dev/zero"));
    EXPECT_FALSE(full.outputTooLarge);
    EXPECT_EQ(full.exitStatus, 0);
    EXPECT_EQ(full.output.size(), 100'000);
    const ToolResult over = small.run(shell("head -c 100001 /dev/zero; exit 0"));
    EXPECT_TRUE(over.outputTooLarge);
    EXPECT_EQ(over.exitStatus, -1);
    EXPECT_TRUE(over.output.isEmpty());
    EXPECT_TRUE(noChildrenLeft());
}

TEST(ToolRunnerTest, ToolsThatAreNotHereAreNotLaunched)
{
    LinuxToolRunner here;
    for (const char* tool : {"/usr/bin/top", "/bin/launchctl", "/usr/bin/mdls", "/usr/bin/hdiutil", "/usr/bin/env",
                             "/opt/none/tool", ""}) {
        SCOPED_TRACE(tool);
        ToolRequest request;
        request.tool = tool;
        const ToolResult r = here.run(request);
        EXPECT_FALSE(r.launched);
        EXPECT_TRUE(r.output.isEmpty());
    }

    TempTree tree;
    ToolTable table;
    table.add("/test/missing", {tree.path("nothing-here")});
    table.add("/test/not-executable", {tree.fileWithContent("plain.sh", "#!/bin/sh\necho hi\n")});
    LinuxToolRunner runner(table);
    for (const char* tool : {"/test/missing", "/test/not-executable"}) {
        ToolRequest request;
        request.tool = tool;
        EXPECT_FALSE(runner.run(request).launched) << tool;
    }
}

TEST(ToolRunnerTest, LinuxTableServesLsofAndShells)
{
    TempTree tree;
    const QString path = tree.fileWithContent("held open.txt", "x");
    QFile held(path);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));

    const auto runner = ToolRunner::createDefault();
    ToolRequest lsof;
    lsof.tool = "/usr/sbin/lsof";
    lsof.arguments = QStringList{"-nP", "+c", "0", "-F", "pcn", "--", path};
    const ToolResult r = runner->run(lsof);
    ASSERT_TRUE(r.launched);
    const QList<QByteArray> lines = r.output.split('\n');
    EXPECT_TRUE(lines.contains("p" + QByteArray::number(::getpid())));
    EXPECT_TRUE(lines.contains("n" + path.toUtf8()));

    ToolRequest bash;
    bash.tool = "/bin/bash";
    bash.arguments = QStringList{"-c", "echo $BASH_VERSION | cut -c1"};
    EXPECT_FALSE(runner->run(bash).output.trimmed().isEmpty());
}

TEST(ToolRunnerTest, InProcessToolWinsOverTheTableUntilRemoved)
{
    LinuxToolRunner runner(testTable());
    std::atomic<int> calls{0};
    registerInProcessTool("/test/env", [&calls](const ToolRequest& request) -> std::optional<ToolResult> {
        ++calls;
        if (request.arguments.isEmpty())
            return std::nullopt;  // left to the executable
        ToolResult r;
        r.launched = true;
        r.exitStatus = 0;
        r.output = request.arguments.join(',').toUtf8();
        return r;
    });

    ToolRequest request;
    request.tool = "/test/env";
    request.arguments = QStringList{"-axo", "pid="};
    EXPECT_EQ(runner.run(request).output, QByteArray("-axo,pid="));
    EXPECT_EQ(calls.load(), 1);

    // A request the handler does not answer runs the table's executable.
    request.arguments = QStringList{};
    EXPECT_EQ(runner.run(request).output, QByteArray("LC_ALL=C\n"));
    EXPECT_EQ(calls.load(), 2);

    registerInProcessTool("/test/env", {});
    EXPECT_EQ(runner.run(request).output, QByteArray("LC_ALL=C\n"));
    EXPECT_EQ(calls.load(), 2);
}

// Pipes of one run must never leak into a child started by another thread:
// a leaked write end held by a long-running child would keep the quick
// run's output open until the limit.
TEST(ToolRunnerTest, ConcurrentRunsKeepTheirOwnOutputAndFinishPromptly)
{
    LinuxToolRunner runner(testTable(), 1000ms);
    std::atomic<int> wrong{0};
    std::atomic<int> timedOut{0};
    std::atomic<int> slowEnded{0};

    std::vector<std::thread> threads;
    for (int s = 0; s < 2; ++s) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2; ++i) {
                if (runner.run(shell("sleep 30")).timedOut)
                    ++slowEnded;
            }
        });
    }
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                const QString tag = QString("%1-%2").arg(t).arg(i);
                ToolRequest cat;
                cat.tool = "/test/cat";
                cat.standardInput = tag.toUtf8();
                const ToolResult r = runner.run(cat);
                if (r.timedOut)
                    ++timedOut;
                else if (r.output != tag.toUtf8() || r.exitStatus != 0)
                    ++wrong;
            }
        });
    }
    for (auto& th : threads)
        th.join();

    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(timedOut.load(), 0);
    EXPECT_EQ(slowEnded.load(), 4);
    EXPECT_TRUE(noChildrenLeft());
}

namespace {

// Waits until `path` holds text, for a child that writes it on its own time.
QByteArray awaitFileText(const QString& path)
{
    for (int i = 0; i < 1000; ++i) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray text = f.readAll();
            if (text.endsWith('\n'))
                return text.trimmed();
        }
        std::this_thread::sleep_for(10ms);
    }
    return {};
}

} // namespace

TEST(ToolRunnerTest, DetachedLaunchReturnsWhileTheToolRunsInASessionOfItsOwn)
{
    TempTree tree;
    const QString report = tree.path("report");
    LinuxToolRunner runner(testTable());
    ToolRequest request = shell(
        "set -- $(cut -d' ' -f6 /proc/$$/stat) $(readlink /proc/$$/fd/0) $(readlink /proc/$$/fd/1) $(readlink /proc/$$/fd/2); "
        "echo \"$$ $* $LC_ALL\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"; exec sleep 60",
        {});
    request.arguments[2] = report;
    ASSERT_TRUE(runner.launchDetached(request));

    const QList<QByteArray> fields = awaitFileText(report).split(' ');
    ASSERT_EQ(fields.size(), 6) << fields.join(' ').constData();
    const pid_t pid = fields[0].toInt();
    EXPECT_EQ(::kill(pid, 0), 0) << "still running after the launch returned";
    EXPECT_EQ(fields[1].toInt(), pid) << "leads a session of its own";
    EXPECT_NE(::getsid(0), pid);
    EXPECT_EQ(fields[2], "/dev/null");
    EXPECT_EQ(fields[3], "/dev/null");
    EXPECT_EQ(fields[4], "/dev/null");
    EXPECT_EQ(fields[5], "C") << "the environment follows the request";
    ::kill(pid, SIGKILL);
    bool reaped = false;
    for (int i = 0; i < 1000 && !reaped; ++i) {
        reaped = !QFile::exists(QString("/proc/%1").arg(pid));
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(reaped) << "its exit is collected, it does not stay a zombie";

    ToolRequest absent = request;
    absent.tool = "/test/absent";
    EXPECT_FALSE(runner.launchDetached(absent));
}

// An opener typically hands the work to a helper and exits; the helper, which
// keeps the launch's output open, must neither hold the launch nor be ended
// with it.
TEST(ToolRunnerTest, DetachedLaunchLeavesTheToolsHelpersRunning)
{
    TempTree tree;
    const QString report = tree.path("helper");
    LinuxToolRunner runner(testTable(), 100ms);
    ASSERT_TRUE(runner.launchDetached(
        shell("sleep 60 & echo $$ $! > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"; echo x; exit 0", {report})));
    const QList<QByteArray> pids = awaitFileText(report).split(' ');
    ASSERT_EQ(pids.size(), 2);
    const pid_t tool = pids[0].toInt();
    const pid_t helper = pids[1].toInt();
    ASSERT_GT(helper, 0);
    EXPECT_TRUE(processGone(tool));
    EXPECT_EQ(::kill(helper, 0), 0) << "the helper outlives the tool";
    ::kill(helper, SIGKILL);
}

// Openers (the workspace's launches) use the same detached spawn, with this
// process's environment.
TEST(ToolRunnerTest, PlainDetachedLaunchKeepsTheEnvironmentAndDetachesAlike)
{
    velk::test::ScopedEnv probe("VELK_TOOL_RUNNER_PROBE", "opener");
    TempTree tree;
    const QString report = tree.path("report");
    ASSERT_TRUE(launchDetached("/bin/sh", {"-c",
                                           "set -- \"$0\" $(cut -d' ' -f6 /proc/$$/stat) $(readlink /proc/$$/fd/0); "
                                           "echo \"$$ $2 $3 $VELK_TOOL_RUNNER_PROBE\" > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"",
                                           report}));
    const QList<QByteArray> fields = awaitFileText(report).split(' ');
    ASSERT_EQ(fields.size(), 4) << fields.join(' ').constData();
    EXPECT_EQ(fields[1], fields[0]) << "leads a session of its own";
    EXPECT_EQ(fields[2], "/dev/null");
    EXPECT_EQ(fields[3], "opener");
}
