#include "JunkFixture.h"

#include "engine/cleaning/SystemJunkViewModel.h"
#include "support/FakeFileRemover.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QStringList>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velk;
using namespace velk::cleaning;
using namespace velk::palette;
using velk::test::FakeFileRemover;
using velk::test::JunkHome;
using velk::test::Undeletable;

namespace {

const ScanCategory& categoryOf(const SystemJunkViewModel& vm, ScanCategoryID id)
{
    return vm.categories()[static_cast<std::size_t>(id)];
}

QStringList namesIn(const SystemJunkViewModel& vm, ScanCategoryID id)
{
    QStringList names;
    for (const FileItem& item : categoryOf(vm, id).items)
        names.append(item.name);
    return names;
}

bool allSelected(const SystemJunkViewModel& vm, ScanCategoryID id)
{
    const auto& items = categoryOf(vm, id).items;
    return !items.empty() && std::all_of(items.begin(), items.end(), [](const FileItem& i) { return i.isSelected; });
}

bool noneSelected(const SystemJunkViewModel& vm, ScanCategoryID id)
{
    const auto& items = categoryOf(vm, id).items;
    return !items.empty() && std::none_of(items.begin(), items.end(), [](const FileItem& i) { return i.isSelected; });
}

// Junk in three ordinary categories and in two that need confirmation.
void buildJunk(const JunkHome& home)
{
    home.file("Library/Caches/big.cache", 300);
    home.file("Library/Caches/locked/data", 200);
    home.file("Library/Caches/small.cache", 100);
    home.file("Library/Logs/app.log", 50);
    home.file("Library/Developer/Xcode/DerivedData/Proj-abc/Build/obj.o", 70);
    home.file("Downloads/installer.dmg", 1000);
    home.file(".Trash/old.txt", 40);
}

void scanToTheEnd(SystemJunkViewModel& vm, const JunkHome& home, bool autoClean = false)
{
    vm.startScan(autoClean);
    home.executor().runAll();
}

} // namespace

TEST(SystemJunkViewModel, ScanPublishesEveryCategoryInOrder)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    ASSERT_EQ(vm.categories().size(), 24u);
    for (std::size_t i = 0; i < vm.categories().size(); ++i) {
        EXPECT_EQ(vm.categories()[i].id, allScanCategoryIDs[i]);
        EXPECT_TRUE(vm.categories()[i].scanState == ScanState::idle());
    }

    QSignalSpy rows(vm.categoryModel(), &QAbstractItemModel::dataChanged);
    vm.startScan();
    EXPECT_TRUE(vm.isScanning());
    EXPECT_FALSE(vm.scanComplete());
    EXPECT_EQ(vm.scanningCategory(), ScanCategoryID::userCaches);
    for (const ScanCategory& category : vm.categories())
        EXPECT_TRUE(category.isScanning());
    EXPECT_EQ(home.executor().lastPriority(), platform::core::Priority::UserInitiated);

    // The first category's result arrives alone and changes only its row.
    rows.clear();
    home.executor().step();
    home.executor().step();
    EXPECT_TRUE(categoryOf(vm, ScanCategoryID::userCaches).isDone());
    EXPECT_TRUE(categoryOf(vm, ScanCategoryID::systemLogs).isScanning());
    EXPECT_EQ(vm.scanningCategory(), ScanCategoryID::systemLogs);
    EXPECT_EQ(vm.totalFound(), 600);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(rows.first().at(1).toModelIndex().row(), 0);

    home.executor().runAll();
    EXPECT_FALSE(vm.isScanning());
    EXPECT_TRUE(vm.scanComplete());
    EXPECT_FALSE(vm.scanningCategory());
    for (const ScanCategory& category : vm.categories())
        EXPECT_TRUE(category.isDone());
    EXPECT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList({"big.cache", "locked", "small.cache"}));
    EXPECT_EQ(vm.totalFound(), 300 + 200 + 100 + 50 + 70 + 1000 + 40);
    EXPECT_EQ(vm.remainingJunkCount(), 7);
}

