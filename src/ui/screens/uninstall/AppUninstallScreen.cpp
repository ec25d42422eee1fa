#include "ui/screens/uninstall/AppUninstallScreen.h"

namespace velk::screens {
namespace {

AppSortMode orderOf(AppUninstallScreen::SortMode mode)
{
    switch (mode) {
    case AppUninstallScreen::Size: return AppSortMode::size;
    case AppUninstallScreen::RecentInstall: return AppSortMode::recentInstall;
    case AppUninstallScreen::Name: return AppSortMode::name;
    }
    return AppSortMode::size;
}

} // namespace

AppUninstallScreen::AppUninstallScreen(QObject* parent)
    : QObject(parent)
{
}

void AppUninstallScreen::setViewModel(cleaning::AppUninstallViewModel* viewModel)
{
    if (m_viewModel == viewModel)
        return;
    for (QMetaObject::Connection& connection : m_connections)
        disconnect(connection);
    m_viewModel = viewModel;
    if (viewModel) {
        m_connections[0] = connect(viewModel, &cleaning::AppUninstallViewModel::appsChanged, this, &AppUninstallScreen::refresh);
        m_connections[1] = connect(viewModel, &cleaning::AppUninstallViewModel::totalFreedChanged, this,
                                   &AppUninstallScreen::totalFreedChanged);
        m_connections[2] = connect(viewModel, &cleaning::AppUninstallViewModel::failedPathsChanged, this,
                                   &AppUninstallScreen::failedPathsChanged);
    }
    emit viewModelChanged();
    emit totalFreedChanged();
    emit failedPathsChanged();
    refresh();
}

void AppUninstallScreen::setSortMode(SortMode mode)
{
    if (m_sortMode == mode)
        return;
    m_sortMode = mode;
    emit sortModeChanged();
    refresh();
}

int AppUninstallScreen::appCount() const
{
    return m_viewModel ? int(m_viewModel->apps().size()) : 0;
}

double AppUninstallScreen::totalBundleSize() const
{
    qint64 total = 0;
    if (m_viewModel) {
        for (const cleaning::AppItem& app : m_viewModel->apps())
            total += app.diskSize;
    }
    return double(total);
}

void AppUninstallScreen::appear()
{
    if (m_viewModel && m_viewModel->apps().isEmpty())
        m_viewModel->load();
}

void AppUninstallScreen::refresh()
{
    m_displayed.update(m_viewModel ? sortedApps(m_viewModel->filteredApps(), orderOf(m_sortMode)) : QList<cleaning::AppItem>());
    emit appsChanged();
}

} // namespace velk::screens
