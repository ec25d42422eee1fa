#include "engine/cleaning/JunkFixture.h"
#include "engine/language/LanguageManager.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "platform/sensors/BatteryRegistry.h"
#include "common/format/Formatting.h"
#include "support/FakeMonitorSources.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"

#include <QSignalSpy>
#include <algorithm>

namespace velk::test {
namespace {

namespace fmt = velk::fmt;

// The battery's property set as the battery reader takes it; none while
// `properties` is empty.
class FakeBatteryRegistry final : public platform::sensors::BatteryRegistry {
public:
    std::optional<QVariantMap> properties;

    std::optional<QVariantMap> batteryProperties() const override { return properties; }

    void set(int percent, bool charging, bool external, bool full)
    {
        properties = QVariantMap {
            { "CurrentCapacity", percent },
            { "CycleCount", 100 },
            { "BatteryData", QVariantMap { { "DesignCapacity", 5000 }, { "FullChargeCapacity", 4800 } } },
            { "IsCharging", charging },
            { "ExternalConnected", external },
            { "FullyCharged", full },
        };
    }
};

constexpr qint64 GiB = 1024LL * 1024 * 1024;

// The dashboard over a monitor fed by fake readings, a junk view model over
// a temporary home, and a fake battery; everything runs on the home's
// manual executor and a manual clock.
class HomeViewTest : public ScreenFixture {
protected:
    JunkHome home;
    platform::core::ScopedService<platform::core::Clock> clock { std::make_shared<ManualClock>() };
    std::shared_ptr<FakeBatteryRegistry> battery = std::make_shared<FakeBatteryRegistry>();
    platform::core::ScopedService<platform::sensors::BatteryRegistry> batteryService { battery };
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();
    std::unique_ptr<monitor::SystemMonitor> monitor;
    std::unique_ptr<cleaning::SystemJunkViewModel> junk = std::make_unique<cleaning::SystemJunkViewModel>();
    std::unique_ptr<QSignalSpy> sections;
    std::unique_ptr<QSignalSpy> deepClean;

    HomeViewTest()
    {
        // The dashboard's part of the main window at its minimum size.
        window.resize(754, 610);
        sources->nextDisk = monitor::DiskInfo { 500 * GiB, 200 * GiB };
        sources->nextUptime = 3 * 86400 + 5 * 3600;
        sources->nextMemory.total = 16 * GiB;
        sources->nextMemory.used = 8 * GiB;
        battery->set(80, false, false, false);
    }

    ~HomeViewTest() override
    {
        item.reset();
        home.executor().runAll();
        design::ThemeManager::shared().setCurrentRawValue("classic");
        language::LanguageManager::shared().setCurrent("zh-Hans");
    }

    ManualClock& time() { return static_cast<ManualClock&>(*clock); }

    void tick()
    {
        monitor->sample();
        home.executor().runAll();
        EXPECT_TRUE(laidOut());
    }

    QQuickItem* showHome(std::shared_ptr<monitor::MonitorSources> readings = nullptr)
    {
        monitor = std::make_unique<monitor::SystemMonitor>(readings ? readings : sources);
        if (!readings)
            tick();
        QQuickItem* view = build("HomeView",
            { { "monitor", QVariant::fromValue(monitor.get()) }, { "junk", QVariant::fromValue(junk.get()) } },
            "import Velk.Design\nimport Velk.Dashboard\n");
        if (!view)
            return nullptr;
        sections = std::make_unique<QSignalSpy>(view, SIGNAL(sectionRequested(QString)));
        deepClean = std::make_unique<QSignalSpy>(view, SIGNAL(deepCleanRequested()));
        EXPECT_TRUE(laidOut());
        return view;
    }

    QStringList requestedSections() const
    {
        QStringList names;
        for (const QList<QVariant>& call : *sections)
            names.append(call.value(0).toString());
        return names;
    }

    bool shown(const char* name) const
    {
        const QQuickItem* found = find(name);
        return found && found->isVisible();
    }

