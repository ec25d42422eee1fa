#include "support/FakeMonitorSources.h"
#include "support/FakeProcessProbe.h"
#include "ui/screens/processes/ProcessMonitorModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <cerrno>
#include <csignal>

namespace velk::test {
namespace {

using screens::ProcessMonitorModel;

// The Processes screen's state over a monitor fed by fake readings.
class ProcessMonitorModelTest : public MonitorTest {
protected:
    platform::core::ScopedService<platform::processes::ProcessProbe> probe{std::make_shared<FakeProcessProbe>()};
    std::unique_ptr<ProcessMonitorModel> screen;

    FakeProcessProbe& probeDouble() { return static_cast<FakeProcessProbe&>(*probe); }

    void SetUp() override
    {
        screen = std::make_unique<ProcessMonitorModel>(&monitor());
        tester = std::make_unique<QAbstractItemModelTester>(screen->visibleModel(),
                                                            QAbstractItemModelTester::FailureReportingMode::Warning);
    }

    void TearDown() override
    {
        tester.reset();
        screen.reset();
        MonitorTest::TearDown();
    }

    // A tick that lists `list` (pid, cpu) in that order: the processes that
    // run from now on.
    void tickWith(const std::vector<std::pair<qint32, double>>& list)
    {
        sources->nextProcesses.clear();
        probeDouble().running.clear();
        for (const auto& [pid, cpu] : list) {
            monitor::ProcInfo p = proc(pid, 1, 1000 + pid, "/usr/bin/app" + QString::number(pid));
            p.cpu = cpu;
            sources->nextProcesses.push_back(p);
            probeDouble().running.insert(pid, {*p.started, p.path});
        }
        tick();
    }

    std::vector<qint32> visible() const
    {
        std::vector<qint32> pids;
        const auto* model = screen->visibleModel();
        for (int row = 0; row < model->rowCount(); ++row)
            pids.push_back(model->data(model->index(row), monitor::ProcessListModel::PidRole).toInt());
        return pids;
    }

