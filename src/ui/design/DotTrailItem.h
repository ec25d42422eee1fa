#pragma once

#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Decorative trail of 48 white dots for the dark cleaner style; lets clicks
// through.
class DotTrailItem : public QQuickPaintedItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(VelkCleanerDotTrail)
public:
    explicit DotTrailItem(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;
};

} // namespace velk::design