    QString stat(const char* id) const
    {
        const QString name = QStringLiteral("dashboard.stat.") + id;
        for (QQuickItem* cell : findAll(name))
            if (cell->isVisible())
                return cell->property("value").toString();
        return QStringLiteral("(absent)");
    }

    int visibleCount(const QString& name) const
    {
        const QList<QQuickItem*> all = findAll(name);
        return int(std::count_if(all.begin(), all.end(), [](QQuickItem* i) { return i->isVisible(); }));
    }

    void scanToTheEnd()
    {
        junk->startScan(false);
        home.executor().runAll();
        EXPECT_TRUE(laidOut());
    }

    // Junk in two ordinary categories and two that need the user's consent.
    void buildJunk()
    {
        home.file("Library/Caches/app/big.cache", 3000);
        home.file("Library/Logs/app.log", 500);
        home.file("Downloads/installer.dmg", 10000);
        home.file(".Trash/old.txt", 400);
    }

    const cleaning::ScanCategory& category(cleaning::ScanCategoryID id) const { return junk->categories()[std::size_t(id)]; }
    bool anySelected(cleaning::ScanCategoryID id) const
    {
        const auto& items = category(id).items;
        return std::any_of(items.begin(), items.end(), [](const cleaning::FileItem& i) { return i.isSelected; });
    }
    bool allSelected(cleaning::ScanCategoryID id) const
    {
        const auto& items = category(id).items;
        return !items.empty() && std::all_of(items.begin(), items.end(), [](const cleaning::FileItem& i) { return i.isSelected; });
    }

    // One picture per theme and language.
    void shootAll(const QString& name)
    {
        if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
            return;
        for (const char* theme : { "classic", "cyber" }) {
            design::ThemeManager::shared().setCurrentRawValue(theme);
            window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
            for (const char* lang : { "zh-Hans", "en" }) {
                language::LanguageManager::shared().setCurrent(lang);
                EXPECT_TRUE(laidOut());
                shoot(name + '-' + theme + '-' + lang);
            }
        }
        design::ThemeManager::shared().setCurrentRawValue("classic");
        language::LanguageManager::shared().setCurrent("zh-Hans");
        EXPECT_TRUE(laidOut());
    }
};

TEST_F(HomeViewTest, CardFollowsTheJunkScanThroughItsFourStates)
{
    buildJunk();
    ASSERT_TRUE(showHome());
    QQuickItem* scan = find("dashboard.scanButton");

    // Idle: nothing scanned yet.
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("开始扫描"));
    EXPECT_TRUE(scan->isEnabled());
    EXPECT_FALSE(shown("dashboard.scanResult"));
    shootAll("dashboard-idle");

    // Scanning.
    junk->startScan(false);
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("扫描中"));
    EXPECT_FALSE(scan->isEnabled());
    EXPECT_TRUE(shown("dashboard.scanResult"));
    EXPECT_EQ(text("dashboard.amount"), QStringLiteral("—"));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("正在扫描"));
    EXPECT_FALSE(shown("dashboard.reviewButton"));
    shootAll("dashboard-scanning");

    // Done, with junk found.
    home.executor().runAll();
    EXPECT_TRUE(laidOut());
    ASSERT_TRUE(junk->scanComplete());
    ASSERT_GT(junk->totalFound(), 0);
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("重新扫描"));
    EXPECT_TRUE(scan->isEnabled());
    EXPECT_EQ(text("dashboard.amount"), fmt::byteCount(junk->totalFound(), fmt::ByteStyle::File, fmt::Lang::Chinese));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("上次扫描"));
    EXPECT_TRUE(shown("dashboard.reviewButton"));
    shootAll("dashboard-done");

    language::LanguageManager::shared().setCurrent("en");
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("Scan Again"));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("Last scan"));
    EXPECT_EQ(text("dashboard.reviewButton"), QStringLiteral("Review"));
    EXPECT_EQ(text("dashboard.amount"), fmt::byteCount(junk->totalFound(), fmt::ByteStyle::File, fmt::Lang::English));

    // Cleaning.
    junk->clean();
    EXPECT_TRUE(laidOut());
    ASSERT_TRUE(junk->isCleaning());
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("Cleaning"));
    EXPECT_FALSE(scan->isEnabled());
    EXPECT_EQ(text("dashboard.amount"), QStringLiteral("—"));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("Cleaning"));
    EXPECT_FALSE(shown("dashboard.reviewButton"));
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("清理中"));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("正在清理"));
    shootAll("dashboard-cleaning");

    // Back to Done with what was not removed (the items that need consent).
    home.executor().runAll();
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(text("dashboard.scanButton"), QStringLiteral("重新扫描"));
    EXPECT_EQ(text("dashboard.amount"), fmt::byteCount(junk->totalFound(), fmt::ByteStyle::File, fmt::Lang::Chinese));
    EXPECT_TRUE(shown("dashboard.reviewButton"));
}

