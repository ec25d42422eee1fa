#pragma once

#include <QJSValue>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQuickItem;

namespace velk::design {

// `ButtonPress` in QML: what a control does when an assistive technology
// acts on it. Qt 6.4's button templates announce a Press action through the
// accessibility interface but carry it out only through an
// `Accessible.onPressAction` handler (or an `accessiblePressAction()` method,
// which they lack), so the action would report success and do nothing. The
// program's buttons route their handler here, and every other control's
// action handler runs through act():
//
//     Accessible.onPressAction: ButtonPress.click(root)
//     Accessible.onToggleAction: ButtonPress.act(root, () => root.toggled())
//
// An action reaches only what a pointer could reach: while an alert is shown
// over the control's window, only the alert's own controls act; while a
// sheet is up over it, nothing in that window does.
class ButtonPress : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using QObject::QObject;

    // Clicks an enabled, reachable button as its keyboard click does (Space
    // pressed and released on it): pressed(), released(), the next check
    // state, then clicked() or its action's trigger, the same way a pointer
    // click ends.
    Q_INVOKABLE static void click(QQuickItem* button);
    // Calls `action` for the enabled, reachable control `control`.
    Q_INVOKABLE static void act(QQuickItem* control, const QJSValue& action);

    // Whether a pointer could reach `item` now: it is in a window, and no
    // alert or sheet shown over that window stands between.
    static bool reachable(const QQuickItem* item);
};

} // namespace velk::design
