#pragma once

#include "ui/screens/dashboard/GoldenLayouts.h"

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// An item that lays out its two child items by one of the golden-ratio
// rules. It places nothing unless it has exactly two children, and lays out
// again when it is resized or a child's implicit size changes.
class TwoPaneLayout : public QQuickItem {
    Q_OBJECT
    QML_ANONYMOUS
public:
    explicit TwoPaneLayout(QQuickItem* parent = nullptr);

protected:
    // The width and height the item was given, unspecified where none.
    golden::Proposal proposal() const;
    void place(QQuickItem* child, const golden::Placement& placement) const;
    // The children in declaration order.
    QList<QQuickItem*> panes() const { return childItems(); }

    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
};

// A sidebar of the standard width (233) beside the content. Asked for its
// ideal size, it answers the main window's minimum, 987 x 610.
class AppShell : public TwoPaneLayout {
    Q_OBJECT
    QML_ELEMENT
public:
    explicit AppShell(QQuickItem* parent = nullptr);

protected:
    void updatePolish() override;
};

// Two panes side by side: the left takes 0.618 and the right 0.382 of the
// width left after `spacing`. As tall as the taller pane.
class GoldenSplit : public TwoPaneLayout {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)
public:
    explicit GoldenSplit(QQuickItem* parent = nullptr);

    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);

signals:
    void spacingChanged();

protected:
    void updatePolish() override;

private:
    double m_spacing = golden::defaultSpacing;
};

} // namespace velk::screens
