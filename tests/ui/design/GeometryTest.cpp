#include "ui/design/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk::design {
namespace {

TEST(FlowLayoutGeometry, WrapsWhenTheNextChildWouldPassTheWidth)
{
    const QList<QSizeF> chips(3, QSizeF(40, 20));
    EXPECT_EQ(flowLayoutSize(chips, 8, 100), QSizeF(96, 48));
    EXPECT_EQ(flowLayoutPositions(chips, 8, QRectF(0, 0, 100, 48)),
        (QList<QPointF> { { 0, 0 }, { 48, 0 }, { 0, 28 } }));
    // Bounds need not start at the origin.
    EXPECT_EQ(flowLayoutPositions(chips, 8, QRectF(10, 5, 100, 48)),
        (QList<QPointF> { { 10, 5 }, { 58, 5 }, { 10, 33 } }));
    // The tallest child of a row sets the next row's offset.
    const QList<QSizeF> mixed { { 40, 20 }, { 40, 30 }, { 40, 10 } };
    EXPECT_EQ(flowLayoutPositions(mixed, 8, QRectF(0, 0, 100, 100)).at(2), QPointF(0, 38));
    EXPECT_EQ(flowLayoutSize(mixed, 8, 100), QSizeF(96, 48));
}

TEST(FlowLayoutGeometry, OpenWidthEmptyAndOversizedChildren)
{
    const QList<QSizeF> wide(30, QSizeF(40, 20)); // 30 x 48 = 1440 > 1000
    const QSizeF open = flowLayoutSize(wide, 8, std::nullopt);
    EXPECT_EQ(open.width(), 21 * 48); // the 21st chip ends exactly at 1000 and still fits
    EXPECT_EQ(open.height(), 48);
    EXPECT_EQ(flowLayoutSize({}, 8, 100), QSizeF(0, 0));
    EXPECT_EQ(flowLayoutSize({}, 8, std::nullopt), QSizeF(0, 0));

    const QList<QSizeF> oversized { { 300, 20 } };
    EXPECT_EQ(flowLayoutSize(oversized, 8, 200), QSizeF(308, 20));
    EXPECT_EQ(flowLayoutPositions(oversized, 8, QRectF(0, 0, 200, 20)).at(0), QPointF(0, 0));
    // An oversized child after others starts its own row and is never wrapped before.
    const QList<QSizeF> thenOversized { { 40, 20 }, { 300, 20 }, { 40, 20 } };
    EXPECT_EQ(flowLayoutPositions(thenOversized, 8, QRectF(0, 0, 200, 100)),
        (QList<QPointF> { { 0, 0 }, { 0, 28 }, { 0, 56 } }));
}

TEST(SparklineGeometry, ScaleTopAndSlots)
{
    const SparklineLayout empty = sparklineLayout({}, std::nullopt, 30);
    EXPECT_DOUBLE_EQ(empty.top, 1.15);
    EXPECT_TRUE(empty.slotOfValue.isEmpty());

    const SparklineLayout five = sparklineLayout({ 1, 2, 3, 4, 2 }, std::nullopt, 30);
    EXPECT_EQ(five.slotOfValue, (QList<double> { 25, 26, 27, 28, 29 }));
    EXPECT_DOUBLE_EQ(five.top, 4 * 1.15);

    EXPECT_DOUBLE_EQ(sparklineLayout({ 500, 20 }, 100.0, 30).top, 100);
    EXPECT_DOUBLE_EQ(sparklineLayout({ 0, 0, 0 }, std::nullopt, 30).top, 0.0001);
    EXPECT_DOUBLE_EQ(sparklineLayout({ -3, -1 }, std::nullopt, 30).top, 0.0001);
    EXPECT_DOUBLE_EQ(sparklineLayout({ 1 }, -5.0, 30).top, 0.0001);
    EXPECT_DOUBLE_EQ(sparklineLayout({ 1 }, std::numeric_limits<double>::quiet_NaN(), 30).top, 0.0001);

    // More values than slots: the oldest fall left of the domain.
    const SparklineLayout overfull = sparklineLayout({ 1, 2, 3, 4 }, std::nullopt, 2);
    EXPECT_EQ(overfull.slotOfValue, (QList<double> { -2, -1, 0, 1 }));
    EXPECT_EQ(sparklineLayout({ 1 }, std::nullopt, 0).slotCount, 1);
}

TEST(SparklineGeometry, PointsSpanThePlot)
{
    const SparklineLayout layout = sparklineLayout({ 0, 50, 100 }, 100.0, 3);
    const QSizeF plot(200, 40);
    EXPECT_EQ(sparklinePoint(layout, 0, 0, plot), QPointF(0, 40));
    EXPECT_EQ(sparklinePoint(layout, 1, 50, plot), QPointF(100, 20));
    EXPECT_EQ(sparklinePoint(layout, 2, 100, plot), QPointF(200, 0));
    // One slot: the single value sits at the right edge; non-finite values at the baseline.
    const SparklineLayout single = sparklineLayout({ 1 }, 1.0, 1);
    EXPECT_EQ(sparklinePoint(single, 0, std::numeric_limits<double>::infinity(), plot), QPointF(200, 40));
}

TEST(DotTrailGeometry, FortyEightDotsAlongAWideningArc)
{
    const QList<TrailDot> dots = dotTrail(QSizeF(400, 300));
    ASSERT_EQ(dots.size(), 48);
    EXPECT_NEAR(dots.first().rect.x(), 283.15, 0.005);
    EXPECT_NEAR(dots.first().rect.y(), 113.66, 0.005);
    EXPECT_EQ(dots.first().rect.size(), QSizeF(3, 3));
    EXPECT_DOUBLE_EQ(dots.first().opacity, 0.1);
    EXPECT_NEAR(dots.last().opacity, 0.1 + 0.18 * 47 / 48, 1e-12);
    for (qsizetype i = 1; i < dots.size(); ++i) {
        EXPECT_GT(dots[i].rect.x(), dots[i - 1].rect.x());
        EXPECT_GT(dots[i].opacity, dots[i - 1].opacity);
    }
}

TEST(ComponentArithmetic, FractionsAreClampedAndSweepsFollow)
{
    EXPECT_EQ(clampFraction(-0.2), 0);
    EXPECT_EQ(clampFraction(0.5), 0.5);
    EXPECT_EQ(clampFraction(1.7), 1);
    EXPECT_EQ(clampFraction(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(clampFraction(std::numeric_limits<double>::infinity()), 1);
    EXPECT_EQ(gaugeSweepDegrees(0.25), 90);
    EXPECT_EQ(gaugeSweepDegrees(1.4), 360);
    EXPECT_EQ(gaugeSweepDegrees(-1), 0);
}

TEST(ComponentArithmetic, TextRollMatchesCharactersFromTheRight)
{
    const QList<RollingCharacter> up = textRoll("9", "10");
    ASSERT_EQ(up.size(), 2);
    EXPECT_TRUE(up[0].from.isNull());
    EXPECT_EQ(up[0].to, u'1');
    EXPECT_EQ(up[1].from, u'9');
    EXPECT_EQ(up[1].to, u'0');

    const QList<RollingCharacter> same = textRoll("1024", "1034");
    ASSERT_EQ(same.size(), 4);
    EXPECT_FALSE(same[0].changes());
    EXPECT_FALSE(same[1].changes());
    EXPECT_TRUE(same[2].changes());
    EXPECT_FALSE(same[3].changes());

    const QList<RollingCharacter> shorter = textRoll("100%", "5%");
    ASSERT_EQ(shorter.size(), 4);
    EXPECT_TRUE(shorter[0].to.isNull());
    EXPECT_EQ(shorter[2].to, u'5');
    EXPECT_FALSE(shorter[3].changes());
    EXPECT_TRUE(textRoll("", "").isEmpty());
}

TEST(SheetGeometry, CentredOverTheOwnerAndKeptInsideTheScreen)
{
    const QRect screen(0, 30, 1280, 770);   // a panel over the top 30 pixels
    const struct {
        const char* what;
        QRect owner;
        QSize wanted;
        QRect available;
        QRect placed;
    } cases[] = {
        {"room on every side", {300, 100, 610, 754}, {754, 610}, screen, {228, 172, 754, 610}},
        {"owner at the left edge", {0, 100, 610, 754}, {754, 610}, screen, {0, 172, 754, 610}},
        {"past the right edge", {900, -200, 610, 500}, {754, 610}, screen, {526, 30, 754, 610}},
        {"larger than the screen", {0, 0, 987, 650}, {1500, 900}, screen, {0, 30, 1280, 770}},
        {"no screen known", {0, 0, 610, 754}, {754, 610}, QRect(), {-72, 72, 754, 610}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheetGeometry(c.owner, c.wanted, c.available), c.placed) << c.what;
}

} // namespace
} // namespace velk::design
