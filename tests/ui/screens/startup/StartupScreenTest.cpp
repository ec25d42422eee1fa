#include "engine/inspection/LaunchdFixture.h"
#include "ui/screens/startup/StartupScreen.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace velk::screens {
namespace {

using test::LaunchdFixture;

// The screen's state over a view model reading a temporary macOS layout: a
// user agent and a global agent.
class StartupScreenTest : public testing::Test {
protected:
    LaunchdFixture launchd;
    inspection::StartupViewModel vm;
    StartupScreen screen;
    QString userPlist = launchd.userAgent("a.plist", LaunchdFixture::agent("com.example.agent", "/opt/a"));
    QString globalPlist = launchd.globalAgent("b.plist", LaunchdFixture::agent("com.vendor.global", "/opt/b"));

    StartupScreenTest() { screen.setViewModel(&vm); }
    ~StartupScreenTest() override { launchd.executor().runAll(); }
};

TEST_F(StartupScreenTest, AppearingLoadsOnlyAnEmptyList)
{
    screen.appear();
    EXPECT_TRUE(vm.isLoading());
    launchd.executor().runAll();
    EXPECT_EQ(screen.itemCount(), 2);

    const int runs = launchd.tools().requestsFor("/bin/launchctl").size();
    screen.appear();
    EXPECT_FALSE(vm.isLoading());
    EXPECT_EQ(launchd.tools().requestsFor("/bin/launchctl").size(), runs);
}

TEST_F(StartupScreenTest, ARemovalAwaitsConfirmationAndTheRowGoesOnlyWhenItWasRemoved)
{
    vm.load();
    launchd.executor().runAll();

    screen.askRemove("/no/such.plist");
    EXPECT_FALSE(screen.removalPending());
    screen.askRemove(globalPlist);
    EXPECT_EQ(screen.removalLabel(), "com.vendor.global");
    screen.dismissRemove();
    EXPECT_FALSE(screen.removalPending());
    EXPECT_TRUE(screen.removalLabel().isEmpty());
    screen.confirmRemove();  // nothing awaits it any more
    launchd.executor().runAll();
    EXPECT_TRUE(launchd.admin().commands().isEmpty());

    // The administrator prompt is refused: the item stays.
    launchd.admin().setSucceeds(false);
    screen.askRemove(globalPlist);
    screen.confirmRemove();
    EXPECT_FALSE(screen.removalPending());
    launchd.executor().runAll();
    EXPECT_EQ(launchd.admin().commands().size(), 1);
    EXPECT_EQ(screen.itemCount(), 2);

    launchd.admin().setSucceeds(true);
    screen.askRemove(globalPlist);
    screen.confirmRemove();
    launchd.executor().runAll();
    EXPECT_EQ(screen.itemCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(globalPlist));
}

TEST_F(StartupScreenTest, ABatchRemovalAwaitsConfirmationAndTakesTheWholeSelection)
{
    vm.load();
    launchd.executor().runAll();
    vm.setSelectAllFiltered(true);
    vm.setSearchText("com.example");  // the global item is hidden, still selected

    screen.askBatchRemove();
    EXPECT_TRUE(screen.batchRemovalPending());
    screen.dismissBatchRemove();
    EXPECT_FALSE(screen.batchRemovalPending());

    screen.askBatchRemove();
    screen.confirmBatchRemove();
    EXPECT_FALSE(screen.batchRemovalPending());
    EXPECT_TRUE(vm.isApplyingBatch());
    launchd.executor().runAll();
    EXPECT_EQ(screen.itemCount(), 0);
    EXPECT_EQ(vm.selectedCount(), 0);
}

} // namespace
} // namespace velk::screens
