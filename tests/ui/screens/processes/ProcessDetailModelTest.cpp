#include "support/FakeHostProbe.h"
#include "support/FakeMonitorSources.h"
#include "ui/screens/processes/ProcessDetailModel.h"
#include "ui/screens/processes/ProcessFooterModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace velk::test {
namespace {

using screens::ProcessDetailModel;
using screens::ProcessFooterModel;

constexpr std::uint64_t kSixteenGiB = 17'179'869'184;

// The detail of one process over a monitor fed by fake readings and a host
// probe that reports the machine's physical memory.
class ProcessDetailModelTest : public MonitorTest {
protected:
    std::shared_ptr<FakeHostProbe> host = std::make_shared<FakeHostProbe>();
    platform::core::ScopedService<platform::host::HostProbe> hostService{host};
    std::unique_ptr<ProcessDetailModel> detail;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;

    void SetUp() override
    {
        host->memory = kSixteenGiB;
        detail = std::make_unique<ProcessDetailModel>();
        detail->setMonitor(&monitor());
        for (QAbstractItemModel* model : std::initializer_list<QAbstractItemModel*>{
                 detail->parents(), detail->children(), detail->peers(), detail->remoteHosts()})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::Warning));
    }

    void TearDown() override
    {
        testers.clear();
        detail.reset();
        MonitorTest::TearDown();
    }

    // Lists `processes` and, with sockets, reads them as well.
    void tickWith(std::vector<monitor::ProcInfo> processes, std::optional<std::vector<monitor::SocketEntry>> sockets = std::nullopt)
    {
        sources->nextProcesses = std::move(processes);
        if (sockets) {
            sources->nextSockets = *sockets;
            if (!monitor().portsEnabled()) {
                monitor().setPortsEnabled(true);
                exec().runAll();
                return;
            }
        }
        tick();
    }

    static monitor::ProcInfo process(qint32 pid, qint32 ppid = 1, double cpu = 0, std::optional<std::uint64_t> memory = {})
    {
        monitor::ProcInfo p = proc(pid, ppid, 1000 + pid, "/usr/bin/app" + QString::number(pid));
        p.cpu = cpu;
        p.cpuAvailable = true;
        p.memoryBytes = memory;
        return p;
    }

    static std::vector<qint32> pids(const QAbstractItemModel& model)
    {
        std::vector<qint32> found;
        for (int row = 0; row < model.rowCount(); ++row)
            found.push_back(model.data(model.index(row, 0), lists::ListModel::firstRole).toInt());
        return found;
    }
};

