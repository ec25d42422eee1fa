#include "LargeFileFixture.h"

#include "engine/cleaning/LargeFilesViewModel.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/tools/ToolRunner.h"
#include "support/FakeFileRemover.h"
#include "support/FakeToolRunner.h"
#include "support/ManualExecutor.h"
#include "support/SystemFixtures.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

using namespace velk;
using namespace velk::cleaning;
using namespace velk::inspection;
using velk::test::FakeFileRemover;
using velk::test::LargeFileTree;
using velk::test::ManualExecutor;
using velk::test::openToEveryone;
using velk::test::UnprivilegedThread;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

QStringList namesOf(const QList<FileItem>& items)
{
    QStringList names;
    for (const FileItem& item : items)
        names << item.name;
    return names;
}

// A view model over a temporary tree with a manual executor and a remover
// double.
struct Screen {
    LargeFileTree tree;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    std::shared_ptr<FakeFileRemover> remover = std::make_shared<FakeFileRemover>(true);
    platform::core::ScopedService<platform::files::FileRemover> removerService{remover};
    LargeFilesViewModel vm;

    void scanToTheEnd(const QStringList& roots)
    {
        vm.scan(roots);
        executor->runAll();
    }
};

} // namespace

TEST(LargeFilesViewModelTest, TheMinimumIsMebibytesTruncatedWithBadValuesMended)
{
    EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(100), 104'857'600);
    EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(0.5), 524'288);
    EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(1e-7), 0);  // 0.1048576 bytes, truncated
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(bad), 50 * kMiB) << bad;
    EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(LargeFilesViewModel::minimumSizeBytes(8796093022208.0), std::numeric_limits<std::int64_t>::max());
}

TEST(LargeFilesViewModelTest, AScanPublishesSelectedFilesAtTheChosenMinimum)
{
    Screen s;
    s.tree.file("Users/me/Movies/Holiday.MOV", 100 * kMiB);
    s.tree.file("Users/me/Movies/clip.mp4", 100 * kMiB - 1);
    s.tree.file("Users/me/Downloads/disk.iso", 300 * kMiB);
    s.vm.setMinSizeMB(100);
    QSignalSpy resets(s.vm.itemModel(), &QAbstractItemModel::modelReset);
    s.vm.scan({s.tree.home()});
    EXPECT_TRUE(s.vm.isScanning());
    s.executor->runAll();
    EXPECT_FALSE(s.vm.isScanning());
    EXPECT_EQ(namesOf(s.vm.items()), (QStringList{"disk.iso", "Holiday.MOV"}));
    EXPECT_EQ(s.vm.selectedCount(), 2);
    EXPECT_EQ(s.vm.scanMatched(), 2);
    EXPECT_EQ(s.vm.scanProgress(), 5);  // the two folders below the home and their files
    EXPECT_EQ(s.vm.itemModel()->rowCount(), 2);
    EXPECT_EQ(resets.count(), 0);
}

TEST(LargeFilesViewModelTest, SearchFiltersByNameAndSelectsOnlyWhatItShows)
{
    Screen s;
    s.tree.file("Users/me/a/Holiday.MOV", 60 * kMiB);
    s.tree.file("Users/me/a/notes.iso", 70 * kMiB);
    s.scanToTheEnd({s.tree.home()});
    s.vm.setSearchText("mov");
    EXPECT_EQ(namesOf(s.vm.filteredItems()), QStringList{"Holiday.MOV"});
    EXPECT_EQ(s.vm.filteredModel()->rowCount(), 1);
    s.vm.setFilteredSelected(false);
    EXPECT_EQ(namesOf(s.vm.selectedItems()), QStringList{"notes.iso"});
    EXPECT_FALSE(s.vm.allFilteredSelected());
    s.vm.setSearchText("");
    EXPECT_EQ(s.vm.filteredModel()->rowCount(), 2);

    QSignalSpy changed(s.vm.itemModel(), &QAbstractItemModel::dataChanged);
    const FileItem holiday = s.vm.items()[1];
    s.vm.toggleSelect(holiday.id.toString());
    EXPECT_TRUE(s.vm.items()[1].isSelected);
    EXPECT_EQ(changed.count(), 1);
    s.vm.toggleSelect(FileItem("/nowhere", 1, std::nullopt, FileItem::ItemType::File));
    EXPECT_EQ(changed.count(), 1);
}

