// The readers against this machine's own kernel and tools.

#include "engine/monitor/CPUService.h"
#include "engine/monitor/MemoryService.h"
#include "engine/monitor/ProcessService.h"
#include "platform/processes/ProcessProbe.h"
#include "platform/core/ServiceRegistry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <arpa/inet.h>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

using velk::monitor::ProcessService;

namespace {

TEST(LiveReaders, FindsThisProcessWithItsFiguresAndCpu)
{
    const int self = static_cast<int>(::getpid());
    const auto first = ProcessService::processes();
    const auto mine = std::find_if(first.begin(), first.end(), [&](const velk::monitor::ProcInfo& p) { return p.pid == self; });
    ASSERT_NE(mine, first.end());
    EXPECT_EQ(mine->ppid, static_cast<int>(::getppid()));
    EXPECT_GT(mine->rssBytes, 0u);
    EXPECT_TRUE(mine->memoryBytes && *mine->memoryBytes > 0);
    EXPECT_TRUE(mine->threads && *mine->threads >= 1);
    EXPECT_TRUE(mine->started && mine->cpuTime);
    EXPECT_FALSE(mine->cpuAvailable);

    // Burn a little CPU so the second sample has something to show.
    ProcessService::PreviousRows previous;
    for (const auto& p : first)
        previous.insert(p.pid, p);
    const auto threadCpu = [] {
        timespec ts {};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
    };
    const double start = threadCpu();
    volatile double sink = 0;
    while (threadCpu() - start < 0.1)
        sink = sink + 1.0;
    const auto second = ProcessService::processes(previous);
    const auto again = std::find_if(second.begin(), second.end(), [&](const velk::monitor::ProcInfo& p) { return p.pid == self; });
    ASSERT_NE(again, second.end());
    EXPECT_TRUE(again->cpuAvailable);
    EXPECT_GT(again->cpu, 0.0);
    EXPECT_LT(again->cpu, 100.0 * ::sysconf(_SC_NPROCESSORS_ONLN) + 1);
}

// The process-list tool and one figure reading per process, as on a machine
// whose probe has no list of its own.
class ListToolProbe final : public velk::platform::processes::ProcessProbe {
public:
    velk::platform::processes::ProcessUsage usage(int pid) const override { return m_real->usage(pid); }
    velk::platform::processes::Timebase timebase() const override { return m_real->timebase(); }
    int ownPid() const override { return m_real->ownPid(); }
    std::shared_ptr<velk::platform::processes::ProcessHold> hold(int) override { return nullptr; }

private:
    std::shared_ptr<velk::platform::processes::ProcessProbe> m_real = velk::platform::processes::ProcessProbe::createDefault();
};

TEST(LiveReaders, OnePassRowsEqualTheListToolsRows)
{
    // Idle children of this test stand still between the two readings.
    std::vector<pid_t> children;
    for (int i = 0; i < 3; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (;;)
                ::pause();
        }
        children.push_back(child);
    }
    // Each waits in pause() before the readings start (a child still busy
    // after fork changes its memory figures between the two readings).
    for (const pid_t child : children) {
        const std::string statPath = "/proc/" + std::to_string(child) + "/stat";
        for (int attempt = 0; attempt < 500; ++attempt) {
            std::ifstream stat(statPath);
            std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
            const auto close = text.rfind(')');
            if (close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'S')
                break;
            ::usleep(10'000);
        }
    }
    const auto onePass = ProcessService::processes();
    std::vector<velk::monitor::ProcInfo> viaTool;
    {
        velk::platform::core::ScopedService<velk::platform::processes::ProcessProbe> probe{std::make_shared<ListToolProbe>()};
        viaTool = ProcessService::processes();
    }
    for (const pid_t child : children)
        ::kill(child, SIGKILL);
    for (const pid_t child : children)
        ::waitpid(child, nullptr, 0);

    const auto rowOf = [](const std::vector<velk::monitor::ProcInfo>& rows, int pid) {
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const velk::monitor::ProcInfo& p) { return p.pid == pid; });
        return it == rows.end() ? std::optional<velk::monitor::ProcInfo>() : std::optional<velk::monitor::ProcInfo>(*it);
    };
    for (const pid_t child : children) {
        const auto a = rowOf(onePass, child);
        auto b = rowOf(viaTool, child);
        ASSERT_TRUE(a && b) << child;
        b->sampledAt = a->sampledAt;
        EXPECT_EQ(*a, *b) << child;
        EXPECT_FALSE(a->path.isEmpty());
        EXPECT_TRUE(a->memoryBytes && a->threads && a->started && a->cpuTime);
    }
    // The same processes in the same order.
    ASSERT_FALSE(onePass.empty());
    EXPECT_EQ(onePass.front().pid, viaTool.front().pid);
}

TEST(LiveReaders, FindsAListeningSocketOfThisProcess)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const int port = ntohs(address.sin_port);

    const auto sockets = ProcessService::sockets();
    ::close(fd);
    const auto found = std::find_if(sockets.begin(), sockets.end(), [&](const velk::monitor::SocketEntry& s) {
        return s.pid == static_cast<int>(::getpid()) && s.local.port == port;
    });
    ASSERT_NE(found, sockets.end());
    EXPECT_EQ(found->proto, "TCP");
    EXPECT_EQ(found->local.host, "127.0.0.1");
    EXPECT_EQ(found->fd, QString::number(fd));
    EXPECT_TRUE(found->isListening());
    EXPECT_TRUE(found->local.isLoopback());
}

TEST(LiveReaders, HostFiguresAreConsistent)
{
    const auto ticks = velk::monitor::CPUService::ticks();
    EXPECT_GT(ticks.total(), 0u);
    EXPECT_EQ(velk::monitor::CPUService::perCoreTicks().size(), static_cast<std::size_t>(velk::monitor::CPUService::coreCount()));
    const auto memory = velk::monitor::MemoryService::currentStats();
    EXPECT_GT(memory.total, 0u);
    EXPECT_GT(memory.used, 0u);
    EXPECT_LE(memory.used + memory.free, memory.total);
    EXPECT_GT(velk::monitor::CPUService::uptime(), 0.0);
}

} // namespace
