#include "LaunchdFixture.h"

#include "engine/inspection/FileDependencyService.h"
#include "support/FakeApplicationLookup.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace velk;
using namespace velk::inspection;
using Risk = FileDependencyReport::Risk;
using Scope = LaunchReference::Scope;
using velk::platform::core::ScopedService;
using velk::test::LaunchdFixture;

namespace {

// Binary lists: com.example.nested names /opt/example/bin/daemon inside a
// text of a nested dictionary (and as a key); com.example.keyonly only as a
// dictionary key.
const QByteArray kNestedDaemon = QByteArray::fromBase64(
    "YnBsaXN0MDDTAQIDBAcIXxAURW52aXJvbm1lbnRWYXJpYWJsZXNVTGFiZWxXU29ja2V0c9EFBlZIRUxQRVJfEB4vb3B0L2V4YW1wbGUvYmluL2Rh"
    "ZW1vbiAtLWZhc3RfEBJjb20uZXhhbXBsZS5uZXN0ZWTRCQpfEBcvb3B0L2V4YW1wbGUvYmluL2RhZW1vbtELDFhTb2NrVHlwZVZzdHJlYW0IDyYs"
    "NDc+X3R3kZSdAAAAAAAAAQEAAAAAAAAADQAAAAAAAAAAAAAAAAAAAKQ=");
const QByteArray kKeyOnlyDaemon = QByteArray::fromBase64(
    "YnBsaXN0MDDSAQIDBFVMYWJlbFdTb2NrZXRzXxATY29tLmV4YW1wbGUua2V5b25sedEFBl8QFy9vcHQvZXhhbXBsZS9iaW4vZGFlbW9u0QcIWFNv"
    "Y2tUeXBlVnN0cmVhbQgNExsxNE5RWgAAAAAAAAEBAAAAAAAAAAkAAAAAAAAAAAAAAAAAAABh");

} // namespace

namespace velk {
void PrintTo(const LaunchReference& r, std::ostream* os)
{
    *os << launchScopeName(r.scope).toStdString() << ' ' << r.label.toStdString() << ' ' << r.plistPath.toStdString();
}
} // namespace velk

TEST(FileDependencyAnalysisTest, PropertyListsThatNameThePathInAValueAreReferences)
{
    LaunchdFixture launchd;
    const QByteArray target = "/opt/example/bin/daemon";
    const QString runs = launchd.userAgent(
        "runs.plist", LaunchdFixture::xml("<key>Label</key><string>com.example.runs</string><key>ProgramArguments</key>"
                                          "<array><string>/bin/sh</string><string>-c</string><string>exec "
                                          + target + " --quiet</string></array>"));
    launchd.userAgent("key.plist", LaunchdFixture::xml("<key>" + target + "</key><string>x</string>"));
    const QString hidden = launchd.userAgent(".hidden.plist", LaunchdFixture::xml("<key>Program</key><string>" + target + "</string>"));
    // A text holding the path inside a longer one counts, whatever follows.
    const QString longer = launchd.userAgent("other.plist", LaunchdFixture::agent("com.example.other", "/opt/example/bin/daemon2x"));
    const QString nameless = launchd.globalAgent("nameless.plist", "<plist version=\"1.0\"><array><integer>1</integer><string>"
                                                                   + target + "</string></array></plist>");
    launchd.globalAgent("upper.PLIST", LaunchdFixture::agent("com.example.upper", target));
    launchd.globalAgent("broken.plist", "<plist><dict><key>Program</key><string>" + target);
    const QString nested = launchd.daemon("nested.plist", kNestedDaemon);
    launchd.daemon("keyonly.plist", kKeyOnlyDaemon);

    QList<LaunchReference> found = FileDependencyService::launchReferences(QString::fromUtf8(target));
    // The folder listing's order is the platform's own.
    std::sort(found.begin(), found.end(), [](const LaunchReference& a, const LaunchReference& b) {
        return std::pair(a.scope, a.plistPath) < std::pair(b.scope, b.plistPath);
    });
    QList<LaunchReference> expected{
        {".hidden", hidden, Scope::userAgent},
        {"com.example.runs", runs, Scope::userAgent},
        {"com.example.other", longer, Scope::userAgent},
        {"nameless", nameless, Scope::systemAgent},
        {"com.example.nested", nested, Scope::systemDaemon},
    };
    std::sort(expected.begin(), expected.end(), [](const LaunchReference& a, const LaunchReference& b) {
        return std::pair(a.scope, a.plistPath) < std::pair(b.scope, b.plistPath);
    });
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(FileDependencyService::launchReferences("/opt/nothing").isEmpty());
}

