#include "engine/language/LanguageManager.h"
#include "engine/cleaning/LargeFileFixture.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "platform/core/Executor.h"
#include "common/format/Formatting.h"
#include "support/FakeWorkspace.h"
#include "support/ManualExecutor.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/models/DesktopActions.h"
#include "ui/screens/dependencies/DependencyReportMap.h"
#include "ui/screens/dependencies/FileDependencyAnalysis.h"

#include <QProcess>
#include <unistd.h>

namespace velk::test {
namespace {

using screens::FileDependencyAnalysis;
constexpr qint64 kMiB = 1024 * 1024;

// The dependency sheet as the Large Files rows open it, over a scanned
// temporary tree, hand-stepped background work, a fake desktop and, unless
// a test asks for the real one, an analysis that answers `report`.
class FileDependencySheetTest : public ScreenFixture {
protected:
    LargeFileTree tree;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    models::DesktopActions desktop{workspace};
    cleaning::LargeFilesViewModel vm;
    inspection::FileDependencyReport report;
    QString file;

    FileDependencySheetTest()
    {
        language::LanguageManager::shared().setCurrent("en");
        FileDependencyAnalysis::setAnalyzer([this](const QString& path) {
            inspection::FileDependencyReport answer = report;
            answer.path = path;
            return answer;
        });
        file = tree.file("Users/me/Downloads/disk.iso", 80 * kMiB);
        build("LargeFilesView", {{"viewModel", QVariant::fromValue(&vm)}, {"desktop", QVariant::fromValue(&desktop)}},
              "import Velk.Models\nimport Velk.LargeFiles\n");
        vm.scan({tree.home()});
        executor->runAll();
        settle();
    }

    ~FileDependencySheetTest() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        executor->runAll();
        FileDependencyAnalysis::setAnalyzer({});
        language::LanguageManager::shared().setCurrent("zh-Hans");
    }

    QObject* sheet() const { return find<QObject>("largeFiles.dependencies"); }
    bool sheetShown() const { return sheet()->property("shown").toBool(); }

