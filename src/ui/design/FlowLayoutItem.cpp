#include "ui/design/FlowLayoutItem.h"

#include "ui/design/Geometry.h"

namespace velk::design {

FlowLayoutItem::FlowLayoutItem(QQuickItem* parent)
    : QQuickItem(parent)
{
}

void FlowLayoutItem::setSpacing(double spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    polish();
    emit spacingChanged();
}

void FlowLayoutItem::itemChange(ItemChange change, const ItemChangeData& data)
{
    if (change == ItemChildAddedChange) {
        QQuickItem* child = data.item;
        connect(child, &QQuickItem::widthChanged, this, &QQuickItem::polish);
        connect(child, &QQuickItem::heightChanged, this, &QQuickItem::polish);
        connect(child, &QQuickItem::visibleChanged, this, &QQuickItem::polish);
        polish();
    } else if (change == ItemChildRemovedChange) {
        disconnect(data.item, nullptr, this, nullptr);
        polish();
    }
    QQuickItem::itemChange(change, data);
}

void FlowLayoutItem::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        polish();
}

void FlowLayoutItem::updatePolish()
{
    QList<QQuickItem*> children;
    QList<QSizeF> sizes;
    for (QQuickItem* child : childItems()) {
        // Like the positioners, leave out what has no area (a Repeater, say),
        // so that it takes no spacing.
        if (!child->isVisible() || child->width() <= 0 || child->height() <= 0)
            continue;
        children.append(child);
        // A child's own size: its implicit size unless it was given one.
        sizes.append(child->size());
    }
    const std::optional<double> proposal = widthValid() ? std::optional<double>(width()) : std::nullopt;
    const QSizeF flowSize = flowLayoutSize(sizes, m_spacing, proposal);
    setImplicitSize(flowSize.width(), flowSize.height());
    const double boundsWidth = proposal.value_or(flowSize.width());
    const QList<QPointF> positions = flowLayoutPositions(sizes, m_spacing, QRectF(0, 0, boundsWidth, height()));
    for (qsizetype i = 0; i < children.size(); ++i)
        children[i]->setPosition(positions[i]);
}

} // namespace velk::design
