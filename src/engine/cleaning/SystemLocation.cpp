#include "engine/cleaning/SystemLocation.h"

#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::cleaning {

bool SystemLocation::isSystem(const QString& path)
{
    namespace lp = platform::locations::locationpaths;
    const auto locations = platform::core::service<platform::locations::Locations>();
    QString clean = lp::cleanAbsolute(path);
    if (clean.isEmpty())
        return false;
    const QString noFollow = locations->resolve(QStringLiteral("/.nofollow"));
    if (lp::isAtOrBelow(clean, noFollow))
        clean = lp::join(locations->resolve(QStringLiteral("/")), lp::remainder(clean, noFollow));
    return locations->isOperatingSystemPath(clean);
}

} // namespace velk::cleaning
