#include "engine/monitor/ProcessService.h"

#include "platform/core/ServiceRegistry.h"
#include "support/FakeToolRunner.h"

#include <gtest/gtest.h>

using velk::monitor::NetEndpoint;
using velk::monitor::ProcessService;
using velk::monitor::SocketEntry;

namespace {

TEST(EndpointParsing, ReadsHostsPortsAndWildcards)
{
    struct Case {
        const char16_t* text;
        const char* host;
        std::optional<int> port;
        const char* display;
    };
    const Case cases[] = {
        {u"127.0.0.1:5000", "127.0.0.1", 5000, "127.0.0.1:5000"},
        {u"*:80", "*", 80, "*:80"},
        {u"[fe80::1]:5353", "fe80::1", 5353, "[fe80::1]:5353"},
        {u"[::1]:631", "::1", 631, "[::1]:631"},
        {u"*:*", "*", std::nullopt, "*:*"},
        {u"10.0.0.1:", "10.0.0.1", std::nullopt, "10.0.0.1:*"},
        {u"localhost", "localhost", std::nullopt, "localhost:*"},
        {u"[::1:99", "[::1", 99, "[[::1]:99"},
        {u"host:99999999999", "host", std::nullopt, "host:*"},
    };
    for (const Case& c : cases) {
        const NetEndpoint e = ProcessService::parseEndpoint(c.text);
        EXPECT_EQ(e.host, c.host) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(e.port, c.port) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(e.display(), c.display);
    }
}

TEST(EndpointParsing, LoopbackIsExactOrAPrefixOf127)
{
    EXPECT_TRUE((NetEndpoint{"::1", 1}).isLoopback());
    EXPECT_TRUE((NetEndpoint{"localhost", 1}).isLoopback());
    EXPECT_TRUE((NetEndpoint{"127.0.0.53", 1}).isLoopback());
    EXPECT_FALSE((NetEndpoint{"::10", 1}).isLoopback());
    EXPECT_FALSE((NetEndpoint{"10.127.0.1", 1}).isLoopback());
    EXPECT_FALSE((NetEndpoint{"*", std::nullopt}).isLoopback());
}

TEST(SocketParsing, ReadsBlocksPerProcessAndDescriptor)
{
    const auto entries = ProcessService::parseSockets(u"p812\n"
                                                      "f23\n"
                                                      "PTCP\n"
                                                      "n127.0.0.1:5000\n"
                                                      "TST=LISTEN\n"
                                                      "TQR=0\n"
                                                      "f24\n"
                                                      "PTCP\n"
                                                      "n10.0.0.2:50000->17.1.2.3:443\n"
                                                      "TST=ESTABLISHED\n"
                                                      "f25\n"
                                                      "PUDP\n"
                                                      "n[::1]:60815\n"
                                                      "p900\n"
                                                      "PUDP\n"
                                                      "n*:*\n");
    ASSERT_EQ(entries.size(), 4u);

    EXPECT_EQ(entries[0].id(), "812|23|TCP|127.0.0.1:5000");
    EXPECT_EQ(entries[0].state, "LISTEN");
    EXPECT_FALSE(entries[0].remote);
    EXPECT_TRUE(entries[0].isListening());

    ASSERT_TRUE(entries[1].remote);
    EXPECT_EQ(entries[1].remote->port, 443);
    EXPECT_EQ(entries[1].remote->host, "17.1.2.3");
    EXPECT_EQ(entries[1].local.port, 50000);
    EXPECT_EQ(entries[1].state, "ESTABLISHED");
    EXPECT_FALSE(entries[1].isListening());

    // The state does not carry over into the next descriptor.
    EXPECT_EQ(entries[2].state, "");
    EXPECT_EQ(entries[2].local.host, "::1");
    EXPECT_TRUE(entries[2].isListening());

    // A new process clears the descriptor.
    EXPECT_EQ(entries[3].pid, 900);
    EXPECT_EQ(entries[3].fd, "");
    EXPECT_FALSE(entries[3].isListening());
}

TEST(SocketParsing, SkipsIncompleteBlocks)
{
    // No protocol line; a name without a protocol; a bad pid reads as 0.
    EXPECT_TRUE(ProcessService::parseSockets(u"p812\nf23\nn127.0.0.1:5000\nTST=LISTEN\n").empty());
    EXPECT_TRUE(ProcessService::parseSockets(u"").empty());
    const auto entries = ProcessService::parseSockets(u"px\nf1\nPTCP\nf2\nn1.2.3.4:5\nTSO=1\n");
    EXPECT_TRUE(entries.empty());  // f2 dropped the protocol of f1
    const auto badPid = ProcessService::parseSockets(u"pabc\nf1\nPTCP\nn1.2.3.4:5->6.7.8.9:10->x:1\n");
    ASSERT_EQ(badPid.size(), 1u);
    EXPECT_EQ(badPid[0].pid, 0);
    EXPECT_EQ(badPid[0].remote->display(), "6.7.8.9:10");
}

TEST(SocketListening, FollowsStateOrAnUnconnectedUdpPort)
{
    SocketEntry udp{1, "3", "UDP", {"*", 5353}, std::nullopt, ""};
    EXPECT_TRUE(udp.isListening());
    udp.local.port.reset();
    EXPECT_FALSE(udp.isListening());
    udp.local.port = 5353;
    udp.remote = NetEndpoint{"1.1.1.1", 53};
    EXPECT_FALSE(udp.isListening());
    const SocketEntry tcp{1, "3", "TCP", {"*", 80}, std::nullopt, "CLOSED"};
    EXPECT_FALSE(tcp.isListening());
}

TEST(SocketReading, RunsTheSocketToolWithFieldOutput)
{
    auto tools = std::make_shared<velk::test::FakeToolRunner>();
    velk::platform::core::ScopedService<velk::platform::tools::ToolRunner> scope(tools);
    tools->setOutput("/usr/sbin/lsof", "p1\nf3\nPTCP\nn*:22\nTST=LISTEN\n");
    const auto entries = ProcessService::sockets();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(tools->requestsFor("/usr/sbin/lsof")[0].arguments, (QStringList{"-nP", "-i", "-Ts", "-F", "pfPnT"}));
    EXPECT_TRUE(ProcessService::machPorts().empty());  // no port tool here
    EXPECT_EQ(tools->requestsFor("/usr/bin/top")[0].arguments,
              (QStringList{"-R", "-F", "-l", "1", "-n", "100000", "-stats", "pid,ports"}));
}

TEST(MachPortParsing, TakesTwoWordLinesWithAPidAndACount)
{
    const auto ports = ProcessService::parseMachPorts(u"PID    #PORTS\n"
                                                      "812    37+\n"
                                                      "  1\t\t2\n"
                                                      "0      5\n"
                                                      "44     -3\n"
                                                      "45     4 extra\n"
                                                      "46     x\n"
                                                      "812    40\n");
    EXPECT_EQ(ports.size(), 2);
    EXPECT_EQ(ports.value(812), 40);  // the later line wins
    EXPECT_EQ(ports.value(1), 2);
}

} // namespace
