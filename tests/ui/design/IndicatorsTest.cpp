#include "QuickFixture.h"

namespace velk {
namespace {

using Indicators = test::QuickFixture;

TEST_F(Indicators, GaugeArcIsHiddenAtZeroAndClampedAboveOne)
{
    show(R"(Row {
        CircularProgressView { objectName: "zero"; progress: 0; size: 100; lineWidth: 8; color: "red" }
        CircularProgressView { objectName: "quarter"; progress: 0.25; size: 100; lineWidth: 8; color: "red"; label: "25%"; sublabel: "Used" }
        CircularProgressView { objectName: "over"; progress: 1.4; size: 100; lineWidth: 8; color: "red" }
        CircularProgressView { objectName: "under"; progress: -1; size: 100; lineWidth: 8; color: "red" }
        VelkCleanerMiniGauge { objectName: "mini"; width: 120; title: "Disk"; value: "0%"; progress: 0 }
    })");
    EXPECT_FALSE(find("zero")->property("arcVisible").toBool());
    EXPECT_FALSE(find("under")->property("arcVisible").toBool());
    EXPECT_TRUE(find("over")->property("arcVisible").toBool());
    EXPECT_EQ(find("over")->property("sweep").toDouble(), 360);
    EXPECT_EQ(find("quarter")->property("sweep").toDouble(), 90);
    EXPECT_EQ(find("quarter")->size(), QSizeF(100, 100));
    EXPECT_FALSE(find("mini")->findChild<QQuickItem*>("miniGauge.arc")->isVisible());
    EXPECT_EQ(find("mini")->width(), 120);

    // Label 0.21 and sublabel 0.13 of the size; without texts, none are shown.
    auto* quarter = find("quarter");
    EXPECT_EQ(quarter->findChild<QQuickItem*>("gauge.label")->property("font").value<QFont>().pixelSize(), 21);
    EXPECT_EQ(quarter->findChild<QQuickItem*>("gauge.sublabel")->property("font").value<QFont>().pixelSize(), 13);
    EXPECT_FALSE(find("zero")->findChild<QQuickItem*>("gauge.label")->isVisible());
    EXPECT_FALSE(find("zero")->findChild<QQuickItem*>("gauge.sublabel")->isVisible());

    // A change animates towards the new sweep and hides the arc when it reaches 0.
    auto* over = find("over");
    over->setProperty("progress", 0.0);
    EXPECT_TRUE(test::waitFor([&] { return !over->property("arcVisible").toBool(); }));
}

TEST_F(Indicators, BarsFillTheClampedFraction)
{
    show(R"(Column {
        LiveBar { objectName: "live"; width: 200; value: 1.7 }
        LiveBar { objectName: "empty"; width: 200; value: -0.2 }
        AnimatedProgressBar { objectName: "bar"; width: 200; height: 10; value: 2 }
    })");
    EXPECT_EQ(find("live")->height(), 6);
    auto* liveFill = find("live")->findChild<QQuickItem*>("liveBar.fill");
    EXPECT_TRUE(test::waitFor([&] { return liveFill->width() == 200; }));
    EXPECT_EQ(find("empty")->findChild<QQuickItem*>("liveBar.fill")->width(), 0);
    auto* bar = find("bar");
    EXPECT_EQ(bar->findChild<QQuickItem*>("progressBar.track")->property("radius").toDouble(), 5);
    auto* fill = bar->findChild<QQuickItem*>("progressBar.fill");
    EXPECT_TRUE(test::waitFor([&] { return fill->width() == 200; }));
    bar->setProperty("value", 0.5);
    EXPECT_TRUE(test::waitFor([&] { return std::abs(fill->width() - 100) < 0.2; })) << fill->width();
}

