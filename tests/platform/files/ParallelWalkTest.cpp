#include "platform/files/ParallelWalk.h"
#include "support/DeepChain.h"
#include "support/DescriptorLimit.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"
#include "support/ThreadCount.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

using namespace velk::platform::core;
using namespace velk::platform::files;
using velk::test::DescriptorLimit;
using velk::test::ScopedMount;
using velk::test::TempTree;
using velk::test::threadCount;
using velk::test::threadCountSettledAt;

namespace {

// Whether a walked entry's scanned identity (every time included) is that of
// the entry as it is now.
bool knownAgain(const WalkEntry& entry)
{
    const auto now = readAttributes(AT_FDCWD, std::string(entry.nativePath).c_str());
    return now && isAsScanned(*now, scannedIdentity(entry));
}

// Enough folders and files that the walk outgrows its first thread, with
// every kind of entry the rules speak of.
void buildMixedTree(const TempTree& tree)
{
    for (int a = 0; a < 12; ++a) {
        for (int b = 0; b < 10; ++b) {
            const QString folder = QString("top%1/mid%2/").arg(a).arg(b);
            for (int f = 0; f < 30; ++f)
                tree.file(folder + QString("f%1").arg(f), a * 100 + b * 10 + f);
            tree.file(folder + ".hidden/inside", 1'000'000);
            tree.file(folder + ".dotfile", 500'000);
        }
        tree.file(QString("top%1/Tool%1.app/Contents/binary").arg(a), 70'000);
        tree.link(QString("top%1/link-to-folder").arg(a), tree.path("top0"));
        tree.link(QString("top%1/link-to-file").arg(a), tree.path("top0/mid0/f1"));
        tree.link(QString("top%1/dangling").arg(a), tree.path("nowhere"));
    }
    ::mkfifo(QFile::encodeName(tree.path("top3/pipe")).constData(), 0644);
}

void expectSameTotals(const FolderTotal& parallel, const FolderTotal& sequential)
{
    EXPECT_EQ(parallel.bytes, sequential.bytes);
    EXPECT_EQ(parallel.entries, sequential.entries);
    EXPECT_EQ(parallel.complete, sequential.complete);
}

TEST(ParallelWalk, GivesTheSequentialWalksTotalsWithEveryRuleKept)
{
    TempTree tree;
    buildMixedTree(tree);
    const QByteArray root = QFile::encodeName(tree.root());
    const FolderTotal sequential = folderTotal(root);
    ASSERT_GT(sequential.entries, parallelwalk::kSoloEntries);
    ASSERT_TRUE(sequential.complete);
    for (int run = 0; run < 3; ++run)
        expectSameTotals(parallelFolderTotal(root), sequential);
    // A package given as the root is sized in full; a missing root is 0.
    const QByteArray package = QFile::encodeName(tree.path("top2/Tool2.app"));
    EXPECT_EQ(parallelFolderTotal(package).bytes, 70'000);
    const FolderTotal missing = parallelFolderTotal(QFile::encodeName(tree.path("missing")));
    EXPECT_EQ(missing.bytes, 0);
    EXPECT_FALSE(missing.complete);
}

TEST(ParallelWalk, SizesSeveralRootsTogetherEachOnItsOwn)
{
    TempTree tree;
    buildMixedTree(tree);
    std::vector<QByteArray> roots;
    for (int a = 0; a < 12; ++a)
        roots.push_back(QFile::encodeName(tree.path(QString("top%1").arg(a))));
    roots.push_back(QFile::encodeName(tree.path("missing")));
    const std::vector<FolderTotal> totals = parallelFolderTotals(roots);
    ASSERT_EQ(totals.size(), roots.size());
    for (std::size_t i = 0; i < roots.size(); ++i)
        expectSameTotals(totals[i], folderTotal(roots[i]));
}

TEST(ParallelWalk, PassesOverUnreadableFoldersAsTheSequentialWalkDoes)
{
    TempTree tree;
    buildMixedTree(tree);
    tree.file("top5/locked/secret", 123);
    ::chmod(QFile::encodeName(tree.path("top5/locked")).constData(), 0700);
    velk::test::openToEveryone(tree.root());
    const QByteArray root = QFile::encodeName(tree.root());
    // As a user who may not read the locked folder.
    const int answer = velk::test::runUnprivileged([&] {
        const FolderTotal sequential = folderTotal(root);
        const FolderTotal parallel = parallelFolderTotal(root);
        const bool same = parallel.bytes == sequential.bytes && parallel.entries == sequential.entries;
        return (same ? 1 : 0) | (!parallel.complete && !sequential.complete ? 2 : 0);
    });
    EXPECT_EQ(answer, 3);
}

TEST(ParallelWalk, NeverEntersABindMount)
{
    TempTree tree;
    TempTree outside;
    buildMixedTree(tree);
    outside.file("big", 9'000'000);
    tree.dir("top1/mid1/mounted");
    auto mount = ScopedMount::bind(outside.root(), tree.path("top1/mid1/mounted"));
    ASSERT_TRUE(mount.ok()) << mount.error();
    const QByteArray root = QFile::encodeName(tree.root());
    const FolderTotal sequential = folderTotal(root);
    expectSameTotals(parallelFolderTotal(root), sequential);
    EXPECT_LT(parallelFolderTotal(root).bytes, 9'000'000);
}

TEST(ParallelWalk, WalksAVeryDeepChainExactlyUnderALowDescriptorLimit)
{
    TempTree tree;
    auto fast = ScopedMount::tmpfs(tree.root());
    ASSERT_TRUE(fast.ok()) << fast.error();
    velk::test::DeepChain chain(tree.root(), 5000, 4096);
    ASSERT_TRUE(chain.built());
    FolderTotal total;
    {
        DescriptorLimit limit(64);
        total = parallelFolderTotal(QFile::encodeName(tree.root()));
    }
    EXPECT_EQ(total.bytes, 4096);
    EXPECT_EQ(total.entries, 5001u);
    EXPECT_TRUE(total.complete);
}

TEST(ParallelWalk, AWideTreeStaysExactWhenDescriptorsAreShort)
{
    TempTree tree;
    buildMixedTree(tree);
    const QByteArray root = QFile::encodeName(tree.root());
    const FolderTotal sequential = folderTotal(root);
    DescriptorLimit limit(300);
    ASSERT_GT(parallelwalk::maxThreads(), 1u);
    expectSameTotals(parallelFolderTotal(root), sequential);
}

TEST(ParallelWalk, VisitsEveryEntryOfTheSequentialWalkOnce)
{
    TempTree tree;
    buildMixedTree(tree);
    const QByteArray root = QFile::encodeName(tree.root());
    QSet<QString> sequential;
    walkDirectory(root, {}, [&](const WalkEntry& e) {
        sequential.insert(e.path + QString::number(e.size) + (e.isPackage ? "P" : ""));
        EXPECT_TRUE(knownAgain(e)) << e.path.toStdString();
        return WalkAction::Continue;
    });
    std::mutex mutex;
    QSet<QString> parallel;
    std::size_t visits = 0;
    QSet<unsigned> walkers;
    const WalkResult result = parallelWalk(root, {}, [&](const WalkEntry& e, unsigned walker) {
        std::lock_guard lock(mutex);
        ++visits;
        walkers.insert(walker);
        parallel.insert(e.path + QString::number(e.size) + (e.isPackage ? "P" : ""));
        EXPECT_EQ(QFile::encodeName(e.path), QByteArray(e.nativePath.data(), qsizetype(e.nativePath.size())));
        EXPECT_TRUE(knownAgain(e)) << e.path.toStdString();
        return WalkAction::Continue;
    });
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(parallel, sequential);
    EXPECT_EQ(visits, static_cast<std::size_t>(sequential.size()));
    for (const unsigned w : walkers)
        EXPECT_LT(w, parallelwalk::maxThreads());

    // A folder the visitor skips is not entered.
    std::atomic<int> inside{0};
    parallelWalk(root, {}, [&](const WalkEntry& e, unsigned) {
        if (e.path.contains("/top4/"))
            ++inside;
        return e.name == QLatin1String("top4") ? WalkAction::SkipChildren : WalkAction::Continue;
    });
    EXPECT_EQ(inside.load(), 0);
}

TEST(ParallelWalk, ASmallFolderIsWalkedByTheCallingThreadAlone)
{
    TempTree tree;
    for (int i = 0; i < 50; ++i)
        tree.file(QString("a%1/b/file").arg(i % 5) + QString::number(i), i);
    const int before = threadCount();
    int most = before;
    parallelWalk(QFile::encodeName(tree.root()), {}, [&](const WalkEntry&, unsigned walker) {
        EXPECT_EQ(walker, 0u);
        most = std::max(most, threadCount());
        return WalkAction::Continue;
    });
    EXPECT_EQ(most, before);
}

TEST(ParallelWalk, StoppingEndsEveryThread)
{
    TempTree tree;
    buildMixedTree(tree);
    const QByteArray root = QFile::encodeName(tree.root());
    const int before = threadCount();

    std::atomic<int> seen{0};
    std::atomic<int> most{0};
    const WalkResult stopped = parallelWalk(root, {}, [&](const WalkEntry&, unsigned) {
        most = std::max(most.load(), threadCount());
        return ++seen >= 2500 ? WalkAction::Stop : WalkAction::Continue;
    });
    EXPECT_FALSE(stopped.complete);
    EXPECT_GT(most.load(), before) << "the walk should have used helpers";
    EXPECT_EQ(threadCountSettledAt(before), before);

    // The cancellation flag, set while the helpers run.
    std::atomic_bool cancel{false};
    WalkOptions options;
    options.cancel = &cancel;
    seen = 0;
    const WalkResult cancelled = parallelWalk(root, options, [&](const WalkEntry&, unsigned) {
        if (++seen == 2500)
            cancel = true;
        return WalkAction::Continue;
    });
    EXPECT_FALSE(cancelled.complete);
    EXPECT_LT(seen.load(), 3000);
    EXPECT_EQ(threadCountSettledAt(before), before);
    EXPECT_FALSE(parallelFolderTotal(root, &cancel).complete);
}

} // namespace
