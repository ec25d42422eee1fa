#include "platform/files/DirectoryWalker.h"
#include "support/DeepChain.h"
#include "support/DescriptorLimit.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

using namespace velk::platform::core;
using namespace velk::platform::files;
using velk::test::DescriptorLimit;
using velk::test::openToEveryone;
using velk::test::runUnprivileged;
using velk::test::ScopedMount;
using velk::test::TempTree;

namespace {

// Relative path -> entry, for every entry a walk yields.
QMap<QString, WalkEntry> walkAll(const TempTree& tree, const WalkOptions& options = {})
{
    QMap<QString, WalkEntry> seen;
    walkDirectory(tree.root(), options, [&](const WalkEntry& entry) {
        seen.insert(QDir(tree.root()).relativeFilePath(entry.path), entry);
        return WalkAction::Continue;
    });
    return seen;
}

// A tree with one of everything the walk treats specially; the outside
// folder holds the targets of its links.
struct MixedTree {
    TempTree tree;
    TempTree outside;
    MixedTree()
    {
        tree.file("plain.txt", 10);
        tree.file("sub/deeper/nested.bin", 200);
        tree.file(".hidden", 5);
        tree.file(".cache/inside.bin", 7);
        tree.file("Tool.app/Contents/MacOS/tool", 3000);
        tree.file("Kit.FRAMEWORK/lib", 40);
        tree.file("notes.app", 6); // a file with a package extension is a plain file
        tree.file("empty.txt", 0);
        tree.link("to-file", outside.file("target.bin", 1000));
        tree.link("to-folder", outside.dir("big"));
        outside.file("big/data", 50000);
    }
};

TEST(DirectoryWalker, SizesRegularFilesOnlySkippingHiddenPackagesAndLinks)
{
    MixedTree t;
    std::uint64_t entries = 0;
    // plain 10 + nested 200 + notes.app 6; not the hidden, packaged or linked bytes.
    EXPECT_EQ(regularFileBytes(t.tree.root(), &entries), 216);
    // plain, sub, deeper, nested, Tool.app, Kit.FRAMEWORK, notes.app, empty, two links.
    EXPECT_EQ(entries, 10u);
    EXPECT_EQ(regularFileBytes(t.tree.path("Tool.app")), 3000) << "a package itself is sized in full";
}

TEST(DirectoryWalker, SizeOfMissingOrNonFolderRootIsZero)
{
    TempTree tree;
    std::uint64_t entries = 99;
    EXPECT_EQ(regularFileBytes(tree.path("missing"), &entries), 0);
    EXPECT_EQ(entries, 0u);
    EXPECT_EQ(regularFileBytes(tree.file("file", 12)), 0);
    EXPECT_EQ(regularFileBytes(tree.dir("empty")), 0);
}

TEST(DirectoryWalker, RootThatIsALinkToAFolderIsWalkedButLinksBelowAreNot)
{
    TempTree tree;
    tree.file("real/a", 4);
    tree.link("real/loop", tree.path("real"));
    tree.link("alias", tree.path("real"));
    EXPECT_EQ(regularFileBytes(tree.path("alias")), 4);
}

TEST(DirectoryWalker, YieldsKindsDepthsAndPackagesWithoutEnteringThem)
{
    MixedTree t;
    const auto seen = walkAll(t.tree);
    EXPECT_EQ(seen.keys(), (QList<QString>{"Kit.FRAMEWORK", "Tool.app", "empty.txt", "notes.app", "plain.txt",
                                           "sub", "sub/deeper", "sub/deeper/nested.bin", "to-file", "to-folder"}));
    EXPECT_EQ(seen["plain.txt"].kind, EntryKind::File);
    EXPECT_EQ(seen["plain.txt"].size, 10);
    EXPECT_EQ(seen["plain.txt"].name, QStringLiteral("plain.txt"));
    EXPECT_TRUE(seen["plain.txt"].modifiedMs.has_value());
    EXPECT_EQ(seen["sub"].kind, EntryKind::Directory);
    EXPECT_EQ(seen["sub"].size, 0);
    EXPECT_EQ(seen["sub"].depth, 1);
    EXPECT_EQ(seen["sub/deeper/nested.bin"].depth, 3);
    EXPECT_EQ(seen["to-file"].kind, EntryKind::Symlink);
    EXPECT_EQ(seen["to-folder"].kind, EntryKind::Symlink);
    EXPECT_TRUE(seen["Tool.app"].isPackage);
    EXPECT_TRUE(seen["Kit.FRAMEWORK"].isPackage);
    EXPECT_FALSE(seen["notes.app"].isPackage);
    EXPECT_EQ(seen["sub/deeper/nested.bin"].path, t.tree.path("sub/deeper/nested.bin"));
}

TEST(DirectoryWalker, OptionsRevealHiddenEntriesAndPackageContentsAndLimitDepth)
{
    MixedTree t;
    WalkOptions everything;
    everything.skipHidden = false;
    everything.skipPackageDescendants = false;
    const auto all = walkAll(t.tree, everything);
    EXPECT_TRUE(all.contains(".hidden"));
    EXPECT_TRUE(all.contains(".cache/inside.bin"));
    EXPECT_TRUE(all.contains("Tool.app/Contents/MacOS/tool"));
    EXPECT_FALSE(all.contains("to-folder/data"));

    WalkOptions shallow;
    shallow.maxDepth = 1;
    const auto top = walkAll(t.tree, shallow);
    EXPECT_TRUE(top.contains("sub"));
    EXPECT_FALSE(top.contains("sub/deeper"));
}

TEST(DirectoryWalker, VisitorCanSkipAFolderOrStopAndACancelFlagStops)
{
    TempTree tree;
    tree.file("skip/inner", 1);
    tree.file("keep/inner", 1);
    QStringList seen;
    walkDirectory(tree.root(), {}, [&](const WalkEntry& entry) {
        seen << QDir(tree.root()).relativeFilePath(entry.path);
        return entry.name == QLatin1String("skip") ? WalkAction::SkipChildren : WalkAction::Continue;
    });
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"keep", "keep/inner", "skip"}));

    int visits = 0;
    walkDirectory(tree.root(), {}, [&](const WalkEntry&) {
        ++visits;
        return WalkAction::Stop;
    });
    EXPECT_EQ(visits, 1);

    std::atomic_bool cancel{true};
    WalkOptions cancelled;
    cancelled.cancel = &cancel;
    visits = 0;
    walkDirectory(tree.root(), cancelled, [&](const WalkEntry&) {
        ++visits;
        return WalkAction::Continue;
    });
    EXPECT_EQ(visits, 0);
}

