#include "platform/tools/DetachedLaunch.h"
#include "platform/desktop/WorkspaceLinux.h"

#include "support/FakeToolRunner.h"
#include "support/FakeWorkspace.h"
#include "support/ManualExecutor.h"
#include "support/TempTree.h"

#include <QTest>
#include <gtest/gtest.h>

namespace velk::test {
namespace {

using platform::desktop::LinuxWorkspace;

struct Launch {
    QString executable;
    QStringList arguments;
    bool operator==(const Launch&) const = default;
};

class LinuxWorkspaceTest : public ::testing::Test {
protected:
    LinuxWorkspaceTest()
    {
        // Every tool is served by an executable that exists; nothing runs.
        for (const char* tool : {"/usr/bin/xdg-open", "/usr/bin/gio", "/usr/bin/dbus-send"})
            table.add(QString::fromLatin1(tool), {QStringLiteral("/bin/sh")});
    }

    LinuxWorkspace workspace()
    {
        return LinuxWorkspace(table, [this](const QString& exe, const QStringList& args) {
            launches.append({exe, args});
            return true;
        }, runner, executor);
    }

    platform::tools::ToolTable table;
    QList<Launch> launches;
    std::shared_ptr<FakeToolRunner> runner = std::make_shared<FakeToolRunner>();
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    TempTree tree;
};

TEST_F(LinuxWorkspaceTest, AddressesAndFilesGoToTheDefaultApplication)
{
    LinuxWorkspace ws = workspace();
    EXPECT_TRUE(ws.openUrl(QUrl(QStringLiteral("https://example.org/a b"))));
    EXPECT_TRUE(ws.openUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/x y"))));
    EXPECT_TRUE(ws.openFile(QStringLiteral("/tmp/-rf")));
    ASSERT_EQ(launches.size(), 3);
    EXPECT_EQ(launches[0], (Launch{"/bin/sh", {"https://example.org/a%20b"}}));
    EXPECT_EQ(launches[1], (Launch{"/bin/sh", {"/tmp/x y"}}));
    EXPECT_EQ(launches[2], (Launch{"/bin/sh", {"/tmp/-rf"}}));

    // Addresses that would start some other registered handler, or nothing.
    EXPECT_FALSE(ws.openUrl(QUrl(QStringLiteral("javascript:alert(1)"))));
    EXPECT_FALSE(ws.openUrl(QUrl(QStringLiteral("smb://host/share"))));
    EXPECT_FALSE(ws.openUrl(QUrl()));
    EXPECT_FALSE(ws.openFile(QString()));
    EXPECT_EQ(launches.size(), 3);
}

TEST_F(LinuxWorkspaceTest, AMissingLauncherStartsNothing)
{
    table = platform::tools::ToolTable();
    LinuxWorkspace ws = workspace();
    EXPECT_FALSE(ws.openUrl(QUrl(QStringLiteral("https://example.org"))));
    EXPECT_FALSE(ws.openFile(QStringLiteral("/tmp")));
    EXPECT_TRUE(launches.isEmpty());
}

TEST_F(LinuxWorkspaceTest, RevealAsksTheFileManagerFromTheBackgroundAndFallsBackToTheFolder)
{
    LinuxWorkspace ws = workspace();
    const QString odd = tree.file(QStringLiteral("dir/a,b 'c\".txt"));
    ws.revealFiles({odd, tree.file(QStringLiteral("dir/d"))});
    EXPECT_TRUE(runner->requests().isEmpty());   // nothing waited for on the caller's thread
    executor->runAll();

    const auto asked = runner->requestsFor(QStringLiteral("/usr/bin/dbus-send"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].environment, platform::tools::ToolRequest::Environment::Inherit);
    const QString items = asked[0].arguments.value(6);
    // Two addresses, each percent-encoded so no comma or quote splits them.
    EXPECT_EQ(items.count(u','), 1);
    EXPECT_TRUE(items.startsWith(QStringLiteral("array:string:file://")));
    EXPECT_TRUE(items.contains(QStringLiteral("a%2Cb%20%27c%22.txt")));
    EXPECT_EQ(QUrl(LinuxWorkspace::fileAddress(odd)).toLocalFile(), odd);
    // No file manager answered (the double launched nothing): the folder opens.
    ASSERT_EQ(launches.size(), 1);
    EXPECT_EQ(launches[0], (Launch{"/bin/sh", {tree.path(QStringLiteral("dir"))}}));

    launches.clear();
    runner->setOutput(QStringLiteral("/usr/bin/dbus-send"), "method return");
    ws.revealFiles({odd});
    executor->runAll();
    EXPECT_TRUE(launches.isEmpty());
}

TEST_F(LinuxWorkspaceTest, ApplicationsStartAsDesktopEntriesOrPrograms)
{
    LinuxWorkspace ws = workspace();
    const QString entry = tree.fileWithContent(QStringLiteral("app.desktop"),
                                               "[Desktop Entry]\nName=App\nIcon = app-icon\n[Action new]\nIcon=other\n");
    const QString plain = tree.file(QStringLiteral("notes.txt"));
    EXPECT_TRUE(ws.openApplication(entry));
    EXPECT_TRUE(ws.openApplication(QStringLiteral("/bin/sh")));
    EXPECT_FALSE(ws.openApplication(plain));   // not a program
    EXPECT_FALSE(ws.openApplication(tree.path(QStringLiteral("gone.desktop"))));
    ASSERT_EQ(launches.size(), 2);
    EXPECT_EQ(launches[0], (Launch{"/bin/sh", {"launch", entry}}));
    EXPECT_EQ(launches[1], (Launch{"/bin/sh", {}}));

    EXPECT_EQ(ws.iconFor(entry), QStringLiteral("app-icon"));
    EXPECT_EQ(ws.iconFor(tree.root()), QStringLiteral("folder"));
    EXPECT_EQ(ws.iconFor(plain), QStringLiteral("text-plain"));
    EXPECT_EQ(ws.iconFor(tree.fileWithContent(QStringLiteral("bare.desktop"), "[Desktop Entry]\n")),
              QStringLiteral("application-x-executable"));
}

TEST(DetachedLaunchTest, StartsTheProgramWithoutWaitingForIt)
{
    TempTree tree;
    const QString marker = tree.path(QStringLiteral("started"));
    // The program outlives the call: it waits for the marker's sibling,
    // which appears only after launchDetached returned.
    const QString go = tree.path(QStringLiteral("go"));
    const QString script = QStringLiteral("touch \"$1\"; i=0; while [ ! -e \"$2\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done; rm -f \"$1\"");
    ASSERT_TRUE(platform::tools::launchDetached(QStringLiteral("/bin/sh"), {"-c", script, "sh", marker, go}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000));
    tree.file(QStringLiteral("go"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(marker); }, 10000));

    EXPECT_FALSE(platform::tools::launchDetached(tree.path(QStringLiteral("missing")), {}));
    EXPECT_FALSE(platform::tools::launchDetached(QString(), {}));
}

TEST(FakeWorkspaceTest, RecordsRequestsInOrder)
{
    FakeWorkspace ws;
    EXPECT_TRUE(ws.openUrl(QUrl(QStringLiteral("https://example.org"))));
    ws.revealFiles({QStringLiteral("/a"), QStringLiteral("/b")});
    ws.setFailing(true);
    EXPECT_FALSE(ws.openApplication(QStringLiteral("/x.desktop")));
    ws.setIcon(QStringLiteral("/x.desktop"), QStringLiteral("x"));
    EXPECT_EQ(ws.iconFor(QStringLiteral("/x.desktop")), QStringLiteral("x"));
    EXPECT_EQ(ws.calls(), (QList<FakeWorkspace::Call>{{"openUrl", {"https://example.org"}},
                                                      {"revealFiles", {"/a", "/b"}},
                                                      {"openApplication", {"/x.desktop"}}}));
}

} // namespace
} // namespace velk::test
