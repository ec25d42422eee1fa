#include "engine/cleaning/LargeFileFixture.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "engine/cleaning/LargeFileScanSelectionStore.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "support/ManualExecutor.h"
#include "support/ScopedEnv.h"
#include "ui/screens/largefiles/LargeFileDeleteText.h"
#include "ui/screens/largefiles/LargeFileRowStyle.h"
#include "ui/screens/largefiles/LargeFileScope.h"
#include "ui/screens/largefiles/LargeFilesScreen.h"
#include "ui/models/SystemWords.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace velk::screens {
namespace {

using test::LargeFileTree;
using Mode = LargeFilesScreen::DeleteMode;

constexpr qint64 kMiB = 1024 * 1024;

cleaning::FileItem fileAt(const QString& path, qint64 size = 1000)
{
    return cleaning::FileItem(path, size, std::nullopt, cleaning::FileItem::ItemType::File);
}

QStringList shownPaths(const LargeFileScope& scope)
{
    QStringList paths;
    for (const ScopeRow& row : const_cast<LargeFileScope&>(scope).rows()->rows())
        paths << row.path;
    return paths;
}

// The start-up volume with two user folders and a leaf folder, and a local
// backup volume with one folder.
struct ScopeMachine {
    LargeFileTree tree;
    ScopeMachine()
    {
        for (const char* folder : {"Users/alice", "opt", "Volumes/Backup/Photos"})
            tree.dir(folder);
        tree.volumes().addMount(tree.root(), "apfs");
        tree.volumes().addMount(tree.at("Volumes/Backup"), "apfs");
    }
};

TEST(LargeFileScopeTest, TicksChangeOneFolderAndStartTreeByTreeInPreOrder)
{
    ScopeMachine m;
    LargeFileScope scope;
    scope.load();
    // The home is ticked by default and shown: the volume and the user
    // folders are open, the backup volume is not.
    EXPECT_EQ(scope.selectionList(), QStringList{m.tree.home()});
    EXPECT_EQ(shownPaths(scope), (QStringList{m.tree.root(), m.tree.at("Users"), m.tree.at("Users/alice"),
                                              m.tree.home(), m.tree.at("opt"), m.tree.at("Volumes/Backup")}));
    EXPECT_EQ(scope.rows()->rows()[3].depth, 2);

    scope.toggleSelected(m.tree.at("Volumes/Backup/Photos"));  // inside a collapsed branch
    scope.toggleSelected(m.tree.at("Users"));
    scope.toggleExpanded(m.tree.at("Users"));                  // hides the ticked home
    scope.toggleExpanded(m.tree.at("opt"));                    // a leaf stays closed
    EXPECT_EQ(shownPaths(scope), (QStringList{m.tree.root(), m.tree.at("Users"), m.tree.at("opt"),
                                              m.tree.at("Volumes/Backup")}));
    EXPECT_FALSE(scope.rows()->rows()[2].isExpanded);
    EXPECT_EQ(scope.startPaths(), (QStringList{m.tree.at("Users"), m.tree.home(), m.tree.at("Volumes/Backup/Photos")}));

    scope.toggleSelected(m.tree.at("Users"));
    EXPECT_EQ(scope.startPaths(), (QStringList{m.tree.home(), m.tree.at("Volumes/Backup/Photos")}));
    scope.toggleSelected("/not/in/the/trees");
    EXPECT_EQ(scope.selectionList().size(), 2);
}

TEST(LargeFileScopeTest, SavedTicksReopenAndAnEmptiedSelectionReopensOnTheDefault)
{
    ScopeMachine m;
    {
        LargeFileScope scope;
        scope.load();
        scope.toggleSelected(m.tree.at("opt"));
        scope.save();
    }
    EXPECT_EQ(m.tree.defaults().stringList(cleaning::LargeFileScanSelectionStore::key).value_or(QStringList{"unset"}),
              (QStringList{m.tree.home(), m.tree.at("opt")}));
    LargeFileScope reopened;
    reopened.load();
    EXPECT_EQ(reopened.selectionList(), (QStringList{m.tree.home(), m.tree.at("opt")}));
    reopened.toggleSelected(m.tree.home());
    reopened.toggleSelected(m.tree.at("opt"));
    EXPECT_FALSE(reopened.hasSelection());
    reopened.save();
    EXPECT_EQ(m.tree.defaults().stringList(cleaning::LargeFileScanSelectionStore::key).value_or(QStringList{"unset"}), QStringList());
    reopened.load();
    EXPECT_EQ(reopened.selectionList(), QStringList{m.tree.home()});
}

TEST(LargeFileDeleteTextTest, MessagesNameTheFirstThreeSortedAndCountFiles)
{
    LargeFileTree tree;  // locations of a macOS layout for the system note
    const auto held = [](std::initializer_list<const char*> commands) {
        QList<inspection::FileOpenHandle> handles;
        int pid = 100;
        for (const char* command : commands)
            handles.append({pid++, QString::fromLatin1(command)});
        return handles;
    };
    cleaning::LargeFilesViewModel::InUseMap fiveFiles;
    const char* commands[] = {"b", "a", "a", "d", "c"};
    for (int i = 0; i < 5; ++i)
        fiveFiles.insert(QStringLiteral("/u/f%1.bin").arg(i), held({commands[i]}));
    cleaning::LargeFilesViewModel::InUseMap fourNames;
    for (const char* name : {"d.mov", "a.dmg", "c.zip", "b.iso"})
        fourNames.insert(QStringLiteral("/u/") + name, held({"x"}));
    const QList<cleaning::FileItem> three{fileAt("/u/a", 1'000'000), fileAt("/u/b", 500'000), fileAt("/u/c", 0)};
    const QList<cleaning::FileItem> withSystem{fileAt(tree.at("System/Library/big")), fileAt(tree.at("System/x"))};

    struct Case {
        QList<cleaning::FileItem> selected;
        cleaning::LargeFilesViewModel::InUseMap inUse;
        bool permanent;
        bool english;
        QStringList pieces;  // the message's four pieces, the system note last when there is one
    };
    const QString noneFound = "No process was detected using these files, but that does not mean nothing else depends "
                              "on them. Make sure you recognize them.";
    const QString trashLine = "You can restore mistakes from the Trash.";
    const QString systemNote = "Some files are in /System. They belong to macOS. Deleting them can break the system or "
                               "updates, and System Integrity Protection often blocks the deletion.";
    const Case cases[] = {
        {three, {}, false, true, {"3 item(s) (1.5 MB).", noneFound, trashLine}},
        {three, fiveFiles, false, false,
         {"已选 3 项（1.5 MB）。", "⚠️ 5 个文件正在被 \u2068a\u2069、\u2068b\u2069、\u2068c\u2069 使用（\u2068f0.bin\u2069、\u2068f1.bin\u2069、\u2068f2.bin\u2069）。删除可能导致这些程序出错，建议先退出它们。",
          "误删可从废纸篓恢复。"}},
        {three, fiveFiles, true, true,
         {"3 item(s) (1.5 MB).",
          "⚠️ 5 file(s) are open by \u2068a\u2069, \u2068b\u2069, \u2068c\u2069 (\u2068f0.bin\u2069, \u2068f1.bin\u2069, \u2068f2.bin\u2069). Deleting may break those programs; quit them first.",
          "These files will be deleted immediately. They will not go to the Trash and cannot be restored from there."}},
        {three, fourNames, false, true,
         {"3 item(s) (1.5 MB).",
          "⚠️ 4 file(s) are open by \u2068x\u2069 (\u2068a.dmg\u2069, \u2068b.iso\u2069, \u2068c.zip\u2069). Deleting may break those programs; quit them first.",
          trashLine}},
        {withSystem, {}, false, true, {"2 item(s) (2 KB).", noneFound, trashLine, systemNote}},
        {{}, {}, false, false, {"已选 0 项（零 KB）。", QString(), QString()}},
    };
    for (const Case& c : cases) {
        const QStringList pieces = deletetext::message(c.selected, c.inUse, c.permanent, c.english).split("\n\n");
        if (c.pieces[1].isEmpty()) {
            EXPECT_EQ(pieces.first(), c.pieces.first());
            continue;
        }
        EXPECT_EQ(pieces, c.pieces);
    }

    EXPECT_EQ(deletetext::title(true, true, true), "Some files are in use");
    EXPECT_EQ(deletetext::title(false, true, false), "部分文件正在被使用");
    EXPECT_EQ(deletetext::title(true, false, true), "Delete permanently?");
    EXPECT_EQ(deletetext::title(false, false, false), "移至废纸篓？");
}

// A Linux machine is told about its own folders and file manager; the macOS
// layout keeps its own words.
TEST(LargeFileDeleteTextTest, SystemWordsFollowTheLayoutOfTheFolders)
{
    using Layout = platform::locations::Locations::Layout;
    struct Case {
        Layout layout;
        QList<cleaning::FileItem> selected;
        QString zhNote, enNote, zhReveal, enReveal;
    };
    LargeFileTree tree;
    const QList<cleaning::FileItem> macFiles{fileAt(tree.at("System/Library/big"))};
    const QList<cleaning::FileItem> linuxFiles{fileAt("/usr/local/lib/libbig.so.13"), fileAt("/etc/big.conf"),
                                                fileAt("/usr/lib/x.so")};
    const Case cases[] = {
        {Layout::macOS, macFiles,
         "其中包含 /System 系统目录。这些文件属于 macOS，删除可能导致系统或更新异常，而且经常会被系统保护而删不掉。",
         "Some files are in /System. They belong to macOS. Deleting them can break the system or updates, and System "
         "Integrity Protection often blocks the deletion.",
         "在 Finder 中显示", "Reveal in Finder"},
        {Layout::Linux, linuxFiles,
         "其中包含系统目录（/etc、/usr）中的文件。这些文件属于操作系统，删除可能导致系统或软件包更新异常。",
         "Some files are in system folders (/etc, /usr). They belong to the operating system. Deleting them can break "
         "the system or its package updates.",
         "在文件管理器中显示", "Show in File Manager"},
    };
    for (const Case& c : cases) {
        std::optional<platform::core::ScopedService<platform::locations::Locations>> linuxLayout;
        if (c.layout == Layout::Linux)
            linuxLayout.emplace(platform::locations::Locations::linuxProfile(tree.home()));
        ASSERT_EQ(models::systemwords::currentLayout(), c.layout);
        EXPECT_EQ(deletetext::message(c.selected, {}, false, false).split("\n\n").last(), c.zhNote);
        EXPECT_EQ(deletetext::message(c.selected, {}, true, true).split("\n\n").last(), c.enNote);
        const models::SystemWords words;
        EXPECT_EQ(words.revealZh(), c.zhReveal);
        EXPECT_EQ(words.revealEn(), c.enReveal);
    }
}

TEST(LargeFileRowStyleTest, KindFollowsTheLowerCasedExtensionAndSizeItsThresholds)
{
    struct KindCase {
        const char* path;
        bool directory;
        const char* symbol;
        const char* tone;
    };
    for (const KindCase& c : std::initializer_list<KindCase>{
             {"/m/Movie.MOV", false, "film", "amber"},
             {"/m/setup.PKG", false, "externaldrive", "accent"},
             {"/m/backup.zip", true, "archivebox", "amber"},
             {"/m/song.flac", false, "music.note", "slate"},
             {"/m/paper.pdf", false, "doc.text", "slate"},
             {"/m/Projects", true, "folder", "slate"},
             {"/m/core", false, "doc", "slate"},
             {"/m/archive.tar.gz", false, "archivebox", "amber"},
         }) {
        EXPECT_EQ(rowstyle::kind(c.path, c.directory).symbol, c.symbol) << c.path;
        EXPECT_EQ(rowstyle::kind(c.path, c.directory).tone, c.tone) << c.path;
    }
    EXPECT_EQ(rowstyle::sizeTone(1'000'000'001), "accent");
    EXPECT_EQ(rowstyle::sizeTone(1'000'000'000), "amber");
    EXPECT_EQ(rowstyle::sizeTone(500'000'001), "amber");
    EXPECT_EQ(rowstyle::sizeTone(500'000'000), "text1");
}

// The screen over a view model that scans a temporary home, steps its
// background work by hand and removes through the real remover, with the
// Trash inside the temporary home.
class LargeFilesScreenTest : public testing::Test {
protected:
    LargeFileTree tree;
    std::shared_ptr<test::ManualExecutor> executor = std::make_shared<test::ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    platform::core::ScopedService<platform::files::FileRemover> remover{platform::files::FileRemover::createDefault()};
    test::ScopedEnv dataHome{"XDG_DATA_HOME", QFile::encodeName(tree.home() + "/.local/share")};
    cleaning::LargeFilesViewModel vm;
    LargeFilesScreen screen;

    LargeFilesScreenTest() { screen.setViewModel(&vm); }

    void scan()
    {
        vm.scan({tree.home()});
        executor->runAll();
    }
};

TEST_F(LargeFilesScreenTest, AFileHeldOpenIsReportedBeforeItGoesToTheTrash)
{
    const QString held = tree.file("Users/me/Movies/held.mov", 60 * kMiB);
    tree.file("Users/me/Movies/free.iso", 70 * kMiB);
    scan();
    ASSERT_EQ(vm.items().size(), 2);
    EXPECT_EQ(screen.selectedSize(), 130.0 * kMiB);
    vm.setSearchText("iso");
    EXPECT_EQ(screen.filteredSize(), 70.0 * kMiB);

    QProcess child;
    child.setStandardInputFile(held);
    child.start("sleep", {"60"});
    ASSERT_TRUE(child.waitForStarted());

    screen.prepareDelete(Mode::Trash);
    EXPECT_EQ(screen.checkingDelete(), Mode::Trash);
    EXPECT_EQ(screen.busyDelete(), Mode::Trash);
    EXPECT_TRUE(vm.isCheckingInUse());
    screen.prepareDelete(Mode::Permanent);  // refused while the check runs
    executor->runAll();
    EXPECT_EQ(screen.checkingDelete(), Mode::NoDelete);
    EXPECT_EQ(screen.confirmDelete(), Mode::Trash);
    EXPECT_EQ(screen.deleteTitleEnglish(), "Some files are in use");
    EXPECT_TRUE(screen.deleteMessageEnglish().contains("1 file(s) are open by \u2068sleep\u2069 (\u2068held.mov\u2069)"))
        << screen.deleteMessageEnglish().toStdString();
    child.kill();
    child.waitForFinished();

    screen.confirmDeletion();
    EXPECT_EQ(screen.confirmDelete(), Mode::NoDelete);
    EXPECT_EQ(screen.busyDelete(), Mode::Trash);
    executor->runAll();
    EXPECT_EQ(screen.busyDelete(), Mode::NoDelete);
    EXPECT_TRUE(vm.items().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(held));
    EXPECT_TRUE(QFileInfo(tree.home() + "/.local/share/Trash/files/held.mov").isFile());
    EXPECT_TRUE(QFileInfo(tree.home() + "/.local/share/Trash/files/free.iso").isFile());
}

TEST_F(LargeFilesScreenTest, CancelLeavesTheSelectionAndTheFilesAlone)
{
    const QString file = tree.file("Users/me/a/big.dmg", 60 * kMiB);
    scan();
    screen.prepareDelete(Mode::Permanent);
    executor->runAll();
    EXPECT_EQ(screen.confirmDelete(), Mode::Permanent);
    EXPECT_EQ(screen.deleteTitle(), "永久删除？");
    screen.cancelDeletion();
    EXPECT_EQ(screen.confirmDelete(), Mode::NoDelete);
    screen.confirmDeletion();
    executor->runAll();
    EXPECT_EQ(vm.selectedCount(), 1);
    EXPECT_TRUE(QFileInfo::exists(file));

    screen.inspect(vm.items().first().id.toString());
    EXPECT_EQ(screen.property("inspecting").toMap().value("path").toString(), file);
    screen.clearInspecting();
    EXPECT_TRUE(screen.property("inspecting").toMap().isEmpty());
}

} // namespace
} // namespace velk::screens
