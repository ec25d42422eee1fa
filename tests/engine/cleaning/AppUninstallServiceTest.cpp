#include "engine/cleaning/AppUninstallService.h"
#include "UninstallFixture.h"

#include <QFile>
#include <unistd.h>

using namespace velk;
using namespace velk::cleaning;
using velk::test::UninstallFixture;

namespace {

QStringList namesOf(const QList<AppItem>& apps)
{
    QStringList names;
    for (const AppItem& app : apps)
        names << app.name;
    return names;
}

QStringList pathsOf(const QList<FileItem>& files)
{
    QStringList paths;
    for (const FileItem& file : files)
        paths << file.path;
    return paths;
}

const AppItem* find(const QList<AppItem>& apps, const QString& name)
{
    for (const AppItem& app : apps) {
        if (app.name == name)
            return &app;
    }
    return nullptr;
}

class AppUninstallServiceTest : public UninstallFixture {
protected:
    // Every kind of bundle the discovery and the safety rules tell apart.
    void installApps()
    {
        app("~/Applications/Foo.app", 3000, infoXml("com.example.Foo", "2.1"));
        app("Applications/Bar.app", 3000, infoBinary("com.example.bar"));
        app("Applications/Big.app", 9000, infoXml("com.example.big", "1.0"));
        app("Applications/Safari.app", 500, infoXml("com.apple.Safari", "17"));
        app("Applications/VelkClean.app", 400, infoXml("org.velk.VelkClean", "1.0"));
        app("Applications/X.app", 300, infoXml("com.example.x"));
        app("Applications/NoInfo.app", 200);
        app("Applications/Utilities/Nested.app", 100, infoXml("com.example.nested"));
        app("Applications/Caps.APP", 100, infoXml("com.example.caps"));
        tree.link("root/Applications/Linked.app", outside + "/Linked.app");
    }

    // Foo's leftovers, one in each of the nine folders, and some that are not.
    QStringList fooLeftovers()
    {
        return {
            leftover("~/Library/Application Support/Foo", 100, true),
            leftover("~/Library/Preferences/com.example.foo.plist", 50, false),
            leftover("~/Library/Caches/FOO Data", 200, true),
            leftover("~/Library/Logs/foo.log", 10, false),
            leftover("~/Library/Containers/com.example.foo", 300, true),
            leftover("~/Library/Group Containers/group.com.example.foo", 20, true),
            leftover("~/Library/Application Scripts/com.example.foo", 5, true),
            leftover("Library/Application Support/Foo", 40, true),
            leftover("Library/Preferences/com.example.foo.plist", 30, false),
        };
    }
};

} // namespace