TEST_F(HomeViewTest, ScanThatFoundNothingShowsZeroWithoutReview)
{
    ASSERT_TRUE(showHome());
    scanToTheEnd();
    EXPECT_EQ(junk->totalFound(), 0);
    EXPECT_TRUE(shown("dashboard.scanResult"));
    EXPECT_EQ(text("dashboard.amount"), QStringLiteral("零 KB"));
    EXPECT_EQ(text("dashboard.scanState"), QStringLiteral("上次扫描"));
    EXPECT_FALSE(shown("dashboard.reviewButton"));
}

TEST_F(HomeViewTest, ScanStartsTheScanAndOpensTheJunkScreen)
{
    buildJunk();
    ASSERT_TRUE(showHome());
    click("dashboard.scanButton");
    EXPECT_TRUE(junk->isScanning());
    EXPECT_EQ(requestedSections(), QStringList { "systemJunk" });
    EXPECT_EQ(deepClean->count(), 0);

    // A busy model is left alone.
    QMetaObject::invokeMethod(item.get(), "beginScan");
    EXPECT_EQ(requestedSections(), QStringList { "systemJunk" });

    // Nothing selected beyond the scan's own choice: the folders that need
    // the user's consent stay unselected.
    home.executor().runAll();
    EXPECT_TRUE(allSelected(cleaning::ScanCategoryID::userCaches));
    EXPECT_FALSE(anySelected(cleaning::ScanCategoryID::downloads));
    EXPECT_FALSE(anySelected(cleaning::ScanCategoryID::trash));
}

TEST_F(HomeViewTest, ReviewRequestsDeepCleanAndSelectsOnlyWhatNeedsNoConsent)
{
    buildJunk();
    ASSERT_TRUE(showHome());
    scanToTheEnd();
    junk->setAllSelected(false);
    click("dashboard.reviewButton");

    EXPECT_EQ(deepClean->count(), 1);
    EXPECT_EQ(requestedSections(), QStringList { "systemJunk" });
    EXPECT_TRUE(allSelected(cleaning::ScanCategoryID::userCaches));
    EXPECT_TRUE(allSelected(cleaning::ScanCategoryID::userLogs));
    EXPECT_FALSE(anySelected(cleaning::ScanCategoryID::downloads));
    EXPECT_FALSE(anySelected(cleaning::ScanCategoryID::trash));
    EXPECT_FALSE(junk->isScanning());
}

