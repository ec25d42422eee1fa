#pragma once

#include <QChar>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <optional>

// Geometry of the shared components, kept apart from drawing so that it can
// be checked by number.
namespace velk::design {

// A fraction for drawing: clamped to 0...1; NaN counts as 0.
double clampFraction(double value);

// Flow layout: children at their ideal sizes, left to right, wrapping into
// rows. The reported width includes the spacing after the last child of the
// widest row. Without a proposed width the wrap width is 1000.
QSizeF flowLayoutSize(const QList<QSizeF>& children, double spacing, std::optional<double> proposedWidth);
// Top-left corners of the children placed inside `bounds`. A child wider
// than the bounds sits alone on its row and overflows to the right.
QList<QPointF> flowLayoutPositions(const QList<QSizeF>& children, double spacing, const QRectF& bounds);

// Sparkline scale and placement. The newest value sits at slot `slots` - 1
// and a short history fills from the right; older values than fit get
// negative slots.
struct SparklineLayout {
    double top = 0; // top of the vertical scale (at least 0.0001)
    int slotCount = 1; // horizontal positions (at least 1)
    QList<double> slotOfValue; // horizontal position of each value
};
SparklineLayout sparklineLayout(const QList<double>& values, std::optional<double> maxValue, int slotCount);
// Point of a value in a plot of `size` (x from the slot, y from the bottom).
QPointF sparklinePoint(const SparklineLayout& layout, double slot, double value, QSizeF size);

// The decorative dot trail: 48 dots in 3 x 3 squares along a widening arc.
struct TrailDot {
    QRectF rect;
    double opacity;
};
QList<TrailDot> dotTrail(QSizeF canvas);

// How the characters of a changing text roll: aligned from the right, each
// position with the character it leaves and the one it shows (a null QChar
// where a text is shorter).
struct RollingCharacter {
    QChar from;
    QChar to;
    bool changes() const { return from != to; }
};
QList<RollingCharacter> textRoll(const QString& from, const QString& to);

// Ring gauge: sweep in degrees, clockwise from twelve o'clock.
double gaugeSweepDegrees(double fraction);

// Where a sheet of size `wanted` opens: centred over its `owner` window,
// no larger than the `available` part of the screen and moved inside it.
// An empty `available` (no screen known) only centres.
QRect sheetGeometry(const QRect& owner, const QSize& wanted, const QRect& available);

} // namespace velk::design
