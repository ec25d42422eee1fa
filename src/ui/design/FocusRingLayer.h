#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QRectF>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// The layer a window draws its keyboard focus ring on (`FocusRing` in QML).
// It lies over the whole window, above the alerts and menus, and takes no
// input. After Tab or Backtab moved the focus it follows the focused item;
// a click or a touch hides it until the keys are used again. An item that
// draws its own ring says so with `drawsFocusRing: true` and is left alone.
class FocusRingLayer : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickItem* target READ target NOTIFY changed)
    Q_PROPERTY(bool shown READ shown NOTIFY changed)
    // The target's bounds in this layer, and its corner radius.
    Q_PROPERTY(QRectF targetRect READ targetRect NOTIFY changed)
    Q_PROPERTY(double targetRadius READ targetRadius NOTIFY changed)
public:
    explicit FocusRingLayer(QQuickItem* parent = nullptr);

    QQuickItem* target() const { return m_target; }
    bool shown() const { return m_shown; }
    QRectF targetRect() const { return m_rect; }
    double targetRadius() const { return m_radius; }

signals:
    void changed();

protected:
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach(QQuickWindow* window);
    void refresh();

    QPointer<QQuickWindow> m_window;
    QPointer<QQuickItem> m_target;
    QList<QMetaObject::Connection> m_connections;
    bool m_keyboard = false;
    bool m_shown = false;
    QRectF m_rect;
    double m_radius = 0;
};

} // namespace velk::design
