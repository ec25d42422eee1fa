#include "engine/cleaning/AppUninstallViewModel.h"
#include "UninstallFixture.h"
#include "platform/core/Executor.h"
#include "support/ManualExecutor.h"

#include <QSignalSpy>

using namespace velk;
using namespace velk::cleaning;
using velk::test::ManualExecutor;
using velk::test::UninstallFixture;

namespace {

class AppUninstallViewModelTest : public UninstallFixture {
protected:
    AppUninstallViewModelTest()
        : executor(std::make_shared<ManualExecutor>())
        , executorService(executor)
    {
        app("Applications/Safari.app", 5000, infoXml("com.apple.Safari", "17"));
        app("Applications/Foo Bar.app", 3000, infoXml("com.example.foobar", "1"));
        app("Applications/Tool.app", 1000, infoXml("com.example.tool", "1"));
        fooCache = leftover("~/Library/Caches/com.example.foobar", 400, true);
    }

    int row(const AppUninstallViewModel& vm, const QString& name) const
    {
        for (int i = 0; i < vm.apps().size(); ++i) {
            if (vm.apps().at(i).name == name)
                return i;
        }
        return -1;
    }

    void loaded(AppUninstallViewModel& vm)
    {
        vm.load();
        executor->runAll();
        ASSERT_EQ(vm.apps().size(), 3);
    }

    std::shared_ptr<ManualExecutor> executor;
    platform::core::ScopedService<platform::core::Executor> executorService;
    QString fooCache;
};

} // namespace

TEST_F(AppUninstallViewModelTest, LoadPublishesTheAppsAsRowsAndSearchFiltersByName)
{
    AppUninstallViewModel vm;
    QSignalSpy inserted(vm.appModel(), &QAbstractItemModel::rowsInserted);
    vm.load();
    EXPECT_TRUE(vm.isLoading());
    EXPECT_EQ(executor->lastPriority(), platform::core::Priority::UserInitiated);
    executor->runAll();
    EXPECT_FALSE(vm.isLoading());
    EXPECT_EQ(vm.appModel()->rowCount(), 3);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(vm.appModel()->index(0).data(AppListModel::NameRole).toString(), "Safari");

    vm.setSearchText("SAF");
    ASSERT_EQ(vm.filteredApps().size(), 1);
    EXPECT_EQ(vm.filteredApps().first().name, "Safari");
    vm.setSearchText(" ");
    ASSERT_EQ(vm.filteredApps().size(), 1);
    EXPECT_EQ(vm.filteredApps().first().name, "Foo Bar");
    vm.setSearchText("");
    EXPECT_EQ(vm.filteredApps().size(), 3);
}

TEST_F(AppUninstallViewModelTest, UninstallKeepsTheRefusedAppSelectedAndAddsWhatWasFreed)
{
    AppUninstallViewModel vm;
    loaded(vm);
    const AppItem foo = vm.apps().at(row(vm, "Foo Bar"));
    vm.loadAssociatedFiles(foo);
    EXPECT_EQ(executor->lastPriority(), platform::core::Priority::Background);
    executor->runAll();
    ASSERT_EQ(vm.apps().at(row(vm, "Foo Bar")).associatedFiles.size(), 1);

    vm.toggleSelect(vm.apps().at(row(vm, "Safari")));
    vm.toggleSelect(vm.apps().at(row(vm, "Foo Bar")));
    EXPECT_EQ(vm.selectedCount(), 2);
    vm.setFailedPaths({"old"});
    vm.uninstall();
    EXPECT_TRUE(vm.isUninstalling());
    EXPECT_TRUE(vm.failedPaths().isEmpty());
    vm.uninstall();  // a second one while the first runs is refused
    EXPECT_EQ(executor->pending(), 1u);
    executor->runAll();

    EXPECT_FALSE(vm.isUninstalling());
    EXPECT_EQ(row(vm, "Foo Bar"), -1);
    ASSERT_NE(row(vm, "Safari"), -1);
    EXPECT_TRUE(vm.apps().at(row(vm, "Safari")).isSelected);
    EXPECT_EQ(vm.failedPaths(), QStringList{root + "/Applications/Safari.app"});
    EXPECT_EQ(vm.totalFreed(), foo.diskSize + 400);
    EXPECT_FALSE(exists(fooCache));
    EXPECT_EQ(vm.appModel()->rowCount(), 2);
}

TEST_F(AppUninstallViewModelTest, BundleLeftPartlyStaysMeasuredAgainAndCountsWhatWent)
{
    AppUninstallViewModel vm;
    loaded(vm);
    const AppItem tool = vm.apps().at(row(vm, "Tool"));
    remover->partlyFor(tool.path, tool.path + "/Contents/MacOS/main");
    vm.toggleSelect(tool);
    vm.uninstall();
    executor->runAll();
    ASSERT_NE(row(vm, "Tool"), -1);
    EXPECT_EQ(vm.appModel()->index(row(vm, "Tool")).data(AppListModel::DiskSizeRole).toLongLong(), tool.diskSize - 1000);
    EXPECT_EQ(vm.totalFreed(), 1000);
}

TEST_F(AppUninstallViewModelTest, LateResultsForGoneRecordsAreDroppedAndGuardsHold)
{
    AppUninstallViewModel vm;
    loaded(vm);
    const AppItem foo = vm.apps().at(row(vm, "Foo Bar"));
    vm.loadAssociatedFiles(foo);
    vm.load();  // replaces every record before the lookup returns
    executor->runAll();
    for (const AppItem& app : vm.apps())
        EXPECT_TRUE(app.associatedFiles.isEmpty());

    vm.toggleSelect(foo);  // no longer in the list
    EXPECT_EQ(vm.selectedCount(), 0);
    vm.setFailedPaths({"kept"});
    vm.uninstall();  // nothing selected
    EXPECT_EQ(vm.failedPaths(), QStringList{"kept"});

    vm.toggleSelect(vm.apps().at(row(vm, "Tool")));
    vm.load();
    vm.toggleSelect(vm.apps().at(row(vm, "Tool")));
    vm.uninstall();  // refused while loading
    EXPECT_FALSE(vm.isUninstalling());
    executor->runAll();
    EXPECT_TRUE(QFileInfo::exists(root + "/Applications/Tool.app"));
}

TEST_F(AppUninstallViewModelTest, ResultsForAViewModelThatIsGoneAreDropped)
{
    auto vm = std::make_unique<AppUninstallViewModel>();
    vm->load();
    vm.reset();
    EXPECT_NO_FATAL_FAILURE(executor->runAll());
}
