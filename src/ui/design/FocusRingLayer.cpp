#include "ui/design/FocusRingLayer.h"

#include "ui/design/VDS.h"

#include <QKeyEvent>
#include <QQuickWindow>

namespace velk::design {
namespace {

// Above the window's popup layer, which lies at 1000001.
constexpr double kRingLayerZ = 1000002;

double radiusOf(const QQuickItem* item)
{
    const QVariant own = item->property("radius");
    if (own.isValid())
        return own.toDouble();
    if (const auto* background = item->property("background").value<QQuickItem*>()) {
        const QVariant drawn = background->property("radius");
        if (drawn.isValid())
            return drawn.toDouble();
    }
    return VDS::Radius::xs;
}

} // namespace

FocusRingLayer::FocusRingLayer(QQuickItem* parent)
    : QQuickItem(parent)
{
    setZ(kRingLayerZ);
    setAcceptedMouseButtons(Qt::NoButton);
    setFlag(ItemHasContents, false);
}

void FocusRingLayer::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange && value.window != m_window)
        attach(value.window);
}

void FocusRingLayer::attach(QQuickWindow* window)
{
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    m_keyboard = false;
    if (!window) {
        refresh();
        return;
    }
    window->installEventFilter(this);
    // Over the whole window: the layer moves to the window's root item,
    // after the current change has finished.
    QMetaObject::invokeMethod(this, [this] {
        if (!m_window)
            return;
        QQuickItem* root = m_window->contentItem();
        if (parentItem() != root)
            setParentItem(root);
        setPosition({});
        setSize(root->size());
    }, Qt::QueuedConnection);
    m_connections << connect(window, &QQuickWindow::activeFocusItemChanged, this, &FocusRingLayer::refresh);
    // The focused item can move (a list scrolls, a sheet lays out): follow
    // it frame by frame while the ring shows.
    m_connections << connect(window, &QQuickWindow::afterAnimating, this, [this] {
        if (m_shown)
            refresh();
    });
    m_connections << connect(window, &QWindow::widthChanged, this, [this](int w) { setWidth(w); });
    m_connections << connect(window, &QWindow::heightChanged, this, [this](int h) { setHeight(h); });
    refresh();
}

bool FocusRingLayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            m_keyboard = true;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        if (m_keyboard) {
            m_keyboard = false;
            refresh();
        }
        break;
    default:
        break;
    }
    return QQuickItem::eventFilter(watched, event);
}

void FocusRingLayer::refresh()
{
    QQuickItem* focused = m_window ? m_window->activeFocusItem() : nullptr;
    const bool ringed = m_keyboard && focused && focused != m_window->contentItem() && focused->isVisible()
        && focused->width() > 0 && focused->height() > 0 && !focused->property("drawsFocusRing").toBool();
    const QRectF rect = ringed ? focused->mapRectToItem(this, QRectF(0, 0, focused->width(), focused->height())) : QRectF();
    const double radius = ringed ? radiusOf(focused) : 0;
    if (ringed == m_shown && focused == m_target && rect == m_rect && radius == m_radius)
        return;
    m_shown = ringed;
    m_target = focused;
    m_rect = rect;
    m_radius = radius;
    emit changed();
}

} // namespace velk::design