TEST(FileDependencyAnalysisTest, ValueSearchLooksIntoTextsListsAndDictionaryValuesOnly)
{
    const QString path = "/data/x";
    EXPECT_TRUE(FileDependencyService::contains(QString("run /data/x now"), path));
    EXPECT_FALSE(FileDependencyService::contains(QString("/DATA/X"), path));
    EXPECT_TRUE(FileDependencyService::contains(QVariantList{1, QVariantList{QVariantMap{{"k", "/data/x"}}}}, path));
    EXPECT_FALSE(FileDependencyService::contains(QVariantMap{{"/data/x", 1}}, path));
    EXPECT_FALSE(FileDependencyService::contains(QByteArray("/data/x"), path));
    EXPECT_FALSE(FileDependencyService::contains(42, path));
}

TEST(FileDependencyAnalysisTest, ReportOfAFileWithLinksOriginAndACacheOwner)
{
    LaunchdFixture launchd;
    ScopedService<velk::platform::tools::ToolRunner> realTools(velk::platform::tools::ToolRunner::createDefault());
    ScopedService<velk::platform::desktop::ApplicationLookup> apps(std::make_shared<velk::test::FakeApplicationLookup>());
    const QString file = launchd.plist("Users/me/Library/Caches/Homebrew/downloads", "wget.tar.gz", "data");
    const QByteArray native = QFile::encodeName(file);
    const QByteArray origin = "https://example.com/wget.tar.gz";
    ASSERT_EQ(::setxattr(native.constData(), "user.xdg.origin.url", origin.constData(), origin.size(), 0), 0);

    const FileDependencyReport once = FileDependencyService::analyze(file);
    EXPECT_EQ(once.path, file);
    EXPECT_TRUE(once.openBy.isEmpty());
    EXPECT_TRUE(once.launchReferences.isEmpty());
    EXPECT_EQ(once.owner, (FileOwnerHint{FileOwnerHint::Kind::developerDeps, "Homebrew", {}, {}}));
    EXPECT_EQ(once.downloadedFrom, QStringList{QString::fromUtf8(origin)});
    EXPECT_EQ(once.hardLinkCount, 1);
    ASSERT_TRUE(once.lastAccess.has_value());
    EXPECT_EQ(once.lastAccess->time().msec(), 0);
    if (once.created) {
        EXPECT_EQ(once.created->time().msec(), 0);
    }
    EXPECT_EQ(once.risk(), Risk::caution);

    const QString second = launchd.plist("Users/me/Documents", "second.tar.gz", "");
    QFile::remove(second);
    ASSERT_EQ(::link(native.constData(), QFile::encodeName(second).constData()), 0);
    EXPECT_EQ(FileDependencyService::analyze(second).hardLinkCount, 2);
}

TEST(FileDependencyAnalysisTest, AMissingFileStillGetsAReport)
{
    ScopedService<velk::platform::locations::Locations> mac(velk::platform::locations::Locations::macProfile("/", "/Users/me"));
    auto tools = std::make_shared<velk::test::FakeToolRunner>();
    ScopedService<velk::platform::tools::ToolRunner> bound(tools);
    tools->setOutput("/usr/bin/mdls", "(null)");

    const FileDependencyReport report = FileDependencyService::analyze("/Users/me/Documents/Reports/q3.pdf");
    EXPECT_EQ(report.hardLinkCount, 1);
    EXPECT_FALSE(report.lastAccess.has_value());
    EXPECT_FALSE(report.created.has_value());
    EXPECT_TRUE(report.downloadedFrom.isEmpty());
    EXPECT_EQ(report.owner, (FileOwnerHint{FileOwnerHint::Kind::userData, "Documents", {}, {}}));
    EXPECT_EQ(report.risk(), Risk::noneFound);
    EXPECT_EQ(tools->requestsFor("/usr/sbin/lsof").size(), 1);
}
