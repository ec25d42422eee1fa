#include "engine/cleaning/LanguageManager.h"
#include "support/FakeMonitorSources.h"
#include "support/FakeProcessProbe.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/AppIconCache.h"
#include "ui/design/QuickFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/screens/processes/ProcessMonitorModel.h"
#include "ui/screens/processes/ProcessesModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QTcpServer>
#include <algorithm>

namespace velk::test {
namespace {

using screens::ProcessMonitorModel;

// The Processes screen in a window the size of the main window's content,
// over a monitor fed by fake readings (or, for pictures, the real ones).
class ProcessMonitorViewTest : public QuickFixture {
protected:
    platform::ScopedService<platform::Executor> executor{std::make_shared<ManualExecutor>()};
    platform::ScopedService<platform::Clock> clock{std::make_shared<ManualClock>()};
    platform::ScopedService<platform::ProcessProbe> probe{std::make_shared<FakeProcessProbe>()};
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();
    std::unique_ptr<SystemMonitor> monitor;

    ProcessMonitorViewTest()
    {
        screens::prepareProcessesQml(engine);
        window.resize(1120, 640);
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

    QQuickItem* buildScreen()
    {
        if (!monitor)
            monitor = std::make_unique<SystemMonitor>(sources);
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

    void shoot(const QString& name)
    {
        const QString folder = qEnvironmentVariable("VELK_SHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        QTest::qWait(50);
        window.grabWindow().save(QDir(folder).filePath(name + ".png"));
    }

    // Every theme and language, one picture each.
    void shootAll(const QString& name)
    {
        for (const char* theme : {"classic", "cyber"}) {
            ThemeManager::shared().setCurrentRawValue(theme);
            // The screen is drawn over the window's backdrop.
            window.setColor(QColor(ThemeManager::shared().palette().bg0));
            for (const char* lang : {"zh-Hans", "en"}) {
                LanguageManager::shared().setCurrent(lang);
                shoot(name + '-' + theme + '-' + lang);
            }
        }
        ThemeManager::shared().setCurrentRawValue("classic");
        LanguageManager::shared().setCurrent("zh-Hans");
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

ProcInfo listed(qint32 pid, const QString& path, const QString& user, double cpu, quint64 memory, int threads)
{
    ProcInfo p = proc(pid, 1, 5000 + pid, path);
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
    QTest::qWait(50);
    EXPECT_FALSE(find("processes.spinner")->isVisible());
    EXPECT_EQ(find("pageHeader.subtitle")->property("text").toString(), "3");
    EXPECT_TRUE(find("processes.listeners")->isVisible());
    EXPECT_EQ(find("processes.listeners")->property("text").toString(), QStringLiteral("3 网络监听"));
    ASSERT_EQ(rows().size(), 3);
    EXPECT_EQ(rows().front()->property("pid").toInt(), 812);
    EXPECT_EQ(rows().front()->property("ports").toString(), ":80,443");
    EXPECT_EQ(rows().front()->property("identity").toString(), QStringLiteral("PID 812 · T 4 · www-data"));
    EXPECT_TRUE(rows().front()->property("cpuHot").toBool());
    shootAll("processes-list");

    click(rows().at(1));
    EXPECT_EQ(monitor->selectedPid(), 2040);
    QTest::qWait(50);
    EXPECT_TRUE(find("processes.split")->isVisible());
    EXPECT_FALSE(find("processes.fullList")->isVisible());
    shootAll("processes-selected");

    click(find("processes.listeningFilter"));
    EXPECT_TRUE(screen()->showOnlyListening());
    EXPECT_EQ(monitor->selectedPid(), std::nullopt);
    QTest::qWait(50);
    EXPECT_FALSE(find("processes.split")->isVisible());
    ASSERT_EQ(rows().size(), 1);
    shootAll("processes-listening");

    screen()->setShowOnlyListening(false);
    QTest::qWait(50);
    click(shown("processes.sort.name"));
    EXPECT_EQ(screen()->sortKey(), ProcessMonitorModel::Name);
    QTest::qWait(50);
    EXPECT_EQ(rows().front()->property("name").toString(), "init");
}

TEST_F(ProcessMonitorViewTest, TerminateAlertIsTheWindowsAlertForItsProcess)
{
    sources->nextProcesses = {listed(812, "/usr/sbin/nginx", "www-data", 3.5, 48'200'000, 4)};
    ASSERT_TRUE(buildScreen());
    tick();
    auto* alert = find<design::AlertPresentation>("processes.terminateAlert");
    ASSERT_TRUE(alert);
    auto* host = design::PresentationHost::alertHost(&window);

    // Cancel sends nothing and closes.
    screen()->askTerminate(812);
    QTest::qWait(50);
    EXPECT_EQ(host->current(), alert);
    EXPECT_EQ(host->title(), QStringLiteral("结束进程？"));
    EXPECT_EQ(host->message(), QStringLiteral("nginx (PID 812)"));
    EXPECT_EQ(host->buttonTexts(), QStringList({QStringLiteral("取消"), QStringLiteral("结束进程")}));
    alert->pressCancel();
    QTest::qWait(50);
    EXPECT_EQ(host->current(), nullptr);
    EXPECT_FALSE(screen()->terminateAlertShown());
    auto& sent = static_cast<FakeProcessProbe&>(*probe).sent;
    EXPECT_TRUE(sent.empty());

    screen()->askTerminate(812);
    QTest::qWait(50);
    ASSERT_EQ(host->current(), alert);
    shootAll("processes-terminate");
    alert->press(1);
    QTest::qWait(50);
    EXPECT_EQ(host->current(), nullptr);
    EXPECT_FALSE(screen()->terminateAlertShown());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent.front().first, 812);
}

// A process inside an application bundle shows the bundle's icon from the
// shared cache; any other process its symbol.
TEST_F(ProcessMonitorViewTest, BundleIconComesFromTheSharedCache)
{
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Velk.Processes\nItem { width: 100; height: 40\n"
                      "ProcessIcon { objectName: \"inBundle\"; user: \"ann\"; size: 40;"
                      " bundlePath: \"/opt/Shelf/Notes.app\" }\n"
                      "ProcessIcon { objectName: \"plain\"; x: 50; user: \"root\"; size: 40 } }\n",
                      QUrl("qrc:/test/Icons.qml"));
    ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
    item.reset(qobject_cast<QQuickItem*>(component.create()));
    ASSERT_TRUE(item);
    item->setParentItem(window.contentItem());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(waitFor([&] { return find("inBundle")->findChild<QQuickItem*>("processIcon.bundle")->isVisible(); },
                        5000));
    EXPECT_TRUE(design::AppIconCache::shared().cached("/opt/Shelf/Notes.app").has_value());
    EXPECT_FALSE(find("inBundle")->findChild<QQuickItem*>("processIcon.symbol")->isVisible());
    EXPECT_FALSE(find("plain")->findChild<QQuickItem*>("processIcon.bundle")->isVisible());
    EXPECT_EQ(find("plain")->findChild<QQuickItem*>("processIcon.symbol")->property("name").toString(),
              "gearshape.fill");
}

// Pictures of this machine's processes, with this test listening on the
// loopback so that the listening filter has a row to show.
TEST_F(ProcessMonitorViewTest, PicturesOfThisMachine)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    platform::ScopedService<platform::Executor> realExecutor{platform::Executor::createDefault()};
    platform::ScopedService<platform::ProcessProbe> realProbe{platform::ProcessProbe::createDefault()};
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    monitor = std::make_unique<SystemMonitor>(MonitorSources::createDefault());
    ASSERT_TRUE(buildScreen());
    monitor->setPortsEnabled(true);
    ASSERT_TRUE(waitFor([&] { return monitor->hasSocketData() && !monitor->processes().empty(); }, 20000));
    monitor->sample();
    QTest::qWait(1500);
    shootAll("machine-list");
    screen()->setShowOnlyListening(true);
    const qint32 own = static_cast<qint32>(QCoreApplication::applicationPid());
    screen()->tapRow(own);
    QTest::qWait(100);
    shootAll("machine-listening-selected");
    item.reset();
    monitor.reset();
}

} // namespace
} // namespace velk::test
