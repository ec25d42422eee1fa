#pragma once

#include "engine/inspection/StartupViewModel.h"

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace velk::screens {

// The Startup Items screen's own state over its view model: the titles of
// the scopes in both languages, the first-appearance load, and the two
// removal confirmations (the one item awaiting it, with the launchd label
// the alert shows, and whether the selection awaits it).
class StartupScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::inspection::StartupViewModel* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    // One entry per scope in discovery order: `key` (the raw value the list's
    // scope role and the view model's selectedScope hold), `title` (Chinese)
    // and `englishTitle`.
    Q_PROPERTY(QVariantList scopes READ scopes CONSTANT)
    // The raw value of the system daemons' scope.
    Q_PROPERTY(QString daemonScope READ daemonScope CONSTANT)
    // How many items the view model lists, whatever the filters.
    Q_PROPERTY(int itemCount READ itemCount NOTIFY itemCountChanged)
    Q_PROPERTY(bool removalPending READ removalPending NOTIFY removalChanged)
    // The launchd label of the item awaiting removal; empty while none does.
    Q_PROPERTY(QString removalLabel READ removalLabel NOTIFY removalChanged)
    Q_PROPERTY(bool batchRemovalPending READ batchRemovalPending NOTIFY batchRemovalChanged)

public:
    explicit StartupScreen(QObject* parent = nullptr);

    inspection::StartupViewModel* viewModel() const { return m_viewModel; }
    void setViewModel(inspection::StartupViewModel* viewModel);
    static QVariantList scopes();
    static QString daemonScope() { return rawValue(inspection::StartupScope::globalDaemon); }
    int itemCount() const { return m_viewModel ? static_cast<int>(m_viewModel->items().size()) : 0; }
    bool removalPending() const { return m_removal.has_value(); }
    QString removalLabel() const { return m_removal ? m_removal->label : QString(); }
    bool batchRemovalPending() const { return m_batchRemoval; }

    // The English title of the scope whose raw value is `raw`; empty for
    // any other text.
    Q_INVOKABLE static QString englishScopeTitle(const QString& raw);
    // The screen was shown: discovers the items unless some are listed.
    Q_INVOKABLE void appear();

    // A row's trash button: the item with `id` awaits confirmation.
    Q_INVOKABLE void askRemove(const QString& id);
    // Removes the item awaiting confirmation, if any; the view model drops
    // its row once the removal succeeded.
    Q_INVOKABLE void confirmRemove();
    // The confirmation closed, however: nothing awaits it any more.
    Q_INVOKABLE void dismissRemove();

    // The header's trash button: the selection awaits confirmation.
    Q_INVOKABLE void askBatchRemove();
    Q_INVOKABLE void confirmBatchRemove();
    Q_INVOKABLE void dismissBatchRemove();

signals:
    void viewModelChanged();
    void itemCountChanged();
    void removalChanged();
    void batchRemovalChanged();

private:
    QPointer<inspection::StartupViewModel> m_viewModel;
    std::optional<inspection::StartupItem> m_removal;
    bool m_batchRemoval = false;
};

} // namespace velk::screens
