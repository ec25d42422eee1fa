#include "engine/cleaning/PrivacyFileSafety.h"
#include "engine/cleaning/PrivacyViewModel.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeFileRemover.h"
#include "support/ManualExecutor.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"
#include "support/TreeSnapshot.h"

#include <QDir>
#include <QHash>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velk;
using namespace velk::cleaning;
using velk::test::FakeFileRemover;
using velk::test::ManualExecutor;
using velk::test::ScopedMount;
using velk::test::TempTree;

namespace {

// The macOS layout over a temporary root, with single locations sent
// elsewhere the way an odd machine might.
class RedirectedLocations final : public platform::locations::Locations {
public:
    RedirectedLocations(const QString& root, const QString& home)
        : m_mac(platform::locations::Locations::macProfile(root, home))
    {
    }
    void redirect(const QString& location, const QStringList& paths) { m_redirects.insert(location, paths); }

    QStringList resolveAll(const QString& location) const override
    {
        return m_redirects.contains(location) ? m_redirects.value(location) : m_mac->resolveAll(location);
    }
    QString home() const override { return m_mac->home(); }
    bool isSystemPath(const QString& path) const override { return m_mac->isSystemPath(path); }
    bool isPseudoFileSystem(const QString& path) const override { return m_mac->isPseudoFileSystem(path); }
    QString trashInfoFolder() const override { return {}; }

private:
    std::shared_ptr<platform::locations::Locations> m_mac;
    QHash<QString, QStringList> m_redirects;
};

class PrivacyTest : public testing::Test {
protected:
    PrivacyTest()
        : root(tree.dir("root"))
        , home(tree.dir("root/Users/alice"))
        , outside(tree.dir("outside"))
        , locations(std::make_shared<RedirectedLocations>(root, home))
        , locationService(locations)
    {
        tree.file("outside/secret.txt", 10);
        tree.file("outside/folder/inner.txt", 20);
        outsideBefore = velk::test::snapshotTree(outside);
    }
    ~PrivacyTest() override { EXPECT_EQ(velk::test::snapshotTree(outside), outsideBefore); }

    QString homeFile(const QString& relative, qint64 size) { return tree.file("root/Users/alice/" + relative, size); }

    // Files for every target of the table.
    void fillEveryTarget()
    {
        homeFile("Library/Safari/History.db", 100);
        homeFile("Library/Caches/com.apple.Safari/Cache.db", 200);
        homeFile("Library/Application Support/Google/Chrome/Default/History", 300);
        homeFile("Library/Caches/Google/Chrome/Default/Cache/data_0", 400);
        homeFile("Library/Caches/Firefox/Profiles/abc.default/cache2/entry", 500);
        homeFile("Library/Containers/com.apple.mail/Data/Library/Mail Downloads/att.pdf", 600);
        homeFile("Library/Application Support/com.apple.sharedfilelist/recents.sfl2", 700);
    }

    TempTree tree;
    QString root;
    QString home;
    QString outside;
    std::shared_ptr<RedirectedLocations> locations;
    platform::core::ScopedService<platform::locations::Locations> locationService;
    QMap<QString, QString> outsideBefore;
};

// Runs `scan` as an unprivileged user in a child and returns its cause
// (-1 for no failure).
int scanCauseAsNobody(const QStringList& paths)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(100);
        const auto result = PrivacyFileSafety::scan(paths);
        ::_exit(result.failure ? int(result.failure->cause) : 101);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 102;
    return code == 101 ? -1 : code;
}

} // namespace

TEST_F(PrivacyTest, ScanFindsRegularFilesOnlyAndNeverFollowsALink)
{
    const QString a = homeFile("target/a.txt", 1);
    const QString hidden = homeFile("target/.hidden", 2);
    const QString inner = homeFile("target/sub/inner.txt", 4);
    tree.link("root/Users/alice/target/link-to-file", outside + "/secret.txt");
    tree.link("root/Users/alice/target/link-to-folder", outside + "/folder");
    const auto result = PrivacyFileSafety::scan({home + "/target"});
    EXPECT_FALSE(result.failure);
    QStringList sorted = result.targets;
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{hidden, a, inner}));
    EXPECT_EQ(result.size, 7);

    // A target whose parent folder is a link yields nothing, and a target
    // that does not exist is no error.
    tree.link("root/Users/alice/linked", outside + "/folder");
    const auto behindLink = PrivacyFileSafety::scan({home + "/linked/inner.txt", home + "/missing/file"});
    EXPECT_FALSE(behindLink.failure);
    EXPECT_TRUE(behindLink.targets.isEmpty());
    EXPECT_EQ(behindLink.size, 0);
}

