#include "LaunchdFixture.h"

#include "engine/inspection/StartupService.h"

#include <gtest/gtest.h>

using namespace velk;
using namespace velk::inspection;
using velk::test::LaunchdFixture;

namespace {

// A binary property list: com.example.binary starting
// /Applications/Example.app/Contents/MacOS/helper --sync, run at load, kept
// alive on a condition.
const QByteArray kBinaryAgent = QByteArray::fromBase64(
    "YnBsaXN0MDDUAQIDBAUICQxZS2VlcEFsaXZlVUxhYmVsXxAQUHJvZ3JhbUFyZ3VtZW50c1lSdW5BdExvYWTRBgdeU3VjY2Vzc2Z1bEV4aXQIXxAS"
    "Y29tLmV4YW1wbGUuYmluYXJ5ogoLXxAvL0FwcGxpY2F0aW9ucy9FeGFtcGxlLmFwcC9Db250ZW50cy9NYWNPUy9oZWxwZXJWLS1zeW5jCQgRGyE0"
    "PkFQUWZpm6IAAAAAAAABAQAAAAAAAAANAAAAAAAAAAAAAAAAAAAAow==");

const StartupItem* find(const QList<StartupItem>& items, const QString& label)
{
    for (const StartupItem& item : items) {
        if (item.label == label)
            return &item;
    }
    return nullptr;
}

QStringList labels(const QList<StartupItem>& items)
{
    QStringList out;
    for (const StartupItem& item : items)
        out << item.label;
    return out;
}

} // namespace

TEST(StartupDiscoveryTest, ReadsXmlBinaryAndLabelLessListsAndSkipsTheRest)
{
    LaunchdFixture launchd;
    launchd.dir("Applications/Example.app/Contents/MacOS");
    const QString worker = launchd.userAgent("worker.plist", LaunchdFixture::agent("com.example.sync.worker", "/usr/local/bin/syncd",
                                                                                    "<key>RunAtLoad</key><true/>"));
    launchd.userAgent("com.example.agent.plist", LaunchdFixture::xml("<key>ProgramArguments</key><array><string>/opt/agent</string></array>"
                                                                     "<key>KeepAlive</key><false/>"));
    launchd.globalAgent("binary.plist", kBinaryAgent);
    launchd.daemon("broken.plist", "<?xml version=\"1.0\"?><plist><dict><key>Label</key><string>x");
    launchd.daemon("list.plist", "<plist version=\"1.0\"><array><string>a</string></array></plist>");
    launchd.daemon("Example.PLIST", LaunchdFixture::agent("com.example.upper", "/bin/true"));
    launchd.daemon(".hidden.plist", LaunchdFixture::agent("com.example.hidden", "/bin/true"));
    launchd.daemon("notes.txt", LaunchdFixture::agent("com.example.text", "/bin/true"));
    launchd.daemon("tool.plist", LaunchdFixture::agent("example.tool", "/usr/local/bin/tool",
                                                       "<key>ProgramArguments</key><array><string>/ignored</string></array>"
                                                       "<key>KeepAlive</key><dict><key>NetworkState</key><true/></dict>"));

    const QList<StartupItem> items = StartupService().discoverItems();
    ASSERT_EQ(items.size(), 4) << labels(items).join(", ").toStdString();

    const StartupItem* sync = find(items, "com.example.sync.worker");
    ASSERT_TRUE(sync);
    EXPECT_EQ(sync->id, worker);
    EXPECT_EQ(sync->plistPath, worker);
    EXPECT_EQ(sync->displayName, "sync worker");
    EXPECT_EQ(sync->programPath, "/usr/local/bin/syncd");
    EXPECT_EQ(sync->scope, StartupScope::userAgent);
    EXPECT_TRUE(sync->runAtLoad);
    EXPECT_FALSE(sync->keepAlive);

    const StartupItem* nameless = find(items, "com.example.agent");
    ASSERT_TRUE(nameless);
    EXPECT_EQ(nameless->displayName, "agent");
    EXPECT_EQ(nameless->programPath, "/opt/agent");
    EXPECT_FALSE(nameless->keepAlive);

    const StartupItem* binary = find(items, "com.example.binary");
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->scope, StartupScope::globalAgent);
    EXPECT_EQ(binary->programPath, "/Applications/Example.app/Contents/MacOS/helper");
    EXPECT_EQ(binary->appBundlePath, launchd.root() + "/Applications/Example.app");
    EXPECT_EQ(binary->displayName, "Example");
    EXPECT_TRUE(binary->runAtLoad);
    EXPECT_TRUE(binary->keepAlive);

    const StartupItem* tool = find(items, "example.tool");
    ASSERT_TRUE(tool);
    EXPECT_EQ(tool->scope, StartupScope::globalDaemon);
    EXPECT_EQ(tool->programPath, "/usr/local/bin/tool");  // "Program" wins
    EXPECT_EQ(tool->displayName, "tool");
    EXPECT_TRUE(tool->keepAlive);
}

