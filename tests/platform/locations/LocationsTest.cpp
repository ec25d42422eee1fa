#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeUser.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QFile>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace velk::platform::core;
using namespace velk::platform::locations;
using velk::test::ScopedEnv;

namespace {

struct Case {
    const char* location;
    QStringList expected;
};

void expectResolutions(const Locations& locations, std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(locations.resolveAll(c.location), c.expected);
    }
}

void expectPredicate(bool (Locations::*predicate)(const QString&) const, const Locations& locations,
                     std::initializer_list<const char*> yes, std::initializer_list<const char*> no)
{
    for (const char* path : yes)
        EXPECT_TRUE((locations.*predicate)(path)) << path;
    for (const char* path : no)
        EXPECT_FALSE((locations.*predicate)(path)) << path;
}

// The XDG base folders of one test, restored afterwards; a null value
// unsets its variable.
struct XdgFolders {
    ScopedEnv cache, config, data, state;
    XdgFolders(const QByteArray& cacheHome, const QByteArray& configHome, const QByteArray& dataHome,
               const QByteArray& stateHome = {})
        : cache("XDG_CACHE_HOME", cacheHome)
        , config("XDG_CONFIG_HOME", configHome)
        , data("XDG_DATA_HOME", dataHome)
        , state("XDG_STATE_HOME", stateHome)
    {
    }
};

QStringList baseFolders(const Locations& locations)
{
    return {locations.configHome(), locations.dataHome(), locations.stateHome()};
}

// The warnings the location map gives while `body` runs.
QStringList mapWarnings(const std::function<void()>& body)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && QLatin1String(context.category) == QLatin1String("velk.platform.locations"))
            warnings << text;
    });
    body();
    qInstallMessageHandler(previous);
    return warnings;
}

// The home the password database gives the running account.
QString accountHome()
{
    const passwd* entry = ::getpwuid(::getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_dir) : QString();
}

} // namespace

TEST(LocationsTest, MacProfileMapsEveryLocationToItselfUnderTheRoot)
{
    const auto mac = Locations::macProfile("/r", "/r/Users/alice");
    EXPECT_EQ(mac->home(), "/r/Users/alice");
    expectResolutions(*mac, {
        {"~", {"/r/Users/alice"}},
        {"~/", {"/r/Users/alice"}},
        {"~/Library/Caches/pip", {"/r/Users/alice/Library/Caches/pip"}},
        {"~/.Trash", {"/r/Users/alice/.Trash"}},
        {"~/Library/Caches/", {"/r/Users/alice/Library/Caches"}},
        {"~/a/./b//c/../d", {"/r/Users/alice/a/b/d"}},
        {"~/../../etc", {"/r/Users/alice/etc"}},  // never climbs out of the home
        {"/", {"/r"}},
        {"/Applications", {"/r/Applications"}},
        {"/Volumes/Backup", {"/r/Volumes/Backup"}},
        {"/Library/Application Support/com.apple.TCC/TCC.db", {"/r/Library/Application Support/com.apple.TCC/TCC.db"}},
        {"/../System", {"/r/System"}},
        {"", {}},
        {"Library/Logs", {}},
        {"~bob/x", {}},
    });
    EXPECT_EQ(mac->resolve("Library/Logs"), "Library/Logs");
    EXPECT_EQ(mac->resolve("/usr"), "/r/usr");
    EXPECT_TRUE(mac->trashInfoFolder().isEmpty());
    // This system's settings, data (and its Trash) and state stay in their
    // usual folders below the home.
    EXPECT_EQ(baseFolders(*mac), QStringList({"/r/Users/alice/.config", "/r/Users/alice/.local/share",
                                              "/r/Users/alice/.local/state"}));

    expectPredicate(&Locations::isSystemPath, *mac,
                    {"/r/System", "/r/System/Library/Fonts", "/r/Library", "/r/usr/bin", "/r/bin", "/r/sbin",
                     "/r/private/var", "/r/usr/../System"},
                    {"/r", "/r/Systems", "/r/Applications", "/r/Users/alice", "/r/etc", "/tmp", "relative/usr"});
    // Outside the layout, the machine's own (a link may lead there).
    expectPredicate(&Locations::isSystemPath, *mac, {"/etc", "/usr/lib", "/System"}, {"/home/bob", "/media"});
    expectPredicate(&Locations::isPseudoFileSystem, *mac, {"/r/dev", "/r/dev/disk0", "/proc/1", "/dev"},
                    {"/r/devices", "/r/proc", "/r"});

    // With the real root, locations are the macOS paths themselves.
    const auto plain = Locations::macProfile("/", "/Users/alice");
    expectResolutions(*plain, {{"/Volumes", {"/Volumes"}}, {"/", {"/"}}, {"~/Downloads", {"/Users/alice/Downloads"}}});
    EXPECT_TRUE(plain->isSystemPath("/System/Library"));
}

