#include "ui/design/ButtonPress.h"

#include "ui/design/AlertPresentation.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>

namespace velk::design {

bool ButtonPress::reachable(const QQuickItem* item)
{
    QQuickWindow* window = item ? item->window() : nullptr;
    if (!window)
        return false;
    if (const auto* alert = qobject_cast<const AlertPresentation*>(PresentationHost::alertHost(window)->current())) {
        const QQuickItem* dialog = alert->dialogItem();
        return dialog && (dialog == item || dialog->isAncestorOf(item));
    }
    return !PresentationHost::sheetHost(window)->current();
}

void ButtonPress::click(QQuickItem* button)
{
    if (!button || !button->isEnabled() || !reachable(button))
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &release);
}

void ButtonPress::act(QQuickItem* control, const QJSValue& action)
{
    if (!control || !control->isEnabled() || !reachable(control) || !action.isCallable())
        return;
    action.call();
}

} // namespace velk::design