TEST(SystemJunkViewModel, CategoriesNeedingConfirmationAreNeverSelectedAutomatically)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home);

    EXPECT_TRUE(allSelected(vm, ScanCategoryID::userCaches));
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::derivedData));
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::downloads));
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::trash));
    EXPECT_EQ(vm.selectedSize(), 300 + 200 + 100 + 50 + 70);
    EXPECT_EQ(vm.selectedCategories().size(), 3u);

    // Deep-clean preparation after the user cleared everything.
    vm.setAllSelected(false);
    EXPECT_EQ(vm.selectedSize(), 0);
    EXPECT_FALSE(vm.selectedContainsDerivedData());
    vm.prepareDeepCleanSelection();
    EXPECT_TRUE(vm.selectedContainsDerivedData());
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::downloads));
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::trash));

    // The user's own choices do select them.
    vm.toggleSelectAll(QStringLiteral("trash"), true);
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::trash));
    const QUuid download = categoryOf(vm, ScanCategoryID::downloads).items.front().id;
    vm.setItemSelected(ScanCategoryID::downloads, download, true);
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::downloads));
    vm.setAllSelected(false);
    vm.setAllSelected(true);
    EXPECT_EQ(vm.selectedSize(), vm.totalFound());

    const std::int64_t trashBytes = categoryOf(vm, ScanCategoryID::trash).selectedSize();
    vm.toggleSelectAll(ScanCategoryID::trash, false);
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::trash));
    EXPECT_EQ(vm.selectedSize(), vm.totalFound() - trashBytes);
    vm.toggleSelectAll(QStringLiteral("no_such_category"), false);
    EXPECT_EQ(vm.selectedSize(), vm.totalFound() - trashBytes);
}

TEST(SystemJunkViewModel, CleanReportsOnlyWhatWasRemovedAndReselectsTheRest)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home);
    vm.toggleSelectAll(ScanCategoryID::derivedData, false);
    vm.toggleSelectAll(ScanCategoryID::userLogs, false);

    const QString locked = home.home() + "/Library/Caches/locked";
    Undeletable undeletable(locked, locked);

    QStringList order;
    for (auto [signal, name] : std::initializer_list<std::pair<void (SystemJunkViewModel::*)(), const char*>>{
             {&SystemJunkViewModel::errorMessageChanged, "errorMessage"},
             {&SystemJunkViewModel::totalCleanedChanged, "totalCleaned"},
             {&SystemJunkViewModel::isCleaningChanged, "isCleaning"},
             {&SystemJunkViewModel::cleanReportChanged, "cleanReport"},
             {&SystemJunkViewModel::categoriesChanged, "categories"},
             {&SystemJunkViewModel::totalFoundChanged, "totalFound"}}) {
        QObject::connect(&vm, signal, &vm, [&order, label = QString::fromLatin1(name)] { order.append(label); });
    }

    vm.clean();
    EXPECT_TRUE(vm.isCleaning());
    EXPECT_EQ(order, QStringList{"isCleaning"});
    order.clear();
    home.executor().runAll();

    EXPECT_EQ(order, QStringList({"errorMessage", "totalCleaned", "isCleaning", "cleanReport", "categories",
                                  "totalFound", "categories"}));
    ASSERT_TRUE(vm.cleanReport());
    EXPECT_EQ(vm.cleanReport()->freedBytes, 400);
    EXPECT_EQ(vm.cleanReport()->failureCount, 1);
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 3);
    EXPECT_EQ(vm.errorMessage(), QStringLiteral("1"));
    EXPECT_EQ(vm.totalCleaned(), 400);
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_TRUE(vm.scanComplete());

    EXPECT_FALSE(QFileInfo::exists(home.home() + "/Library/Caches/big.cache"));
    EXPECT_TRUE(QFileInfo::exists(locked + "/data"));
    EXPECT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList{"locked"});
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::userCaches));
    // Whatever remains is selected again, except what needs confirmation.
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::derivedData));
    EXPECT_TRUE(allSelected(vm, ScanCategoryID::userLogs));
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::downloads));
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::trash));
    EXPECT_EQ(vm.totalFound(), 200 + 50 + 70 + 1000 + 40);

    // A second clean replaces the figures rather than adding to them.
    const QUuid firstReport = vm.cleanReport()->id;
    vm.toggleSelectAll(ScanCategoryID::userCaches, false);
    vm.clean();
    home.executor().runAll();
    EXPECT_NE(vm.cleanReport()->id, firstReport);
    EXPECT_EQ(vm.cleanReport()->freedBytes, 120);
    EXPECT_EQ(vm.cleanReport()->failureCount, 0);
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 2);
    EXPECT_EQ(vm.totalCleaned(), 120);
    EXPECT_FALSE(vm.errorMessage());
}

