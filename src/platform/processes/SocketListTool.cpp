#include "platform/processes/SocketListTool.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unordered_map>

namespace velk::platform::processes {
namespace {

bool isListingRequest(const tools::ToolRequest& request)
{
    static const QStringList arguments{"-nP", "-i", "-Ts", "-F", "pfPnT"};
    return request.arguments == arguments;
}

// The state names lsof prints after "ST=".
const char* tcpStateName(int state)
{
    switch (state) {
    case TCP_ESTABLISHED: return "ESTABLISHED";
    case TCP_SYN_SENT: return "SYN_SENT";
    case TCP_SYN_RECV: return "SYN_RECV";
    case TCP_FIN_WAIT1: return "FIN_WAIT1";
    case TCP_FIN_WAIT2: return "FIN_WAIT2";
    case TCP_TIME_WAIT: return "TIME_WAIT";
    case TCP_CLOSE: return "CLOSE";
    case TCP_CLOSE_WAIT: return "CLOSE_WAIT";
    case TCP_LAST_ACK: return "LAST_ACK";
    case TCP_LISTEN: return "LISTEN";
    case TCP_CLOSING: return "CLOSING";
    default: return nullptr;
    }
}

bool isZero(const std::uint8_t* bytes, std::size_t count)
{
    return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

bool isV4Mapped(const std::array<std::uint8_t, 16>& address)
{
    return isZero(address.data(), 10) && address[10] == 0xff && address[11] == 0xff;
}

// "host:port": "*" for the wildcard address and for port 0, an IPv6 host in
// brackets.
void appendEndpoint(std::string& out, int family, const std::uint8_t* address, std::uint16_t port)
{
    char host[INET6_ADDRSTRLEN] = {};
    if (isZero(address, family == AF_INET ? 4 : 16)) {
        out += '*';
    } else if (family == AF_INET) {
        ::inet_ntop(AF_INET, address, host, sizeof host);
        out += host;
    } else {
        ::inet_ntop(AF_INET6, address, host, sizeof host);
        out += '[';
        out += host;
        out += ']';
    }
    out += ':';
    out += port != 0 ? std::to_string(port) : std::string("*");
}

void appendLine(std::string& out, char tag, std::string_view value)
{
    out += tag;
    out += value;
    out += '\n';
}

} // namespace

std::string socketEndpointsText(const InternetSocket& socket)
{
    const std::size_t bytes = socket.family == AF_INET ? 4 : 16;
    // An end is named when it has an address or a port.
    const bool hasLocal = !isZero(socket.local.data(), bytes) || socket.localPort != 0;
    const bool hasRemote = !isZero(socket.remote.data(), bytes) || socket.remotePort != 0;
    int family = socket.family;
    std::size_t offset = 0;
    // An IPv6 socket talking IPv4 (either end an IPv4-mapped address) is
    // written with IPv4 addresses at both ends.
    if (family == AF_INET6 && ((hasRemote && isV4Mapped(socket.remote)) || (hasLocal && isV4Mapped(socket.local)))) {
        family = AF_INET;
        offset = 12;
    }
    std::string text;
    if (hasLocal)
        appendEndpoint(text, family, socket.local.data() + offset, socket.localPort);
    if (hasRemote) {
        text += "->";
        appendEndpoint(text, family, socket.remote.data() + offset, socket.remotePort);
    }
    return text;
}

SocketListTool::SocketListTool(const QString& procRoot)
    : m_owners(procRoot.toStdString())
{
}

std::size_t SocketListTool::lastDescriptorReads() const
{
    std::lock_guard lock(m_mutex);
    return m_owners.lastReadCount();
}

std::optional<tools::ToolResult> SocketListTool::answer(const tools::ToolRequest& request)
{
    if (!isListingRequest(request))
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    const auto sockets = m_reader.read();
    if (!sockets)
        return std::nullopt;

    std::unordered_map<std::uint64_t, const InternetSocket*> byInode;
    std::unordered_map<std::uint64_t, unsigned> live;
    byInode.reserve(sockets->size());
    live.reserve(sockets->size());
    for (const InternetSocket& socket : *sockets) {
        if (socket.inode == 0)
            continue;
        byInode.emplace(socket.inode, &socket);
        live.emplace(socket.inode, socket.uid);
    }

    std::string out;
    for (const SocketOwners::Process& process : m_owners.refresh(live)) {
        appendLine(out, 'p', std::to_string(process.pid));
        for (const SocketOwners::Descriptor& descriptor : process.sockets) {
            const InternetSocket& socket = *byInode.at(descriptor.inode);
            const bool tcp = socket.protocol == IPPROTO_TCP;
            appendLine(out, 'f', std::to_string(descriptor.fd));
            appendLine(out, 'P', tcp ? "TCP" : "UDP");
            if (const std::string name = socketEndpointsText(socket); !name.empty())
                appendLine(out, 'n', name);
            if (tcp) {
                if (const char* state = tcpStateName(socket.state))
                    appendLine(out, 'T', std::string("ST=") + state);
            }
            // A listening socket has nothing to send; the kernel reports its
            // backlog in that place.
            const bool listening = tcp && socket.state == TCP_LISTEN;
            appendLine(out, 'T', "QR=" + std::to_string(socket.receiveQueue));
            appendLine(out, 'T', "QS=" + std::to_string(listening ? 0 : socket.sendQueue));
        }
    }
    tools::ToolResult result;
    result.launched = true;
    // As lsof, 1 when nothing was found.
    result.exitStatus = out.empty() ? 1 : 0;
    result.output = QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    return result;
}

void registerSocketListTool()
{
    static std::once_flag once;
    std::call_once(once, [] {
        tools::registerInProcessTool(QStringLiteral("/usr/sbin/lsof"), [](const tools::ToolRequest& request) {
            // Kept for the program's life, so that each process's descriptors
            // are read again only when they change.
            static SocketListTool tool(QStringLiteral("/proc"));
            return tool.answer(request);
        });
    });
}

} // namespace velk::platform::processes
