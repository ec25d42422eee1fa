// The in-process socket listing against lsof itself, on loopback sockets
// this test opens.

#include "platform/processes/SocketListTool.h"
#include "platform/tools/ToolTable.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using velk::platform::processes::InternetSocket;
using velk::platform::processes::SocketListTool;
using velk::platform::tools::ToolRequest;

namespace {

ToolRequest listingRequest()
{
    ToolRequest request;
    request.tool = "/usr/sbin/lsof";
    request.arguments = QStringList{"-nP", "-i", "-Ts", "-F", "pfPnT"};
    return request;
}

// The lines of `pid`'s block of a field listing, its "p" line first.
QStringList blockOf(const QByteArray& output, int pid)
{
    QStringList block;
    bool inside = false;
    for (const QString& line : QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'p'))
            inside = line == "p" + QString::number(pid);
        if (inside)
            block << line;
    }
    return block;
}

QByteArray realListing()
{
    const QString lsof = velk::platform::tools::ToolTable::linuxDefault().executableFor("/usr/sbin/lsof");
    EXPECT_FALSE(lsof.isEmpty()) << "lsof is not installed";
    QProcess process;
    process.start(lsof, listingRequest().arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return process.readAllStandardOutput();
}

// Loopback sockets of this process, closed at the end.
class OwnSockets {
public:
    ~OwnSockets()
    {
        for (const int fd : m_fds)
            ::close(fd);
    }

    int keep(int fd)
    {
        EXPECT_GE(fd, 0) << std::strerror(errno);
        m_fds.push_back(fd);
        return fd;
    }
    void close(int fd)
    {
        ::close(fd);
        std::erase(m_fds, fd);
    }

    // A bound socket of `type` on `host` (an IPv4 or IPv6 text); its port in `port`.
    int bound(int type, const char* host, int& port)
    {
        sockaddr_storage address = make(host, 0);
        const int fd = keep(::socket(address.ss_family, type | SOCK_CLOEXEC, 0));
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), length(address)), 0) << std::strerror(errno);
        socklen_t size = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(address).sin_port
                                                  : reinterpret_cast<sockaddr_in6&>(address).sin6_port);
        return fd;
    }
    int listening(const char* host, int& port)
    {
        const int fd = bound(SOCK_STREAM, host, port);
        EXPECT_EQ(::listen(fd, 8), 0);
        return fd;
    }
    int connected(int type, const char* host, int port)
    {
        sockaddr_storage address = make(host, port);
        const int fd = keep(::socket(address.ss_family, type | SOCK_CLOEXEC, 0));
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), length(address)), 0) << std::strerror(errno);
        return fd;
    }
    int accepted(int listener) { return keep(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)); }

private:
    static sockaddr_storage make(const char* host, int port)
    {
        sockaddr_storage address {};
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
        if (::inet_pton(AF_INET, host, &v4->sin_addr) == 1) {
            v4->sin_family = AF_INET;
            v4->sin_port = htons(static_cast<std::uint16_t>(port));
        } else {
            EXPECT_EQ(::inet_pton(AF_INET6, host, &v6->sin6_addr), 1) << host;
            v6->sin6_family = AF_INET6;
            v6->sin6_port = htons(static_cast<std::uint16_t>(port));
        }
        return address;
    }
    static socklen_t length(const sockaddr_storage& a)
    {
        return a.ss_family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
    }

    std::vector<int> m_fds;
};

TEST(SocketListTool, ListsThisProcessesSocketsExactlyAsLsofDoes)
{
    OwnSockets own;
    int port = 0;
    // TCP over IPv4: listening, both ends of a connection, one end whose
    // peer has closed (CLOSE_WAIT) and data waiting to be read.
    const int listener = own.listening("127.0.0.1", port);
    const int client = own.connected(SOCK_STREAM, "127.0.0.1", port);
    own.accepted(listener);
    ASSERT_EQ(::send(client, "hello", 5, 0), 5);
    const int closing = own.connected(SOCK_STREAM, "127.0.0.1", port);
    own.accepted(listener);
    own.close(closing);
    // TCP over IPv6, and an IPv6 listener that takes an IPv4 client.
    int port6 = 0;
    const int listener6 = own.listening("::1", port6);
    own.connected(SOCK_STREAM, "::1", port6);
    own.accepted(listener6);
    int dualPort = 0;
    const int dual = own.listening("::", dualPort);
    own.connected(SOCK_STREAM, "127.0.0.1", dualPort);
    own.accepted(dual);
    // UDP: bound, connected (with a datagram waiting at its peer), wildcard.
    int udpPort = 0;
    own.bound(SOCK_DGRAM, "127.0.0.1", udpPort);
    const int udpClient = own.connected(SOCK_DGRAM, "127.0.0.1", udpPort);
    ASSERT_EQ(::send(udpClient, "x", 1, 0), 1);
    int unused = 0;
    own.bound(SOCK_DGRAM, "::", unused);
    own.bound(SOCK_DGRAM, "0.0.0.0", unused);
    own.bound(SOCK_DGRAM, "::1", unused);
    // Neither listening nor connected: lsof does not list these.
    own.keep(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    own.bound(SOCK_STREAM, "127.0.0.1", unused);
    own.keep(::socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0));

    SocketListTool tool("/proc");
    const auto ours = tool.answer(listingRequest());
    ASSERT_TRUE(ours);
    EXPECT_TRUE(ours->launched);
    EXPECT_EQ(ours->exitStatus, 0);
    const QStringList mine = blockOf(ours->output, static_cast<int>(::getpid()));
    const QStringList real = blockOf(realListing(), static_cast<int>(::getpid()));
    EXPECT_EQ(mine.join('\n').toStdString(), real.join('\n').toStdString());
    // Four TCP sockets over IPv4, three over IPv6, three of the dual-stack
    // pair and five UDP sockets.
    EXPECT_EQ(mine.filter(QRegularExpression("^n")).size(), 15);
}