// A fill, a chart or a number moves only while it is shown and only when it
// moves by a device pixel or more; anything else is drawn where it goes, so
// a hidden screen or a steady figure draws no frames.
TEST_F(Indicators, OnlyShownMovesOfAPixelOrMoreAnimate)
{
    show(R"(Column {
        LiveBar { objectName: "live"; width: 200 }
        AnimatedProgressBar { objectName: "bar"; width: 200 }
        Sparkline { objectName: "chart"; width: 100; height: 30; maxValue: 100; values: [0, 0] }
        AnimatedNumber { objectName: "number"; value: 1 }
    })");
    struct Step {
        const char* what;
        bool shown;
        double value;
        bool animates;
    };
    const Step steps[] = {
        { "a real change", true, 0.5, true },
        { "less than a pixel", true, 0.502, false },
        { "hidden", false, 0.9, false },
        { "shown again", true, 0.1, true },
    };
    for (const auto& [name, fillName] : { std::pair { "live", "liveBar.fill" }, std::pair { "bar", "progressBar.fill" } }) {
        QQuickItem* bar = find(name);
        auto* fill = bar->findChild<QQuickItem*>(fillName);
        for (const Step& step : steps) {
            bar->setVisible(step.shown);
            bar->setProperty("value", step.value);
            const double target = step.value * 200;
            EXPECT_EQ(fill->width() != target, step.animates) << name << ": " << step.what;
            if (step.animates && step.value != steps[std::size(steps) - 1].value) {
                EXPECT_TRUE(test::waitFor([&] { return std::abs(fill->width() - target) < 0.2; })) << name;
            }
        }
        bar->setVisible(false);  // hidden while it moves: it stands where it was going
        EXPECT_EQ(fill->width(), 20) << name;
    }
    QQuickItem* chart = find("chart");
    for (const Step& step : steps) {
        chart->setVisible(step.shown);
        chart->setProperty("values", QVariant::fromValue(QList<double> { step.value * 30, 0 }));
        EXPECT_EQ(chart->property("animating").toBool(), step.animates) << "chart: " << step.what;
        if (step.animates && step.value != steps[std::size(steps) - 1].value) {
            EXPECT_TRUE(test::waitFor([&] { return !chart->property("animating").toBool(); }));
        }
    }
    chart->setVisible(false);
    EXPECT_FALSE(chart->property("animating").toBool());

    QQuickItem* number = find("number");
    number->setVisible(false);
    number->setProperty("value", 2);
    EXPECT_EQ(number->property("progress").toDouble(), 1.0);
}

TEST_F(Indicators, SparklineScaleFollowsItsFields)
{
    show(R"(Column {
        Sparkline { objectName: "empty"; width: 100; height: 30 }
        Sparkline { objectName: "fixed"; width: 100; height: 30; maxValue: 100; values: [500, 20]; slots: 10 }
        Sparkline { objectName: "zeros"; width: 100; height: 30; values: [0, 0] }
    })");
    EXPECT_DOUBLE_EQ(find("empty")->property("scaleTop").toDouble(), 1.15);
    EXPECT_EQ(find("empty")->property("slots").toInt(), 30);
    EXPECT_DOUBLE_EQ(find("fixed")->property("scaleTop").toDouble(), 100);
    EXPECT_EQ(find("fixed")->property("slots").toInt(), 10);
    EXPECT_DOUBLE_EQ(find("zeros")->property("scaleTop").toDouble(), 0.0001);
}

TEST_F(Indicators, PulsingDotStopsWhileTheApplicationIsInactive)
{
    QQuickItem* dot = show(R"(PulsingDot { color: "red" })");
    ASSERT_TRUE(dot);
    auto* ring = find("pulsingDot.ring");
    auto announce = [](Qt::ApplicationState state) { emit qGuiApp->applicationStateChanged(state); };

    announce(Qt::ApplicationActive);
    EXPECT_TRUE(dot->property("pulsing").toBool());
    EXPECT_TRUE(test::waitFor([&] { return ring->scale() > 1.05; }));

    announce(Qt::ApplicationInactive);
    EXPECT_FALSE(dot->property("pulsing").toBool());
    EXPECT_EQ(ring->scale(), 1.0); // the ring at rest
    EXPECT_DOUBLE_EQ(ring->opacity(), 0.6);
    // Still at rest once the animation clock has moved on a few steps.
    test::AnimationSteps steps;
    EXPECT_TRUE(test::waitFor([&] { return steps.count() >= 3; }));
    EXPECT_EQ(ring->scale(), 1.0);

    // Back from the start of a cycle.
    announce(Qt::ApplicationActive);
    EXPECT_TRUE(dot->property("pulsing").toBool());
    EXPECT_LT(ring->scale(), 1.05);

    dot->setVisible(false);
    EXPECT_FALSE(dot->property("pulsing").toBool());
}

TEST_F(Indicators, AnimatedNumberRollsToItsNewValue)
{
    QQuickItem* number = show(R"(AnimatedNumber { value: 9 })");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->property("text").toString(), "9");
    number->setProperty("value", 10);
    EXPECT_EQ(number->property("text").toString(), "10");
    EXPECT_FALSE(number->property("countsDown").toBool());
    EXPECT_LT(number->property("progress").toDouble(), 1.0); // rolling
    EXPECT_TRUE(test::waitFor([&] { return number->property("progress").toDouble() == 1.0; }));
    number->setProperty("value", 3);
    EXPECT_TRUE(number->property("countsDown").toBool());
    number->setProperty("value", 5'000'000'000.0); // beyond 32 bits
    EXPECT_EQ(number->property("text").toString(), "5000000000");
    for (double broken : { qQNaN(), qInf(), -qInf() }) {
        number->setProperty("value", broken);
        EXPECT_EQ(number->property("text").toString(), "0") << broken;
    }
}

} // namespace
} // namespace velk
