#include "ui/design/ButtonPress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>

namespace velk::design {

void ButtonPress::click(QQuickItem* button)
{
    if (!button || !button->isEnabled())
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &release);
}

} // namespace velk::design
