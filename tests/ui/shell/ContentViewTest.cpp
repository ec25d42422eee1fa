#include "WindowFixture.h"
#include "engine/language/LanguageManager.h"
#include "support/FakeMonitorSources.h"
#include "support/FakeWorkspace.h"
#include "support/UpdateDouble.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/Presentation.h"
#include "ui/design/ThemeManager.h"
#include "ui/shell/SectionNames.h"
#include "ui/shell/SectionNavigator.h"
#include "ui/shell/SidebarLayout.h"
#include "ui/shell/WindowModels.h"

#include <QQmlProperty>

namespace velk::shell {
namespace {

class ContentViewTest : public WindowFixture {
protected:
    // The monitor switches, without the foreground flag that follows the
    // window's activation.
    QStringList gating() const
    {
        QStringList calls = log->calls;
        calls.removeIf([](const QString& call) { return call.startsWith("foreground"); });
        return calls;
    }

    // Section names of the sidebar rows, top to bottom.
    QStringList rowOrder()
    {
        QList<QQuickItem*> rows = findAll("sidebar.row");
        std::sort(rows.begin(), rows.end(), [](QQuickItem* a, QQuickItem* b) {
            return a->mapToScene({}).y() < b->mapToScene({}).y();
        });
        QStringList names;
        for (QQuickItem* row : rows)
            names.append(row->property("section").toString());
        return names;
    }

    QStringList selectedRows()
    {
        QStringList names;
        for (QQuickItem* row : findAll("sidebar.row"))
            if (row->property("isSelected").toBool())
                names.append(row->property("section").toString());
        return names;
    }
};

TEST_F(ContentViewTest, OnlyTheDashboardIsShownAtLaunchAndEveryHostIsBuilt)
{
    ASSERT_TRUE(showRoot());
    EXPECT_EQ(gating(), QStringList({ "ports=0", "heavy=1" }));
    for (const QString& name : allCaseNames()) {
        QQuickItem* host = find(("section." + name).toLatin1());
        ASSERT_TRUE(host);
        const bool shown = name == "dashboard";
        EXPECT_EQ(host->isEnabled(), shown) << name.toStdString();
        EXPECT_EQ(host->isVisible(), shown) << name.toStdString();
        EXPECT_EQ(host->z(), shown ? 1 : 0);
    }
}

TEST_F(ContentViewTest, DashboardSwitchesSectionsThroughTheNavigator)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* dashboard = find("dashboard");
    ASSERT_TRUE(dashboard);
    EXPECT_EQ(dashboard->parentItem()->objectName(), "section.dashboard");
    EXPECT_EQ(dashboard->property("contentLeadingInset").toDouble(), layout.contentLeadingInset());

    click("dashboard.tool.largeFiles");
    EXPECT_EQ(navigator.selection(), "largeFiles");
    EXPECT_EQ(navigator.transition(), "screen");
    EXPECT_FALSE(navigator.deepCleanJunk());

    // Review asks for the junk screen in deep-clean mode.
    navigator.select("dashboard");
    QMetaObject::invokeMethod(dashboard, "review");
    EXPECT_EQ(navigator.selection(), "systemJunk");
    EXPECT_TRUE(navigator.deepCleanJunk());
}

TEST_F(ContentViewTest, RowsComeInTheirGroupsWithOneSelected)
{
    ASSERT_TRUE(showRoot());
    EXPECT_EQ(rowOrder(),
        QStringList({ "dashboard", "systemJunk", "largeFiles", "appUninstall", "privacy", "startup", "systemInfo", "processes" }));
    EXPECT_EQ(selectedRows(), QStringList({ "dashboard" }));

    // 5 points between rows of a group, 34 more before a new group.
    const double dashboardBottom = row("dashboard")->mapToScene({ 0, 34 }).y();
    EXPECT_EQ(row("systemJunk")->mapToScene({}).y() - dashboardBottom, 5 + 34);
    const double junkBottom = row("systemJunk")->mapToScene({ 0, 34 }).y();
    EXPECT_EQ(row("largeFiles")->mapToScene({}).y() - junkBottom, 5);
}

TEST_F(ContentViewTest, ClickingARowSelectsItsSectionAndShowsItsHost)
{
    ASSERT_TRUE(showRoot());
    log->calls.clear();
    click(row("processes"));
    EXPECT_EQ(navigator.selection(), "processes");
    EXPECT_EQ(gating(), QStringList({ "ports=1", "heavy=1" }));
    EXPECT_EQ(selectedRows(), QStringList({ "processes" }));
    EXPECT_TRUE(test::waitFor([&] { return !find("section.dashboard")->isVisible(); }));
    EXPECT_TRUE(find("section.processes")->isEnabled());
    EXPECT_FALSE(find("section.dashboard")->isEnabled());
}

TEST_F(ContentViewTest, ProcessesHostHoldsTheScreenOverTheWindowsMonitor)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* host = find("section.processes");
    ASSERT_TRUE(host);
    QQuickItem* screen = findVisual(host, "processes");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->property("monitor").value<monitor::SystemMonitor*>(), &monitor);
    EXPECT_EQ(screen->size(), host->size());

    log->calls.clear();
    click(row("processes"));
    EXPECT_TRUE(test::waitFor([&] { return screen->isVisible(); }));
    EXPECT_TRUE(gating().contains("ports=1"));
}