TEST(StartupDiscoveryTest, LaunchdDecidesEnabledAndLoadedPerDomain)
{
    LaunchdFixture launchd;
    launchd.userAgent("a.plist", LaunchdFixture::agent("com.example.alpha", "/a", "<key>Disabled</key><true/>"));
    launchd.userAgent("b.plist", LaunchdFixture::agent("com.example.Beta", "/b"));
    launchd.globalAgent("c.plist", LaunchdFixture::agent("com.example.gamma", "/c", "<key>Disabled</key><true/>"));
    launchd.daemon("d.plist", LaunchdFixture::agent("com.example.delta", "/d"));
    launchd.daemon("e.plist", LaunchdFixture::agent("com.example.epsilon", "/e"));
    launchd.setDisabled("gui/501", "com.example.alpha", false);  // the table overrides the file
    launchd.setDisabled("gui/501", "com.example.delta", true);   // another domain's entry
    launchd.setDisabled("system", "com.example.epsilon", true);
    launchd.setLoaded("com.example.Beta");
    launchd.setLoaded("com.example.delta");

    const QList<StartupItem> items = StartupService().discoverItems();
    // Enabled first, then by name ignoring case; the disabled keep that rule too.
    EXPECT_EQ(labels(items), (QStringList{"com.example.alpha", "com.example.Beta", "com.example.delta",
                                          "com.example.epsilon", "com.example.gamma"}));
    EXPECT_TRUE(find(items, "com.example.alpha")->isEnabled);
    EXPECT_FALSE(find(items, "com.example.gamma")->isEnabled);   // no entry: the file's flag
    EXPECT_TRUE(find(items, "com.example.delta")->isEnabled);    // gui entries do not reach daemons
    EXPECT_FALSE(find(items, "com.example.epsilon")->isEnabled);
    EXPECT_TRUE(find(items, "com.example.Beta")->isLoaded);
    EXPECT_FALSE(find(items, "com.example.alpha")->isLoaded);
    EXPECT_TRUE(find(items, "com.example.delta")->isLoaded);     // asked with "print"
    EXPECT_FALSE(find(items, "com.example.epsilon")->isLoaded);
    for (const StartupItem& item : items)
        EXPECT_TRUE(item.statusKnown) << item.label.toStdString();

    // A table that cannot be read leaves its domain to the files.
    launchd.breakTable("system");
    const QList<StartupItem> partly = StartupService().discoverItems();
    EXPECT_TRUE(find(partly, "com.example.alpha")->statusKnown);
    EXPECT_FALSE(find(partly, "com.example.epsilon")->statusKnown);
    EXPECT_TRUE(find(partly, "com.example.epsilon")->isEnabled);
}

TEST(StartupDiscoveryTest, WithoutLaunchctlNothingIsKnownOrLoaded)
{
    LaunchdFixture launchd;
    launchd.removeLaunchctl();
    launchd.userAgent("a.plist", LaunchdFixture::agent("com.example.alpha", "/a", "<key>Disabled</key><true/>"));
    launchd.daemon("d.plist", LaunchdFixture::agent("com.example.delta", "/d"));

    const QList<StartupItem> items = StartupService().discoverItems();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].label, "com.example.delta");
    EXPECT_TRUE(items[0].isEnabled);
    EXPECT_FALSE(items[1].isEnabled);
    for (const StartupItem& item : items) {
        EXPECT_FALSE(item.statusKnown);
        EXPECT_FALSE(item.isLoaded);
    }
}

TEST(StartupDiscoveryTest, LinuxHasNoStartupFolders)
{
    velk::platform::core::ScopedService<velk::platform::locations::Locations> linux(velk::platform::locations::Locations::linuxProfile("/nonexistent/home"));
    velk::platform::core::ScopedService<velk::platform::tools::ToolRunner> tools(velk::platform::tools::ToolRunner::createDefault());
    EXPECT_TRUE(StartupService().discoverItems().isEmpty());
}
