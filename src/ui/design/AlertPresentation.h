#pragma once

#include "ui/design/Presentation.h"

#include <QQmlListProperty>
#include <QStringList>

namespace velk::design {

// One button of an alert. The role decides its look and its key: Escape
// presses the cancel button, Return the default one.
class AlertButton : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(Role role READ role WRITE setRole NOTIFY roleChanged)
public:
    enum Role { Normal, Cancel, Destructive, Default };
    Q_ENUM(Role)

    using QObject::QObject;

    QString text() const { return m_text; }
    void setText(const QString& text);
    Role role() const { return m_role; }
    void setRole(Role role);

signals:
    void textChanged();
    void roleChanged();
    // Pressed, by a click or its key; the alert closes right after.
    void triggered();

private:
    QString m_text;
    Role m_role = Normal;
};

// The alert's content and its choices, shown by the window's alert host
// (`VelkAlert` draws it). Buttons keep the order they are declared in.
class AlertPresentation : public velk::design::Presentation {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString message READ message WRITE setMessage NOTIFY messageChanged)
    Q_PROPERTY(QQmlListProperty<velk::design::AlertButton> buttons READ buttons NOTIFY buttonsChanged)
    // The item that draws the shown alert (`VelkAlert`'s dialog): while the
    // alert is shown, only what lies in it answers an accessible action.
    Q_PROPERTY(QQuickItem* dialogItem READ dialogItem WRITE setDialogItem NOTIFY dialogItemChanged)
    Q_CLASSINFO("DefaultProperty", "buttons")
public:
    explicit AlertPresentation(QQuickItem* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString message() const { return m_message; }
    void setMessage(const QString& message);
    QQmlListProperty<AlertButton> buttons();
    QQuickItem* dialogItem() const { return m_dialogItem; }
    void setDialogItem(QQuickItem* item);
    const QList<AlertButton*>& buttonList() const { return m_buttons; }
    QStringList buttonTexts() const;

    // Presses button `index` and closes; nothing for an index out of range
    // or while the alert is not shown.
    Q_INVOKABLE void press(int index);
    // Escape: the cancel button, or the only button.
    Q_INVOKABLE void pressCancel();
    // Return: the default button, or the only button.
    Q_INVOKABLE void pressDefault();

signals:
    void titleChanged();
    void messageChanged();
    void buttonsChanged();
    void dialogItemChanged();

private:
    int indexOfRole(AlertButton::Role role) const;

    QString m_title;
    QString m_message;
    QList<AlertButton*> m_buttons;
    QPointer<QQuickItem> m_dialogItem;
};

// A sheet: `VelkSheet` shows its content in a modal window of its own,
// `sheetWindow`, centred over the owner's window. Alerts raised while it is
// up show on that window.
class SheetPresentation : public velk::design::Presentation {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickWindow* sheetWindow READ sheetWindow WRITE setSheetWindow NOTIFY sheetWindowChanged)
public:
    // Each showing starts at the top: every list and scrolling view of the
    // sheet is scrolled back to its start as it opens.
    explicit SheetPresentation(QQuickItem* parent = nullptr);

    QQuickWindow* sheetWindow() const { return m_sheetWindow; }
    void setSheetWindow(QQuickWindow* window);

    // Where a sheet of `width` × `height` opens now: centred over the
    // owner's window, inside the free part of that window's screen.
    Q_INVOKABLE QRect place(int width, int height) const;

signals:
    void sheetWindowChanged();

private:
    QPointer<QQuickWindow> m_sheetWindow;
};

} // namespace velk::design