TEST_F(HomeViewTest, DiskBlockRoundsHalvesUpAndWritesTheUsageLineInBothLanguages)
{
    sources->nextDisk = monitor::DiskInfo { 1000, 875 };
    ASSERT_TRUE(showHome());
    EXPECT_EQ(text("dashboard.usedPercent"), QStringLiteral("13%"));
    sources->nextDisk = monitor::DiskInfo { 1000, 876 };
    tick();
    EXPECT_EQ(text("dashboard.usedPercent"), QStringLiteral("12%"));
    EXPECT_DOUBLE_EQ(find("dashboard.usageBar")->property("value").toDouble(), 0.124);

    // Space reserved for the superuser is neither used nor available.
    sources->nextDisk = monitor::DiskInfo { 500 * GiB, 200 * GiB, 25 * GiB };
    tick();
    EXPECT_EQ(text("dashboard.usedPercent"), QStringLiteral("58%"));
    const auto binary = [](qint64 bytes, fmt::Lang lang) { return fmt::byteCount(bytes, fmt::ByteStyle::Binary, lang); };
    EXPECT_EQ(text("dashboard.free"), binary(200 * GiB, fmt::Lang::Chinese));
    EXPECT_EQ(text("dashboard.usage"),
        "已用 " + binary(275 * GiB, fmt::Lang::Chinese) + "  /  共 " + binary(500 * GiB, fmt::Lang::Chinese));
    EXPECT_EQ(text("dashboard.freeLabel"), QStringLiteral("可用"));
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(text("dashboard.usage"),
        binary(275 * GiB, fmt::Lang::English) + " used  /  " + binary(500 * GiB, fmt::Lang::English) + " total");
    EXPECT_EQ(text("dashboard.freeLabel"), QStringLiteral("available"));

    // An empty disk reads 0%.
    sources->nextDisk = monitor::DiskInfo { 0, 0 };
    tick();
    EXPECT_EQ(text("dashboard.usedPercent"), QStringLiteral("0%"));
}

TEST_F(HomeViewTest, StatsShowLoadBatteryAndUptime)
{
    sources->nextMemory.used = 4 * GiB;  // 0.25
    ASSERT_TRUE(showHome());
    EXPECT_EQ(stat("cpu"), QStringLiteral("0%"));
    EXPECT_EQ(stat("mem"), QStringLiteral("25%"));
    EXPECT_EQ(stat("bat"), QStringLiteral("80%"));
    EXPECT_EQ(stat("up"), QStringLiteral("3 天 5 小时"));
    EXPECT_EQ(find("dashboard.stat.cpu")->property("title").toString(), QStringLiteral("CPU"));

    // The battery is read again with every uptime the monitor publishes.
    const auto batteryAfterTick = [&](int percent, bool charging, bool external, bool full) {
        battery->set(percent, charging, external, full);
        sources->nextUptime += 2;
        tick();
        return stat("bat");
    };
    EXPECT_EQ(batteryAfterTick(80, true, true, false), QStringLiteral("80% · 充电中"));
    EXPECT_EQ(batteryAfterTick(100, false, true, true), QStringLiteral("100% · 已充满"));
    EXPECT_EQ(batteryAfterTick(80, false, true, false), QStringLiteral("80% · 已接通电源"));
    EXPECT_EQ(batteryAfterTick(80, false, false, false), QStringLiteral("80%"));
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_EQ(batteryAfterTick(80, true, true, false), QStringLiteral("80% · Charging"));
    EXPECT_EQ(batteryAfterTick(100, false, true, true), QStringLiteral("100% · Full"));
    EXPECT_EQ(batteryAfterTick(80, false, true, false), QStringLiteral("80% · Powered"));
    EXPECT_EQ(batteryAfterTick(80, false, false, false), QStringLiteral("80%"));
    EXPECT_EQ(stat("up"), QStringLiteral("3d 5h"));
    EXPECT_EQ(find("dashboard.stat.mem")->property("title").toString(), QStringLiteral("Memory"));
    EXPECT_EQ(visibleCount("dashboard.stats.divider"), 3);
    shootAll("dashboard-stats-battery");
}

TEST_F(HomeViewTest, BatteryIsReadAgainWhenTheDashboardAppears)
{
    ASSERT_TRUE(showHome());
    EXPECT_EQ(stat("bat"), QStringLiteral("80%"));
    item->setVisible(false);
    battery->set(64, true, true, false);
    EXPECT_TRUE(laidOut());
    item->setVisible(true);
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(stat("bat"), QStringLiteral("64% · 充电中"));
}

