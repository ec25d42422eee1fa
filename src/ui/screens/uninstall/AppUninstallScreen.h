#pragma once

#include "engine/cleaning/AppListModel.h"
#include "engine/cleaning/AppUninstallViewModel.h"
#include "ui/models/RemovalWords.h"
#include "ui/screens/uninstall/AppOrder.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The App Uninstall screen's own state over its view model: the sort order
// and the list it gives (the view model's search result, stably sorted),
// and the header's figures over all applications, whatever the search.
//
// The shown list is brought to each new result by keyed updates, so rows
// keep their place in the view, and what the view keeps per row (an open
// leftover panel, a loaded icon), across sorting, searching and selecting.
class AppUninstallScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::cleaning::AppUninstallViewModel* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(SortMode sortMode READ sortMode WRITE setSortMode NOTIFY sortModeChanged)
    Q_PROPERTY(velk::lists::ListModel* displayedApps READ displayedApps CONSTANT)
    Q_PROPERTY(int appCount READ appCount NOTIFY appsChanged)
    // Bundle bytes over all applications (their leftovers not counted).
    Q_PROPERTY(double totalBundleSize READ totalBundleSize NOTIFY appsChanged)
    // The view model's freed bytes as a number QML can compare and format.
    Q_PROPERTY(double totalFreed READ totalFreed NOTIFY totalFreedChanged)
    // The paths the last uninstall left, in the view model's order: a line
    // each with why it stayed (removalwords::failureLines).
    Q_PROPERTY(QString failureLines READ failureLines NOTIFY failedPathsChanged)
    Q_PROPERTY(QString failureLinesEnglish READ failureLinesEnglish NOTIFY failedPathsChanged)

public:
    // In the order of the sort control's buttons.
    enum SortMode { Size, RecentInstall, Name };
    Q_ENUM(SortMode)

    explicit AppUninstallScreen(QObject* parent = nullptr);

    cleaning::AppUninstallViewModel* viewModel() const { return m_viewModel; }
    void setViewModel(cleaning::AppUninstallViewModel* viewModel);
    SortMode sortMode() const { return m_sortMode; }
    void setSortMode(SortMode mode);
    lists::ListModel* displayedApps() { return &m_displayed; }
    int appCount() const;
    double totalBundleSize() const;
    double totalFreed() const { return m_viewModel ? double(m_viewModel->totalFreed()) : 0; }
    QString failureLines() const { return failureText().zh; }
    QString failureLinesEnglish() const { return failureText().en; }
    models::WordPair failureText() const
    {
        return m_viewModel ? models::removalwords::failureLines(m_viewModel->failures()) : models::WordPair{};
    }

    // The screen came into the window: the applications are discovered
    // when none are listed.
    Q_INVOKABLE void appear();

signals:
    void viewModelChanged();
    void sortModeChanged();
    void appsChanged();
    void totalFreedChanged();
    void failedPathsChanged();

private:
    void refresh();

    QPointer<cleaning::AppUninstallViewModel> m_viewModel;
    QMetaObject::Connection m_connections[3];
    SortMode m_sortMode = Size;
    cleaning::AppRowsModel m_displayed;
};

} // namespace velk::screens
