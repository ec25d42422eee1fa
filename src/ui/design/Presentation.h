#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

class PresentationHost;

// Something a window shows over its content on the owner's request: an
// alert or a sheet. The owner declares it where it lives and sets
// `presented`; the window's host for its kind shows one at a time, in the
// order requested, and `shown` tells when it is this one's turn. However it
// ends (a button, Escape, Return, the owner clearing `presented`, the sheet's
// window being closed), `closed` is emitted exactly once per showing and
// `presented` is false again.
//
// An alert shows on the window on top: while a sheet is up over its window,
// on the sheet's window (and on a sheet over that one, and so on); when the
// sheet goes, it moves back, still shown and without closing.
class Presentation : public QQuickItem {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(bool presented READ presented WRITE setPresented NOTIFY presentedChanged)
    Q_PROPERTY(bool shown READ shown NOTIFY shownChanged)
    // The window whose host shows it: its own, or the sheet's on top of it.
    Q_PROPERTY(QQuickWindow* hostWindow READ hostWindow NOTIFY hostWindowChanged)
public:
    enum class Kind { Alert, Sheet };

    ~Presentation() override;

    Kind kind() const { return m_kind; }
    bool presented() const { return m_presented; }
    void setPresented(bool presented);
    bool shown() const { return m_shown; }
    QQuickWindow* hostWindow() const;

    Q_INVOKABLE void open() { setPresented(true); }
    // Ends the presentation without choosing anything.
    Q_INVOKABLE void dismiss();

signals:
    void presentedChanged();
    void shownChanged();
    void hostWindowChanged();
    void closed();

protected:
    Presentation(Kind kind, QQuickItem* parent);
    void itemChange(ItemChange change, const ItemChangeData& value) override;

    // Hides it, withdraws the request and emits closed() when it was shown.
    void finish();

private:
    friend class PresentationHost;
    void request();
    void setShown(bool shown);
    // The window an alert goes to, watching the sheets on the way so it can
    // move when they come and go.
    QQuickWindow* topWindow(QQuickWindow* window);
    // Moves a standing alert to the window now on top.
    void reroute();
    void noteHostWindow();

    Kind m_kind;
    bool m_presented = false;
    bool m_shown = false;
    QPointer<PresentationHost> m_host;
    QPointer<QQuickWindow> m_hostWindow;
};

// The queue of one window for one kind: made on first use, owned by the
// window. Shows the first request and, when it ends, the next.
class PresentationHost : public QObject {
    Q_OBJECT
    Q_PROPERTY(velk::design::Presentation* current READ current NOTIFY currentChanged)
    // Of the alert shown now; empty while none is.
    Q_PROPERTY(QString title READ title NOTIFY currentChanged)
    Q_PROPERTY(QString message READ message NOTIFY currentChanged)
    Q_PROPERTY(QStringList buttonTexts READ buttonTexts NOTIFY currentChanged)
public:
    static PresentationHost* of(QQuickWindow* window, Presentation::Kind kind);
    static PresentationHost* alertHost(QQuickWindow* window) { return of(window, Presentation::Kind::Alert); }
    static PresentationHost* sheetHost(QQuickWindow* window) { return of(window, Presentation::Kind::Sheet); }

    QQuickWindow* window() const;
    Presentation* current() const { return m_current; }
    int pendingCount() const { return static_cast<int>(m_queue.size()); }
    QString title() const;
    QString message() const;
    QStringList buttonTexts() const;

signals:
    void currentChanged();

private:
    friend class Presentation;
    explicit PresentationHost(QQuickWindow* window);

    void enqueue(Presentation* presentation);
    void withdraw(Presentation* presentation);
    void showNext();

    QList<QPointer<Presentation>> m_queue;
    QPointer<Presentation> m_current;
};

} // namespace velk::design
