#include "JunkFixture.h"

#include "engine/cleaning/SyncFileScanner.h"
#include "engine/cleaning/SystemJunkScanner.h"
#include "platform/locations/SafeFolders.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::cleaning;
using namespace velk::palette;
using velk::test::JunkHome;

namespace {

QStringList pathsOf(const std::vector<FileItem>& items)
{
    QStringList paths;
    for (const FileItem& item : items)
        paths.append(item.path);
    return paths;
}

QStringList namesOf(const std::vector<FileItem>& items)
{
    QStringList names;
    for (const FileItem& item : items)
        names.append(item.name);
    return names;
}

} // namespace

TEST(SystemJunkScanner, FoldersAreTheMacLocationsOfTheProfile)
{
    JunkHome home;
    const SystemJunkScanner scanner;
    EXPECT_EQ(scanner.paths(ScanCategoryID::userCaches), QStringList{home.home() + "/Library/Caches"});
    EXPECT_EQ(scanner.paths(ScanCategoryID::systemLogs), QStringList{home.root() + "/Library/Logs"});
    EXPECT_EQ(scanner.paths(ScanCategoryID::trash), QStringList{home.home() + "/.Trash"});
    const QString xcode = home.home() + "/Library/Developer/Xcode/";
    EXPECT_EQ(scanner.paths(ScanCategoryID::xcodeDeviceSupport),
              QStringList({xcode + "iOS DeviceSupport", xcode + "watchOS DeviceSupport", xcode + "tvOS DeviceSupport",
                           xcode + "visionOS DeviceSupport"}));
    EXPECT_EQ(scanner.paths(ScanCategoryID::goCache),
              QStringList({home.home() + "/Library/Caches/go-build", home.home() + "/go/pkg/mod/cache"}));
    EXPECT_EQ(scanner.paths(ScanCategoryID::cargoCache),
              QStringList({home.home() + "/.cargo/registry/cache", home.home() + "/.cargo/registry/src"}));
    EXPECT_EQ(scanner.paths(ScanCategoryID::gemCache), QStringList{home.home() + "/.gem/specs"});
    for (ScanCategoryID id : allScanCategoryIDs)
        EXPECT_TRUE(scanner.scan(id).empty()) << qPrintable(rawValue(id));
}

TEST(SystemJunkScanner, ItemsAreVisibleChildrenLargestFirstWithTiesInFolderOrder)
{
    JunkHome home;
    home.file("Downloads/small.bin", 10);
    home.file("Downloads/big/inner/data", 500);
    home.file("Downloads/big/.hidden", 1000);
    home.file("Downloads/.secret", 900);
    home.file("Downloads/empty.bin", 0);
    home.dir("Downloads/emptyFolder");
    QFile::link(home.file("elsewhere.bin", 700), home.home() + "/Downloads/link.bin");

    const std::vector<FileItem> downloads = SystemJunkScanner().scan(ScanCategoryID::downloads);
    EXPECT_EQ(namesOf(downloads), QStringList({"big", "small.bin"}));
    ASSERT_EQ(downloads.size(), 2u);
    EXPECT_EQ(downloads[0].size, 500);
    EXPECT_EQ(downloads[0].itemType, FileItem::ItemType::Directory);

    // Equal sizes across the two go folders keep the folders' order; within a
    // folder, the listing's order.
    home.file("go/pkg/mod/cache/download", 64);
    home.file("Library/Caches/go-build/aa", 64);
    home.file("Library/Caches/go-build/bb", 64);
    home.file("Library/Caches/go-build/cc", 64);
    home.file("Library/Caches/go-build/largest", 65);
    QStringList expected = {home.home() + "/Library/Caches/go-build/largest"};
    for (const FileItem& listed : SyncFileScanner::directorySizeScanned(home.home() + "/Library/Caches/go-build")) {
        if (listed.size == 64)
            expected.append(listed.path);
    }
    expected.append(home.home() + "/go/pkg/mod/cache/download");
    EXPECT_EQ(pathsOf(SystemJunkScanner().scan(ScanCategoryID::goCache)), expected);
}

TEST(SystemJunkScanner, MissingFoldersAreSkippedAndLinkedFoldersFollowed)
{
    JunkHome home;
    // Only one of the four device-support folders, and only the go-build half
    // of the go cache.
    home.file("Library/Developer/Xcode/iOS DeviceSupport/17.0/symbols", 30);
    home.file("Library/Caches/go-build/00", 20);
    // A category folder that is a link to a real folder is scanned.
    home.file("real-npm/blob", 40);
    home.dir(".npm");
    QFile::link(home.home() + "/real-npm", home.home() + "/.npm/_cacache");
    // A category "folder" that is a plain file contributes nothing.
    home.file(".gradle/caches", 50);

    const SystemJunkScanner scanner;
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::xcodeDeviceSupport)), QStringList{"17.0"});
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::goCache)), QStringList{"00"});
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::npmCache)), QStringList{"blob"});
    EXPECT_TRUE(scanner.scan(ScanCategoryID::gradleCache).empty());
}

