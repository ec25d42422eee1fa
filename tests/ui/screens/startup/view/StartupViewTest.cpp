#include "engine/language/LanguageManager.h"
#include "engine/inspection/LaunchdFixture.h"
#include "engine/inspection/StartupViewModel.h"
#include "support/FakeWorkspace.h"
#include "support/QtPrinters.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/models/DesktopActions.h"

#include <tuple>

namespace velk::test {
namespace {

// The Startup Items screen over the real view model, reading property lists
// of a temporary macOS layout with a simulated launchd and administrator
// prompt: two user agents (one disabled), a global agent and a daemon, two
// of them loaded.
class StartupViewTest : public ScreenFixture {
protected:
    LaunchdFixture launchd;
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    models::DesktopActions desktop{workspace};
    velk::inspection::StartupViewModel vm;

    StartupViewTest()
    {
        language::LanguageManager::shared().setCurrent("en");
    }
    ~StartupViewTest() override
    {
        item.reset();
        launchd.executor().runAll();
        language::LanguageManager::shared().setCurrent("zh-Hans");
        design::ThemeManager::shared().setCurrentRawValue("classic");
    }

    void addItems()
    {
        launchd.userAgent("notes.plist", LaunchdFixture::agent("com.example.notes", "/opt/notes/notesd"));
        launchd.userAgent("sync.plist", LaunchdFixture::agent("com.example.sync", "/opt/zeta/runner",
                                                              "<key>Disabled</key><true/>"));
        launchd.globalAgent("updater.plist", LaunchdFixture::agent("com.vendor.updater", "/opt/vendor/updater"));
        launchd.daemon("backup.plist", LaunchdFixture::agent("com.vendor.backup", "/opt/vendor/backupd"));
        launchd.setLoaded("com.example.notes");
        launchd.setLoaded("com.vendor.backup");
    }
    // Shows the screen, which loads; runs the load unless told not to.
    void showScreen(bool runLoad = true)
    {
        ASSERT_TRUE(build("StartupView", {{"viewModel", QVariant::fromValue(&vm)},
                                          {"desktop", QVariant::fromValue(&desktop)}},
                          "import Velk.Startup\n"));
        if (runLoad)
            run();
    }
    void run()
    {
        launchd.executor().runAll();
        settle();
    }

