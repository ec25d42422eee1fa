#include "engine/monitor/ProcessService.h"

#include "platform/processes/ProcessListTool.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeHostProbe.h"
#include "support/FakeProcessProbe.h"
#include "support/FakeToolRunner.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <limits>

using velk::monitor::ProcessService;
using velk::monitor::ProcInfo;
using velk::platform::processes::ProcessUsage;
using velk::platform::core::ScopedService;

namespace {

const QString kPs = QStringLiteral("/bin/ps");

TEST(ProcessLineParsing, SplitsSixFieldsAndKeepsBlanksInThePath)
{
    const auto row = ProcessService::parseProcessLine(
        u"   812     1 root              0.0  20480 /Applications/Some App.app/Contents/MacOS/Some App  ");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->pid, 812);
    EXPECT_EQ(row->ppid, 1);
    EXPECT_EQ(row->user, "root");
    EXPECT_EQ(row->rssBytes, 20971520u);
    EXPECT_EQ(row->path, "/Applications/Some App.app/Contents/MacOS/Some App");

    // Blanks right after the fifth field belong to the sixth and are trimmed;
    // runs of blanks inside it stay.
    const auto spaced = ProcessService::parseProcessLine(u"7 1 me 0.0 4      my   tool");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->path, "my   tool");
}

TEST(ProcessLineParsing, RejectsMalformedLinesButToleratesABadRss)
{
    EXPECT_FALSE(ProcessService::parseProcessLine(u"812 1 root 0.0 20480"));       // five fields
    EXPECT_FALSE(ProcessService::parseProcessLine(u"abc 1 root 0.0 20480 /bin/x"));
    EXPECT_FALSE(ProcessService::parseProcessLine(u"812 1x root 0.0 20480 /bin/x"));
    EXPECT_FALSE(ProcessService::parseProcessLine(u"99999999999 1 root 0.0 1 /bin/x"));  // beyond 32 bits
    EXPECT_FALSE(ProcessService::parseProcessLine(u"812\t1 root 0.0 20480 /bin/x"));  // only spaces separate

    const auto badRss = ProcessService::parseProcessLine(u"812 1 root 0.0 lots /bin/x");
    ASSERT_TRUE(badRss);
    EXPECT_EQ(badRss->rssBytes, 0u);

    const auto signedPid = ProcessService::parseProcessLine(u"+812 -1 root 0.0 1 /bin/x");
    ASSERT_TRUE(signedPid);
    EXPECT_EQ(signedPid->pid, 812);
    EXPECT_EQ(signedPid->ppid, -1);

    // Any number of leading zeros is still the same number.
    const auto padded = ProcessService::parseProcessLine(
        QString(60, u'0') + QStringLiteral("812 -") + QString(45, u'0') + QStringLiteral("1 root 0.0 0000001 /bin/x"));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->pid, 812);
    EXPECT_EQ(padded->ppid, -1);
    EXPECT_EQ(padded->rssBytes, 1024u);
}