TEST(SystemJunkScanner, LanguageFilesKeepTheSystemLanguageAndBase)
{
    JunkHome home(QStringLiteral("zh"));
    const QString userApps = "Applications/Notes.app/Contents/Resources/";
    home.file(userApps + "zh-Hans.lproj/Main.strings", 11);
    home.file(userApps + "zh_TW.lproj/Main.strings", 12);
    home.file(userApps + "ZH.lproj/Main.strings", 13);
    home.file(userApps + "Base.lproj/Main.nib", 14);
    home.file(userApps + "en.lproj/Main.strings", 15);
    home.file(userApps + "fr-CA.lproj/Main.strings", 16);
    home.file(userApps + "zhx.lproj/Main.strings", 17);
    home.file(userApps + "Icon.icns", 18);
    home.file("Applications/NoResources.app/Contents/Info.plist", 19);
    home.file("Applications/Folder/Nested.app/Contents/Resources/de.lproj/x.strings", 20);
    home.rootFile("Applications/Maps.app/Contents/Resources/ja.lproj/y.strings", 21);

    const SystemJunkScanner scanner;
    const QString resources = home.home() + "/" + userApps;
    QStringList folders = scanner.paths(ScanCategoryID::languageFiles);
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders.last(), home.root() + "/Applications/Maps.app/Contents/Resources/ja.lproj");
    folders.removeLast();
    folders.sort();
    EXPECT_EQ(folders, QStringList({resources + "en.lproj", resources + "fr-CA.lproj", resources + "zhx.lproj"}));

    // The items are the entries inside the language folders.
    const std::vector<FileItem> items = scanner.scan(ScanCategoryID::languageFiles);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].path, home.root() + "/Applications/Maps.app/Contents/Resources/ja.lproj/y.strings");
    EXPECT_EQ(items[1].path, resources + "zhx.lproj/Main.strings");
    EXPECT_EQ(items[2].path, resources + "fr-CA.lproj/Main.strings");
    EXPECT_EQ(items[3].path, resources + "en.lproj/Main.strings");
}

TEST(SystemJunkScanner, LanguagePartDecidesWhichFoldersStay)
{
    struct Case {
        const char* folder;
        const char* language;
        bool kept;
    };
    const Case cases[] = {
        {"Base", "fr", true},       {"zh-Hans", "zh", true},   {"zh_CN", "zh", true},  {"ZH-hant", "zh", true},
        {"zh", "ZH", true},         {"en", "zh", false},       {"zhx", "zh", false},   {"base", "fr", false},
        {"pt-BR", "pt", true},      {"en-GB", "en", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SystemJunkScanner::keepsLanguageFolder(QString::fromLatin1(c.folder), QString::fromLatin1(c.language)),
                  c.kept)
            << c.folder << " / " << c.language;
    }
}

TEST(SystemJunkScanner, ALocaleWithoutALanguageKeepsEnglish)
{
    for (const char* code : {"", "c", "POSIX"}) {
        JunkHome home(QString::fromLatin1(code));
        const QString resources = home.home() + "/Applications/Notes.app/Contents/Resources/";
        home.file("Applications/Notes.app/Contents/Resources/en.lproj/Main.strings", 5);
        home.file("Applications/Notes.app/Contents/Resources/fr.lproj/Main.strings", 6);
        EXPECT_EQ(SystemJunkScanner().paths(ScanCategoryID::languageFiles), QStringList{resources + "fr.lproj"})
            << code;
    }
}

namespace {

// The Linux layout over a temporary home, with the cache folder given.
struct LinuxHome {
    test::TempTree tree;
    QString home = tree.dir("home/me");
    test::ScopedEnv cache;
    test::ScopedEnv config{"XDG_CONFIG_HOME", QFile::encodeName(home + "/.config")};
    test::ScopedEnv data{"XDG_DATA_HOME", QFile::encodeName(home + "/.local/share")};
    test::ScopedEnv state{"XDG_STATE_HOME", QByteArray()};
    platform::core::ScopedService<platform::locations::Locations> locations;
    explicit LinuxHome(const QByteArray& cacheHome)
        : cache("XDG_CACHE_HOME", cacheHome.isNull() ? QFile::encodeName(home + "/.cache") : cacheHome)
        , locations(platform::locations::Locations::linuxProfile(home))
    {
    }
};

} // namespace

