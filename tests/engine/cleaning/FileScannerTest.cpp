#include "engine/cleaning/FileScanner.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeFileRemover.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using velk::cleaning::FileItem;
using velk::cleaning::FileScanner;
using velk::platform::files::FileRemover;
using velk::platform::locations::Locations;
using velk::platform::core::ScopedService;
using velk::test::FakeFileRemover;
using velk::test::ScopedEnv;
using velk::test::ScopedMount;
using velk::test::TempTree;

namespace {

QStringList names(const QList<FileItem>& items)
{
    QStringList result;
    for (const FileItem& item : items)
        result << item.name;
    return result;
}

FileItem fileItem(const QString& path, qint64 size)
{
    return FileItem(path, size, std::nullopt, FileItem::ItemType::File);
}

TEST(FileScanner, ScansChildrenLargestFirstKeepingFoldersOnlyWhenRecursive)
{
    TempTree tree;
    TempTree outside;
    tree.file("small.txt", 5);
    tree.file("zero.txt", 0);
    tree.file("large.bin", 900);
    tree.file("folder/inside", 300);
    tree.dir("empty-folder");
    tree.file(".hidden", 50);
    tree.link("link", outside.file("t", 5000));

    const auto flat = FileScanner::shared().scanDirectory(tree.root(), false);
    EXPECT_EQ(names(flat), (QStringList{"large.bin", "small.txt", "zero.txt"}));
    for (const FileItem& item : flat)
        EXPECT_TRUE(item.isSelected);

    const auto deep = FileScanner::shared().scanDirectory(tree.root(), true);
    EXPECT_EQ(names(deep), (QStringList{"large.bin", "folder", "small.txt", "zero.txt"}));
    EXPECT_EQ(deep[1].itemType, FileItem::ItemType::Directory);
    EXPECT_EQ(deep[1].size, 300);

    EXPECT_TRUE(FileScanner::shared().scanDirectory(tree.path("missing"), true).isEmpty());
}

// Enough equal sizes that an unstable sort would shuffle them.
TEST(FileScanner, EqualSizesKeepTheListingOrder)
{
    TempTree tree;
    for (int i = 0; i < 40; ++i)
        tree.file(QStringLiteral("f%1").arg(i), i % 2 == 0 ? 10 : 20);
    QStringList listed = QDir(tree.root()).entryList(QDir::Files, QDir::Unsorted);
    QStringList expected;
    for (const qint64 size : {20, 10}) {
        for (const QString& name : listed) {
            if (QFileInfo(tree.path(name)).size() == size)
                expected << name;
        }
    }
    EXPECT_EQ(names(FileScanner::shared().scanDirectory(tree.root(), false)), expected);
}

TEST(FileScanner, TotalSizeOfFoldersFilesAndMissingPaths)
{
    TempTree tree;
    tree.file("folder/a", 30);
    tree.file("folder/.b", 7);
    EXPECT_EQ(FileScanner::shared().totalSize(tree.path("folder")), 30);
    EXPECT_EQ(FileScanner::shared().totalSize(tree.path("folder/.b")), 7);
    EXPECT_EQ(FileScanner::shared().directorySize(tree.path("folder")), 30);
    EXPECT_EQ(FileScanner::shared().totalSize(tree.path("missing")), 0);
}

// What is freed is what went away; a failed move to the Trash is never
// turned into a removal.
TEST(FileScanner, RemovalCountsWhatWentAwayAndNeverRemovesWhatCouldNotBeTrashed)
{
    TempTree tree;
    auto remover = std::make_shared<FakeFileRemover>(true);
    ScopedService<FileRemover> scope(remover);
    const QList<FileItem> items{fileItem(tree.file("a", 10), 10), fileItem(tree.file("b", 20), 20),
                                fileItem(tree.file("c", 40), 40)};
    remover->failTrashFor(items[1].path);
    remover->failFor(items[2].path);
    EXPECT_EQ(FileScanner::shared().moveToTrash(items), 10);
    EXPECT_EQ(remover->trashed(), (QStringList{items[0].path, items[1].path, items[2].path}));
    EXPECT_TRUE(remover->removed().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(items[1].path));

    EXPECT_EQ(FileScanner::shared().deleteItems(items), 20) << "a is gone already, c fails";
    EXPECT_EQ(FileScanner::shared().deleteItems({}), 0);
}

// With the Trash on another file system the move fails, and the item stays
// where it is with every byte.
TEST(FileScanner, MoveToTrashThatFailsLeavesTheItemInPlace)
{
    TempTree tree;
    auto otherDevice = ScopedMount::tmpfs(tree.dir("data"));
    ASSERT_TRUE(otherDevice.ok()) << otherDevice.error();
    ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    ScopedService<Locations> locations(Locations::linuxProfile(tree.dir("home")));
    ScopedService<FileRemover> remover(FileRemover::createDefault());
    const QString item = tree.file("docs/report.txt", 300);
    EXPECT_EQ(FileScanner::shared().moveToTrash({fileItem(item, 300)}), 0);
    EXPECT_EQ(QFileInfo(item).size(), 300);
}

// A name that is not UTF-8 shows as U+FFFD; removing the item found must act
// on its own bytes, not on the file the display name spells.
TEST(FileScanner, RemovesTheFileScannedNotTheOneItsDisplayNameSpells)
{
    TempTree tree;
    ScopedService<FileRemover> remover(FileRemover::createDefault());
    const QByteArray root = QFile::encodeName(tree.root());
    const QByteArray selected = root + "/report\xff";
    const int fd = ::open(selected.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "0123456789", 10), 10);
    ::close(fd);
    const QList<FileItem> scanned = FileScanner::shared().scanDirectory(tree.root(), false);
    ASSERT_EQ(scanned.size(), 1);
    const QString unselected = tree.file("report\xef\xbf\xbd", 3);

