#include "support/FakeMonitorSources.h"

namespace velk::test {
namespace {

// A small machine: a database server (10) and its client (20) talking over
// loopback, the client also talking to remote hosts, and launchd (1) with a
// dozen children.
class SystemMonitorQueries : public MonitorTest {
protected:
    void SetUp() override
    {
        monitor::ProcInfo launchd = proc(1, 0);
        monitor::ProcInfo server = proc(10, 1, 1000, "/usr/bin/postgres");
        server.cpu = 1.0;
        monitor::ProcInfo client = proc(20, 1, 1000, "/usr/bin/client");
        client.cpu = 3.0;
        client.memoryBytes = 50000000;
        sources->nextProcesses = {launchd, server, client};
        for (qint32 pid = 1000; pid < 1008; ++pid)
            sources->nextProcesses.push_back(proc(pid, 1));
        monitor::ProcInfo heavyMemory = proc(1010, 1);
        heavyMemory.cpu = 5.0;
        heavyMemory.memoryBytes = 2000000000;   // 5.0 + 2000 / 1000 = 7.0
        monitor::ProcInfo heavyCpu = proc(1011, 1);
        heavyCpu.cpu = 6.0;
        heavyCpu.memoryBytes = 500000000;       // 6.0 + 500 / 1000 = 6.5
        sources->nextProcesses.push_back(heavyCpu);
        sources->nextProcesses.push_back(heavyMemory);

        const auto loop = [](int port) { return endpoint("127.0.0.1", port); };
        const auto local = [](int port) { return endpoint("10.0.0.2", port); };
        sources->nextSockets = {
            socket(400, "TCP", endpoint("*", 22), std::nullopt, "LISTEN"),
            socket(300, "TCP", endpoint("*", 22), std::nullopt, "LISTEN"),
            socket(300, "TCP", endpoint("::", 22), std::nullopt, "LISTEN"),   // same pid, protocol and port
            socket(10, "TCP", loop(5432), std::nullopt, "LISTEN"),
            socket(10, "UDP", endpoint("*", 5432)),                            // other protocol, same port
            socket(10, "TCP", loop(5432), loop(50000), "ESTABLISHED"),
            socket(20, "TCP", loop(50000), loop(5432), "ESTABLISHED"),
            socket(20, "TCP", local(50001), endpoint("17.1.2.3", 443), "ESTABLISHED"),
            socket(20, "TCP", local(50002), endpoint("8.8.8.8", 53), "ESTABLISHED"),
            socket(20, "TCP", local(50003), endpoint("17.1.2.3", 443), "ESTABLISHED"),
            socket(20, "TCP", local(50004), endpoint("17.1.2.3", 80), "ESTABLISHED"),
            socket(20, "UDP", local(50005), endpoint("*", std::nullopt)),
            socket(20, "UDP", local(50006), endpoint("", 9)),
            socket(20, "TCP", local(50007), endpoint("localhost", std::nullopt), "CLOSE_WAIT"),
            socket(500, "TCP", endpoint("*", std::nullopt), std::nullopt, "LISTEN"),
        };
        monitor().setPortsEnabled(true);
        exec().runAll();
    }

    // The pids of list[from, to).
    static std::vector<qint32> pids(const std::vector<monitor::ProcInfo>& list, std::size_t from = 0,
                                    std::size_t to = std::size_t(-1))
    {
        std::vector<qint32> result;
        for (std::size_t i = from; i < std::min(to, list.size()); ++i)
            result.push_back(list[i].pid);
        return result;
    }
};

TEST_F(SystemMonitorQueries, ListeningSocketsAreDistinctAndOrderedByPortThenPid)
{
    QStringList listed;
    for (const monitor::SocketEntry& s : monitor().listeningSockets())
        listed << QStringLiteral("%1 %2 %3").arg(s.pid).arg(s.proto).arg(s.local.port.value_or(-1));
    EXPECT_EQ(listed, QStringList({"500 TCP -1", "300 TCP 22", "400 TCP 22", "10 TCP 5432", "10 UDP 5432"}));
    EXPECT_EQ(monitor().listeningSockets()[1].local.host, QStringLiteral("*"));   // the first of a group stays
}

TEST_F(SystemMonitorQueries, LoopbackPeersAreFoundFromBothEnds)
{
    const monitor::ProcessRelations server = monitor().relations(10);
    ASSERT_EQ(server.localPeers.size(), 1);
    EXPECT_EQ(server.localPeers[0].id(), 20);
    EXPECT_EQ(server.localPeers[0].ports, std::vector<int>({5432}));
    EXPECT_EQ(server.listening.size(), 2);
    EXPECT_EQ(server.connections.size(), 1);
    EXPECT_TRUE(server.remoteHosts.empty());

    const monitor::ProcessRelations client = monitor().relations(20);
    ASSERT_EQ(client.localPeers.size(), 1);
    EXPECT_EQ(client.localPeers[0].proc.pid, 10);
    EXPECT_EQ(client.localPeers[0].ports, std::vector<int>({5432}));
    EXPECT_TRUE(client.listening.empty());
}

TEST_F(SystemMonitorQueries, RemoteHostsCountConnectionsAndSkipLoopbackAndWildcards)
{
    const monitor::ProcessRelations client = monitor().relations(20);
    ASSERT_EQ(client.remoteHosts.size(), 2);
    EXPECT_EQ(client.remoteHosts[0].id(), QStringLiteral("17.1.2.3"));
    EXPECT_EQ(client.remoteHosts[0].ports, std::vector<int>({80, 443}));
    EXPECT_EQ(client.remoteHosts[0].count, 3);
    EXPECT_EQ(client.remoteHosts[1].host, QStringLiteral("8.8.8.8"));
    EXPECT_EQ(client.remoteHosts[1].count, 1);
    EXPECT_EQ(client.connections.size(), 8);
}

TEST_F(SystemMonitorQueries, FamilyShowsTheBusiestEightChildrenAndTheParent)
{
    const monitor::ProcessRelations root = monitor().relations(1);
    EXPECT_EQ(root.childCount, 12);
    ASSERT_EQ(root.children.size(), monitor::ProcessRelations::maxChildren);
    EXPECT_EQ(pids(root.children, 0, 5), std::vector<qint32>({1010, 1011, 20, 10, 1000}));
    EXPECT_FALSE(root.parent.has_value());   // ppid 0

    const monitor::ProcessRelations client = monitor().relations(20);
    ASSERT_TRUE(client.parent.has_value());
    EXPECT_EQ(client.parent->pid, 1);
    EXPECT_EQ(client.childCount, 0);

    const monitor::ProcessRelations unknown = monitor().relations(777);
    EXPECT_FALSE(unknown.parent.has_value());
    EXPECT_EQ(unknown.childCount, 0);
    EXPECT_TRUE(unknown.children.empty());
    EXPECT_TRUE(unknown.listening.empty());
    EXPECT_TRUE(unknown.localPeers.empty());
}

TEST_F(SystemMonitorQueries, TopListsSortStablyAndCountAbsentMemoryAsZero)
{
    EXPECT_EQ(pids(monitor().topByCPU(3)), std::vector<qint32>({1011, 1010, 20}));
    EXPECT_EQ(pids(monitor().topByMemory(3)), std::vector<qint32>({1010, 1011, 20}));
    EXPECT_EQ(pids(monitor().topByMemory(5), 3), std::vector<qint32>({1, 10}));   // ties keep list order
    EXPECT_EQ(monitor().topByCPU(100).size(), monitor().processes().size());
    EXPECT_TRUE(monitor().topByCPU(0).empty());
}

} // namespace
} // namespace velk::test
