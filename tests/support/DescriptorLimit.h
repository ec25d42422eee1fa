#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace velk::test {

// Leaves exactly `free` descriptor numbers to what runs until the object
// goes.
class DescriptorLimit {
public:
    explicit DescriptorLimit(int free)
    {
        for (;;) {
            const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                break;
            m_fillers.push_back(fd);
            bool nextFree = true;
            for (int next = fd + 1; next <= fd + free; ++next)
                nextFree = nextFree && fcntl(next, F_GETFD) == -1 && errno == EBADF;
            if (nextFree)
                break;
        }
        getrlimit(RLIMIT_NOFILE, &m_previous);
        rlimit tight = m_previous;
        tight.rlim_cur = static_cast<rlim_t>(m_fillers.back() + 1 + free);
        setrlimit(RLIMIT_NOFILE, &tight);
    }
    ~DescriptorLimit()
    {
        setrlimit(RLIMIT_NOFILE, &m_previous);
        for (int fd : m_fillers)
            ::close(fd);
    }

private:
    std::vector<int> m_fillers;
    rlimit m_previous{};
};

} // namespace velk::test
