#include "engine/cleaning/JunkFixture.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "ui/screens/junk/JunkGroupListModel.h"
#include "ui/screens/junk/SystemJunkScreen.h"
#include "ui/screens/junk/ScreenJunk.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace velk::screens {
namespace {

using test::JunkHome;
using test::Undeletable;

using test::buildJunk;

class SystemJunkScreenTest : public testing::Test {
protected:
    JunkHome home;
    cleaning::SystemJunkViewModel vm;
    SystemJunkScreen screen;

    SystemJunkScreenTest()
    {
        buildJunk(home);
        screen.setViewModel(&vm);
    }

    void scan()
    {
        vm.startScan(false);
        home.executor().runAll();
    }

    void clean()
    {
        vm.clean();
        home.executor().runAll();
    }

    void selectOnly(cleaning::ScanCategoryID id, const QString& name)
    {
        for (const cleaning::FileItem& item : vm.categories()[static_cast<std::size_t>(id)].items)
            vm.setItemSelected(id, item.id, item.name == name);
    }

    JunkGroupListModel& groups() { return *screen.groups(); }
    QVariant group(int row, const char* role) { return groups().get(row).value(QString::fromLatin1(role)); }
    QStringList rowIds(int row)
    {
        auto* rows = qobject_cast<JunkGroupRows*>(group(row, "rows").value<QObject*>());
        const int idRole = rows->roleNames().key("categoryId");
        QStringList ids;
        for (int i = 0; i < rows->rowCount(); ++i)
            ids.append(rows->data(rows->index(i, 0), idRole).toString());
        return ids;
    }
};

TEST_F(SystemJunkScreenTest, GroupsComeInDisplayOrderWithTheirCategoriesAndSums)
{
    ASSERT_EQ(groups().rowCount(), 4);
    QStringList keys, titles, english;
    for (int row = 0; row < 4; ++row) {
        keys.append(group(row, "key").toString());
        titles.append(group(row, "groupTitle").toString());
        english.append(group(row, "groupEnglishTitle").toString());
    }
    EXPECT_EQ(keys, QStringList({"system", "xcode", "languages", "apps"}));
    EXPECT_EQ(titles, QStringList({"系统", "Xcode", "开发环境", "应用"}));
    EXPECT_EQ(english, QStringList({"System", "Xcode", "Developer", "Apps"}));
    // Rows keep the categories' declaration order inside their group.
    EXPECT_EQ(rowIds(0).mid(0, 5), QStringList({"user_caches", "system_logs", "user_logs", "trash", "downloads"}));
    EXPECT_EQ(rowIds(1).first(), "derived_data");
    EXPECT_TRUE(rowIds(3).contains("language_files"));
    int rows = 0;
    for (int row = 0; row < 4; ++row)
        rows += rowIds(row).size();
    EXPECT_EQ(rows, 24);

    // Sums follow each finished category in place, never by a reset.
    QSignalSpy resets(&groups(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&groups(), &QAbstractItemModel::dataChanged);
    scan();
    EXPECT_EQ(resets.size(), 0);
    EXPECT_GT(changes.size(), 0);
    EXPECT_EQ(group(0, "totalSize").toLongLong(), 300 + 200 + 50 + 1000 + 40);
    // Trash and Downloads wait for the user's own choice.
    EXPECT_EQ(group(0, "selectedSize").toLongLong(), 300 + 200 + 50);
    EXPECT_EQ(group(1, "totalSize").toLongLong(), 70);
    EXPECT_EQ(group(2, "totalSize").toLongLong(), 30);
    EXPECT_EQ(group(3, "totalSize").toLongLong(), 0);

    vm.toggleSelectAll(QStringLiteral("derived_data"), false);
    EXPECT_EQ(group(1, "selectedSize").toLongLong(), 0);
}

TEST_F(SystemJunkScreenTest, GroupsOpenAgainAfterEveryCompletedScan)
{
    const QStringList all{"system", "xcode", "languages", "apps"};
    EXPECT_EQ(screen.expandedGroups(), all);
    screen.toggleGroupExpanded("xcode");
    screen.toggleGroupExpanded("apps");
    EXPECT_EQ(screen.expandedGroups(), QStringList({"system", "languages"}));
    screen.toggleGroupExpanded("apps");
    EXPECT_TRUE(screen.expandedGroups().contains("apps"));
    screen.toggleGroupExpanded("nonsense");
    EXPECT_EQ(screen.expandedGroups().size(), 3);

    // A stopped scan opens nothing; a completed one opens every group.
    vm.startScan(false);
    vm.stopScan();
    EXPECT_FALSE(screen.expandedGroups().contains("xcode"));
    scan();
    EXPECT_EQ(screen.expandedGroups().size(), 4);

    // A screen made after a completed scan starts with all open and keeps
    // what the user closes until the next completed scan.
    SystemJunkScreen later;
    later.setViewModel(&vm);
    later.toggleGroupExpanded("system");
    vm.setAllSelected(false);
    EXPECT_FALSE(later.expandedGroups().contains("system"));
    scan();
    EXPECT_TRUE(later.expandedGroups().contains("system"));
}

TEST_F(SystemJunkScreenTest, ProgressCountsFinishedCategoriesOfAll)
{
    EXPECT_EQ(screen.categoryCount(), 24);
    vm.startScan(false);
    EXPECT_EQ(screen.progressText(), QStringLiteral("已扫描 0 / 24 类"));
    EXPECT_EQ(screen.progressTextEnglish(), QStringLiteral("Scanned 0 / 24"));
    EXPECT_EQ(screen.scanningTitle(), QStringLiteral("用户缓存"));
    EXPECT_EQ(screen.scanningTitleEnglish(), QStringLiteral("User Caches"));
    home.executor().step();
    home.executor().step();
    EXPECT_EQ(screen.progressTextEnglish(), QStringLiteral("Scanned 1 / 24"));
    EXPECT_EQ(screen.scanningTitleEnglish(), QStringLiteral("System Logs"));
    home.executor().runAll();
    EXPECT_EQ(screen.doneCount(), 24);
    EXPECT_TRUE(screen.scanningTitle().isEmpty());
}

TEST_F(SystemJunkScreenTest, ConfirmationNamesTheSelectedCategoriesPeopleKeep)
{
    scan();
    EXPECT_TRUE(screen.confirmationCategories().isEmpty());
    vm.setAllSelected(true);
    EXPECT_EQ(screen.confirmationCategories(), QStringLiteral("废纸篓、下载文件夹"));
    EXPECT_EQ(screen.confirmationCategoriesEnglish(), QStringLiteral("Trash, Downloads"));
    vm.toggleSelectAll(QStringLiteral("trash"), false);
    EXPECT_EQ(screen.confirmationCategoriesEnglish(), QStringLiteral("Downloads"));
}

TEST_F(SystemJunkScreenTest, ResultTextsFollowTheReportInTheTablesOrder)
{
    scan();
    EXPECT_TRUE(screen.reportTitle().isEmpty());

    // Nothing selected.
    vm.setAllSelected(false);
    QSignalSpy reports(&screen, &SystemJunkScreen::reportChanged);
    clean();
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(screen.reportTitle(), QStringLiteral("没有可清理项"));
    EXPECT_EQ(screen.reportMessageEnglish(), QStringLiteral("No individual files were selected."));

    // Everything selected fails: nothing freed.
    const QString locked = home.home() + "/Library/Caches/locked";
    {
        Undeletable undeletable(locked, locked);
        vm.setAllSelected(false);
        selectOnly(cleaning::ScanCategoryID::userCaches, QStringLiteral("locked"));
        ASSERT_EQ(vm.selectedSize(), 200);
        clean();
        EXPECT_EQ(screen.reportTitleEnglish(), QStringLiteral("No Space Freed"));
        EXPECT_TRUE(screen.reportMessage().startsWith(QStringLiteral("没有文件被删除（常见原因：")));

        // Freed with one failure: the fourth message.
        vm.setAllSelected(false);
        vm.toggleSelectAll(QStringLiteral("user_caches"), true);
        clean();
        EXPECT_EQ(screen.reportTitle(), QStringLiteral("清理完成"));
        EXPECT_EQ(screen.reportMessage(),
                  QStringLiteral("已删除并释放约 300 字节；1 项失败仍留在列表。仪表盘百分比是整盘统计，"
                                 "可能与扫描「逻辑大小」略有差别。"));
        EXPECT_EQ(screen.reportMessageEnglish(),
                  QStringLiteral("Deleted about 300 bytes; 1 item(s) failed and remain in the list. Dashboard "
                                 "percent is whole-disk stats and may differ slightly from scanned logical sizes."));
    }

    // Freed without failures.
    vm.setAllSelected(false);
    vm.toggleSelectAll(QStringLiteral("derived_data"), true);
    clean();
    EXPECT_EQ(screen.reportTitleEnglish(), QStringLiteral("Cleanup Finished"));
    EXPECT_EQ(screen.reportMessageEnglish(),
              QStringLiteral("Freed about 70 bytes. If the dashboard hasn\u2019t updated, wait a few seconds or "
                             "switch tabs. If it still doesn\u2019t change, check System Settings \u203a Storage for "
                             "local snapshots."));
    EXPECT_TRUE(screen.reportMessage().startsWith(QStringLiteral("已释放约 70 字节。")));

    vm.clearCleanReport();
    EXPECT_TRUE(screen.reportTitle().isEmpty());
    EXPECT_TRUE(screen.reportMessageEnglish().isEmpty());
}

TEST_F(SystemJunkScreenTest, DeepCleanEntryScansOrSelectsOnlyWhenRequested)
{
    // Appearing without the request does nothing; a later request before
    // any completed scan selects what there is (nothing yet).
    screen.appear(false);
    EXPECT_FALSE(vm.isScanning());

    // Appearing with the request and no completed scan starts one.
    SystemJunkScreen opened;
    opened.setViewModel(&vm);
    opened.deepCleanEntryChanged(true);  // before it appears: ignored
    EXPECT_FALSE(vm.isScanning());
    opened.appear(true);
    EXPECT_TRUE(vm.isScanning());
    home.executor().runAll();

    // After a completed scan, the request selects everything except what
    // needs the user's own confirmation.
    vm.setAllSelected(false);
    screen.deepCleanEntryChanged(true);
    EXPECT_EQ(vm.selectedSize(), 300 + 200 + 50 + 70 + 30);
    EXPECT_FALSE(vm.isScanning());

    // Appearing with the request after a completed scan selects as well and
    // appearing twice does nothing more.
    SystemJunkScreen third;
    third.setViewModel(&vm);
    vm.setAllSelected(false);
    third.appear(true);
    EXPECT_EQ(vm.selectedSize(), 300 + 200 + 50 + 70 + 30);
    EXPECT_FALSE(vm.isScanning());
    vm.setAllSelected(false);
    third.appear(true);
    EXPECT_EQ(vm.selectedSize(), 0);

    // A change to false changes nothing in the view model.
    screen.deepCleanEntryChanged(false);
    EXPECT_EQ(vm.selectedSize(), 0);
}

} // namespace
} // namespace velk::screens
