#include "ui/design/SparklineItem.h"

#include "ui/design/Color.h"
#include "ui/design/Motion.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace velk::design {

SparklineItem::SparklineItem(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setClip(true);
    m_animation.setDuration(Motion::live());
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    m_animation.setEasingCurve(QEasingCurve::Linear);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_progress = value.toDouble();
        update();
    });
    connect(&m_animation, &QAbstractAnimation::stateChanged, this, &SparklineItem::animatingChanged);
}

SparklineLayout SparklineItem::layout() const
{
    std::optional<double> max;
    if (m_maxValue.isValid() && !m_maxValue.isNull())
        max = m_maxValue.toDouble();
    return sparklineLayout(m_values, max, m_slots);
}

QList<QPointF> SparklineItem::normalisedPoints() const
{
    const SparklineLayout l = layout();
    QList<QPointF> points;
    points.reserve(m_values.size());
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        const double v = std::isfinite(m_values[i]) ? m_values[i] : 0;
        points.append({ l.slotOfValue[i], v / l.top });
    }
    return points;
}

void SparklineItem::retarget()
{
    // Start from what is drawn now; values that were not drawn yet start at
    // their target.
    QList<QPointF> drawn;
    for (qsizetype i = 0; i < m_from.size() && i < m_to.size(); ++i)
        drawn.append(m_from[i] + (m_to[i] - m_from[i]) * m_progress);
    m_to = normalisedPoints();
    m_from = m_to;
    for (qsizetype i = 0; i < drawn.size() && i < m_from.size(); ++i)
        m_from[i] = drawn[i];
    m_animation.stop();
    // Hidden, or moving by less than a device pixel: no animation.
    if (m_animated && Motion::slidesBy(this, largestMove(m_from, m_to))) {
        m_progress = 0;
        m_animation.start();
    } else {
        m_from = m_to;
        m_progress = 1;
    }
    update();
}

QPointF SparklineItem::largestMove(const QList<QPointF>& from, const QList<QPointF>& to) const
{
    SparklineLayout unit = layout();
    unit.top = 1;
    QPointF largest;
    for (qsizetype i = 0; i < from.size() && i < to.size(); ++i) {
        const QPointF move = sparklinePoint(unit, to[i].x(), to[i].y(), size())
            - sparklinePoint(unit, from[i].x(), from[i].y(), size());
        largest = { std::max(largest.x(), std::abs(move.x())), std::max(largest.y(), std::abs(move.y())) };
    }
    return largest;
}

void SparklineItem::itemChange(ItemChange change, const ItemChangeData& value)
{
    // A chart that is hidden stands where it was going.
    if (change == ItemVisibleHasChanged && !value.boolValue)
        standAtTarget();
    QQuickPaintedItem::itemChange(change, value);
}

void SparklineItem::standAtTarget()
{
    if (m_animation.state() != QAbstractAnimation::Running)
        return;
    m_animation.stop();
    m_from = m_to;
    m_progress = 1;
    update();
}

void SparklineItem::setValues(const QList<double>& values)
{
    if (values == m_values)
        return;
    m_values = values;
    retarget();
    emit valuesChanged();
}

void SparklineItem::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    emit colorChanged();
}

void SparklineItem::setMaxValue(const QVariant& maxValue)
{
    if (maxValue == m_maxValue)
        return;
    m_maxValue = maxValue;
    retarget();
    emit maxValueChanged();
    emit valuesChanged();
}

void SparklineItem::setSlotCount(int slotCount)
{
    if (slotCount == m_slots)
        return;
    m_slots = slotCount;
    retarget();
    emit slotsChanged();
}

void SparklineItem::setAnimated(bool animated)
{
    if (animated == m_animated)
        return;
    m_animated = animated;
    if (!animated)
        standAtTarget();
    emit animatedChanged();
}

void SparklineItem::setAreaOpacity(const QVariant& opacity)
{
    if (opacity == m_areaOpacity)
        return;
    m_areaOpacity = opacity;
    update();
    emit areaOpacityChanged();
}

void SparklineItem::paint(QPainter* painter)
{
    if (m_to.isEmpty())
        return;
    // The points hold fractions of the top already; place them on a unit scale.
    SparklineLayout unit = layout();
    unit.top = 1;
    const QSizeF plot = size();
    QList<QPointF> points;
    points.reserve(m_to.size());
    for (qsizetype i = 0; i < m_to.size(); ++i) {
        const QPointF p = i < m_from.size() ? m_from[i] + (m_to[i] - m_from[i]) * m_progress : m_to[i];
        points.append(sparklinePoint(unit, p.x(), p.y(), plot));
    }

    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath area;
    area.moveTo(points.first().x(), plot.height());
    for (const QPointF& p : points)
        area.lineTo(p);
    area.lineTo(points.last().x(), plot.height());
    area.closeSubpath();
    bool flat = false;
    const double flatOpacity = m_areaOpacity.isValid() ? m_areaOpacity.toDouble(&flat) : 0.0;
    if (flat) {
        painter->fillPath(area, withOpacity(m_color, flatOpacity));
    } else {
        QLinearGradient gradient(0, 0, 0, plot.height());
        gradient.setColorAt(0, withOpacity(m_color, 0.32));
        gradient.setColorAt(1, withOpacity(m_color, 0.02));
        painter->fillPath(area, gradient);
    }

    QPainterPath line;
    line.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        line.lineTo(points[i]);
    QPen pen(m_color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter->strokePath(line, pen);
}

} // namespace velk::design