TEST(DirectoryWalker, UnreadableFolderIsPassedOverAndTheWalkReportedIncomplete)
{
    TempTree tree;
    openToEveryone(tree.root());
    tree.file("open/a", 3);
    tree.file("locked/b", 40);
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0);
    const QByteArray root = QFile::encodeName(tree.root());
    // 1: the size skipped the locked folder; 2: and the walk said so.
    const int answer = runUnprivileged([&] {
        const FolderTotal total = folderTotal(root);
        return (total.bytes == 3 ? 1 : 0) | (total.complete ? 0 : 2);
    });
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0700);
    EXPECT_EQ(answer, 3);
    EXPECT_TRUE(folderTotal(root).complete);
}

// A walk names the first place it could not read and the system's reason: a
// folder it could not open, the root included, or an entry of a folder it
// may list but not search.
TEST(DirectoryWalker, NamesTheFirstPlaceItCouldNotReadAndWhy)
{
    TempTree tree;
    openToEveryone(tree.root());
    tree.file("open/a", 1);
    tree.file("one/locked/b", 1);
    tree.file("unsearchable/c", 1);
    ::chmod(QFile::encodeName(tree.path("one/locked")).constData(), 0);
    ::chmod(QFile::encodeName(tree.path("unsearchable")).constData(), 0444);
    const auto failedAt = [&](const QString& root, const QString& place) {
        const WalkResult walked = walkDirectory(root, {}, [](const WalkEntry&) { return WalkAction::Continue; });
        return walked.failure && walked.failure->error == EACCES
            && walked.failure->path == QFile::encodeName(tree.path(place)).toStdString();
    };
    const int answer = runUnprivileged([&] {
        const bool clean = !walkDirectory(tree.path("open"), {}, [](const WalkEntry&) {
                                return WalkAction::Continue;
                            }).failure;
        return (clean ? 1 : 0) | (failedAt(tree.path("one"), "one/locked") ? 2 : 0)
            | (failedAt(tree.path("one/locked"), "one/locked") ? 4 : 0)
            | (failedAt(tree.path("unsearchable"), "unsearchable/c") ? 8 : 0);
    });
    ::chmod(QFile::encodeName(tree.path("one/locked")).constData(), 0700);
    ::chmod(QFile::encodeName(tree.path("unsearchable")).constData(), 0755);
    EXPECT_EQ(answer, 15);
}

