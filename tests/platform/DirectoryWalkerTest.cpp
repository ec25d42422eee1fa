#include "platform/DirectoryWalker.h"
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

using namespace velk::platform;
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

TEST(DirectoryWalker, UnreadableFolderIsPassedOverByPermission)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; see the descriptor-limit test";
    TempTree tree;
    tree.file("open/a", 3);
    tree.file("locked/b", 40);
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0);
    EXPECT_EQ(regularFileBytes(tree.root()), 3);
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0700);
}

// Folders the walk cannot open (here: no descriptor left) are passed over
// and the walk goes on with their siblings. Works for every user.
TEST(DirectoryWalker, FolderThatCannotBeOpenedIsPassedOver)
{
    TempTree tree;
    tree.file("deep/a/b/c/d/far", 1000);
    tree.file("top", 100);
    tree.file("near/file", 10);
    const QByteArray root = QFile::encodeName(tree.root());

    // Fill every free descriptor number below the next one, so the limit
    // below leaves exactly three descriptors to the walk.
    std::vector<int> fillers;
    for (;;) {
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        fillers.push_back(fd);
        bool nextThreeFree = true;
        for (int next = fd + 1; next <= fd + 3; ++next)
            nextThreeFree = nextThreeFree && fcntl(next, F_GETFD) == -1 && errno == EBADF;
        if (nextThreeFree)
            break;
    }
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &previous), 0);
    rlimit tight = previous;
    tight.rlim_cur = static_cast<rlim_t>(fillers.back() + 1 + 3);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);

    // root, deep, a: three descriptors; b cannot be opened.
    const std::int64_t size = regularFileBytes(tree.root());

    setrlimit(RLIMIT_NOFILE, &previous);
    for (int fd : fillers)
        ::close(fd);
    EXPECT_EQ(size, 110);
    EXPECT_EQ(regularFileBytes(tree.root()), 1110);
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