TEST_F(HomeViewTest, WithoutABatteryTheRowHasThreeCellsAndTwoDividers)
{
    battery->properties.reset();
    ASSERT_TRUE(showHome());
    EXPECT_TRUE(shown("dashboard.stats.wide"));
    EXPECT_EQ(stat("bat"), QStringLiteral("(absent)"));
    EXPECT_EQ(visibleCount("dashboard.stat.cpu") + visibleCount("dashboard.stat.mem")
            + visibleCount("dashboard.stat.bat") + visibleCount("dashboard.stat.up"),
        3);
    EXPECT_EQ(visibleCount("dashboard.stats.divider"), 2);

    // A battery that turns up is read on the next sample.
    battery->set(55, false, false, false);
    sources->nextUptime += 2;
    tick();
    EXPECT_EQ(stat("bat"), QStringLiteral("55%"));
    EXPECT_EQ(visibleCount("dashboard.stats.divider"), 3);
}

TEST_F(HomeViewTest, NarrowWindowListsTheStatsWithoutDividers)
{
    ASSERT_TRUE(showHome());
    EXPECT_TRUE(shown("dashboard.stats.wide"));
    EXPECT_FALSE(shown("dashboard.stats.narrow"));

    window.resize(360, 610);
    EXPECT_TRUE(waitFor([&] { return shown("dashboard.stats.narrow"); }));
    // The usage bar slides to its new width.
    QQuickItem* usageBar = find("dashboard.usageBar");
    auto* usageFill = usageBar->findChild<QQuickItem*>("liveBar.fill");
    EXPECT_TRUE(waitFor([&] { return usageFill->width() == usageBar->property("fillWidth").toDouble(); }));
    EXPECT_FALSE(shown("dashboard.stats.wide"));
    EXPECT_TRUE(shown("dashboard.stats.narrow"));
    EXPECT_EQ(visibleCount("dashboard.stats.divider"), 0);
    EXPECT_EQ(stat("cpu"), QStringLiteral("0%"));
    shootAll("dashboard-narrow");

    window.resize(754, 610);
    EXPECT_TRUE(laidOut());
    EXPECT_TRUE(shown("dashboard.stats.wide"));
}

TEST_F(HomeViewTest, StatCellsOpenSystemInfoExceptUptime)
{
    ASSERT_TRUE(showHome());
    for (const char* id : { "cpu", "mem", "bat" }) {
        QQuickItem* cell = nullptr;
        for (QQuickItem* c : findAll(QStringLiteral("dashboard.stat.") + id))
            if (c->isVisible())
                cell = c;
        ASSERT_TRUE(cell) << id;
        EXPECT_EQ(cell->property("tip").toString(), QStringLiteral("打开系统信息")) << id;
        sections->clear();
        click(cell);
        EXPECT_EQ(requestedSections(), QStringList { "systemInfo" }) << id;
    }
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(findAll("dashboard.stat.cpu").value(0)->property("tip").toString(), QStringLiteral("Open System Info"));

    sections->clear();
    for (QQuickItem* c : findAll("dashboard.stat.up"))
        if (c->isVisible())
            click(c);
    EXPECT_TRUE(requestedSections().isEmpty());
    EXPECT_EQ(findAll("dashboard.stat.up").value(0)->property("tip").toString(), QString());
}

TEST_F(HomeViewTest, DiskIsReadAgainForEachNewCleanReportOnly)
{
    buildJunk();
    ASSERT_TRUE(showHome());
    scanToTheEnd();
    const int before = sources->count("disk");

    junk->clean();
    home.executor().runAll();  // the clean, then the first disk read
    EXPECT_TRUE(laidOut());
    home.executor().runAll();
    ASSERT_TRUE(junk->cleanReport());
    EXPECT_EQ(sources->count("disk"), before + 1);
    EXPECT_EQ(time().requestedDelays(), (std::vector<double> { 0.8, 2.5, 6.0 }));

    // Dismissing the report is no new report.
    junk->clearCleanReport();
    home.executor().runAll();
    EXPECT_EQ(sources->count("disk"), before + 1);
    EXPECT_EQ(time().requestedDelays().size(), 3u);

    // Nor is a scan.
    scanToTheEnd();
    EXPECT_EQ(sources->count("disk"), before + 1);

    // Another clean is.
    junk->setAllSelected(true);
    junk->clean();
    home.executor().runAll();
    EXPECT_TRUE(laidOut());
    home.executor().runAll();
    EXPECT_EQ(sources->count("disk"), before + 2);
}