TEST(LargeFilesViewModelTest, FilesThatCouldNotBeDeletedStayListed)
{
    Screen s;
    const QString kept = s.tree.file("Users/me/a/stuck.bin", 80 * kMiB);
    const QString gone = s.tree.file("Users/me/a/gone.bin", 60 * kMiB);
    s.tree.file("Users/me/a/unselected.bin", 70 * kMiB);
    s.scanToTheEnd({s.tree.home()});
    s.vm.toggleSelect(s.vm.items()[1]);  // unselected.bin
    s.remover->failFor(kept);

    s.vm.deleteSelected(true);
    EXPECT_TRUE(s.vm.isDeleting());
    s.executor->runAll();
    EXPECT_FALSE(s.vm.isDeleting());
    EXPECT_EQ(s.remover->removed(), (QStringList{kept, gone}));
    EXPECT_EQ(namesOf(s.vm.items()), (QStringList{"stuck.bin", "unselected.bin"}));
    EXPECT_FALSE(QFile::exists(gone));

    // The Trash is asked for by the other button, and only for the selection.
    s.vm.deleteSelected(false);
    s.executor->runAll();
    EXPECT_EQ(s.remover->trashed(), QStringList{kept});
    EXPECT_EQ(namesOf(s.vm.items()), (QStringList{"stuck.bin", "unselected.bin"}));
}

TEST(LargeFilesViewModelTest, AFileReplacedSinceTheScanIsLeftAloneAndStaysListed)
{
    Screen s;
    const QString path = s.tree.file("Users/me/a/movie.mkv", 60 * kMiB);
    const QString other = s.tree.file("Users/me/a/movie.tmp", 10);
    s.scanToTheEnd({s.tree.home()});
    ASSERT_EQ(s.vm.items().size(), 1);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));

    s.vm.deleteSelected(true);
    s.executor->runAll();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(namesOf(s.vm.items()), QStringList{"movie.mkv"});
    EXPECT_EQ(s.vm.failures(), (QList<RemovalFailure>{{path, platform::files::RemovalReason::NotAsScanned}}));
}