// At the window's smallest size, with the sidebar expanded or collapsed, a
// selected process shows its detail across its whole width inside the window.
TEST_F(ContentViewTest, TheProcessDetailFitsTheSmallestWindow)
{
    sources->nextProcesses = { test::proc(812, 1, 5000, "/usr/sbin/nginx") };
    ASSERT_TRUE(showRoot());
    monitor.sample();
    ASSERT_TRUE(test::waitFor([&] { return !monitor.processes().empty(); }));
    click(row("processes"));
    monitor.setSelectedPid(812);
    for (const bool collapsed : { false, true }) {
        layout.setCollapsed(collapsed);
        ASSERT_TRUE(test::waitFor([&] { return find("sidebar")->width() == (collapsed ? 56 : 231); }));
        // The screen slides in and the split lays out over the new width.
        const auto detailBox = [&] {
            return find("processes.detail")->mapRectToScene(find("processes.detail")->boundingRect());
        };
        EXPECT_TRUE(test::waitFor([&] { return QRectF(QPointF(), window.size()).contains(detailBox()); })) << collapsed;
        settle();
        const QRectF detail = detailBox();
        for (const char* name : { "processes.detail.terminate", "processes.detail.memory", "processes.detail.rss" }) {
            const QRectF box = find(name)->mapRectToScene(find(name)->boundingRect());
            EXPECT_TRUE(box.left() >= detail.left() && box.right() <= detail.right()) << name << collapsed;
        }
        shoot(collapsed ? "processes-detail-collapsed" : "processes-detail-expanded");
    }
}

TEST_F(ContentViewTest, RowTitlesAndTooltipsFollowTheLanguageInBothForms)
{
    ASSERT_TRUE(showRoot());
    auto& language = language::LanguageManager::shared();
    const QString before = language.current();
    language.setCurrent("en");
    EXPECT_EQ(row("systemJunk")->property("title").toString(), "System Cleanup");
    EXPECT_EQ(row("systemJunk")->property("tip").toString(), "System Cleanup");
    EXPECT_EQ(find("sidebar.brand")->property("tip").toString(), "Collapse sidebar");
    click(find("sidebar.brand"));
    EXPECT_TRUE(layout.collapsed());
    EXPECT_EQ(find("sidebar.brand")->property("tip").toString(), "Expand sidebar");
    EXPECT_EQ(row("largeFiles")->property("tip").toString(), "Large Files");
    language.setCurrent("zh-Hans");
    EXPECT_EQ(find("sidebar.brand")->property("tip").toString(), "展开侧栏");
    EXPECT_EQ(row("largeFiles")->property("title").toString(), "大文件");
    language.setCurrent(before);
}

TEST_F(ContentViewTest, CollapsedSidebarHasNoStripAndSettlesAtTheIconColumn)
{
    ASSERT_TRUE(showRoot());
    EXPECT_TRUE(find("sidebar.resizeHandle")->isVisible());
    EXPECT_EQ(find("sidebar")->width(), 231);
    click(find("sidebar.brand"));
    EXPECT_FALSE(find("sidebar.resizeHandle")->isVisible());
    EXPECT_TRUE(test::waitFor([&] { return find("sidebar")->width() == 56; }));
    // At the window's minimum height the footer stays below the last row.
    EXPECT_GE(find("sidebar.settings")->mapToScene({}).y(), row("processes")->mapToScene({ 0, 34 }).y());
    shoot("shell-collapsed");
}