// A cache folder that is the home, "/", or (through a link) a system folder
// resolves to nothing, with the caches below it: none of it is listed, so
// none of it can be cleaned. So does a Trash below a data folder that is the
// home, and a download folder that is the home.
TEST(SystemJunkScanner, ACategoryFolderThatIsNoCacheIsRefused)
{
    {
        LinuxHome linux(QByteArray{});
        linux.tree.file("home/me/Documents/thesis.tex", 900);
        linux.tree.file("home/me/pip/setup.py", 90);
        linux.tree.file("home/me/go-build/main.go", 80);
        linux.tree.file("home/me/Trash/files/notes.txt", 70);
        linux.tree.file("home/me/Downloads/old.iso", 60);
        linux.tree.fileWithContent("home/me/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
        test::ScopedEnv cache("XDG_CACHE_HOME", QFile::encodeName(linux.home));
        test::ScopedEnv data("XDG_DATA_HOME", QFile::encodeName(linux.home));
        platform::core::ScopedService<platform::locations::Locations> locations(platform::locations::Locations::linuxProfile(linux.home));
        const SystemJunkScanner scanner;
        for (ScanCategoryID id : {ScanCategoryID::userCaches, ScanCategoryID::pipCache, ScanCategoryID::goCache,
                                  ScanCategoryID::trash, ScanCategoryID::downloads}) {
            EXPECT_TRUE(scanner.scan(id).empty()) << rawValue(id).toStdString();
        }
        EXPECT_TRUE(scanner.paths(ScanCategoryID::userCaches).isEmpty());
    }
    {
        // A bind mount of one of the user's folders is that folder.
        LinuxHome linux(QByteArray{});
        linux.tree.file("home/me/Documents/thesis.tex", 900);
        const auto bind = test::ScopedMount::bind(linux.home + "/Documents", linux.tree.dir("home/me/.npm/_cacache"));
        ASSERT_TRUE(bind.ok()) << bind.error();
        EXPECT_TRUE(SystemJunkScanner().scan(ScanCategoryID::npmCache).empty());
    }
    {
        LinuxHome linux("/");
        const SystemJunkScanner scanner;
        EXPECT_TRUE(scanner.paths(ScanCategoryID::userCaches).isEmpty());
    }
    {
        LinuxHome linux(QByteArray{});
        ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), linux.home + "/.cache"));
        const SystemJunkScanner scanner;
        EXPECT_TRUE(scanner.paths(ScanCategoryID::userCaches).isEmpty());
        EXPECT_TRUE(scanner.scan(ScanCategoryID::userCaches).empty());
    }
    {
        LinuxHome linux(QByteArray{});
        test::ScopedEnv cache("XDG_CACHE_HOME", QFile::encodeName(linux.tree.path("home")));
        platform::core::ScopedService<platform::locations::Locations> locations(platform::locations::Locations::linuxProfile(linux.home));
        const SystemJunkScanner scanner;
        EXPECT_TRUE(scanner.paths(ScanCategoryID::userCaches).isEmpty()) << "an ancestor of the home";
    }
    {
        // The system folders of the machine count in the macOS layout too.
        JunkHome mac;
        mac.dir("Library");
        ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), mac.home() + "/Library/Logs"));
        EXPECT_TRUE(SystemJunkScanner().paths(ScanCategoryID::userLogs).isEmpty());
    }
    {
        // Laid over the machine's own root, whatever the home, the machine's
        // system folders stay refused.
        using platform::locations::SafeFolders;
        const auto overRoot = platform::locations::Locations::macProfile(QStringLiteral("/"), QStringLiteral("/"));
        EXPECT_EQ(SafeFolders(*overRoot).check(QStringLiteral("/etc/ssl")), SafeFolders::Refusal::System);
        test::TempTree tree;
        platform::core::ScopedService<platform::locations::Locations> locations(
            platform::locations::Locations::macProfile(QStringLiteral("/"), tree.dir("home")));
        ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), tree.path("home/.Trash")));
        EXPECT_TRUE(SystemJunkScanner().scan(ScanCategoryID::trash).empty());
    }
}

