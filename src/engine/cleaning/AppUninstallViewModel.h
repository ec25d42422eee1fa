#pragma once

#include "engine/cleaning/AppItem.h"
#include "engine/cleaning/AppListModel.h"
#include "engine/cleaning/AppUninstallService.h"

#include <QObject>
#include <QStringList>

namespace velk::cleaning {

// Drives the uninstaller: discovers the applications in the background,
// keeps the search text and the selection, loads one application's
// leftovers on demand and uninstalls the selected applications. Main-thread
// object owned by the App Uninstall screen; it starts no work by itself.
class AppUninstallViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(velk::cleaning::AppListModel* apps READ appModel CONSTANT)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(bool isUninstalling READ isUninstalling NOTIFY isUninstallingChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(qint64 totalFreed READ totalFreed NOTIFY totalFreedChanged)
    Q_PROPERTY(QString totalFreedFormatted READ totalFreedFormatted NOTIFY totalFreedChanged)
    Q_PROPERTY(QStringList failedPaths READ failedPaths WRITE setFailedPaths NOTIFY failedPathsChanged)
    // Ids of filteredApps and selectedApps, in list order.
    Q_PROPERTY(QStringList filteredIds READ filteredIds NOTIFY appsChanged)
    Q_PROPERTY(QStringList selectedIds READ selectedIds NOTIFY appsChanged)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY appsChanged)

public:
    explicit AppUninstallViewModel(QObject* parent = nullptr);

    const QList<AppItem>& apps() const { return m_apps; }
    AppListModel* appModel() { return &m_model; }
    bool isLoading() const { return m_isLoading; }
    bool isUninstalling() const { return m_isUninstalling; }
    const QString& searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    qint64 totalFreed() const { return m_totalFreed; }
    QString totalFreedFormatted() const;
    // What the last uninstall left, in processing order; failures() tells why.
    QStringList failedPaths() const { return pathsOf(m_failures); }
    void setFailedPaths(const QStringList& paths);
    const QList<RemovalFailure>& failures() const { return m_failures; }

    // Every application when the search text is empty, else those whose
    // name holds it, letter case aside.
    QList<AppItem> filteredApps() const;
    QList<AppItem> selectedApps() const;
    QStringList filteredIds() const;
    QStringList selectedIds() const;
    int selectedCount() const;

    // Discovers the applications again; the later of two loads wins.
    Q_INVOKABLE void load();
    // Looks up the leftovers of one application and stores them in it.
    void loadAssociatedFiles(const AppItem& app);
    Q_INVOKABLE void loadAssociatedFiles(const QString& appId);
    void toggleSelect(const AppItem& app);
    Q_INVOKABLE void toggleSelect(const QString& appId);
    // Removes the selected applications with their selected leftovers.
    Q_INVOKABLE void uninstall();

signals:
    void appsChanged();
    void isLoadingChanged();
    void isUninstallingChanged();
    void searchTextChanged();
    void totalFreedChanged();
    void failedPathsChanged();

private:
    int rowOf(const QUuid& id) const;
    void finishLoad(QList<AppItem> apps);
    void finishAssociatedFiles(const QUuid& id, QList<FileItem> files);
    void finishUninstall(const AppUninstallService::UninstallResult& result);
    void setIsLoading(bool value);
    void setIsUninstalling(bool value);
    void setFailures(const QList<RemovalFailure>& failures);

    QList<AppItem> m_apps;
    AppListModel m_model;
    bool m_isLoading = false;
    bool m_isUninstalling = false;
    QString m_searchText;
    qint64 m_totalFreed = 0;
    QList<RemovalFailure> m_failures;
    AppUninstallService m_service;
};

} // namespace velk::cleaning