TEST(SocketListTool, FollowsDescriptorsThatChangeBetweenListings)
{
    OwnSockets own;
    SocketListTool tool("/proc");
    const int self = static_cast<int>(::getpid());
    const auto block = [&](int pid) { return blockOf(tool.answer(listingRequest())->output, pid).join('\n').toStdString(); };

    int port = 0;
    const int first = own.listening("127.0.0.1", port);
    ASSERT_EQ(block(self), blockOf(realListing(), self).join('\n').toStdString());

    // Another socket takes the closed one's descriptor: the count of open
    // descriptors is the same as before.
    own.close(first);
    int udpPort = 0;
    ASSERT_EQ(own.bound(SOCK_DGRAM, "127.0.0.1", udpPort), first);
    const std::string replaced = block(self);
    EXPECT_NE(replaced.find("PUDP"), std::string::npos);
    EXPECT_EQ(replaced.find("PTCP"), std::string::npos);
    EXPECT_EQ(replaced, blockOf(realListing(), self).join('\n').toStdString());

    // A child holds the same sockets under its own pid until it ends.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (;;)
            ::pause();
    }
    const std::string inChild = block(child);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(inChild.substr(inChild.find('\n')), replaced.substr(replaced.find('\n')));
    EXPECT_EQ(block(child), "");

    own.close(first);
    EXPECT_EQ(block(self), "");
}

TEST(SocketListTool, AnswersOnlyTheSocketListing)
{
    SocketListTool tool("/proc");
    ToolRequest request = listingRequest();
    request.arguments = QStringList{"-nP", "-F", "pfn", "--", "/tmp"};
    EXPECT_FALSE(tool.answer(request));
    request.arguments = QStringList{"-nP", "-i", "-Ts", "-F", "pfPn"};
    EXPECT_FALSE(tool.answer(request));
}

InternetSocket socketOf(int family, const char* local, int localPort, const char* remote, int remotePort)
{
    InternetSocket s;
    s.family = family;
    s.protocol = IPPROTO_TCP;
    ::inet_pton(family, local, s.local.data());
    ::inet_pton(family, remote, s.remote.data());
    s.localPort = static_cast<std::uint16_t>(localPort);
    s.remotePort = static_cast<std::uint16_t>(remotePort);
    return s;
}

TEST(SocketListTool, NamesEndsAsLsofDoes)
{
    using velk::platform::processes::socketEndpointsText;
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET, "127.0.0.1", 631, "0.0.0.0", 0)), "127.0.0.1:631");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET, "0.0.0.0", 68, "0.0.0.0", 0)), "*:68");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET, "10.0.0.2", 5000, "10.0.0.9", 443)), "10.0.0.2:5000->10.0.0.9:443");
    // A remote end with an address but no port.
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET, "10.0.0.2", 5000, "10.0.0.9", 0)), "10.0.0.2:5000->10.0.0.9:*");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET6, "::1", 5353, "::", 0)), "[::1]:5353");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET6, "::", 80, "::", 0)), "*:80");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET6, "fe80::1", 546, "fe80::2", 547)), "[fe80::1]:546->[fe80::2]:547");
    // IPv4 carried by an IPv6 socket is written as IPv4 at both ends.
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET6, "::ffff:127.0.0.1", 80, "::ffff:127.0.0.1", 40000)),
              "127.0.0.1:80->127.0.0.1:40000");
    EXPECT_EQ(socketEndpointsText(socketOf(AF_INET6, "::", 80, "::ffff:10.1.2.3", 40000)), "*:80->10.1.2.3:40000");
}

} // namespace
