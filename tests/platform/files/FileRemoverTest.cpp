#include "platform/core/CurrentUser.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FileRemoverLinux.h"
#include "platform/files/FolderReader.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/ScopedEnv.h"
#include "support/DeepChain.h"
#include "support/FakeUser.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velk::platform::core;
using namespace velk::platform::files;
using namespace velk::platform::locations;
using velk::test::ScopedEnv;
using velk::test::openToEveryone;
using velk::test::runUnprivileged;
using velk::test::ScopedMount;
using velk::test::TempTree;

namespace {

bool exists(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

FileIdentity identityOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return {st.st_dev, st.st_ino};
}

void setModified(const QString& path, std::int64_t seconds, long nanoseconds)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {seconds, nanoseconds}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW);
}

ScannedIdentity scannedIdentityOf(const QString& path)
{
    const auto attributes = readAttributes(AT_FDCWD, QFile::encodeName(path).constData());
    return attributes ? scannedIdentity(*attributes) : ScannedIdentity{};
}

// Sets an inode flag (FS_IMMUTABLE_FL, FS_APPEND_FL; they stop root as
// well) on a file or folder for as long as the object lives.
class InodeFlag {
public:
    explicit InodeFlag(const QString& path, int flag = FS_IMMUTABLE_FL)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)), m_flag(flag) {}
    ~InodeFlag()
    {
        if (m_set) {
            int flags = 0;
            ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags);
            flags &= ~m_flag;
            ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
        }
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool set()
    {
        int flags = 0;
        if (m_fd < 0 || ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) != 0)
            return false;
        flags |= m_flag;
        m_set = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        return m_set;
    }

private:
    int m_fd;
    int m_flag;
    bool m_set = false;
};

// The Trash below `folder`: the data home the location map reads from the
// environment, for the rest of the test.
struct TrashBelow {
    ScopedEnv variable;
    ScopedService<Locations> locations;
    explicit TrashBelow(const QString& folder)
        : variable("XDG_DATA_HOME", QFile::encodeName(folder))
        , locations(Locations::linuxProfile())
    {
    }
};

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

// The item may leave its folder (the user's), but not everything in it can.
TEST_F(FileRemoverTest, FolderThatCannotBeEmptiedIsReportedAndKept)
{
    openToEveryone(tree.root());
    ::chown(QFile::encodeName(tree.root()).constData(), 65534, 65534);
    tree.file("item/locked/inner", 3);
    tree.file("item/free", 3);
    ::chown(QFile::encodeName(tree.path("item")).constData(), 65534, 65534);
    ::chown(QFile::encodeName(tree.path("item/free")).constData(), 65534, 65534);
    ::chmod(QFile::encodeName(tree.path("item/locked")).constData(), 0555);
    const QString item = tree.path("item");
    const int answer = runUnprivileged([&] {
        const RemovalResult result = FileRemover::createDefault()->removePermanently(item);
        return (result.gone ? 0 : 1) | (result.freedBytes == 3 ? 2 : 0);
    });
    EXPECT_EQ(answer, 3);
    EXPECT_TRUE(exists(tree.path("item/locked/inner")));
    EXPECT_FALSE(exists(tree.path("item/free")));
    ::chmod(QFile::encodeName(tree.path("item/locked")).constData(), 0700);
}

