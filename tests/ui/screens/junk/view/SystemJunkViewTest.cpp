#include "engine/cleaning/JunkFixture.h"
#include "engine/language/LanguageManager.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "support/FakeFileRemover.h"
#include "support/FakeMonitorSources.h"
#include "support/SystemFixtures.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/ThemeManager.h"
#include "ui/screens/junk/ScreenJunk.h"
#include "ui/shell/RecordingMonitorGate.h"
#include "ui/shell/SectionNavigator.h"

#include <QFileInfo>

namespace velk::test {
namespace {

using design::AlertPresentation;
using design::PresentationHost;


// The System Junk screen over the real junk view model, scanning a
// temporary home laid out as on macOS, with the deep-clean request bound to
// a real navigator as the window binds it.
class SystemJunkViewTest : public ScreenFixture {
protected:
    JunkHome home;
    platform::core::ScopedService<platform::core::Clock> clock{std::make_shared<ManualClock>()};
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();
    monitor::SystemMonitor monitor{sources};
    cleaning::SystemJunkViewModel vm;
    std::shared_ptr<RecordingMonitorGate::Log> log = std::make_shared<RecordingMonitorGate::Log>();
    shell::SectionNavigator navigator{std::make_unique<RecordingMonitorGate>(log)};

    SystemJunkViewTest()
    {
        buildJunk(home);
        language::LanguageManager::shared().setCurrent("en");
    }

    ~SystemJunkViewTest() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        home.executor().runAll();
        language::LanguageManager::shared().setCurrent("zh-Hans");
        design::ThemeManager::shared().setCurrentRawValue("classic");
    }

    QQuickItem* showScreen()
    {
        QQmlComponent component(&engine);
        component.setData(R"(import QtQuick
import Velk.Design
import Velk.Models
import Velk.Shell
import Velk.SystemJunk
Item {
    id: host
    required property SectionNavigator navigator
    required property SystemJunkViewModel junk
    required property SystemMonitor monitor
    SystemJunkView {
        objectName: "systemJunkView"
        anchors.fill: parent
        viewModel: host.junk
        monitor: host.monitor
        deepCleanEntry: host.navigator.deepCleanJunk
    }
})", QUrl("qrc:/test/SystemJunk.qml"));
        EXPECT_TRUE(component.isReady()) << component.errorString().toStdString();
        item.reset(qobject_cast<QQuickItem*>(component.createWithInitialProperties(
            {{"navigator", QVariant::fromValue(&navigator)},
             {"junk", QVariant::fromValue(&vm)},
             {"monitor", QVariant::fromValue(&monitor)}})));
        EXPECT_TRUE(item) << component.errorString().toStdString();
        if (!item)
            return nullptr;
        item->setParentItem(window.contentItem());
        item->setSize(window.size());
        window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return item.get();
    }

    void scan()
    {
        click("systemJunk.scan");
        home.executor().runAll();
        // The header places the buttons it now shows.
        settle();
    }

    bool shown(const char* name) const
    {
        QQuickItem* target = find(name);
        return target && target->isVisible();
    }

    QString textOf(QQuickItem* target) const { return ItemDriver::text(target); }
    QString headerTitle() const { return textOf(inside("systemJunk.header", "pageHeader.title")); }
    QString headerSubtitle() const
    {
        QQuickItem* subtitle = inside("systemJunk.header", "pageHeader.subtitle");
        return subtitle && subtitle->isVisible() ? textOf(subtitle) : QString();
    }
    // The text shown by a button (its label lives inside it).
    QString buttonText(const char* name) const { return find(name)->property("text").toString(); }
    QString statValue(const char* name) const
    {
        return textOf(inside(name, (QByteArray(name) + ".value").constData()));
    }

    QQuickItem* inside(const char* parent, const char* name) const
    {
        QQuickItem* from = find(parent);
        return from ? findVisual(from, QString::fromLatin1(name)) : nullptr;
    }