// Short of descriptors, the walk gives up those of shallower folders and
// opens them again later, so the tree is still walked whole; with a single
// descriptor it cannot descend at all and says so.
TEST(DirectoryWalker, FewDescriptorsStillWalkTheWholeTreeOrReportIncomplete)
{
    TempTree tree;
    tree.file("deep/a/b/c/d/far", 1000);
    tree.file("deep/a/b/c/d2/other", 1);
    tree.file("deep/a/side", 7);
    tree.file("top", 100);
    tree.file("near/file", 10);
    const QByteArray root = QFile::encodeName(tree.root());

    FolderTotal withTwo;
    FolderTotal withOne;
    {
        DescriptorLimit limit(2);
        withTwo = folderTotal(root);
    }
    {
        DescriptorLimit limit(1);
        withOne = folderTotal(root);
    }
    EXPECT_EQ(withTwo.bytes, 1118);
    EXPECT_TRUE(withTwo.complete);
    EXPECT_EQ(withOne.bytes, 100);
    EXPECT_FALSE(withOne.complete);
}

// Deeper than the descriptor budget and the process's descriptor limit
// allow, and on a stack far too small for a recursion that deep: the
// deepest file is still found.
TEST(DirectoryWalker, WalksAVeryDeepTreeWholeWithoutRecursion)
{
    TempTree tree;
    // On a tmpfs of its own: some disk file systems take milliseconds per
    // folder removal, which the clean-up of thousands would add up.
    auto fast = ScopedMount::tmpfs(tree.root());
    ASSERT_TRUE(fast.ok()) << fast.error();
    velk::test::DeepChain chain(tree.root(), 5000, 4096);
    ASSERT_TRUE(chain.built());
    FolderTotal total;
    int deepest = 0;
    WalkResult walked;
    velk::test::runOnSmallStack(128 * 1024, [&] {
        DescriptorLimit limit(64);
        total = folderTotal(QFile::encodeName(tree.root()));
        walked = walkDirectory(tree.root(), {}, [&](const WalkEntry& entry) {
            if (entry.name == QLatin1String("leaf"))
                deepest = entry.depth;
            return WalkAction::Continue;
        });
    });
    EXPECT_EQ(total.bytes, 4096);
    EXPECT_EQ(total.entries, 5001u);
    EXPECT_TRUE(total.complete);
    EXPECT_EQ(deepest, 5001);
    EXPECT_TRUE(walked.complete);
}

