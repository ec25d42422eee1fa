#include "engine/inspection/FileDependencyService.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeApplicationLookup.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

using namespace velk;
using namespace velk::inspection;
using Kind = FileOwnerHint::Kind;
using velk::platform::desktop::ApplicationLookup;
using velk::platform::locations::Locations;
using velk::platform::core::ScopedService;
using velk::test::FakeApplicationLookup;

namespace {

const QString kHome = "/r/Users/me";

// The macOS layout under /r with no applications known, unless a test adds some.
struct MacPaths {
    std::shared_ptr<FakeApplicationLookup> apps = std::make_shared<FakeApplicationLookup>();
    ScopedService<ApplicationLookup> boundApps{apps};
    ScopedService<Locations> boundLocations{Locations::macProfile("/r", kHome)};
};

FileOwnerHint hint(Kind kind, const QString& name, std::optional<QString> bundle = std::nullopt,
                   std::optional<QString> app = std::nullopt)
{
    return {kind, name, std::move(bundle), std::move(app)};
}

} // namespace

TEST(FileOwnerHintTest, PathRulesInOrder)
{
    MacPaths mac;
    struct Case {
        QString path;
        std::optional<FileOwnerHint> expected;
    };
    const QList<Case> cases{
        {kHome + "/VMs/Win11.UTM/Data/disk.qcow2", hint(Kind::virtualMachine, "Win11.UTM")},
        {kHome + "/Library/Containers/com.docker.docker/Data/vms/0/data/Docker.raw",
         hint(Kind::docker, "Docker", "com.docker.docker")},
        {"/data/images/Docker.raw", hint(Kind::docker, "Docker", "com.docker.docker")},
        {kHome + "/code/app/node_modules/.git/x", hint(Kind::developerDeps, "node_modules")},
        {kHome + "/code/app/.git/objects/pack/p.pack", hint(Kind::developerDeps, "Git")},
        {kHome + "/Pictures/Photos Library.photoslibrary/originals/a.heic",
         hint(Kind::photos, "Photos Library.photoslibrary", "com.apple.Photos")},
        {kHome + "/Library/Containers/com.example.notes/Data/x.db",
         hint(Kind::appContainer, "com.example.notes", "com.example.notes")},
        {kHome + "/Library/Group Containers/ABCDEFGHIJ.com.example.shared/db",
         hint(Kind::groupContainer, "ABCDEFGHIJ.com.example.shared", "com.example.shared")},
        {kHome + "/Library/Group Containers/group.com.example/db", hint(Kind::groupContainer, "group.com.example")},
        {kHome + "/Library/Application Support/MobileSync/Backup/1/Manifest.db",
         hint(Kind::appSupport, "iOS Backups", "com.apple.FinderSync")},
        {kHome + "/Library/Application Support/com.example.app/state", hint(Kind::appSupport, "com.example.app", "com.example.app")},
        {kHome + "/Library/Application Support/Example/state", hint(Kind::appSupport, "Example")},
        {kHome + "/Library/Caches/Homebrew/downloads/x.tar.gz", hint(Kind::developerDeps, "Homebrew")},
        {kHome + "/Library/Caches/go-build/ab/cd", hint(Kind::developerDeps, "go-build")},
        {kHome + "/Library/Caches/com.example.app/Cache.db", hint(Kind::cache, "com.example.app", "com.example.app")},
        {kHome + "/Library/Caches/homebrew/x", hint(Kind::cache, "homebrew")},  // names are case-sensitive
        {kHome + "/Library/Logs/Example/a.log", hint(Kind::logs, "Example")},
        {kHome + "/Library/Mobile Documents/com~apple~CloudDocs/a.pages", hint(Kind::iCloudDrive, "iCloud Drive")},
        {kHome + "/Library/Mail/V10/x.emlx", hint(Kind::mail, "Mail", "com.apple.mail")},
        {kHome + "/Library/Messages/Attachments/a.jpg", hint(Kind::messages, "Messages", "com.apple.MobileSMS")},
        {kHome + "/Library/Preferences/com.example.plist", hint(Kind::appSupport, "Preferences")},
        {kHome + "/Library/Caches", hint(Kind::cache, "")},
        {kHome + "/Library", hint(Kind::userData, "me")},  // not below "<home>/Library/"
        {kHome + "/Library/", std::nullopt},
        {kHome + "/Library//", std::nullopt},
        {kHome + "/Documents/Reports/q3.pdf", hint(Kind::userData, "me")},
        {"/r/Users", hint(Kind::userData, "")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileDependencyService::ownerHint(c.path), c.expected) << c.path.toStdString();
}

TEST(FileOwnerHintTest, DocumentsUnderTheRealHomeNameTheirTopFolder)
{
    ScopedService<Locations> bound(Locations::macProfile("/", "/Users/me"));
    EXPECT_EQ(FileDependencyService::ownerHint("/Users/me/Documents/Reports/q3.pdf"), hint(Kind::userData, "Documents"));
}

TEST(FileOwnerHintTest, AnInstalledApplicationNamesTheOwner)
{
    MacPaths mac;
    mac.apps->add("com.example.notes", "/r/Applications/Notes Pro.app");
    EXPECT_EQ(FileDependencyService::ownerHint(kHome + "/Library/Containers/com.example.notes/Data/x.db"),
              hint(Kind::appContainer, "Notes Pro", "com.example.notes", "/r/Applications/Notes Pro.app"));
    // Rules that propose no identifier never ask.
    mac.apps->add("Homebrew", "/r/Applications/Homebrew.app");
    EXPECT_EQ(FileDependencyService::ownerHint(kHome + "/Library/Caches/Homebrew/x"), hint(Kind::developerDeps, "Homebrew"));
}

TEST(FileOwnerHintTest, LinuxFoldersReadBackThroughTheLocationMap)
{
    velk::test::ScopedEnv cache("XDG_CACHE_HOME", QByteArray());
    ScopedService<ApplicationLookup> apps(ApplicationLookup::createDefault());
    ScopedService<Locations> linux(Locations::linuxProfile("/home/me"));
    EXPECT_EQ(FileDependencyService::ownerHint("/home/me/.cache/pip/http/a/b"), hint(Kind::developerDeps, "pip"));
    EXPECT_EQ(FileDependencyService::ownerHint("/home/me/.cache/thumbnails/large/a.png"), hint(Kind::cache, "thumbnails"));
    EXPECT_EQ(FileDependencyService::ownerHint("/home/me/Documents/q3.pdf"), hint(Kind::userData, "Documents"));
    // No application is ever found by identifier here.
    EXPECT_EQ(FileDependencyService::ownerHint("/home/me/.cache/com.example.app/x"),
              hint(Kind::cache, "com.example.app", "com.example.app"));
}

TEST(FileOwnerHintTest, GroupContainerIdentifiers)
{
    EXPECT_EQ(FileDependencyService::groupBundle("ABCDEFGHIJ.com.example.shared"), "com.example.shared");
    EXPECT_EQ(FileDependencyService::groupBundle("1234567890.com.example"), "com.example");
    EXPECT_EQ(FileDependencyService::groupBundle(".ABCDEFGHIJ.x"), "x");  // empty pieces are dropped
    EXPECT_EQ(FileDependencyService::groupBundle("ABCDE12345.com.example"), std::nullopt);
    EXPECT_EQ(FileDependencyService::groupBundle("ABCDEFGHI.com.example"), std::nullopt);
    EXPECT_EQ(FileDependencyService::groupBundle("abcdefghij.com.example"), std::nullopt);
    EXPECT_EQ(FileDependencyService::groupBundle("ABCDEFGHIJ."), std::nullopt);
    EXPECT_EQ(FileDependencyService::groupBundle("ABCDEFGHIJ"), std::nullopt);
}
