#include "engine/inspection/StartupService.h"
#include "platform/tools/AdminRunner.h"
#include "platform/core/CurrentUser.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"
#include "support/FakeAdminRunner.h"
#include "support/FakeFileRemover.h"
#include "support/FakeToolRunner.h"
#include "support/FakeUser.h"
#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velk;
using namespace velk::inspection;
using namespace velk::platform::core;
using namespace velk::platform::files;
using namespace velk::platform::locations;
using namespace velk::platform::tools;
using namespace velk::test;

namespace {

// The doubles every change goes through, for the user with id 501.
struct Launchd {
    TempTree tree;
    std::shared_ptr<FakeToolRunner> tools = std::make_shared<FakeToolRunner>();
    std::shared_ptr<FakeAdminRunner> admin = std::make_shared<FakeAdminRunner>();
    std::shared_ptr<FakeFileRemover> remover = std::make_shared<FakeFileRemover>();
    ScopedService<ToolRunner> boundTools{tools};
    ScopedService<AdminRunner> boundAdmin{admin};
    ScopedService<FileRemover> boundRemover{remover};
    ScopedService<CurrentUser> boundUser{std::make_shared<FakeUser>("/home/tester", 501)};

    Launchd() { tools->setOutput("/bin/launchctl", ""); }

    StartupItem item(StartupScope scope, const QString& label, const QString& folder)
    {
        StartupItem i;
        i.label = label;
        i.plistPath = tree.file(folder + '/' + label + ".plist");
        i.id = i.plistPath;
        i.scope = scope;
        return i;
    }
    QList<QStringList> launchctlCalls() const
    {
        QList<QStringList> calls;
        for (const ToolRequest& r : tools->requestsFor("/bin/launchctl"))
            calls.append(r.arguments);
        return calls;
    }
};

// Runs `check` in a child process that has dropped to an unprivileged user,
// for whom files the test made as root are not writable. True when the child
// reports success.
bool asUnprivilegedUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(StartupCommandsTest, OnePromptForTheGlobalItemsAfterTheUserItems)
{
    Launchd launchd;
    const StartupItem agent = launchd.item(StartupScope::globalAgent, "it's.agent", "Library/LaunchAgents");
    const StartupItem user = launchd.item(StartupScope::userAgent, "com.example.user", "home/Library/LaunchAgents");
    const StartupItem daemon = launchd.item(StartupScope::globalDaemon, "com.example.daemon", "Library/LaunchDaemons");
    qsizetype launchctlRunsBeforePrompt = -1;
    launchd.admin->setOnRun([&](const QString&) { launchctlRunsBeforePrompt = launchd.launchctlCalls().size(); });

    EXPECT_TRUE(StartupService().batchSetEnabled(false, {agent, user, daemon}));

    EXPECT_EQ(launchd.launchctlCalls(), (QList<QStringList>{{"disable", "gui/501/com.example.user"}}));
    EXPECT_EQ(launchctlRunsBeforePrompt, 1);
    EXPECT_EQ(launchd.admin->commands(),
              QStringList{"/bin/launchctl disable 'gui/501/it'\\''s.agent' && "
                          "/bin/launchctl disable 'system/com.example.daemon'"});
    const ToolRequest request = launchd.tools->requestsFor("/bin/launchctl").first();
    EXPECT_EQ(request.environment, ToolRequest::Environment::Inherit);
    EXPECT_TRUE(request.discardStandardError);

    EXPECT_TRUE(StartupService().setEnabled(true, daemon));
    EXPECT_EQ(launchd.admin->commands().last(), "/bin/launchctl enable 'system/com.example.daemon'");
}

TEST(StartupCommandsTest, RemovalUnloadsThenTrashesUserItemsAndDeletesGlobalOnesInOneCommand)
{
    Launchd launchd;
    const StartupItem agent = launchd.item(StartupScope::globalAgent, "it's.agent", "Library/LaunchAgents");
    const StartupItem user = launchd.item(StartupScope::userAgent, "com.example.user", "home/Library/LaunchAgents");
    const StartupItem daemon = launchd.item(StartupScope::globalDaemon, "com.example.daemon", "Library/LaunchDaemons");
    QStringList trashedBeforePrompt;
    launchd.admin->setOnRun([&](const QString&) { trashedBeforePrompt = launchd.remover->trashed(); });

    EXPECT_TRUE(StartupService().batchRemove({agent, user, daemon}));

    EXPECT_EQ(launchd.launchctlCalls(), (QList<QStringList>{{"bootout", "gui/501/com.example.user"}}));
    EXPECT_EQ(trashedBeforePrompt, QStringList{user.plistPath});
    EXPECT_TRUE(launchd.remover->removed().isEmpty());
    const QString agentPath = launchd.tree.path("Library/LaunchAgents/it'\\''s.agent.plist");
    EXPECT_EQ(launchd.admin->commands(),
              QStringList{"(/bin/launchctl bootout gui/501/'it'\\''s.agent' || true) && /bin/rm -f '" + agentPath
                          + "' && (/bin/launchctl bootout system/'com.example.daemon' || true) && /bin/rm -f '"
                          + daemon.plistPath + "'"});
}

TEST(StartupCommandsTest, FailuresAreCountedButTheBatchGoesOn)
{
    Launchd launchd;
    const StartupItem first = launchd.item(StartupScope::userAgent, "com.example.one", "LaunchAgents");
    const StartupItem second = launchd.item(StartupScope::userAgent, "com.example.two", "LaunchAgents");
    const StartupItem daemon = launchd.item(StartupScope::globalDaemon, "com.example.daemon", "LaunchDaemons");
    StartupService service;

    launchd.tools->setOutput("/bin/launchctl", {"disable", "gui/501/com.example.one"}, "", 3);
    EXPECT_FALSE(service.batchSetEnabled(false, {first, second, daemon}));
    EXPECT_EQ(launchd.launchctlCalls().size(), 2);
    EXPECT_EQ(launchd.admin->commands().size(), 1);

    // A failed unload still trashes the file; a failed trash fails the batch.
    launchd.tools->setOutput("/bin/launchctl", "", 5);
    EXPECT_TRUE(service.remove(first));
    launchd.remover->failTrashFor(second.plistPath);
    EXPECT_FALSE(service.batchRemove({second, first}));
    EXPECT_EQ(launchd.remover->trashed().mid(1), (QStringList{second.plistPath, first.plistPath}));

    // A cancelled prompt fails the whole administrator part.
    launchd.admin->setSucceeds(false);
    EXPECT_FALSE(service.setEnabled(true, daemon));
    EXPECT_FALSE(service.remove(daemon));
    // No launchctl at all: user items cannot be changed.
    launchd.tools->setResult("/bin/launchctl", ToolResult{});
    EXPECT_FALSE(service.setEnabled(true, first));
}

TEST(StartupCommandsTest, EmptyListsRunNothingAndSucceed)
{
    Launchd launchd;
    StartupService service;
    EXPECT_TRUE(service.batchSetEnabled(true, {}));
    EXPECT_TRUE(service.batchRemove({}));
    EXPECT_TRUE(launchd.tools->requests().isEmpty());
    EXPECT_TRUE(launchd.admin->commands().isEmpty());
    EXPECT_TRUE(launchd.remover->trashed().isEmpty());
}

TEST(StartupCommandsTest, AUserPropertyListTheUserCannotWriteIsDeletedAsAdministrator)
{
    Launchd launchd;
    const StartupItem foreign = launchd.item(StartupScope::userAgent, "com.other.agent", "LaunchAgents");
    ::chmod(QFile::encodeName(foreign.plistPath).constData(), 0444);

    EXPECT_TRUE(asUnprivilegedUser([&] {
        if (!StartupService().remove(foreign))
            return false;
        return launchd.remover->trashed().isEmpty()
            && launchd.admin->commands()
            == QStringList{"(/bin/launchctl bootout gui/501/'com.other.agent' || true) && /bin/rm -f '"
                           + foreign.plistPath + "'"};
    }));
}

TEST(StartupCommandsTest, ShellQuotingKeepsEveryCharacterLiteral)
{
    EXPECT_EQ(StartupService::shellQuoted("plain"), "'plain'");
    EXPECT_EQ(StartupService::shellQuoted("it's"), "'it'\\''s'");
    EXPECT_EQ(StartupService::shellQuoted("$(rm -rf /) `x` \"q\" \\"), "'$(rm -rf /) `x` \"q\" \\'");
    EXPECT_EQ(StartupService::shellQuoted(""), "''");
}

TEST(StartupCommandsTest, DisabledTableGrammar)
{
    const QString text = "disabled services = {\n"
                         "\t\"com.example.agent\" => true\n"
                         "\t\"com.example.other\" => false\n"
                         "\t\"com.example.odd\" => maybe\n"
                         "\t\"a=>b\" => true\n"
                         "\t com.example.bare\t=>\tfalse \n"
                         "\t\"com.example.agent\" => false\n"
                         "}\n";
    const QHash<QString, bool> expected{
        {"com.example.agent", false}, {"com.example.other", false}, {"com.example.bare", false}};
    EXPECT_EQ(StartupService::parseDisabledOverrides(text), expected);
    EXPECT_TRUE(StartupService::parseDisabledOverrides("").isEmpty());

    EXPECT_TRUE(StartupService::isEnabled(false, std::nullopt));
    EXPECT_FALSE(StartupService::isEnabled(true, std::nullopt));
    EXPECT_TRUE(StartupService::isEnabled(true, false));
    EXPECT_FALSE(StartupService::isEnabled(false, true));
}

TEST(StartupCommandsTest, LoadedLabelsSkipTheHeaderAndShortLines)
{
    const QString text = "PID\tStatus\tLabel\n"
                         "123\t0\tcom.example.running\n"
                         "-\t78\tcom.example.stopped\n"
                         "\n"
                         "-\t0\n"
                         "-\t\t0\t\tcom.example.gaps\n"
                         "456\t0\tcom.example.tab\tinside\n";
    // Empty fields are dropped without counting as splits, so the label
    // keeps what follows the second split whole.
    const QSet<QString> expected{"com.example.running", "com.example.stopped", "\tcom.example.gaps",
                                 "com.example.tab\tinside"};
    EXPECT_EQ(StartupService::parseLoadedLabels(text), expected);
    EXPECT_TRUE(StartupService::parseLoadedLabels("123\t0\tonly.header.line\n").isEmpty());
}

TEST(StartupCommandsTest, DisplayNameRules)
{
    TempTree tree;
    ScopedService<Locations> mac(Locations::macProfile(tree.root(), tree.path("Users/me")));
    tree.dir("Applications/Example.app/Contents/MacOS");

    const auto bundle = StartupService::extractAppBundlePath("/Applications/Example.app/Contents/MacOS/worker");
    EXPECT_EQ(bundle, tree.path("Applications/Example.app"));
    EXPECT_EQ(StartupService::extractAppBundlePath("/Applications/Example.app"), tree.path("Applications/Example.app"));
    EXPECT_EQ(StartupService::extractAppBundlePath("/Applications/Gone.app/Contents/MacOS/gone"), std::nullopt);
    EXPECT_EQ(StartupService::extractAppBundlePath("/usr/local/bin/tool"), std::nullopt);
    EXPECT_EQ(StartupService::extractAppBundlePath(std::nullopt), std::nullopt);

    EXPECT_EQ(StartupService::deriveDisplayName("com.example.agent", bundle, "/x"), "Example");
    EXPECT_EQ(StartupService::deriveDisplayName("com.example.sync.worker", std::nullopt, "/x/y"), "sync worker");
    EXPECT_EQ(StartupService::deriveDisplayName("com..example..agent", std::nullopt, std::nullopt), "agent");
    EXPECT_EQ(StartupService::deriveDisplayName("example.tool", std::nullopt, "/usr/local/bin/tool"), "tool");
    EXPECT_EQ(StartupService::deriveDisplayName("example.tool", std::nullopt, std::nullopt), "example.tool");
}
