#include "engine/language/LanguageManager.h"
#include "support/FakeHostProbe.h"
#include "support/FakeMonitorSources.h"
#include "support/FakeProcessProbe.h"
#include "support/ui/ItemDriver.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/AppIconCache.h"
#include "ui/design/QuickFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/screens/processes/ProcessMonitorModel.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cerrno>

namespace velk::test {
namespace {

using screens::ProcessMonitorModel;

// The Processes screen in a window the size of the main window's content,
// over a monitor fed by fake readings (or, for pictures, the real ones).
class ProcessMonitorViewTest : public QuickFixture {
protected:
    platform::core::ScopedService<platform::core::Executor> executor{std::make_shared<ManualExecutor>()};
    platform::core::ScopedService<platform::core::Clock> clock{std::make_shared<ManualClock>()};
    platform::core::ScopedService<platform::processes::ProcessProbe> probe{std::make_shared<FakeProcessProbe>()};
    std::shared_ptr<FakeHostProbe> host = std::make_shared<FakeHostProbe>();
    platform::core::ScopedService<platform::host::HostProbe> hostService{host};
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();
    std::unique_ptr<monitor::SystemMonitor> monitor;

    ProcessMonitorViewTest()
    {
        window.resize(1120, 640);
        host->memory = 17'179'869'184;
    }

    ~ProcessMonitorViewTest() override
    {
        item.reset();
        static_cast<ManualExecutor&>(*executor).runAll();
    }

    void tick()
    {
        monitor->sample();
        static_cast<ManualExecutor&>(*executor).runAll();
    }

    // One sample of the real readings, published.
    void sampleAndWait()
    {
        QSignalSpy published(monitor.get(), &monitor::SystemMonitor::processesChanged);
        monitor->sample();
        EXPECT_TRUE(waitFor([&] { return published.count() > 0; }, 20000));
        EXPECT_TRUE(laidOut());
    }

    QQuickItem* buildScreen()
    {
        if (!monitor)
            monitor = std::make_unique<monitor::SystemMonitor>(sources);
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Velk.Processes\nProcessMonitorView {}\n",
                          QUrl("qrc:/test/Processes.qml"));
        EXPECT_TRUE(component.isReady()) << component.errorString().toStdString();
        if (!component.isReady())
            return nullptr;
        item.reset(qobject_cast<QQuickItem*>(
            component.createWithInitialProperties({{"monitor", QVariant::fromValue<QObject*>(monitor.get())}})));
        EXPECT_TRUE(item) << component.errorString().toStdString();
        if (!item)
            return nullptr;
        item->setParentItem(window.contentItem());
        item->setSize(window.size());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return item.get();
    }

    ProcessMonitorModel* screen() const { return item->property("screen").value<ProcessMonitorModel*>(); }

    QList<QQuickItem*> rows() const
    {
        QList<QQuickItem*> found;
        collect(item.get(), "processes.row", found);
        // Top to bottom: moved delegates keep their place among the children.
        std::sort(found.begin(), found.end(),
                  [](QQuickItem* a, QQuickItem* b) { return a->mapToScene({}).y() < b->mapToScene({}).y(); });
        return found;
    }

    // The first shown item named `name`, searched by the visual tree, which
    // also reaches repeated items.
    QQuickItem* shown(const QString& name) const
    {
        QList<QQuickItem*> found;
        collect(item.get(), name, found);
        EXPECT_FALSE(found.isEmpty()) << name.toStdString();
        return found.value(0);
    }

    QString shownText(const QString& name) const
    {
        return ItemDriver::text(shown(name));
    }

    // All shown items named `name` under the shown item `under`.
    QList<QQuickItem*> shownUnder(const QString& under, const QString& name) const
    {
        QList<QQuickItem*> found;
        if (QQuickItem* from = shown(under))
            collect(from, name, found);
        return found;
    }

