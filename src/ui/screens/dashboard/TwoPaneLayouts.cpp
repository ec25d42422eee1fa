#include "ui/screens/dashboard/TwoPaneLayouts.h"

namespace velk::screens {

TwoPaneLayout::TwoPaneLayout(QQuickItem* parent)
    : QQuickItem(parent)
{
}

golden::Proposal TwoPaneLayout::proposal() const
{
    golden::Proposal p;
    if (widthValid())
        p.width = width();
    if (heightValid())
        p.height = height();
    return p;
}

void TwoPaneLayout::place(QQuickItem* child, const golden::Placement& placement) const
{
    child->setPosition({ placement.x, placement.y });
    child->setWidth(placement.width);
    child->setHeight(placement.height.value_or(child->implicitHeight()));
}

void TwoPaneLayout::itemChange(ItemChange change, const ItemChangeData& value)
{
    if (change == ItemChildAddedChange) {
        connect(value.item, &QQuickItem::implicitWidthChanged, this, &QQuickItem::polish);
        connect(value.item, &QQuickItem::implicitHeightChanged, this, &QQuickItem::polish);
        polish();
    } else if (change == ItemChildRemovedChange) {
        disconnect(value.item, nullptr, this, nullptr);
        polish();
    }
    QQuickItem::itemChange(change, value);
}

void TwoPaneLayout::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        polish();
}

AppShell::AppShell(QQuickItem* parent)
    : TwoPaneLayout(parent)
{
    setFlag(ItemHasContents, false);
    const QSizeF ideal = golden::appShellSize({});
    setImplicitSize(ideal.width(), ideal.height());
}

void AppShell::updatePolish()
{
    const QList<QQuickItem*> children = panes();
    const auto placements = golden::appShellPlacement(QRectF(0, 0, width(), height()), int(children.size()));
    for (std::size_t i = 0; i < placements.size(); ++i)
        place(children[qsizetype(i)], placements[i]);
}

GoldenSplit::GoldenSplit(QQuickItem* parent)
    : TwoPaneLayout(parent)
{
    setFlag(ItemHasContents, false);
}

void GoldenSplit::setSpacing(double spacing)
{
    if (qFuzzyCompare(m_spacing, spacing))
        return;
    m_spacing = spacing;
    emit spacingChanged();
    polish();
}

void GoldenSplit::updatePolish()
{
    const QList<QQuickItem*> children = panes();
    const int count = int(children.size());
    // The panes at their shares of the given width, then the split's own
    // size from the heights they take there.
    const auto placements = golden::goldenSplitPlacement(QRectF(0, 0, width(), height()), m_spacing, count);
    for (std::size_t i = 0; i < placements.size(); ++i)
        place(children[qsizetype(i)], placements[i]);
    const QSizeF size = golden::goldenSplitSize(proposal(), m_spacing, count,
        [&](int index, double) { return children[index]->implicitHeight(); });
    setImplicitSize(size.width(), size.height());
}

} // namespace velk::screens
