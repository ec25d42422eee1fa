#include "engine/language/LanguageManager.h"
#include "engine/cleaning/LargeFileFixture.h"
#include "engine/cleaning/LargeFileScanSelectionStore.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/desktop/FullDiskAccessProbe.h"
#include "support/FakeFileRemover.h"
#include "support/FakeFullDiskAccessProbe.h"
#include "support/FakeWorkspace.h"
#include "support/ManualExecutor.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/models/DesktopActions.h"

namespace velk::test {
namespace {

constexpr qint64 kMiB = 1024 * 1024;

// The Large Files screen over the real view model, scanning a temporary
// macOS layout with hand-stepped background work, a remover that removes
// for real unless told to fail, a fake open-file lookup and a fake desktop.
class LargeFilesViewTest : public ScreenFixture {
protected:
    LargeFileTree tree;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    std::shared_ptr<FakeFileRemover> remover = std::make_shared<FakeFileRemover>(true);
    platform::core::ScopedService<platform::files::FileRemover> removerService{remover};
    std::shared_ptr<FakeFullDiskAccessProbe> access = std::make_shared<FakeFullDiskAccessProbe>(true);
    platform::core::ScopedService<platform::desktop::FullDiskAccessProbe> accessService{access};
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    models::DesktopActions desktop{workspace};
    cleaning::LargeFilesViewModel vm;
    QStringList held;  // what the open-file lookup reports as held by `holder`
    QString holder = "Preview";

    LargeFilesViewTest()
    {
        language::LanguageManager::shared().setCurrent("en");
        vm.setInUseLookup([this](const QStringList& paths) {
            cleaning::LargeFilesViewModel::InUseMap found;
            for (const QString& path : paths)
                if (held.contains(path))
                    found.insert(path, {{4242, holder}});
            return found;
        });
    }

    ~LargeFilesViewTest() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        executor->runAll();
        language::LanguageManager::shared().setCurrent("zh-Hans");
    }

    QQuickItem* showScreen()
    {
        return build("LargeFilesView", {{"viewModel", QVariant::fromValue(&vm)},
                                        {"desktop", QVariant::fromValue(&desktop)}},
                     "import Velk.Models\nimport Velk.LargeFiles\n");
    }