    // The row of one category, found by its key as scripts find it.
    QQuickItem* row(const QString& categoryId) const
    {
        const QList<QQuickItem*> found = findAll("systemJunk.row[" + categoryId + "]");
        EXPECT_EQ(found.size(), 1) << categoryId.toStdString();
        return found.value(0);
    }
    QQuickItem* group(const QString& key) const
    {
        for (QQuickItem* g : findAll("systemJunk.group"))
            if (g->property("key").toString() == key)
                return g;
        ADD_FAILURE() << key.toStdString();
        return nullptr;
    }
    // Whether the group `key` is open to the full height of its rows.
    bool showsAllRows(const QString& key) const
    {
        QQuickItem* rows = findVisual(group(key), "systemJunk.group.rows");
        QQuickItem* column = rows ? rows->childItems().value(0) : nullptr;
        return column && rows->isVisible() && column->height() > 0 && rows->height() == column->height();
    }
    QString groupText(const QString& key, const char* name) const
    {
        QQuickItem* found = findVisual(group(key), QString::fromLatin1(name));
        return found && found->isVisible() ? textOf(found) : QString();
    }

    PresentationHost* alerts() { return PresentationHost::alertHost(&window); }
    // Clicks button `index` of the alert shown now.
    void pressAlertButton(int index)
    {
        auto* button = findVisual(window.contentItem(), QStringLiteral("alert.button.%1").arg(index));
        ASSERT_TRUE(button);
        ASSERT_TRUE(waitFor([&] { return button->isVisible() && button->width() > 0; }));
        click(button);
    }