    bool shown(const QString& name) const
    {
        QQuickItem* found = driver().find(name);
        return found && found->isVisible();
    }
    QString shownText(const QString& name) const { return shown(name) ? ItemDriver::text(driver().find(name)) : QString(); }
    QString subtitle() const { return shownText("pageHeader.subtitle"); }
    // The pills' titles and the loaded count.
    QStringList counts() const
    {
        QStringList texts;
        for (const char* key : {"all", "用户启动项", "全局代理", "系统守护"})
            texts << shownText(QStringLiteral("startup.scope[%1]").arg(QString::fromUtf8(key)));
        return texts << shownText("startup.loadedCount");
    }
    QStringList rowLabels() const
    {
        QStringList labels;
        for (QQuickItem* row : findAll("startup.row"))
            if (row->isVisible())
                labels << row->property("key").toString();
        return labels;
    }
    void clickIn(const char* name, const char* label)
    {
        QQuickItem* target = driver().find(QStringLiteral("%1[%2]").arg(QString::fromUtf8(name), QString::fromUtf8(label)));
        ASSERT_TRUE(target) << name << '[' << label << ']';
        click(target);
    }
    void alertAfter(const char* control, const char* label = nullptr)
    {
        label ? clickIn(control, label) : click(control);
        settle();
    }
};

TEST_F(StartupViewTest, EmptyAndLoadingModesThenAReloadKeepsTheList)
{
    showScreen(false);
    EXPECT_TRUE(shown("startup.loading"));
    EXPECT_TRUE(subtitle().isEmpty());
    run();
    EXPECT_FALSE(shown("startup.loading"));
    EXPECT_TRUE(shown("startup.empty"));
    EXPECT_EQ(find("startup.emptyRefresh")->height(), 36);

    addItems();
    click("startup.emptyRefresh");
    EXPECT_TRUE(shown("startup.loading"));
    run();
    EXPECT_EQ(subtitle(), "3 / 4");
    EXPECT_FALSE(shown("startup.empty"));

    click("startup.refresh");
    EXPECT_TRUE(vm.isLoading());
    EXPECT_FALSE(shown("startup.loading"));
    EXPECT_EQ(rowLabels().size(), 4);
    EXPECT_FALSE(driver().find("startup.row[com.example.notes]")->isEnabled());
    run();
    EXPECT_TRUE(driver().find("startup.row[com.example.notes]")->isEnabled());
}

TEST_F(StartupViewTest, CountsIgnoreSearchScopeAndTheEnabledFilter)
{
    addItems();
    showScreen();
    const QStringList all{"All 4", "User Agents 2", "Global Agents 1", "System Daemons 1", "2 loaded"};
    EXPECT_EQ(counts(), all);

    // Only the program path holds "zeta".
    type("startup.search", "ZETA");
    settle();
    EXPECT_EQ(rowLabels(), QStringList{"com.example.sync"});
    click("startup.enabledOnly");
    settle();
    EXPECT_TRUE(rowLabels().isEmpty());
    EXPECT_EQ(counts(), all);
    EXPECT_EQ(subtitle(), "3 / 4");

    vm.setSearchText("");
    clickIn("startup.scope", "用户启动项");
    clickIn("startup.scope", "用户启动项");  // the active pill again changes nothing
    settle();
    EXPECT_EQ(rowLabels(), QStringList{"com.example.notes"});
    EXPECT_EQ(counts(), all);
}

TEST_F(StartupViewTest, SelectAllActsOnTheShownScopeAndAllShowsTheBoxUnchecked)
{
    addItems();
    showScreen();
    EXPECT_FALSE(shown("startup.batchDisable"));
    clickIn("startup.scope", "用户启动项");
    click("startup.selectAll");
    settle();
    EXPECT_TRUE(find("startup.selectAll")->property("isChecked").toBool());
    EXPECT_EQ(shownText("startup.batchDisable"), "Disable (2)");

    clickIn("startup.scope", "all");
    settle();
    EXPECT_FALSE(find("startup.selectAll")->property("isChecked").toBool());
    // The row's own box takes one more, and the name area toggles too.
    clickIn("startup.row.checkbox", "com.vendor.updater");
    clickIn("startup.row", "com.vendor.backup");
    settle();
    EXPECT_TRUE(find("startup.selectAll")->property("isChecked").toBool());
    // The controls of a row do not select it.
    clickIn("startup.row.reveal", "com.vendor.backup");
    clickIn("startup.row", "com.vendor.backup");
    EXPECT_EQ(vm.selectedCount(), 3);
    EXPECT_EQ(workspace->calls().value(0).arguments, QStringList{launchd.root() + "/Library/LaunchDaemons/backup.plist"});
}

// In the main window at its default size, with items selected and all six
// controls up, the header keeps its title whole; the count shows whole or
// gives way, never as a lone "…".
TEST_F(StartupViewTest, TheHeaderKeepsItsTitleAtTheDefaultWindowSize)
{
    addItems();
    window.resize(defaultScreenWidth, 610);
    showScreen();
    click("startup.selectAll");
    for (const char* lang : {"zh-Hans", "en"}) {
        language::LanguageManager::shared().setCurrent(lang);
        ASSERT_TRUE(waitFor([&] { return shown("startup.batchDisable"); }));
        EXPECT_TRUE(headerWhole("startup.header")) << lang;
    }
}

TEST_F(StartupViewTest, SwitchesAndBatchesOverMixedScopesAskForTheAdministratorOnce)
{
    addItems();
    showScreen();
    clickIn("startup.row.switch", "com.vendor.updater");
    EXPECT_TRUE(vm.isApplyingBatch());
    // No row takes input while the change runs.
    clickIn("startup.row", "com.example.notes");
    clickIn("startup.row.switch", "com.example.notes");
    run();
    EXPECT_EQ(launchd.admin().commands().size(), 1);
    EXPECT_EQ(vm.selectedCount(), 0);
    EXPECT_EQ(subtitle(), "2 / 4");

    for (const char* label : {"com.example.notes", "com.vendor.backup", "com.example.sync"})
        clickIn("startup.row", label);
    type("startup.search", "com.example");
    click("startup.batchDisable");
    run();
    EXPECT_EQ(launchd.admin().commands().size(), 2);
    EXPECT_EQ(subtitle(), "0 / 4");
    EXPECT_TRUE(alertTitle().isEmpty());

    alertAfter("startup.batchRemove");
    EXPECT_EQ(alertTitle(), "Remove Selected Items?");
    EXPECT_EQ(shownText("alert.message"), "3 selected item(s).");
    EXPECT_EQ(alertButtons(), (QStringList{"Cancel", "Remove (3)"}));
    pressAlert("Remove (3)");
    run();
    vm.setSearchText("");
    settle();
    EXPECT_EQ(rowLabels(), QStringList{"com.vendor.updater"});
    EXPECT_EQ(launchd.admin().commands().size(), 3);
}

TEST_F(StartupViewTest, TheRemoveAlertNamesTheLabelAndAFailedRemovalKeepsTheRow)
{
    addItems();
    showScreen();
    for (const auto& [language, title] : {std::tuple{"en", "Remove Startup Item?"}, {"zh-Hans", "移除启动项？"}}) {
        language::LanguageManager::shared().setCurrent(language);
        alertAfter("startup.row.remove", "com.vendor.updater");
        EXPECT_EQ(alertTitle(), QString::fromUtf8(title));
        EXPECT_EQ(shownText("alert.message"), "com.vendor.updater");
        key(Qt::Key_Escape);
        settle();
    }
    language::LanguageManager::shared().setCurrent("en");
    launchd.admin().setSucceeds(false);
    alertAfter("startup.row.remove", "com.vendor.updater");
    pressAlert("Remove");
    run();
    EXPECT_TRUE(alertTitle().isEmpty());
    EXPECT_TRUE(rowLabels().contains("com.vendor.updater"));
}

TEST_F(StartupViewTest, AnUnverifiedChangeAlertsOnceAndAnUnknownItemCannotBeSwitched)
{
    addItems();
    launchd.ignoreChangesOf("com.example.notes");
    showScreen();
    clickIn("startup.row.switch", "com.example.notes");
    run();
    EXPECT_EQ(alertTitle(), "Startup Configuration Not Updated");
    pressAlert("OK");
    settle();
    EXPECT_FALSE(vm.operationFailed());
    EXPECT_TRUE(alertTitle().isEmpty());

    launchd.breakTable("gui/501");
    click("startup.refresh");
    run();
    EXPECT_EQ(shownText("startup.row.unknown"), "Unknown");
    launchd.tools().clearRequests();
    clickIn("startup.row.switch", "com.example.notes");
    run();
    EXPECT_FALSE(vm.isApplyingBatch());
    EXPECT_TRUE(launchd.tools().requestsFor("/bin/launchctl").isEmpty());
    EXPECT_TRUE(alertTitle().isEmpty());
}

} // namespace
} // namespace velk::test

namespace velk::test {
namespace {

// The states a fixture run of velk-shot cannot hold still: the first load
// under way, and the empty list; every theme and language.
TEST_F(StartupViewTest, PicturesOfTheLoadingAndEmptyStates)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "set VELK_SHOT_DIR to render the pictures";
    showScreen(false);
    for (const char* state : {"startup-loading", "startup-empty"}) {
        for (const char* theme : {"classic", "cyber"}) {
            design::ThemeManager::shared().setCurrentRawValue(theme);
            window.setColor(QColor(design::ThemeManager::shared().palette().bg0));
            for (const char* language : {"zh-Hans", "en"}) {
                language::LanguageManager::shared().setCurrent(language);
                settle();
                shoot(QStringLiteral("%1-%2-%3").arg(state, theme, language));
            }
        }
        run();
    }
}

} // namespace
} // namespace velk::test
