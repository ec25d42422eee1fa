#pragma once

#include <unistd.h>

namespace velk::platform::core {

// Owns a file descriptor and closes it when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes the descriptor held so far and takes `fd` in its place.
    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    // Gives up ownership without closing.
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

} // namespace velk::platform::core
