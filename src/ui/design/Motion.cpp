#include "ui/design/Motion.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace velk::design {

double SpringMotion::stiffness() const
{
    const double omega = 2 * std::numbers::pi / response;
    return omega * omega;
}

double SpringMotion::damping() const
{
    return 2 * dampingFraction * 2 * std::numbers::pi / response;
}

double SpringMotion::position(double t) const
{
    const double omega = 2 * std::numbers::pi / response;
    const double zeta = dampingFraction;
    if (zeta >= 1) // critically damped (overdamping is treated alike)
        return 1 - std::exp(-omega * t) * (1 + omega * t);
    const double omegaD = omega * std::sqrt(1 - zeta * zeta);
    return 1 - std::exp(-zeta * omega * t) * (std::cos(omegaD * t) + zeta * omega / omegaD * std::sin(omegaD * t));
}

// One step multiplies the state by a matrix with determinant 1 - damping and
// trace 2 - spring x step - damping; the spring's poles over one step have
// product exp(-2 zeta omega step) and sum 2 exp(-zeta omega step) cos(omegaD step).
double SpringMotion::qmlDamping() const
{
    const double omega = 2 * std::numbers::pi / response;
    return 1 - std::exp(-2 * dampingFraction * omega * qmlStepSeconds);
}

double SpringMotion::qmlSpring() const
{
    const double omega = 2 * std::numbers::pi / response;
    const double zeta = std::min(dampingFraction, 1.0);
    const double omegaD = omega * std::sqrt(1 - zeta * zeta);
    const double sum = 2 * std::exp(-dampingFraction * omega * qmlStepSeconds) * std::cos(omegaD * qmlStepSeconds);
    return (2 - qmlDamping() - sum) / qmlStepSeconds;
}

QVariantMap SpringMotion::toVariant() const
{
    return { { QStringLiteral("spring"), qmlSpring() }, { QStringLiteral("damping"), qmlDamping() },
        { QStringLiteral("mass"), 1.0 } };
}

bool Motion::slides(QQuickItem* item, double from, double to)
{
    return slidesBy(item, QPointF(to - from, 0));
}

bool Motion::slidesBy(const QQuickItem* item, QPointF largestMove)
{
    if (!item || !item->isVisible() || !item->window())
        return false;
    const double ratio = item->window()->effectiveDevicePixelRatio();
    return std::max(std::abs(largestMove.x()), std::abs(largestMove.y())) * ratio >= 1.0;
}

} // namespace velk::design