// Removes only `part` of an item and answers that the item stayed.
struct PartRemover final : platform::files::FileRemover {
    QString part;
    explicit PartRemover(QString path) : part(std::move(path)) {}
    platform::files::RemovalResult removePermanently(const platform::files::RemovalTarget&) override
    {
        const qint64 size = QFileInfo(part).size();
        return {false, QFile::remove(part) ? size : 0};
    }
    platform::files::RemovalResult moveToTrash(const platform::files::RemovalTarget&) override { return {}; }
};

TEST(SystemJunkViewModel, AFolderThatStaysShowsWhatIsLeftOfIt)
{
    JunkHome home;
    platform::core::ScopedService<platform::files::FileRemover> remover(
        std::make_shared<PartRemover>(home.file("Library/Caches/app/old", 100'000)));
    home.file("Library/Caches/app/stuck", 300'000);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home);
    vm.clean();
    home.executor().runAll();
    EXPECT_EQ(vm.cleanReport()->freedBytes, 100'000);
    ASSERT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList{"app"});
    EXPECT_EQ(categoryOf(vm, ScanCategoryID::userCaches).items.front().size, 300'000);
    EXPECT_EQ(vm.totalFound(), 300'000);
}

// Between the scan and the clean one cache went, another file was put in
// the place of a second and a link in the place of a cache folder by someone
// else. None is freed by this clean; what is gone is no failure, what took
// an item's name is refused with its reason and kept. The caches are
// measured again, so they show what is there now.
TEST(SystemJunkViewModel, AnItemGoneBeforeTheCleanLeavesTheListAndItsCategoryIsMeasuredAgain)
{
    JunkHome home;
    const QString gone = home.file("Library/Caches/gone.cache", 5'000'000);
    const QString linked = home.file("Library/Caches/linked/data", 4'000).chopped(5);
    const QString swapped = home.file("Library/Caches/swapped.cache", 3'000);
    home.file("Library/Caches/untouched/data", 7'000);
    home.file("Library/Logs/app.log", 50);
    const QString elsewhere = home.file("Documents/keep/notes.txt", 800).chopped(10);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home);
    const FileItem untouched = categoryOf(vm, ScanCategoryID::userCaches).items[1];
    ASSERT_EQ(untouched.name, "untouched");
    vm.setItemSelected(ScanCategoryID::userCaches, untouched.id, false);

    ASSERT_TRUE(QFile::remove(gone));
    // Made while the scanned file still exists, so it is another object.
    ASSERT_EQ(std::rename(QFile::encodeName(home.file("incoming", 9)).constData(), QFile::encodeName(swapped).constData()), 0);
    ASSERT_TRUE(QDir(linked).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere, linked));
    vm.clean();
    home.executor().runAll();

    EXPECT_EQ(vm.cleanReport()->freedBytes, 50);
    using platform::files::RemovalReason;
    EXPECT_EQ(vm.failures(), (QList<RemovalFailure>{{linked, RemovalReason::NotAsScanned}, {swapped, RemovalReason::NotAsScanned}}));
    EXPECT_EQ(vm.cleanReport()->failureCount, 2);
    EXPECT_EQ(vm.errorMessage(), QStringLiteral("2"));
    EXPECT_TRUE(QFileInfo::exists(swapped)) << "not the object scanned";
    EXPECT_TRUE(QFileInfo(linked).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(elsewhere + "/notes.txt"));
    EXPECT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList({"untouched", "swapped.cache"})) << "a link is no cache";
    EXPECT_EQ(categoryOf(vm, ScanCategoryID::userCaches).totalSize(), 7'000 + 9);
    EXPECT_EQ(vm.totalFound(), 7'000 + 9);
}

// The pip cache lies inside the caches folder: it is listed once, by the
// narrower category, so the total counts its bytes once and the clean ends
// without failures or items that no longer exist.
TEST(SystemJunkViewModel, OverlappingCategoriesCountEachByteOnce)
{
    JunkHome home;
    home.file("Library/Caches/pip/wheels/a.whl", 500);
    home.file("Library/Caches/pip/http/b", 300);
    home.file("Library/Caches/app/c", 40);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home);
    EXPECT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList{"app"});
    EXPECT_EQ(namesIn(vm, ScanCategoryID::pipCache), QStringList({"wheels", "http"}));
    EXPECT_EQ(vm.totalFound(), 840);

    vm.clean();
    home.executor().runAll();
    EXPECT_EQ(vm.cleanReport()->freedBytes, 840);
    EXPECT_EQ(vm.cleanReport()->failureCount, 0);
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 3);
    EXPECT_EQ(vm.remainingJunkCount(), 0);
    EXPECT_FALSE(vm.errorMessage());
}

TEST(SystemJunkViewModel, CleanRunsOnlyAfterACompleteScanAndNeverTwice)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    QSignalSpy cleaning(&vm, &SystemJunkViewModel::isCleaningChanged);

    vm.clean();  // before any scan
    vm.startScan();
    vm.clean();  // during a scan
    EXPECT_EQ(cleaning.size(), 0);
    home.executor().runAll();

    vm.clean();
    const std::size_t queued = home.executor().pending();
    vm.clean();  // while cleaning
    EXPECT_EQ(home.executor().pending(), queued);
    EXPECT_EQ(cleaning.size(), 1);
    home.executor().runAll();
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 5);

    // Nothing selected: an empty report, and what remains is selected again.
    vm.setAllSelected(false);
    vm.clean();
    home.executor().runAll();
    EXPECT_EQ(vm.cleanReport()->freedBytes, 0);
    EXPECT_EQ(vm.cleanReport()->failureCount, 0);
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 0);
    EXPECT_EQ(vm.totalCleaned(), 0);
    EXPECT_FALSE(vm.errorMessage());
    EXPECT_TRUE(noneSelected(vm, ScanCategoryID::downloads));
    EXPECT_EQ(vm.selectedSize(), 0);  // only confirmation categories remain

    vm.clearCleanReport();
    EXPECT_FALSE(vm.cleanReport());
}

TEST(SystemJunkViewModel, AutomaticCleanAfterTheScan)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    scanToTheEnd(vm, home, true);
    ASSERT_TRUE(vm.cleanReport());
    EXPECT_EQ(vm.cleanReport()->attemptedCount, 5);
    EXPECT_EQ(vm.cleanReport()->freedBytes, 720);
    EXPECT_TRUE(QFileInfo::exists(home.home() + "/Downloads/installer.dmg"));

    // The flag is spent: the next scan does not clean.
    scanToTheEnd(vm, home);
    EXPECT_EQ(vm.cleanReport()->freedBytes, 720);
    EXPECT_EQ(vm.remainingJunkCount(), 2);
}

TEST(SystemJunkViewModel, ASecondScanDropsTheLateResultsOfTheFirst)
{
    JunkHome home;
    const QString first = home.file("Library/Caches/first.cache", 100);
    SystemJunkViewModel vm;

    vm.startScan();
    home.executor().step();  // the first scan has listed the caches; its result waits
    QFile::remove(first);
    home.file("Library/Caches/second.cache", 200);

    bool sawFirst = false;
    QObject::connect(&vm, &SystemJunkViewModel::categoriesChanged, &vm, [&] {
        sawFirst = sawFirst || namesIn(vm, ScanCategoryID::userCaches).contains("first.cache");
    });
    QSignalSpy scanning(&vm, &SystemJunkViewModel::isScanningChanged);
    vm.startScan();
    home.executor().runAll();

    EXPECT_FALSE(sawFirst);
    EXPECT_EQ(namesIn(vm, ScanCategoryID::userCaches), QStringList{"second.cache"});
    EXPECT_EQ(vm.totalFound(), 200);
    EXPECT_TRUE(vm.scanComplete());
    // The first scan's task neither went on scanning nor finished the second.
    EXPECT_EQ(home.executor().backgroundRuns(), 1 + 24);
    EXPECT_EQ(scanning.size(), 3);  // stopped, started, finished
}

TEST(SystemJunkViewModel, StopKeepsWhatIsFoundAndLeavesTheScanIncomplete)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    vm.startScan();
    home.executor().step();  // userCaches scanned
    home.executor().step();  // ... and published
    home.executor().step();  // systemLogs scanned, not yet published
    vm.stopScan();
    home.executor().runAll();

    EXPECT_FALSE(vm.isScanning());
    EXPECT_FALSE(vm.scanComplete());
    EXPECT_FALSE(vm.scanningCategory());
    EXPECT_TRUE(categoryOf(vm, ScanCategoryID::userCaches).isDone());
    EXPECT_EQ(categoryOf(vm, ScanCategoryID::userCaches).items.size(), 3u);
    for (std::size_t i = 1; i < vm.categories().size(); ++i) {
        EXPECT_TRUE(vm.categories()[i].isScanning());
        EXPECT_TRUE(vm.categories()[i].items.empty());
    }
    EXPECT_EQ(vm.totalFound(), 600);

    vm.clean();
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_EQ(home.executor().pending(), 0u);
}

