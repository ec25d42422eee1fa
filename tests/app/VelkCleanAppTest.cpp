#include "app/VelkCleanApp.h"
#include "engine/language/LanguageManager.h"
#include "engine/sensors/SMC.h"
#include "platform/sensors/SmcTransport.h"
#include "support/FakeMonitorSources.h"
#include "support/PoolExecutor.h"
#include "support/TempTree.h"
#include "support/UpdateDouble.h"
#include "support/WarningsFailTheTest.h"
#include "support/ui/ItemDriver.h"
#include "ui/design/Presentation.h"
#include "ui/design/VDS.h"
#include "ui/design/QuickFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/shell/SectionNavigator.h"
#include "ui/shell/SidebarLayout.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <optional>

namespace velk::app {
namespace {

// The application over doubles: in-memory defaults, a monitor over fake
// readings whose background work runs only when stepped.
class VelkCleanAppTest : public testing::Test {
protected:
    test::WarningsFailTheTest warnings;  // first, so that it ends last
    platform::core::ScopedService<platform::core::Executor> executor { std::make_shared<test::ManualExecutor>() };
    platform::core::ScopedService<platform::core::Clock> clock { std::make_shared<test::ManualClock>() };
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> defaultsService { defaults };
    std::shared_ptr<test::FakeMonitorSources> sources = std::make_shared<test::FakeMonitorSources>();
    monitor::SystemMonitor monitor { sources };
    language::LanguageManager& language = language::LanguageManager::shared();
    // The update controller, made with the application: its hops to the
    // main thread go through the event loop.
    std::optional<test::UpdateDouble> updates;
    std::unique_ptr<VelkCleanApp> app;

    test::ManualExecutor& exec() { return static_cast<test::ManualExecutor&>(*executor); }

    VelkCleanApp& make(StartOptions options = {})
    {
        options.monitor = &monitor;
        updates.emplace(std::make_shared<test::PoolExecutor>(1));
        options.updates = updates->controller.get();
        app = std::make_unique<VelkCleanApp>(options);
        return *app;
    }

    QQuickWindow* started()
    {
        if (!app)
            make();
        EXPECT_TRUE(app->start());
        QQuickWindow* window = app->mainWindow();
        EXPECT_TRUE(window && QTest::qWaitForWindowExposed(window));
        return window;
    }

    template <class T = QObject>
    T* named(const char* name)
    {
        T* found = app->mainWindow()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    void press(QQuickWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        window->requestActivate();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, modifiers);
    }
};

TEST_F(VelkCleanAppTest, MonitorIdleUntilTheRootAppearsAndOneUpdateCheckAfterATurnOfTheEventLoop)
{
    make();
    EXPECT_EQ(app->models()->updates(), updates->controller.get());
    EXPECT_EQ(updates->fetches, 0) << "the start-up code does not wait for the server";
    QCoreApplication::processEvents();
    EXPECT_EQ(updates->fetches, 1);
    QTest::qWait(50);
    EXPECT_EQ(sources->count("processes"), 0);
    EXPECT_EQ(exec().backgroundRuns(), 0);

    started();
    // The dashboard wants live figures: one sample at once, without ports
    // (beside it, screens that load on appearing may start their own work).
    EXPECT_TRUE(test::waitFor([&] { return exec().backgroundRuns() >= 1; }));
    exec().runAll();
    EXPECT_EQ(sources->count("processes"), 1);
    EXPECT_EQ(sources->count("sockets"), 0);
    EXPECT_FALSE(monitor.portsEnabled());
    EXPECT_EQ(updates->fetches, 1) << "one check, not one per window or view";
}

TEST_F(VelkCleanAppTest, StartSectionIsGatedWhenTheWindowAppearsAndTheListStartsAtItsSortKey)
{
    make({ .section = design::AppSection::processes, .processSort = monitor::ProcSort::mem });
    EXPECT_FALSE(monitor.portsEnabled());
    started();
    EXPECT_TRUE(monitor.portsEnabled());
    EXPECT_EQ(app->navigator()->selection(), "processes");
    // The screen hangs in the visual tree under its section's host.
    const std::function<QQuickItem*(QQuickItem*)> view = [&](QQuickItem* from) -> QQuickItem* {
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == "processes")
                return child;
            if (QQuickItem* found = view(child))
                return found;
        }
        return nullptr;
    };
    QQuickItem* processes = view(app->mainWindow()->contentItem());
    ASSERT_TRUE(processes);
    QObject* screen = processes->property("screen").value<QObject*>();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->property("sortKey").toInt(), static_cast<int>(monitor::ProcSort::mem));
}