// The user could empty the item (0777, with the user's file) but not take
// it out of its folder, so neither mode touches it at all.
TEST_F(FileRemoverTest, AnItemThatCannotLeaveItsFolderIsRefusedWhole)
{
    constexpr uid_t user = 65534;
    TrashBelow data(tree.dir("data"));
    openToEveryone(tree.root());
    const struct {
        const char* folder;
        int mode, folderOwner, itemOwner, flag;
        const char* reason; // empty: the item may go
        RemovalReason why;
    } cases[] = {
        {"read-only", 0555, user, user, 0, "does not let this user remove entries (Permission denied)",
         RemovalReason::FolderForbids},
        {"sticky", 01777, 0, 65533, 0, "sticky", RemovalReason::StickyFolder},
        {"sticky-own", 01777, 0, user, 0, "", RemovalReason::None},
        {"append-only", 0755, user, user, FS_APPEND_FL, "append-only", RemovalReason::Immutable},
    };
    for (const auto& c : cases) {
        const QString item = tree.dir(QString(c.folder) + "/Tool.app");
        const QString binary = tree.file(QString(c.folder) + "/Tool.app/tool", 300);
        for (const auto& [path, owner, mode] : {std::tuple(tree.path("data"), user, 0700), {binary, user, 0600},
                                                {item, c.itemOwner, 0777}, {tree.path(c.folder), c.folderOwner, c.mode}}) {
            ::chown(QFile::encodeName(path).constData(), owner, owner);
            ::chmod(QFile::encodeName(path).constData(), mode_t(mode));
        }
        InodeFlag flag(tree.path(c.folder), c.flag);
        ASSERT_TRUE(c.flag == 0 || flag.set()) << "the file system must take the flag";
        const int answer = runUnprivileged([&] {
            const auto remover = FileRemover::createDefault();
            const RemovalResult trashed = remover->moveToTrash(item);
            const RemovalResult removed = remover->removePermanently(item);
            const auto refused = [&](const RemovalResult& r) {
                return !r.gone && r.freedBytes == 0 && r.failure.startsWith(item + ": ")
                    && r.failure.contains(QLatin1String(c.reason)) && r.reason == c.why;
            };
            return trashed.gone ? 0 : refused(trashed) && refused(removed) ? 1 : 2;
        });
        EXPECT_EQ(answer, *c.reason ? 1 : 0) << c.folder; // 0: trashed, 1: refused by both, freeing nothing
        EXPECT_EQ(QFileInfo(binary).isFile(), *c.reason != 0) << c.folder;
    }
}