    EXPECT_EQ(FileScanner::shared().deleteItems(scanned), 10);
    struct stat st;
    EXPECT_NE(::lstat(selected.constData(), &st), 0);
    EXPECT_TRUE(QFileInfo::exists(unselected));
}

TEST(FileScanner, EmptyTrashRemovesEverythingAndReportsWhatWentAway)
{
    TempTree root;
    const QString home = root.dir("Users/me");
    ScopedService<Locations> locations(Locations::macProfile(root.root(), home));
    auto remover = std::make_shared<FakeFileRemover>(true);
    ScopedService<FileRemover> scope(remover);
    root.file("Users/me/.Trash/old.zip", 100);
    root.file("Users/me/.Trash/folder/inner", 50);
    root.file("Users/me/.Trash/.DS_Store", 7);
    root.file("Users/me/.Trash/stuck/inner", 30);
    remover->failFor(root.path("Users/me/.Trash/stuck"));

    EXPECT_EQ(FileScanner::shared().emptyTrash(), 150);
    EXPECT_EQ(remover->removed().size(), 4);
    EXPECT_FALSE(QFileInfo::exists(root.path("Users/me/.Trash/.DS_Store")));
    EXPECT_FALSE(QFileInfo::exists(root.path("Users/me/.Trash/old.zip")));
    EXPECT_TRUE(QFileInfo::exists(root.path("Users/me/.Trash/stuck/inner")));
    EXPECT_TRUE(QFileInfo(root.path("Users/me/.Trash")).isDir());
    EXPECT_EQ(FileScanner::shared().emptyTrash(), 0) << "the stuck item is still there, nothing more went";
}

TEST(FileScanner, EmptyingTheFreedesktopTrashRemovesItsInfoEntries)
{
    TempTree tree;
    ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    ScopedService<Locations> locations(Locations::linuxProfile(tree.dir("home")));
    ScopedService<FileRemover> remover(FileRemover::createDefault());
    tree.file("data/Trash/files/photo.jpg", 64);
    tree.file("data/Trash/info/photo.jpg.trashinfo", 80);

    EXPECT_EQ(FileScanner::shared().emptyTrash(), 64);
    EXPECT_FALSE(QFileInfo::exists(tree.path("data/Trash/files/photo.jpg")));
    EXPECT_FALSE(QFileInfo::exists(tree.path("data/Trash/info/photo.jpg.trashinfo")));

    // A data home that is the home has no Trash: nothing is emptied, neither
    // the user's "Trash/files" nor a folder named like the other Trash.
    ScopedEnv homeData("XDG_DATA_HOME", QFile::encodeName(tree.path("home")));
    ScopedService<Locations> odd(Locations::linuxProfile(tree.path("home")));
    const QString own = tree.file("home/Trash/files/thesis.tex", 32);
    const QString named = tree.file("home/.Trash/keep.txt", 16);
    EXPECT_EQ(FileScanner::shared().emptyTrash(), 0);
    EXPECT_TRUE(QFileInfo::exists(own));
    EXPECT_TRUE(QFileInfo::exists(named));
}

} // namespace