    bool shown(const QString& name) const
    {
        QQuickItem* target = driver().find(name);
        return target && target->isVisible();
    }
    QString alertMessage() const { return ItemDriver::text(driver().find("alert.message")); }
    QString headerSubtitle() const
    {
        QQuickItem* subtitle = findVisual(find("largeFiles.header"), "pageHeader.subtitle");
        return subtitle && subtitle->isVisible() ? ItemDriver::text(subtitle) : QString();
    }
    QQuickItem* row(const QString& name) const
    {
        for (const cleaning::FileItem& item : vm.items())
            if (item.name == name)
                return driver().find("largeFiles.row[" + item.id.toString(QUuid::WithoutBraces) + "]");
        return nullptr;
    }
    QStringList shownRows() const
    {
        QStringList names;
        for (QQuickItem* r : driver().findAll("largeFiles.row"))
            if (r->isVisible())
                names << r->property("name").toString();
        return names;
    }
    void filter(const QString& text)
    {
        QQuickItem* input = findVisual(find("largeFiles.filter"), "searchField.input");
        input->setProperty("text", QString());
        driver().type(input, text);
    }
    void scan()
    {
        vm.scan({tree.home()});
        executor->runAll();
        settle();
    }
};

TEST_F(LargeFilesViewTest, TheScopeSheetStartsTheScanAndTheListFollowsTheFilter)
{
    tree.dir("opt");
    tree.file("Users/me/Movies/trip.mov", 80 * kMiB);
    tree.file("Users/me/Movies/clip.MOV", 60 * kMiB);
    tree.file("Users/me/disk.iso", 120 * kMiB);
    // Wide enough for the total beside the full-width controls, which a
    // header shows whole or not at all.
    window.resize(1100, 610);
    ASSERT_TRUE(showScreen());
    EXPECT_TRUE(shown("largeFiles.empty"));
    EXPECT_FALSE(shown("largeFiles.filter"));
    EXPECT_EQ(text("largeFiles.scan"), "Scan");
    EXPECT_EQ(find("largeFiles.startScan")->height(), 36);
    click(find("largeFiles.preset[100]"));
    EXPECT_EQ(vm.minSizeMB(), 100);
    vm.setMinSizeMB(50.9);
    EXPECT_TRUE(find("largeFiles.preset[50]")->property("checked").toBool());

    click("largeFiles.startScan");
    auto* sheet = find<QObject>("largeFiles.scopeSheet");
    ASSERT_TRUE(waitFor([&] { return sheet->property("shown").toBool(); }));
    QQuickWindow* sheetWindow = sheetWindowOf(sheet);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_EQ(sheetWindow->width(), 460);
    // Ticking the folder above the home keeps the home ticked: both start,
    // the outer one first.
    ItemDriver onSheet(*sheetWindow);
    click(findVisual(onSheet.find("largeFiles.scope.row[" + tree.at("Users") + "]"), "largeFiles.scope.label"));
    click(findVisual(onSheet.find("largeFiles.scope.row[" + tree.at("opt") + "]"), "largeFiles.scope.disclosure"));
    click(findIn(sheetWindow, "largeFiles.scope.start"));
    EXPECT_TRUE(waitFor([&] { return !sheet->property("shown").toBool(); }));
    EXPECT_EQ(tree.defaults().stringList(cleaning::LargeFileScanSelectionStore::key),
              (QStringList{tree.at("Users"), tree.home()}));
    EXPECT_TRUE(vm.isScanning());
    settle();
    EXPECT_TRUE(shown("largeFiles.scanning"));
    EXPECT_TRUE(shown("largeFiles.stop"));
    EXPECT_EQ(text("largeFiles.scanFolder"), "selected folders");

    executor->runAll();
    settle();
    EXPECT_TRUE(shown("largeFiles.results"));
    EXPECT_EQ(shownRows(), (QStringList{"disk.iso", "trip.mov", "clip.MOV"}));
    EXPECT_EQ(text("largeFiles.scan"), "Rescan");
    EXPECT_EQ(headerSubtitle(), "272.6 MB");
    EXPECT_EQ(text("largeFiles.trash"), "Trash (3)");

    // The select-all mark acts on what the filter shows.
    filter("mov");
    settle();
    EXPECT_EQ(shownRows(), (QStringList{"trip.mov", "clip.MOV"}));
    EXPECT_EQ(headerSubtitle(), "146.8 MB");
    EXPECT_TRUE(find("largeFiles.selectAll")->property("isChecked").toBool());
    click("largeFiles.selectAll");
    EXPECT_EQ(vm.selectedCount(), 1);
    EXPECT_FALSE(find("largeFiles.selectAll")->property("isChecked").toBool());
    click(row("trip.mov"));
    click(row("clip.MOV"));
    EXPECT_TRUE(find("largeFiles.selectAll")->property("isChecked").toBool());
    EXPECT_EQ(vm.selectedCount(), 3);
    // The reveal button reveals and leaves the selection alone.
    click(findVisual(row("trip.mov"), "largeFiles.row.reveal"));
    EXPECT_EQ(workspace->calls().last().arguments, QStringList{tree.at("Users/me/Movies/trip.mov")});
    EXPECT_EQ(vm.selectedCount(), 3);
    EXPECT_TRUE(findVisual(row("trip.mov"), "largeFiles.row.inspect")->isVisible());

    filter("zzz");
    settle();
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_EQ(headerSubtitle(), "Zero KB");
    EXPECT_FALSE(find("largeFiles.selectAll")->property("isChecked").toBool());
    click("largeFiles.selectAll");
    EXPECT_EQ(vm.selectedCount(), 3);
    EXPECT_EQ(text("largeFiles.trash"), "Trash (3)");
}

TEST_F(LargeFilesViewTest, EveryWayOfClosingTheScopeSheetRemembersItsTicks)
{
    ASSERT_TRUE(showScreen());
    auto* sheet = find<QObject>("largeFiles.scopeSheet");
    const auto open = [&] {
        click("largeFiles.scan");
        EXPECT_TRUE(waitFor([&] { return sheet->property("shown").toBool(); }));
        QQuickWindow* sheetWindow = sheetWindowOf(sheet);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
        return sheetWindow;
    };
    const auto tick = [&](QQuickWindow* sheetWindow, const QString& path) {
        click(findVisual(ItemDriver(*sheetWindow).find("largeFiles.scope.row[" + path + "]"), "largeFiles.scope.label"));
    };

    // Emptied and cancelled: nothing starts, the empty choice is stored, and
    // the next opening starts from the default.
    QQuickWindow* sheetWindow = open();
    tick(sheetWindow, tree.home());
    EXPECT_FALSE(findIn(sheetWindow, "largeFiles.scope.start")->isEnabled());
    click(findIn(sheetWindow, "largeFiles.scope.cancel"));
    EXPECT_TRUE(waitFor([&] { return !sheet->property("shown").toBool(); }));
    EXPECT_EQ(tree.defaults().stringList(cleaning::LargeFileScanSelectionStore::key), QStringList());
    EXPECT_FALSE(vm.isScanning());

    sheetWindow = open();
    EXPECT_TRUE(findVisual(ItemDriver(*sheetWindow).find("largeFiles.scope.row[" + tree.home() + "]"),
                           "largeFiles.scope.tick")->property("isChecked").toBool());
    tick(sheetWindow, tree.at("Users"));
    key(Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return !sheet->property("shown").toBool(); }));
    EXPECT_EQ(tree.defaults().stringList(cleaning::LargeFileScanSelectionStore::key),
              (QStringList{tree.at("Users"), tree.home()}));
}