TEST(LocationsTest, LinuxProfileMapsCachesTrashUsersVolumesAndBrowsers)
{
    XdgFolders xdg("/x/cache", "/x/config/", "/x/data", "/x/state");
    const auto here = Locations::linuxProfile("/home/alice");
    EXPECT_EQ(here->home(), "/home/alice");
    EXPECT_EQ(baseFolders(*here), QStringList({"/x/config", "/x/data", "/x/state"}));
    expectResolutions(*here, {
        {"~/Library/Caches", {"/x/cache"}},
        {"~/Library/Caches/pip", {"/x/cache/pip"}},
        {"~/Library/Caches/go-build", {"/x/cache/go-build"}},
        {"~/Library/Caches/Homebrew", {"/x/cache/Homebrew"}},
        {"~/Library/CachesOld", {"/home/alice/Library/CachesOld"}},
        {"~/Library/Caches/Google/Chrome", {"/x/cache/google-chrome", "/x/cache/chromium"}},
        {"~/Library/Caches/Google/Chrome/Default/Cache",
         {"/x/cache/google-chrome/Default/Cache", "/x/cache/chromium/Default/Cache"}},
        {"~/Library/Caches/Google", {"/x/cache/Google"}},
        {"~/Library/Caches/Firefox/Profiles", {"/x/cache/mozilla/firefox"}},
        {"~/Library/Application Support/Google/Chrome/Default/History",
         {"/x/config/google-chrome/Default/History", "/x/config/chromium/Default/History"}},
        {"~/Library/Application Support/com.apple.sharedfilelist", {"/x/data/recently-used.xbel"}},
        {"~/Library/Caches/com.apple.Safari", {}},
        {"~/Library/Safari/History.db", {}},
        {"~/.Trash", {"/x/data/Trash/files"}},
        {"~/.Trash/old.txt", {"/x/data/Trash/files/old.txt"}},
        {"~/.Trashcan", {"/home/alice/.Trashcan"}},
        {"/Users", {"/home"}},
        {"/Users/bob/Music", {"/home/bob/Music"}},
        {"/Volumes", {"/media", "/mnt", "/run/media"}},
        {"/Volumes/Backup", {"/media/Backup", "/mnt/Backup", "/run/media/Backup"}},
        // Not mapped: themselves, usually absent here.
        {"/Library/Logs", {"/Library/Logs"}},
        {"/Library/LaunchDaemons", {"/Library/LaunchDaemons"}},
        {"/Applications", {"/Applications"}},
        {"~/Library/Logs", {"/home/alice/Library/Logs"}},
        {"~/.npm/_cacache", {"/home/alice/.npm/_cacache"}},
        {"~/Downloads", {"/home/alice/Downloads"}},
        {"~", {"/home/alice"}},
        {"/", {"/"}},
    });
    EXPECT_EQ(here->resolve("~/Library/Safari/History.db"), "/home/alice/Library/Safari/History.db");
    EXPECT_EQ(here->resolve("/Volumes/Backup"), "/media/Backup");
    EXPECT_EQ(here->trashInfoFolder(), "/x/data/Trash/info");
}

TEST(LocationsTest, LinuxProfileFallsBackToTheXdgDefaultsBelowTheHome)
{
    const QStringList defaults{"/home/alice/.config", "/home/alice/.local/share", "/home/alice/.local/state"};
    {
        XdgFolders unset{QByteArray(), QByteArray(), QByteArray()};
        const auto here = Locations::linuxProfile("/home/alice/");
        EXPECT_EQ(here->resolve("~/Library/Caches/pip"), "/home/alice/.cache/pip");
        EXPECT_EQ(here->resolve("~/Library/Application Support/Google/Chrome"), "/home/alice/.config/google-chrome");
        EXPECT_EQ(here->resolve("~/.Trash"), "/home/alice/.local/share/Trash/files");
        EXPECT_EQ(here->trashInfoFolder(), "/home/alice/.local/share/Trash/info");
        EXPECT_EQ(baseFolders(*here), defaults);
    }
    {
        // Empty or relative values are invalid and ignored.
        XdgFolders invalid("", "relative/config", "data", "");
        const auto here = Locations::linuxProfile("/home/alice");
        EXPECT_EQ(here->resolve("~/Library/Caches"), "/home/alice/.cache");
        EXPECT_EQ(here->resolve("~/Library/Application Support/Google/Chrome"), "/home/alice/.config/google-chrome");
        EXPECT_EQ(here->trashInfoFolder(), "/home/alice/.local/share/Trash/info");
        EXPECT_EQ(baseFolders(*here), defaults);
    }
}