TEST(CpuPercent, WorksOutPercentOfOneCoreOrNothing)
{
    // One second of CPU over two seconds is half a core.
    EXPECT_DOUBLE_EQ(*ProcessService::cpuPercent(1'000'000'000, 2'000'000'000, 2.0, 1, 1), 50.0);
    // A timebase of 125/3 turns ticks into nanoseconds.
    EXPECT_DOUBLE_EQ(*ProcessService::cpuPercent(0, 24'000'000, 1.0, 125, 3), 100.0);

    EXPECT_FALSE(ProcessService::cpuPercent(std::nullopt, 5, 1.0, 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(5, std::nullopt, 1.0, 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(10, 5, 1.0, 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, 0.0, 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, -1.0, 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, std::numeric_limits<double>::infinity(), 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, std::nan(""), 1, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, 1.0, 0, 1));
    EXPECT_FALSE(ProcessService::cpuPercent(1, 5, 1.0, 1, 0));
}

class ProcessesTest : public ::testing::Test {
protected:
    std::shared_ptr<velk::test::FakeToolRunner> tools = std::make_shared<velk::test::FakeToolRunner>();
    std::shared_ptr<velk::test::FakeProcessProbe> procs = std::make_shared<velk::test::FakeProcessProbe>();
    std::shared_ptr<velk::test::FakeHostProbe> host = std::make_shared<velk::test::FakeHostProbe>();
    ScopedService<velk::platform::tools::ToolRunner> runnerScope{tools};
    ScopedService<velk::platform::processes::ProcessProbe> probeScope{procs};
    ScopedService<velk::platform::host::HostProbe> hostScope{host};

    static ProcessService::PreviousRows byPid(const std::vector<ProcInfo>& rows)
    {
        ProcessService::PreviousRows map;
        for (const ProcInfo& r : rows)
            map.insert(r.pid, r);
        return map;
    }
};

TEST_F(ProcessesTest, AsksForTheListAndKeepsItsOrderWithoutOwnToolChildren)
{
    procs->pid = 4242;
    tools->setOutput(kPs,
                     "  900     1 root   0.0   100 /usr/sbin/cron\n"
                     "\n"
                     " 4300  4242 me     0.0    10 /bin/ps\n"
                     " 4301  4242 me     0.0    10 /usr/bin/lsof\n"
                     " 4302   900 me     0.0    10 /bin/ps\n"
                     " 4303  4242 me     0.0    10 /usr/bin/lsofx\n"
                     "   12     1 root   0.0     5 kthreadd\n"
                     "garbage\n");
    const auto rows = ProcessService::processes();

    const auto requests = tools->requestsFor(kPs);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].arguments, (QStringList{"-axo", "pid=,ppid=,user=,pcpu=,rss=,comm="}));
    EXPECT_EQ(requests[0].environment, velk::platform::tools::ToolRequest::Environment::CLocaleOnly);

    std::vector<int> pids;
    for (const auto& r : rows)
        pids.push_back(r.pid);
    EXPECT_EQ(pids, (std::vector<int>{900, 4302, 4303, 12}));
    EXPECT_EQ(rows[0].name, "cron");
    EXPECT_EQ(rows[3].name, "kthreadd");
    EXPECT_EQ(rows[3].path, "kthreadd");
}

TEST_F(ProcessesTest, KernelThreadsFromTheListToolKeepTheirWholeName)
{
    velk::test::TempTree tree;
    tree.fileWithContent("proc/2/stat", "2 (kworker/1:1H-kblockd) I 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n");
    tree.fileWithContent("proc/2/status", "Uid:\t0\t0\t0\t0\n");
    tree.fileWithContent("proc/2/cmdline", "");
    velk::platform::tools::ToolRequest request;
    request.tool = kPs;
    request.arguments = QStringList{"-axo", "pid=,ppid=,user=,pcpu=,rss=,comm="};
    tools->setOutput(kPs, velk::platform::processes::processListOutput(request, tree.path("proc")).output);

    const auto rows = ProcessService::processes();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "[kworker/1:1H-kblockd]");
    EXPECT_EQ(rows[0].path, rows[0].name);
    // Either slash finds it.
    for (const QString& query : QStringList{"kworker/1", "kworker\u22151", "kblockd"})
        EXPECT_TRUE(rows[0].matches(query)) << query.toStdString();
}

TEST_F(ProcessesTest, AProbeWithItsOwnListIsReadWithoutTheTool)
{
    procs->pid = 4242;
    procs->list = std::vector<velk::platform::processes::ProcessRow>{
        {900, 1, "root", 102400, "/usr/sbin/cron  ", {5000, 1, 777, 1'000'000'000}},
        {4300, 4242, "me", 10240, "/usr/bin/lsof", {}},
        {4301, 900, "me", 10240, "[kworker\u22151:1]", {}},
    };
    host->uptimeSeconds = 10.0;
    const auto first = ProcessService::processes();
    EXPECT_TRUE(tools->requestsFor(kPs).isEmpty());
    EXPECT_TRUE(procs->usageQueries.empty());
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].path, "/usr/sbin/cron");  // as the list's text would be parsed
    EXPECT_EQ(first[0].name, "cron");
    EXPECT_EQ(first[0].rssBytes, 102400u);
    EXPECT_EQ(first[0].memoryBytes, 5000u);
    EXPECT_EQ(first[0].started, 777u);
    EXPECT_EQ(first[1].pid, 4301);
    EXPECT_FALSE(first[1].cpuTime);

    (*procs->list)[0].usage.cpuTime = 2'000'000'000;
    host->uptimeSeconds = 12.0;
    const auto second = ProcessService::processes(byPid(first));
    ASSERT_TRUE(second[0].cpuAvailable);
    EXPECT_DOUBLE_EQ(second[0].cpu, 50.0);
}