// A mount below a target, a bind mount of a folder of the same file system
// included, is not entered; a name the path text cannot spell is passed over.
TEST_F(PrivacyTest, ScanNeverEntersAMountAndPassesOverNamesItCannotSpell)
{
    const QString own = homeFile("target/own.txt", 1);
    const QByteArray odd = QFile::encodeName(home) + "/target/odd\xff";
    const int fd = ::open(odd.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    auto bind = ScopedMount::bind(outside, tree.dir("root/Users/alice/target/mounted"));
    ASSERT_TRUE(bind.ok()) << bind.error();
    const auto result = PrivacyFileSafety::scan({home + "/target"});
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.targets, QStringList{own});
    ::unlink(odd.constData());
}

TEST_F(PrivacyTest, UnreadableFolderFailsTheWholeScanWithOurOwnWords)
{
    homeFile("target/readable.txt", 1);
    const QString locked = tree.dir("root/Users/alice/target/locked");
    tree.file("root/Users/alice/target/locked/x", 1);
    ::chmod(QFile::encodeName(tree.root()).constData(), 0755);
    ::chmod(QFile::encodeName(locked).constData(), 0);
    EXPECT_EQ(scanCauseAsNobody({home + "/target"}),
              int(PrivacyFileSafety::ScanFailure::Cause::PermissionDenied));
    ::chmod(QFile::encodeName(locked).constData(), 0755);

    // The path is shown isolated, with what would act on the text written out.
    const PrivacyFileSafety::ScanFailure failure{"/x/\u202Ey", PrivacyFileSafety::ScanFailure::Cause::PermissionDenied};
    EXPECT_EQ(failure.text(), QStringLiteral("无法读取「\u2068/x/<U+202E>y\u2069」：没有权限"));
    EXPECT_EQ(failure.textEn(), QStringLiteral("Cannot read \"\u2068/x/<U+202E>y\u2069\": permission denied"));
}

TEST_F(PrivacyTest, CleanChecksEachTargetAgainAndCountsFailures)
{
    const QString kept = homeFile("t/kept.txt", 1);
    const QString gone = homeFile("t/gone.txt", 1);
    const QString becameLink = homeFile("t/link.txt", 1);
    const QString becameFolder = homeFile("t/folder.txt", 1);
    QFile::remove(gone);
    QFile::remove(becameLink);
    QFile::link(outside + "/secret.txt", becameLink);
    QFile::remove(becameFolder);
    QDir().mkpath(becameFolder);
    QStringList trashed;
    const int failures = PrivacyFileSafety::clean({kept, gone, becameLink, becameFolder}, [&](const QString& p) {
        trashed << p;
        return true;
    });
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(trashed, QStringList{kept});
    EXPECT_EQ(PrivacyFileSafety::clean({kept, kept}, [](const QString&) { return false; }), 2);
}

TEST_F(PrivacyTest, TargetThatResolvesToAProtectedPlaceFailsItsScanOrIsNone)
{
    homeFile("Documents/report.txt", 5);
    locations->redirect("~/Library/Caches/Google/Chrome", {home});
    const auto result = PrivacyFileSafety::scanLocations({"~/Library/Caches/Google/Chrome"}, *locations);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->cause, PrivacyFileSafety::ScanFailure::Cause::Refused);
    EXPECT_TRUE(result.targets.isEmpty());
    // A link in the target's place that points at the home is refused too.
    tree.link("root/Users/alice/Library/Caches/Firefox/Profiles", home);
    EXPECT_TRUE(PrivacyFileSafety::scanLocations({"~/Library/Caches/Firefox/Profiles"}, *locations).failure);
    // So is one of the user's own folders.
    locations->redirect("~/Library/Caches/Google/Chrome", {home + "/Documents"});
    EXPECT_TRUE(PrivacyFileSafety::scanLocations({"~/Library/Caches/Google/Chrome"}, *locations).failure);

    // A cache home that is the settings folder leaves the cache targets with
    // no folder: the browser's profile there is no cache, and its history is
    // counted once, by its own target.
    const QString history = homeFile(".config/google-chrome/Default/History", 19);
    homeFile(".config/google-chrome/Default/Bookmarks", 5);
    const QByteArray config = QFile::encodeName(home + "/.config");
    velk::test::ScopedEnv cache("XDG_CACHE_HOME", config);
    velk::test::ScopedEnv settings("XDG_CONFIG_HOME", config);
    velk::test::ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(home + "/.local/share"));
    const auto linux = platform::locations::Locations::linuxProfile(home);
    for (const PrivacyItem& item : PrivacyItem::allTargets()) {
        const auto scanned = PrivacyFileSafety::scanLocations(item.paths, *linux);
        EXPECT_FALSE(scanned.failure) << item.titleEn.toStdString();
        EXPECT_EQ(scanned.targets, item.titleEn == u"Chrome History" ? QStringList{history} : QStringList{})
            << item.titleEn.toStdString();
    }
}

