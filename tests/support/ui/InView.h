#pragma once

#include <QAbstractAnimation>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QtQuickTest/quicktest.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace velk::test {

// Counts the steps of the animation clock, the one that moves QML's
// animations too, while it lives.
class AnimationSteps : public QAbstractAnimation {
public:
    AnimationSteps() { start(); }
    int duration() const override { return -1; }
    int count() const { return m_count; }

protected:
    void updateCurrentTime(int) override { ++m_count; }

private:
    int m_count = 0;
};

inline bool scrolls(const QQuickItem* item) { return item->inherits("QQuickFlickable"); }

inline QRectF sceneBox(const QQuickItem* item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

// The part of the window, in its coordinates, that shows what lies in
// `item`'s place: the window cut to every list, scroll area or clipping
// item that `item` lies in.
inline QRectF viewOf(const QQuickItem* item)
{
    QRectF view(QPointF(), item->window()->size());
    for (const QQuickItem* at = item->parentItem(); at; at = at->parentItem())
        if (at->clip() || scrolls(at))
            view &= sceneBox(at);
    return view;
}

// How far, in pixels, an item may reach past what shows it and still count
// as inside: lists align their content to whole pixels.
constexpr double kInViewSlack = 0.5;

// Scrolls every list or scroll area that `item` lies in, the innermost
// first, as little as brings the whole item into its viewport (its top
// when it is taller), as far as the content goes. Tells whether anything
// moved.
inline bool scrollIntoView(QQuickItem* item)
{
    bool moved = false;
    for (QQuickItem* at = item->parentItem(); at; at = at->parentItem()) {
        if (!scrolls(at))
            continue;
        const QRectF box = item->mapRectToItem(at, QRectF(0, 0, item->width(), item->height()));
        const double above = -box.top();
        const double below = box.bottom() - at->height();
        const double by = above > kInViewSlack ? -above : below > kInViewSlack ? std::min(box.top(), below) : 0.0;
        if (by == 0)
            continue;
        const auto number = [at](const char* name) { return at->property(name).toDouble(); };
        const double first = number("originY") - number("topMargin");
        const double last = std::max(first, number("originY") + number("contentHeight") + number("bottomMargin") - at->height());
        const double from = number("contentY");
        at->setProperty("contentY", std::clamp(from + by, first, last));
        moved = moved || number("contentY") != from;
    }
    return moved;
}

// Waits until `item` lies wholly in view, inside its window and every list
// or clip it lies in, scrolled there when it is not, and rests there: laid
// out, and in the same place after a step of the animation clock, so that
// nothing still moves it (a list that settles, a group that springs open, a
// row that moves to its new place).
inline testing::AssertionResult settledInView(QQuickItem* item, int timeoutMs = 5000)
{
    if (!item || !item->window())
        return testing::AssertionFailure() << "no item in a window";
    AnimationSteps steps;
    QRectF last;
    int lastStep = -1;
    const bool settled = QTest::qWaitFor([&] {
        if (!QQuickTest::qWaitForPolish(item->window(), timeoutMs) || !item->isVisible() || scrollIntoView(item)) {
            lastStep = -1;
            return false;
        }
        const QRectF box = sceneBox(item);
        const QRectF view = viewOf(item).adjusted(-kInViewSlack, -kInViewSlack, kInViewSlack, kInViewSlack);
        if (!view.contains(box) || box != last || lastStep < 0) {
            last = box;
            lastStep = steps.count();
            return false;
        }
        return steps.count() > lastStep;
    }, timeoutMs);
    if (settled)
        return testing::AssertionSuccess();
    const QRectF box = sceneBox(item);
    const QRectF view = viewOf(item);
    return testing::AssertionFailure() << item->objectName().toStdString() << " at (" << box.x() << ", " << box.y() << ", "
                                       << box.width() << " x " << box.height() << ") does not rest inside (" << view.x()
                                       << ", " << view.y() << ", " << view.width() << " x " << view.height() << ")";
}

// settledInView as an expectation of the running test: false, with the
// failure recorded, when `item` does not come to rest in view.
inline bool expectSettledInView(QQuickItem* item)
{
    const testing::AssertionResult inView = settledInView(item);
    EXPECT_TRUE(inView);
    return inView;
}

} // namespace velk::test
