#include "engine/cleaning/LargeFileUnitWalk.h"
#include "platform/files/DirectoryWalker.h"
#include "platform/files/ParallelWalk.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"
#include "support/ThreadCount.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <tuple>
#include <vector>

using namespace velk;
using namespace velk::cleaning;
using velk::test::ScopedMount;
using velk::test::TempTree;
using velk::test::threadCount;
using velk::test::threadCountSettledAt;

namespace {

constexpr std::int64_t kMinimum = 100;

using Find = std::tuple<QByteArray, qint64, std::uint64_t>;  // native path, size, inode

std::vector<Find> findsOf(const QList<FileItem>& items)
{
    std::vector<Find> finds;
    for (const FileItem& item : items)
        finds.emplace_back(item.fileSystemPath(), item.size, item.identity ? item.identity->object.inode : 0);
    std::sort(finds.begin(), finds.end());
    return finds;
}

// What one walk by the sequential walker finds under the unit's rules.
LargeFileUnitResult sequentialWalk(const LargeFileScanUnit& unit)
{
    LargeFileUnitResult result;
    platform::files::WalkOptions options;
    options.skipHidden = false;
    options.skipPackageDescendants = false;
    platform::files::walkDirectory(unit.nativePath, options, [&](const platform::files::WalkEntry& entry) {
        ++result.visited;
        const QByteArray path(entry.nativePath.data(), qsizetype(entry.nativePath.size()));
        if (entry.kind == platform::files::EntryKind::Directory) {
            if (unit.skipped.contains(path))
                return platform::files::WalkAction::SkipChildren;
            if (entry.isMountPoint)
                result.mounts << path;
        } else if (entry.kind == platform::files::EntryKind::File && entry.size >= kMinimum) {
            result.found << foundFile(entry);
        }
        return platform::files::WalkAction::Continue;
    });
    return result;
}

// Nested folders wide and deep enough that the walk takes helpers, with
// hidden folders, packages, links to files and folders, a name that is not
// UTF-8, a folder the unit skips and a mount it must not enter.
struct UnitTree {
    TempTree tree;
    TempTree outside;
    LargeFileScanUnit unit;
    ScopedMount mount;

    UnitTree()
        : mount(build())
    {
        unit.nativePath = QFile::encodeName(tree.root());
        unit.path = tree.root();
        unit.skipped.insert(QFile::encodeName(tree.path("a3/b1")));
    }

    ScopedMount build()
    {
        for (int a = 0; a < 8; ++a) {
            for (int b = 0; b < 6; ++b) {
                for (int c = 0; c < 3; ++c) {
                    const QString folder = QString("a%1/b%2/c%3/").arg(a).arg(b).arg(c);
                    for (int f = 0; f < 20; ++f)
                        tree.file(folder + QString("f%1").arg(f), (a * 37 + b * 11 + c * 5 + f * 7) % 200);
                }
                tree.file(QString("a%1/b%2/.hidden/deep/big").arg(a).arg(b), 150);
            }
            tree.file(QString("a%1/Tool.app/Contents/big").arg(a), 180);
            tree.link(QString("a%1/to-folder").arg(a), tree.path("a0"));
            tree.link(QString("a%1/to-file").arg(a), tree.path("a0/Tool.app/Contents/big"));
        }
        const QByteArray odd = QFile::encodeName(tree.path("a5/b5/odd")) + char(0xff);
        QFile(QFile::decodeName(odd)).open(QIODevice::WriteOnly);
        QFile::resize(QFile::decodeName(odd), 120);
        outside.file("inside-mount", 500);
        tree.dir("a6/b2/mounted");
        return ScopedMount::bind(outside.root(), tree.path("a6/b2/mounted"));
    }
};

} // namespace

// The walk's threads find exactly what one thread finds, each file once,
// with its native name, size and identity, and the same mounts.
TEST(LargeFileUnitWalkTest, FindsExactlyWhatTheSequentialWalkFinds)
{
    UnitTree fixture;
    ASSERT_TRUE(fixture.mount.ok()) << fixture.mount.error();
    const LargeFileUnitResult expected = sequentialWalk(fixture.unit);
    ASSERT_GT(expected.visited, static_cast<std::int64_t>(platform::files::parallelwalk::kSoloEntries));
    ASSERT_GT(expected.found.size(), 1000);
    ASSERT_EQ(expected.mounts.size(), 1);

    for (int run = 0; run < 3; ++run) {
        std::mutex lock;
        std::vector<std::pair<std::int64_t, std::int64_t>> reports;
        std::atomic<int> reporting{0};
        std::atomic<bool> overlapped{false};
        const LargeFileScanStop stop;
        const LargeFileUnitResult result = walkLargeFileUnit(
            fixture.unit, kMinimum, stop, [&](std::int64_t visited, std::int64_t matched) {
                if (reporting.fetch_add(1) != 0)
                    overlapped = true;
                {
                    std::lock_guard guard(lock);
                    reports.emplace_back(visited, matched);
                }
                reporting.fetch_sub(1);
            });
        EXPECT_EQ(result.visited, expected.visited);
        EXPECT_EQ(findsOf(result.found), findsOf(expected.found));
        EXPECT_EQ(result.mounts, expected.mounts);

        // One report at a time, never going down, never beyond the result.
        EXPECT_FALSE(overlapped.load());
        ASSERT_FALSE(reports.empty());
        for (std::size_t i = 1; i < reports.size(); ++i) {
            EXPECT_GE(reports[i].first, reports[i - 1].first);
            EXPECT_GE(reports[i].second, reports[i - 1].second);
        }
        EXPECT_LE(reports.back().first, result.visited);
        EXPECT_LE(reports.back().second, result.found.size());
    }
}

TEST(LargeFileUnitWalkTest, AStopEndsTheWalkAndItsThreadsWithoutFurtherReports)
{
    UnitTree fixture;
    ASSERT_TRUE(fixture.mount.ok()) << fixture.mount.error();
    const int before = threadCount();
    LargeFileScanStop stop;
    std::atomic<int> reportsAfterStop{0};
    const LargeFileUnitResult result
        = walkLargeFileUnit(fixture.unit, kMinimum, stop, [&](std::int64_t visited, std::int64_t) {
              if (stop.isStopped())
                  ++reportsAfterStop;
              if (visited >= 2500)
                  stop.stop();
          });
    EXPECT_LT(result.visited, sequentialWalk(fixture.unit).visited);
    EXPECT_EQ(reportsAfterStop.load(), 0);
    EXPECT_EQ(threadCountSettledAt(before), before);
}