TEST_F(HomeViewTest, ToolLinksListTheOtherSectionsTwoToARow)
{
    ASSERT_TRUE(showHome());
    const QStringList names { "systemJunk", "largeFiles", "appUninstall", "privacy", "startup", "systemInfo",
        "processes" };
    QList<QQuickItem*> links;
    for (const QString& name : names)
        links.append(find(("dashboard.tool." + name).toUtf8().constData()));
    ASSERT_FALSE(links.contains(nullptr));

    // Reading order: two per row, left column first, Processes alone last.
    for (int i = 0; i < links.size(); ++i) {
        const QPointF at = links[i]->mapToScene({});
        const QPointF first = links[i - i % 2]->mapToScene({});
        EXPECT_EQ(at.y(), first.y()) << i;
        if (i % 2 == 1) {
            EXPECT_GT(at.x(), first.x()) << i;
        }
        if (i >= 2) {
            EXPECT_GT(at.y(), links[i - 2]->mapToScene({}).y()) << i;
        }
    }
    EXPECT_EQ(links[6]->mapToScene({}).x(), links[0]->mapToScene({}).x());
    EXPECT_EQ(links[0]->height(), 44);
    EXPECT_EQ(links[0]->property("text").toString(), QStringLiteral("系统清理"));
    EXPECT_EQ(links[6]->property("text").toString(), QStringLiteral("进程监控"));
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(links[0]->property("text").toString(), QStringLiteral("System Cleanup"));
    EXPECT_EQ(links[2]->property("text").toString(), QStringLiteral("Uninstaller"));

    // Each link only switches sections.
    for (int i = 0; i < links.size(); ++i) {
        sections->clear();
        click(links[i]);
        EXPECT_EQ(requestedSections(), QStringList { names[i] });
    }
    EXPECT_EQ(deepClean->count(), 0);
    EXPECT_FALSE(junk->isScanning());
}

TEST_F(HomeViewTest, TabReachesEveryToolLinkWithTheFocusRing)
{
    ASSERT_TRUE(showHome());
    QStringList reached;
    for (int i = 0; i < 20; ++i) {
        key(Qt::Key_Tab);
        QQuickItem* focused = window.activeFocusItem();
        if (!focused || !focused->objectName().startsWith("dashboard.tool."))
            continue;
        reached.append(focused->objectName());
        const QQuickItem* ring = nullptr;
        for (QQuickItem* r : findAll("dashboard.tool.focusRing"))
            if (r->parentItem() && r->parentItem()->parentItem() == focused)
                ring = r;
        ASSERT_TRUE(ring);
        EXPECT_DOUBLE_EQ(ring->opacity(), 0.8);
    }
    reached.removeDuplicates();
    EXPECT_EQ(reached.size(), 7);
    // Only the focused link shows its ring.
    int rings = 0;
    for (QQuickItem* r : findAll("dashboard.tool.focusRing"))
        rings += r->opacity() > 0 ? 1 : 0;
    EXPECT_LE(rings, 1);
}

// The dashboard on this machine's readings, at the main window's minimum
// width and wider.
TEST_F(HomeViewTest, PicturesOfThisMachine)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    platform::core::ScopedService<platform::core::Executor> realExecutor { platform::core::Executor::createDefault() };
    platform::core::ScopedService<platform::sensors::BatteryRegistry> realBattery { platform::sensors::BatteryRegistry::createDefault() };
    ASSERT_TRUE(showHome(monitor::MonitorSources::createDefault()));
    monitor->sample();
    ASSERT_TRUE(waitFor([&] { return monitor->diskInfo().totalBytes > 0; }, 20000));
    QTest::qWait(2500);  // the span the second CPU sample measures, not a wait
    monitor->sample();
    ASSERT_TRUE(waitFor([&] { return monitor->uptime() > 0; }, 20000));
    EXPECT_TRUE(laidOut());
    shootAll("machine-754");
    window.resize(1167, 700);
    EXPECT_TRUE(laidOut());
    shootAll("machine-1167");
    item.reset();
    monitor.reset();
}

} // namespace
} // namespace velk::test
