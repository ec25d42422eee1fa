#include "platform/processes/InternetSockets.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

constexpr std::uint32_t stateBit(int state)
{
    return 1u << state;
}

// Every TCP state a descriptor can refer to: not TIME_WAIT (a leftover of a
// closed socket) nor the kernel's half-open request entries.
constexpr std::uint32_t kTcpStates = stateBit(TCP_ESTABLISHED) | stateBit(TCP_SYN_SENT) | stateBit(TCP_SYN_RECV) |
                                     stateBit(TCP_FIN_WAIT1) | stateBit(TCP_FIN_WAIT2) | stateBit(TCP_CLOSE) |
                                     stateBit(TCP_CLOSE_WAIT) | stateBit(TCP_LAST_ACK) | stateBit(TCP_LISTEN) |
                                     stateBit(TCP_CLOSING);
constexpr std::uint32_t kAllStates = 0xffffffffu;

} // namespace

InternetSocketReader::InternetSocketReader()
    : m_buffer(65536)
{
}

InternetSocketReader::~InternetSocketReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::vector<InternetSocket>> InternetSocketReader::read()
{
    if (m_fd < 0) {
        m_fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
        if (m_fd < 0)
            return std::nullopt;
        // A kernel that stops answering must not hold the caller for long.
        const timeval limit{2, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    }
    std::vector<InternetSocket> sockets;
    const bool ok = dump(AF_INET, IPPROTO_TCP, kTcpStates, sockets) && dump(AF_INET6, IPPROTO_TCP, kTcpStates, sockets) &&
                    dump(AF_INET, IPPROTO_UDP, kAllStates, sockets) && dump(AF_INET6, IPPROTO_UDP, kAllStates, sockets);
    if (!ok) {
        // The next call starts on a fresh socket, without replies left over.
        ::close(m_fd);
        m_fd = -1;
        return std::nullopt;
    }
    return sockets;
}

bool InternetSocketReader::dump(int family, int protocol, std::uint32_t states, std::vector<InternetSocket>& out)
{
    struct {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } message {};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message.header.nlmsg_seq = ++m_sequence;
    message.request.sdiag_family = static_cast<std::uint8_t>(family);
    message.request.sdiag_protocol = static_cast<std::uint8_t>(protocol);
    message.request.idiag_states = states;

    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, &message, sizeof message, 0, reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    if (sent != static_cast<ssize_t>(sizeof message))
        return false;

    const std::size_t addressBytes = family == AF_INET ? 4 : 16;
    for (;;) {
        const ssize_t received = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            return false;
        std::size_t left = static_cast<std::size_t>(received);
        for (const char* at = m_buffer.data(); left >= sizeof(nlmsghdr);) {
            nlmsghdr header;
            std::memcpy(&header, at, sizeof header);
            if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > left)
                return false;
            const std::size_t step = std::min<std::size_t>(NLMSG_ALIGN(header.nlmsg_len), left);
            if (header.nlmsg_seq == m_sequence) {
                if (header.nlmsg_type == NLMSG_DONE)
                    return true;
                if (header.nlmsg_type == NLMSG_ERROR)
                    return false;
                if (header.nlmsg_type == SOCK_DIAG_BY_FAMILY && header.nlmsg_len >= NLMSG_LENGTH(sizeof(inet_diag_msg))) {
                    inet_diag_msg diag;
                    std::memcpy(&diag, at + NLMSG_HDRLEN, sizeof diag);
                    InternetSocket socket;
                    socket.family = diag.idiag_family;
                    socket.protocol = protocol;
                    socket.state = diag.idiag_state;
                    std::memcpy(socket.local.data(), diag.id.idiag_src, addressBytes);
                    std::memcpy(socket.remote.data(), diag.id.idiag_dst, addressBytes);
                    socket.localPort = ntohs(diag.id.idiag_sport);
                    socket.remotePort = ntohs(diag.id.idiag_dport);
                    socket.receiveQueue = diag.idiag_rqueue;
                    socket.sendQueue = diag.idiag_wqueue;
                    socket.uid = diag.idiag_uid;
                    socket.inode = diag.idiag_inode;
                    out.push_back(socket);
                }
            }
            at += step;
            left -= step;
        }
    }
}

} // namespace velk::platform::processes