// A pass over the processes takes time, more so on a busy machine: two
// processes each using one whole core, read early and late in a pass that
// the reader was held up in, show one core each, never more.
TEST_F(ProcessesTest, EachShareUsesTheTimesItsOwnCountersWereRead)
{
    struct Pass {
        double earlyReadAt, lateReadAt, endsAt;
        std::uint64_t earlyCpu, lateCpu;
    };
    // Seconds; CPU in nanoseconds. The first pass is held up after its early
    // process, the second is quick.
    const Pass passes[] = {{100.0, 100.75, 101.0, 0, 0}, {102.0, 102.25, 102.25, 2'000'000'000, 1'500'000'000}};
    for (const bool ownList : {true, false}) {
        SCOPED_TRACE(ownList ? "the probe's own list" : "the list tool");
        std::vector<ProcInfo> rows;
        for (const Pass& pass : passes) {
            const ProcessUsage early{1, 1, 777, pass.earlyCpu, pass.earlyReadAt};
            const ProcessUsage late{1, 1, 778, pass.lateCpu, pass.lateReadAt};
            if (ownList) {
                procs->list = std::vector<velk::platform::processes::ProcessRow>{{10, 1, "me", 1, "/usr/bin/early", early},
                                                                                 {20, 1, "me", 1, "/usr/bin/late", late}};
            } else {
                procs->list.reset();
                tools->setOutput(kPs, "10 1 me 0.0 1 /usr/bin/early\n20 1 me 0.0 1 /usr/bin/late\n");
                procs->usages.insert(10, early);
                procs->usages.insert(20, late);
            }
            host->uptimeSeconds = pass.endsAt;
            rows = ProcessService::processes(byPid(rows));
        }
        ASSERT_EQ(rows.size(), 2u);
        for (const ProcInfo& row : rows) {
            ASSERT_TRUE(row.cpuAvailable) << row.pid;
            EXPECT_DOUBLE_EQ(row.cpu, 100.0) << row.pid;
        }
    }
}

TEST_F(ProcessesTest, AToolThatCannotRunGivesNoProcesses)
{
    EXPECT_TRUE(ProcessService::processes().empty());
}

