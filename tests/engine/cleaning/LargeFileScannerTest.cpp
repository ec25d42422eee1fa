#include "LargeFileFixture.h"

#include "engine/cleaning/LargeFileScanPlan.h"
#include "engine/cleaning/LargeFileScanner.h"
#include "platform/core/Executor.h"
#include "support/PoolExecutor.h"
#include "support/SystemFixtures.h"

#include <QDateTime>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velk;
using namespace velk::cleaning;
using velk::test::LargeFileTree;
using velk::test::PoolExecutor;

namespace {

constexpr qint64 kMin = LargeFileScanner::kDefaultMinimumSizeBytes;

QStringList unitPaths(const LargeFileScanPlan& plan)
{
    QStringList paths;
    for (const LargeFileScanUnit& unit : plan.units)
        paths << unit.path;
    return paths;
}

QStringList pathsOf(const QList<FileItem>& items)
{
    QStringList paths;
    for (const FileItem& item : items)
        paths << item.path;
    return paths;
}

// Scans on a small real pool and waits for the result.
class ScanHarness {
public:
    explicit ScanHarness(int threads = 4)
        : m_pool(std::make_shared<PoolExecutor>(threads))
        , m_service(m_pool)
    {
    }
    ~ScanHarness() { m_pool->waitForDone(); }

    QList<FileItem> scan(const QStringList& roots, qint64 minimum = kMin, LargeFileScanner::Progress progress = {})
    {
        return LargeFileScanner(minimum).scanAndWait(roots, std::make_shared<LargeFileScanStop>(), std::move(progress));
    }

    PoolExecutor& pool() { return *m_pool; }

private:
    std::shared_ptr<PoolExecutor> m_pool;
    platform::core::ScopedService<platform::core::Executor> m_service;
};

} // namespace

TEST(LargeFileScannerTest, NestedRepeatedAndTrailingSlashRootsAreSplitOnce)
{
    LargeFileTree tree;
    for (const char* folder : {"Users/me/Movies", "Users/me/Music", "Applications/A"})
        tree.dir(folder);
    const QString home = tree.home();
    QStringList homeUnits = unitPaths(planLargeFileScan({home}, kMin));
    homeUnits.sort();
    EXPECT_EQ(homeUnits, (QStringList{home + "/Movies", home + "/Music"}));
    EXPECT_EQ(unitPaths(planLargeFileScan({home, home + "/Movies"}, kMin)), unitPaths(planLargeFileScan({home}, kMin)));
    EXPECT_EQ(unitPaths(planLargeFileScan({home + "/Movies", home}, kMin)), unitPaths(planLargeFileScan({home}, kMin)));
    EXPECT_EQ(unitPaths(planLargeFileScan({home, home + "/", home + "//"}, kMin)).size(), 2);
    EXPECT_EQ(unitPaths(planLargeFileScan({tree.root(), home}, kMin)), unitPaths(planLargeFileScan({tree.root()}, kMin)));
    EXPECT_TRUE(planLargeFileScan({}, kMin).units.isEmpty());
    EXPECT_TRUE(planLargeFileScan({"relative/path"}, kMin).units.isEmpty());
}

TEST(LargeFileScannerTest, TheStartupVolumeSplitsIntoItsFoldersWithoutOtherVolumes)
{
    LargeFileTree tree;
    for (const char* folder : {"Users/me", "Applications", "Volumes/Backup", "dev/fd", ".nofollow/x", ".hidden"})
        tree.dir(folder);
    tree.link("etc", tree.at("Applications"));
    tree.file("leaf/only.txt", 1);
    QStringList units = unitPaths(planLargeFileScan({tree.root()}, kMin));
    units.sort();
    EXPECT_EQ(units, (QStringList{tree.at(".hidden"), tree.at("Applications"), tree.at("Users"), tree.at("leaf")}));
    // A scan wanting more units splits them further.
    units = unitPaths(planLargeFileScan({tree.root()}, kMin, 5));
    units.sort();
    EXPECT_EQ(units, (QStringList{tree.at(".hidden"), tree.at("Applications"), tree.at("Users/me"), tree.at("leaf")}));
    // No sub-folders, or no listing: the root is the unit.
    EXPECT_EQ(unitPaths(planLargeFileScan({tree.at("leaf")}, kMin)), QStringList{tree.at("leaf")});
    EXPECT_EQ(unitPaths(planLargeFileScan({tree.at("missing")}, kMin)), QStringList{tree.at("missing")});
}