    // Every theme and language, one picture each.
    void shootAll(const QString& name)
    {
        if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
            return;
        // No row shows a hover from the last click.
        QTest::mouseMove(&window, QPoint(window.width() - 2, window.height() - 2));
        inEveryLook([&](const QString& look) { shoot(name + '-' + look); });
    }
};

TEST_F(SystemJunkViewTest, IdleThenScanningThenComplete)
{
    ASSERT_TRUE(showScreen());
    EXPECT_EQ(headerTitle(), "System Cleanup");
    EXPECT_TRUE(headerSubtitle().isEmpty());
    EXPECT_TRUE(shown("systemJunk.idle"));
    EXPECT_FALSE(shown("systemJunk.content"));
    EXPECT_EQ(buttonText("systemJunk.scan"), "Scan");
    EXPECT_FALSE(shown("systemJunk.clean"));
    EXPECT_FALSE(shown("systemJunk.stop"));
    EXPECT_FALSE(shown("systemJunk.freedBadge"));
    EXPECT_EQ(find("systemJunk.startScan")->height(), 36);
    QStringList tags;
    for (QQuickItem* tag : findAll("systemJunk.scopeTag"))
        tags.append(tag->property("modelData").toString());
    EXPECT_EQ(tags, QStringList({"Caches", "Xcode", "Dev Packages", "Logs"}));
    language::LanguageManager::shared().setCurrent("zh-Hans");
    tags.clear();
    for (QQuickItem* tag : findAll("systemJunk.scopeTag"))
        tags.append(tag->property("modelData").toString());
    EXPECT_EQ(tags, QStringList({"系统缓存", "Xcode", "开发依赖", "日志"}));
    EXPECT_EQ(buttonText("systemJunk.scan"), "扫描");

    // Start Scan: the progress line counts from 0 of the 24 categories.
    click("systemJunk.startScan");
    EXPECT_TRUE(vm.isScanning());
    EXPECT_FALSE(shown("systemJunk.idle"));
    EXPECT_TRUE(shown("systemJunk.progress"));
    EXPECT_TRUE(shown("systemJunk.stop"));
    EXPECT_FALSE(shown("systemJunk.scan"));
    EXPECT_FALSE(shown("systemJunk.clean"));
    EXPECT_FALSE(shown("systemJunk.selection"));
    EXPECT_EQ(text("systemJunk.progressText"), "已扫描 0 / 24 类");
    EXPECT_EQ(text("systemJunk.scanningCategory"), "用户缓存");
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_EQ(text("systemJunk.progressText"), "Scanned 0 / 24");
    EXPECT_EQ(buttonText("systemJunk.stop"), "Stop");
    // Every row is there from the start, with a zero size and its folder.
    EXPECT_EQ(findAll("systemJunk.row").size(), 24);
    EXPECT_EQ(textOf(findVisual(row("user_caches"), "systemJunk.row.size")), "Zero KB");
    EXPECT_EQ(textOf(findVisual(row("user_caches"), "systemJunk.row.subtitle")), "~/Library/Caches");
    // Every group shows its rows at once: only a click on a header springs.
    settle();
    for (const char* key : {"system", "xcode", "languages", "apps"})
        EXPECT_TRUE(showsAllRows(key)) << key;

    // The first category arrives: its row changes in place.
    QQuickItem* cachesRow = row("user_caches");
    home.executor().step();
    home.executor().step();
    EXPECT_EQ(text("systemJunk.progressText"), "Scanned 1 / 24");
    EXPECT_EQ(text("systemJunk.scanningCategory"), "System Logs");
    EXPECT_EQ(row("user_caches"), cachesRow);
    EXPECT_EQ(textOf(findVisual(cachesRow, "systemJunk.row.size")), "500 bytes");
    EXPECT_TRUE(cachesRow->property("isSelected").toBool());

    home.executor().runAll();
    EXPECT_TRUE(vm.scanComplete());
    EXPECT_FALSE(shown("systemJunk.progress"));
    EXPECT_TRUE(shown("systemJunk.stats"));
    EXPECT_EQ(statValue("systemJunk.total"), "2 KB");
    EXPECT_EQ(statValue("systemJunk.selected"), "650 bytes");
    EXPECT_FALSE(shown("systemJunk.freed"));
    EXPECT_FALSE(shown("systemJunk.freedDivider"));
    EXPECT_EQ(buttonText("systemJunk.scan"), "Rescan");
    EXPECT_TRUE(shown("systemJunk.clean"));
    EXPECT_EQ(buttonText("systemJunk.clean"), "Clean");
    EXPECT_TRUE(shown("systemJunk.selectAll"));
    EXPECT_EQ(row("user_caches"), cachesRow);

    // Group headers: the total, and the selected part only when partial.
    EXPECT_EQ(groupText("system", "systemJunk.group.title"), "System");
    EXPECT_EQ(groupText("system", "systemJunk.group.total"), "2 KB");
    EXPECT_EQ(groupText("system", "systemJunk.group.selected"), "· 550 bytes");
    EXPECT_EQ(groupText("xcode", "systemJunk.group.total"), "70 bytes");
    EXPECT_TRUE(groupText("xcode", "systemJunk.group.selected").isEmpty());
    EXPECT_EQ(groupText("languages", "systemJunk.group.title"), "Developer");
    EXPECT_EQ(groupText("apps", "systemJunk.group.total"), "Zero KB");
    EXPECT_TRUE(groupText("apps", "systemJunk.group.selected").isEmpty());
}

TEST_F(SystemJunkViewTest, SelectAllNoneAndRowTaps)
{
    ASSERT_TRUE(showScreen());
    scan();

    click("systemJunk.selectNone");
    EXPECT_EQ(vm.selectedSize(), 0);
    EXPECT_FALSE(shown("systemJunk.clean"));
    EXPECT_EQ(statValue("systemJunk.selected"), "Zero KB");
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_EQ(statValue("systemJunk.selected"), "零 KB");
    language::LanguageManager::shared().setCurrent("en");

    click("systemJunk.selectAll");
    EXPECT_EQ(vm.selectedSize(), 1690);
    EXPECT_TRUE(shown("systemJunk.clean"));
    EXPECT_TRUE(groupText("system", "systemJunk.group.selected").isEmpty());

    // A partly selected category clears as a whole.
    vm.setItemSelected(cleaning::ScanCategoryID::userCaches, vm.categories()[0].items[0].id, false);
    EXPECT_TRUE(row("user_caches")->property("isSelected").toBool());
    click(row("user_caches"));
    EXPECT_FALSE(vm.categories()[0].isSelected());
    EXPECT_FALSE(row("user_caches")->property("isSelected").toBool());
    click(row("user_caches"));
    EXPECT_EQ(vm.categories()[0].selectedSize(), 500);

    // An empty category selects nothing.
    click(row("language_files"));
    EXPECT_FALSE(row("language_files")->property("isSelected").toBool());
    EXPECT_EQ(vm.selectedSize(), 1690);
}

TEST_F(SystemJunkViewTest, ConfirmationNamesKeptCategoriesAndWarnsAboutDerivedData)
{
    ASSERT_TRUE(showScreen());
    scan();

    // As scanned: neither the kept categories nor Derived Data... Derived
    // Data is selected, so its warning follows after a blank line.
    click("systemJunk.clean");
    ASSERT_TRUE(alerts()->current());
    EXPECT_EQ(alerts()->current()->objectName(), "systemJunk.cleanAlert");
    EXPECT_EQ(alerts()->title(), "Clean Selected Junk?");
    EXPECT_EQ(alerts()->buttonTexts(), QStringList({"Cancel", "Clean"}));
    EXPECT_EQ(alerts()->message(),
              "Permanently delete 650 bytes of selected caches and logs.\n\nQuit Xcode completely before deleting "
              "Derived Data, or files may stay locked and free space may not change.");
    pressAlertButton(0);
    EXPECT_EQ(alerts()->current(), nullptr);
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_FALSE(find("systemJunkView")->property("confirmClean").toBool());

    // Without Derived Data: the size alone.
    click(row("derived_data"));
    click("systemJunk.clean");
    EXPECT_EQ(alerts()->message(), "Permanently delete 580 bytes of selected caches and logs.");
    alerts()->current()->dismiss();

    // With the Trash and Downloads: they are named, in both languages.
    click("systemJunk.selectAll");
    click("systemJunk.clean");
    EXPECT_EQ(alerts()->message(),
              "Permanently delete 2 KB of selected caches and logs.\n\nThis also includes: Trash, Downloads. These "
              "items are deleted permanently too, not moved to the Trash.\n\nQuit Xcode completely before "
              "deleting Derived Data, or files may stay locked and free space may not change.");
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_EQ(alerts()->title(), "清理所选垃圾？");
    EXPECT_EQ(alerts()->message(),
              "永久删除已选中的 2 KB 缓存与临时文件。\n\n其中还包括：废纸篓、下载文件夹。这些项目同样会被永久删除，"
              "不会移到废纸篓。\n\n删除 Xcode 派生数据前请先完全退出 Xcode，否则可能删不干净、可用空间不变。");
    shootAll("junk-confirmation");
    alerts()->current()->dismiss();
    EXPECT_TRUE(QFileInfo::exists(home.home() + "/Downloads/installer.dmg"));
}

TEST_F(SystemJunkViewTest, CleanWithAFailureShowsBothAlertsInTurn)
{
    ASSERT_TRUE(showScreen());
    scan();
    const QString locked = home.home() + "/Library/Caches/locked";
    Undeletable undeletable(locked, locked);

    click("systemJunk.clean");
    pressAlertButton(1);
    EXPECT_TRUE(vm.isCleaning());
    EXPECT_FALSE(find("systemJunk.clean")->isEnabled());
    EXPECT_TRUE(shown("systemJunk.clean.spinner"));
    EXPECT_TRUE(find("systemJunk.scan")->isEnabled());
    home.executor().runAll();
    // The disk figure is read again for the dashboard.
    EXPECT_TRUE(sources->calls.contains("disk"));

    // The failure first, then the result; each clears only its own value.
    ASSERT_TRUE(alerts()->current());
    EXPECT_EQ(alerts()->current()->objectName(), "systemJunk.failureAlert");
    EXPECT_EQ(alerts()->title(), "Some Files Could Not Be Deleted");
    EXPECT_EQ(alerts()->message(), "Files that could not be deleted remain in the list with what is left of them; "
                                   "only what was deleted counts as freed space:\n\n\u2068" + locked + "\u2069: permission denied");
    EXPECT_EQ(alerts()->buttonTexts(), QStringList{"OK"});
    shootAll("junk-failure");
    EXPECT_TRUE(vm.errorMessage());
    pressAlertButton(0);
    EXPECT_FALSE(vm.errorMessage());
    ASSERT_TRUE(vm.cleanReport());

    ASSERT_TRUE(alerts()->current());
    EXPECT_EQ(alerts()->current()->objectName(), "systemJunk.resultAlert");
    EXPECT_EQ(alerts()->title(), "Cleanup Finished");
    EXPECT_EQ(alerts()->message(),
              "Deleted about 450 bytes; 1 item(s) failed and remain in the list. Dashboard percent is whole-disk "
              "stats and may differ slightly from scanned logical sizes.");
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_TRUE(alerts()->message().startsWith("已删除并释放约 450 字节；1 项失败仍留在列表。"));
    shootAll("junk-result");
    // Escape closes it as well, clearing the report.
    alerts()->current()->dismiss();
    EXPECT_FALSE(vm.cleanReport());
    EXPECT_EQ(alerts()->current(), nullptr);

    // Back to complete: the failed item stays, the Freed figure appears.
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_TRUE(shown("systemJunk.freed"));
    EXPECT_TRUE(shown("systemJunk.freedDivider"));
    language::LanguageManager::shared().setCurrent("en");
    EXPECT_EQ(statValue("systemJunk.freed"), "450 bytes");
    EXPECT_EQ(textOf(findVisual(row("user_caches"), "systemJunk.row.size")), "200 bytes");

    // Stop after a completed scan: idle again, with the freed badge.
    click("systemJunk.scan");
    EXPECT_TRUE(shown("systemJunk.stop"));
    click("systemJunk.stop");
    EXPECT_TRUE(shown("systemJunk.idle"));
    EXPECT_EQ(buttonText("systemJunk.scan"), "Scan");
    ASSERT_TRUE(shown("systemJunk.freedBadge"));
    EXPECT_EQ(find("systemJunk.freedBadge")->property("text").toString(), "Freed 450 bytes");
}

// Caches on a disk mounted read-only stay, each named with what happened.
TEST_F(SystemJunkViewTest, CachesOnAReadOnlyDiskAreNamedWithWhy)
{
    const QString caches = home.home() + "/Library/Caches";
    ASSERT_TRUE(showScreen());
    scan();
    const ScopedMount readOnly = ScopedMount::readOnly(caches, caches);
    ASSERT_TRUE(readOnly.ok()) << readOnly.error();
    // The log names each with the system's reason.
    warnings.expect("^removing .*/Library/Caches/big\\.cache failed: .*: on a read-only file system$");
    warnings.expect("^removing .*/Library/Caches/locked failed: .*: on a read-only file system$");

    click("systemJunk.clean");
    pressAlertButton(1);
    home.executor().runAll();
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Files Could Not Be Deleted"; }));
    const QStringList lines = alerts()->message().split("\n\n").last().split('\n');
    EXPECT_EQ(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith("\u2068" + caches + '/') && line.endsWith("\u2069: on a read-only file system"))
            << line.toStdString();
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_TRUE(alerts()->message().endsWith("\u2069：位于只读文件系统")) << alerts()->message().toStdString();
    pressAlertButton(0);
}

// Twelve caches left, each named with its reason: at the default window size
// the failure alert keeps its button inside the window in every look,
// its message scrolling, and the button closes it.
TEST_F(SystemJunkViewTest, AFailureAlertNamingManyItemsFitsTheDefaultWindow)
{
    auto remover = std::make_shared<FakeFileRemover>(true);
    platform::core::ScopedService<platform::files::FileRemover> removerService(remover);
    for (int i = 1; i <= 12; ++i)
        remover->failFor(home.file(QStringLiteral("Library/Caches/org.example.wedding-raw.thumbnails-%1").arg(i, 2, 10, QChar(u'0')), 100));
    window.resize(987, 650);
    ASSERT_TRUE(showScreen());
    scan();
    click("systemJunk.clean");
    pressAlertButton(1);
    home.executor().runAll();
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Files Could Not Be Deleted"; }));
    expectAlertScrollsInsideTheWindow("junk-failures");
    pressAlert("OK");
    EXPECT_TRUE(waitFor([&] { return alertTitle() != "Some Files Could Not Be Deleted"; }));
    EXPECT_FALSE(vm.errorMessage());
}

TEST_F(SystemJunkViewTest, DeepCleanRequestShowsItsTitleUntilTheSectionIsLeft)
{
    ASSERT_TRUE(showScreen());
    scan();
    vm.setAllSelected(false);
    navigator.select("dashboard");

    // The dashboard's Review: the request, the selection, the section.
    navigator.setDeepCleanJunk(true);
    vm.prepareDeepCleanSelection();
    navigator.navigate("systemJunk");
    EXPECT_EQ(headerTitle(), "Deep Clean");
    EXPECT_EQ(headerSubtitle(), "Remaining items selected by default");
    EXPECT_EQ(vm.selectedSize(), 650);
    EXPECT_FALSE(vm.isScanning());
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_EQ(headerTitle(), "深度清洁");
    EXPECT_EQ(headerSubtitle(), "未删除项已默认选中");
    shootAll("junk-deepclean");

    // Leaving the section clears the request: the normal title again.
    navigator.select("largeFiles");
    navigator.select("systemJunk");
    EXPECT_FALSE(navigator.deepCleanJunk());
    EXPECT_EQ(headerTitle(), "系统清理");
    EXPECT_TRUE(headerSubtitle().isEmpty());
}

TEST_F(SystemJunkViewTest, CollapsedGroupKeepsItsSelectionUntilARescanOpensIt)
{
    ASSERT_TRUE(showScreen());
    scan();
    QQuickItem* header = findVisual(group("system"), "systemJunk.group.header");
    click(header);
    QQuickItem* rows = findVisual(group("system"), "systemJunk.group.rows");
    // The rows fold away, then hide.
    EXPECT_TRUE(waitFor([&] { return !rows->isVisible(); }));
    EXPECT_FALSE(row("user_caches")->isVisible() && rows->isVisible());
    EXPECT_EQ(vm.selectedSize(), 650);
    EXPECT_EQ(statValue("systemJunk.selected"), "650 bytes");
    EXPECT_EQ(groupText("system", "systemJunk.group.selected"), "· 550 bytes");
    EXPECT_TRUE(group("xcode")->property("isExpanded").toBool());

    click(header);
    EXPECT_TRUE(waitFor([&] { return rows->isVisible(); }));
    click(header);
    EXPECT_TRUE(waitFor([&] { return !rows->isVisible(); }));

    // A rescan opens it again at once.
    scan();
    EXPECT_TRUE(group("system")->property("isExpanded").toBool());
    EXPECT_TRUE(showsAllRows("system"));
}

// A category's folder named in Hebrew or Arabic letters (a cache folder the
// user moved may be) is laid out left to right like its neighbours' folders:
// its first letter stands where theirs does.
TEST_F(SystemJunkViewTest, FoldersInEveryScriptBeginWhereTheirNeighboursBegin)
{
    ASSERT_TRUE(show(R"(import Velk.SystemJunk
Column {
    width: 600
    component Folder: CategoryListRow {
        width: 600
        categoryId: subtitle
        title: "t"; englishTitle: "t"; englishSubtitle: subtitle
        icon: "folder"; isSelected: false; totalSize: 0
    }
    Folder { subtitle: "~/.cache" }
    Folder { subtitle: "~/\u05D4\u05D5\u05E8\u05D3\u05D5\u05EA" }
    Folder { subtitle: "~/\u062A\u0646\u0632\u064A\u0644\u0627\u062A" }
})"));
    const QList<QQuickItem*> folders = findAll("systemJunk.row.subtitle");
    ASSERT_EQ(folders.size(), 3);
    inEveryLook([&](const QString& look) {
        SCOPED_TRACE(look.toStdString());
        const QImage picture = window.grabWindow();
        const int latin = firstInkColumn(picture, folders[0]);
        ASSERT_GE(latin, 0);
        for (QQuickItem* folder : folders.mid(1))
            EXPECT_LE(std::abs(firstInkColumn(picture, folder) - latin), 8) << textOf(folder).toStdString();
    });
}

// Renders the states for a look; skipped unless VELK_SHOT_DIR is set.
TEST_F(SystemJunkViewTest, PicturesOfTheStates)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "set VELK_SHOT_DIR to render the pictures";
    home.file("Library/Caches/com.example.browser/Cache/data_1", 182'000'000);
    home.file("Library/Caches/pip/wheels/abc.whl", 48'500'000);
    home.file("Library/Logs/DiagnosticReports/app.crash", 1'250'000);
    home.file("Library/Developer/Xcode/DerivedData/App-xyz/Index/store", 2'340'000'000);
    home.file("Library/Caches/go-build/00/obj", 420'000'000);
    ASSERT_TRUE(showScreen());
    shootAll("junk-idle");

    click("systemJunk.startScan");
    for (int i = 0; i < 14; ++i)
        home.executor().step();
    shootAll("junk-scanning");

    home.executor().runAll();
    shootAll("junk-complete");
}

} // namespace
} // namespace velk::test
