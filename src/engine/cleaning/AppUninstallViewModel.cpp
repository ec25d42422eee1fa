#include "engine/cleaning/AppUninstallViewModel.h"

#include "platform/core/Executor.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"

#include <QPointer>

namespace velk::cleaning {

AppUninstallViewModel::AppUninstallViewModel(QObject* parent)
    : QObject(parent)
    , m_model(m_apps, this)
{
}

// ---- Published state ------------------------------------------------------

void AppUninstallViewModel::setSearchText(const QString& text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    emit searchTextChanged();
    emit appsChanged();
}

QString AppUninstallViewModel::totalFreedFormatted() const
{
    return fmt::byteCount(m_totalFreed, fmt::ByteStyle::File);
}

void AppUninstallViewModel::setFailedPaths(const QStringList& paths)
{
    setFailures(failuresOf(paths, m_failures));
}

void AppUninstallViewModel::setFailures(const QList<RemovalFailure>& failures)
{
    if (m_failures == failures)
        return;
    m_failures = failures;
    emit failedPathsChanged();
}

QList<AppItem> AppUninstallViewModel::filteredApps() const
{
    if (m_searchText.isEmpty())
        return m_apps;
    QList<AppItem> filtered;
    for (const AppItem& app : m_apps) {
        if (app.name.contains(m_searchText, Qt::CaseInsensitive))
            filtered.append(app);
    }
    return filtered;
}

QList<AppItem> AppUninstallViewModel::selectedApps() const
{
    QList<AppItem> selected;
    for (const AppItem& app : m_apps) {
        if (app.isSelected)
            selected.append(app);
    }
    return selected;
}

QStringList AppUninstallViewModel::filteredIds() const
{
    QStringList ids;
    for (const AppItem& app : filteredApps())
        ids << app.id.toString(QUuid::WithoutBraces);
    return ids;
}

QStringList AppUninstallViewModel::selectedIds() const
{
    QStringList ids;
    for (const AppItem& app : selectedApps())
        ids << app.id.toString(QUuid::WithoutBraces);
    return ids;
}

int AppUninstallViewModel::selectedCount() const
{
    return int(std::count_if(m_apps.cbegin(), m_apps.cend(), [](const AppItem& a) { return a.isSelected; }));
}

int AppUninstallViewModel::rowOf(const QUuid& id) const
{
    for (int row = 0; row < m_apps.size(); ++row) {
        if (m_apps.at(row).id == id)
            return row;
    }
    return -1;
}

// ---- Operations -----------------------------------------------------------

void AppUninstallViewModel::load()
{
    setIsLoading(true);
    const QPointer<AppUninstallViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, service = m_service] {
        QList<AppItem> apps = service.discoverApps();
        executor->toMain(self, [self, apps = std::move(apps)]() mutable { self->finishLoad(std::move(apps)); });
    });
}

void AppUninstallViewModel::finishLoad(QList<AppItem> apps)
{
    if (!m_apps.isEmpty())
        m_model.removing(0, int(m_apps.size()) - 1, [this] { m_apps.clear(); });
    if (!apps.isEmpty())
        m_model.inserting(0, int(apps.size()) - 1, [this, &apps] { m_apps = std::move(apps); });
    emit appsChanged();
    setIsLoading(false);
}

void AppUninstallViewModel::loadAssociatedFiles(const QString& appId)
{
    const int row = rowOf(QUuid(appId));
    if (row >= 0)
        loadAssociatedFiles(m_apps.at(row));
}

void AppUninstallViewModel::loadAssociatedFiles(const AppItem& app)
{
    if (rowOf(app.id) < 0)
        return;
    const QPointer<AppUninstallViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::Background, [self, executor, service = m_service, app] {
        QList<FileItem> files = service.associatedFiles(app);
        executor->toMain(self, [self, id = app.id, files = std::move(files)]() mutable {
            self->finishAssociatedFiles(id, std::move(files));
        });
    });
}

// A result for a record that is gone (reloaded or uninstalled) is dropped.
void AppUninstallViewModel::finishAssociatedFiles(const QUuid& id, QList<FileItem> files)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    m_apps[row].associatedFiles = std::move(files);
    m_model.rowChanged(row);
    emit appsChanged();
}

void AppUninstallViewModel::toggleSelect(const QString& appId)
{
    const int row = rowOf(QUuid(appId));
    if (row >= 0)
        toggleSelect(m_apps.at(row));
}

void AppUninstallViewModel::toggleSelect(const AppItem& app)
{
    const int row = rowOf(app.id);
    if (row < 0)
        return;
    m_apps[row].isSelected = !m_apps[row].isSelected;
    m_model.rowChanged(row);
    emit appsChanged();
}

void AppUninstallViewModel::uninstall()
{
    QList<AppItem> selected = selectedApps();
    if (m_isUninstalling || m_isLoading || selected.isEmpty())
        return;
    setIsUninstalling(true);
    setFailedPaths({});
    const QPointer<AppUninstallViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated,
                  [self, executor, service = m_service, selected = std::move(selected)] {
                      AppUninstallService::UninstallResult result = service.uninstall(selected);
                      executor->toMain(self, [self, result = std::move(result)] { self->finishUninstall(result); });
                  });
}

void AppUninstallViewModel::finishUninstall(const AppUninstallService::UninstallResult& result)
{
    for (int row = int(m_apps.size()) - 1; row >= 0; --row) {
        if (result.removedAppIDs.contains(m_apps.at(row).id))
            m_model.removing(row, row, [this, row] { m_apps.removeAt(row); });
    }
    // A bundle that stayed shows what is left of it.
    for (auto left = result.leftAppSizes.cbegin(); left != result.leftAppSizes.cend(); ++left) {
        const int row = rowOf(left.key());
        if (row >= 0 && m_apps.at(row).diskSize != left.value()) {
            m_apps[row].diskSize = left.value();
            m_model.rowChanged(row);
        }
    }
    emit appsChanged();
    if (result.freed != 0) {
        m_totalFreed += result.freed;
        emit totalFreedChanged();
    }
    setFailures(result.failures);
    setIsUninstalling(false);
}

void AppUninstallViewModel::setIsLoading(bool value)
{
    if (m_isLoading == value)
        return;
    m_isLoading = value;
    emit isLoadingChanged();
}

void AppUninstallViewModel::setIsUninstalling(bool value)
{
    if (m_isUninstalling == value)
        return;
    m_isUninstalling = value;
    emit isUninstallingChanged();
}

} // namespace velk::cleaning
