#include "platform/processes/ProcessProbe.h"

#include "support/SystemFixtures.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using velk::platform::processes::HoldMethod;
using velk::platform::processes::ProcessProbe;
using velk::platform::processes::SignalOutcome;
using Status = SignalOutcome::Status;

// Both ways a hold keeps its process: every behaviour holds for each.
const HoldMethod kMethods[] = {HoldMethod::Pidfd, HoldMethod::StartTimeCheck};

const char* nameOf(HoldMethod method)
{
    return method == HoldMethod::Pidfd ? "pidfd" : "start-time check";
}

std::shared_ptr<ProcessProbe> probeFor(HoldMethod method)
{
    return ProcessProbe::fromProc(QStringLiteral("/proc"), method);
}

// A child that waits to be signalled.
pid_t sleeper()
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (;;)
            ::pause();
    }
    return pid;
}

// True while `pid`, a child of this process, has not ended.
bool stillRunning(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

void endChild(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// Waits until the kernel's clock of process start times has moved on by
// two of its ticks, so that a process forked next starts at another time.
void letStartTimesMoveOn()
{
    timespec start {};
    ::clock_gettime(CLOCK_BOOTTIME, &start);
    const double tick = 1.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    for (;;) {
        timespec now {};
        ::clock_gettime(CLOCK_BOOTTIME, &now);
        if (static_cast<double>(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9 > 2 * tick)
            return;
        ::sched_yield();
    }
}

TEST(ProcessHold, EndsExactlyTheHeldProcessAndThenFindsItGone)
{
    for (const HoldMethod method : kMethods) {
        SCOPED_TRACE(nameOf(method));
        const auto probe = probeFor(method);
        const pid_t chosen = sleeper();
        const pid_t bystander = sleeper();
        ASSERT_GT(chosen, 0);
        const auto hold = probe->hold(chosen);
        ASSERT_TRUE(hold);
        EXPECT_EQ(hold->pid(), chosen);
        EXPECT_EQ(hold->command(), QFileInfo("/proc/self/exe").symLinkTarget());

        EXPECT_EQ(hold->signal(SIGTERM), (SignalOutcome{Status::Sent, 0}));
        int status = 0;
        ASSERT_EQ(::waitpid(chosen, &status, 0), chosen);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        EXPECT_TRUE(stillRunning(bystander));

        EXPECT_EQ(hold->signal(SIGTERM).status, Status::Ended);
        EXPECT_FALSE(probe->hold(chosen));
        endChild(bystander);
    }
    // Pid 0 and negative pids would reach process groups: never held.
    EXPECT_FALSE(probeFor(HoldMethod::Pidfd)->hold(0));
    EXPECT_FALSE(probeFor(HoldMethod::Pidfd)->hold(-1));
}

// In a pid namespace of its own, where nothing else takes pids, a process
// is held, ends, and a newcomer is given its pid before the signal.
TEST(ProcessHold, NeverSignalsANewcomerGivenTheHeldPid)
{
    for (const HoldMethod method : kMethods) {
        SCOPED_TRACE(nameOf(method));
        // 0: newcomer untouched; 1: it was signalled; 2: the outcome was not
        // "ended"; 3: the pid could not be handed on; 4: no /proc of its own.
        const int answer = velk::test::runInChild(
            [] {
                return ::unshare(CLONE_NEWPID | CLONE_NEWNS) == 0
                    && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
            },
            [method] {
                // The first child is pid 1 of the new namespace; it sees the
                // namespace's own processes once /proc is mounted afresh.
                const pid_t init = ::fork();
                if (init == 0) {
                    if (::mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0)
                        ::_exit(4);
                    const auto probe = probeFor(method);
                    const pid_t held = sleeper();
                    const auto hold = probe->hold(held);
                    if (!hold)
                        ::_exit(3);
                    endChild(held);
                    letStartTimesMoveOn();
                    const int last = ::open("/proc/sys/kernel/ns_last_pid", O_WRONLY | O_CLOEXEC);
                    const std::string previous = std::to_string(held - 1);
                    if (last < 0 || ::write(last, previous.data(), previous.size()) < 0)
                        ::_exit(3);
                    ::close(last);
                    const pid_t newcomer = sleeper();
                    if (newcomer != held) {
                        endChild(newcomer);
                        ::_exit(3);
                    }
                    const SignalOutcome outcome = hold->signal(SIGTERM);
                    const bool untouched = stillRunning(newcomer);
                    endChild(newcomer);
                    ::_exit(!untouched ? 1 : outcome.status != Status::Ended ? 2 : 0);
                }
                int status = 0;
                if (init < 0 || ::waitpid(init, &status, 0) != init || !WIFEXITED(status))
                    return 3;
                return WEXITSTATUS(status);
            });
        if (answer == -1 || answer == 4)
            GTEST_SKIP() << "no pid namespace of its own here (needs root, as in CI)";
        ASSERT_NE(answer, 3) << "the newcomer was not given the held pid";
        EXPECT_EQ(answer, 0) << (answer == 1 ? "the newcomer was signalled" : "the signal did not find the process gone");
    }
}

TEST(ProcessHold, ASignalTheSystemRefusesSaysWhy)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's process needs a run as root";
    for (const HoldMethod method : kMethods) {
        SCOPED_TRACE(nameOf(method));
        const pid_t rootOwned = sleeper();
        const int answer = velk::test::runUnprivileged([method, rootOwned] {
            const auto hold = probeFor(method)->hold(rootOwned);
            if (!hold)
                return 1;
            const SignalOutcome outcome = hold->signal(SIGTERM);
            return outcome.status == Status::Refused && outcome.error == EPERM ? 0 : 2;
        });
        EXPECT_EQ(answer, 0);
        EXPECT_TRUE(stillRunning(rootOwned));
        endChild(rootOwned);
    }
}

} // namespace
