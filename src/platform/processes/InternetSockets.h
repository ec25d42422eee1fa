#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace velk::platform::processes {

// One TCP or UDP socket of this network namespace, as the kernel's socket
// diagnostics describe it.
struct InternetSocket {
    int family = 0;                      // AF_INET or AF_INET6
    int protocol = 0;                    // IPPROTO_TCP or IPPROTO_UDP
    int state = 0;                       // the kernel's TCP state number (UDP: 1 connected, 7 not)
    std::array<std::uint8_t, 16> local{};   // network order; IPv4 uses the first 4 bytes
    std::array<std::uint8_t, 16> remote{};
    std::uint16_t localPort = 0;
    std::uint16_t remotePort = 0;
    std::uint32_t receiveQueue = 0;      // bytes (a listening socket: connections waiting)
    std::uint32_t sendQueue = 0;         // bytes (a listening socket: its backlog)
    unsigned uid = 0;                    // the user that created it
    std::uint64_t inode = 0;             // 0 for one no descriptor refers to
};

// Asks the kernel (NETLINK_SOCK_DIAG) for every TCP and UDP socket over IPv4
// and IPv6. TCP sockets in TIME_WAIT, which no descriptor can refer to, are
// left out. Nothing when the kernel cannot answer.
class InternetSocketReader {
public:
    InternetSocketReader();
    ~InternetSocketReader();
    InternetSocketReader(const InternetSocketReader&) = delete;
    InternetSocketReader& operator=(const InternetSocketReader&) = delete;

    std::optional<std::vector<InternetSocket>> read();

private:
    bool dump(int family, int protocol, std::uint32_t states, std::vector<InternetSocket>& out);

    int m_fd = -1;
    std::uint32_t m_sequence = 0;
    std::vector<char> m_buffer;
};

} // namespace velk::platform::processes
