#pragma once

#include "engine/language/LanguageManager.h"
#include "support/ui/AlertFit.h"
#include "support/ui/ItemDriver.h"
#include "ui/design/QuickFixture.h"
#include "ui/design/ThemeManager.h"

#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QQuickItem>
#include <QVariantMap>

#include <cmath>
#include <functional>

namespace velk::test {

// Builds a screen, or the window's root view, over doubles in a shown window
// the size of the main window, and drives it by object name: finds, clicks,
// types, reads texts and writes pictures, in open sheets and alerts too.
// shoot(name) saves the window on top as NAME.png into $VELK_SHOT_DIR when
// that is set, so a test run can leave pictures of the states it reached.
class ScreenFixture : public QuickFixture {
protected:
    ScreenFixture() { window.resize(987, 610); }

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

    // An object of the view by name, also among the items that views made
    // and in an open sheet or alert; a name may carry a key ("row[3]").
    template <class T = QQuickItem>
    T* find(const char* objectName) const
    {
        const QString name = QString::fromLatin1(objectName);
        T* found = item ? item->findChild<T*>(name) : nullptr;
        if (!found && item)
            found = qobject_cast<T*>(driver().find(name));
        EXPECT_TRUE(found) << objectName;
        return found;
    }

    // Every visual item named `name`, in the order they are drawn.
    QList<QQuickItem*> findAll(const QString& name) const
    {
        return item ? driver().findAll(name, item.get()) : QList<QQuickItem*>();
    }

    // Clicks reach the window the item is in, the main one or a sheet, once
    // the item rests wholly in view there (settledInView), scrolled there if
    // need be.
    void click(QQuickItem* target, std::optional<QPointF> pos = std::nullopt) const
    {
        if (expectSettledInView(target))
            driver().click(target, pos);
    }
    void click(const char* name) { click(find(name)); }

    // Focuses `name` and types `text` into it.
    void type(const char* name, const QString& text)
    {
        if (QQuickItem* target = find(name))
            driver().type(target, text);
    }

    // Presses a key in the window on top (an open sheet, else the window).
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { driver().key(key, modifiers); }

    // The window of a VelkSheet, and a named item, its text and a click
    // inside one window (a sheet's).
    static QQuickWindow* sheetWindowOf(const QObject* sheet) { return ItemDriver::sheetWindowOf(sheet); }
    static QQuickItem* findIn(QQuickWindow* window, const char* name)
    {
        QQuickItem* found = window ? ItemDriver(*window).find(QString::fromLatin1(name), window->contentItem()) : nullptr;
        EXPECT_TRUE(found) << name;
        return found;
    }
    static QString textIn(QQuickWindow* window, const char* name) { return ItemDriver::text(findIn(window, name)); }
    static void clickIn(QQuickWindow* window, QQuickItem* target)
    {
        if (window && expectSettledInView(target))
            ItemDriver(*window).click(target);
    }

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

    QString text(const char* name) const { return ItemDriver::text(find<QObject>(name)); }

    // Lets queued calls and bindings run until the window has laid out what
    // they changed; an animation is waited for by its own end condition.
    void settle() { EXPECT_TRUE(laidOut()); }

    // The width a section screen has in the main window at its default
    // width of 987, beside the sidebar at its default width.
    static constexpr int defaultScreenWidth = 987 - 241;

    // Whether the page header `header` shows its title whole and its subtitle
    // whole or not at all, as the next frame draws them.
    testing::AssertionResult headerWhole(const char* header)
    {
        (void)window.grabWindow();  // lays the header out
        QQuickItem* box = find(header);
        QQuickItem* title = box ? driver().find("pageHeader.title", box) : nullptr;
        QQuickItem* subtitle = box ? driver().find("pageHeader.subtitle", box) : nullptr;
        if (!title || !subtitle)
            return testing::AssertionFailure() << header << " has no title or subtitle";
        const auto cut = [](QQuickItem* text) {
            return text->property("truncated").toBool() || text->width() < std::floor(text->implicitWidth());
        };
        if (!title->isVisible() || cut(title))
            return testing::AssertionFailure() << "title cut: " << ItemDriver::text(title).toStdString();
        if (subtitle->isVisible() && cut(subtitle))
            return testing::AssertionFailure() << "subtitle cut: " << ItemDriver::text(subtitle).toStdString();
        return testing::AssertionSuccess();
    }

    // Runs `check` once in each theme and language, laid out, with the
    // look's name ("classic-en"); the classic theme and the language of
    // before are back afterwards.
    void inEveryLook(const std::function<void(const QString& look)>& check)
    {
        auto& language = language::LanguageManager::shared();
        auto& theme = design::ThemeManager::shared();
        const QString before = language.current();
        for (const char* themeName : {"classic", "cyber"}) {
            theme.setCurrentRawValue(themeName);
            window.setColor(QColor(theme.palette().bg0));
            for (const char* lang : {"zh-Hans", "en"}) {
                language.setCurrent(lang);
                settle();
                check(QStringLiteral("%1-%2").arg(themeName, lang));
            }
        }
        theme.setCurrentRawValue("classic");
        window.setColor(QColor(theme.palette().bg0));
        language.setCurrent(before);
    }

    // The first column of `line` in `picture`, from the left, that differs
    // clearly from the background at the line's top left corner: where its
    // first letter begins. -1 when the line shows nothing.
    static int firstInkColumn(const QImage& picture, const QQuickItem* line)
    {
        const QRect box = line ? line->mapRectToScene(QRectF(0, 0, line->width(), line->height())).toRect() : QRect();
        if (box.isEmpty())
            return -1;
        const QColor background = picture.pixelColor(box.topLeft());
        for (int x = box.left(); x < box.right(); ++x)
            for (int y = box.top(); y <= box.bottom(); ++y) {
                const QColor c = picture.pixelColor(x, y);
                if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                        + std::abs(c.blue() - background.blue()) > 120)
                    return x;
            }
        return -1;
    }

    // In every look, the alert on screen keeps its title and buttons inside
    // the window and its message scrolls; a picture of each look is
    // PICTURE-LOOK.png.
    void expectAlertScrollsInsideTheWindow(const QString& picture)
    {
        inEveryLook([&](const QString& look) {
            EXPECT_TRUE(alertInsideItsWindow(driver())) << look.toStdString();
            EXPECT_TRUE(alertMessageScrolls(driver())) << look.toStdString();
            shoot(picture + '-' + look);
        });
    }

    // The window on top: an open sheet, else the window.
    void shoot(const QString& name)
    {
        const QString folder = qEnvironmentVariable("VELK_SHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        driver().topWindow().grabWindow().save(QDir(folder).filePath(name + ".png"));
    }
};

} // namespace velk::test