TEST(LocationsTest, LinuxProfileMarksSystemAndPseudoFolders)
{
    const auto here = Locations::linuxProfile("/var/home/alice");
    expectPredicate(&Locations::isSystemPath, *here,
                    {"/usr", "/usr/lib/libc.so.6", "/etc/passwd", "/var", "/var/log/syslog", "/boot", "/opt/app",
                     "/bin", "/sbin", "/lib", "/lib32", "/lib64/ld.so", "/libx32", "/srv/www", "/snap/core",
                     "/System", "/Library/Logs", "/private/var", "/var/home/bob", "/home/alice/../../etc"},
                    {"/", "/home", "/home/bob", "/tmp", "/media", "/mnt", "/usrlocal", "/library", "/libfoo",
                     "/var/home/alice", "/var/home/alice/Downloads/big.iso", "/proc", "relative/usr", ""});
    expectPredicate(&Locations::isPseudoFileSystem, *here,
                    {"/proc", "/proc/1/fd", "/sys/class/power_supply", "/dev", "/dev/null", "/run",
                     "/run/user/1000/gvfs", "/run/../proc/self"},
                    {"/run/media", "/run/media/alice/USB", "/", "/home", "/procfs", "/running", "/devices", "/media",
                     ""});
}

TEST(LocationsTest, DefaultProfileIsLinuxForTheCurrentUser)
{
    XdgFolders unset{QByteArray(), QByteArray(), QByteArray()};
    ScopedService<CurrentUser> user(std::make_shared<velk::test::FakeUser>("/home/carol", 1001, "carol"));
    for (const auto& locations : {Locations::createDefault(), Locations::linuxProfile()}) {
        EXPECT_EQ(locations->home(), "/home/carol");
        EXPECT_EQ(locations->resolve("~/Library/Caches"), "/home/carol/.cache");
        EXPECT_EQ(locations->resolveAll("/Volumes").size(), 3);
    }

    // The user's home is HOME when that is absolute, else the account's own.
    ScopedService<CurrentUser> running(CurrentUser::createDefault());
    const QString account = accountHome();
    ASSERT_TRUE(account.startsWith(u'/'));
    for (const auto& [home, expected] : {std::pair{QByteArray(), account}, {QByteArray(""), account},
                                         {QByteArray("relative/me"), account}, {QByteArray("/home/dave/"), "/home/dave"}}) {
        SCOPED_TRACE(home.isNull() ? "unset" : home.constData());
        ScopedEnv variable("HOME", home);
        EXPECT_EQ(running->homePath(), expected);
        EXPECT_EQ(Locations::createDefault()->resolve("~/Library/Caches"), expected + "/.cache");
    }
}

