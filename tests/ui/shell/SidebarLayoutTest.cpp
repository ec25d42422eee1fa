#include "support/MemoryDefaults.h"
#include "ui/design/VDS.h"
#include "ui/shell/SidebarLayout.h"
#include "ui/shell/SidebarWidth.h"

#include <gtest/gtest.h>

namespace velk::shell {
namespace {

TEST(SidebarWidthTest, ClampsBetweenTheBounds)
{
    EXPECT_EQ(SidebarWidth::clamp(100), 210);
    EXPECT_EQ(SidebarWidth::clamp(233), 233);
    EXPECT_EQ(SidebarWidth::clamp(500), 377);
    EXPECT_EQ(SidebarWidth::clamp(std::numeric_limits<double>::quiet_NaN()), 210);
}

TEST(SidebarWidthTest, SnapsToTheStepWithHalvesAwayFromZero)
{
    EXPECT_EQ(SidebarWidth::snap(233), 231);
    EXPECT_EQ(SidebarWidth::snap(220), 210);
    EXPECT_EQ(SidebarWidth::snap(241.5), 252);
    EXPECT_EQ(SidebarWidth::snap(241), 231);
    EXPECT_EQ(SidebarWidth::snap(242), 252);
    EXPECT_EQ(SidebarWidth::snap(366), 357);
    EXPECT_EQ(SidebarWidth::snap(376), 378);
    EXPECT_EQ(SidebarWidth::snap(377), 378);
    EXPECT_EQ(SidebarWidth::snap(1e9), 378);
    EXPECT_EQ(SidebarWidth::snap(-50), 210);
}

class SidebarLayoutTest : public testing::Test {
protected:
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();

    std::unique_ptr<SidebarLayout> restored()
    {
        auto layout = std::make_unique<SidebarLayout>(defaults);
        layout->restore();
        return layout;
    }
};

TEST_F(SidebarLayoutTest, FirstLaunchIsExpandedAtTheSnappedDefaultAndWritesNothing)
{
    auto layout = restored();
    EXPECT_FALSE(layout->collapsed());
    EXPECT_EQ(layout->width(), 231);
    EXPECT_EQ(layout->persistedExpandedWidth(), 233);
    EXPECT_TRUE(defaults->writes().empty());
}

TEST_F(SidebarLayoutTest, StoredWidthsAreSnappedWithinTheBounds)
{
    defaults->seed(SidebarLayout::expandedWidthKey, 500.0);
    EXPECT_EQ(restored()->width(), 378);
    defaults->seed(SidebarLayout::expandedWidthKey, 100.0);
    EXPECT_EQ(restored()->width(), 210);
}

TEST_F(SidebarLayoutTest, NarrowLegacyWidthMeansCollapsedAndIsRemoved)
{
    defaults->seed(SidebarLayout::legacyWidthKey, 180.0);
    defaults->seed(SidebarLayout::expandedWidthKey, 273.0);
    auto layout = restored();
    EXPECT_TRUE(layout->collapsed());
    EXPECT_EQ(layout->width(), 56);
    EXPECT_EQ(layout->expandedWidth(), 273);
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 273.0);
    EXPECT_TRUE(defaults->writesTo(SidebarLayout::expandedWidthKey).isEmpty());
    EXPECT_FALSE(defaults->contains(SidebarLayout::legacyWidthKey));
    EXPECT_EQ(defaults->boolean(SidebarLayout::collapsedKey), true);
}

TEST_F(SidebarLayoutTest, WideLegacyWidthBecomesTheSnappedStoredWidth)
{
    defaults->seed(SidebarLayout::legacyWidthKey, 300.0);
    auto layout = restored();
    EXPECT_FALSE(layout->collapsed());
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 294.0);
    EXPECT_EQ(layout->width(), 294);
    EXPECT_FALSE(defaults->contains(SidebarLayout::legacyWidthKey));
}

TEST_F(SidebarLayoutTest, UnusableLegacyWidthIsOnlyRemoved)
{
    for (const QVariant& legacy : { QVariant(0.0), QVariant(-5.0), QVariant(QStringLiteral("wide")) }) {
        defaults = std::make_shared<test::MemoryDefaults>();
        defaults->seed(SidebarLayout::legacyWidthKey, legacy);
        auto layout = restored();
        EXPECT_FALSE(layout->collapsed()) << legacy.toString().toStdString();
        EXPECT_EQ(layout->width(), 231);
        ASSERT_EQ(defaults->writes().size(), 1u);
        EXPECT_EQ(defaults->writes()[0].key, SidebarLayout::legacyWidthKey);
        EXPECT_FALSE(defaults->writes()[0].value.isValid());
    }
}

TEST_F(SidebarLayoutTest, DragClampsWhileMovingThenSnapsAndStoresAtTheEnd)
{
    auto layout = restored();
    layout->dragChanged(400);
    EXPECT_TRUE(layout->dragging());
    EXPECT_EQ(layout->width(), 377);
    EXPECT_TRUE(defaults->writesTo(SidebarLayout::expandedWidthKey).isEmpty());
    layout->dragEnded();
    EXPECT_FALSE(layout->dragging());
    EXPECT_EQ(layout->width(), 378);
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 378.0);

    layout->dragChanged(-400);
    EXPECT_EQ(layout->width(), 210);
    layout->dragEnded();
    EXPECT_EQ(layout->width(), 210);
}

TEST_F(SidebarLayoutTest, DragTranslationCountsFromWhereTheDragBegan)
{
    auto layout = restored(); // 231
    layout->dragChanged(5);
    layout->dragChanged(10);
    EXPECT_EQ(layout->width(), 241);
    layout->dragEnded();
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 231.0);

    layout->dragChanged(11);
    layout->dragEnded();
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 252.0);
}

TEST_F(SidebarLayoutTest, DoubleClickRestoresTheDefaultUnsnappedUntilTheNextLaunch)
{
    defaults->seed(SidebarLayout::expandedWidthKey, 315.0);
    auto layout = restored();
    layout->resetWidth();
    EXPECT_EQ(layout->width(), 233);
    EXPECT_EQ(defaults->number(SidebarLayout::expandedWidthKey), 233.0);
    EXPECT_EQ(restored()->width(), 231);
}

TEST_F(SidebarLayoutTest, CollapseKeepsTheExpandedWidthAndPersists)
{
    defaults->seed(SidebarLayout::expandedWidthKey, 294.0);
    auto layout = restored();
    layout->toggleCollapsed();
    EXPECT_EQ(layout->width(), 56);
    EXPECT_EQ(layout->expandedWidth(), 294);
    EXPECT_EQ(defaults->boolean(SidebarLayout::collapsedKey), true);
    EXPECT_TRUE(restored()->collapsed());
    layout->toggleCollapsed();
    EXPECT_EQ(layout->width(), 294);
    EXPECT_EQ(defaults->boolean(SidebarLayout::collapsedKey), false);
}

TEST_F(SidebarLayoutTest, ContentInsetFollowsTheShownWidth)
{
    auto layout = restored();
    const double expanded = layout->contentLeadingInset();
    layout->toggleCollapsed();
    EXPECT_EQ(layout->contentLeadingInset(), design::VDS::Measure::mainContentLeadingInset(56, true));
    EXPECT_EQ(expanded, design::VDS::Measure::mainContentLeadingInset(231, false));
}

} // namespace
} // namespace velk::shell
