#include "engine/cleaning/AppUninstallViewModel.h"
#include "engine/language/LanguageManager.h"
#include "platform/desktop/AppBundle.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "support/FakeAppBundle.h"
#include "support/FakeFileRemover.h"
#include "support/FakeWorkspace.h"
#include "support/ManualExecutor.h"
#include "support/TempTree.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/models/DesktopActions.h"
#include "ui/screens/uninstall/AppUninstallScreen.h"

#include <QDirIterator>
#include <algorithm>

namespace velk::test {
namespace {

using screens::AppUninstallScreen;

// Copies the folders `names` of the fixture machine below `to`.
void copyFixture(const QString& to, const QStringList& names)
{
    const QDir from(QStringLiteral(VELK_TEST_FIXTURES "/mac-laptop"));
    for (const QString& name : names) {
        QDirIterator entries(from.filePath(name), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
        QDir().mkpath(QDir(to).filePath(name));
        while (entries.hasNext()) {
            const QString path = entries.next();
            const QString copy = QDir(to).filePath(from.relativeFilePath(path));
            if (entries.fileInfo().isDir())
                QDir().mkpath(copy);
            else
                QFile::copy(path, copy);
        }
    }
}

// The App Uninstall screen over the real view model, on a copy of the
// fixture machine's applications and leftovers in a temporary root laid out
// as on macOS; background work runs when the test steps it.
class AppUninstallViewTest : public ScreenFixture {
protected:
    TempTree tree;
    QString root = tree.dir("root");
    QString home = tree.dir("root/Users/me");
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    platform::core::ScopedService<platform::locations::Locations> locations{platform::locations::Locations::macProfile(root, home)};
    std::shared_ptr<FakeFileRemover> remover = std::make_shared<FakeFileRemover>(true);
    platform::core::ScopedService<platform::files::FileRemover> removerService{remover};
    platform::core::ScopedService<platform::desktop::AppBundle> bundle{
        std::make_shared<FakeAppBundle>(root + "/Applications/VelkClean.app", "org.velk.VelkClean")};
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    models::DesktopActions desktop{workspace};
    cleaning::AppUninstallViewModel vm;

    AppUninstallViewTest()
    {
        copyFixture(root, {"Applications", "Library", "Users"});
        language::LanguageManager::shared().setCurrent("en");
    }

    ~AppUninstallViewTest() override
    {
        item.reset();
        executor->runAll();
        language::LanguageManager::shared().setCurrent("zh-Hans");
        design::ThemeManager::shared().setCurrentRawValue("classic");
    }

    QQuickItem* showScreen(cleaning::AppUninstallViewModel* model = nullptr)
    {
        window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
        return build("AppUninstallView",
                     {{"viewModel", QVariant::fromValue(model ? model : &vm)},
                      {"desktop", QVariant::fromValue(&desktop)}},
                     "import Velk.AppUninstall\n");
    }

    // Shows the screen and lets its first load finish.
    void showLoaded()
    {
        showScreen();
        executor->runAll();
        settle();
    }

    AppUninstallScreen* screen() const { return item->property("screen").value<AppUninstallScreen*>(); }
    QStringList shownNames() const
    {
        QStringList names;
        lists::ListModel* rows = screen()->displayedApps();
        for (int row = 0; row < rows->rowCount(); ++row)
            names << rows->get(row).value("name").toString();
        return names;
    }
    bool shown(const char* name) const
    {
        QQuickItem* target = find(name);
        return target && target->isVisible();
    }
    QString subtitle() const
    {
        QQuickItem* header = find("appUninstall.header");
        QQuickItem* text = header ? driver().find("pageHeader.subtitle", header) : nullptr;
        return text && text->isVisible() ? ItemDriver::text(text) : QString();
    }
    QString alertMessage() const { return ItemDriver::text(driver().find("alert.message")); }
    const cleaning::AppItem* app(const QString& name) const
    {
        for (const cleaning::AppItem& a : vm.apps())
            if (a.name == name)
                return &a;
        return nullptr;
    }
};

// The first appearance loads with a bare spinner; then the list is ordered
// by size under a header that counts every application, searched or not,
// and the order buttons reorder it. Coming back with applications listed
// does not load again.
TEST_F(AppUninstallViewTest, LoadsOnFirstAppearanceAndListsBySizeUnderTheFullCount)
{
    for (const char* theme : {"classic", "cyber"}) {
        for (const char* lang : {"zh-Hans", "en"}) {
            design::ThemeManager::shared().setCurrentRawValue(theme);
            language::LanguageManager::shared().setCurrent(lang);
            cleaning::AppUninstallViewModel fresh;
            showScreen(&fresh);
            EXPECT_TRUE(fresh.isLoading());
            EXPECT_TRUE(shown("appUninstall.loading"));
            EXPECT_FALSE(shown("appUninstall.list"));
            EXPECT_FALSE(shown("appUninstall.empty"));
            EXPECT_FALSE(find("appUninstall.refresh")->isEnabled());
            shoot(QStringLiteral("loading-%1-%2").arg(theme, lang));
            item.reset();
            executor->runAll();
        }
    }
    language::LanguageManager::shared().setCurrent("en");
    design::ThemeManager::shared().setCurrentRawValue("classic");

    showLoaded();
    item.reset();
    showScreen();
    EXPECT_EQ(executor->pending(), 0u) << "a screen that finds applications listed does not load again";
    settle();
    EXPECT_EQ(shownNames(), (QStringList{"Pixel Forge", "Note Lantern", "Tidewave Player", "Bolt Terminal",
                                         "Kite Notes", "Calculator", "Legacy Tool"}));
    // Every row gets its icon, loaded in the background, and draws it.
    EXPECT_TRUE(waitFor([&] {
        const QList<QQuickItem*> icons = findAll("appIconTile.icon");
        return icons.size() == 7 && std::all_of(icons.cbegin(), icons.cend(), [](const QQuickItem* icon) {
            return icon->property("status").toInt() == 1; // Image.Ready
        });
    }));
    (void)window.grabWindow();
    qint64 bundles = 0;
    for (const cleaning::AppItem& a : vm.apps())
        bundles += a.diskSize;
    const QString header = "7 · " + fmt::byteCount(bundles, fmt::ByteStyle::File,
                                                              fmt::Lang::English);
    EXPECT_EQ(subtitle(), header);

    click("appUninstall.sort.name");
    EXPECT_EQ(shownNames(), (QStringList{"Bolt Terminal", "Calculator", "Kite Notes", "Legacy Tool", "Note Lantern",
                                         "Pixel Forge", "Tidewave Player"}));
    type("appUninstall.search", "zzz");
    settle();
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_FALSE(shown("appUninstall.empty")) << "a search that finds nothing is not the empty state";
    EXPECT_EQ(subtitle(), header);
}

// Where there are no application folders (as on Linux), discovery finds
// nothing and says nothing: the empty state offers Load Apps, which loads
// again and comes back to it.
TEST_F(AppUninstallViewTest, WithoutApplicationsTheEmptyStateLoadsAgainOnRequest)
{
    QDir(root + "/Applications").removeRecursively();
    QDir(home + "/Applications").removeRecursively();
    showLoaded();
    EXPECT_TRUE(shown("appUninstall.empty"));
    EXPECT_FALSE(shown("appUninstall.list"));
    EXPECT_EQ(subtitle(), "");
    click("appUninstall.loadApps");
    EXPECT_TRUE(vm.isLoading());
    EXPECT_FALSE(shown("appUninstall.empty"));
    executor->runAll();
    EXPECT_TRUE(shown("appUninstall.empty"));
    EXPECT_EQ(alertTitle(), "");
}

// A selected application that the search hides is still counted by the
// button, the bar and the confirmation, and is uninstalled with its marked
// leftovers; the freed bytes then show alone in the bar.
TEST_F(AppUninstallViewTest, ASelectionHiddenBySearchIsCountedAndUninstalled)
{
    showLoaded();
    const QString kite = app("Kite Notes")->path;
    const QString prefs = home + "/Library/Preferences/app.kitenotes.desktop.plist";
    vm.loadAssociatedFiles(*app("Kite Notes"));
    executor->runAll();
    click("appUninstall.row.checkbox[Kite Notes]");
    type("appUninstall.search", "Pixel");
    settle();
    EXPECT_EQ(shownNames(), QStringList{"Pixel Forge"});
    EXPECT_EQ(text("appUninstall.uninstall"), "Uninstall (1)");
    EXPECT_EQ(text("appUninstall.selectionCount"), "1 selected");
    EXPECT_FALSE(shown("appUninstall.freed"));

    click("appUninstall.uninstall");
    EXPECT_EQ(alertTitle(), "Uninstall Selected Apps?");
    EXPECT_EQ(alertButtons(), (QStringList{"Cancel", "Uninstall"}));
    EXPECT_TRUE(alertMessage().startsWith("The 1 selected app(s) and selected associated files will be "
                                                 "permanently deleted, not moved to Trash."));
    pressAlert("Uninstall");
    EXPECT_TRUE(vm.isUninstalling());
    EXPECT_TRUE(find("appUninstall.uninstall")->property("busy").toBool());
    EXPECT_FALSE(find("appUninstall.uninstall")->isEnabled());
    EXPECT_FALSE(find("appUninstall.refresh")->isEnabled());
    EXPECT_TRUE(find("appUninstall.sort.name")->isEnabled());
    executor->runAll();
    settle();

    EXPECT_FALSE(QFileInfo::exists(kite));
    EXPECT_FALSE(QFileInfo::exists(prefs));
    EXPECT_EQ(app("Kite Notes"), nullptr);
    EXPECT_FALSE(shown("appUninstall.uninstall"));
    EXPECT_FALSE(shown("appUninstall.selectionCount"));
    EXPECT_TRUE(shown("appUninstall.freed"));
    EXPECT_EQ(text("appUninstall.freed"),
              "Freed " + fmt::byteCount(vm.totalFreed(), fmt::ByteStyle::File,
                                                  fmt::Lang::English));
    EXPECT_EQ(alertTitle(), "");
}

// An application the engine refuses to remove is reported in the failure
// alert, its path on its own line after a blank line, and stays listed and
// selected; closing the alert any way empties the list of failures.
// In the main window at its default size, with an application selected, the
// header keeps its title whole; the count and size show whole or give way.
TEST_F(AppUninstallViewTest, TheHeaderKeepsItsTitleAtTheDefaultWindowSize)
{
    window.resize(defaultScreenWidth, 610);
    showLoaded();
    click("appUninstall.row.checkbox[Kite Notes]");
    for (const char* lang : {"zh-Hans", "en"}) {
        language::LanguageManager::shared().setCurrent(lang);
        ASSERT_TRUE(waitFor([&] { return shown("appUninstall.uninstall"); }));
        EXPECT_TRUE(headerWhole("appUninstall.header")) << lang;
    }
}

TEST_F(AppUninstallViewTest, ARefusedBundleIsReportedAndStaysListedAndSelected)
{
    warnings.expect("^not uninstalled: .*/Calculator\\.app is not an application");
    showLoaded();
    const QString calculator = app("Calculator")->path;
    click("appUninstall.row.checkbox[Calculator]");
    click("appUninstall.uninstall");
    pressAlert("Uninstall");
    executor->runAll();
    settle();

    EXPECT_EQ(alertTitle(), "Some Items Could Not Be Deleted");
    EXPECT_EQ(alertMessage(), "Items that could not be deleted stay where they are; only what was deleted counts as "
                              "freed space:\n\n\u2068" + calculator + "\u2069: a protected item, which is never removed");
    ASSERT_NE(app("Calculator"), nullptr);
    EXPECT_TRUE(app("Calculator")->isSelected);
    EXPECT_TRUE(find("appUninstall.row.checkbox[Calculator]")->property("isChecked").toBool());
    EXPECT_EQ(text("appUninstall.uninstall"), "Uninstall (1)");
    key(Qt::Key_Escape);
    EXPECT_EQ(alertTitle(), "");
    EXPECT_TRUE(vm.failedPaths().isEmpty());
}

// Twelve leftovers of an application left, each named with its reason:
// at the default window size the failure alert keeps its button inside the
// window in every look, its message scrolling, and the button closes it.
TEST_F(AppUninstallViewTest, AFailureAlertNamingManyItemsFitsTheDefaultWindow)
{
    for (int i = 1; i <= 12; ++i)
        tree.file(QStringLiteral("root/Users/me/Library/Caches/io.pixelforge.PixelForge.render-proxies-%1").arg(i, 2, 10, QChar(u'0')));
    window.resize(987, 650);
    showLoaded();
    vm.loadAssociatedFiles(*app("Pixel Forge"));
    executor->runAll();
    ASSERT_GE(app("Pixel Forge")->associatedFiles.size(), 12);
    for (const cleaning::FileItem& leftover : app("Pixel Forge")->associatedFiles)
        remover->failFor(leftover.path);
    click("appUninstall.row.checkbox[Pixel Forge]");
    click("appUninstall.uninstall");
    pressAlert("Uninstall");
    executor->runAll();
    ASSERT_TRUE(waitFor([&] { return alertTitle() == "Some Items Could Not Be Deleted"; }));
    expectAlertScrollsInsideTheWindow("uninstall-failures");
    pressAlert("OK");
    EXPECT_TRUE(waitFor([&] { return alertTitle().isEmpty(); }));
    EXPECT_TRUE(vm.failedPaths().isEmpty());
}

// The checkbox and a tap elsewhere on the main line each toggle once; the
// expand button does not toggle, and every opening (not a closing) asks for
// the leftovers again, showing a spinner until they come.
TEST_F(AppUninstallViewTest, ARowTogglesOnceAndAsksForLeftoversEachTimeItOpens)
{
    showLoaded();
    click("appUninstall.row.name[Note Lantern]");
    EXPECT_TRUE(app("Note Lantern")->isSelected);
    click("appUninstall.row.checkbox[Note Lantern]");
    EXPECT_FALSE(app("Note Lantern")->isSelected);

    const int before = executor->backgroundRuns();
    click("appUninstall.row.expand[Note Lantern]");
    EXPECT_FALSE(app("Note Lantern")->isSelected);
    EXPECT_EQ(executor->backgroundRuns(), before + 1);
    // The panel unfolds.
    EXPECT_TRUE(waitFor([&] { return shown("appUninstall.row.filesSpinner[Note Lantern]"); }));
    EXPECT_FALSE(shown("appUninstall.row.totalSize[Note Lantern]"));
    executor->runAll();
    EXPECT_TRUE(waitFor([&] { return !shown("appUninstall.row.filesSpinner[Note Lantern]"); }));
    EXPECT_TRUE(shown("appUninstall.row.totalSize[Note Lantern]"));
    const QList<QQuickItem*> lines = findAll("appUninstall.file");
    ASSERT_EQ(lines.size(), 5);
    // ... to its whole height.
    QQuickItem* panel = lines.first()->parentItem();
    while (panel && panel->objectName() != "appUninstall.row.panel")
        panel = panel->parentItem();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(waitFor([&] { return panel->parentItem()->height() == panel->implicitHeight(); }));
    const QString first = lines.first()->property("key").toString();
    click(driver().find("appUninstall.file.reveal", lines.first()));
    EXPECT_EQ(workspace->calls(), (QList<FakeWorkspace::Call>{{"revealFiles", {first}}}));

    click("appUninstall.row.expand[Note Lantern]");
    EXPECT_EQ(executor->backgroundRuns(), before + 1) << "closing asks for nothing";
    click("appUninstall.row.expand[Note Lantern]");
    EXPECT_EQ(executor->backgroundRuns(), before + 2);
    shoot("expanded");
}

} // namespace
} // namespace velk::test