TEST_F(ProcessesTest, CpuComesFromTwoSamplesOfTheSameProcess)
{
    tools->setOutput(kPs, "  812     1 me 0.0 100 /usr/bin/worker\n    0     0 root 0.0 0 kernel_task\n");
    procs->usages.insert(812, ProcessUsage{50'000'000, 3, 777, 1'000'000'000});
    host->uptimeSeconds = 100.0;
    const auto first = ProcessService::processes();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_FALSE(first[0].cpuAvailable);
    EXPECT_EQ(first[0].cpuText(), "—");
    EXPECT_EQ(first[0].memoryBytes, 50'000'000u);
    EXPECT_EQ(first[0].threads, 3);
    EXPECT_DOUBLE_EQ(first[0].sampledAt, 100.0);

    // Pid 0 is never asked about.
    EXPECT_EQ(std::count(procs->usageQueries.begin(), procs->usageQueries.end(), 0), 0);
    EXPECT_FALSE(first[1].memoryBytes);
    EXPECT_FALSE(first[1].started);
    EXPECT_EQ(first[1].cpuText(), "—");

    procs->usages.insert(812, ProcessUsage{50'000'000, 3, 777, 2'000'000'000});
    host->uptimeSeconds = 102.0;
    const auto second = ProcessService::processes(byPid(first));
    ASSERT_TRUE(second[0].cpuAvailable);
    EXPECT_DOUBLE_EQ(second[0].cpu, 50.0);
    EXPECT_EQ(second[0].cpuText(), "50.0%");
    EXPECT_FALSE(second[1].cpuAvailable);
}

TEST_F(ProcessesTest, AReusedPidStartsAfresh)
{
    procs->usages.insert(812, ProcessUsage{1, 1, 777, 1'000'000'000});
    tools->setOutput(kPs, "812 1 me 0.0 1 /usr/bin/old\n");
    host->uptimeSeconds = 10.0;
    const auto first = ProcessService::processes();

    // Same start time, another program.
    tools->setOutput(kPs, "812 1 me 0.0 1 /usr/bin/new\n");
    procs->usages.insert(812, ProcessUsage{1, 1, 777, 1'500'000'000});
    host->uptimeSeconds = 12.0;
    const auto otherProgram = ProcessService::processes(byPid(first));
    EXPECT_FALSE(otherProgram[0].cpuAvailable);
    EXPECT_EQ(otherProgram[0].cpu, 0.0);

    // The same program, started later.
    tools->setOutput(kPs, "812 1 me 0.0 1 /usr/bin/old\n");
    procs->usages.insert(812, ProcessUsage{1, 1, 900, 1'500'000'000});
    EXPECT_FALSE(ProcessService::processes(byPid(first))[0].cpuAvailable);

    // No start time: no figure, even for the same program.
    procs->usages.insert(812, ProcessUsage{1, 1, std::nullopt, 1'500'000'000});
    const auto unknownStart = ProcessService::processes(byPid(first));
    EXPECT_FALSE(unknownStart[0].cpuAvailable);
    EXPECT_FALSE(ProcessService::processes(byPid(unknownStart))[0].cpuAvailable);
}

// A hold is taken only on the process that was sampled: same pid and start
// time, read once the hold is in place. It is named as it runs then.
TEST_F(ProcessesTest, HoldsOnlyTheSampledProcessAndSignalsThroughTheHold)
{
    using Status = velk::platform::processes::SignalOutcome::Status;
    auto sampled = [](qint32 pid, quint64 started, const QString& path) {
        ProcInfo p;
        p.pid = pid;
        p.started = started;
        p.path = path;
        return p;
    };
    procs->running.insert(812, {5000, "/usr/sbin/nginx"});
    procs->running.insert(2, {7, QString::fromUtf8("kworker\u22150:1")});
    const struct {
        const char* what;
        ProcInfo sample;
        QString heldAs;  // empty: not held
    } cases[] = {
        {"the same process", sampled(812, 5000, "/usr/sbin/nginx"), "nginx"},
        {"a short name as listed", sampled(2, 7, "kworker/0:1"), "kworker/0:1"},
        {"its pid given to a later process", sampled(812, 4000, "/usr/sbin/nginx"), ""},
        {"another program since", sampled(812, 5000, "/usr/bin/old"), "nginx"},
        {"no start time sampled", [&] { ProcInfo p = sampled(812, 0, "/usr/sbin/nginx"); p.started.reset(); return p; }(), ""},
        {"ended", sampled(813, 5000, "/usr/sbin/nginx"), ""},
    };
    for (const auto& c : cases) {
        const auto held = ProcessService::hold(c.sample);
        EXPECT_EQ(held ? ProcessService::heldName(*held) : QString(), c.heldAs) << c.what;
    }

    // Pid 0 and process-group pids are never even asked for.
    procs->holdQueries.clear();
    EXPECT_FALSE(ProcessService::hold(sampled(0, 5000, "/sbin/init")));
    EXPECT_FALSE(ProcessService::hold(sampled(-812, 5000, "/usr/sbin/nginx")));
    EXPECT_TRUE(procs->holdQueries.empty());

    const auto hold = ProcessService::hold(sampled(812, 5000, "/usr/sbin/nginx"));
    ASSERT_TRUE(hold);
    EXPECT_EQ(ProcessService::terminate(*hold, false).status, Status::Sent);
    EXPECT_EQ(ProcessService::terminate(*hold, true).status, Status::Sent);
    EXPECT_EQ(procs->sent, (std::vector<std::pair<int, int>>{{812, SIGTERM}, {812, SIGKILL}}));
}

TEST_F(ProcessesTest, MetricsAreAbsentForNonPositivePids)
{
    procs->usages.insert(0, ProcessUsage{1, 1, 1, 1});
    EXPECT_EQ(ProcessService::metrics(0), ProcessService::Metrics{});
    EXPECT_EQ(ProcessService::metrics(-3), ProcessService::Metrics{});
    procs->usages.insert(5, ProcessUsage{10, 2, 3, 4});
    EXPECT_EQ(ProcessService::metrics(5), (ProcessService::Metrics{10, 2, 3, 4}));
}

} // namespace
