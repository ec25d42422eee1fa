#include "LaunchdFixture.h"

#include "engine/inspection/StartupViewModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::inspection;
using velk::test::LaunchdFixture;

namespace {

QStringList labels(const QList<StartupItem>& items)
{
    QStringList out;
    for (const StartupItem& item : items)
        out << item.label;
    return out;
}

const StartupItem& item(const StartupViewModel& vm, const QString& label)
{
    for (const StartupItem& i : vm.items()) {
        if (i.label == label)
            return i;
    }
    static const StartupItem none;
    ADD_FAILURE() << "no item " << label.toStdString();
    return none;
}

// Two user agents, a global agent and two daemons, all enabled, with
// launchd's tables readable.
struct Startup {
    LaunchdFixture launchd;
    StartupViewModel vm;

    Startup()
    {
        launchd.userAgent("notes.plist", LaunchdFixture::agent("com.example.notes.helper", "/Applications/Notes.app/helper"));
        launchd.userAgent("sync.plist", LaunchdFixture::agent("com.example.sync.agent", "/usr/local/bin/syncd"));
        launchd.globalAgent("updater.plist", LaunchdFixture::agent("com.vendor.updater.agent", "/opt/vendor/Updater"));
        launchd.daemon("backup.plist", LaunchdFixture::agent("com.vendor.backup.daemon", "/opt/vendor/BackupD"));
        launchd.daemon("vpn.plist", LaunchdFixture::agent("com.other.vpn.daemon", "/usr/local/sbin/vpnd"));
        launchd.setLoaded("com.example.sync.agent");
        launchd.setLoaded("com.other.vpn.daemon");
    }
    void load()
    {
        vm.load();
        launchd.executor().runAll();
    }
};

} // namespace

TEST(StartupViewModelTest, LoadPublishesTheItemsAndKeepsOnlySelectionsThatStillExist)
{
    Startup s;
    QSignalSpy loading(&s.vm, &StartupViewModel::isLoadingChanged);
    s.vm.load();
    EXPECT_TRUE(s.vm.isLoading());
    EXPECT_EQ(s.launchd.executor().lastPriority(), velk::platform::core::Priority::UserInitiated);
    s.launchd.executor().runAll();
    EXPECT_FALSE(s.vm.isLoading());
    EXPECT_EQ(loading.count(), 2);
    ASSERT_EQ(s.vm.items().size(), 5);
    EXPECT_EQ(s.vm.enabledCount(), 5);
    EXPECT_EQ(s.vm.loadedCount(), 2);
    EXPECT_EQ(s.vm.scopeCounts(), (QVariantList{2, 1, 2}));
    EXPECT_EQ(s.vm.itemModel()->rowCount(), 5);

    const StartupItem vpn = item(s.vm, "com.other.vpn.daemon");
    const StartupItem sync = item(s.vm, "com.example.sync.agent");
    s.vm.toggleSelect(vpn);
    s.vm.toggleSelect(sync.id);
    EXPECT_EQ(s.vm.selectedCount(), 2);
    QFile::remove(vpn.plistPath);
    s.load();
    EXPECT_EQ(s.vm.items().size(), 4);
    EXPECT_EQ(s.vm.selectedIDs(), QSet<QString>{sync.id});
    EXPECT_EQ(labels(s.vm.selectedItems()), QStringList{"com.example.sync.agent"});
}

