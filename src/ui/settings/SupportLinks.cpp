#include "ui/settings/SupportLinks.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/desktop/Workspace.h"

namespace velk::settings {

QUrl SupportLinks::repository()
{
    return QUrl(QStringLiteral(VELK_REPOSITORY_URL));
}

QUrl SupportLinks::feedback()
{
    return QUrl(QStringLiteral(VELK_FEEDBACK_URL));
}

bool SupportLinks::open(const QUrl& url) const
{
    return platform::core::service<platform::desktop::Workspace>()->openUrl(url);
}

} // namespace velk::settings