// The Trash's files folder and its info folder are paired by the location
// map; nothing else counts as a trash.
TEST_F(FileRemoverTest, RemovingFromTheTrashAlsoRemovesItsRecord)
{
    TrashBelow data(tree.path("data"));
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

// Trashing again what the Trash holds would nest it and orphan its record.
TEST_F(FileRemoverTest, WhatTheTrashHoldsIsNotTrashedAgain)
{
    TrashBelow data(tree.path("data"));
    ScopedService<Locations> locations(Locations::linuxProfile(tree.dir("home")));
    ASSERT_TRUE(remover->moveToTrash(tree.file("docs/held2.bin", 12)).gone);
    tree.file("data/Trash/files/folder/inner", 5);
    for (const QString inside : {"files/held2.bin", "info/held2.bin.trashinfo", "files/folder/inner", "files", ""}) {
        const RemovalResult result = remover->moveToTrash(tree.path("data/Trash/" + inside));
        EXPECT_TRUE(!result.gone && result.reason == RemovalReason::AlreadyInTrash && exists(tree.path("data/Trash/" + inside)))
            << inside.toStdString() << result.failure.toStdString();
    }
    EXPECT_TRUE(remover->removePermanently(tree.path("data/Trash/files/held2.bin")).gone);
    EXPECT_FALSE(exists(tree.path("data/Trash/info/held2.bin.trashinfo")));
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
// home trash, not a "files" folder of the current directory. An empty or
// relative data home is no data home: the Trash is the default one below
// the home, where the location map finds it.
TEST_F(FileRemoverTest, MovesToTheHomeTrashCreatingItWhenMissing)
{
    ScopedEnv home("HOME", QFile::encodeName(tree.root()));
    for (const auto& [variable, dataHome] : {std::pair{tree.path("data"), tree.path("data")},
                                             {QStringLiteral("share"), tree.path(".local/share")},
                                             {QStringLiteral(""), tree.path(".local/share")}}) {
        SCOPED_TRACE(variable.toStdString());
        TrashBelow data(variable);
        const QString previousCurrent = QDir::currentPath();
        QDir::setCurrent(tree.dir("cwd"));
        const QString item = tree.file("docs/report.txt", 12);

        const bool moved = remover->moveToTrash(item).gone;
        QDir::setCurrent(previousCurrent);
        EXPECT_TRUE(moved);
        EXPECT_FALSE(exists(item));
        EXPECT_TRUE(QFileInfo(dataHome + "/Trash/files/report.txt").isFile());
        EXPECT_TRUE(exists(dataHome + "/Trash/info/report.txt.trashinfo"));
        EXPECT_FALSE(exists(tree.path("cwd/files")));
        EXPECT_FALSE(exists(tree.path("cwd/share")));
        EXPECT_FALSE(remover->moveToTrash(tree.path("docs/missing.txt")));
        QDir(dataHome + "/Trash").removeRecursively();
    }
}

// When the trash lies on another device than the item, moving fails and the
// item stays where it was: nothing is copied, nothing removed.
TEST_F(FileRemoverTest, NeverCopiesIntoATrashOnAnotherDevice)
{
    auto otherDevice = ScopedMount::tmpfs(tree.dir("other"));
    ASSERT_TRUE(otherDevice.ok()) << otherDevice.error();
    ScopedEnv home("HOME", QFile::encodeName(tree.root()));
    TrashBelow data(tree.path("other"));
    const QString item = tree.file("docs/report.txt", 12);

    EXPECT_FALSE(remover->moveToTrash(item).gone);
    EXPECT_TRUE(QFileInfo(item).isFile());
    EXPECT_FALSE(exists(tree.path("other/Trash/files/report.txt")));
    EXPECT_FALSE(exists(tree.path("other/Trash/info/report.txt.trashinfo")));
}


// ---- Staying inside the selection ------------------------------------------

// `mount --bind OUTSIDE ITEM/sub`: the same device, so only the mount id and
// the mount-root mark tell the mount apart. The item's own files go, the
// mount point and everything seen through it stay.
TEST_F(FileRemoverTest, NeverEntersOrRemovesAMountInsideTheItem)
{
    tree.file("item/own", 500);
    tree.dir("item/sub");
    tree.dir("item/tmp");
    outside.file("precious", 5000);
    auto bind = ScopedMount::bind(outside.root(), tree.path("item/sub"));
    auto tmpfs = ScopedMount::tmpfs(tree.path("item/tmp"));
    ASSERT_TRUE(bind.ok()) << bind.error();
    ASSERT_TRUE(tmpfs.ok()) << tmpfs.error();
    TempTree::writeFile(tree.path("item/tmp/volatile"), 300);

    const RemovalResult result = remover->removePermanently(tree.path("item"));
    EXPECT_FALSE(result.gone);
    EXPECT_EQ(result.freedBytes, 500) << "what did go is counted, what stayed is not";
    EXPECT_FALSE(exists(tree.path("item/own")));
    EXPECT_TRUE(QFileInfo(outside.path("precious")).isFile());
    EXPECT_TRUE(QFileInfo(tree.path("item/tmp/volatile")).isFile());
}

// Like deleting, trashing a folder that holds a mount point (another file
// system or a bind mount) leaves the folder whole where it is.
TEST_F(FileRemoverTest, AFolderHoldingAMountPointIsNotTrashed)
{
    TrashBelow data(tree.path("data"));
    tree.file("item/own", 5);
    tree.dir("item/deep/sub");
    outside.file("precious", 50);
    const QString mountPoint = tree.path("item/deep/sub");
    const int answer = velk::test::runInOwnMountNamespace([&] {
        int wrong = 0;
        for (const bool bind : {false, true}) {
            auto mount = bind ? ScopedMount::bind(outside.root(), mountPoint) : ScopedMount::tmpfs(mountPoint);
            if (!mount.ok())
                return 1;
            if (remover->moveToTrash(tree.path("item")).gone)
                wrong |= bind ? 2 : 4;
        }
        return wrong;
    });
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(QFileInfo(tree.path("item/own")).isFile());
    EXPECT_TRUE(QFileInfo(outside.path("precious")).isFile());
}

// "/", the home (the location map's and the user's) and the folders above
// it are never removed, whoever asks; a link to the home goes as a link.
TEST_F(FileRemoverTest, TheHomeAndTheFoldersAboveItAreRefused)
{
    TrashBelow data(tree.path("data"));
    const QString home = tree.dir("users/me");
    tree.file("users/me/Documents/thesis.pdf", 900);
    ScopedService<Locations> locations(Locations::linuxProfile(home));
    ScopedService<CurrentUser> user(std::make_shared<velk::test::FakeUser>(outside.dir("user/you")));
    const QString link = tree.link("to-home", home);
    for (const QString& path : {home, tree.path("users"), tree.root(), outside.path("user/you"), outside.path("user"),
                                QStringLiteral("/")}) {
        EXPECT_FALSE(remover->moveToTrash(path).gone) << path.toStdString();
        EXPECT_FALSE(remover->removePermanently(path).gone) << path.toStdString();
    }
    EXPECT_TRUE(remover->removePermanently(link).gone);
    EXPECT_TRUE(QFileInfo(tree.path("users/me/Documents/thesis.pdf")).isFile());
}

TEST_F(FileRemoverTest, AnItemThatIsAMountPointIsRefused)
{
    outside.file("precious", 5000);
    tree.dir("item");
    auto bind = ScopedMount::bind(outside.root(), tree.path("item"));
    ASSERT_TRUE(bind.ok()) << bind.error();
    TrashBelow data(tree.path("data"));

    EXPECT_FALSE(remover->removePermanently(tree.path("item")).gone);
    EXPECT_FALSE(remover->moveToTrash(tree.path("item")).gone);
    EXPECT_TRUE(QFileInfo(outside.path("precious")).isFile());
    EXPECT_TRUE(exists(tree.path("item")));
}

// Between scan and removal the item's parent folder is swapped for a link
// to another folder holding an item of the same name: every mode refuses.
TEST_F(FileRemoverTest, AParentSwappedForALinkOrAnotherObjectUnderTheNameIsRefused)
{
    TrashBelow data(tree.path("data"));
    const QString item = tree.file("parent/item", 10);
    const RemovalTarget scanned(QFile::encodeName(item), scannedIdentityOf(item));
    outside.file("item", 777);
    ASSERT_TRUE(QDir().rename(tree.path("parent"), tree.path("parent.moved")));
    tree.link("parent", outside.root());

    EXPECT_FALSE(remover->removePermanently(scanned).gone);
    EXPECT_FALSE(remover->moveToTrash(scanned).gone);
    EXPECT_FALSE(remover->removePermanently(RemovalTarget(QFile::encodeName(item))).gone)
        << "no component of the path may be a link";
    EXPECT_TRUE(QFileInfo(outside.path("item")).isFile());

    // The name back in its place, but naming another file than the one found.
    ::unlink(QFile::encodeName(tree.path("parent")).constData());
    ASSERT_TRUE(QDir().rename(tree.path("parent.moved"), tree.path("parent")));
    // (made while the old one still exists, so it cannot reuse its inode)
    ::rename(QFile::encodeName(tree.file("parent/replacement", 10)).constData(), QFile::encodeName(item).constData());
    EXPECT_FALSE(remover->removePermanently(scanned).gone);
    EXPECT_TRUE(exists(item));
    EXPECT_TRUE(remover->removePermanently(RemovalTarget(QFile::encodeName(item), scannedIdentityOf(item))).gone);
}

// A listed file is deleted and something else is made under its name; the
// new entry may get the old inode number at once. Its type, size or time
// tells it apart: every mode refuses it and leaves it whole. So does a file
// rewritten with its old size and time, and a folder made anew.
TEST_F(FileRemoverTest, AnEntryReplacedOrRewrittenSinceTheScanIsRefused)
{
    TrashBelow data(tree.path("data"));
    const QString path = tree.path("listed.bin");
    const std::function<void()> replacements[] = {
        [&] { tree.file("listed.bin/inner.bin", 5); },
        [&] { TempTree::writeFile(path, 11); },
        [&] { TempTree::writeFile(path, 10), setModified(path, 1'700'000'000, 1); },
    };
    for (const auto& replace : replacements) {
        tree.file("listed.bin", 10);
        setModified(path, 1'700'000'000, 0);
        RemovalTarget scanned(QFile::encodeName(path), scannedIdentityOf(path));
        QFile::remove(path);
        replace();
        scanned.identity->object = identityOf(path); // as a reused inode number gives it
        EXPECT_FALSE(remover->removePermanently(scanned).gone || remover->moveToTrash(scanned).gone);
        EXPECT_TRUE(exists(QFileInfo(path).isDir() ? path + "/inner.bin" : path));
        remover->removePermanently(path);
    }
    // Rewritten in place with its old size and modification time put back:
    // its status-change time, which no user can set, moved on.
    const QString rewritten = tree.file("rewritten.bin", 10);
    setModified(rewritten, 1'700'000'000, 0);
    const RemovalTarget scannedFile(QFile::encodeName(rewritten), scannedIdentityOf(rewritten));
    const QDeadlineTimer deadline(10'000);
    do {
        TempTree::writeFile(rewritten, 10);
        setModified(rewritten, 1'700'000'000, 0);
    } while (scannedIdentityOf(rewritten).changed == scannedFile.identity->changed && !deadline.hasExpired());
    EXPECT_FALSE(remover->removePermanently(scannedFile).gone || remover->moveToTrash(scannedFile).gone);
    EXPECT_TRUE(exists(rewritten));
    // A folder made anew under the name, with the old inode number: its birth
    // time tells, where the file system keeps one.
    const QString reborn = tree.dir("reborn");
    RemovalTarget scannedFolder(QFile::encodeName(reborn), scannedIdentityOf(reborn));
    if (scannedFolder.identity->born) {
        do {
            QDir().rmdir(reborn);
            QDir().mkdir(reborn);
        } while (scannedIdentityOf(reborn).born == scannedFolder.identity->born && !deadline.hasExpired());
        scannedFolder.identity->object = identityOf(reborn);
        EXPECT_FALSE(remover->removePermanently(scannedFolder).gone || remover->moveToTrash(scannedFolder).gone);
        EXPECT_TRUE(exists(reborn));
    }
    // A folder's own size and time follow what it holds: one that gained a
    // file since the scan is still the folder scanned.
    const QString cache = tree.dir("cache");
    const RemovalTarget folder(QFile::encodeName(cache), scannedIdentityOf(cache));
    tree.file("cache/new.bin", 5);
    setModified(cache, 1'800'000'000, 0);
    EXPECT_TRUE(remover->removePermanently(folder).gone);
}

// ---- The log -------------------------------------------------------------

// An item that stays is logged as a warning naming the entry that stayed
// and the system's reason, so a failure count shown to the user can be
// explained; its result carries the reason and errno the user is told.
TEST_F(FileRemoverTest, AnItemThatStaysIsLoggedWithTheEntryAndWhy)
{
    TrashBelow data(tree.path("data"));
    const QString stuck = tree.file("item/sub/stuck", 1);
    InodeFlag immutable(stuck);
    ASSERT_TRUE(immutable.set()) << "the file system must take the immutable flag";
    tree.file("data/Trash", 1); // a file where the Trash folder belongs
    const struct {
        QString target;
        bool trash;
        QString logged;
        RemovalReason reason;
        int error;
    } cases[] = {
        {tree.path("missing"), false, tree.path("missing") + ": No such file or directory", RemovalReason::SystemError, ENOENT},
        {tree.path("item"), false, stuck + ": Operation not permitted", RemovalReason::SystemError, EPERM},
        {tree.file("doc", 1), true, tree.path("data/Trash") + ": Not a directory", RemovalReason::NoTrash, ENOTDIR},
    };
    static QStringList warnings;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && QLatin1String(context.category) == QLatin1String("velk.platform.removal"))
            warnings << text;
    });
    for (const auto& c : cases) {
        warnings.clear();
        const RemovalResult result = c.trash ? remover->moveToTrash(c.target) : remover->removePermanently(c.target);
        EXPECT_FALSE(result.gone);
        EXPECT_EQ(std::pair(result.reason, result.error), std::pair(c.reason, c.error)) << c.target.toStdString();
        ASSERT_EQ(warnings.size(), 1) << c.target.toStdString();
        EXPECT_TRUE(warnings[0].contains(c.target) && warnings[0].contains(c.logged)) << warnings[0].toStdString();
    }
    warnings.clear();
    EXPECT_TRUE(remover->removePermanently(tree.file("plain", 1)).gone);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty());
}

// A disk that cannot change is the reason given: an item on a read-only
// mount stays with EROFS, deleted or trashed; a Trash that cannot be made
// because the home's disk has no free inodes fails with ENOSPC, not with the
// data folder missing.
TEST_F(FileRemoverTest, ADiskThatCannotChangeIsTheReasonGiven)
{
    const QString kept = tree.file("ro/kept", 1);
    auto readOnly = ScopedMount::readOnly(tree.path("ro"), tree.path("ro"));
    ASSERT_TRUE(readOnly.ok()) << readOnly.error();
    auto full = ScopedMount::tmpfs(tree.dir("full"), "nr_inodes=8");
    ASSERT_TRUE(full.ok()) << full.error();
    const QString item = tree.file("full/item", 1);
    for (int i = 0; i < 16 && QFile(tree.path("full/fill-" + QString::number(i))).open(QIODevice::WriteOnly); ++i) {}
    TrashBelow data(tree.path("full/share/data"));

    for (const bool trash : {false, true}) {
        const RemovalResult result = trash ? remover->moveToTrash(kept) : remover->removePermanently(kept);
        EXPECT_EQ(std::pair(result.reason, result.error), std::pair(RemovalReason::FolderForbids, EROFS)) << trash;
    }
    const RemovalResult result = remover->moveToTrash(item);
    EXPECT_EQ(std::pair(result.reason, result.error), std::pair(RemovalReason::NoTrash, ENOSPC));
    EXPECT_TRUE(exists(kept) && exists(item));
}

// ---- Freed bytes -----------------------------------------------------------

// Two links to one 2,000-byte file free it once; a file that keeps a link
// outside the item frees nothing; an immutable file stays and is not counted.
TEST_F(FileRemoverTest, FreedBytesAreTheBytesThatWentAway)
{
    const QString shared = tree.file("item/a", 2000);
    ASSERT_EQ(::link(QFile::encodeName(shared).constData(), QFile::encodeName(tree.path("item/b")).constData()), 0);
    tree.file("item/plain", 1000);
    const QString kept = outside.file("kept", 400);
    ASSERT_EQ(::link(QFile::encodeName(kept).constData(), QFile::encodeName(tree.path("item/kept")).constData()), 0);
    EXPECT_EQ(remover->removePermanently(tree.path("item")).freedBytes, 3000);
    EXPECT_TRUE(QFileInfo(kept).isFile());

    tree.file("second/free", 800);
    const QString stuck = tree.file("second/stuck", 200);
    InodeFlag immutable(stuck);
    ASSERT_TRUE(immutable.set()) << "the file system must take the immutable flag";
    const RemovalResult partial = remover->removePermanently(tree.path("second"));
    EXPECT_FALSE(partial.gone);
    EXPECT_EQ(partial.freedBytes, 800);
    EXPECT_TRUE(exists(stuck));

    EXPECT_EQ(remover->removePermanently(tree.path("second/stuck")).freedBytes, 0);
    EXPECT_EQ(remover->removePermanently(tree.path("missing")).freedBytes, 0);
}

// Trashing counts what deleting frees: hidden, package and non-UTF-8 folders
// included, two links to one file once, a file linked from outside not at all.
TEST_F(FileRemoverTest, TrashAndDeleteCountTheSameBytes)
{
    TrashBelow data(tree.path("data"));
    const QString kept = outside.file("kept", 400);
    const auto build = [&](const QString& item) {
        tree.file(item + "/.git/objects/pack", 1000);
        tree.file(item + "/tool.app/Contents/MacOS/tool", 2000);
        tree.file(item + "/note.txt", 10);
        tree.file(item + "/odd\xff/blob", 300);
        const QString shared = tree.file(item + "/a", 500);
        ::link(QFile::encodeName(shared).constData(), QFile::encodeName(tree.path(item + "/b")).constData());
        ::link(QFile::encodeName(kept).constData(), QFile::encodeName(tree.path(item + "/kept")).constData());
        return tree.path(item);
    };
    const RemovalResult trashed = remover->moveToTrash(build("trashed"));
    const RemovalResult deleted = remover->removePermanently(build("deleted"));
    EXPECT_TRUE(trashed.gone);
    EXPECT_TRUE(deleted.gone);
    EXPECT_EQ(trashed.freedBytes, 3810);
    EXPECT_EQ(deleted.freedBytes, 3810);
}

// ---- Depth -----------------------------------------------------------------

TEST_F(FileRemoverTest, RemovesAVeryDeepTreeWithoutRecursion)
{
    auto fast = ScopedMount::tmpfs(tree.dir("fast"));
    ASSERT_TRUE(fast.ok()) << fast.error();
    velk::test::DeepChain chain(tree.path("fast"), 5000, 4096);
    ASSERT_TRUE(chain.built());
    RemovalResult result;
    velk::test::runOnSmallStack(128 * 1024, [&] { result = remover->removePermanently(tree.path("fast/d")); });
    EXPECT_TRUE(result.gone);
    EXPECT_EQ(result.freedBytes, 4096);
    EXPECT_FALSE(exists(tree.path("fast/d")));
}

// ---- The Trash -------------------------------------------------------------

// A name with a line break keeps its record whole: the path is written
// percent-encoded, on one line, with the date of deletion.
TEST_F(FileRemoverTest, TrashRecordsFollowTheFreedesktopFormat)
{
    TrashBelow data(tree.path("data"));
    const QString item = tree.file("docs/two\nlines %.txt", 12);
    const RemovalResult moved = remover->moveToTrash(item);
    EXPECT_TRUE(moved.gone);
    EXPECT_EQ(moved.freedBytes, 12);
    QFile record(tree.path("data/Trash/info/two\nlines %.txt.trashinfo"));
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = record.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "[Trash Info]");
    EXPECT_EQ(lines[1], "Path=" + QFile::encodeName(tree.path("docs/")) + "two%0Alines%20%25.txt");
    EXPECT_TRUE(lines[2].startsWith("DeletionDate=20")) << lines[2].toStdString();
    EXPECT_EQ(lines[2].size(), 13 + 19);

    // A second item of the same name gets a name of its own.
    tree.file("docs/two\nlines %.txt", 5);
    EXPECT_TRUE(remover->moveToTrash(item).gone);
    EXPECT_TRUE(QFileInfo(tree.path("data/Trash/files/two\nlines %.txt.2")).isFile());
    EXPECT_TRUE(exists(tree.path("data/Trash/info/two\nlines %.txt.2.trashinfo")));
    EXPECT_EQ(QFileInfo(tree.path("data/Trash/files/two\nlines %.txt")).size(), 12);
}

// Names of 246 to 255 bytes are shortened in the Trash (never inside a character)
// so that their records' names fit; records keep the whole path, names stay unique.
TEST_F(FileRemoverTest, ItemsWithLongNamesAreTrashedUnderShortenedNames)
{
    TrashBelow data(tree.path("data"));
    for (const QByteArray& name : {QByteArray(255, 'a'), QByteArray("b") + QString(82, QChar(0x6587)).toUtf8()}) {
        const QString path = tree.path("docs/" + QFile::decodeName(name));
        for (int copy = 0; copy < 2; ++copy) {
            tree.file("docs/" + QFile::decodeName(name), 7);
            ASSERT_TRUE(remover->moveToTrash(path).gone) << name.size();
        }
    }
    const QStringList files = QDir(tree.path("data/Trash/files")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 4);
    for (const QString& file : files) {
        EXPECT_LE(QFile::encodeName(file).size(), 245);
        EXPECT_FALSE(file.contains(QChar::ReplacementCharacter));
        QFile record(tree.path("data/Trash/info/" + file + ".trashinfo"));
        ASSERT_TRUE(record.open(QIODevice::ReadOnly)) << file.toStdString();
        EXPECT_TRUE(record.readAll().contains(file.startsWith(u'a') ? "/" + QByteArray(255, 'a') + "\n"
                                                                      : "/b%E6%96%87"));
    }
}

// Another item renamed into the item's name after the item was measured and
// before it moved (a folder and a file): what moved is not what was
// measured, so it goes back under its name, the item chosen stays where it
// was moved to, and nothing counts as freed.
TEST_F(FileRemoverTest, AnItemSwappedInWhileTrashingIsPutBackAndRefused)
{
    const QByteArray dataHome = QFile::encodeName(tree.dir("data"));
    for (const QString kind : {"folder", "file"}) {
        const QString chosen = tree.path(kind + "/chosen"), other = tree.path(kind + "/other");
        tree.file(kind == "folder" ? kind + "/chosen/inner" : kind + "/chosen", 100);
        tree.file(kind == "folder" ? kind + "/other/inner" : kind + "/other", 7);
        const auto swap = [&] {
            QFile::rename(chosen, chosen + ".moved");
            QFile::rename(other, chosen);
        };
        const RemovalResult result = removal::moveToTrash(RemovalTarget(QFile::encodeName(chosen), scannedIdentityOf(chosen)),
                                                          dataHome, {}, swap);
        EXPECT_FALSE(result.gone) << kind.toStdString();
        EXPECT_EQ(result.freedBytes, 0) << kind.toStdString();
        EXPECT_TRUE(result.failure.contains("took its name")) << result.failure.toStdString();
        EXPECT_EQ(result.reason, RemovalReason::NotAsScanned);
        EXPECT_EQ(QFileInfo(kind == "folder" ? chosen + "/inner" : chosen).size(), 7) << kind.toStdString();
        EXPECT_TRUE(exists(chosen + ".moved"));
        EXPECT_TRUE(QDir(tree.path("data/Trash/files")).isEmpty() && QDir(tree.path("data/Trash/info")).isEmpty());
    }
}

// A home trash that is a link counts as absent: nothing moves through it,
// and the item stays where it is.
TEST_F(FileRemoverTest, AHomeTrashThatIsALinkCountsAsAbsent)
{
    TrashBelow data(tree.path("data"));
    tree.link("data/Trash", outside.dir("elsewhere"));
    const QString item = tree.file("docs/report.txt", 12);
    EXPECT_FALSE(remover->moveToTrash(item).gone);
    EXPECT_TRUE(QFileInfo(item).isFile());
    EXPECT_TRUE(QDir(outside.path("elsewhere")).isEmpty());
}

} // namespace