    // Scrolls the detail area to its end.
    void scrollDetailToEnd()
    {
        auto* flick = shown("processes.detail")->property("contentItem").value<QQuickItem*>();
        ASSERT_TRUE(flick);
        flick->setProperty("contentY", std::max(0.0, flick->property("contentHeight").toDouble() - flick->height()));
        ASSERT_TRUE(laidOut());
    }

    void shoot(const QString& name)
    {
        const QString folder = qEnvironmentVariable("VELK_SHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        ASSERT_TRUE(laidOut());
        window.grabWindow().save(QDir(folder).filePath(name + ".png"));
    }

    // Every theme and language, one picture each.
    void shootAll(const QString& name)
    {
        for (const char* theme : {"classic", "cyber"}) {
            design::ThemeManager::shared().setCurrentRawValue(theme);
            // The screen is drawn over the window's backdrop.
            window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
            for (const char* lang : {"zh-Hans", "en"}) {
                language::LanguageManager::shared().setCurrent(lang);
                shoot(name + '-' + theme + '-' + lang);
            }
        }
        design::ThemeManager::shared().setCurrentRawValue("classic");
        language::LanguageManager::shared().setCurrent("zh-Hans");
    }

private:
    static void collect(QQuickItem* from, const QString& name, QList<QQuickItem*>& found)
    {
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == name && child->isVisible())
                found.append(child);
            collect(child, name, found);
        }
    }
};

monitor::ProcInfo listed(qint32 pid, const QString& path, const QString& user, double cpu, quint64 memory, int threads)
{
    monitor::ProcInfo p = proc(pid, 1, 5000 + pid, path);
    p.user = user;
    p.cpu = cpu;
    p.cpuAvailable = true;
    p.memoryBytes = memory;
    p.threads = threads;
    return p;
}

