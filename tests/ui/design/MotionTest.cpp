#include "ui/design/Motion.h"

#include <QList>
#include <gtest/gtest.h>

#include <cmath>

namespace velk::design {
namespace {

// Steps a spring the way QML's SpringAnimation does: every 16 ms the
// velocity changes by (spring x distance - damping x velocity) / mass and the
// position by velocity x 16 ms.
QList<double> qmlSteps(const SpringMotion& motion, double seconds)
{
    const QVariantMap p = motion.toVariant();
    const double spring = p.value("spring").toDouble(), damping = p.value("damping").toDouble();
    const double mass = p.value("mass").toDouble();
    double x = 0, v = 0;
    QList<double> positions;
    for (double t = 0; t < seconds; t += SpringMotion::qmlStepSeconds) {
        v += (spring * (1 - x) - damping * v) / mass;
        x += v * SpringMotion::qmlStepSeconds;
        positions.append(x);
    }
    return positions;
}

TEST(SpringMotion, StepResponseOvershootsByItsDamping)
{
    const SpringMotion press = Motion::glassPressSpring; // damping 0.7
    double peak = 0;
    for (double t = 0; t < 1; t += 0.001)
        peak = std::max(peak, press.position(t));
    // A damping fraction of 0.7 overshoots by exp(-pi 0.7 / sqrt(1 - 0.49)), about 4.6 %.
    EXPECT_NEAR(peak, 1 + std::exp(-M_PI * 0.7 / std::sqrt(1 - 0.49)), 1e-3);
    EXPECT_NEAR(press.position(1), 1, 1e-3);
    EXPECT_DOUBLE_EQ(press.position(0), 0);
    // Critically damped and stiffer springs never overshoot.
    const SpringMotion critical { 0.3, 1.0 };
    for (double t = 0; t < 1; t += 0.01)
        EXPECT_LE(critical.position(t), 1.0);
}

TEST(SpringMotion, QmlSpringParametersReproduceTheSpring)
{
    for (const SpringMotion& spring : { Motion::sectionRowSpring, Motion::progressFillSpring, Motion::glassPressSpring,
             Motion::cardPressSpring, Motion::sidebarCollapseSpring, Motion::rowSelectionSpring }) {
        const QList<double> steps = qmlSteps(spring, 2.0);
        // Same overshoot and, within a step, the same rise to 90 %.
        const double dt = SpringMotion::qmlStepSeconds;
        double stepPeak = 0, springPeak = 0, stepRise = -1, springRise = -1;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const double t = (i + 1) * dt;
            stepPeak = std::max(stepPeak, steps[i]);
            springPeak = std::max(springPeak, spring.position(t));
            if (stepRise < 0 && steps[i] >= 0.9)
                stepRise = t;
            if (springRise < 0 && spring.position(t) >= 0.9)
                springRise = t;
        }
        EXPECT_NEAR(stepPeak, springPeak, 0.01) << spring.response;
        EXPECT_NEAR(stepRise, springRise, dt * 1.01) << spring.response;
        EXPECT_NEAR(steps.last(), 1, 0.002) << spring.response;
        EXPECT_LT(spring.qmlDamping(), 1) << spring.response; // QML's damping range
    }
}

} // namespace
} // namespace velk::design
