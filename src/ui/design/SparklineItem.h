#pragma once

#include "ui/design/Geometry.h"

#include <QColor>
#include <QQuickPaintedItem>
#include <QVariant>
#include <QVariantAnimation>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// A filled line chart over the recent history of one metric: area in a
// vertical gradient of the colour (0.32 to 0.02 opacity) under a 1.5-pt line
// with straight segments. Changes of `values` animate linearly over 0.6 s,
// each value moving from where it was drawn, while the chart is shown and a
// point moves by a device pixel or more; other changes, and every change of
// a chart that is not `animated`, are drawn at once.
class SparklineItem : public QQuickPaintedItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(Sparkline)
    Q_PROPERTY(QList<double> values READ values WRITE setValues NOTIFY valuesChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    // Top of the vertical scale; undefined means 1.15 x the largest value.
    Q_PROPERTY(QVariant maxValue READ maxValue WRITE setMaxValue NOTIFY maxValueChanged)
    Q_PROPERTY(int slots READ slotCount WRITE setSlotCount NOTIFY slotsChanged)
    // Opacity of a flat area fill; undefined means the vertical gradient.
    Q_PROPERTY(QVariant areaOpacity READ areaOpacity WRITE setAreaOpacity NOTIFY areaOpacityChanged)
    Q_PROPERTY(double scaleTop READ scaleTop NOTIFY valuesChanged)
    // False: each change is drawn in one step (one frame instead of one
    // every vsync for 0.6 s, for charts that move at every sample).
    Q_PROPERTY(bool animated READ animated WRITE setAnimated NOTIFY animatedChanged)
    // Whether a change is being animated.
    Q_PROPERTY(bool animating READ animating NOTIFY animatingChanged)

public:
    // Samples kept by the system monitor's histories.
    static constexpr int defaultSlots = 30;

    explicit SparklineItem(QQuickItem* parent = nullptr);

    QList<double> values() const { return m_values; }
    void setValues(const QList<double>& values);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QVariant maxValue() const { return m_maxValue; }
    void setMaxValue(const QVariant& maxValue);
    int slotCount() const { return m_slots; }
    QVariant areaOpacity() const { return m_areaOpacity; }
    void setAreaOpacity(const QVariant& opacity);
    void setSlotCount(int slotCount);
    double scaleTop() const { return layout().top; }
    bool animated() const { return m_animated; }
    void setAnimated(bool animated);
    bool animating() const { return m_animation.state() == QAbstractAnimation::Running; }

    void paint(QPainter* painter) override;

signals:
    void valuesChanged();
    void colorChanged();
    void maxValueChanged();
    void slotsChanged();
    void areaOpacityChanged();
    void animatedChanged();
    void animatingChanged();

private:
    SparklineLayout layout() const;
    // (slot, value / top) of every value.
    QList<QPointF> normalisedPoints() const;
    void retarget();
    // Ends a running animation where it was going.
    void standAtTarget();
    // The largest horizontal and vertical move of a point, in pixels.
    QPointF largestMove(const QList<QPointF>& from, const QList<QPointF>& to) const;

protected:
    void itemChange(ItemChange change, const ItemChangeData& value) override;

private:

    QList<double> m_values;
    QColor m_color = Qt::gray;
    QVariant m_maxValue;
    int m_slots = defaultSlots;
    QVariant m_areaOpacity;
    bool m_animated = true;
    QList<QPointF> m_from;
    QList<QPointF> m_to;
    double m_progress = 1;
    QVariantAnimation m_animation;
};

} // namespace velk::design