TEST_F(ProcessMonitorViewTest, HeaderListAndSelection)
{
    sources->nextProcesses = {
        listed(1, "/sbin/init", "root", 0.2, 12'000'000, 1),
        listed(812, "/usr/sbin/nginx", "www-data", 63.5, 48'200'000, 4),
        listed(2040, "/usr/bin/python3", "ann", 12.0, 1'250'000'000, 9),
    };
    sources->nextSockets = {
        socket(812, "TCP", endpoint("127.0.0.1", 80), std::nullopt, "LISTEN"),
        socket(812, "TCP", endpoint("127.0.0.1", 443), std::nullopt, "LISTEN"),
        socket(812, "TCP", endpoint("::", 8443), std::nullopt, "LISTEN"),
    };
    ASSERT_TRUE(buildScreen());
    EXPECT_TRUE(find("processes.spinner")->isVisible());
    EXPECT_FALSE(find("processes.listeners")->isVisible());

    monitor->setPortsEnabled(true);
    static_cast<ManualExecutor&>(*executor).runAll();
    ASSERT_TRUE(laidOut());
    EXPECT_FALSE(find("processes.spinner")->isVisible());
    EXPECT_EQ(find("pageHeader.subtitle")->property("text").toString(), "3");
    EXPECT_TRUE(find("processes.listeners")->isVisible());
    EXPECT_EQ(find("processes.listeners")->property("text").toString(), QStringLiteral("3 网络监听"));
    ASSERT_EQ(rows().size(), 3);
    EXPECT_EQ(rows().front()->property("pid").toInt(), 812);
    EXPECT_EQ(ItemDriver(window).find("processes.row[812]"), rows().front());
    EXPECT_EQ(rows().front()->property("ports").toString(), ":80,443");
    EXPECT_EQ(rows().front()->property("identity").toString(), QStringLiteral("PID 812 · T 4 · \u2068www-data\u2069"));
    EXPECT_TRUE(rows().front()->property("cpuHot").toBool());
    shootAll("processes-list");

    click(rows().at(1));
    EXPECT_EQ(monitor->selectedPid(), 2040);
    ASSERT_TRUE(laidOut());
    EXPECT_TRUE(find("processes.split")->isVisible());
    EXPECT_FALSE(find("processes.fullList")->isVisible());
    shootAll("processes-selected");

    click(find("processes.listeningFilter"));
    EXPECT_TRUE(screen()->showOnlyListening());
    EXPECT_EQ(monitor->selectedPid(), std::nullopt);
    ASSERT_TRUE(laidOut());
    EXPECT_FALSE(find("processes.split")->isVisible());
    ASSERT_EQ(rows().size(), 1);
    shootAll("processes-listening");

    screen()->setShowOnlyListening(false);
    ASSERT_TRUE(laidOut());
    click(shown("processes.sort.name"));
    EXPECT_EQ(screen()->sortKey(), ProcessMonitorModel::Name);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(rows().front()->property("name").toString(), "init");
}

// Not shown, the screen leaves its list as it was and catches up when it is
// shown again; the list has no current row whose highlight would follow it
// through every re-sort.
TEST_F(ProcessMonitorViewTest, AHiddenScreenLeavesItsListUntilShown)
{
    sources->nextProcesses = {listed(1, "/sbin/init", "root", 0.2, 12'000'000, 1),
                              listed(812, "/usr/sbin/nginx", "www-data", 3.5, 48'200'000, 4)};
    ASSERT_TRUE(buildScreen());
    tick();
    ASSERT_TRUE(laidOut());
    ASSERT_EQ(rows().size(), 2);

    item->setVisible(false);
    sources->nextProcesses.push_back(listed(2040, "/usr/bin/python3", "ann", 90.0, 1'250'000'000, 9));
    tick();
    EXPECT_EQ(screen()->visibleModel()->rowCount(), 2);
    item->setVisible(true);
    EXPECT_EQ(screen()->visibleModel()->rowCount(), 3);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(rows().front()->property("pid").toInt(), 2040);
    EXPECT_EQ(shown("processes.list")->property("highlightItem").value<QQuickItem*>(), nullptr);
}

TEST_F(ProcessMonitorViewTest, TerminateAlertIsTheWindowsAlertForItsProcess)
{
    sources->nextProcesses = {listed(812, "/usr/sbin/nginx", "www-data", 3.5, 48'200'000, 4)};
    static_cast<FakeProcessProbe&>(*probe).running.insert(812, {5812, "/usr/sbin/nginx"});
    ASSERT_TRUE(buildScreen());
    tick();
    auto* alert = find<design::AlertPresentation>("processes.terminateAlert");
    ASSERT_TRUE(alert);
    auto* host = design::PresentationHost::alertHost(&window);

    // Cancel sends nothing and closes.
    screen()->askTerminate(812);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(host->current(), alert);
    EXPECT_EQ(host->title(), QStringLiteral("结束进程？"));
    EXPECT_EQ(host->message(), QStringLiteral("\u2068nginx\u2069 (PID 812)"));
    EXPECT_EQ(host->buttonTexts(), QStringList({QStringLiteral("取消"), QStringLiteral("结束进程")}));
    alert->pressCancel();
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(host->current(), nullptr);
    EXPECT_FALSE(screen()->terminateAlertShown());
    auto& sent = static_cast<FakeProcessProbe&>(*probe).sent;
    EXPECT_TRUE(sent.empty());

    screen()->askTerminate(812);
    ASSERT_TRUE(laidOut());
    ASSERT_EQ(host->current(), alert);
    shootAll("processes-terminate");
    alert->press(1);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(host->current(), nullptr);
    EXPECT_FALSE(screen()->terminateAlertShown());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent.front().first, 812);
    EXPECT_FALSE(find<design::AlertPresentation>("processes.terminateRefusedAlert")->property("presented").toBool());

    // A Terminate the system refuses says so, in its own alert.
    static_cast<FakeProcessProbe&>(*probe).outcome = {platform::processes::SignalOutcome::Status::Refused, EPERM};
    screen()->askTerminate(812);
    ASSERT_TRUE(laidOut());
    alert->press(1);
    ASSERT_TRUE(laidOut());
    auto* refused = find<design::AlertPresentation>("processes.terminateRefusedAlert");
    ASSERT_EQ(host->current(), refused);
    EXPECT_EQ(host->title(), QStringLiteral("无法结束进程"));
    EXPECT_EQ(host->message(), QStringLiteral("系统拒绝结束 \u2068nginx\u2069 (PID 812)：没有权限（Operation not permitted）"));
    EXPECT_EQ(host->buttonTexts(), QStringList({QStringLiteral("好")}));
    shootAll("processes-terminate-refused");
    refused->pressDefault();
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(host->current(), nullptr);
    EXPECT_FALSE(screen()->terminateRefusalShown());
}

// The window's alert shows what the hold found when it opened: a process
// that ran another program before it opened is named as it runs now, and a
// later sample changes nothing, even once the process has gone (the model's
// tests go through every other fate).
TEST_F(ProcessMonitorViewTest, TheTerminateAlertNamesWhatTheHoldFound)
{
    const QString nginx = QStringLiteral("\u2068nginx\u2069 (PID 812)");
    const struct {
        const char* what;
        bool whileOpen;
        std::optional<FakeProcessProbe::Running> now;  // pid 812 from then on; nothing: ended
        QString message;
    } cases[] = {
        {"another program before the alert", false, {{5812, "/usr/bin/next"}}, "\u2068next\u2069 (PID 812)"},
        {"gone while it is open", true, std::nullopt, nginx},
        {"gone before the alert", false, std::nullopt, ""},
    };
    auto& running = static_cast<FakeProcessProbe&>(*probe).running;
    ASSERT_TRUE(buildScreen());
    auto* host = design::PresentationHost::alertHost(&window);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sources->nextProcesses = {listed(812, "/usr/sbin/nginx", "www-data", 3.5, 48'200'000, 4)};
        running.insert(812, {5812, "/usr/sbin/nginx"});
        tick();
        const auto change = [&] {
            running.remove(812);
            sources->nextProcesses.clear();
            if (c.now) {
                running.insert(812, *c.now);
                sources->nextProcesses.push_back(listed(812, c.now->command, "www-data", 3.5, 48'200'000, 4));
                sources->nextProcesses.back().started = c.now->startTime;
            }
        };
        if (!c.whileOpen)
            change();
        screen()->askTerminate(812);
        if (c.whileOpen) {
            change();
            tick();
        }
        ASSERT_TRUE(laidOut());
        EXPECT_EQ(host->title(), QStringLiteral("结束进程？"));
        EXPECT_EQ(host->message(), c.message);
        screen()->cancelTerminate();
        ASSERT_TRUE(laidOut());
        EXPECT_EQ(host->current(), nullptr);
    }
}

// A program named with a direction override shows the override written out
// in its row, its detail and the terminate alert, which names it isolated.
TEST_F(ProcessMonitorViewTest, AProgramNameThatTurnsTextIsWrittenOut)
{
    sources->nextProcesses = {listed(812, QString::fromUtf8("/tmp/x\u202Ecod.exe"), "ann", 3.5, 48'200'000, 4)};
    static_cast<FakeProcessProbe&>(*probe).running.insert(812, {5812, QString::fromUtf8("/tmp/x\u202Ecod.exe")});
    ASSERT_TRUE(buildScreen());
    tick();
    ASSERT_TRUE(laidOut());
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(ItemDriver::text(findVisual(rows().front(), "processes.row.name")), "x<U+202E>cod.exe");
    monitor->setSelectedPid(812);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(shownText("processes.detail.name"), "x<U+202E>cod.exe");
    EXPECT_EQ(shownText("processes.detail.path"), "/tmp/x<U+202E>cod.exe");
    screen()->askTerminate(812);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(design::PresentationHost::alertHost(&window)->message(),
              QString::fromUtf8("\u2068x<U+202E>cod.exe\u2069 (PID 812)"));
    shootAll("processes-name-written-out");
}

// A process inside an application bundle shows the bundle's icon from the
// shared cache; any other process its symbol.
TEST_F(ProcessMonitorViewTest, BundleIconComesFromTheSharedCache)
{
    ASSERT_TRUE(show("import Velk.Processes\nItem { width: 100; height: 40\n"
                     "ProcessIcon { objectName: \"inBundle\"; user: \"ann\"; size: 40;"
                     " bundlePath: \"/opt/Shelf/Notes.app\" }\n"
                     "ProcessIcon { objectName: \"plain\"; x: 50; user: \"root\"; size: 40 } }\n"));
    ASSERT_TRUE(waitFor([&] { return find("inBundle")->findChild<QQuickItem*>("processIcon.bundle")->isVisible(); },
                        5000));
    EXPECT_TRUE(design::AppIconCache::shared().cached("/opt/Shelf/Notes.app").has_value());
    EXPECT_FALSE(find("inBundle")->findChild<QQuickItem*>("processIcon.symbol")->isVisible());
    EXPECT_FALSE(find("plain")->findChild<QQuickItem*>("processIcon.bundle")->isVisible());
    EXPECT_EQ(find("plain")->findChild<QQuickItem*>("processIcon.symbol")->property("name").toString(),
              "gearshape.fill");
}

// nginx (812) listens on the loopback, has twelve workers, a local client
// (2040) and two remote hosts.
void detailFixture(FakeMonitorSources& sources)
{
    monitor::ProcInfo nginx = listed(812, "/usr/sbin/nginx", "www-data", 63.5, 1'700'000'000, 4);
    nginx.rssBytes = 999'400'000;
    sources.nextProcesses = {listed(1, "/sbin/init", "root", 0.2, 12'000'000, 1), nginx,
                             listed(2040, "/usr/bin/python3", "ann", 12.0, 1'250'000'000, 9)};
    for (int i = 0; i < 12; ++i) {
        monitor::ProcInfo worker = listed(900 + i, "/usr/sbin/nginx-worker", "www-data", i, 10'000'000, 1);
        worker.ppid = 812;
        sources.nextProcesses.push_back(worker);
    }
    sources.nextSockets = {
        socket(812, "TCP", endpoint("127.0.0.1", 80), std::nullopt, "LISTEN"),
        socket(812, "TCP", endpoint("127.0.0.1", 443), std::nullopt, "LISTEN"),
        socket(812, "TCP", endpoint("127.0.0.1", 80), endpoint("127.0.0.1", 51000), "ESTABLISHED"),
        socket(2040, "TCP", endpoint("127.0.0.1", 51000), endpoint("127.0.0.1", 80), "ESTABLISHED"),
        socket(812, "TCP", endpoint("192.0.2.10", 443), endpoint("198.51.100.7", 60001), "ESTABLISHED"),
        socket(812, "TCP", endpoint("192.0.2.10", 443), endpoint("198.51.100.7", 60002), "ESTABLISHED"),
        socket(812, "TCP", endpoint("192.0.2.10", 443), endpoint("203.0.113.5", 60003), "ESTABLISHED"),
    };
}

TEST_F(ProcessMonitorViewTest, DetailShowsTheSelectedProcess)
{
    detailFixture(*sources);
    ASSERT_TRUE(buildScreen());
    monitor->setPortsEnabled(true);
    static_cast<ManualExecutor&>(*executor).runAll();
    monitor->setSelectedPid(812);
    ASSERT_TRUE(laidOut());
    ASSERT_TRUE(find("processes.split")->isVisible());

    EXPECT_EQ(shownText("processes.detail.name"), "nginx");
    EXPECT_EQ(shownText("processes.detail.path"), "/usr/sbin/nginx");
    EXPECT_EQ(shownText("processes.detail.pid.value"), "812");
    EXPECT_EQ(shownText("processes.detail.ppid.value"), "1");
    EXPECT_EQ(shownText("processes.detail.user.value"), "www-data");
    EXPECT_EQ(shownText("processes.detail.cpu.value"), "63.5%");
    EXPECT_EQ(shownText("processes.detail.memory.value"), "9.9%");
    EXPECT_EQ(shownText("processes.detail.memory.subtitle"), "1.70 GB");
    EXPECT_EQ(shownText("processes.detail.threads.value"), "4");
    EXPECT_EQ(shownText("processes.detail.machPorts.value"), QStringLiteral("—"));
    EXPECT_EQ(shownText("processes.detail.rss.value"), "999.4 MB");
    // Hints on Mach ports and RSS only.
    EXPECT_TRUE(shown("processes.detail.machPorts.hint"));
    EXPECT_TRUE(shown("processes.detail.rss.hint"));
    EXPECT_FALSE(find("processes.detail.threads.hint")->isVisible());
    // Each shows on its background inside the window, also at the right edge.
    for (const QString name : {"processes.detail.machPorts.hint", "processes.detail.rss.hint"}) {
        QQuickItem* hint = shown(name);
        QTest::mouseMove(&window, hint->mapToScene({8, 8}).toPoint());
        ASSERT_TRUE(waitFor([&] { return hint->property("showing").toBool(); })) << name.toStdString();
        auto* popover = hint->findChild<QObject*>("hoverHint.popover");
        auto* background = popover->property("background").value<QQuickItem*>();
        auto* text = popover->property("contentItem").value<QQuickItem*>();
        const QRectF box = background->mapRectToScene(background->boundingRect());
        EXPECT_EQ(background->property("color").value<QColor>(), design::ThemeManager::shared().palette().bg2);
        EXPECT_TRUE(box.contains(text->mapRectToScene(text->boundingRect()))) << name.toStdString();
        EXPECT_TRUE(QRectF(QPointF(), window.size()).contains(box)) << name.toStdString();
        shootAll(name.section(u'.', 2, 2) + "-hint");
    }
    QTest::mouseMove(&window, QPoint(5, 5));

    QStringList chips;
    for (QQuickItem* chip : shownUnder("processes.detail.ports", "processes.detail.port"))
        chips << chip->property("text").toString();
    EXPECT_EQ(chips, QStringList({":80", ":443"}));

    EXPECT_EQ(shownText("processes.detail.children.title"), QStringLiteral("子进程 (12)"));
    EXPECT_EQ(shownUnder("processes.detail.children", "processes.relation.row").size(), 8);
    EXPECT_EQ(shownUnder("processes.detail.parent", "processes.relation.row").size(), 1);
    EXPECT_EQ(shownText("processes.detail.peers.title"), QStringLiteral("本地通信 (1)"));
    EXPECT_EQ(shownText("processes.peer.ports"), ":80");
    EXPECT_EQ(shownText("processes.detail.remote.title"), QStringLiteral("远端主机 (2)"));
    EXPECT_EQ(shownUnder("processes.detail.remote", "processes.remote.row").size(), 2);
    EXPECT_EQ(shownText("processes.remote.count"), "2");
    EXPECT_FALSE(find("processes.detail.relations.none")->isVisible());
    shootAll("processes-detail");
    scrollDetailToEnd();
    shootAll("processes-detail-end");

    // The terminate button only opens the confirmation for this process.
    click(shown("processes.detail.terminate"));
    EXPECT_TRUE(screen()->terminateAlertShown());
    EXPECT_EQ(screen()->confirmTerminatePid(), 812);
    EXPECT_TRUE(static_cast<FakeProcessProbe&>(*probe).sent.empty());
    screen()->cancelTerminate();
    ASSERT_TRUE(laidOut());

    // Copy Path replaces what the clipboard held.
    QGuiApplication::clipboard()->setText("held before");
    auto* copy = item->findChild<QObject*>("processes.detail.copyPath");
    ASSERT_TRUE(copy);
    QMetaObject::invokeMethod(copy, "triggered");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "/usr/sbin/nginx");

    // A child row selects that child.
    QQuickItem* firstChild = shownUnder("processes.detail.children", "processes.relation.row").value(0);
    ASSERT_TRUE(firstChild);
    const int childPid = firstChild->property("pid").toInt();
    EXPECT_EQ(childPid, 911);   // the busiest worker first
    click(firstChild);
    EXPECT_EQ(monitor->selectedPid(), 911);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(shownText("processes.detail.ppid.value"), "812");
    EXPECT_FALSE(find("processes.detail.ports")->isVisible());
    // Its only relation is its parent.
    EXPECT_TRUE(find("processes.detail.parent")->isVisible());
    EXPECT_FALSE(find("processes.detail.children")->isVisible());
    EXPECT_FALSE(find("processes.detail.peers")->isVisible());
    EXPECT_FALSE(find("processes.detail.remote")->isVisible());
}

TEST_F(ProcessMonitorViewTest, TheDetailOfAnExitedProcessDrawsNothing)
{
    detailFixture(*sources);
    ASSERT_TRUE(buildScreen());
    tick();
    monitor->setSelectedPid(2040);
    ASSERT_TRUE(laidOut());
    EXPECT_TRUE(find("processes.detail.header")->isVisible());
    // Before any socket listing there is no relations card at all.
    EXPECT_FALSE(find("processes.detail.relations")->isVisible());

    sources->nextProcesses.pop_back();
    sources->nextProcesses.erase(sources->nextProcesses.begin() + 2);
    tick();
    ASSERT_TRUE(laidOut());
    EXPECT_FALSE(find("processes.detail.header")->isVisible());
    EXPECT_FALSE(find("processes.detail.stats")->isVisible());
    EXPECT_FALSE(find("processes.detail.metrics")->isVisible());
}

// A copy from the path cut in the middle on screen gives the path itself.
TEST_F(ProcessMonitorViewTest, CopyingFromTheCutPathGivesThePathItself)
{
    const QString path = "/opt/" + QString("deeply/nested/").repeated(12) + "bin/long-running-service";
    sources->nextProcesses = {listed(812, path, "ann", 1.0, 48'200'000, 4)};
    ASSERT_TRUE(buildScreen());
    tick();
    monitor->setSelectedPid(812);
    ASSERT_TRUE(laidOut());
    QQuickItem* input = shown("processes.detail.path");
    ASSERT_TRUE(input->property("text").toString().contains(QChar(0x2026)));
    input->forceActiveFocus();
    QMetaObject::invokeMethod(input, "selectAll");
    QTest::keySequence(&window, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), path);
}

TEST_F(ProcessMonitorViewTest, FooterFollowsTheSortKey)
{
    sources->nextTicks = {};
    sources->nextMemory.total = 17'179'869'184;
    sources->nextMemory.used = 13'743'895'347;   // 0.8: amber
    sources->nextMemory.cached = 1'572'864;
    sources->nextProcesses = {listed(1, "/sbin/init", "root", 0.2, 12'000'000, 3),
                              listed(2, "/usr/bin/a", "root", 0.2, 12'000'000, 5)};
    monitor::ProcInfo unknown = listed(3, "/usr/bin/b", "root", 0.2, 12'000'000, 0);
    unknown.threads.reset();
    sources->nextProcesses.push_back(unknown);
    ASSERT_TRUE(buildScreen());
    sources->nextTicks = {400, 123, 477};
    tick();
    ASSERT_TRUE(laidOut());

    ASSERT_TRUE(find("processes.footer.cpu")->isVisible());
    EXPECT_FALSE(find("processes.footer.memory")->isVisible());
    EXPECT_EQ(shownText("processes.footer.system.value"), "12.3%");
    EXPECT_EQ(shownText("processes.footer.user.value"), "40.0%");
    EXPECT_EQ(shownText("processes.footer.idle.value"), "47.7%");
    EXPECT_EQ(shownText("processes.footer.threads.value"), "8");
    EXPECT_EQ(shownText("processes.footer.processes.value"), "3");
    EXPECT_EQ(shown("processes.footer.load")->property("maxValue").toDouble(), 1.0);
    // Each sample is drawn in one step: the chart moves no frame by frame
    // between samples (two seconds of an idle list would be spent drawing).
    sources->nextTicks = {100, 100, 800};
    tick();
    EXPECT_GT(shown("processes.footer.load")->property("values").value<QList<double>>().size(), 1);
    EXPECT_FALSE(shown("processes.footer.load")->property("animating").toBool());

    screen()->setSortKey(ProcessMonitorModel::Memory);
    ASSERT_TRUE(laidOut());
    EXPECT_FALSE(find("processes.footer.cpu")->isVisible());
    ASSERT_TRUE(find("processes.footer.memory")->isVisible());
    EXPECT_EQ(shownText("processes.footer.physical.value"), "16 GB");
    EXPECT_EQ(shownText("processes.footer.cached.value"), "1.5 MB");
    EXPECT_EQ(shownText("processes.footer.swap.value"), QStringLiteral("零 KB"));
    EXPECT_EQ(shown("processes.footer.pressure")->property("color").value<QColor>(),
              design::ThemeManager::shared().palette().amber);
    sources->nextMemory.used = 6'871'947'674;   // 0.4
    tick();
    QQuickItem* pressure = shown("processes.footer.pressure");
    EXPECT_EQ(pressure->findChild<QQuickItem*>("liveBar.fill")->width(), pressure->property("fillWidth").toDouble());

    for (const auto key : {ProcessMonitorModel::Threads, ProcessMonitorModel::Pid, ProcessMonitorModel::Name}) {
        screen()->setSortKey(key);
        EXPECT_FALSE(find("processes.footer.cpu")->isVisible());
        EXPECT_FALSE(find("processes.footer.memory")->isVisible());
        // The column folds at its next layout.
        EXPECT_TRUE(waitFor([&] { return find("processes.footer")->height() == 0; }));
    }
}

// Pictures of this machine's processes. The test process is the one
// selected: it listens on the loopback, has children (three sleepers) and a
// loopback peer (a child shell holding a connection to it); all of them end
// with the test.
TEST_F(ProcessMonitorViewTest, PicturesOfThisMachine)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    platform::core::ScopedService<platform::core::Executor> realExecutor{platform::core::Executor::createDefault()};
    platform::core::ScopedService<platform::processes::ProcessProbe> realProbe{platform::processes::ProcessProbe::createDefault()};
    platform::core::ScopedService<platform::host::HostProbe> realHost{platform::host::HostProbe::createDefault()};
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(std::make_unique<QProcess>());
        children.back()->start("sleep", {"600"});
    }
    children.push_back(std::make_unique<QProcess>());
    children.back()->start("bash", {"-c", QString("exec 3<>/dev/tcp/127.0.0.1/%1; sleep 600").arg(server.serverPort())});
    for (const auto& child : children)
        ASSERT_TRUE(child->waitForStarted());
    ASSERT_TRUE(waitFor([&] { return server.hasPendingConnections(); }, 5000));
    std::unique_ptr<QTcpSocket> accepted(server.nextPendingConnection());

    window.resize(1120, 700);
    monitor = std::make_unique<monitor::SystemMonitor>(monitor::MonitorSources::createDefault());
    ASSERT_TRUE(buildScreen());
    monitor->setPortsEnabled(true);
    ASSERT_TRUE(waitFor([&] { return monitor->hasSocketData() && !monitor->processes().empty(); }, 20000));
    sampleAndWait();
    shootAll("machine-list");
    screen()->setShowOnlyListening(true);
    const qint32 own = static_cast<qint32>(QCoreApplication::applicationPid());
    screen()->tapRow(own);
    // A few ticks for the histories.
    for (int i = 0; i < 3; ++i)
        sampleAndWait();
    EXPECT_EQ(monitor->selectedPid(), own);
    EXPECT_TRUE(find("processes.detail.ports")->isVisible());
    EXPECT_TRUE(find("processes.detail.children")->isVisible());
    EXPECT_TRUE(find("processes.detail.peers")->isVisible());
    shootAll("machine-selected-cpu");
    scrollDetailToEnd();
    shootAll("machine-selected-cpu-end");
    screen()->setSortKey(ProcessMonitorModel::Memory);
    ASSERT_TRUE(laidOut());
    shootAll("machine-selected-memory");

    item.reset();
    monitor.reset();
    accepted.reset();
    for (const auto& child : children) {
        child->kill();
        child->waitForFinished();
    }
}

} // namespace
} // namespace velk::test
