#include "engine/cleaning/FullDiskAccess.h"

#include "platform/desktop/FullDiskAccessProbe.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::cleaning {

bool FullDiskAccess::isGranted()
{
    return platform::core::service<platform::desktop::FullDiskAccessProbe>()->isGranted();
}

} // namespace velk::cleaning
