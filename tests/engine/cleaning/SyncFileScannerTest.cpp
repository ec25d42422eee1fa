#include "engine/cleaning/FullDiskAccess.h"
#include "engine/cleaning/SyncFileScanner.h"
#include "platform/FullDiskAccessProbe.h"
#include "platform/ServiceRegistry.h"
#include "support/TempTree.h"

#include <QMap>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using velk::FileItem;
using velk::SyncFileScanner;
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
    if (geteuid() != 0) {
        tree.file("locked/inner", 4);
        ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0);
        EXPECT_TRUE(SyncFileScanner::directorySizeScanned(tree.path("locked")).isEmpty());
        EXPECT_EQ(SyncFileScanner::dirSizePublic(tree.path("locked")), 0);
        ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0700);
    }
}

class FixedProbe final : public velk::platform::FullDiskAccessProbe {
public:
    explicit FixedProbe(bool granted) : m_granted(granted) {}
    bool isGranted() const override
    {
        ++asked;
        return m_granted;
    }
    mutable int asked = 0;

private:
    bool m_granted;
};

TEST(FullDiskAccess, AsksTheProbeAtEveryRead)
{
    using velk::platform::ScopedService;
    {
        ScopedService<velk::platform::FullDiskAccessProbe> denied(std::make_shared<FixedProbe>(false));
        EXPECT_FALSE(velk::FullDiskAccess::isGranted());
    }
    auto granted = std::make_shared<FixedProbe>(true);
    ScopedService<velk::platform::FullDiskAccessProbe> scope(granted);
    EXPECT_TRUE(velk::FullDiskAccess::isGranted());
    EXPECT_TRUE(velk::FullDiskAccess::isGranted());
    EXPECT_EQ(granted->asked, 2);
}

} // namespace
