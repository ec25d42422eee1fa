#include "ui/design/Presentation.h"

#include "ui/design/AlertPresentation.h"

namespace velk::design {
namespace {

// Sheets over sheets deeper than this are not looked through.
constexpr int kMaxSheetDepth = 8;

QString hostName(Presentation::Kind kind)
{
    return kind == Presentation::Kind::Alert ? QStringLiteral("velk.alertHost") : QStringLiteral("velk.sheetHost");
}

} // namespace

Presentation::Presentation(Kind kind, QQuickItem* parent)
    : QQuickItem(parent)
    , m_kind(kind)
{
}

Presentation::~Presentation()
{
    if (m_host)
        m_host->withdraw(this);
}

void Presentation::setPresented(bool presented)
{
    if (presented == m_presented)
        return;
    if (!presented) {
        finish();
        return;
    }
    m_presented = true;
    emit presentedChanged();
    request();
}

QQuickWindow* Presentation::hostWindow() const
{
    return m_host ? m_host->window() : window();
}

void Presentation::noteHostWindow()
{
    QQuickWindow* now = hostWindow();
    if (now == m_hostWindow)
        return;
    m_hostWindow = now;
    emit hostWindowChanged();
}

void Presentation::dismiss()
{
    finish();
}

void Presentation::finish()
{
    const bool wasShown = m_shown;
    if (m_host)
        m_host->withdraw(this);
    m_host = nullptr;
    setShown(false);
    noteHostWindow();
    if (m_presented) {
        m_presented = false;
        emit presentedChanged();
    }
    if (wasShown)
        emit closed();
}

void Presentation::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickItem::itemChange(change, value);
    if (change != ItemSceneChange)
        return;
    // Moving to another window (or none) drops the request from the old
    // window's queue; a request still standing goes to the new one.
    if (m_host) {
        const bool wasShown = m_shown;
        m_host->withdraw(this);
        m_host = nullptr;
        setShown(false);
        if (wasShown && !value.window) {
            noteHostWindow();
            m_presented = false;
            emit presentedChanged();
            emit closed();
            return;
        }
    }
    if (m_presented && value.window)
        request();
    noteHostWindow();
}

void Presentation::request()
{
    if (m_host || !window())
        return;
    QQuickWindow* target = m_kind == Kind::Alert ? topWindow(window()) : window();
    m_host = PresentationHost::of(target, m_kind);
    noteHostWindow();
    m_host->enqueue(this);
}

QQuickWindow* Presentation::topWindow(QQuickWindow* window)
{
    for (int depth = 0; depth < kMaxSheetDepth; ++depth) {
        PresentationHost* sheets = PresentationHost::sheetHost(window);
        connect(sheets, &PresentationHost::currentChanged, this, &Presentation::reroute, Qt::UniqueConnection);
        const auto* sheet = qobject_cast<SheetPresentation*>(sheets->current());
        if (!sheet || !sheet->sheetWindow())
            break;
        window = sheet->sheetWindow();
    }
    return window;
}

void Presentation::reroute()
{
    if (!m_presented || !m_host || !window() || topWindow(window()) == m_host->window())
        return;
    m_host->withdraw(this);
    m_host = nullptr;
    setShown(false);
    request();
}

void Presentation::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    emit shownChanged();
}

PresentationHost::PresentationHost(QQuickWindow* window)
    : QObject(window)
{
}

QQuickWindow* PresentationHost::window() const
{
    return static_cast<QQuickWindow*>(parent());
}

PresentationHost* PresentationHost::of(QQuickWindow* window, Presentation::Kind kind)
{
    if (!window)
        return nullptr;
    const QString name = hostName(kind);
    auto* host = window->findChild<PresentationHost*>(name, Qt::FindDirectChildrenOnly);
    if (!host) {
        host = new PresentationHost(window);
        host->setObjectName(name);
    }
    return host;
}

void PresentationHost::enqueue(Presentation* presentation)
{
    if (m_current == presentation || m_queue.contains(presentation))
        return;
    m_queue.append(presentation);
    if (!m_current)
        showNext();
}

void PresentationHost::withdraw(Presentation* presentation)
{
    m_queue.removeAll(presentation);
    if (m_current == presentation) {
        m_current = nullptr;
        emit currentChanged();
        showNext();
    }
}

void PresentationHost::showNext()
{
    while (!m_current && !m_queue.isEmpty()) {
        Presentation* next = m_queue.takeFirst();
        if (!next)
            continue;
        m_current = next;
        emit currentChanged();
        next->setShown(true);
    }
}

QString PresentationHost::title() const
{
    const auto* alert = qobject_cast<AlertPresentation*>(m_current.data());
    return alert ? alert->title() : QString();
}

QString PresentationHost::message() const
{
    const auto* alert = qobject_cast<AlertPresentation*>(m_current.data());
    return alert ? alert->message() : QString();
}

QStringList PresentationHost::buttonTexts() const
{
    const auto* alert = qobject_cast<AlertPresentation*>(m_current.data());
    return alert ? alert->buttonTexts() : QStringList();
}

} // namespace velk::design