// A bind mount of a folder of the same file system inside the tree: same
// device, so only the mount id and the mount-root mark tell it apart.
TEST(DirectoryWalker, NeverEntersAMountBindMountsIncluded)
{
    TempTree tree;
    TempTree outside;
    tree.file("own", 10);
    tree.dir("item/sub");
    tree.dir("item/tmp");
    outside.file("precious", 5000);
    {
        auto bind = ScopedMount::bind(outside.root(), tree.path("item/sub"));
        auto tmpfs = ScopedMount::tmpfs(tree.path("item/tmp"));
        ASSERT_TRUE(bind.ok()) << bind.error();
        ASSERT_TRUE(tmpfs.ok()) << tmpfs.error();
        TempTree::writeFile(tree.path("item/tmp/volatile"), 700);

        EXPECT_EQ(regularFileBytes(tree.root()), 10);
        const auto seen = walkAll(tree);
        EXPECT_TRUE(seen.contains("item/sub"));
        EXPECT_TRUE(seen["item/sub"].isMountPoint);
        EXPECT_TRUE(seen["item/tmp"].isMountPoint);
        EXPECT_FALSE(seen["own"].isMountPoint);
        EXPECT_FALSE(seen.contains("item/sub/precious"));
        EXPECT_FALSE(seen.contains("item/tmp/volatile"));
        // The mount itself may be walked when it is the root.
        EXPECT_EQ(regularFileBytes(tree.path("item/sub")), 5000);
    }
}

// A name that is not UTF-8 reaches the visitor byte for byte, and a folder
// so named is walked like any other.
TEST(DirectoryWalker, NamesThatAreNotUtf8KeepTheirBytes)
{
    TempTree tree;
    const QByteArray root = QFile::encodeName(tree.root());
    const QByteArray folder = root + "/dir\xff";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const int fd = ::open((folder + "/report\xfe").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "12345", 5), 5);
    ::close(fd);

    EXPECT_EQ(folderTotal(folder).bytes, 5);
    QList<QByteArray> native;
    walkDirectory(root, {}, [&](const WalkEntry& entry) {
        native << QByteArray(entry.nativePath.data(), static_cast<qsizetype>(entry.nativePath.size()));
        return WalkAction::Continue;
    });
    EXPECT_EQ(native, (QList<QByteArray>{folder, folder + "/report\xfe"}));
    ::unlink(folder + "/report\xfe");
    ::rmdir(folder);
}

TEST(DirectoryWalker, RootOnAKernelPseudoFileSystemYieldsNothing)
{
    int seen = 0;
    const WalkResult result = walkDirectory(QStringLiteral("/proc/self"), {}, [&](const WalkEntry&) {
        ++seen;
        return WalkAction::Continue;
    });
    EXPECT_EQ(seen, 0);
    EXPECT_FALSE(result.complete);
}

TEST(PackageNames, KnownExtensionsInAnyCase)
{
    for (const char* name : {"Tool.app", "X.bundle", "Y.framework", "Z.plugin", "d.kext", "e.appex", "f.xpc",
                             "TOOL.APP", "Mixed.FrameWork"}) {
        EXPECT_TRUE(isPackageName(QString::fromLatin1(name))) << name;
        EXPECT_TRUE(isPackageNameUtf8(name)) << name;
    }
    for (const char* name : {"app", ".app", "Tool.apps", "Tool.ap", "Tool.app.zip", "Tool.", "Tool"}) {
        EXPECT_FALSE(isPackageName(QString::fromLatin1(name))) << name;
        EXPECT_FALSE(isPackageNameUtf8(name)) << name;
    }
    EXPECT_TRUE(isPackageName(QStringLiteral("工具.app")));
    EXPECT_TRUE(isPackageNameUtf8(QStringLiteral("工具.APP").toUtf8().toStdString()));
}

} // namespace

namespace {

// Lists "/" only: every other folder is skipped, so the walk can reach no
// further than the pseudo file systems it must leave alone.
TEST(DirectoryWalker, WalkFromFileSystemRootLeavesPseudoFileSystemsAlone)
{
    WalkOptions options;
    options.maxDepth = 2;
    QStringList entered;
    walkDirectory(QStringLiteral("/"), options, [&](const WalkEntry& entry) {
        if (entry.depth == 2)
            entered << entry.path;
        static const QStringList pseudo{"proc", "sys", "dev", "run"};
        return pseudo.contains(entry.name.toString()) ? WalkAction::Continue : WalkAction::SkipChildren;
    });
    EXPECT_TRUE(entered.isEmpty()) << entered.first().toStdString();
}

} // namespace