TEST(StartupViewModelTest, FiltersCombineAndSelectAllTouchesOnlyWhatIsShown)
{
    Startup s;
    s.load();
    s.vm.setSelectedScope(StartupScope::globalDaemon);
    s.vm.setSearchText("VENDOR");
    EXPECT_EQ(labels(s.vm.filteredItems()), QStringList{"com.vendor.backup.daemon"});
    EXPECT_EQ(s.vm.filteredModel()->rowCount(), 1);
    s.vm.setSearchText("vpnd");  // matched on the program
    EXPECT_EQ(labels(s.vm.filteredItems()), QStringList{"com.other.vpn.daemon"});
    s.vm.setSearchText("vpnd ");  // never trimmed
    EXPECT_TRUE(s.vm.filteredItems().isEmpty());

    s.vm.setSelectedScope(std::nullopt);
    s.vm.setSearchText("");
    s.vm.setSelectAllFiltered(true);
    EXPECT_EQ(s.vm.selectedCount(), 5);
    EXPECT_TRUE(s.vm.allFilteredSelected());
    s.vm.setSearchText("example");
    s.vm.setSelectAllFiltered(false);
    EXPECT_EQ(labels(s.vm.selectedItems()), (QStringList{"com.vendor.backup.daemon", "com.vendor.updater.agent",
                                                         "com.other.vpn.daemon"}));
    EXPECT_FALSE(s.vm.allFilteredSelected());

    s.vm.setSearchText("");
    s.vm.setOnlyEnabled(true);
    EXPECT_EQ(s.vm.filteredItems().size(), 5);
}

TEST(StartupViewModelTest, AnItemWhoseStatusIsUnknownCannotBeToggled)
{
    Startup s;
    s.launchd.breakTable("system");
    s.load();
    const StartupItem daemon = item(s.vm, "com.other.vpn.daemon");
    ASSERT_FALSE(daemon.statusKnown);
    const int runs = s.launchd.executor().backgroundRuns();
    s.vm.toggleEnabled(daemon);
    s.vm.toggleEnabled(daemon.id);
    EXPECT_FALSE(s.vm.isApplyingBatch());
    EXPECT_EQ(s.launchd.executor().backgroundRuns(), runs);
    EXPECT_TRUE(s.launchd.admin().commands().isEmpty());

    // Asked directly, the change runs but cannot be confirmed.
    s.vm.applyEnabled(false, QList<StartupItem>{daemon});
    s.launchd.executor().runAll();
    EXPECT_EQ(s.launchd.admin().commands().size(), 1);
    EXPECT_TRUE(s.vm.operationFailed());
}

TEST(StartupViewModelTest, ADisableThatLaunchdConfirmsClearsTheFailure)
{
    Startup s;
    s.load();
    s.vm.setOperationFailed(true);
    const StartupItem sync = item(s.vm, "com.example.sync.agent");
    s.vm.toggleEnabled(sync);
    EXPECT_TRUE(s.vm.isApplyingBatch());
    s.vm.toggleEnabled(item(s.vm, "com.example.notes.helper"));  // refused while one runs
    s.launchd.executor().runAll();
    EXPECT_FALSE(s.vm.isApplyingBatch());
    EXPECT_FALSE(s.vm.operationFailed());
    EXPECT_FALSE(item(s.vm, "com.example.sync.agent").isEnabled);
    EXPECT_TRUE(item(s.vm, "com.example.notes.helper").isEnabled);
    EXPECT_EQ(s.vm.enabledCount(), 4);
    EXPECT_TRUE(s.launchd.admin().commands().isEmpty());
}

TEST(StartupViewModelTest, ABatchWithOneItemLaunchdDidNotChangeFails)
{
    Startup s;
    s.load();
    s.launchd.ignoreChangesOf("com.vendor.backup.daemon");
    for (const char* label : {"com.example.sync.agent", "com.vendor.updater.agent", "com.vendor.backup.daemon"})
        s.vm.toggleSelect(item(s.vm, label));
    QSignalSpy failed(&s.vm, &StartupViewModel::operationFailedChanged);

    s.vm.batchSetEnabled(false);
    s.launchd.executor().runAll();

    EXPECT_TRUE(s.vm.operationFailed());
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(s.launchd.admin().commands().size(), 1);  // one prompt for both global items
    EXPECT_FALSE(item(s.vm, "com.example.sync.agent").isEnabled);
    EXPECT_FALSE(item(s.vm, "com.vendor.updater.agent").isEnabled);
    EXPECT_TRUE(item(s.vm, "com.vendor.backup.daemon").isEnabled);
    EXPECT_EQ(s.vm.selectedCount(), 3);  // the selection stays
}

