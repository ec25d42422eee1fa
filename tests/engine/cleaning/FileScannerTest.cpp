#include "engine/cleaning/FileScanner.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"
#include "support/FakeFileRemover.h"
#include "support/ScopedEnv.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using velk::FileItem;
using velk::FileScanner;
using velk::platform::FileRemover;
using velk::platform::Locations;
using velk::platform::ScopedService;
using velk::test::FakeFileRemover;
using velk::test::ScopedEnv;
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

// Only what is actually gone counts as freed.
TEST(FileScanner, RemovalSumsOnlyTheItemsThatAreGone)
{
    auto remover = std::make_shared<FakeFileRemover>();
    ScopedService<FileRemover> scope(remover);
    const QList<FileItem> items{fileItem("/t/a", 10), fileItem("/t/b", 20), fileItem("/t/c", 40)};

    remover->failTrashFor("/t/b"); // falls back to permanent removal
    remover->failFor("/t/c");      // fails both ways
    EXPECT_EQ(FileScanner::shared().moveToTrash(items), 30);
    EXPECT_EQ(remover->trashed(), (QStringList{"/t/a", "/t/b", "/t/c"}));
    EXPECT_EQ(remover->removed(), (QStringList{"/t/b", "/t/c"}));

    EXPECT_EQ(FileScanner::shared().deleteItems(items), 30);
    EXPECT_EQ(remover->removed(), (QStringList{"/t/b", "/t/c", "/t/a", "/t/b", "/t/c"}));
    EXPECT_EQ(FileScanner::shared().deleteItems({}), 0);
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
}

} // namespace
