#include "ui/design/Geometry.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace velk::design {

double clampFraction(double value)
{
    if (!(value > 0))
        return 0;
    return value < 1 ? value : 1;
}

QSizeF flowLayoutSize(const QList<QSizeF>& children, double spacing, std::optional<double> proposedWidth)
{
    const double available = proposedWidth.value_or(1000);
    double x = 0, y = 0, rowHeight = 0, widest = 0;
    for (const QSizeF& child : children) {
        if (x + child.width() > available && x > 0) {
            y += rowHeight + spacing;
            x = 0;
            rowHeight = 0;
        }
        x += child.width() + spacing;
        rowHeight = std::max(rowHeight, child.height());
        widest = std::max(widest, x);
    }
    return { widest, y + rowHeight };
}

QList<QPointF> flowLayoutPositions(const QList<QSizeF>& children, double spacing, const QRectF& bounds)
{
    QList<QPointF> positions;
    positions.reserve(children.size());
    double x = bounds.left(), y = bounds.top(), rowHeight = 0;
    for (const QSizeF& child : children) {
        if (x + child.width() > bounds.right() && x > bounds.left()) {
            y += rowHeight + spacing;
            x = bounds.left();
            rowHeight = 0;
        }
        positions.append({ x, y });
        rowHeight = std::max(rowHeight, child.height());
        x += child.width() + spacing;
    }
    return positions;
}

SparklineLayout sparklineLayout(const QList<double>& values, std::optional<double> maxValue, int slotCount)
{
    SparklineLayout layout;
    layout.slotCount = std::max(slotCount, 1);
    double top;
    if (maxValue) {
        top = *maxValue;
    } else {
        double largest = values.isEmpty() ? 1.0 : -std::numeric_limits<double>::infinity();
        for (double v : values)
            if (std::isfinite(v))
                largest = std::max(largest, v);
        if (!std::isfinite(largest))
            largest = 1.0;
        top = largest * 1.15;
    }
    layout.top = (top >= 0.0001) ? top : 0.0001; // NaN, zero and negative tops too
    const double offset = double(layout.slotCount) - double(values.size());
    layout.slotOfValue.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        layout.slotOfValue.append(double(i) + offset);
    return layout;
}

QPointF sparklinePoint(const SparklineLayout& layout, double slot, double value, QSizeF size)
{
    const double span = layout.slotCount - 1;
    const double x = span > 0 ? slot / span * size.width() : size.width();
    const double v = std::isfinite(value) ? value : 0;
    return { x, size.height() - v / layout.top * size.height() };
}

QList<TrailDot> dotTrail(QSizeF canvas)
{
    constexpr int count = 48;
    QList<TrailDot> dots;
    dots.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        const double angle = t * 0.55 - 0.35;
        const double r = 80 + 220 * t;
        const double x = 0.52 * canvas.width() + r * std::cos(angle);
        const double y = 0.42 * canvas.height() + 0.45 * r * std::sin(angle);
        dots.append({ QRectF(x, y, 3, 3), 0.1 + 0.18 * t });
    }
    return dots;
}

QList<RollingCharacter> textRoll(const QString& from, const QString& to)
{
    const qsizetype length = std::max(from.size(), to.size());
    QList<RollingCharacter> roll;
    roll.reserve(length);
    for (qsizetype i = 0; i < length; ++i) {
        const qsizetype fromIndex = i - (length - from.size());
        const qsizetype toIndex = i - (length - to.size());
        roll.append({ fromIndex >= 0 ? from.at(fromIndex) : QChar(), toIndex >= 0 ? to.at(toIndex) : QChar() });
    }
    return roll;
}

double gaugeSweepDegrees(double fraction)
{
    return clampFraction(fraction) * 360.0;
}

QRect sheetGeometry(const QRect& owner, const QSize& wanted, const QRect& available)
{
    QSize size = wanted;
    if (!available.isEmpty())
        size = size.boundedTo(available.size());
    QRect placed(QPoint(owner.x() + (owner.width() - size.width()) / 2,
                     owner.y() + (owner.height() - size.height()) / 2), size);
    if (available.isEmpty())
        return placed;
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() + 1 - size.width()));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() + 1 - size.height()));
    return placed;
}

} // namespace velk::design