    // Presses the row's dependency button; the sheet's window, analysing.
    QQuickWindow* open()
    {
        const QString id = vm.items().at(0).id.toString(QUuid::WithoutBraces);
        click(findVisual(driver().find("largeFiles.row[" + id + "]"), "largeFiles.row.inspect"));
        EXPECT_TRUE(waitFor([&] { return sheetShown(); }));
        QQuickWindow* window = sheetWindowOf(sheet());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
    QQuickWindow* openAndAnalyse()
    {
        QQuickWindow* window = open();
        executor->runAll();
        settle();
        return window;
    }
    void close()
    {
        key(Qt::Key_Escape);
        EXPECT_TRUE(waitFor([&] { return !sheetShown(); }));
    }

    QQuickItem* card(QQuickWindow* window, const QString& key) const
    {
        return ItemDriver(*window).find("largeFiles.dependencies.card[" + key + "]");
    }
    // The red number beside a card's title; empty when none is shown.
    QString count(QQuickWindow* window, const QString& key) const
    {
        QQuickItem* number = findVisual(card(window, key), "largeFiles.dependencies.card.count");
        return number->isVisible() ? ItemDriver::text(number) : QString();
    }
    int shownCards(QQuickWindow* window) const
    {
        int n = 0;
        for (QQuickItem* c : ItemDriver(*window).findAll("largeFiles.dependencies.card", window->contentItem()))
            n += c->isVisible();
        return n;
    }
    static QString text(QQuickWindow* window, const char* name) { return textIn(window, name); }
    // The value of a file-information row ("created", "lastAccess", "hardLinks").
    static QString info(QQuickWindow* window, const char* row)
    {
        QQuickItem* found = findIn(window, QByteArray("largeFiles.dependencies.info.") + row);
        return found ? ItemDriver::text(findVisual(found, "largeFiles.dependencies.info.value")) : QString();
    }
    // The text of `child` inside the process row of `pid`.
    static QString processText(QQuickWindow* window, qint64 pid, const char* child)
    {
        QQuickItem* row = ItemDriver(*window).find(QStringLiteral("largeFiles.dependencies.process[%1]").arg(pid));
        return row ? ItemDriver::text(findVisual(row, QString::fromLatin1(child))) : QString();
    }
};

// Open and referenced; referenced only; three links and an application
// owner; nothing found, with a nameless personal file whose stat failed.
const QDateTime kCreated = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
const inspection::FileOwnerHint kApp{inspection::FileOwnerHint::Kind::appSupport, "Notes", "com.example.notes", "/Applications/Notes.app"};
const inspection::LaunchReference kAgent{"com.example.sync", "/Library/LaunchAgents/com.example.sync.plist",
                             inspection::LaunchReference::Scope::systemAgent};
const inspection::FileDependencyReport kReports[] = {
    {{}, {{4242, "Preview"}, {77, "mds"}}, {kAgent}, kApp, {"https://example.com/disk.iso"}, 1, kCreated, kCreated},
    {{}, {}, {kAgent}, std::nullopt, {}, 1, std::nullopt, std::nullopt},
    {{}, {}, {}, kApp, {}, 3, std::nullopt, std::nullopt},
    {{}, {}, {}, inspection::FileOwnerHint{inspection::FileOwnerHint::Kind::userData, "", {}, {}}, {}, 1, std::nullopt, std::nullopt},
};

TEST_F(FileDependencySheetTest, TheBannerCardsAndOwnerFollowTheReportInBothLanguages)
{
    struct Case {
        QString title, body, titleZh, bodyZh;
        QString processes, launchItems;  // the red numbers
        int cards;
    };
    const Case cases[] = {
        {"In use — deleting may break a running service",
         "2 process(es) have it open, 1 launch item(s) reference it. Quit those programs or unload the launch item first.",
         "正在被使用，删除可能导致服务异常", "2 个进程正在打开它，1 个启动项引用了它。建议先退出相关程序或停用启动项。",
         "2", "1", 5},
        {"In use — deleting may break a running service",
         "1 launch item(s) reference it. Quit those programs or unload the launch item first.",
         "正在被使用，删除可能导致服务异常", "1 个启动项引用了它。建议先退出相关程序或停用启动项。", "", "1", 4},
        {"Hard-linked — deleting won't free space", "This file has 3 hard links; other paths still point at the same data.",
         "存在硬链接，删除不会释放空间", "该文件有 3 个硬链接，其他路径仍指向同一份数据。", "", "", 4},
        {"No dependencies detected",
         "No process has it open and no launch item references it. These checks only cover a few signals and cannot "
         "prove nothing else depends on it — make sure you recognize this file before deciding to delete it.",
         "未检测到依赖",
         "没有进程打开它，也没有启动项引用它。但检测只覆盖这几种信号，不能证明没有其他程序依赖它——"
         "请确认你认得这个文件再决定是否删除。",
         "", "", 4},
    };
    static_assert(std::size(cases) == std::size(kReports));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        report = kReports[i];
        language::LanguageManager::shared().setCurrent("en");
        QQuickWindow* window = openAndAnalyse();
        EXPECT_EQ(text(window, "largeFiles.dependencies.banner.title"), c.title);
        EXPECT_EQ(text(window, "largeFiles.dependencies.banner.body"), c.body);
        EXPECT_EQ(count(window, "processes"), c.processes);
        EXPECT_EQ(count(window, "launchItems"), c.launchItems);
        EXPECT_EQ(shownCards(window), c.cards);
        language::LanguageManager::shared().setCurrent("zh-Hans");
        EXPECT_EQ(text(window, "largeFiles.dependencies.banner.title"), c.titleZh);
        EXPECT_EQ(text(window, "largeFiles.dependencies.banner.body"), c.bodyZh);
        close();
    }