TEST(LargeFileScannerTest, ReportsFilesFromTheMinimumUpLinksNeverAndLargestFirst)
{
    LargeFileTree tree;
    ScanHarness harness;
    const QDateTime older = QDateTime::fromSecsSinceEpoch(1'600'000'000);
    const QDateTime newer = QDateTime::fromSecsSinceEpoch(1'700'000'000);
    const QString exact = tree.file("Users/me/Movies/exact.mov", kMin);
    tree.file("Users/me/Movies/short.mov", kMin - 1);
    const QString inPackage = tree.file("Users/me/Apps/Tool.app/Contents/big.bin", kMin + 5, older);
    const QString inHidden = tree.file("Users/me/.cache/deep/big.bin", kMin + 5, newer);
    const QString atRoot = tree.file("Users/me/root-level.iso", 3 * kMin);
    tree.link("Users/me/Movies/link.iso", atRoot);
    tree.dir("Users/me/Empty");

    const QList<FileItem> found = harness.scan({tree.home()});
    EXPECT_EQ(pathsOf(found), (QStringList{atRoot, inHidden, inPackage, exact}));
    for (const FileItem& item : found) {
        EXPECT_TRUE(item.isSelected);
        EXPECT_EQ(item.itemType, FileItem::ItemType::File);
    }
    EXPECT_EQ(found[0].size, 3 * kMin);
    EXPECT_EQ(found[1].modificationDate, newer);
}

TEST(LargeFileScannerTest, OtherVolumesPseudoFileSystemsAndClosedMountsAreNotEntered)
{
    LargeFileTree tree;
    ScanHarness harness;
    const QString kept = tree.file("System/Library/big.dylib", kMin);
    tree.file("System/Volumes/Data/hidden-copy.bin", kMin);
    tree.file("Volumes/Backup/backup.img", kMin);
    tree.file("dev/disk0", kMin);
    const QString local = tree.file("Users/me/disk/local.bin", kMin);
    tree.file("Users/me/nas/remote.bin", kMin);
    tree.file("Users/me/ram/scratch.bin", kMin);
    tree.volumes().addMount(tree.at("Users/me/disk"), "ext4");
    tree.volumes().addMount(tree.at("Users/me/nas"), "nfs4");
    tree.volumes().addMount(tree.at("Users/me/ram"), "tmpfs");
    QStringList found = pathsOf(harness.scan({tree.root()}));
    found.sort();
    EXPECT_EQ(found, (QStringList{kept, local}));

    // A root on another volume is walked whole.
    const QString inner = tree.file("Volumes/Backup/dev/System/Volumes/x.bin", kMin);
    found = pathsOf(harness.scan({tree.at("Volumes/Backup")}));
    found.sort();
    EXPECT_EQ(found, (QStringList{tree.at("Volumes/Backup/backup.img"), inner}));
}

// Real mounts (the suite runs as root): a local disk mounted inside a unit is
// walked as a unit of its own, a virtual file system is not entered.
TEST(LargeFileScannerTest, LocalMountsInsideAUnitAreWalkedVirtualOnesNot)
{
    LargeFileTree tree;
    velk::test::TempTree outside;
    ScanHarness harness;
    const QString disk = tree.dir("Users/me/work/disk");
    const QString ram = tree.dir("Users/me/work/ram");
    const QString elsewhere = outside.dir("disk/deep");
    QFile(outside.file("disk/deep/big.bin")).resize(kMin);
    const auto diskMount = velk::test::ScopedMount::bind(outside.path("disk"), disk);
    const auto ramMount = velk::test::ScopedMount::tmpfs(ram);
    ASSERT_TRUE(diskMount.ok()) << diskMount.error();
    ASSERT_TRUE(ramMount.ok()) << ramMount.error();
    tree.file("Users/me/work/ram/scratch.bin", kMin);
    tree.volumes().addMount(disk, "ext4");
    tree.volumes().addMount(ram, "tmpfs");

    EXPECT_EQ(pathsOf(harness.scan({tree.home()})), QStringList{disk + "/deep/big.bin"});
    // The same when the mount point is a unit of the split.
    EXPECT_EQ(pathsOf(harness.scan({tree.at("Users/me/work")})), QStringList{disk + "/deep/big.bin"});
}

// The kernel's mount table, every file system counted as a disk (temporary
// folders may lie on a memory file system).
struct DiskTable final : platform::files::Volumes {
    std::vector<platform::files::Mount> mounts() const override
    {
        std::vector<platform::files::Mount> all = platform::files::Volumes::createDefault()->mounts();
        std::ranges::for_each(all, [](platform::files::Mount& m) { m.kind = platform::files::MountKind::Local; });
        return all;
    }
    std::optional<QString> startupVolumeName() const override { return {}; }
};

// Bind mounts of a sub-folder of the root and of an outside folder, made in a
// child's private mount namespace, are not walked: the sub-folder's file is
// listed once, by its own path, and so is a file with a second name.
TEST(LargeFileScannerTest, MountsShowingWhatAnotherMountShowsAreNotWalked)
{
    LargeFileTree tree;
    velk::test::TempTree outside;
    const QString inside = tree.file("Users/me/sub/big_inside.bin", kMin);
    ASSERT_EQ(::link(QFile::encodeName(inside).constData(), QFile::encodeName(inside + ".link").constData()), 0);
    QFile(outside.file("ext/big_outside.bin")).resize(kMin);
    const pid_t child = ::fork();
    if (child == 0) {
        bool ready = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        for (const QString at : {"Users/me", "Users/me/a/b/c/d"}) {  // met by the split, then by a walk
            ready = ready && ::mount(QFile::encodeName(tree.at("Users/me/sub")), QFile::encodeName(tree.dir(at + "/again")),
                                     nullptr, MS_BIND, nullptr) == 0;
            ready = ready && ::mount(QFile::encodeName(outside.path("ext")), QFile::encodeName(tree.dir(at + "/ext")),
                                     nullptr, MS_BIND, nullptr) == 0;
        }
        const platform::core::ScopedService<platform::files::Volumes> table(std::make_shared<DiskTable>());
        const QStringList found = ready ? pathsOf(ScanHarness().scan({tree.home()})) : QStringList{"no mounts"};
        std::fprintf(stderr, "found: %s\n", qPrintable(found.join(u' ')));
        ::_exit(found == QStringList{inside} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(LargeFileScannerTest, FoundFilesKeepTheirNativeNameAndIdentity)
{
    LargeFileTree tree;
    ScanHarness harness;
    const QByteArray folder = QFile::encodeName(tree.dir("Users/me/odd"));
    const QByteArray bytes = folder + "/report" + QByteArray(1, char(0xff)) + ".bin";
    const int fd = ::open(bytes.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, kMin), 0);
    ::close(fd);
    const QList<FileItem> found = harness.scan({tree.home()});
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].fileSystemPath(), bytes);
    struct stat st;
    ASSERT_EQ(::stat(bytes.constData(), &st), 0);
    ASSERT_TRUE(found[0].identity);
    EXPECT_EQ(found[0].identity->object.inode, static_cast<std::uint64_t>(st.st_ino));
}

TEST(LargeFileScannerTest, ProgressCoversEveryUnitAndNoRootsMeansNoCall)
{
    LargeFileTree tree;
    ScanHarness harness;
    for (int i = 0; i < 1200; ++i)
        tree.file(QString("Users/me/many/f%1").arg(i), 1);
    tree.file("Users/me/other/big", kMin);
    std::mutex lock;
    std::int64_t maxVisited = 0;
    std::int64_t lastMatched = 0;
    int calls = 0;
    harness.scan({tree.home()}, kMin, [&](std::int64_t visited, std::int64_t matched, const QString&) {
        std::lock_guard guard(lock);
        ++calls;
        maxVisited = std::max(maxVisited, visited);
        lastMatched = std::max(lastMatched, matched);
    });
    EXPECT_EQ(maxVisited, 1203);  // two folders and every file below them
    EXPECT_EQ(lastMatched, 1);
    EXPECT_GE(calls, 4);

    calls = 0;
    EXPECT_TRUE(harness.scan({}, kMin, [&](std::int64_t, std::int64_t, const QString&) { ++calls; }).isEmpty());
    EXPECT_EQ(calls, 0);
}

TEST(LargeFileScannerTest, AStoppedScanReturnsNothing)
{
    LargeFileTree tree;
    ScanHarness harness;
    for (int i = 0; i < 20; ++i)
        tree.file(QString("Users/me/d%1/big").arg(i), kMin);
    auto stop = std::make_shared<LargeFileScanStop>();
    std::atomic<int> calls = 0;
    const QList<FileItem> found = LargeFileScanner().scanAndWait({tree.home()}, stop,
                                                                 [&](std::int64_t, std::int64_t matched, const QString&) {
                                                                     ++calls;
                                                                     if (matched >= 1)
                                                                         stop->stop();
                                                                 });
    EXPECT_TRUE(found.isEmpty());
    EXPECT_TRUE(stop->isStopped());

    auto early = std::make_shared<LargeFileScanStop>();
    early->stop();
    calls = 0;
    EXPECT_TRUE(LargeFileScanner().scanAndWait({tree.home()}, early, [&](auto, auto, const QString&) { ++calls; }).isEmpty());
    EXPECT_EQ(calls, 0);
}

// Callbacks that call back into the scanner, and scans that overlap on a
// pool of two threads, finish: no worker waits on work queued behind it.
TEST(LargeFileScannerTest, ReentrantCallbacksAndOverlappingScansOnTwoThreadsFinish)
{
    LargeFileTree tree;
    ScanHarness harness(2);
    for (int i = 0; i < 6; ++i)
        tree.file(QString("Users/me/d%1/big").arg(i), kMin);

    std::mutex lock;
    std::condition_variable ready;
    int finished = 0;
    std::vector<qsizetype> sizes;
    auto done = [&](QList<FileItem> found) {
        std::lock_guard guard(lock);
        sizes.push_back(found.size());
        ++finished;
        ready.notify_all();
    };
    const LargeFileScanner scanner;
    auto stop = std::make_shared<LargeFileScanStop>();
    std::atomic<bool> nested = false;
    // The progress callback reads the stop signal and starts a nested scan.
    scanner.scan({tree.home()}, stop, [&](std::int64_t, std::int64_t, const QString&) {
        if (!stop->isStopped() && !nested.exchange(true))
            scanner.scan({tree.home()}, std::make_shared<LargeFileScanStop>(), {}, done);
    }, done);
    harness.pool().run(platform::core::Priority::UserInitiated, [&] {
        scanner.scan({tree.home()}, std::make_shared<LargeFileScanStop>(), {}, done);
    });
    std::unique_lock guard(lock);
    ASSERT_TRUE(ready.wait_for(guard, std::chrono::seconds(60), [&] { return finished == 3; }));
    EXPECT_EQ(sizes, (std::vector<qsizetype>{6, 6, 6}));
}