// At the minimum size the footer lies whole inside the sidebar in both forms,
// with and without the badge; the English "Settings" label is never cut.
TEST_F(ContentViewTest, FooterStaysWholeAtTheMinimumSize)
{
    ASSERT_TRUE(showRoot());
    language::LanguageManager::shared().setCurrent("en");
    layout.dragChanged(-1000);
    layout.dragEnded();
    ASSERT_EQ(find("sidebar")->width(), 210);
    QQuickItem* sidebar = find("sidebar");
    for (const bool pending : { false, true }) {
        if (pending) {
            updates.turn();
            ASSERT_TRUE(updates.answer(test::UpdateDouble::newer()));
        }
        for (const bool collapsed : { false, true }) {
            SCOPED_TRACE(testing::Message() << "pending " << pending << " collapsed " << collapsed);
            layout.setCollapsed(collapsed);
            EXPECT_TRUE(test::waitFor([&] { return sidebar->width() == (collapsed ? 56 : 210); }));
            settle();
            for (const char* name : { "sidebar.settings", "sidebar.version" })
                EXPECT_TRUE(QRectF(QPointF(), sidebar->size())
                        .contains(find(name)->mapRectToItem(sidebar, QRectF(QPointF(), find(name)->size()))))
                    << name;
            EXPECT_TRUE(collapsed || !find("sidebar.settings.label")->property("truncated").toBool());
        }
    }
    language::LanguageManager::shared().setCurrent("zh-Hans");
}

TEST_F(ContentViewTest, DraggingTheStripResizesAndADoubleClickResets)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* strip = find("sidebar.resizeHandle");
    ASSERT_TRUE(test::settledInView(strip));
    const QPoint start = strip->mapToScene({ 5, 300 }).toPoint();
    QTest::mousePress(&window, Qt::LeftButton, {}, start);
    for (int dx = 4; dx <= 40; dx += 4)
        QTest::mouseMove(&window, start + QPoint(dx, 0));
    EXPECT_TRUE(layout.dragging());
    EXPECT_EQ(find("sidebar")->width(), 271); // follows the pointer, unsnapped
    QTest::mouseRelease(&window, Qt::LeftButton, {}, start + QPoint(40, 0));
    EXPECT_EQ(find("sidebar")->width(), 273);
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 273.0);

    QTest::mouseDClick(&window, Qt::LeftButton, {}, strip->mapToScene({ 5, 300 }).toPoint());
    EXPECT_EQ(find("sidebar")->width(), 233);
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 233.0);
}

TEST_F(ContentViewTest, ThemeChangeKeepsTheSelectionAndTheSidebar)
{
    ASSERT_TRUE(showRoot());
    click(row("largeFiles"));
    click(find("sidebar.brand"));
    QQuickItem* host = find("section.largeFiles");
    auto& theme = design::ThemeManager::shared();
    const QString before = theme.currentRawValue();
    theme.setCurrentRawValue(theme.isCyber() ? "classic" : "cyber");
    settle();
    EXPECT_EQ(find("section.largeFiles"), host);
    EXPECT_EQ(navigator.selection(), "largeFiles");
    EXPECT_TRUE(layout.collapsed());
    theme.setCurrentRawValue(before);
}

TEST_F(ContentViewTest, VersionButtonShowsItsThreeStatesAndActsOnClick)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* button = find("sidebar.version");
    EXPECT_EQ(button->property("shows").toString(), "version");
    EXPECT_EQ(text("sidebar.version.text"), updates->localVersion());
    EXPECT_FALSE(updates->localVersion().isEmpty());

    // Nothing waits: a click asks the server, and the button spins meanwhile.
    click(button);
    EXPECT_EQ(updates.fetches, 1);
    EXPECT_EQ(button->property("shows").toString(), "checking");
    EXPECT_FALSE(button->isEnabled());
    click(button);
    EXPECT_EQ(updates.fetches, 1);
    ASSERT_TRUE(updates.answer(std::nullopt));
    EXPECT_EQ(button->property("shows").toString(), "version");
    updates->dismissStatusAlert();

    // The automatic check finds a newer version: the dot shows, and a click
    // presents it without asking the server again.
    updates.turn();
    ASSERT_TRUE(updates.answer(test::UpdateDouble::newer()));
    EXPECT_EQ(button->property("shows").toString(), "update");
    EXPECT_FALSE(updates->hasPromptUpdate());
    click(button);
    EXPECT_TRUE(updates->hasPromptUpdate());
    EXPECT_EQ(updates.fetches, 2);

    // Checking wins over a waiting update.
    updates->dismissPrompt();
    updates->check(true, nullptr);
    EXPECT_EQ(button->property("shows").toString(), "checking");
    EXPECT_TRUE(updates->showsBadge());
}