TEST_F(PrivacyTest, SelectAllLeavesOutTheMailAndTheUnscanned)
{
    auto executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService(executor);
    fillEveryTarget();
    PrivacyViewModel vm;
    ASSERT_EQ(vm.items().size(), 7);
    EXPECT_EQ(vm.items()[6].titleEn, "Recent Items");
    EXPECT_FALSE(vm.canClean());
    vm.setAllSelected(true);
    EXPECT_FALSE(vm.hasSelection());

    vm.scan();
    EXPECT_TRUE(vm.isScanning());
    EXPECT_FALSE(vm.hasScanned());
    vm.clean();  // refused while scanning
    EXPECT_FALSE(vm.isCleaning());
    executor->runAll();
    EXPECT_TRUE(vm.hasScanned());
    EXPECT_EQ(vm.totalFoundSize(), 2800);
    vm.setAllSelected(true);
    for (const PrivacyItem& item : vm.items())
        EXPECT_EQ(item.isSelected, item.icon != "envelope") << item.titleEn.toStdString();
    EXPECT_EQ(vm.selectedSize(), 2800 - 600);
    EXPECT_TRUE(vm.canClean());
    vm.setSelected(5, true);
    EXPECT_EQ(vm.selectedSize(), 2800);
    vm.setAllSelected(false);
    EXPECT_FALSE(vm.hasSelection());
}

TEST_F(PrivacyTest, FailedScanIsDeselectedAndNeverCleanable)
{
    auto executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService(executor);
    fillEveryTarget();
    locations->redirect("~/Library/Caches/Google/Chrome", {"/"});
    PrivacyViewModel vm;
    vm.scan();
    executor->runAll();
    vm.setSelected(3, true);
    vm.scan();  // the selection it starts with is dropped for the failed row
    executor->runAll();
    const PrivacyItem& chrome = vm.items()[3];
    EXPECT_FALSE(chrome.isSelected);
    ASSERT_TRUE(chrome.scanError);
    EXPECT_TRUE(chrome.scanError->contains("/"));
    EXPECT_TRUE(chrome.scanErrorEn->contains("protected"));
    vm.setSelected(3, true);
    EXPECT_TRUE(vm.cleanableItems().isEmpty());
    EXPECT_EQ(vm.itemModel()->index(3).data(PrivacyListModel::CanSelectRole).toBool(), false);
}

TEST_F(PrivacyTest, CleanMovesFilesToTheSandboxedTrashAndCountsTheOneFailure)
{
    auto executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService(executor);
    platform::core::ScopedService<platform::files::FileRemover> remover(platform::files::FileRemover::createDefault());
    // The Trash of the location map: below the temporary home.
    const QString trash = locations->dataHome() + "/Trash/files";
    ASSERT_TRUE(trash.startsWith(QDir::tempPath())) << "the test's Trash must be sandboxed";
    const QString first = homeFile("Library/Caches/Google/Chrome/one.bin", 10);
    const QString second = homeFile("Library/Caches/Google/Chrome/two.bin", 20);

    PrivacyViewModel vm;
    vm.scan();
    executor->runAll();
    vm.setSelected(3, true);
    ASSERT_TRUE(vm.canClean());
    QFile::remove(second);  // someone else removes it after the scan
    vm.clean();
    EXPECT_TRUE(vm.isCleaning());
    executor->runAll();
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_EQ(vm.failureCount(), 1);
    EXPECT_TRUE(vm.hasScanned());
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(trash + "/one.bin"));
    EXPECT_EQ(vm.items()[3].itemCount, 0);
    QFile::remove(trash + "/one.bin");
    QFile::remove(trash + "/../info/one.bin.trashinfo");
}
