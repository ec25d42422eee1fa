#include "engine/language/LanguageManager.h"
#include "engine/cleaning/PrivacyViewModel.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "support/FakeFileRemover.h"
#include "support/ManualExecutor.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"
#include "support/ui/ScreenFixture.h"

#include <QFileInfo>

namespace velk::test {
namespace {

constexpr int kChromeCaches = 3, kFirefox = 4, kMail = 5;

// The Privacy screen over the real view model, scanning privacy targets laid
// out as on macOS below a temporary home (Firefox's caches empty), with
// background work stepped by the test.
class PrivacyViewTest : public ScreenFixture {
protected:
    TempTree tree;
    QString home = tree.dir("root/Users/me");
    platform::core::ScopedService<platform::locations::Locations> locations{platform::locations::Locations::macProfile(tree.path("root"), home)};
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    QString chromeCache = homeFile("Library/Caches/Google/Chrome/Default/Cache/data_0", 4000);
    QString chromeCache2 = homeFile("Library/Caches/Google/Chrome/Default/Cache/data_1", 5000);
    cleaning::PrivacyViewModel vm;

    PrivacyViewTest()
    {
        homeFile("Library/Safari/History.db", 1000);
        homeFile("Library/Caches/com.apple.Safari/Cache.db", 2000);
        homeFile("Library/Application Support/Google/Chrome/Default/History", 3000);
        homeFile("Library/Containers/com.apple.mail/Data/Library/Mail Downloads/att.pdf", 7000);
        homeFile("Library/Application Support/com.apple.sharedfilelist/recents.sfl2", 8000);
        language::LanguageManager::shared().setCurrent("en");
    }
    ~PrivacyViewTest() override
    {
        item.reset();
        language::LanguageManager::shared().setCurrent("zh-Hans");
    }

    QString homeFile(const QString& relative, qint64 size) const { return tree.file("root/Users/me/" + relative, size); }

    void showScreen()
    {
        build("PrivacyView", {{"viewModel", QVariant::fromValue(&vm)}}, "import Velk.Privacy\n");
    }
    // A click, then time for the header to place the buttons it now shows.
    void press(QQuickItem* target)
    {
        click(target);
        settle();
    }
    void press(const char* name) { press(find(name)); }
    void scan()
    {
        click("privacy.scan");
        executor->runAll();
        settle();
    }
    void cleanConfirmed()
    {
        press("privacy.clean");
        pressAlert("Clean");
    }

