#include "ui/screens/dashboard/DeviceHeroArt.h"
#include "ui/screens/dashboard/GoldenLayouts.h"
#include "ui/screens/dashboard/HomeToolSections.h"

#include <gtest/gtest.h>

namespace velk::screens {
namespace {

using golden::Placement;
using golden::Proposal;

TEST(GoldenSplitLayout, SplitsTheWidthLeftAfterTheGapByTheGoldenRatio)
{
    const auto placed = golden::goldenSplitPlacement(QRectF(0, 0, 1000, 300), 34, 2);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_DOUBLE_EQ(placed[0].x, 0);
    EXPECT_DOUBLE_EQ(placed[0].width, 597.0208331323984);
    EXPECT_DOUBLE_EQ(placed[1].x, 631.0208331323984);
    EXPECT_DOUBLE_EQ(placed[1].width, 368.97916686760163);
    // Both panes take their own heights.
    EXPECT_FALSE(placed[0].height);
    EXPECT_FALSE(placed[1].height);

    // Offset bounds move both panes.
    const auto moved = golden::goldenSplitPlacement(QRectF(10, 20, 1000, 300), 34, 2);
    EXPECT_DOUBLE_EQ(moved[1].x, 641.0208331323984);
    EXPECT_DOUBLE_EQ(moved[1].y, 20);
}

TEST(GoldenSplitLayout, NarrowerThanItsSpacingGivesEmptyPanes)
{
    const auto placed = golden::goldenSplitPlacement(QRectF(0, 0, 20, 100), 34, 2);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].width, 0);
    EXPECT_EQ(placed[1].width, 0);
    EXPECT_EQ(placed[1].x, 34);
}

TEST(GoldenSplitLayout, MeasuresTheTallerPaneAtItsShareOfTheFallbackWidth)
{
    std::vector<std::pair<int, double>> asked;
    const QSizeF size = golden::goldenSplitSize({}, 34, 2, [&](int index, double width) {
        asked.emplace_back(index, width);
        return index == 0 ? 120.0 : 200.0;
    });
    EXPECT_EQ(size, QSizeF(987, 200));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_DOUBLE_EQ(asked[0].second, (987 - 34) * golden::majorShare);
    EXPECT_DOUBLE_EQ(asked[1].second, (987 - 34) - (987 - 34) * golden::majorShare);
}

TEST(GoldenSplitLayout, OtherThanTwoChildrenPlacesNothingAndMeasuresTheProposal)
{
    const auto never = [](int, double) -> double {
        ADD_FAILURE() << "no pane is measured";
        return 0;
    };
    for (const int count : { 0, 1, 3 }) {
        EXPECT_TRUE(golden::goldenSplitPlacement(QRectF(0, 0, 1000, 300), 34, count).empty()) << count;
        EXPECT_EQ(golden::goldenSplitSize({}, 34, count, never), QSizeF(0, 0)) << count;
        EXPECT_EQ(golden::goldenSplitSize({ 400.0, 90.0 }, 34, count, never), QSizeF(400, 90)) << count;
    }
}

TEST(AppShellLayout, IdealSizeIsTheMinimumWindowAndAProposalIsTakenAsIs)
{
    EXPECT_EQ(golden::appShellSize({}), QSizeF(987, 610));
    EXPECT_EQ(golden::appShellSize({ 1200.0, std::nullopt }), QSizeF(1200, 610));
    EXPECT_EQ(golden::appShellSize({ 500.0, 300.0 }), QSizeF(500, 300));
}

TEST(AppShellLayout, SidebarKeepsItsWidthAndTheContentTakesTheRest)
{
    const auto placed = golden::appShellPlacement(QRectF(5, 7, 1000, 600), 2);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0], (Placement { 5, 7, 233, 600.0 }));
    EXPECT_EQ(placed[1], (Placement { 238, 7, 767, 600.0 }));

    const auto narrow = golden::appShellPlacement(QRectF(0, 0, 200, 600), 2);
    EXPECT_EQ(narrow[0].width, 233);
    EXPECT_EQ(narrow[1].width, 0);

    for (const int count : { 0, 1, 3 })
        EXPECT_TRUE(golden::appShellPlacement(QRectF(0, 0, 1000, 600), count).empty()) << count;
}

TEST(DeviceHero, PictureFollowsTheKindOfMachine)
{
    EXPECT_EQ(DeviceHeroArt::pictureFor("macBook"), "MacBookHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("macPro"), "MacBookHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("unknown"), "MacBookHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("something else"), "MacBookHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("macMini"), "MacMiniHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("macStudio"), "MacMiniHero");
    EXPECT_EQ(DeviceHeroArt::pictureFor("iMac"), "iMacHero");
}

} // namespace
} // namespace velk::screens
