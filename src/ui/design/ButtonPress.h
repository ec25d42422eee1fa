#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQuickItem;

namespace velk::design {

// `ButtonPress` in QML: what a button does when an assistive technology
// presses it. Qt 6.4's button templates announce a Press action through the
// accessibility interface but carry it out only through an
// `Accessible.onPressAction` handler (or an `accessiblePressAction()` method,
// which they lack), so the action would report success and do nothing. The
// program's buttons route their handler here:
//
//     Accessible.onPressAction: ButtonPress.click(root)
class ButtonPress : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using QObject::QObject;

    // Clicks an enabled button as its keyboard click does (Space pressed and
    // released on it): pressed(), released(), the next check state, then
    // clicked() or its action's trigger, the same way a pointer click ends.
    Q_INVOKABLE static void click(QQuickItem* button);
};

} // namespace velk::design