TEST(SystemJunkViewModel, ResultsForAViewModelThatIsGoneAreDropped)
{
    JunkHome home;
    buildJunk(home);
    auto vm = std::make_unique<SystemJunkViewModel>();
    vm->startScan();
    home.executor().step();
    vm.reset();
    EXPECT_NO_FATAL_FAILURE(home.executor().runAll());
    EXPECT_TRUE(QFileInfo::exists(home.home() + "/Library/Caches/big.cache"));
}

TEST(SystemJunkViewModel, TheScreensReachEveryStateAndOperationByName)
{
    JunkHome home;
    buildJunk(home);
    SystemJunkViewModel vm;
    const QMetaObject* meta = vm.metaObject();
    for (const char* name :
         {"categories", "isScanning", "isCleaning", "scanComplete", "scanningCategory", "totalFound", "totalCleaned",
          "errorMessage", "cleanReport", "selectedSize", "totalFoundFormatted", "selectedSizeFormatted",
          "totalCleanedFormatted", "selectedContainsDerivedData"}) {
        const int index = meta->indexOfProperty(name);
        ASSERT_GE(index, 0) << name;
        const QMetaProperty property = meta->property(index);
        EXPECT_TRUE(property.hasNotifySignal() || property.isConstant()) << name;
    }
    auto call = [&](const char* method, auto... args) {
        EXPECT_TRUE(QMetaObject::invokeMethod(&vm, method, args...)) << method;
    };

    auto* categories = vm.property("categories").value<QAbstractListModel*>();
    ASSERT_TRUE(categories);
    EXPECT_EQ(categories->rowCount(), 24);
    EXPECT_FALSE(vm.property("cleanReport").isValid());
    EXPECT_FALSE(vm.property("errorMessage").isValid());
    EXPECT_EQ(vm.property("scanningCategory").toString(), QString());

    call("startScan", Q_ARG(bool, false));
    EXPECT_EQ(vm.property("scanningCategory").toString(), QStringLiteral("user_caches"));
    call("stopScan");
    EXPECT_FALSE(vm.property("isScanning").toBool());
    call("startScan", Q_ARG(bool, false));
    home.executor().runAll();
    EXPECT_TRUE(vm.property("scanComplete").toBool());

    call("setAllSelected", Q_ARG(bool, false));
    call("prepareDeepCleanSelection");
    EXPECT_TRUE(vm.property("selectedContainsDerivedData").toBool());
    call("toggleSelectAll", Q_ARG(QString, QStringLiteral("derived_data")), Q_ARG(bool, false));
    EXPECT_FALSE(vm.property("selectedContainsDerivedData").toBool());

    const QString locked = home.home() + "/Library/Caches/locked";
    Undeletable undeletable(locked, locked);
    call("clean");
    home.executor().runAll();
    EXPECT_EQ(vm.property("errorMessage").toString(), QStringLiteral("1"));
    const QVariantMap report = vm.property("cleanReport").toMap();
    EXPECT_FALSE(report.value("id").toString().isEmpty());
    EXPECT_EQ(report.value("freedBytes").toLongLong(), 400 + 50);
    EXPECT_EQ(report.value("failureCount").toInt(), 1);
    EXPECT_EQ(report.value("attemptedCount").toInt(), 4);
    EXPECT_EQ(vm.property("totalCleaned").toLongLong(), 450);

    // Dismissing the alerts.
    call("clearErrorMessage");
    call("clearCleanReport");
    EXPECT_FALSE(vm.property("errorMessage").isValid());
    EXPECT_FALSE(vm.property("cleanReport").isValid());
}

TEST(SystemJunkViewModel, ScanAndCleanOnTheThreadPool)
{
    JunkHome home;
    buildJunk(home);
    platform::core::ScopedService<platform::core::Executor> pool(platform::core::Executor::createDefault());
    SystemJunkViewModel vm;
    vm.startScan(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return vm.cleanReport().has_value(); }, 10000));
    EXPECT_TRUE(vm.scanComplete());
    EXPECT_FALSE(vm.isCleaning());
    EXPECT_EQ(vm.cleanReport()->freedBytes, 720);
    EXPECT_EQ(vm.remainingJunkCount(), 2);
}