TEST_F(ProcessDetailModelTest, MemoryIsAShareOfPhysicalMemoryWithTheSizeBelow)
{
    monitor::ProcInfo p = process(40, 1, 3.5, 1'700'000'000);
    p.rssBytes = 999'400'000;
    p.threads = 14;
    tickWith({p});
    detail->setPid(40);

    ASSERT_TRUE(detail->present());
    EXPECT_EQ(detail->name(), "app40");
    EXPECT_EQ(detail->path(), "/usr/bin/app40");
    EXPECT_EQ(detail->cpuText(), "3.5%");
    EXPECT_EQ(detail->memoryShareText(), "9.9%");
    EXPECT_EQ(detail->memoryText(), "1.70 GB");
    EXPECT_EQ(detail->threadsText(), "14");
    EXPECT_EQ(detail->rssText(), "999.4 MB");
    // Each history entry in megabytes becomes its share of physical memory.
    ASSERT_EQ(detail->memoryHistory().size(), 1);
    EXPECT_NEAR(detail->memoryHistory().front(), 9.8953, 1e-4);
    EXPECT_EQ(detail->cpuHistory(), QList<double>({3.5}));

    p.rssBytes = 1'234'000'000;
    p.threads.reset();
    p.cpuAvailable = false;
    p.memoryBytes.reset();
    tickWith({p});
    EXPECT_EQ(detail->rssText(), "1.23 GB");
    EXPECT_EQ(detail->threadsText(), QStringLiteral("—"));
    EXPECT_EQ(detail->cpuText(), QStringLiteral("—"));
    EXPECT_EQ(detail->memoryShareText(), QStringLiteral("—"));
    EXPECT_EQ(detail->memoryText(), QStringLiteral("—"));
}

// Without a physical memory there is no share: a dash and no history,
// rather than a division by zero.
TEST_F(ProcessDetailModelTest, UnknownPhysicalMemoryGivesADashAndNoHistory)
{
    host->memory = 0;
    tickWith({process(40, 1, 1, 1'700'000'000)});
    tickWith({process(40, 1, 2, 1'800'000'000)});
    detail->setPid(40);
    ASSERT_TRUE(detail->present());
    EXPECT_EQ(detail->memoryShareText(), QStringLiteral("—"));
    EXPECT_EQ(detail->memoryText(), "1.80 GB");
    EXPECT_TRUE(detail->memoryHistory().isEmpty());
    EXPECT_EQ(detail->cpuHistory().size(), 2);

    EXPECT_FALSE(ProcessDetailModel::shareOfPhysical(1700, 0).has_value());
    EXPECT_DOUBLE_EQ(*ProcessDetailModel::shareOfPhysical(1000, 10'000'000'000), 10.0);
}

TEST_F(ProcessDetailModelTest, AProcessMissingFromTheLastTickShowsNothing)
{
    tickWith({process(40), process(41)});
    detail->setPid(41);
    EXPECT_TRUE(detail->present());
    QSignalSpy changed(detail.get(), &ProcessDetailModel::processChanged);
    tickWith({process(40)});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(detail->present());
    EXPECT_TRUE(detail->name().isEmpty());
    EXPECT_TRUE(detail->cpuText().isEmpty());
    EXPECT_TRUE(detail->cpuHistory().isEmpty());

    // A tick that changes nothing of the process announces nothing.
    tickWith({process(40)});
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(ProcessDetailModelTest, MachPortsShowOnceSampled)
{
    tickWith({process(40)});
    detail->setPid(40);
    EXPECT_EQ(detail->machPortsText(), QStringLiteral("—"));
    sources->nextMachPorts = {{40, 312}};
    sources->nextSockets = {};
    monitor().setPortsEnabled(true);
    exec().runAll();
    EXPECT_EQ(detail->machPortsText(), "312");
}

TEST_F(ProcessDetailModelTest, RelationsWaitForSocketData)
{
    tickWith({process(40), process(41, 40)});
    detail->setPid(40);
    EXPECT_FALSE(detail->showsRelations());
    EXPECT_EQ(detail->children()->rowCount(), 0);

    tickWith({process(40), process(41, 40)}, std::vector<monitor::SocketEntry>{});
    EXPECT_TRUE(detail->showsRelations());
    EXPECT_TRUE(detail->hasRelations());
    EXPECT_EQ(pids(*detail->children()), std::vector<qint32>({41}));
}

TEST_F(ProcessDetailModelTest, TwelveChildrenListEightBusiestFirst)
{
    std::vector<monitor::ProcInfo> list{process(100, 1)};
    for (int i = 0; i < 12; ++i)
        list.push_back(process(200 + i, 100, i % 2 ? i + 0.5 : 0.0, 1'000'000'000ull * static_cast<unsigned>(i)));
    tickWith(list, std::vector<monitor::SocketEntry>{});
    detail->setPid(100);
    EXPECT_EQ(detail->childCount(), 12);
    // cpu + memMB / 1000: odd children score 2i + 0.5, even ones i.
    EXPECT_EQ(pids(*detail->children()), std::vector<qint32>({211, 209, 207, 205, 210, 208, 203, 206}));
    EXPECT_EQ(detail->parents()->rowCount(), 0);   // pid 1 is not sampled
}

TEST_F(ProcessDetailModelTest, NineRemoteHostsListSixMostConnectionsFirst)
{
    std::vector<monitor::SocketEntry> sockets;
    for (int host = 0; host < 9; ++host) {
        for (int c = 0; c <= host; ++c)
            sockets.push_back(socket(40, "TCP", endpoint("10.0.0.9", 50000 + 10 * host + c),
                                     endpoint("203.0.113." + QString::number(host), 443), "ESTABLISHED"));
    }
    tickWith({process(40)}, sockets);
    detail->setPid(40);
    EXPECT_EQ(detail->remoteHostCount(), 9);
    auto* hosts = detail->remoteHosts();
    ASSERT_EQ(hosts->rowCount(), 6);
    EXPECT_EQ(hosts->get(0).value("host").toString(), "203.0.113.8");
    EXPECT_EQ(hosts->get(0).value("count").toInt(), 9);
    EXPECT_EQ(hosts->get(5).value("host").toString(), "203.0.113.3");
    EXPECT_EQ(hosts->get(5).value("count").toInt(), 4);
}

TEST_F(ProcessDetailModelTest, OnlyAParentIsTheOnlySection)
{
    tickWith({process(1, 0), process(40, 1)}, std::vector<monitor::SocketEntry>{});
    detail->setPid(40);
    EXPECT_TRUE(detail->hasRelations());
    EXPECT_EQ(pids(*detail->parents()), std::vector<qint32>({1}));
    EXPECT_EQ(detail->children()->rowCount(), 0);
    EXPECT_EQ(detail->peers()->rowCount(), 0);
    EXPECT_EQ(detail->remoteHosts()->rowCount(), 0);

    // The parent itself has nothing above it: no relation at all.
    detail->setPid(1);
    EXPECT_EQ(pids(*detail->children()), std::vector<qint32>({40}));
    tickWith({process(1, 0)}, std::vector<monitor::SocketEntry>{});
    EXPECT_FALSE(detail->hasRelations());
}

TEST_F(ProcessDetailModelTest, LoopbackPeersShowTheirServicePorts)
{
    monitor::ProcInfo server = process(50, 1, 4);
    monitor::ProcInfo client = process(40);
    tickWith({client, server},
             std::vector<monitor::SocketEntry>{
                 socket(50, "TCP", endpoint("127.0.0.1", 5432), std::nullopt, "LISTEN"),
                 socket(50, "TCP", endpoint("127.0.0.1", 6379), std::nullopt, "LISTEN"),
                 socket(50, "TCP", endpoint("127.0.0.1", 5432), endpoint("127.0.0.1", 41000), "ESTABLISHED"),
                 socket(50, "TCP", endpoint("127.0.0.1", 6379), endpoint("127.0.0.1", 41001), "ESTABLISHED"),
                 socket(40, "TCP", endpoint("127.0.0.1", 41000), endpoint("127.0.0.1", 5432), "ESTABLISHED"),
                 socket(40, "TCP", endpoint("127.0.0.1", 41001), endpoint("127.0.0.1", 6379), "ESTABLISHED"),
             });
    detail->setPid(40);
    ASSERT_EQ(detail->peers()->rowCount(), 1);
    EXPECT_EQ(detail->peers()->get(0).value("pid").toInt(), 50);
    EXPECT_EQ(detail->peers()->get(0).value("ports").toString(), ":5432 :6379");
    EXPECT_TRUE(detail->listeningPorts().isEmpty());

    detail->setPid(50);
    EXPECT_EQ(detail->listeningPorts(), QList<int>({5432, 6379}));
    EXPECT_EQ(detail->peers()->get(0).value("pid").toInt(), 40);
}

TEST_F(ProcessDetailModelTest, ARelationSelectsItsProcess)
{
    tickWith({process(1, 0), process(40, 1)});
    detail->setPid(40);
    detail->select(1);
    EXPECT_EQ(monitor().selectedPid(), 1);
}

TEST(ProcessFooterModel, PressureColourTurnsAt75And90Percent)
{
    EXPECT_EQ(ProcessFooterModel::toneOf(0), ProcessFooterModel::Green);
    EXPECT_EQ(ProcessFooterModel::toneOf(0.74), ProcessFooterModel::Green);
    EXPECT_EQ(ProcessFooterModel::toneOf(0.75), ProcessFooterModel::Amber);
    EXPECT_EQ(ProcessFooterModel::toneOf(0.8999), ProcessFooterModel::Amber);
    EXPECT_EQ(ProcessFooterModel::toneOf(0.9), ProcessFooterModel::Red);
}

TEST_F(ProcessDetailModelTest, FooterCountsKnownThreadsAndTheEmptyPressure)
{
    ProcessFooterModel footer;
    footer.setMonitor(&monitor());
    EXPECT_EQ(footer.pressure(), 0.0);
    EXPECT_EQ(footer.pressureTone(), ProcessFooterModel::Green);

    std::vector<monitor::ProcInfo> list{process(1), process(2), process(3)};
    list[0].threads = 2'000'000'000;
    list[1].threads = 2'000'000'001;
    tickWith(list);
    EXPECT_EQ(ProcessFooterModel::threadsOf(monitor().processes()), 4'000'000'001);
    EXPECT_EQ(footer.threadTotal(), 4'000'000'001.0);
    EXPECT_EQ(footer.processCount(), 3);

    sources->nextMemory.total = 1000;
    sources->nextMemory.used = 900;
    QSignalSpy memory(&footer, &ProcessFooterModel::memoryChanged);
    tick();
    EXPECT_GE(memory.count(), 1);
    EXPECT_DOUBLE_EQ(footer.pressure(), 0.9);
    EXPECT_EQ(footer.pressureTone(), ProcessFooterModel::Red);
}

} // namespace
} // namespace velk::test
