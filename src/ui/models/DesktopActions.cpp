#include "ui/models/DesktopActions.h"

namespace velk::models {

DesktopActions::DesktopActions(std::shared_ptr<platform::desktop::Workspace> workspace, QObject* parent)
    : QObject(parent)
    , m_workspace(std::move(workspace))
{
}

void DesktopActions::reveal(const QString& path) const
{
    if (!path.isEmpty())
        m_workspace->revealFiles({path});
}

bool DesktopActions::openUrl(const QUrl& address) const
{
    return m_workspace->openUrl(address);
}

bool DesktopActions::openApplication(const QString& path) const
{
    return !path.isEmpty() && m_workspace->openApplication(path);
}

} // namespace velk::models
