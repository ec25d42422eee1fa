#pragma once

#include "support/ui/ItemDriver.h"
#include "ui/design/QuickFixture.h"
#include "ui/shell/ShellModule.h"

#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QQuickItem>
#include <QVariantMap>

namespace velk::test {

// Builds a screen, or the window's root view, over doubles in a shown window
// the size of the main window, and drives it by object name: finds, clicks,
// types, reads texts and writes pictures. shoot(name) saves the window as
// NAME.png into $VELK_SHOT_DIR when that is set, so a test run can leave
// pictures of the states it reached.
class ScreenFixture : public QuickFixture {
protected:
    ScreenFixture()
    {
        shell::prepareQmlEngine(engine);
        window.resize(987, 610);
    }

    // Creates `type` (a QML type of the modules imported by `imports`) with
    // its required properties.
    QQuickItem* build(const QByteArray& type, const QVariantMap& properties,
        const QByteArray& imports = "import Velk.Design\nimport Velk.Shell\n")
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\n" + imports + type + " {}\n", QUrl("qrc:/test/Screen.qml"));
        EXPECT_TRUE(component.isReady()) << component.errorString().toStdString();
        if (!component.isReady())
            return nullptr;
        item.reset(qobject_cast<QQuickItem*>(component.createWithInitialProperties(properties)));
        EXPECT_TRUE(item) << component.errorString().toStdString();
        if (!item)
            return nullptr;
        item->setParentItem(window.contentItem());
        item->setSize(window.size());
        QObject::connect(&window, &QQuickWindow::widthChanged, item.get(), [this](int w) { item->setWidth(w); });
        QObject::connect(&window, &QQuickWindow::heightChanged, item.get(), [this](int h) { item->setHeight(h); });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return item.get();
    }

    // Every visual item named `name`, in the order they are drawn.
    QList<QQuickItem*> findAll(const QString& name) const
    {
        return item ? driver().findAll(name, item.get()) : QList<QQuickItem*>();
    }

    void click(const char* name) { QuickFixture::click(find(name)); }
    using QuickFixture::click;

    // Focuses `name` and types `text` into it.
    void type(const char* name, const QString& text)
    {
        if (QQuickItem* target = find(name))
            driver().type(target, text);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { driver().key(key, modifiers); }

    // What velk-shot's scripts use too: finding, clicking, typing and dumps.
    ItemDriver driver() const { return ItemDriver(const_cast<QQuickWindow&>(window)); }

    // The alert on screen: its title and button texts (empty when none is
    // shown), and a press of its button labelled `label`.
    QString alertTitle() const { return driver().alertTitle(); }
    QStringList alertButtons() const
    {
        QStringList texts;
        for (QQuickItem* button : driver().alertButtons())
            texts.append(ItemDriver::text(button));
        return texts;
    }
    bool pressAlert(const QString& label)
    {
        const bool pressed = driver().pressAlert(label);
        EXPECT_TRUE(pressed) << "no alert button " << label.toStdString();
        return pressed;
    }

    QString text(const char* name) const
    {
        QObject* target = find<QObject>(name);
        return target ? target->property("text").toString() : QString();
    }

    // Lets bindings, animations and queued calls run for a while.
    static void settle(int milliseconds = 400) { QTest::qWait(milliseconds); }

    void shoot(const QString& name)
    {
        const QString folder = qEnvironmentVariable("VELK_SHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        window.grabWindow().save(QDir(folder).filePath(name + ".png"));
    }
};

} // namespace velk::test
