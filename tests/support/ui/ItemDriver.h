#pragma once

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QKeySequence>
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

    // Every item named `name` below `from` (the window's content by
    // default), in the order they are drawn.
    QList<QQuickItem*> findAll(const QString& name, QQuickItem* from = nullptr) const
    {
        const auto [bare, key] = split(name);
        QList<QQuickItem*> found;
        collect(from ? from : m_window.contentItem(), bare, key, found);
        return found;
    }

    // The first item named `name` that is shown, else the first at all.
    QQuickItem* find(const QString& name, QQuickItem* from = nullptr) const
    {
        const QList<QQuickItem*> all = findAll(name, from);
        for (QQuickItem* item : all)
            if (item->isVisible())
                return item;
        return all.isEmpty() ? nullptr : all.first();
    }

    // Clicks `target` at `pos` (its own coordinates; its centre by default).
    void click(QQuickItem* target, std::optional<QPointF> pos = std::nullopt) const
    {
        const QPointF local = pos.value_or(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&m_window, Qt::LeftButton, {}, target->mapToScene(local).toPoint());
    }

    // Focuses `target` and types `text` into it.
    void type(QQuickItem* target, const QString& text) const
    {
        target->forceActiveFocus();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(&m_window, &press);
            QCoreApplication::sendEvent(&m_window, &release);
        }
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(&m_window, key, modifiers);
    }

    // Presses a key combination written like "Ctrl+Shift+S" or "Escape";
    // false when the text names none.
    bool keys(const QString& sequence) const
    {
        const QKeySequence parsed = QKeySequence::fromString(sequence, QKeySequence::PortableText);
        if (parsed.isEmpty())
            return false;
        for (int i = 0; i < parsed.count(); ++i)
            key(parsed[i].key(), parsed[i].keyboardModifiers());
        return true;
    }

    // The buttons of the alert on screen, in their order; empty when no
    // alert is shown. Alerts are drawn over the whole window.
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

    // The item's `text`, empty when it has none.
    static QString text(const QObject* item) { return item ? item->property("text").toString() : QString(); }

    // The named items that are shown, in drawing order: name, text, enabled,
    // checked, geometry in the window and identity (its address, which
    // tells two items of one name apart across dumps of one run).
    QJsonArray dump() const
    {
        QJsonArray items;
        dumpInto(m_window.contentItem(), items);
        return items;
    }

private:
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

    static void dumpInto(QQuickItem* from, QJsonArray& items)
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
                const QVariant text = child->property("text");
                if (text.isValid())
                    entry.insert("text", text.toString());
                const QVariant checked = child->property("checked");
                if (checked.isValid())
                    entry.insert("checked", checked.toBool());
                for (const char* key : { "key", "section" }) {
                    const QVariant value = child->property(key);
                    if (value.isValid() && !value.toString().isEmpty())
                        entry.insert(QString::fromLatin1(key), value.toString());
                }
                items.append(entry);
            }
            dumpInto(child, items);
        }
    }

    QQuickWindow& m_window;
};

} // namespace velk::test
