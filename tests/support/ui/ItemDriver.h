#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWheelEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cmath>
#include <optional>

namespace velk::test {

// Drives the items of a shown window by object name, the way a person
// would: finds, clicks, types, presses keys, reads texts, and lists what is
// on screen. The view tests and velk-shot's scripts share it.
//
// Sheets are windows of their own, open over the window: what the driver
// finds, clicks and lists covers them too, the topmost window first, and
// keys go to the topmost window. Alerts are drawn inside the window that
// declares them, so they are found wherever they are shown.
//
// A name may carry a key, "sidebar.row[processes]": then only items of that
// name whose `key` (or else `section`) property is that text match, which is
// how list delegates are told apart.
class ItemDriver {
public:
    explicit ItemDriver(QQuickWindow& window)
        : m_window(window)
    {
    }

    QQuickWindow& window() const { return m_window; }

    // The window and the shown windows open over it (its sheets, and
    // theirs), bottom to top.
    QList<QQuickWindow*> windows() const
    {
        QList<QQuickWindow*> stack { &m_window };
        const QWindowList all = QGuiApplication::topLevelWindows();
        for (qsizetype below = 0; below < stack.size(); ++below) {
            for (QWindow* candidate : all) {
                auto* quick = qobject_cast<QQuickWindow*>(candidate);
                if (quick && quick->isVisible() && quick->transientParent() == stack[below] && !stack.contains(quick))
                    stack.append(quick);
            }
        }
        return stack;
    }

    // The window on top: the open sheet, else the window itself.
    QQuickWindow& topWindow() const { return *windows().constLast(); }

    // The window of a sheet (the `sheetWindow` of a VelkSheet).
    static QQuickWindow* sheetWindowOf(const QObject* sheet)
    {
        return sheet ? sheet->property("sheetWindow").value<QQuickWindow*>() : nullptr;
    }

    // Every item named `name` below `from`, in the order they are drawn; by
    // default in every window, the topmost first. Items that views handed
    // over for later deletion (a list's rows that left it) are deleted first,
    // so none of them is found.
    QList<QQuickItem*> findAll(const QString& name, QQuickItem* from = nullptr) const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto [bare, key] = split(name);
        QList<QQuickItem*> found;
        if (from) {
            collect(from, bare, key, found);
            return found;
        }
        const QList<QQuickWindow*> stack = windows();
        for (auto window = stack.crbegin(); window != stack.crend(); ++window)
            collect((*window)->contentItem(), bare, key, found);
        return found;
    }

    // The first item named `name` that is shown (isShown), else the first
    // visible one, else the first at all.
    QQuickItem* find(const QString& name, QQuickItem* from = nullptr) const
    {
        const QList<QQuickItem*> all = findAll(name, from);
        QQuickItem* visible = nullptr;
        for (QQuickItem* item : all) {
            if (isShown(item))
                return item;
            if (!visible && item->isVisible())
                visible = item;
        }
        return visible ? visible : all.isEmpty() ? nullptr : all.first();
    }

    // Whether `item` is drawn where a click at its centre reaches it: visible
    // in a shown window, neither it nor an item it lies in faded out to
    // nothing, and its centre inside its window and inside every item it
    // lies in that clips (a list's rows scrolled away or cut off).
    static bool isShown(const QQuickItem* item)
    {
        const QQuickWindow* window = item->window();
        if (!item->isVisible() || !window || !window->isVisible())
            return false;
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        if (!QRectF(QPointF(), window->size()).contains(centre))
            return false;
        for (const QQuickItem* at = item; at; at = at->parentItem()) {
            if (at->opacity() <= 0.0)
                return false;
            if (at->clip() && !at->mapRectToScene(QRectF(0, 0, at->width(), at->height())).contains(centre))
                return false;
        }
        return true;
    }