    // An application owner: its icon and Open App. The launch item's badge
    // and its reveal button.
    report = kReports[0];
    language::LanguageManager::shared().setCurrent("en");
    QQuickWindow* window = openAndAnalyse();
    ItemDriver onSheet(*window);
    EXPECT_TRUE(onSheet.find("largeFiles.dependencies.owner.appIcon")->isVisible());
    EXPECT_FALSE(onSheet.find("largeFiles.dependencies.owner.tile")->isVisible());
    EXPECT_EQ(text(window, "largeFiles.dependencies.owner.name"), "Notes");
    EXPECT_EQ(processText(window, 77, "largeFiles.dependencies.process.pid"), "PID 77");
    EXPECT_EQ(text(window, "largeFiles.dependencies.launchItem.scope"), "System Agent");
    clickIn(window, onSheet.find("largeFiles.dependencies.owner.open"));
    clickIn(window, onSheet.find("largeFiles.dependencies.launchItem.reveal"));
    ASSERT_GE(workspace->calls().size(), 2);
    EXPECT_EQ(workspace->calls().at(workspace->calls().size() - 2),
              (FakeWorkspace::Call{"openApplication", {"/Applications/Notes.app"}}));
    EXPECT_EQ(workspace->calls().last().arguments, QStringList{kAgent.plistPath});
    close();

    // The user's own file without a name, whose stat failed.
    report = kReports[3];
    window = openAndAnalyse();
    EXPECT_EQ(text(window, "largeFiles.dependencies.owner.name"), "—");
    EXPECT_EQ(text(window, "largeFiles.dependencies.owner.sentence"),
              "Your own file (); neither the system nor apps depend on it.");
    EXPECT_FALSE(ItemDriver(*window).find("largeFiles.dependencies.owner.open")->isVisible());
    EXPECT_EQ(info(window, "created"), "—");
    EXPECT_EQ(info(window, "lastAccess"), "—");
    EXPECT_EQ(info(window, "hardLinks"), "1");
}

TEST_F(FileDependencySheetTest, DatesFollowTheLanguage)
{
    report.created = kCreated;
    QQuickWindow* window = openAndAnalyse();
    const QString english = info(window, "created");
    EXPECT_EQ(english, fmt::mediumDateShortTime(kCreated, fmt::Lang::English));
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_EQ(info(window, "created"),
              fmt::mediumDateShortTime(kCreated, fmt::Lang::Chinese));
    EXPECT_NE(info(window, "created"), english);
}

TEST_F(FileDependencySheetTest, WhileAnalysingTheHeaderAndFooterWorkAndALateReportChangesNothing)
{
    QQuickWindow* window = open();
    ItemDriver onSheet(*window);
    EXPECT_TRUE(onSheet.find("largeFiles.dependencies.progress")->isVisible());
    EXPECT_FALSE(onSheet.find("largeFiles.dependencies.report")->isVisible());
    EXPECT_EQ(text(window, "largeFiles.dependencies.name"), "disk.iso");
    EXPECT_EQ(text(window, "largeFiles.dependencies.subtitle").left(10), "83.9 MB · ");
    EXPECT_EQ(executor->lastPriority(), platform::core::Priority::UserInitiated);
    clickIn(window, onSheet.find("largeFiles.dependencies.reveal"));
    EXPECT_EQ(workspace->calls().last().arguments, QStringList{file});

    // Closed before the report came: the screen forgets the file. Opened
    // again, the first report arrives during the second analysis and is
    // dropped; only the second one shows.
    close();
    EXPECT_TRUE(item->property("screen").value<QObject*>()->property("inspecting").toMap().isEmpty());
    window = open();
    report.hardLinkCount = 2;
    ASSERT_EQ(executor->pending(), 2u);
    for (int i = 0; i < 3; ++i)
        executor->step();
    settle();
    EXPECT_TRUE(ItemDriver(*window).find("largeFiles.dependencies.progress")->isVisible());
    executor->runAll();
    settle();
    EXPECT_TRUE(ItemDriver(*window).find("largeFiles.dependencies.report")->isVisible());
    clickIn(window, ItemDriver(*window).find("largeFiles.dependencies.close"));
    EXPECT_TRUE(waitFor([&] { return !sheetShown(); }));
}

// The real analysis of a file that a child process holds open and that has
// a second name.
TEST_F(FileDependencySheetTest, ARealFileShowsItsHolderAndItsLinks)
{
    FileDependencyAnalysis::setAnalyzer({});
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(tree.at("Users/me/disk-copy.iso")).constData()), 0);
    QProcess holder;
    holder.start("/bin/sh", {"-c", "exec sleep 60 3<\"$0\"", file});
    ASSERT_TRUE(holder.waitForStarted());
    const QString fd = QStringLiteral("/proc/%1/fd/3").arg(holder.processId());
    ASSERT_TRUE(waitFor([&] { return QFileInfo(fd).symLinkTarget() == file; }));

    QQuickWindow* window = openAndAnalyse();
    const qint64 pid = holder.processId();
    EXPECT_EQ(processText(window, pid, "largeFiles.dependencies.process.pid"), "PID " + QString::number(pid));
    EXPECT_EQ(processText(window, pid, "largeFiles.dependencies.process.command"), "sleep");
    EXPECT_EQ(info(window, "hardLinks"), "2");
    EXPECT_EQ(text(window, "largeFiles.dependencies.banner.title"), "In use — deleting may break a running service");
    holder.kill();
    holder.waitForFinished();
}