TEST_F(LargeFilesViewTest, EveryPressChecksFirstAndWhatCouldNotBeDeletedStaysSelected)
{
    const QString open = tree.file("Users/me/a/open.dmg", 90 * kMiB);
    const QString stuck = tree.file("Users/me/a/stuck.zip", 70 * kMiB);
    tree.file("Users/me/a/gone.mp4", 60 * kMiB);
    held = {open};
    remover->failFor(stuck);
    ASSERT_TRUE(showScreen());
    scan();

    click("largeFiles.delete");
    settle();
    EXPECT_TRUE(findVisual(find("largeFiles.delete"), "largeFiles.deleteSpinner")->isVisible());
    EXPECT_FALSE(findVisual(find("largeFiles.trash"), "largeFiles.deleteSpinner")->isVisible());
    EXPECT_FALSE(find("largeFiles.trash")->isEnabled());
    EXPECT_FALSE(find("largeFiles.delete")->isEnabled());
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return !alertTitle().isEmpty(); }));
    EXPECT_EQ(alertTitle(), "Some files are in use");
    EXPECT_EQ(alertButtons(), (QStringList{"Cancel", "Delete Permanently"}));
    pressAlert("Cancel");
    EXPECT_TRUE(waitFor([&] { return alertTitle().isEmpty(); }));
    EXPECT_TRUE(find("largeFiles.trash")->isEnabled());

    // A fresh check: the file is no longer held.
    held.clear();
    click("largeFiles.trash");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return !alertTitle().isEmpty(); }));
    EXPECT_EQ(alertTitle(), "Move to Trash?");
    pressAlert("Move to Trash");
    settle();
    EXPECT_FALSE(find("largeFiles.trash")->isEnabled());
    executor->runAll();
    // The file left is named in the failure alert with why, however long
    // the deletion took.
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Files Could Not Be Deleted"; }));
    EXPECT_EQ(alertMessage(),
              "Files that could not be deleted remain in the list:\n\n\u2068" + stuck + "\u2069: permission denied");
    pressAlert("OK");
    EXPECT_TRUE(waitFor([&] { return alertTitle().isEmpty(); }));
    EXPECT_TRUE(vm.failedPaths().isEmpty());
    settle();
    EXPECT_EQ(shownRows(), QStringList{"stuck.zip"});
    EXPECT_TRUE(findVisual(row("stuck.zip"), "largeFiles.row.checkbox")->property("isChecked").toBool());
    EXPECT_EQ(text("largeFiles.trash"), "Trash (1)");
    EXPECT_TRUE(QFileInfo::exists(stuck));
    EXPECT_FALSE(QFileInfo::exists(open));
}