    // Clicks `target` at `pos` (its own coordinates; its centre by default).
    // The click goes to the window `target` is in.
    void click(QQuickItem* target, std::optional<QPointF> pos = std::nullopt) const
    {
        const QPointF local = pos.value_or(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(windowOf(target), Qt::LeftButton, {}, target->mapToScene(local).toPoint());
    }

    // Rests the pointer on the centre of `target`.
    void hover(QQuickItem* target) const
    {
        const QPointF centre(target->width() / 2, target->height() / 2);
        QTest::mouseMove(windowOf(target), target->mapToScene(centre).toPoint());
    }

    // Turns the mouse wheel `notches` steps over the centre of `target`:
    // positive scrolls down, negative up.
    void scroll(QQuickItem* target, int notches) const
    {
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QWheelEvent wheel(centre, target->window()->mapToGlobal(centre), {}, QPoint(0, -120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // A view takes the speed of the wheel from the time since its last
        // turn: each turn comes later than the one before.
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        wheel.setTimestamp(ulong(clock.elapsed()) + 1000);
        QCoreApplication::sendEvent(windowOf(target), &wheel);
    }

    // Focuses `target` and types `text` into it.
    void type(QQuickItem* target, const QString& text) const
    {
        QQuickWindow* window = windowOf(target);
        activate(*window);
        target->forceActiveFocus();
        (void)QTest::qWaitFor([target] { return target->hasActiveFocus(); }, 1000);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(window, &press);
            QCoreApplication::sendEvent(window, &release);
        }
    }

    // Presses a key in the window on top, which takes the keys first, so
    // that its shortcuts (an alert's Escape and Return among them) fire.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QQuickWindow& top = topWindow();
        activate(top);
        QTest::keyClick(&top, key, modifiers);
    }

    // Presses a key combination written like "Ctrl+Shift+S" or "Escape";
    // false, and nothing pressed, when the text names none or a key that
    // pressable() turns down.
    bool keys(const QString& sequence) const
    {
        const QKeySequence parsed = QKeySequence::fromString(sequence, QKeySequence::PortableText);
        if (parsed.isEmpty())
            return false;
        for (int i = 0; i < parsed.count(); ++i)
            if (!pressable(parsed[i].key()))
                return false;
        for (int i = 0; i < parsed.count(); ++i)
            key(parsed[i].key(), parsed[i].keyboardModifiers());
        return true;
    }

    // The keys key() presses: a printable ASCII character (letters as
    // Qt names them, in capitals), Escape, Tab, Backtab, Backspace, Return,
    // Enter, Ins, Del, Home, End, Left, Up, Right, Down, PgUp, PgDown and F1
    // to F12. Qt's test keyboard stops the program on any other.
    static bool pressable(Qt::Key key)
    {
        if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
            return key < int('a') || key > int('z');
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
            return true;
        switch (key) {
        case Qt::Key_Escape: case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Backspace: case Qt::Key_Return:
        case Qt::Key_Enter: case Qt::Key_Insert: case Qt::Key_Delete: case Qt::Key_Home: case Qt::Key_End:
        case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down: case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
        }
    }

    // The buttons of the alert on screen, in their order; empty when no
    // alert is shown. Alerts are drawn over the whole window that shows them.
    QList<QQuickItem*> alertButtons() const
    {
        QList<QQuickItem*> buttons;
        for (int i = 0;; ++i) {
            QQuickItem* button = find(QStringLiteral("alert.button.%1").arg(i));
            if (!button || !button->isVisible())
                return buttons;
            buttons.append(button);
        }
    }

    // The title of the alert on screen, empty when none is shown.
    QString alertTitle() const
    {
        QQuickItem* title = find(QStringLiteral("alert.title"));
        return title && title->isVisible() ? text(title) : QString();
    }

    // Clicks the shown alert's button labelled `label`; false when there is
    // no such button.
    bool pressAlert(const QString& label) const
    {
        for (QQuickItem* button : alertButtons()) {
            if (text(button) == label) {
                click(button);
                return true;
            }
        }
        return false;
    }

    // The item's `text` as a reader reads it, empty when it has none: the
    // left-to-right isolate a name's line is laid out in draws nothing and
    // is left out.
    static QString text(const QObject* item)
    {
        QString shown = item ? item->property("text").toString() : QString();
        if (shown.size() >= 2 && shown.front() == QChar(0x2066) && shown.back() == QChar(0x2069))
            shown = shown.sliced(1, shown.size() - 2);
        return shown;
    }

    // The named items that are shown, window by window from the bottom, in
    // drawing order: name, text, enabled, checked, geometry in its window
    // and identity (its address, which tells two items of one name apart
    // across dumps of one run). Items of a window over the main one also
    // name that window (its sheet's name).
    QJsonArray dump() const
    {
        QJsonArray items;
        for (QQuickWindow* window : windows())
            dumpInto(window->contentItem(), window == &m_window ? QString() : windowName(*window), items);
        return items;
    }

private:
    QQuickWindow* windowOf(const QQuickItem* item) const { return item->window() ? item->window() : &m_window; }

    // Makes `window` the focus window and waits until it is: a window's
    // shortcuts fire only then. A sheet that closes stays the focus window
    // until another window asks to be it, and the window below counts as
    // active meanwhile (QWindow::isActive() covers a window's sheets), so only
    // the focus window itself tells.
    static void activate(QQuickWindow& window)
    {
        if (QGuiApplication::focusWindow() == &window)
            return;
        window.requestActivate();
        (void)QTest::qWaitFor([&window] { return QGuiApplication::focusWindow() == &window; }, 1000);
    }

    // A sheet's window is named after the sheet that shows it, an item of
    // the window below.
    static QString windowName(const QQuickWindow& window)
    {
        if (auto* below = qobject_cast<QQuickWindow*>(window.transientParent()))
            if (const QQuickItem* sheet = ownerOf(window, below->contentItem()))
                return sheet->objectName();
        return window.objectName();
    }

    static const QQuickItem* ownerOf(const QQuickWindow& window, const QQuickItem* from)
    {
        for (const QQuickItem* child : from->childItems()) {
            if (sheetWindowOf(child) == &window && !child->objectName().isEmpty())
                return child;
            if (const QQuickItem* inner = ownerOf(window, child))
                return inner;
        }
        return nullptr;
    }

    static std::pair<QString, QString> split(const QString& name)
    {
        const qsizetype open = name.indexOf(u'[');
        if (open < 0 || !name.endsWith(u']'))
            return { name, {} };
        return { name.left(open), name.mid(open + 1, name.size() - open - 2) };
    }

    static double rounded(double value) { return std::round(value * 10.0) / 10.0; }

    static bool hasKey(const QQuickItem* item, const QString& key)
    {
        const QVariant own = item->property("key");
        return (own.isValid() ? own : item->property("section")).toString() == key;
    }

    static void collect(QQuickItem* from, const QString& name, const QString& key, QList<QQuickItem*>& found)
    {
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == name && (key.isEmpty() || hasKey(child, key)))
                found.append(child);
            collect(child, name, key, found);
        }
    }

    static void dumpInto(QQuickItem* from, const QString& window, QJsonArray& items)
    {
        for (QQuickItem* child : from->childItems()) {
            if (!child->isVisible() || child->opacity() <= 0.0)
                continue;
            if (!child->objectName().isEmpty()) {
                const QRectF box = child->mapRectToScene(QRectF(0, 0, child->width(), child->height()));
                QJsonObject entry {
                    { "name", child->objectName() },
                    { "enabled", child->isEnabled() },
                    { "geometry", QJsonArray { rounded(box.x()), rounded(box.y()), rounded(box.width()), rounded(box.height()) } },
                    { "id", QStringLiteral("0x%1").arg(quintptr(child), 0, 16) },
                };
                if (child->property("text").isValid())
                    entry.insert("text", text(child));
                const QVariant checked = child->property("checked");
                if (checked.isValid())
                    entry.insert("checked", checked.toBool());
                if (!window.isEmpty())
                    entry.insert("window", window);
                for (const char* key : { "key", "section" }) {
                    const QVariant value = child->property(key);
                    if (value.isValid() && !value.toString().isEmpty())
                        entry.insert(QString::fromLatin1(key), value.toString());
                }
                items.append(entry);
            }
            dumpInto(child, window, items);
        }
    }

    QQuickWindow& m_window;
};

} // namespace velk::test
