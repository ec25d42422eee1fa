#include "RecordingMonitorGate.h"
#include "ui/shell/SectionNames.h"
#include "ui/shell/SectionNavigator.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace velk::shell {
namespace {

class SectionNavigatorTest : public testing::Test {
protected:
    std::shared_ptr<test::RecordingMonitorGate::Log> log = std::make_shared<test::RecordingMonitorGate::Log>();
    SectionNavigator navigator { std::make_unique<test::RecordingMonitorGate>(log) };
};

TEST_F(SectionNavigatorTest, NothingIsSwitchedBeforeTheWindowAppears)
{
    EXPECT_EQ(navigator.selection(), "dashboard");
    EXPECT_TRUE(log->calls.isEmpty());
    navigator.appear();
    EXPECT_EQ(log->calls, QStringList({ "ports=0", "heavy=1" }));
}

TEST_F(SectionNavigatorTest, EverySectionGatesPortsThenHeavySampling)
{
    const QHash<QString, QStringList> expected {
        { "dashboard", { "ports=0", "heavy=1" } },
        { "systemInfo", { "ports=0", "heavy=1" } },
        { "processes", { "ports=1", "heavy=1" } },
        { "systemJunk", { "ports=0", "heavy=0" } },
        { "appUninstall", { "ports=0", "heavy=0" } },
        { "startup", { "ports=0", "heavy=0" } },
        { "largeFiles", { "ports=0", "heavy=0" } },
        { "privacy", { "ports=0", "heavy=0" } },
    };
    navigator.appear();
    // From a section other than the one chosen, so each is a change.
    for (const QString& name : allCaseNames()) {
        const QString other = name == "privacy" ? "startup" : "privacy";
        navigator.select(other);
        log->calls.clear();
        navigator.select(name);
        EXPECT_EQ(log->calls, expected.value(name)) << name.toStdString();
        EXPECT_EQ(navigator.selection(), name);
    }
    ASSERT_EQ(expected.size(), allCaseNames().size());
}

TEST_F(SectionNavigatorTest, AppearGatesTheStartSection)
{
    navigator.setInitialSection(design::AppSection::processes);
    EXPECT_TRUE(log->calls.isEmpty());
    navigator.appear();
    EXPECT_EQ(log->calls, QStringList({ "ports=1", "heavy=1" }));
}

TEST_F(SectionNavigatorTest, ChoosingTheSelectedSectionOrAnUnknownOneChangesNothing)
{
    navigator.appear();
    log->calls.clear();
    QSignalSpy changed(&navigator, &SectionNavigator::selectionChanged);
    navigator.select("dashboard");
    navigator.select("nowhere");
    navigator.navigate("");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(log->calls.isEmpty());
}

TEST_F(SectionNavigatorTest, ActivationSwitchesTheForegroundFlag)
{
    navigator.setApplicationActive(false);
    navigator.setApplicationActive(true);
    EXPECT_EQ(log->calls, QStringList({ "foreground=0", "foreground=1" }));
}

TEST_F(SectionNavigatorTest, LeavingForAnySectionButJunkWithdrawsTheDeepCleanRequest)
{
    navigator.setDeepCleanJunk(true);
    navigator.navigate("systemJunk");
    EXPECT_TRUE(navigator.deepCleanJunk());
    navigator.select("largeFiles");
    EXPECT_FALSE(navigator.deepCleanJunk());

    navigator.setDeepCleanJunk(true);
    navigator.select("systemJunk");
    EXPECT_TRUE(navigator.deepCleanJunk());
    navigator.select("dashboard");
    EXPECT_FALSE(navigator.deepCleanJunk());
}

TEST_F(SectionNavigatorTest, TransitionTellsRowsFromScreens)
{
    navigator.navigate("systemJunk");
    EXPECT_EQ(navigator.transition(), "screen");
    navigator.select("processes");
    EXPECT_EQ(navigator.transition(), "row");
    EXPECT_EQ(navigator.selectionId(), design::AppSection(design::AppSection::processes).rawValue());
}

} // namespace
} // namespace velk::shell
