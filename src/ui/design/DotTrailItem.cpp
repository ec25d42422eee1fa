#include "ui/design/DotTrailItem.h"

#include "ui/design/Geometry.h"

#include <QPainter>

namespace velk::design {

DotTrailItem::DotTrailItem(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setAcceptedMouseButtons(Qt::NoButton);
}

void DotTrailItem::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    for (const TrailDot& dot : dotTrail(size())) {
        QColor white(Qt::white);
        white.setAlphaF(float(dot.opacity));
        painter->setBrush(white);
        painter->drawEllipse(dot.rect);
    }
}

} // namespace velk::design
