#pragma once

#include "support/ui/ItemDriver.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <gtest/gtest.h>

namespace velk::test {

// Whether the alert on screen keeps its title and every button inside the
// window that shows it, as the next frame lays them out.
inline testing::AssertionResult alertInsideItsWindow(const ItemDriver& driver)
{
    QList<QQuickItem*> parts = driver.alertButtons();
    if (parts.isEmpty())
        return testing::AssertionFailure() << "no alert is shown";
    parts.prepend(driver.find(QStringLiteral("alert.title")));
    (void)parts.constFirst()->window()->grabWindow();
    for (const QQuickItem* part : parts) {
        const QRectF box = part->mapRectToScene(QRectF(0, 0, part->width(), part->height()));
        const QRectF window(QPointF(), part->window()->size());
        if (!window.contains(box))
            return testing::AssertionFailure()
                << part->objectName().toStdString() << " at " << box.x() << "," << box.y() << " " << box.width()
                << "x" << box.height() << " lies outside its window of " << window.width() << "x" << window.height();
    }
    return testing::AssertionSuccess();
}

// The scrolling part of the shown alert's message.
inline QQuickItem* alertMessageScroll(const ItemDriver& driver)
{
    return driver.find(QStringLiteral("alert.messageScroll"));
}

// Whether the shown alert's message scrolls: it starts at its top, shows a
// scroll bar, and the mouse wheel moves it. Leaves it at its top again.
inline testing::AssertionResult alertMessageScrolls(const ItemDriver& driver)
{
    QQuickItem* scroll = alertMessageScroll(driver);
    QQuickItem* bar = driver.find(QStringLiteral("alert.scrollBar"));
    if (!scroll || !scroll->property("scrolls").toBool())
        return testing::AssertionFailure() << "the message fits: nothing to scroll";
    if (scroll->property("contentY").toReal() != 0)
        return testing::AssertionFailure() << "the message does not start at its top";
    if (!bar || !bar->isVisible())
        return testing::AssertionFailure() << "no scroll bar is shown";
    driver.scroll(scroll, 2);
    if (!QTest::qWaitFor([scroll] { return scroll->property("contentY").toReal() > 0; }, 2000))
        return testing::AssertionFailure() << "the wheel does not move the message";
    QMetaObject::invokeMethod(scroll, "cancelFlick");
    scroll->setProperty("contentY", 0);
    return testing::AssertionSuccess();
}

} // namespace velk::test
