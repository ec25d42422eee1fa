#include "engine/cleaning/FullDiskAccess.h"
#include "engine/cleaning/SyncFileScanner.h"
#include "platform/desktop/FullDiskAccessProbe.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeFullDiskAccessProbe.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QMap>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using velk::cleaning::FileItem;
using velk::cleaning::SyncFileScanner;
using velk::test::openToEveryone;
using velk::test::runUnprivileged;
using velk::test::TempTree;

namespace {

TEST(SyncFileScanner, SizesOnlyVisibleRegularFilesOutsidePackages)
{
    TempTree tree;
    TempTree outside;
    tree.file("ten.bin", 10);
    tree.link("link.bin", outside.file("thousand.bin", 1000));
    tree.file(".hidden", 5);
    tree.file("Viewer.app/Contents/Resources/big", 4096);
    tree.file("lib/Helper.bundle/code", 300);
    tree.file("lib/real.so", 30);
    EXPECT_EQ(SyncFileScanner::dirSizePublic(tree.root()), 40);
    EXPECT_EQ(SyncFileScanner::appSize(tree.path("Viewer.app")), 4096);
    EXPECT_EQ(SyncFileScanner::dirSizePublic(tree.path("missing")), 0);
}

TEST(SyncFileScanner, ListsNonEmptyVisibleChildrenSelectedInListingOrder)
{
    TempTree tree;
    TempTree outside;
    tree.file("report.pdf", 120);
    tree.file("cache/a/b", 70);
    tree.file("cache/.dot", 9);
    tree.file("Viewer.app/Contents/big", 4096);
    tree.file("zero.bin", 0);
    tree.dir("empty");
    tree.file("only-hidden/.x", 3);
    tree.file("only-package/P.plugin/p", 3);
    tree.file(".hidden-child", 8);
    tree.link("to-file", outside.file("t", 500));
    tree.link("to-folder", outside.dir("d"));
    outside.file("d/inner", 500);

    const QList<FileItem> items = SyncFileScanner::directorySizeScanned(tree.root());
    QMap<QString, const FileItem*> byName;
    for (const FileItem& item : items) {
        byName.insert(item.name, &item);
        EXPECT_TRUE(item.isSelected);
        EXPECT_TRUE(item.modificationDate.has_value());
    }
    EXPECT_EQ(byName.keys(), (QList<QString>{"Viewer.app", "cache", "report.pdf"}));
    EXPECT_EQ(byName["report.pdf"]->size, 120);
    EXPECT_EQ(byName["report.pdf"]->itemType, FileItem::ItemType::File);
    EXPECT_EQ(byName["report.pdf"]->path, tree.path("report.pdf"));
    EXPECT_EQ(byName["cache"]->size, 70);
    EXPECT_EQ(byName["cache"]->itemType, FileItem::ItemType::Directory);
    EXPECT_EQ(byName["Viewer.app"]->size, 4096) << "a listed package is sized in full";

    // Unsorted: the order of the listing itself.
    QStringList order;
    for (const FileItem& item : items)
        order << item.name;
    QStringList listed = QDir(tree.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Unsorted);
    listed.removeIf([&](const QString& name) { return !order.contains(name); });
    EXPECT_EQ(order, listed);
}

TEST(SyncFileScanner, MissingOrUnreadableFolderListsAsEmpty)
{
    TempTree tree;
    EXPECT_TRUE(SyncFileScanner::directorySizeScanned(tree.path("missing")).isEmpty());
    EXPECT_TRUE(SyncFileScanner::directorySizeScanned(tree.file("plain", 4)).isEmpty());
    openToEveryone(tree.root());
    tree.file("locked/inner", 4);
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0);
    const QString locked = tree.path("locked");
    const int answer = runUnprivileged([&] {
        return (SyncFileScanner::directorySizeScanned(locked).isEmpty() ? 1 : 0)
            | (SyncFileScanner::dirSizePublic(locked) == 0 ? 2 : 0);
    });
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0700);
    EXPECT_EQ(answer, 3);
}

// Names need not be UTF-8: a folder so named is sized in full, and each
// item keeps the bytes it was found under and the identity of what it found.
TEST(SyncFileScanner, ItemsKeepTheNativeBytesAndIdentityOfWhatWasFound)
{
    TempTree tree;
    const QByteArray root = QFile::encodeName(tree.root());
    ASSERT_EQ(::mkdir(root + "/cache\xff", 0755), 0);
    for (const QByteArray& name : {QByteArray("/cache\xff/blob"), QByteArray("/report\xff")}) {
        const int fd = ::open(root + name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "0123456789", 10), 10);
        ::close(fd);
    }
    tree.file("report\xef\xbf\xbd", 3); // what the lossy display name would re-encode to

    const QList<FileItem> items = SyncFileScanner::directorySizeScanned(tree.root());
    ASSERT_EQ(items.size(), 3);
    const auto find = [&](const QByteArray& path) {
        for (const FileItem& item : items) {
            if (item.nativePath == path)
                return item;
        }
        ADD_FAILURE() << "no item for " << path.toStdString();
        return items.first();
    };
    EXPECT_EQ(find(root + "/cache\xff").size, 10);
    EXPECT_EQ(find(root + "/report\xff").size, 10);
    EXPECT_EQ(find(root + "/report\xef\xbf\xbd").size, 3);
    EXPECT_EQ(find(root + "/report\xff").fileSystemPath(), root + "/report\xff");

    struct stat st;
    ASSERT_EQ(::lstat(root + "/report\xff", &st), 0);
    const auto identity = find(root + "/report\xff").identity;
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identity->object.inode, st.st_ino);
    EXPECT_EQ(identity->object.device, st.st_dev);
    // The temporary folder's own clean-up cannot spell these names.
    ::unlink(root + "/cache\xff/blob");
    ::rmdir(root + "/cache\xff");
    ::unlink(root + "/report\xff");
}

TEST(FullDiskAccess, AsksTheProbeAtEveryRead)
{
    using velk::platform::core::ScopedService;
    {
        ScopedService<velk::platform::desktop::FullDiskAccessProbe> denied(std::make_shared<velk::test::FakeFullDiskAccessProbe>(false));
        EXPECT_FALSE(velk::cleaning::FullDiskAccess::isGranted());
    }
    auto granted = std::make_shared<velk::test::FakeFullDiskAccessProbe>(true);
    ScopedService<velk::platform::desktop::FullDiskAccessProbe> scope(granted);
    EXPECT_TRUE(velk::cleaning::FullDiskAccess::isGranted());
    EXPECT_TRUE(velk::cleaning::FullDiskAccess::isGranted());
    EXPECT_EQ(granted->asked(), 2);
}

} // namespace
