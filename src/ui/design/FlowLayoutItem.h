#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Places its visible children at their own sizes (implicit unless given one)
// left to right, never resizing them, and wraps them into rows. Children
// without area are left out. Its implicit size is the flow's size for its width, or for
// a width of 1000 when none is given.
class FlowLayoutItem : public QQuickItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(FlowLayout)
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)
public:
    explicit FlowLayoutItem(QQuickItem* parent = nullptr);

    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);

signals:
    void spacingChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void updatePolish() override;

private:
    double m_spacing = 8;
};

} // namespace velk::design