// What the remover leaves (a file in a folder the user may not write to) is
// reported and stays selected; a name that is not UTF-8 goes by its bytes.
TEST(LargeFilesViewModelTest, EveryFileLeftIsReportedAndNamesThatAreNotUtf8AreRemoved)
{
    Screen s;
    const QString stuck = s.tree.file("Users/me/locked/stuck.bin", 70 * kMiB);
    const QByteArray odd = QFile::encodeName(s.tree.dir("Users/me/open")) + "/odd\xff.bin";
    ::close(::open(odd.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    ASSERT_EQ(::truncate(odd.constData(), 60 * kMiB), 0);
    s.scanToTheEnd({s.tree.home()});
    openToEveryone(QFileInfo(s.tree.root()).path());
    ::chown(QFile::encodeName(s.tree.at("Users/me/open")).constData(), 65534, 65534);
    ::chmod(QFile::encodeName(s.tree.at("Users/me/locked")).constData(), 0555);

    s.vm.deleteSelected(true);
    {
        const UnprivilegedThread unprivileged;
        ASSERT_TRUE(unprivileged.ok());
        s.executor->runBackground();
    }
    s.executor->runAll();
    EXPECT_EQ(s.vm.failures(), (QList<RemovalFailure>{{stuck, platform::files::RemovalReason::FolderForbids, EACCES}}));
    EXPECT_EQ(namesOf(s.vm.selectedItems()), QStringList{"stuck.bin"});
    EXPECT_NE(::unlink(odd.constData()), 0) << "the name that is not UTF-8 was left";
}

TEST(LargeFilesViewModelTest, ASupersededScanChangesNothing)
{
    Screen s;
    s.tree.file("Users/me/first/a.bin", 60 * kMiB);
    s.tree.file("Users/me/first/b.bin", 60 * kMiB);
    s.tree.file("Users/me/second/c.bin", 60 * kMiB);
    s.vm.scan({s.tree.at("Users/me/first")});
    s.executor->runBackground();  // the first scan is done; its hops wait
    const std::size_t lateHops = s.executor->pending();
    ASSERT_GE(lateHops, 2u);

    QSignalSpy progress(&s.vm, &LargeFilesViewModel::scanProgressChanged);
    s.vm.scan({s.tree.at("Users/me/second")});
    progress.clear();
    for (std::size_t i = 0; i < lateHops; ++i)
        s.executor->step();
    EXPECT_EQ(progress.count(), 0);
    EXPECT_TRUE(s.vm.items().isEmpty());
    EXPECT_TRUE(s.vm.isScanning());

    s.executor->runAll();
    EXPECT_EQ(namesOf(s.vm.items()), QStringList{"c.bin"});
    EXPECT_EQ(s.vm.scanMatched(), 1);
}

TEST(LargeFilesViewModelTest, StoppingEndsTheScanAtOnceAndDropsItsLateWork)
{
    Screen s;
    s.tree.file("Users/me/a/a.bin", 60 * kMiB);
    s.vm.scan({s.tree.home()});
    s.executor->step();  // the scan job: units queued
    s.vm.stopScan();
    EXPECT_FALSE(s.vm.isScanning());
    s.executor->runAll();
    EXPECT_FALSE(s.vm.isScanning());
    EXPECT_TRUE(s.vm.items().isEmpty());
    EXPECT_EQ(s.vm.scanProgress(), 0);
}

TEST(LargeFilesViewModelTest, InUseCheckWithNothingSelectedLooksNothingUp)
{
    Screen s;
    s.tree.file("Users/me/a/a.bin", 60 * kMiB);
    s.scanToTheEnd({s.tree.home()});
    int lookups = 0;
    s.vm.setInUseLookup([&](const QStringList& paths) {
        ++lookups;
        return LargeFilesViewModel::InUseMap{{paths.first(), {FileOpenHandle{42, "player"}}}};
    });
    s.vm.checkSelectedInUse();
    s.executor->runAll();
    EXPECT_EQ(lookups, 1);
    ASSERT_EQ(s.vm.inUseBeforeTrash().size(), 1);
    EXPECT_EQ(s.vm.inUseBeforeTrash().first().first().command, "player");
    EXPECT_FALSE(s.vm.isCheckingInUse());

    s.vm.setFilteredSelected(false);
    QSignalSpy checking(&s.vm, &LargeFilesViewModel::isCheckingInUseChanged);
    QSignalSpy finished(&s.vm, &LargeFilesViewModel::inUseCheckFinished);
    s.vm.checkSelectedInUse();
    EXPECT_TRUE(s.vm.inUseBeforeTrash().isEmpty());
    EXPECT_EQ(s.executor->pending(), 0u);
    EXPECT_EQ(checking.count(), 0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(lookups, 1);
}

TEST(LargeFilesViewModelTest, TheInUseCheckAsksTheOpenFileListingAboutEverySelectedFile)
{
    Screen s;
    const QString movie = s.tree.file("Users/me/Movies/a.mov", 60 * kMiB);
    const QString other = s.tree.file("Users/me/Movies/b.mov", 60 * kMiB);
    s.scanToTheEnd({s.tree.home()});
    auto tools = std::make_shared<velk::test::FakeToolRunner>();
    platform::core::ScopedService<platform::tools::ToolRunner> toolService(tools);
    tools->setOutput("/usr/sbin/lsof", "p4242\ncplayer\nn" + movie.toUtf8() + "\n");

    s.vm.checkSelectedInUse();
    s.executor->runAll();

    const auto runs = tools->requestsFor("/usr/sbin/lsof");
    ASSERT_EQ(runs.size(), 1);
    QStringList asked = runs[0].arguments.mid(6);
    asked.sort();
    EXPECT_EQ(asked, (QStringList{movie, other}));
    EXPECT_EQ(s.vm.inUseBeforeTrash(), (LargeFilesViewModel::InUseMap{{movie, {FileOpenHandle{4242, "player"}}}}));
}
