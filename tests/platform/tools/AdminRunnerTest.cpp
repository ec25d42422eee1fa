#include "platform/tools/AdminRunner.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeToolRunner.h"

#include <gtest/gtest.h>

using namespace velk::platform::core;
using namespace velk::platform::tools;
using velk::test::FakeToolRunner;

TEST(AdminRunnerTest, ScriptSourceEscapesBackslashesBeforeQuotes)
{
    EXPECT_EQ(administratorScriptSource("/bin/launchctl disable 'system/com.example.daemon'"),
              "do shell script \"/bin/launchctl disable 'system/com.example.daemon'\" with administrator privileges");
    // A backslash already in the command is doubled first, so the backslash
    // added before a quote is not doubled again.
    EXPECT_EQ(administratorScriptSource(R"(echo "a\b" 'it'\''s')"),
              R"(do shell script "echo \"a\\b\" 'it'\\''s'" with administrator privileges)");
    EXPECT_EQ(administratorScriptSource(""), R"(do shell script "" with administrator privileges)");
}

TEST(AdminRunnerTest, RunsTheCommandAsOneShellArgumentThroughThePrompt)
{
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    tools->setOutput("/usr/bin/pkexec", "", 0);
    const QString command = "(/bin/launchctl bootout system/'a b' || true) && /bin/rm -f '/x; y'";

    EXPECT_TRUE(AdminRunner::createDefault()->run(command));

    const auto requests = tools->requestsFor("/usr/bin/pkexec");
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].arguments, (QStringList{"--disable-internal-agent", "/bin/sh", "-c", command}));
    EXPECT_EQ(requests[0].environment, ToolRequest::Environment::Inherit);
    // The prompt waits for the user, so the safety limit must not end it.
    ASSERT_TRUE(requests[0].limit.has_value());
    EXPECT_EQ(*requests[0].limit, ToolRequest::noLimit());
}

TEST(AdminRunnerTest, OnlyExitStatusZeroIsSuccess)
{
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    const auto runner = AdminRunner::createDefault();

    for (const int status : {1, 126, 127}) {
        tools->setOutput("/usr/bin/pkexec", "", status);
        EXPECT_FALSE(runner->run("true")) << status;
    }
    ToolResult killed;  // launched, but ended by a signal
    killed.launched = true;
    tools->setResult("/usr/bin/pkexec", killed);
    EXPECT_FALSE(runner->run("true"));
    tools->setResult("/usr/bin/pkexec", ToolResult{});  // prompt not installed
    EXPECT_FALSE(runner->run("true"));
}
