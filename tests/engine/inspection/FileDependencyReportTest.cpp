#include "engine/inspection/FileDependencyService.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"
#include "support/FakeToolRunner.h"

#include <gtest/gtest.h>

using namespace velk;
using namespace velk::inspection;
using Risk = FileDependencyReport::Risk;
using velk::platform::core::ScopedService;
using velk::platform::tools::ToolRunner;
using velk::test::FakeToolRunner;

TEST(FileDependencyReportTest, RiskFollowsHoldersThenLinksThenOwner)
{
    FileDependencyReport plain;
    plain.owner = FileOwnerHint{FileOwnerHint::Kind::userData, "Documents", {}, {}};
    EXPECT_EQ(plain.risk(), Risk::noneFound);
    EXPECT_EQ(FileDependencyReport{}.risk(), Risk::noneFound);

    FileDependencyReport linked = plain;
    linked.hardLinkCount = 2;
    EXPECT_EQ(linked.risk(), Risk::caution);

    FileDependencyReport owned;
    owned.owner = FileOwnerHint{FileOwnerHint::Kind::developerDeps, "Homebrew", {}, {}};
    EXPECT_EQ(owned.risk(), Risk::caution);

    FileDependencyReport held = owned;
    held.openBy = {{42, "tail"}};
    EXPECT_EQ(held.risk(), Risk::inUse);
    FileDependencyReport referenced = plain;
    referenced.launchReferences = {{"com.example.agent", "/Library/LaunchAgents/a.plist", LaunchReference::Scope::systemAgent}};
    EXPECT_EQ(referenced.risk(), Risk::inUse);
}

TEST(FileDependencyReportTest, DownloadSourcesAreReadFromTheMetadataList)
{
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    const QString path = "/data/setup.dmg";

    tools->setOutput("/usr/bin/mdls", "(\n    \"https://cdn.example.com/setup.dmg\",\n    \"ftp://mirror.example.org/\",\n"
                                      "    \"file:///local\",\n    \"\"\n)");
    EXPECT_EQ(FileDependencyService::whereFroms(path),
              (QStringList{"https://cdn.example.com/setup.dmg", "ftp://mirror.example.org/"}));
    const auto requests = tools->requestsFor("/usr/bin/mdls");
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].arguments, (QStringList{"-name", "kMDItemWhereFroms", "-raw", path}));

    tools->setOutput("/usr/bin/mdls", "(null)");
    EXPECT_TRUE(FileDependencyService::whereFroms(path).isEmpty());
    tools->setOutput("/usr/bin/mdls", "");
    EXPECT_TRUE(FileDependencyService::whereFroms(path).isEmpty());
}
