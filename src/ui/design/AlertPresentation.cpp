#include "ui/design/AlertPresentation.h"

#include "ui/design/Geometry.h"

#include <QScreen>

namespace velk::design {

void AlertButton::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged();
}

void AlertButton::setRole(Role role)
{
    if (role == m_role)
        return;
    m_role = role;
    emit roleChanged();
}

AlertPresentation::AlertPresentation(QQuickItem* parent)
    : Presentation(Kind::Alert, parent)
{
}

void AlertPresentation::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged();
}

void AlertPresentation::setMessage(const QString& message)
{
    if (message == m_message)
        return;
    m_message = message;
    emit messageChanged();
}

void AlertPresentation::setDialogItem(QQuickItem* item)
{
    if (item == m_dialogItem)
        return;
    m_dialogItem = item;
    emit dialogItemChanged();
}

QQmlListProperty<AlertButton> AlertPresentation::buttons()
{
    const auto append = [](QQmlListProperty<AlertButton>* list, AlertButton* button) {
        auto* self = static_cast<AlertPresentation*>(list->object);
        self->m_buttons.append(button);
        emit self->buttonsChanged();
    };
    const auto count = [](QQmlListProperty<AlertButton>* list) {
        return static_cast<AlertPresentation*>(list->object)->m_buttons.size();
    };
    const auto at = [](QQmlListProperty<AlertButton>* list, qsizetype index) {
        return static_cast<AlertPresentation*>(list->object)->m_buttons.at(index);
    };
    const auto clear = [](QQmlListProperty<AlertButton>* list) {
        auto* self = static_cast<AlertPresentation*>(list->object);
        self->m_buttons.clear();
        emit self->buttonsChanged();
    };
    return QQmlListProperty<AlertButton>(this, nullptr, append, count, at, clear);
}

QStringList AlertPresentation::buttonTexts() const
{
    QStringList texts;
    for (const AlertButton* button : m_buttons)
        texts << button->text();
    return texts;
}

int AlertPresentation::indexOfRole(AlertButton::Role role) const
{
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->role() == role)
            return static_cast<int>(i);
    }
    return m_buttons.size() == 1 ? 0 : -1;
}

void AlertPresentation::press(int index)
{
    if (!shown() || index < 0 || index >= m_buttons.size())
        return;
    // The owner's action runs first, then the alert closes (once, even when
    // the action withdrew it already).
    const QPointer<AlertPresentation> alive(this);
    emit m_buttons[index]->triggered();
    if (alive)
        finish();
}

void AlertPresentation::pressCancel()
{
    press(indexOfRole(AlertButton::Cancel));
}

void AlertPresentation::pressDefault()
{
    press(indexOfRole(AlertButton::Default));
}

namespace {

// Scrolls every scrolling view at or below `item` back to its start.
void scrollToStart(QQuickItem* item)
{
    if (item->inherits("QQuickFlickable")) {
        item->setProperty("contentX", item->property("originX"));
        item->setProperty("contentY", item->property("originY"));
    }
    for (QQuickItem* child : item->childItems())
        scrollToStart(child);
}

} // namespace

SheetPresentation::SheetPresentation(QQuickItem* parent)
    : Presentation(Kind::Sheet, parent)
{
    connect(this, &Presentation::shownChanged, this, [this] {
        if (shown() && m_sheetWindow)
            scrollToStart(m_sheetWindow->contentItem());
    });
}

void SheetPresentation::setSheetWindow(QQuickWindow* window)
{
    if (window == m_sheetWindow)
        return;
    m_sheetWindow = window;
    emit sheetWindowChanged();
}

QRect SheetPresentation::place(int width, int height) const
{
    const QQuickWindow* owner = window();
    if (!owner)
        return QRect(0, 0, width, height);
    const QScreen* screen = owner->screen();
    return sheetGeometry(owner->geometry(), QSize(width, height), screen ? screen->availableGeometry() : QRect());
}

} // namespace velk::design