TEST(LocationsTest, PathsReadBackAsTheLocationsThatStandForThem)
{
    const auto mac = Locations::macProfile("/r", "/r/Users/alice");
    EXPECT_EQ(mac->locationFor("/r/Users/alice/Library/Caches/pip/x"), "~/Library/Caches/pip/x");
    EXPECT_EQ(mac->locationFor("/r/Users/alice"), "~");
    EXPECT_EQ(mac->locationFor("/r/Library/LaunchDaemons/a.plist"), "/Library/LaunchDaemons/a.plist");
    EXPECT_EQ(mac->locationFor("/r"), "/");
    EXPECT_EQ(mac->locationFor("/elsewhere"), "");
    EXPECT_EQ(mac->locationFor("relative"), "");

    XdgFolders xdg("/home/alice/.cache", "/x/config", "/x/data");
    const auto here = Locations::linuxProfile("/home/alice");
    struct Case {
        const char* path;
        const char* location;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"/home/alice/.cache/pip/wheels/a.whl", "~/Library/Caches/pip/wheels/a.whl"},
             {"/home/alice/.cache", "~/Library/Caches"},
             {"/home/alice/.cache/google-chrome/Default", "~/Library/Caches/Google/Chrome/Default"},
             {"/x/config/google-chrome/Default/History", "~/Library/Application Support/Google/Chrome/Default/History"},
             {"/x/data/Trash/files/old.txt", "~/.Trash/old.txt"},
             // The home reads as "~", not as a user folder below "/Users".
             {"/home/alice/Documents/q3.pdf", "~/Documents/q3.pdf"},
             {"/home/bob/Music", "/Users/bob/Music"},
             {"/run/media/usb/a", "/Volumes/usb/a"},
             {"/usr/lib/x", "/usr/lib/x"},
             // A location that resolves to nothing here reads back as itself.
             {"/home/alice/.cache/com.apple.Safari/x", "~/.cache/com.apple.Safari/x"},
             {"/x/data/Trash/info/old.txt.trashinfo", "/x/data/Trash/info/old.txt.trashinfo"},
         }) {
        EXPECT_EQ(here->locationFor(c.path), c.location) << c.path;
        EXPECT_TRUE(here->resolveAll(c.location).contains(c.path)) << c.path;
    }
    EXPECT_EQ(here->locationFor("not/absolute"), "");
}

// The user's own folders: those the profile's user-dirs file names, the usual
// ones below the home for the rest; a FIFO in the file's place is not waited for.
TEST(LocationsTest, LinuxUserFoldersAreTheXdgUserDirectories)
{
    velk::test::TempTree tree;
    const QString home = tree.dir("home");
    XdgFolders xdg("/x/cache", QFile::encodeName(tree.path("config")), "/x/data");
    const QString file = tree.fileWithContent("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
                                                                        "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n"
                                                                        "XDG_DOWNLOAD_DIR=\"$HOME\"\n"
                                                                        "XDG_MUSIC_DIR=\"relative/music\"\n"
                                                                        "  XDG_PICTURES_DIR=\"$HOME/My \\\"Pics\\\"\"\n"
                                                                        "XDG_VIDEOS_DIR=$HOME/Vids\n");
    const auto here = Locations::linuxProfile(home);
    const auto folders = [&] {
        QStringList list;
        for (const Locations::UserFolder& folder : here->userFolders())
            list << folder.location + u'=' + folder.path;
        return list;
    };
    const QStringList defaults{"~/Desktop=" + home + "/Desktop", "~/Documents=" + home + "/Documents",
                               "~/Downloads=" + home + "/Downloads", "~/Music=" + home + "/Music",
                               "~/Pictures=" + home + "/Pictures", "~/Public=" + home + "/Public",
                               "~/Templates=" + home + "/Templates", "~/Movies=" + home + "/Videos"};
    EXPECT_EQ(folders(), QStringList({"~/Desktop=" + home + "/桌面", "~/Documents=/srv/docs", "~/Downloads=" + home,
                                      defaults[3], "~/Pictures=" + home + "/My \"Pics\"", defaults[5], defaults[6],
                                      "~/Movies=" + home + "/Vids"}));

    // A download folder that is the home stands for "~/Downloads" (to be
    // refused like the home) but never reads back as it.
    EXPECT_EQ(here->resolveAll("~/Downloads/a.iso"), QStringList{home + "/a.iso"});
    EXPECT_EQ(here->locationFor(home + "/notes.txt"), "~/notes.txt");

    ASSERT_TRUE(QFile::remove(file));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    EXPECT_EQ(folders(), defaults);
    EXPECT_EQ(here->resolveAll("~/Downloads"), QStringList{home + "/Downloads"});
}