inspection::FileDependencyReport heldBy(int holders)
{
    inspection::FileDependencyReport held;
    for (int i = 0; i < holders; ++i)
        held.openBy.append({1000 + i, QStringLiteral("worker")});
    return held;
}

// The first 200 holders are listed, a line counts the rest; all of them
// count in the banner and beside the card's title.
TEST(DependencyReportMapTest, ListsTheFirstHoldersAndCountsTheRest)
{
    struct Case {
        int holders;
        QString more, moreEnglish;
    };
    const Case cases[] = {{200, {}, {}}, {201, "…还有 1 个进程", "… and 1 more process(es)"},
                          {10000, "…还有 9800 个进程", "… and 9800 more process(es)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holders);
        const QVariantMap map = screens::dependencyReportMap(heldBy(c.holders));
        const QVariantList rows = map.value("processes").toList();
        ASSERT_EQ(rows.size(), 200);
        EXPECT_EQ(rows.last().toMap().value("pid").toInt(), 1199);
        EXPECT_EQ(map.value("processCount").toInt(), c.holders);
        EXPECT_EQ(map.value("moreProcesses").toString(), c.more);
        EXPECT_EQ(map.value("moreProcessesEnglish").toString(), c.moreEnglish);
        EXPECT_TRUE(map.value("banner").toMap().value("bodyEnglish").toString().startsWith(
            QString::number(c.holders) + " process(es)"));
    }
}

TEST_F(FileDependencySheetTest, AFileHeldByThousandsShowsTheFirstHoldersAndALineForTheRest)
{
    report = heldBy(10000);
    QQuickWindow* window = openAndAnalyse();
    EXPECT_EQ(ItemDriver(*window).findAll("largeFiles.dependencies.process", window->contentItem()).size(), 200);
    EXPECT_EQ(count(window, "processes"), "10000");
    EXPECT_EQ(text(window, "largeFiles.dependencies.moreProcesses"), "… and 9800 more process(es)");
    language::LanguageManager::shared().setCurrent("zh-Hans");
    EXPECT_EQ(text(window, "largeFiles.dependencies.moreProcesses"), "…还有 9800 个进程");
}

// Every fixture report, whole, in both themes and languages.
TEST_F(FileDependencySheetTest, PicturesOfTheReports)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "set VELK_SHOT_DIR to render the pictures";
    for (std::size_t i = 0; i < std::size(kReports); ++i) {
        report = kReports[i];
        openAndAnalyse();
        for (const char* theme : {"classic", "cyber"}) {
            design::ThemeManager::shared().setCurrentRawValue(theme);
            for (const char* lang : {"zh-Hans", "en"}) {
                language::LanguageManager::shared().setCurrent(lang);
                settle();
                shoot(QStringLiteral("report%1-%2-%3").arg(i).arg(theme, lang));
            }
        }
        close();
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

} // namespace
} // namespace velk::test
