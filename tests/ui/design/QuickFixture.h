#pragma once

#include "app/QmlModules.h"
#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "support/WarningsFailTheTest.h"
#include "support/ui/InView.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QElapsedTimer>
#include <QtQuickTest/quicktest.h>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace velk::test {

// Processes events until `done` holds or `milliseconds` have passed; tells
// whether it holds.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(10);
    }
    return true;
}

// Runs the calls queued so far and waits until `window` has laid out what
// they changed (no item waits for its polish): a condition, not a span of
// time, so it holds on a loaded machine.
inline bool laidOut(QQuickWindow& window)
{
    QCoreApplication::processEvents();
    return QQuickTest::qWaitForPolish(&window);
}

// Builds QML snippets that import the design module into a shown window, so
// that tests can click and read what the components draw.
class QuickFixture : public testing::Test {
protected:
    QuickFixture()
    {
        app::prepareQmlEngine(engine);
        window.resize(600, 400);
    }

    // The software scene graph (the one the offscreen platform draws with)
    // deletes an image's texture only on a frame drawn after the image went,
    // never when its window closes. So the items go first, with the ones
    // views (lists, loaders) handed over for later deletion, then the images
    // kept for reuse, and the window draws once more while it still exists.
    ~QuickFixture() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window.releaseResources();
        if (window.isVisible())
            window.grabWindow();
    }

    bool laidOut() { return test::laidOut(window); }

    // Creates `body` (a QML object, with QtQuick and Velk.Design imported) in
    // the window.
    QQuickItem* show(const QByteArray& body)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport QtQuick.Layouts\nimport Velk.Design\n" + body, QUrl("qrc:/test/Snippet.qml"));
        item.reset(qobject_cast<QQuickItem*>(component.create()));
        EXPECT_TRUE(item) << component.errorString().toStdString();
        if (!item)
            return nullptr;
        item->setParentItem(window.contentItem());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return item.get();
    }

    // An object of the snippet by name, also among the items that views
    // (repeaters, loaders) made, which are the snippet's visual children only.
    template <class T = QQuickItem>
    T* find(const char* objectName) const
    {
        const QString name = QString::fromLatin1(objectName);
        T* found = item ? item->findChild<T*>(name) : nullptr;
        if (!found && item)
            found = qobject_cast<T*>(findVisual(item.get(), name));
        EXPECT_TRUE(found) << objectName;
        return found;
    }

    static QQuickItem* findVisual(QQuickItem* from, const QString& name)
    {
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == name)
                return child;
            if (QQuickItem* inner = findVisual(child, name))
                return inner;
        }
        return nullptr;
    }

    // Clicks `target` at `pos` (its own coordinates; its centre by default)
    // once it rests wholly in view (settledInView), scrolled there if need be.
    void click(QQuickItem* target, std::optional<QPointF> pos = std::nullopt)
    {
        if (!expectSettledInView(target))
            return;
        const QPointF local = pos.value_or(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&window, Qt::LeftButton, {}, target->mapToScene(local).toPoint());
    }

    // First, so that it ends last: warnings while the window and the engine
    // go count too.
    WarningsFailTheTest warnings;
    std::shared_ptr<MemoryDefaults> defaults = std::make_shared<MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> service { defaults };
    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> item;
};

} // namespace velk::test
