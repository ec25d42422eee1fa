#include "engine/cleaning/SystemLocation.h"

#include "platform/LocationPaths.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"

namespace velk {

bool SystemLocation::isSystem(const QString& path)
{
    namespace lp = platform::locationpaths;
    const auto locations = platform::service<platform::Locations>();
    QString clean = lp::cleanAbsolute(path);
    if (clean.isEmpty())
        return false;
    const QString noFollow = locations->resolve(QStringLiteral("/.nofollow"));
    if (lp::isAtOrBelow(clean, noFollow))
        clean = lp::join(locations->resolve(QStringLiteral("/")), lp::remainder(clean, noFollow));
    return locations->isOperatingSystemPath(clean);
}

} // namespace velk
