#include "engine/cleaning/FullDiskAccess.h"

#include "platform/desktop/FullDiskAccessProbe.h"
#include "platform/core/ServiceRegistry.h"

namespace velk {

bool FullDiskAccess::isGranted()
{
    return platform::core::service<platform::desktop::FullDiskAccessProbe>()->isGranted();
}

} // namespace velk
