#pragma once

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace velk::bench {

// Idle child processes that stand in for a busier machine during one run.
// Each child closes every descriptor it inherited and waits for a signal;
// it also dies with this program. The destructor ends exactly these
// children (by pid) and reaps each of them.
//
// Start them before any thread is created: fork() copies only the calling
// thread.
class IdleChildren {
public:
    explicit IdleChildren(int count)
    {
        const pid_t parent = ::getpid();
        m_pids.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid < 0) {
                std::fprintf(stderr, "could only start %d of %d idle processes: %s\n", i, count, std::strerror(errno));
                break;
            }
            if (pid == 0)
                idle(parent);
            m_pids.push_back(pid);
        }
    }

    ~IdleChildren()
    {
        for (const pid_t pid : m_pids)
            ::kill(pid, SIGKILL);
        for (const pid_t pid : m_pids) {
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }

    IdleChildren(const IdleChildren&) = delete;
    IdleChildren& operator=(const IdleChildren&) = delete;

    std::size_t size() const { return m_pids.size(); }

    // Reads "--spawn N" at argv[i] (advancing i); false when argv[i] is not it.
    static bool parseOption(int argc, char** argv, int& i, int& count)
    {
        if (std::strcmp(argv[i], "--spawn") != 0 || i + 1 >= argc)
            return false;
        count = std::max(0, std::atoi(argv[++i]));
        return true;
    }

private:
    [[noreturn]] static void idle(pid_t parent)
    {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(0);  // the program ended before the line above took effect
        ::close_range(0, ~0u, 0);
        for (;;)
            ::pause();
    }

    std::vector<pid_t> m_pids;
};

} // namespace velk::bench