// A cache folder that is, holds or lies inside one of the user's own
// folders, or that is or holds the folder of the user's settings, data or
// state, is refused like the home, through a link or the XDG variable, with
// every cache below it, and the refusal is logged once with its reason;
// another disk's, or one inside the data folder, is cleaned. The downloads
// are the XDG download folder's.
TEST(SystemJunkScanner, ACategoryFolderAtOrAroundAUserFolderIsRefused)
{
    struct Case {
        const char* cacheHome;   // below the home; null: the default ~/.cache
        const char* cacheLinkTo; // ~/.cache a link to this, below the temporary root
        const char* reason;      // logged for the refused folder; null: cleaned
    };
    for (const Case& c : {
             Case{nullptr, "home/me/Documents", "is or holds one of the user's own folders"},
             Case{"/Documents", nullptr, "is or holds one of the user's own folders"},
             Case{"/下载", nullptr, "is or holds one of the user's own folders"},
             Case{nullptr, "home/me/Documents/Work", "lies inside one of the user's own folders"},
             Case{"/Documents/Work", nullptr, "lies inside one of the user's own folders"},
             Case{nullptr, "disk/photos", "is or holds"},           // the pictures folder, outside the home
             Case{nullptr, "disk/photos/cache", "lies inside"},     // inside it
             Case{nullptr, "disk", "is or holds"},                  // holds the pictures folder
             Case{nullptr, "disk/cache", nullptr},                  // another disk's cache folder
             Case{"/.config", nullptr, "settings, data or state"},
             Case{"/.local/share", nullptr, "settings, data or state"},
             Case{"/.local/state", nullptr, "settings, data or state"},
             Case{"/.local", nullptr, "settings, data or state"},  // holds the data and state folders
             Case{nullptr, "home/me/.config", "settings, data or state"},
             Case{"/.local/share/cache", nullptr, nullptr},       // a cache inside the data folder
         }) {
        SCOPED_TRACE(c.cacheLinkTo ? c.cacheLinkTo : c.cacheHome);
        LinuxHome linux(QByteArray{});
        linux.tree.file("home/me/Documents/thesis.pdf", 900);
        linux.tree.file("home/me/Documents/Work/project/main.cpp", 300);
        linux.tree.file("home/me/下载/setup.iso", 700);
        linux.tree.file("disk/photos/cat.jpg", 800);
        linux.tree.file("disk/photos/cache/thumb.jpg", 80);
        linux.tree.file("disk/cache/thumbnails/a", 10);
        linux.tree.file("home/me/.local/share/cache/thumbnails/a", 10);
        linux.tree.file("home/me/.local/share/app/library.db", 600);
        linux.tree.file("home/me/.local/state/app/history", 60);
        linux.tree.fileWithContent("home/me/.config/user-dirs.dirs",
                                   "XDG_DOWNLOAD_DIR=\"$HOME/下载\"\nXDG_PICTURES_DIR=\""
                                       + QFile::encodeName(linux.tree.path("disk/photos")) + "\"\n");
        const QString cacheHome = linux.home + (c.cacheHome ? c.cacheHome : "/.cache");
        test::ScopedEnv cache("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
        if (c.cacheLinkTo) {
            ASSERT_TRUE(QFile::link(linux.tree.path(c.cacheLinkTo), linux.home + "/.cache"));
        }
        // A settings file below the cache folder, which no pip cache is.
        const QString pip = platform::locations::SafeFolders::realPath(cacheHome) + "/pip";
        ASSERT_TRUE(QDir().mkpath(pip));
        test::TempTree::writeFile(pip + "/pip.conf", 9);
        static QStringList warnings;
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type == QtWarningMsg && QLatin1String(context.category).startsWith(QLatin1String("velk.")))
                warnings << text;
        });
        platform::core::ScopedService<platform::locations::Locations> locations(platform::locations::Locations::linuxProfile(linux.home));
        const SystemJunkScanner scanner;
        const QStringList caches = namesOf(scanner.scan(ScanCategoryID::userCaches));
        qInstallMessageHandler(previous);
        EXPECT_EQ(caches, c.reason ? QStringList{} : QStringList{"thumbnails"});
        const QString logged = warnings.join(u'\n');
        EXPECT_EQ(warnings.size(), c.reason ? 1 : 0) << logged.toStdString();
        EXPECT_TRUE(!c.reason || (logged.contains(cacheHome) && logged.contains(c.reason))) << logged.toStdString();
        EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::pipCache)), c.reason ? QStringList{} : QStringList{"pip.conf"});
        EXPECT_TRUE(namesOf(scanner.scan(ScanCategoryID::downloads)).contains("setup.iso"));
    }
    {
        // The macOS layout's own folders count alike.
        JunkHome mac;
        mac.file("Documents/Work/main.cpp", 300);
        mac.dir("Library");
        ASSERT_TRUE(QFile::link(mac.home() + "/Documents/Work", mac.home() + "/Library/Caches"));
        EXPECT_TRUE(SystemJunkScanner().scan(ScanCategoryID::userCaches).empty());
    }
}

// On Linux the caches category is the whole XDG cache folder, which also
// holds the pip and go-build caches: those stay with their own categories.
TEST(SystemJunkScanner, TheLinuxCacheFolderLeavesTheNarrowerCachesToTheirCategories)
{
    LinuxHome linux(QByteArray{});
    linux.tree.file("home/me/.cache/pip/http/a", 30);
    linux.tree.file("home/me/.cache/go-build/0a/b", 20);
    linux.tree.file("home/me/.cache/thumbnails/c", 10);
    const SystemJunkScanner scanner;
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::userCaches)), QStringList{"thumbnails"});
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::pipCache)), QStringList{"http"});
    EXPECT_EQ(namesOf(scanner.scan(ScanCategoryID::goCache)), QStringList{"0a"});
}