// A cache home that is or holds the home, one of the user's own folders or
// another base folder, by its path, through a link or as a bind mount's
// spelling, stands for no cache at all, and a data home alike for no Trash;
// each is logged once with why. Elsewhere, inside a base folder included,
// they keep their folders, and the program's own cache home stays as set.
TEST(LocationsTest, LinuxCacheAndDataHomesThatHoldTheUsersFoldersStandForNothing)
{
    velk::test::TempTree tree;
    const QString home = tree.dir("home/me");
    tree.fileWithContent("home/me/.config/user-dirs.dirs",
                         "XDG_DOWNLOAD_DIR=\"$HOME/下载\"\nXDG_PICTURES_DIR=\"" + QFile::encodeName(tree.path("disk/photos")) + "\"\n");
    for (const char* folder : {"home/me/Documents/Work", "home/me/下载", "home/me/.local/share", "home/me/.local/state",
                               "home/me/.config/cache", "disk/photos", "disk/cache", "mnt/home", "mnt/config"})
        tree.dir(folder);
    tree.link("config-link", home + "/.config");
    const auto bindHome = velk::test::ScopedMount::bind(home, tree.path("mnt/home"));
    const auto bindConfig = velk::test::ScopedMount::bind(home + "/.config", tree.path("mnt/config"));
    ASSERT_TRUE(bindHome.ok()) << bindHome.error();
    ASSERT_TRUE(bindConfig.ok()) << bindConfig.error();

    struct Case {
        const char* cacheHome;    // below the temporary root
        const char* dataHome;
        const char* cacheReason;  // logged; null: the caches are there
        const char* dataReason;   // logged; null: the Trash is there
    };
    const char* kHome = "is the home folder";
    const char* kUsers = "is or holds one of the user's own folders";
    const char* kBase = "is or holds the folder of the user's settings, data or state";
    for (const Case& c : {
             Case{"home/me/.cache", "home/me/.local/share", nullptr, nullptr},
             Case{"home/me", "home/me/.local/share", kHome, nullptr},
             Case{"home", "home/me/.local/share", "holds the home folder", nullptr},
             Case{"home/me/Documents", "home/me/.local/share", kUsers, nullptr},
             Case{"home/me/下载", "home/me/.local/share", kUsers, nullptr},
             Case{"disk", "home/me/.local/share", kUsers, nullptr},  // holds the pictures
             Case{"home/me/.config", "home/me/.local/share", kBase, nullptr},
             Case{"home/me/.local", "home/me/.local/share", kBase, nullptr},
             Case{"config-link", "home/me/.local/share", kBase, nullptr},
             Case{"mnt/home", "home/me/.local/share", kHome, nullptr},
             Case{"mnt/config", "home/me/.local/share", kBase, nullptr},
             Case{"home/me/.config/cache", "home/me/.local/share", nullptr, nullptr},
             Case{"home/me/Documents/Work", "home/me/.local/share", nullptr, nullptr},  // judged place by place
             Case{"disk/cache", "home/me", nullptr, kHome},
             Case{"disk/cache", "mnt/home", nullptr, kHome},
             Case{"disk/cache", "home/me/.config", nullptr, kBase},
         }) {
        SCOPED_TRACE(std::string(c.cacheHome) + " " + c.dataHome);
        const QString cache = tree.path(c.cacheHome);
        const QString data = tree.path(c.dataHome);
        XdgFolders xdg(QFile::encodeName(cache), QFile::encodeName(home + "/.config"), QFile::encodeName(data));
        std::shared_ptr<Locations> here;
        const QStringList warnings = mapWarnings([&] { here = Locations::linuxProfile(home); });

        EXPECT_EQ(here->cacheHome(), cache);
        EXPECT_EQ(here->resolveAll("~/Library/Caches/pip"), c.cacheReason ? QStringList() : QStringList{cache + "/pip"});
        EXPECT_EQ(here->resolveAll("~/Library/Caches/Google/Chrome").size(), c.cacheReason ? 0 : 2);
        EXPECT_EQ(here->resolveAll("~/Library/Caches/Firefox/Profiles").size(), c.cacheReason ? 0 : 1);
        EXPECT_EQ(here->resolveAll("~/.Trash"), c.dataReason ? QStringList() : QStringList{data + "/Trash/files"});
        EXPECT_EQ(here->trashInfoFolder(), c.dataReason ? QString() : data + "/Trash/info");
        // The download folder the user-dirs file names is the engines' one.
        EXPECT_EQ(here->resolveAll("~/Downloads/a.zip"), QStringList{home + "/下载/a.zip"});
        EXPECT_EQ(here->locationFor(home + "/下载/a.zip"), "~/Downloads/a.zip");
        QList<std::pair<QString, QString>> expected;  // what, why
        if (c.cacheReason)
            expected.append({"the cache home " + cache, c.cacheReason});
        if (c.dataReason)
            expected.append({"the data home " + data, c.dataReason});
        EXPECT_EQ(warnings.size(), expected.size()) << warnings.join(u'\n').toStdString();
        for (qsizetype i = 0; i < std::min(expected.size(), warnings.size()); ++i) {
            EXPECT_TRUE(warnings[i].startsWith(expected[i].first) && warnings[i].contains(expected[i].second))
                << warnings[i].toStdString();
        }
    }
}