TEST_F(AppUninstallServiceTest, DiscoversBundlesLargestFirstWithTheirInformation)
{
    installApps();
    const AppUninstallService service;
    const QList<AppItem> apps = service.discoverApps();
    // Equal sizes keep discovery order: the user's folder first. Bundles in
    // subfolders and with a capitalised extension are not listed.
    const QStringList names = namesOf(apps);
    ASSERT_EQ(names.size(), 8) << names.join(",").toStdString();
    EXPECT_EQ(names.mid(0, 3), (QStringList{"Big", "Foo", "Bar"}));
    EXPECT_FALSE(names.contains("Nested"));
    EXPECT_FALSE(names.contains("Caps"));
    EXPECT_TRUE(names.contains("Linked"));

    const AppItem* foo = find(apps, "Foo");
    ASSERT_TRUE(foo);
    EXPECT_EQ(foo->bundleID, "com.example.Foo");
    EXPECT_EQ(foo->version, "2.1");
    EXPECT_EQ(foo->diskSize, 3000 + QFile(home + "/Applications/Foo.app/Contents/Info.plist").size());
    EXPECT_EQ(foo->path, home + "/Applications/Foo.app");
    EXPECT_TRUE(foo->installDate.has_value());
    EXPECT_FALSE(foo->lastUsedDate.has_value());
    EXPECT_TRUE(foo->isNeverUsed());
    EXPECT_FALSE(foo->isSelected);

    const AppItem* bar = find(apps, "Bar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->bundleID, "com.example.bar");  // from the binary list
    EXPECT_FALSE(bar->version.has_value());
    const AppItem* noInfo = find(apps, "NoInfo");
    ASSERT_TRUE(noInfo);
    EXPECT_FALSE(noInfo->bundleID.has_value());
    EXPECT_EQ(find(apps, "Linked")->bundleID, "com.example.linked");
}

TEST_F(AppUninstallServiceTest, FindsLeftoversInTheNineFoldersOnceEach)
{
    installApps();
    const QStringList expected = fooLeftovers();
    leftover("~/Library/Caches/Bar", 70, true);
    leftover("~/Library/Application Support/Foo/Deeper/foo-inner", 1, false);
    const AppUninstallService service;
    const AppItem* foo = nullptr;
    const QList<AppItem> apps = service.discoverApps();
    foo = find(apps, "Foo");
    ASSERT_TRUE(foo);

    const QList<FileItem> files = service.associatedFiles(*foo);
    // Largest first; the preference list, matched by both passes, once.
    EXPECT_EQ(pathsOf(files), (QStringList{expected[4], expected[2], expected[0], expected[1], expected[7],
                                           expected[8], expected[5], expected[3], expected[6]}));
    for (const FileItem& file : files)
        EXPECT_TRUE(file.isSelected) << file.path.toStdString();
    EXPECT_EQ(files[0].size, 300);
    EXPECT_EQ(files[0].itemType, FileItem::ItemType::Directory);
    EXPECT_EQ(files[3].itemType, FileItem::ItemType::File);
    EXPECT_EQ(files[2].size, 101);  // the whole folder
}

TEST_F(AppUninstallServiceTest, EmptyKeysAndShortNamesMatchOnlyByIdentifier)
{
    installApps();
    const QString xcode = leftover("~/Library/Caches/Xcode", 10, true);
    const QString byId = leftover("~/Library/Caches/com.example.x", 10, true);
    leftover("~/Library/Caches/anything", 10, true);
    const AppUninstallService service;
    const QList<AppItem> apps = service.discoverApps();

    EXPECT_EQ(pathsOf(service.associatedFiles(*find(apps, "X"))), QStringList{byId});
    EXPECT_TRUE(service.associatedFiles(*find(apps, "NoInfo")).isEmpty());
    // An empty identifier or name is part of every name: it matches nothing.
    const AppItem emptyId("Anything", QString(""), root + "/Applications/Anything.app", {}, 0, {}, {});
    EXPECT_EQ(pathsOf(service.associatedFiles(emptyId)), QStringList{home + "/Library/Caches/anything"});
    const AppItem emptyBoth("", QString(""), root + "/Applications/.app", {}, 0, {}, {});
    EXPECT_TRUE(service.associatedFiles(emptyBoth).isEmpty());
    EXPECT_TRUE(exists(xcode));
}

TEST_F(AppUninstallServiceTest, KeysMatchOnlyWholeAndLongEnough)
{
    const QString lib = home + "/Library/";
    const QStringList qa{lib + "Group Containers/7QK4P2LX9D.com.qa", lib + "Group Containers/group.com.qa",
                         lib + "Preferences/com.qa.plist"};
    for (const char* name : {"Preferences/com.qa.plist", "Group Containers/group.com.qa", "Caches/Quill Data",
                                "Group Containers/7QK4P2LX9D.com.qa", "Preferences/com.qab.plist", "Caches/Quillster",
                                "Application Support/com.qab", "Containers/com.example.mail", "Logs/notes ... old.log"})
        tree.file(QStringLiteral("root/Users/alice/Library/") + name);
    const AppUninstallService service;
    const struct { QString name, identifier; QStringList expected; } cases[] = {
        {"Zzz", "."}, {"Zzz", "a"}, {"Zzz", "ab"}, {"Zzz", ".."}, {"Zzz", "..."}, {"...", "org.none"},
        {"Zzz", "com.qa", qa}, {"Zzz", "COM.QA", qa}, {"Quill", "org.none", {lib + "Caches/Quill Data"}}};
    for (const auto& c : cases) {
        QStringList found = pathsOf(service.associatedFiles(AppItem(c.name, c.identifier, root + "/A.app", {}, 0, {}, {})));
        found.sort();
        EXPECT_EQ(found, c.expected) << c.name.toStdString() << " / " << c.identifier.toStdString();
    }
}

// A leftover that another installed application's longer name or identifier
// matches is that application's: uninstalling Pixel leaves Pixel Forge's
// data, and com.acme.pixel leaves com.acme.pixel.forge's.
TEST_F(AppUninstallServiceTest, LeftoversClaimedByALongerKeyOfAnotherInstalledAppAreItsOnly)
{
    app("Applications/Pixel.app", 100, infoXml("com.acme.pixel"));
    app("Applications/Pixel Forge.app", 100, infoXml("org.forge.app"));
    app("Applications/Studio.app", 100, infoXml("com.acme.pixel.forge"));
    const QStringList pixel{leftover("~/Library/Application Support/Pixel", 10, true),
                            leftover("~/Library/Containers/com.acme.pixel", 10, true),
                            leftover("~/Library/Preferences/com.acme.pixel.plist", 10, false)};
    const QStringList forge{leftover("~/Library/Application Support/Pixel Forge", 10, true),
                            leftover("~/Library/Caches/Pixel Forge and Pixel", 10, true),
                            leftover("~/Library/Logs/Pixel Forge", 10, true)};
    const QStringList studio{leftover("~/Library/Containers/com.acme.pixel.forge", 10, true),
                             leftover("~/Library/Group Containers/group.com.acme.pixel.forge", 10, true),
                             leftover("~/Library/Preferences/com.acme.pixel.forge.plist", 10, false)};
    const AppUninstallService service;
    const QList<AppItem> apps = service.discoverApps();
    const struct { const char* name; QStringList expected; } cases[] = {
        {"Pixel", pixel}, {"Pixel Forge", forge}, {"Studio", studio}};
    for (const auto& c : cases) {
        QStringList found = pathsOf(service.associatedFiles(*find(apps, c.name)));
        found.sort();
        EXPECT_EQ(found, c.expected) << c.name;
    }
}

TEST_F(AppUninstallServiceTest, FreedIsWhatWentAwayAndALinkIsSizedAsTheLink)
{
    // A large file of the bundle whose other name is in Documents stays;
    // a leftover that is a link to Documents is no larger than the link.
    const QString bundle = app("Applications/Linky.app", 2000, infoXml("com.example.linky"));
    const QString movie = tree.file("root/Users/alice/Documents/movie.bin", 1000000);
    ASSERT_EQ(::link(QFile::encodeName(movie).constData(),
                     QFile::encodeName(bundle + "/Contents/MacOS/movie.bin").constData()), 0);
    tree.link("root/Users/alice/Library/Caches/com.example.linky", home + "/Documents");
    const AppUninstallService service;
    AppItem linky = *find(service.discoverApps(), "Linky");
    linky.associatedFiles = service.associatedFiles(linky);
    EXPECT_EQ(linky.totalSize(), linky.diskSize + QFile::encodeName(home + "/Documents").size());

    EXPECT_EQ(service.uninstall({linky}).freed, linky.diskSize - 1000000);
    EXPECT_FALSE(exists(bundle));
}

TEST_F(AppUninstallServiceTest, RefusesEveryProtectedApplicationAndRemovesNothingOfIt)
{
    installApps();
    const AppUninstallService service;
    QList<AppItem> apps = service.discoverApps();
    QList<AppItem> refused;
    for (const char* name : {"Safari", "VelkClean", "Linked"})
        refused.append(*find(apps, name));
    // Not a direct child of an application folder, not an "app", and our own
    // identifier elsewhere.
    refused.append(AppItem("Nested", QString("com.example.nested"), root + "/Applications/Utilities/Nested.app", {}, 100, {}, {}));
    refused.append(AppItem("Caps", QString("com.example.caps"), root + "/Applications/Caps.APP", {}, 100, {}, {}));
    refused.append(AppItem("Copy", QString("org.velk.VelkClean"), root + "/Applications/Bar.app", {}, 3000, {}, {}));
    // The leftovers of a refused application are not touched either.
    const QString safariCache = leftover("~/Library/Caches/com.apple.Safari", 10, true);
    refused[0].associatedFiles = {FileItem(safariCache, 10, {}, FileItem::ItemType::Directory)};

    const AppUninstallService::UninstallResult result = service.uninstall(refused);
    QList<RemovalFailure> expected;
    for (const AppItem& app : refused)
        expected << RemovalFailure{app.path, platform::files::RemovalReason::Protected};
    EXPECT_EQ(result.failures, expected);
    EXPECT_EQ(result.freed, 0);
    EXPECT_TRUE(result.removedAppIDs.isEmpty());
    EXPECT_TRUE(remover->removed().isEmpty());
    for (const AppItem& app : refused)
        EXPECT_TRUE(exists(app.path)) << app.path.toStdString();
    EXPECT_TRUE(exists(safariCache));
}

TEST_F(AppUninstallServiceTest, RemovesSelectedLeftoversOnceAndReportsTheRest)
{
    installApps();
    const QStringList foo = fooLeftovers();
    const QString shared = leftover("~/Library/Caches/Foo Bar", 1000, true);
    const QString deep = leftover("~/Library/Application Support/Other/foo-inner", 7, false);
    tree.link("root/Users/alice/Library/Caches/foo-link", outside + "/keep");
    const AppUninstallService service;
    QList<AppItem> apps = service.discoverApps();
    AppItem fooApp = *find(apps, "Foo");
    AppItem barApp = *find(apps, "Bar");
    fooApp.associatedFiles = service.associatedFiles(fooApp);
    barApp.associatedFiles = service.associatedFiles(barApp);
    ASSERT_TRUE(pathsOf(fooApp.associatedFiles).contains(shared));
    ASSERT_TRUE(pathsOf(barApp.associatedFiles).contains(shared));
    ASSERT_TRUE(pathsOf(fooApp.associatedFiles).contains(home + "/Library/Caches/foo-link"));

    // The user keeps the logs, and one path two levels down was added by hand.
    for (FileItem& file : fooApp.associatedFiles)
        file.isSelected = file.path != foo[3];
    fooApp.associatedFiles.append(FileItem(deep, 7, {}, FileItem::ItemType::File));
    remover->failFor(foo[8]);

    const AppUninstallService::UninstallResult result = service.uninstall({fooApp, barApp});
    EXPECT_EQ(result.removedAppIDs, (QSet<QUuid>{fooApp.id, barApp.id}));
    using platform::files::RemovalReason;
    EXPECT_EQ(result.failures, (QList<RemovalFailure>{{home + "/Library/Caches/foo-link", RemovalReason::Protected},
                                                      {foo[8], RemovalReason::SystemError, EACCES},
                                                      {deep, RemovalReason::Protected}}));
    EXPECT_EQ(remover->removed().count(shared), 1);
    EXPECT_FALSE(exists(shared));
    EXPECT_TRUE(exists(foo[3]));  // unselected: neither removed nor reported
    EXPECT_TRUE(exists(foo[8]));
    EXPECT_TRUE(exists(deep));
    EXPECT_TRUE(QFileInfo(home + "/Library/Caches/foo-link").isSymLink());
    for (const QString& path : {foo[0], foo[1], foo[2], foo[4], foo[5], foo[6], foo[7]})
        EXPECT_FALSE(exists(path)) << path.toStdString();
    // Only what went away: both bundles, the shared folder once, the seven
    // removed leftovers of Foo.
    const qint64 removedLeftovers = 100 + 50 + 200 + 300 + 20 + 5 + 40;
    EXPECT_EQ(result.freed, fooApp.diskSize + barApp.diskSize + 1000 + removedLeftovers);
}

TEST_F(AppUninstallServiceTest, FolderThatResolvesToTheHomeIsNeitherSearchedNorAllowed)
{
    // "~/Library/Logs" pointing at the home would offer the whole home.
    tree.link("root/Users/alice/Library/Logs", home);
    const AppUninstallService service;
    EXPECT_FALSE(service.leftoverFolders().contains(home + "/Library/Logs"));
    EXPECT_EQ(service.leftoverFolders().size(), 8);
    EXPECT_EQ(service.applicationFolders(), (QStringList{home + "/Applications", root + "/Applications"}));
}

// The bundle and each leftover are removed only as the lookup saw them: a
// bundle or a leftover folder replaced by another folder, and a leftover
// file replaced by a folder, stay with what they hold and are reported.
TEST_F(AppUninstallServiceTest, EntriesReplacedSinceTheLookupStayAndAreReported)
{
    const QString swapped = app("Applications/Swapped.app", 1000, infoXml("com.example.swapped"));
    app("Applications/Kept.app", 1000, infoXml("com.example.kept"));
    const QString support = leftover("~/Library/Application Support/Kept", 20, true);
    const QString log = leftover("~/Library/Logs/com.example.kept.log", 10, false);
    const QString cache = leftover("~/Library/Caches/com.example.kept", 5, true);
    const AppUninstallService service;
    const QList<AppItem> apps = service.discoverApps();
    const AppItem swappedApp = *find(apps, "Swapped");
    AppItem keptApp = *find(apps, "Kept");
    keptApp.associatedFiles = service.associatedFiles(keptApp);
    ASSERT_EQ(pathsOf(keptApp.associatedFiles), (QStringList{support, log, cache}));

    // The entries looked up are moved aside (so that no inode is handed on)
    // and others are made under their names.
    const QString aside = tree.dir("aside");
    ASSERT_TRUE(QDir().rename(swapped, aside + "/Swapped.app"));
    ASSERT_TRUE(QDir().rename(support, aside + "/Kept"));
    ASSERT_TRUE(QDir().rename(log, aside + "/kept.log"));
    tree.file("root/Applications/Swapped.app/Contents/MacOS/other", 4000);
    tree.file("root/Users/alice/Library/Application Support/Kept/big.bin", 3 * 1024 * 1024);
    tree.file("root/Users/alice/Library/Logs/com.example.kept.log/notes.txt", 100);

    const AppUninstallService::UninstallResult result = service.uninstall({swappedApp, keptApp});
    const auto replaced = [](const QString& path) {
        return RemovalFailure{path, platform::files::RemovalReason::NotAsScanned};
    };
    EXPECT_EQ(result.failures, (QList<RemovalFailure>{replaced(swapped), replaced(support), replaced(log)}));
    EXPECT_EQ(result.removedAppIDs, QSet<QUuid>{keptApp.id});
    EXPECT_EQ(result.freed, keptApp.diskSize + 5);
    EXPECT_EQ(result.leftAppSizes.value(swappedApp.id), 4000);
    EXPECT_TRUE(exists(swapped + "/Contents/MacOS/other"));
    EXPECT_TRUE(exists(support + "/big.bin"));
    EXPECT_TRUE(exists(log + "/notes.txt"));
    EXPECT_FALSE(exists(cache));
}