// The update offer and the outcome of a check asked for by hand show over
// the main window, each in its host, and closing them clears the controller.
TEST_F(ContentViewTest, UpdatePromptAndCheckOutcomeShowOverTheWindow)
{
    ASSERT_TRUE(showRoot());
    auto* sheet = find<design::Presentation>("updatePrompt.sheet");
    auto* status = find<design::Presentation>("update.statusAlert");
    ASSERT_TRUE(sheet && status);

    click("sidebar.version");
    ASSERT_TRUE(updates.answer(std::nullopt));
    EXPECT_TRUE(status->shown());
    EXPECT_EQ(design::PresentationHost::alertHost(&window)->message(), "无法连接更新服务器");
    status->dismiss();
    EXPECT_FALSE(updates->hasStatusAlert());

    updates.turn();
    ASSERT_TRUE(updates.answer(test::UpdateDouble::newer()));
    click("sidebar.version");
    EXPECT_TRUE(sheet->shown());
    EXPECT_EQ(design::PresentationHost::sheetHost(&window)->current(), sheet);
    sheet->dismiss();
    EXPECT_FALSE(updates->hasPromptUpdate());
    EXPECT_TRUE(updates->showsBadge());
}

TEST_F(ContentViewTest, BrandMarkStrokeFollowsItsSize)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* logo = find("sidebar.brand.logo");
    EXPECT_DOUBLE_EQ(logo->property("strokeWidth").toDouble(), 89 * 0.06);
    layout.setCollapsed(true);
    EXPECT_DOUBLE_EQ(logo->property("strokeWidth").toDouble(), 34 * 0.06);
    logo->setProperty("size", 20);
    EXPECT_DOUBLE_EQ(logo->property("strokeWidth").toDouble(), 1.25);
}

// The brand mark's stroke has soft edges (always so in the software scene
// graph; on a graphics card only when the mark asks for it).
TEST_F(ContentViewTest, BrandMarkEdgesAreSmoothed)
{
    window.setColor(Qt::white);
    QQuickItem* logo = build("VelkBrandLogo", { { "size", 89 } });
    ASSERT_TRUE(logo);
    logo->setSize({ 89, 89 });
    settle();
    const QImage picture = window.grabWindow().copy(0, 0, 89, 89).convertToFormat(QImage::Format_RGB32);
    // How far each pixel lies from white towards the accent, by its darkest
    // channel: the stroke, or part way there at its edges.
    const QColor accent = logo->property("strokeColor").value<QColor>();
    const double full = 255.0 - std::min({ accent.red(), accent.green(), accent.blue() });
    int between = 0;
    int stroke = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            const double share = (255.0 - std::min({ pixel.red(), pixel.green(), pixel.blue() })) / full;
            (share > 0.85 ? stroke : between) += share > 0.15 ? 1 : 0;
        }
    }
    EXPECT_GT(stroke, 100);
    EXPECT_GT(between, stroke / 4) << "hard edges: " << between << " soft pixels beside " << stroke;
}

TEST_F(ContentViewTest, SystemJunkHostShowsTheScreenOnTheWindowsJunkModel)
{
    ASSERT_TRUE(showRoot());
    QQuickItem* host = find("section.systemJunk");
    ASSERT_TRUE(host);
    QQuickItem* screen = test::QuickFixture::findVisual(host, "systemJunk");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->property("viewModel").value<QObject*>(), models.junk());
    EXPECT_EQ(screen->property("monitor").value<QObject*>(), &monitor);
    QQuickItem* title = test::QuickFixture::findVisual(screen, "pageHeader.title");
    ASSERT_TRUE(title);
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_EQ(title->property("text").toString(), "System Cleanup");

    // The dashboard's review opens the section with the request set; the
    // shell clears it when another section is chosen.
    navigator.setDeepCleanJunk(true);
    navigator.navigate("systemJunk");
    EXPECT_TRUE(screen->property("deepCleanEntry").toBool());
    EXPECT_EQ(title->property("text").toString(), "Deep Clean");
    click(row("largeFiles"));
    EXPECT_FALSE(screen->property("deepCleanEntry").toBool());
    EXPECT_EQ(title->property("text").toString(), "System Cleanup");
    // Nothing was scanned for it: the window's model never left idle.
    EXPECT_FALSE(models.junk()->isScanning());
    language::LanguageManager::shared().setCurrent("zh-Hans");
}

} // namespace
} // namespace velk::shell