    QQuickItem* row(int index) const { return find(("privacy.row[" + QByteArray::number(index) + "]").constData()); }
    QQuickItem* inRow(int index, const char* name) const
    {
        QQuickItem* found = findVisual(row(index), QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    bool shown(const char* name) const { return find(name)->isVisible(); }
    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (int i = 0; i < vm.items().size(); ++i)
            if (vm.items()[i].isSelected)
                rows.append(i);
        return rows;
    }
    QString subtitle() const
    {
        QQuickItem* text = findVisual(find("privacy.header"), "pageHeader.subtitle");
        return text && text->isVisible() ? ItemDriver::text(text) : QString();
    }
};

TEST_F(PrivacyViewTest, SelectionFollowsTheScanAndAllLeavesTheMailRowToTheUser)
{
    showScreen();
    EXPECT_EQ(subtitle(), "");
    EXPECT_TRUE(inRow(0, "privacy.row.notScanned")->isVisible());
    press("privacy.all");
    press(row(0));
    EXPECT_EQ(selectedRows(), QList<int>{});
    EXPECT_FALSE(shown("privacy.none") || shown("privacy.clean"));

    press("privacy.scan");  // the scan runs: Scan and the rows wait for it
    EXPECT_EQ(text("privacy.scan"), "Scanning");
    EXPECT_FALSE(find("privacy.scan")->isEnabled());
    EXPECT_TRUE(findVisual(find("privacy.scan"), "buttonLabel.spinner")->isVisible());
    EXPECT_FALSE(row(0)->isEnabled());
    executor->runAll();
    settle();
    EXPECT_EQ(subtitle(), "30 KB");
    EXPECT_EQ(ItemDriver::text(inRow(0, "privacy.row.size")), "1 KB");
    EXPECT_EQ(ItemDriver::text(inRow(kFirefox, "privacy.row.empty")), "0 KB");

    press("privacy.all");
    EXPECT_EQ(selectedRows(), (QList<int>{0, 1, 2, 3, 6}));
    EXPECT_TRUE(shown("privacy.none") && shown("privacy.clean"));
    EXPECT_EQ(text("privacy.clean"), "Clean (23 KB)");
    press(inRow(kMail, "privacy.row.checkbox"));  // only by hand, once
    EXPECT_EQ(text("privacy.clean"), "Clean (30 KB)");
    press("privacy.all");
    EXPECT_EQ(selectedRows(), (QList<int>{0, 1, 2, 3, 6}));

    press(row(kFirefox));  // nothing to clean there
    press(row(0));
    EXPECT_EQ(selectedRows(), (QList<int>{1, 2, 3, 6}));
    press("privacy.none");
    EXPECT_EQ(selectedRows(), QList<int>{});
    EXPECT_FALSE(shown("privacy.none") || shown("privacy.clean"));
}

TEST_F(PrivacyViewTest, UnreadableTargetShowsCannotAccessAndRefusesSelection)
{
    const QString locked = tree.dir("root/Users/me/Library/Caches/Google/Chrome/Default/Locked");
    openToEveryone(tree.root());
    ::chmod(QFile::encodeName(locked).constData(), 0);
    showScreen();
    press("privacy.scan");
    {
        const UnprivilegedThread unprivileged;
        ASSERT_TRUE(unprivileged.ok());
        executor->runBackground();
    }
    executor->runAll();
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    settle();

    QQuickItem* status = inRow(kChromeCaches, "privacy.row.cannotAccess");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(ItemDriver::text(status), "Cannot Access");
    EXPECT_EQ(ItemDriver::text(inRow(kChromeCaches, "privacy.row.error")),
              "Cannot read \"\u2068" + locked + "\u2069\": permission denied");
    for (QQuickItem* target : {row(kChromeCaches), inRow(kChromeCaches, "privacy.row.checkbox")}) {
        press(target);
        EXPECT_EQ(selectedRows(), QList<int>{});
    }
    press("privacy.all");
    EXPECT_EQ(selectedRows(), (QList<int>{0, 1, 2, 6}));
}

TEST_F(PrivacyViewTest, CleanMovesTheSelectedFilesIntoTheHomesTrash)
{
    const ScopedEnv dataHome("XDG_DATA_HOME", QFile::encodeName(home + "/.local/share"));
    const platform::core::ScopedService<platform::files::FileRemover> remover(platform::files::FileRemover::createDefault());
    showScreen();
    scan();
    press(row(kChromeCaches));
    cleanConfirmed();
    executor->runAll();
    settle();

    for (const QString& file : {chromeCache, chromeCache2}) {
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_TRUE(QFileInfo::exists(home + "/.local/share/Trash/files/" + QFileInfo(file).fileName())) << file.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(home + "/Library/Safari/History.db"));
    EXPECT_EQ(alertTitle(), "");
    // The rescan found nothing left; the row stays selected with nothing to clean.
    EXPECT_TRUE(inRow(kChromeCaches, "privacy.row.empty")->isVisible());
    EXPECT_EQ(text("privacy.clean"), "Clean (Zero KB)");
    EXPECT_FALSE(find("privacy.clean")->isEnabled());
}

TEST_F(PrivacyViewTest, FilesThatCannotBeMovedAreReportedOnceTheRescanHasEnded)
{
    auto remover = std::make_shared<FakeFileRemover>();
    const platform::core::ScopedService<platform::files::FileRemover> removerService(remover);
    remover->failTrashFor(chromeCache);
    remover->failTrashFor(chromeCache2);
    showScreen();
    scan();
    press("privacy.all");
    cleanConfirmed();
    executor->runBackground();
    executor->step();  // the clean's result: the count is set and the rescan starts
    settle();
    EXPECT_EQ(vm.failureCount(), 2);
    EXPECT_EQ(alertTitle(), "");
    EXPECT_EQ(text("privacy.scan"), "Scanning");

    executor->runAll();
    settle();
    EXPECT_EQ(alertTitle(), "Some Files Could Not Be Cleaned");
    EXPECT_EQ(text("alert.message"), "2 files could not be cleaned. Results were refreshed; check access permissions "
                                     "or whether files are in use.");
    pressAlert("OK");
    settle();
    EXPECT_EQ(vm.failureCount(), 0);
    EXPECT_EQ(alertTitle(), "");
}

} // namespace
} // namespace velk::test