TEST_F(VelkCleanAppTest, ToolsShortcutsAreEnabledAndChangeNothing)
{
    QQuickWindow* window = started();
    exec().runAll();
    app->navigator()->select("largeFiles");
    exec().runAll();
    const QStringList readingsBefore = sources->calls;
    const auto writesBefore = defaults->writes().size();
    const int runsBefore = exec().backgroundRuns();

    for (const char* name : { "menu.tools.scanJunk", "menu.tools.cleanLargeFiles" }) {
        QObject* action = named(name);
        ASSERT_TRUE(action);
        EXPECT_TRUE(action->property("enabled").toBool());
    }
    QSignalSpy scan(named("menu.tools.scanJunk"), SIGNAL(triggered(QObject*)));
    QSignalSpy large(named("menu.tools.cleanLargeFiles"), SIGNAL(triggered(QObject*)));
    press(window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    press(window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(scan.count(), 1);
    EXPECT_EQ(large.count(), 1);

    exec().runAll();
    EXPECT_EQ(app->navigator()->selection(), "largeFiles");
    EXPECT_EQ(sources->calls, readingsBefore);
    EXPECT_EQ(defaults->writes().size(), writesBefore);
    EXPECT_EQ(exec().backgroundRuns(), runsBefore);
}

TEST_F(VelkCleanAppTest, MenuTitlesFollowTheLanguage)
{
    started();
    EXPECT_EQ(named("menu.tools")->property("title").toString(), "工具");
    EXPECT_EQ(named("menu.tools.scanJunk")->property("text").toString(), "扫描系统垃圾");
    language.setCurrent("en");
    EXPECT_EQ(named("menu.tools")->property("title").toString(), "Tools");
    EXPECT_EQ(named("menu.tools.scanJunk")->property("text").toString(), "Scan System Junk");
    EXPECT_EQ(named("menu.tools.cleanLargeFiles")->property("text").toString(), "Clean Large Files");
    EXPECT_EQ(named("menu.app.settings")->property("text").toString(), "Settings…");
    EXPECT_EQ(QLocale().language(), QLocale::English);
    language.setCurrent("zh-Hans");
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);
    EXPECT_EQ(named("menu.tools")->property("title").toString(), "工具");
}

TEST_F(VelkCleanAppTest, MenusShowTheirShortcutsInTheInterfaceFont)
{
    started();
    const QStringList families = design::VDS::body().families();
    EXPECT_EQ(named("menuBar")->property("font").value<QFont>().families(), families);
    for (const auto& [item, keys] : { std::pair { "menu.app.settings.item", "Ctrl+," }, { "menu.app.quit.item", "Ctrl+Q" },
             { "menu.tools.scanJunk.item", "Ctrl+Shift+S" }, { "menu.tools.cleanLargeFiles.item", "Ctrl+Shift+L" } }) {
        EXPECT_EQ(named(item)->property("shortcutText").toString(), keys) << item;
        EXPECT_EQ(named(item)->property("font").value<QFont>().families(), families) << item;
    }
}

// Every item Tab reaches, in the sections with screens and in the Settings
// window, shows a focus ring around it; a click puts the ring away.
TEST_F(VelkCleanAppTest, EveryTabStopDrawsAFocusRing)
{
    QQuickWindow* main = started();
    auto* settings = named<QQuickWindow>("settingsWindow");
    const auto ringOf = [](QQuickWindow* window) { return test::ItemDriver(*window).find("focusRing", window->contentItem()); };
    // Tabs round the window: each item reached has the ring around it, or
    // draws its own (checked by its screen's tests).
    const auto tabThrough = [&](QQuickWindow* window, const QString& where) {
        window->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        int stops = 0;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(window, Qt::Key_Tab);
            QQuickItem* focused = window->activeFocusItem();
            if (!focused || focused == window->contentItem() || focused->property("drawsFocusRing").toBool())
                continue;
            ++stops;
            QQuickItem* ring = ringOf(window);
            EXPECT_TRUE(ring && ring->isVisible() && ring->mapRectToScene(QRectF(QPointF(), ring->size()))
                    .contains(focused->mapRectToScene(QRectF(QPointF(), focused->size()))))
                << where.toStdString() << ": " << focused->objectName().toStdString();
        }
        EXPECT_GT(stops, 0) << where.toStdString();
    };

    for (const QString section : { "dashboard", "systemJunk", "processes" }) {
        app->navigator()->select(section);
        tabThrough(main, section);
    }
    QTest::mouseClick(main, Qt::LeftButton, {}, QPoint(main->width() / 2, main->height() - 5));
    EXPECT_FALSE(ringOf(main)->isVisible()) << "a click puts the ring away";

    app->showSettings();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings));
    tabThrough(settings, "settings");
}