// Names that would turn or split the text around them are shown with those
// characters written out, in the rows, the in-use confirmation and the
// failure alert; each name in a sentence is isolated from the words around it.
TEST_F(LargeFilesViewTest, NamesThatActOnTextAreWrittenOutWhereverTheyAreShown)
{
    const QString turned = tree.file(QString::fromUtf8("Users/me/a/clip\u202E4pm.mov"), 90 * kMiB);
    const QString split = tree.file("Users/me/a/two\nlines.mov", 70 * kMiB);
    held = {turned};
    holder = QString::fromUtf8("a\u202Efdp.exe");
    remover->failFor(turned);
    remover->failFor(split);
    ASSERT_TRUE(showScreen());
    scan();
    EXPECT_EQ(ItemDriver::text(findVisual(row(QString::fromUtf8("clip\u202E4pm.mov")), "largeFiles.row.name")),
              "clip<U+202E>4pm.mov");
    EXPECT_EQ(ItemDriver::text(findVisual(row("two\nlines.mov"), "largeFiles.row.path")),
              tree.home() + "/a/two\\nlines.mov");

    const auto raw = [](const QString& text) {
        return text.contains(QChar(0x202E)) || text.contains(QStringLiteral("two\n"));
    };
    click("largeFiles.delete");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return alertButtons().contains("Delete Permanently"); }));
    EXPECT_FALSE(raw(alertMessage())) << alertMessage().toStdString();
    EXPECT_TRUE(alertMessage().contains(QString::fromUtf8("open by \u2068a<U+202E>fdp.exe\u2069 (\u2068clip<U+202E>4pm.mov\u2069)")));
    EXPECT_TRUE(alertMessage().endsWith("These files will be deleted immediately. They will not go to the Trash and "
                                        "cannot be restored from there."));
    inEveryLook([&](const QString& look) { shoot("largefiles-names-in-use-" + look); });
    pressAlert("Delete Permanently");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Files Could Not Be Deleted"; }));
    EXPECT_FALSE(raw(alertMessage())) << alertMessage().toStdString();
    EXPECT_EQ(alertMessage().count(u'\n'), 3);  // the heading, a blank line, one line per file
    inEveryLook([&](const QString& look) { shoot("largefiles-names-failures-" + look); });
    pressAlert("OK");
}

// A name that begins with Hebrew or Arabic letters is laid out left to
// right like the interface: in the window's picture its first letter stands
// where a Latin name's does.
TEST_F(LargeFilesViewTest, NamesInEveryScriptBeginWhereTheirNeighboursBegin)
{
    const QStringList names = {QString::fromUtf8("\u05D3\u05D5\u05D7 12.mov"),
                               QString::fromUtf8("\u062A\u0642\u0631\u064A\u0631-2024.mov"), "plain.mov"};
    for (const QString& name : names)
        tree.file("Users/me/names/" + name, 60 * kMiB);
    ASSERT_TRUE(showScreen());
    scan();
    const auto firstInk = [&](const QImage& picture, const QString& name) {
        return firstInkColumn(picture, findVisual(row(name), "largeFiles.row.name"));
    };
    inEveryLook([&](const QString& look) {
        SCOPED_TRACE(look.toStdString());
        const QImage picture = window.grabWindow();
        const int latin = firstInk(picture, "plain.mov");
        ASSERT_GE(latin, 0);
        for (const QString& name : names.first(2))
            EXPECT_LE(std::abs(firstInk(picture, name) - latin), 8) << name.toStdString();
        shoot("largefiles-scripts-" + look);
    });
}

