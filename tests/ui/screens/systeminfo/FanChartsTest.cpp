#include "ui/screens/systeminfo/FanCharts.h"

#include <gtest/gtest.h>

namespace velk::screens {
namespace {

TEST(FanGauge, MeasuresProgressAndTone)
{
    const FanGauge compact = fanGauge(2400, 6000, true, 88);
    EXPECT_NEAR(compact.dial, 74.8, 1e-9);
    EXPECT_NEAR(compact.boxHeight, 43.384, 1e-9);
    EXPECT_NEAR(compact.stroke, 6.732, 1e-9);
    EXPECT_DOUBLE_EQ(fanGauge(2400, 6000, false, 88).dial, 88);

    struct Case {
        qint64 rpm;
        qint64 max;
        double progress;
        double angle;
        palette::ColorRole tone;
    };
    for (const Case& c : {Case{1500, 0, 0, -90, palette::ColorRole::accent}, Case{1500, -5, 0, -90, palette::ColorRole::accent},
                          Case{-40, 6000, 0, -90, palette::ColorRole::accent}, Case{3000, 6000, 0.5, 0, palette::ColorRole::accent},
                          Case{52, 100, 0.52, 3.6, palette::ColorRole::amber}, Case{78, 100, 0.78, 50.4, palette::ColorRole::red},
                          Case{7000, 6000, 1, 90, palette::ColorRole::red}}) {
        const FanGauge g = fanGauge(c.rpm, c.max, false, 88);
        EXPECT_DOUBLE_EQ(g.progress, c.progress) << c.rpm << "/" << c.max;
        EXPECT_NEAR(g.needleAngle, c.angle, 1e-9) << c.rpm << "/" << c.max;
        EXPECT_EQ(g.tone, c.tone) << c.rpm << "/" << c.max;
    }
}

TEST(FanSectors, DivideTheRingEquallyAndNeverRunBackwards)
{
    struct Case {
        std::size_t fans;
        double span;
    };
    for (const Case& c : {Case{1, 0.98}, Case{2, 0.48}, Case{3, 0.94 / 3}, Case{4, 0.23}}) {
        const auto sectors = fanSectors(std::vector<sensors::FanReading>(c.fans, sensors::FanReading{0, 3000, 6000}));
        ASSERT_EQ(sectors.size(), c.fans);
        for (std::size_t i = 0; i < c.fans; ++i) {
            EXPECT_NEAR(sectors[i].start, static_cast<double>(i) / static_cast<double>(c.fans), 1e-12) << c.fans;
            EXPECT_NEAR(sectors[i].span, c.span, 1e-12) << c.fans;
        }
    }
    const auto loads = fanSectors({{0, 6000, 0}, {1, 9000, 6000}, {2, 3120, 6000}});
    EXPECT_EQ(loads[0].load, 0);
    EXPECT_EQ(loads[0].tone, palette::ColorRole::accent);
    EXPECT_EQ(loads[1].load, 1);
    EXPECT_EQ(loads[1].tone, palette::ColorRole::red);
    EXPECT_EQ(loads[2].tone, palette::ColorRole::amber);

    for (const FanSector& s : fanSectors(std::vector<sensors::FanReading>(60, sensors::FanReading{0, 3000, 6000})))
        EXPECT_EQ(s.span, 0);
    EXPECT_TRUE(fanSectors({}).empty());
}

} // namespace
} // namespace velk::screens