    std::optional<qint32> selected() { return monitor().selectedPid(); }

private:
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ProcessMonitorModelTest, VisibleListFollowsTicksByKeyWithoutReset)
{
    QSignalSpy resets(screen->visibleModel(), &QAbstractItemModel::modelReset);
    QSignalSpy moves(screen->visibleModel(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changes(screen->visibleModel(), &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(screen->sampled());

    tickWith({{1, 1.0}, {2, 5.0}, {3, 3.0}});
    EXPECT_TRUE(screen->sampled());
    EXPECT_EQ(visible(), (std::vector<qint32>{2, 3, 1}));
    tickWith({{1, 9.0}, {2, 5.0}, {4, 4.0}});
    EXPECT_EQ(visible(), (std::vector<qint32>{1, 2, 4}));
    EXPECT_GT(moves.count(), 0);
    EXPECT_GT(changes.count(), 0);
    screen->setSortKey(ProcessMonitorModel::Pid);
    EXPECT_EQ(visible(), (std::vector<qint32>{4, 2, 1}));
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(ProcessMonitorModelTest, SelectionFollowsItsProcessUntilItExits)
{
    tickWith({{1, 1.0}, {2, 5.0}, {3, 3.0}});
    screen->appear();
    screen->tapRow(3);
    EXPECT_EQ(selected(), 3);
    EXPECT_TRUE(screen->showsDetail());

    tickWith({{1, 1.0}, {2, 0.0}, {3, 9.0}});   // its row moves to the top
    EXPECT_EQ(visible().front(), 3);
    EXPECT_EQ(selected(), 3);

    tickWith({{1, 1.0}, {2, 0.0}});
    EXPECT_EQ(selected(), std::nullopt);
    EXPECT_FALSE(screen->showsDetail());
}

TEST_F(ProcessMonitorModelTest, TapSelectsAndSecondTapDeselects)
{
    tickWith({{1, 1.0}, {2, 5.0}});
    QSignalSpy writes(&monitor(), &monitor::SystemMonitor::selectedPidChanged);
    screen->tapRow(2);
    screen->tapRow(1);
    EXPECT_EQ(selected(), 1);
    screen->tapRow(1);
    EXPECT_EQ(selected(), std::nullopt);
    EXPECT_EQ(writes.count(), 3);
}

// Only a change of the ordered pid list runs the rule: a selection outside
// the list survives ticks that only move figures.
TEST_F(ProcessMonitorModelTest, FiguresOnlyTickLeavesTheRuleAlone)
{
    tickWith({{1, 1.0}, {2, 5.0}});
    monitor().setSelectedPid(77);
    QSignalSpy writes(&monitor(), &monitor::SystemMonitor::selectedPidChanged);
    tickWith({{1, 8.0}, {2, 0.5}});
    EXPECT_EQ(selected(), 77);
    EXPECT_EQ(writes.count(), 0);
    EXPECT_FALSE(screen->showsDetail());

    tickWith({{2, 0.5}, {1, 8.0}});   // same pids, new order
    EXPECT_EQ(selected(), std::nullopt);
    EXPECT_EQ(writes.count(), 1);
}

TEST_F(ProcessMonitorModelTest, SearchAndFilterThatHideTheSelectionClearIt)
{
    tickWith({{10, 1.0}, {20, 5.0}});
    screen->tapRow(10);
    QSignalSpy writes(&monitor(), &monitor::SystemMonitor::selectedPidChanged);
    screen->setSearchText("app1");          // still shows 10
    EXPECT_EQ(selected(), 10);
    EXPECT_EQ(writes.count(), 0);            // an unchanged selection is not written again
    screen->setSearchText("app20");
    EXPECT_EQ(visible(), (std::vector<qint32>{20}));
    EXPECT_EQ(selected(), std::nullopt);
    screen->setSearchText("");
    EXPECT_EQ(selected(), std::nullopt);     // not restored

    screen->tapRow(20);
    screen->setShowOnlyListening(true);     // no socket data yet: nothing listens
    EXPECT_TRUE(visible().empty());
    EXPECT_EQ(selected(), std::nullopt);
}

TEST_F(ProcessMonitorModelTest, RequestForAProcessNotRunningStaysPendingUntilATap)
{
    tickWith({{1, 1.0}, {2, 5.0}});
    screen->setSearchText("app1");
    screen->setShowOnlyListening(true);
    QSignalSpy scrolls(screen.get(), &ProcessMonitorModel::scrollRequested);

    screen->setRequest(monitor::ProcessNavigationRequest(monitor::ProcSort::mem, 9));
    EXPECT_EQ(screen->sortKey(), ProcessMonitorModel::Memory);
    EXPECT_TRUE(screen->searchText().isEmpty());
    EXPECT_FALSE(screen->showOnlyListening());
    EXPECT_EQ(visible(), (std::vector<qint32>{1, 2}));
    EXPECT_EQ(selected(), 9);
    EXPECT_EQ(screen->requestedPid(), 9);
    EXPECT_FALSE(screen->showsDetail());     // the list stays at full width
    ASSERT_EQ(scrolls.count(), 1);
    EXPECT_EQ(scrolls.front().front().toInt(), 9);

    tickWith({{2, 5.0}, {1, 1.0}});
    EXPECT_EQ(selected(), 9);
    EXPECT_EQ(screen->requestedPid(), 9);

    screen->tapRow(2);
    EXPECT_EQ(screen->requestedPid(), std::nullopt);
    EXPECT_EQ(selected(), 2);
    tickWith({{2, 5.0}, {1, 1.0}, {9, 0.0}});
    EXPECT_EQ(selected(), 2);
}

TEST_F(ProcessMonitorModelTest, RequestIsFulfilledWhenItsProcessShows)
{
    tickWith({{1, 1.0}});
    screen->setRequest(monitor::ProcessNavigationRequest(monitor::ProcSort::pid, 5));
    tickWith({{1, 1.0}, {5, 0.0}});
    EXPECT_EQ(selected(), 5);
    EXPECT_EQ(screen->requestedPid(), std::nullopt);
    EXPECT_TRUE(screen->showsDetail());
    EXPECT_EQ(screen->rowOf(5), 0);

    // A request without a pid keeps a visible selection.
    screen->setRequest(monitor::ProcessNavigationRequest(monitor::ProcSort::name, std::nullopt));
    EXPECT_EQ(screen->sortKey(), ProcessMonitorModel::Name);
    EXPECT_EQ(selected(), 5);
}

TEST_F(ProcessMonitorModelTest, CountsOfTheHeader)
{
    sources->nextSockets = {
        socket(1, "TCP", endpoint("127.0.0.1", 8080), std::nullopt, "LISTEN"),
        socket(1, "TCP", endpoint("127.0.0.1", 443), std::nullopt, "LISTEN"),
        socket(1, "TCP", endpoint("127.0.0.1", 80), std::nullopt, "LISTEN"),
        socket(2, "TCP", endpoint("::", 80), std::nullopt, "LISTEN"),
        socket(2, "TCP", endpoint("127.0.0.1", 5000), endpoint("127.0.0.1", 80), "ESTABLISHED"),
    };
    sources->nextProcesses = {proc(1), proc(2), proc(3)};
    EXPECT_EQ(screen->listenerCount(), 0);
    monitor().setPortsEnabled(true);
    exec().runAll();

    EXPECT_EQ(screen->listenerCount(), 4);
    EXPECT_EQ(screen->listenerCountText(), QStringLiteral("4"));
    screen->setSearchText("nothing-like-this");
    EXPECT_TRUE(visible().empty());
    EXPECT_EQ(screen->processCountText(), QStringLiteral("3"));
    EXPECT_EQ(screen->portBadges().value("1").toString(), QStringLiteral(":80,443"));
    EXPECT_EQ(screen->portBadges().value("2").toString(), QStringLiteral(":80"));
    EXPECT_FALSE(screen->portBadges().contains("3"));

    screen->setSearchText("");
    screen->setShowOnlyListening(true);
    EXPECT_EQ(visible(), (std::vector<qint32>{1, 2}));
}

TEST_F(ProcessMonitorModelTest, TerminateSignalsTheProcessTheAlertWasOpenedFor)
{
    tickWith({{1, 1.0}, {2, 5.0}});
    screen->askTerminate(2);
    EXPECT_TRUE(screen->terminateAlertShown());
    EXPECT_EQ(screen->terminateMessage(), QStringLiteral("\u2068app2\u2069 (PID 2)"));
    EXPECT_TRUE(screen->confirmTerminate());
    EXPECT_FALSE(screen->terminateAlertShown());
    ASSERT_EQ(probeDouble().sent.size(), 1u);
    EXPECT_EQ(probeDouble().sent.front(), std::make_pair(2, SIGTERM));

    screen->askTerminate(1);
    screen->cancelTerminate();
    EXPECT_FALSE(screen->terminateAlertShown());
    EXPECT_EQ(probeDouble().sent.size(), 1u);
}

// The alert names what Terminate would end, from the hold taken when it
// opens, and later samples leave it. A process that has run another program
// is still that process (pid and start time): it is named as it ran when the
// alert opened and ended. One that has gone, or whose pid went to another, is
// not signalled, and nothing says so.
TEST_F(ProcessMonitorModelTest, TheAlertNamesWhatTerminateEnds)
{
    enum When { BeforeOpen, WhileOpen };
    const QString app2 = QStringLiteral("\u2068app2\u2069 (PID 2)");
    const struct {
        const char* what;
        When when;
        std::optional<FakeProcessProbe::Running> now;  // pid 2 from then on; nothing: ended
        QString message;
        bool sent;
    } cases[] = {
        {"another program before the alert", BeforeOpen, {{1002, "/usr/bin/next"}}, "\u2068next\u2069 (PID 2)", true},
        {"another program while it is open", WhileOpen, {{1002, "/usr/bin/next"}}, app2, true},
        // A zombie has neither executable nor arguments: it is listed by its
        // short name in brackets.
        {"a zombie while it is open", WhileOpen, {{1002, "[app2]"}}, app2, true},
        {"its pid reused before the alert", BeforeOpen, {{99999, "/usr/bin/other"}}, "", false},
        {"its pid reused while it is open", WhileOpen, {{99999, "/usr/bin/other"}}, app2, false},
        {"gone before the alert", BeforeOpen, std::nullopt, "", false},
        {"gone while it is open", WhileOpen, std::nullopt, app2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tickWith({{1, 1.0}, {2, 5.0}});
        probeDouble().sent.clear();
        const auto change = [&] {
            probeDouble().running.remove(2);
            sources->nextProcesses.resize(1);
            if (c.now) {
                probeDouble().running.insert(2, *c.now);
                sources->nextProcesses.push_back(proc(2, 1, c.now->startTime, c.now->command));
            }
        };
        if (c.when == BeforeOpen)
            change();
        screen->askTerminate(2);
        if (c.when == WhileOpen) {
            change();
            tick();
        }
        EXPECT_TRUE(screen->terminateAlertShown());
        EXPECT_EQ(screen->terminateMessage(), c.message);
        EXPECT_EQ(screen->confirmTerminate(), c.sent);
        using Sent = std::vector<std::pair<int, int>>;
        EXPECT_EQ(probeDouble().sent, (c.sent ? Sent{{2, SIGTERM}} : Sent{}));
        EXPECT_FALSE(screen->terminateRefusalShown());
    }
}

TEST_F(ProcessMonitorModelTest, TerminateNeverSignalsPidZeroOrAProcessGroup)
{
    // Neither pid 0 nor a process-group pid is ever signalled.
    sources->nextProcesses = {proc(0, 0, 5, "/sbin/kernel"), proc(-1, 0, 5, "/sbin/all")};
    tick();
    screen->askTerminate(0);
    EXPECT_FALSE(screen->confirmTerminate());
    screen->askTerminate(-1);
    EXPECT_FALSE(screen->confirmTerminate());
    EXPECT_TRUE(probeDouble().sent.empty());
}

TEST_F(ProcessMonitorModelTest, ARefusedTerminateSaysWhyUntilItsAlertCloses)
{
    tickWith({{1, 1.0}, {2, 5.0}});
    probeDouble().outcome = {platform::processes::SignalOutcome::Status::Refused, EPERM};
    QSignalSpy refusals(screen.get(), &ProcessMonitorModel::terminateRefusalChanged);
    screen->askTerminate(2);
    EXPECT_FALSE(screen->confirmTerminate());
    EXPECT_FALSE(screen->terminateAlertShown());
    EXPECT_TRUE(screen->terminateRefusalShown());
    EXPECT_EQ(screen->terminateRefusal(),
              QStringLiteral("系统拒绝结束 \u2068app2\u2069 (PID 2)：没有权限（Operation not permitted）"));
    EXPECT_EQ(screen->terminateRefusalEnglish(),
              QStringLiteral("The system refused to terminate \u2068app2\u2069 (PID 2): Operation not permitted."));
    screen->clearTerminateRefusal();
    EXPECT_FALSE(screen->terminateRefusalShown());
    EXPECT_EQ(refusals.count(), 2);
}

} // namespace
} // namespace velk::test