// Twelve files left, each named with its reason: at the default window size
// the failure alert keeps its button inside the window in every look,
// its message scrolling, and the button closes it.
TEST_F(LargeFilesViewTest, AFailureAlertNamingManyFilesFitsTheDefaultWindow)
{
    for (int i = 1; i <= 12; ++i)
        remover->failFor(tree.file(QStringLiteral("Users/me/Movies/2024/wedding-raw/clip-%1.mov").arg(i, 4, 10, QChar(u'0')),
                                   60 * kMiB));
    window.resize(987, 650);
    ASSERT_TRUE(showScreen());
    scan();
    vm.setFilteredSelected(true);
    click("largeFiles.delete");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return alertButtons().contains("Delete Permanently"); }));
    pressAlert("Delete Permanently");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Files Could Not Be Deleted"; }));
    expectAlertScrollsInsideTheWindow("largefiles-failures");
    pressAlert("OK");
    EXPECT_TRUE(waitFor([&] { return alertTitle().isEmpty(); }));
    EXPECT_TRUE(vm.failedPaths().isEmpty());
}

// In the main window at its default size, with files found and selected, the
// header keeps its title whole and the filter what was typed into it; the
// total shows whole or gives way.
TEST_F(LargeFilesViewTest, TheHeaderKeepsItsTitleAndTheFilterItsTextAtTheDefaultWindowSize)
{
    tree.file("Users/me/a/disk.iso", 620 * kMiB);
    tree.file("Users/me/a/clip.mov", 60 * kMiB);
    window.resize(defaultScreenWidth, 650);
    ASSERT_TRUE(showScreen());
    scan();
    vm.setFilteredSelected(true);
    filter("disk.iso");
    QQuickItem* input = findVisual(find("largeFiles.filter"), "searchField.input");
    for (const char* theme : {"classic", "cyber"}) {
        design::ThemeManager::shared().setCurrentRawValue(theme);
        window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
        for (const char* lang : {"zh-Hans", "en"}) {
            language::LanguageManager::shared().setCurrent(lang);
            ASSERT_TRUE(waitFor([&] { return shown("largeFiles.trash"); }));
            EXPECT_TRUE(headerWhole("largeFiles.header")) << lang;
            EXPECT_LE(input->property("contentWidth").toReal(), input->width()) << "the filter cuts what was typed";
            shoot(QStringLiteral("filter-%1-%2").arg(theme, lang));
        }
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

TEST_F(LargeFilesViewTest, TheDiskAccessBannerIsAskedAgainWhenTheScreenAppears)
{
    access->setGranted(false);
    ASSERT_TRUE(showScreen());
    EXPECT_TRUE(shown("largeFiles.diskAccessBanner"));
    click("largeFiles.openSettings");
    ASSERT_EQ(workspace->calls().size(), 1);
    EXPECT_EQ(workspace->calls()[0].arguments,
              QStringList{"x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension?Privacy_AllFiles"});
    workspace->setFailing(true);
    click("largeFiles.openSettings");
    EXPECT_EQ(workspace->calls().last().arguments,
              QStringList{"x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"});

    access->setGranted(true);
    item->setVisible(false);
    item->setVisible(true);
    EXPECT_FALSE(shown("largeFiles.diskAccessBanner"));
}

// The scan under way, which velk-shot cannot hold still, in both themes
// and languages.
TEST_F(LargeFilesViewTest, PicturesOfTheScan)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "set VELK_SHOT_DIR to render the pictures";
    for (int i = 0; i < 40; ++i)
        tree.file(QStringLiteral("Users/me/Projects/p%1/build.bin").arg(i), (40 + i) * kMiB);
    ASSERT_TRUE(showScreen());
    vm.scan({tree.home()});
    while (vm.scanMatched() < 12 && executor->step()) {
    }
    ASSERT_TRUE(vm.isScanning());
    for (const char* theme : {"classic", "cyber"}) {
        design::ThemeManager::shared().setCurrentRawValue(theme);
        window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
        for (const char* lang : {"zh-Hans", "en"}) {
            language::LanguageManager::shared().setCurrent(lang);
            // Pictures only: the count's digits roll in for this long.
            QTest::qWait(800);
            shoot(QStringLiteral("scanning-%1-%2").arg(theme, lang));
        }
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

} // namespace
} // namespace velk::test
