#include "ui/screens/systeminfo/FanGaugeArc.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace velk::screens {

FanGaugeArc::FanGaugeArc(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

template <class T>
void FanGaugeArc::assign(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    update();
    emit changed();
}

void FanGaugeArc::setProgress(double progress)
{
    assign(m_progress, std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0);
}

void FanGaugeArc::setLineWidth(double width)
{
    assign(m_lineWidth, width);
}

void FanGaugeArc::setColor(const QColor& color)
{
    assign(m_color, color);
}

void FanGaugeArc::setFaded(bool faded)
{
    assign(m_faded, faded);
}

void FanGaugeArc::paint(QPainter* painter)
{
    if (m_progress <= 0)
        return;
    const double w = width();
    const double h = height();
    const QPointF centre(w / 2, h - 0.06 * w);
    const double radius = std::min(1.6 * h, w) * 0.46;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    // Angles count counter-clockwise from 3 o'clock here: the arc starts at
    // 180 and turns clockwise over the top.
    QPainterPath path;
    path.arcMoveTo(circle, 180);
    path.arcTo(circle, 180, -180 * m_progress);

    QBrush brush(m_color);
    if (m_faded) {
        // Full at 0 degrees (the right end), faint at 180 (the left end),
        // the top in between.
        QConicalGradient gradient(centre, 0);
        QColor faint = m_color;
        faint.setAlphaF(m_color.alphaF() * 0.55);
        gradient.setColorAt(0.0, m_color);
        gradient.setColorAt(0.5, faint);
        gradient.setColorAt(1.0, m_color);
        brush = QBrush(gradient);
    }
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(brush, m_lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(path);
}

} // namespace velk::screens