TEST(StartupViewModelTest, ACancelledPromptFailsAndShowsWhatLaunchdReports)
{
    Startup s;
    s.load();
    s.launchd.admin().setSucceeds(false);
    s.vm.applyEnabled(false, QStringList{item(s.vm, "com.vendor.updater.agent").id});
    s.launchd.executor().runAll();
    EXPECT_TRUE(s.vm.operationFailed());
    EXPECT_EQ(s.vm.enabledCount(), 4);  // the double still carried the command out
    // Nothing to change: nothing runs.
    s.vm.applyEnabled(true, QList<StartupItem>{});
    EXPECT_FALSE(s.vm.isApplyingBatch());
}

TEST(StartupViewModelTest, RemovalsChangeTheListOnlyOnSuccess)
{
    Startup s;
    s.load();
    const StartupItem notes = item(s.vm, "com.example.notes.helper");
    const StartupItem backup = item(s.vm, "com.vendor.backup.daemon");
    const StartupItem updater = item(s.vm, "com.vendor.updater.agent");
    s.vm.toggleSelect(notes);

    s.launchd.remover().failTrashFor(notes.plistPath);
    s.vm.remove(notes);
    s.launchd.executor().runAll();
    EXPECT_EQ(s.vm.items().size(), 5);
    EXPECT_EQ(s.vm.selectedCount(), 1);
    EXPECT_FALSE(s.vm.operationFailed());

    s.vm.remove(backup.id);
    EXPECT_FALSE(s.vm.isApplyingBatch());
    s.launchd.executor().runAll();
    EXPECT_EQ(s.vm.items().size(), 4);
    EXPECT_FALSE(QFile::exists(backup.plistPath));

    // The batch fails on the notes item: nothing leaves the list.
    s.vm.toggleSelect(updater);
    s.vm.batchRemove();
    EXPECT_TRUE(s.vm.isApplyingBatch());
    s.launchd.executor().runAll();
    EXPECT_FALSE(s.vm.isApplyingBatch());
    EXPECT_EQ(s.vm.items().size(), 4);
    EXPECT_EQ(s.vm.selectedCount(), 2);

    s.vm.toggleSelect(notes);
    s.vm.batchRemove();
    s.launchd.executor().runAll();
    EXPECT_EQ(labels(s.vm.items()), (QStringList{"com.example.notes.helper", "com.example.sync.agent", "com.other.vpn.daemon"}));
    EXPECT_EQ(s.vm.selectedCount(), 0);
    EXPECT_FALSE(QFile::exists(updater.plistPath));
}

TEST(StartupViewModelTest, ListModelsChangeRowByRowWithoutResets)
{
    Startup s;
    s.load();
    QAbstractItemModel* model = s.vm.itemModel();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);

    s.vm.toggleSelect(item(s.vm, "com.other.vpn.daemon"));
    EXPECT_EQ(changed.count(), 1);
    const QModelIndex first = model->index(0, 0);
    const auto roles = model->roleNames();
    EXPECT_EQ(roles.value(StartupItemListModel::IdRole), "id");

    s.vm.toggleEnabled(item(s.vm, "com.example.sync.agent"));
    s.launchd.executor().runAll();
    QFile::remove(item(s.vm, "com.vendor.backup.daemon").plistPath);
    s.load();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model->rowCount(), 4);
    for (int row = 0; row < model->rowCount(); ++row)
        EXPECT_EQ(model->index(row, 0).data(StartupItemListModel::IdRole).toString(), s.vm.items()[row].id);
    EXPECT_EQ(model->index(3, 0).data(StartupItemListModel::LabelRole).toString(), "com.example.sync.agent");
    EXPECT_FALSE(model->index(3, 0).data(StartupItemListModel::IsEnabledRole).toBool());
    EXPECT_TRUE(first.isValid());
}

TEST(StartupViewModelTest, AResultForAViewModelThatIsGoneIsDropped)
{
    LaunchdFixture launchd;
    launchd.userAgent("a.plist", LaunchdFixture::agent("com.example.a", "/a"));
    auto vm = std::make_unique<StartupViewModel>();
    vm->load();
    vm.reset();
    EXPECT_GT(launchd.executor().runAll(), 0);
}