TEST_F(VelkCleanAppTest, SettingsOpensOneWindowByShortcutAndLink)
{
    QQuickWindow* window = started();
    auto* settings = named<QQuickWindow>("settingsWindow");
    ASSERT_TRUE(settings);
    EXPECT_FALSE(settings->isVisible());
    press(window, Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->size(), QSize(610, 754));

    // Resizable: at its smallest the page scrolls.
    EXPECT_LT(settings->minimumSize().height(), 754);
    EXPECT_GT(settings->maximumHeight(), 754);
    settings->resize(settings->minimumSize());
    QQuickItem* scroll = test::ItemDriver(*settings).find("settings.scroll");
    EXPECT_TRUE(test::waitFor([&] { return scroll->property("contentHeight").toDouble() > scroll->height(); }));
    settings->close();

    auto* link = named<QQuickItem>("sidebar.settings");
    ASSERT_TRUE(link);
    ASSERT_TRUE(test::settledInView(link));
    test::ItemDriver(*window).click(link);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(app->mainWindow()->findChildren<QQuickWindow*>("settingsWindow").size(), 1);
}

// A check asked for in the Settings window answers there, over it.
TEST_F(VelkCleanAppTest, ACheckAnswersInTheWindowThatAskedForIt)
{
    QQuickWindow* window = started();
    ASSERT_TRUE(test::waitFor([&] { return updates->answer(std::nullopt); }));
    auto* settings = named<QQuickWindow>("settingsWindow");
    app->showSettings();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings));
    const test::ItemDriver driver(*settings);
    using design::PresentationHost;

    driver.click(driver.find("settings.updateRow"));
    ASSERT_TRUE(updates->answer(std::nullopt));
    EXPECT_EQ(PresentationHost::alertHost(settings)->title(), "检查失败");
    EXPECT_EQ(PresentationHost::alertHost(window)->current(), nullptr);
    PresentationHost::alertHost(settings)->current()->dismiss();
    EXPECT_FALSE(updates->controller->hasStatusAlert());

    // A waiting update is offered over the window that asked.
    updates->controller->check(true, nullptr);
    ASSERT_TRUE(updates->answer(test::UpdateDouble::newer()));
    driver.click(driver.find("settings.updateRow"));
    EXPECT_NE(PresentationHost::sheetHost(settings)->current(), nullptr);
    EXPECT_EQ(PresentationHost::sheetHost(window)->current(), nullptr);
    EXPECT_TRUE(updates->controller->hasPromptUpdate());
}

TEST_F(VelkCleanAppTest, MainWindowKeepsTheMinimumContentSize)
{
    QQuickWindow* window = started();
    auto* menuBar = window->property("menuBar").value<QQuickItem*>();
    ASSERT_TRUE(menuBar);
    EXPECT_EQ(window->minimumWidth(), 987);
    EXPECT_EQ(window->minimumHeight() - menuBar->height(), 610);
}

QStringList* loggedLines = nullptr;

// A machine without a sensor controller gives its client's errors on every
// start; the application logs them in a category that is off until the
// user's logging rules turn it on (they went to standard output before).
TEST_F(VelkCleanAppTest, SensorControllerMessagesAreLoggedOnlyWhenAskedFor)
{
    test::TempTree noController;
    platform::core::ScopedService<platform::sensors::SmcTransport> transport { platform::sensors::SmcTransport::fromSysfs(noController.root()) };
    QStringList lines;
    loggedLines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
        loggedLines->append(QString::fromLatin1(context.category) + u' ' + text);
    });
    make();
    sensors::SMC::shared().getValue("#KEY");
    const QStringList quiet = lines;
    QLoggingCategory::setFilterRules(QStringLiteral("velk.sensors.controller=true"));
    sensors::SMC::shared().getValue("#KEY");
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(quiet, QStringList());
    EXPECT_EQ(lines, QStringList { "velk.sensors.controller Error read(#KEY): general error" });
}

} // namespace
} // namespace velk::app
