#include "platform/locations/Locations.h"

#include "platform/core/CurrentUser.h"
#include "platform/locations/LocationPaths.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::platform::locations {

QString Locations::resolve(const QString& location) const
{
    const QStringList all = resolveAll(location);
    if (!all.isEmpty())
        return all.first();
    const auto parsed = locationpaths::parse(location);
    return parsed && parsed->inHome ? locationpaths::join(home(), parsed->path) : location;
}

QString Locations::locationFor(const QString&) const
{
    return {};
}

QString Locations::configHome() const
{
    return locationpaths::join(home(), QStringLiteral("/.config"));
}

QString Locations::dataHome() const
{
    return locationpaths::join(home(), QStringLiteral("/.local/share"));
}

QString Locations::cacheHome() const
{
    return locationpaths::join(home(), QStringLiteral("/Library/Caches"));
}

QString Locations::stateHome() const
{
    return locationpaths::join(home(), QStringLiteral("/.local/state"));
}

QList<Locations::UserFolder> Locations::userFolders() const
{
    QList<UserFolder> folders;
    for (const char* name : {"/Desktop", "/Documents", "/Downloads", "/Movies", "/Music", "/Pictures", "/Public"})
        folders.append({u'~' + QString::fromLatin1(name), locationpaths::join(home(), QString::fromLatin1(name))});
    return folders;
}

std::shared_ptr<Locations> Locations::createDefault()
{
    return linuxProfile(core::service<core::CurrentUser>()->homePath());
}

} // namespace velk::platform::locations
