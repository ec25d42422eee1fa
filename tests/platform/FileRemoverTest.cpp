#include "platform/FileRemover.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"
#include "support/ScopedEnv.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace velk::platform;
using velk::test::ScopedEnv;
using velk::test::TempTree;

namespace {

bool exists(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

class FileRemoverTest : public ::testing::Test {
protected:
    std::shared_ptr<FileRemover> remover = FileRemover::createDefault();
    TempTree tree;
    TempTree outside;
};

TEST_F(FileRemoverTest, RemovesFilesAndWholeFoldersAndReportsWhetherGone)
{
    const QString file = tree.file("one.bin", 10);
    tree.file("folder/a/b/c.bin", 5);
    tree.file("folder/.hidden", 1);
    tree.dir("folder/empty");

    EXPECT_TRUE(remover->removePermanently(file));
    EXPECT_FALSE(exists(file));
    EXPECT_TRUE(remover->removePermanently(tree.path("folder/")));
    EXPECT_FALSE(exists(tree.path("folder")));

    EXPECT_FALSE(remover->removePermanently(tree.path("never-there")));
    EXPECT_FALSE(remover->removePermanently(QString()));
}

TEST_F(FileRemoverTest, LinksInsideAreUnlinkedAndTheirTargetsKept)
{
    const QString targetFile = outside.file("keep.bin", 1000);
    const QString targetFolder = outside.dir("keep-folder");
    outside.file("keep-folder/inner.bin", 20);
    tree.link("item/to-file", targetFile);
    tree.link("item/sub/to-folder", targetFolder);
    tree.link("item/dangling", outside.path("nothing"));

    EXPECT_TRUE(remover->removePermanently(tree.path("item")));
    EXPECT_FALSE(exists(tree.path("item")));
    EXPECT_TRUE(QFileInfo(targetFile).isFile());
    EXPECT_TRUE(QFileInfo::exists(outside.path("keep-folder/inner.bin")));
}

TEST_F(FileRemoverTest, LinkAtTheTopIsRemovedItself)
{
    outside.file("folder/inner.bin", 20);
    const QString toFolder = tree.link("to-folder", outside.path("folder"));
    const QString toFile = tree.link("to-file", outside.path("folder/inner.bin"));

    EXPECT_TRUE(remover->removePermanently(toFolder));
    EXPECT_TRUE(remover->removePermanently(toFile + "/")) << "a trailing slash must not reach the target";
    EXPECT_FALSE(exists(toFolder));
    EXPECT_FALSE(exists(toFile));
    EXPECT_TRUE(QFileInfo::exists(outside.path("folder/inner.bin")));
}

TEST_F(FileRemoverTest, FolderThatCannotBeEmptiedIsReportedAndKept)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    tree.file("item/locked/inner", 3);
    tree.file("item/free", 3);
    ::chmod(QFile::encodeName(tree.path("item/locked")).constData(), 0500);
    EXPECT_FALSE(remover->removePermanently(tree.path("item")));
    EXPECT_TRUE(exists(tree.path("item/locked/inner")));
    EXPECT_FALSE(exists(tree.path("item/free")));
    ::chmod(QFile::encodeName(tree.path("item/locked")).constData(), 0700);
}

// The Trash's files folder and its info folder are paired by the location
// map; nothing else counts as a trash.
TEST_F(FileRemoverTest, RemovingFromTheTrashAlsoRemovesItsRecord)
{
    ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    ScopedService<Locations> locations(Locations::linuxProfile(tree.dir("home")));
    tree.file("data/Trash/files/doc/page.txt", 4);
    tree.file("data/Trash/files/note.txt", 4);
    tree.file("data/Trash/info/doc.trashinfo", 60);
    tree.file("data/Trash/info/note.trashinfo", 60);

    EXPECT_TRUE(remover->removePermanently(tree.path("data/Trash/files/doc/")));
    EXPECT_FALSE(exists(tree.path("data/Trash/info/doc.trashinfo")));
    EXPECT_TRUE(exists(tree.path("data/Trash/info/note.trashinfo")));

    // Only a direct child of the files folder has a record.
    tree.file("data/Trash/files/note.txt.d/inner", 4);
    tree.file("data/Trash/info/inner.trashinfo", 60);
    EXPECT_TRUE(remover->removePermanently(tree.path("data/Trash/files/note.txt.d/inner")));
    EXPECT_TRUE(exists(tree.path("data/Trash/info/inner.trashinfo")));

    // Folders that merely look like a trash are somebody's data.
    for (const QString lookalike : {"mnt/.Trash-1000", "project/Trash", "home/.Trash"}) {
        tree.file(lookalike + "/files/doc", 4);
        tree.file(lookalike + "/info/doc.trashinfo", 60);
        EXPECT_TRUE(remover->removePermanently(tree.path(lookalike + "/files/doc")));
        EXPECT_TRUE(exists(tree.path(lookalike + "/info/doc.trashinfo"))) << lookalike.toStdString();
    }

    // A failed removal keeps the record.
    EXPECT_FALSE(remover->removePermanently(tree.path("data/Trash/files/note")));
    EXPECT_TRUE(exists(tree.path("data/Trash/info/note.trashinfo")));
}

TEST_F(FileRemoverTest, ATrashWithoutRecordsLeavesItsNeighboursAlone)
{
    ScopedService<Locations> locations(Locations::macProfile(tree.root(), tree.dir("Users/me")));
    tree.file("Users/me/.Trash/doc", 4);
    tree.file("Users/me/info/doc.trashinfo", 60);
    EXPECT_TRUE(remover->removePermanently(tree.path("Users/me/.Trash/doc")));
    EXPECT_TRUE(exists(tree.path("Users/me/info/doc.trashinfo")));
}

// Also when the data folder does not exist yet: the item must reach the
// home trash, not a "files" folder of the current directory.
TEST_F(FileRemoverTest, MovesToTheHomeTrashCreatingItWhenMissing)
{
    ScopedEnv home("HOME", QFile::encodeName(tree.root()));
    ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    const QString previousCurrent = QDir::currentPath();
    QDir::setCurrent(tree.dir("cwd"));
    const QString item = tree.file("docs/report.txt", 12);

    const bool moved = remover->moveToTrash(item);
    QDir::setCurrent(previousCurrent);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(exists(item));
    EXPECT_TRUE(QFileInfo(tree.path("data/Trash/files/report.txt")).isFile());
    EXPECT_TRUE(exists(tree.path("data/Trash/info/report.txt.trashinfo")));
    EXPECT_FALSE(exists(tree.path("cwd/files")));
    EXPECT_FALSE(remover->moveToTrash(tree.path("docs/missing.txt")));
}

// When the trash lies on another device than the item, moving fails and the
// item stays where it was: nothing is copied.
TEST_F(FileRemoverTest, NeverCopiesIntoATrashOnAnotherDevice)
{
    struct stat shm;
    struct stat tmp;
    if (::stat("/dev/shm", &shm) != 0 || ::stat(QFile::encodeName(tree.root()).constData(), &tmp) != 0
        || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "needs /dev/shm on a file system of its own";
    QTemporaryDir otherDevice(QStringLiteral("/dev/shm/velk-test-XXXXXX"));
    ASSERT_TRUE(otherDevice.isValid());
    ScopedEnv home("HOME", QFile::encodeName(tree.root()));
    ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(otherDevice.path()));
    const QString item = tree.file("docs/report.txt", 12);

    EXPECT_FALSE(remover->moveToTrash(item));
    EXPECT_TRUE(QFileInfo(item).isFile());
    EXPECT_FALSE(exists(otherDevice.path() + "/Trash/files/report.txt"));
}

} // namespace
