#include "engine/cleaning/FullDiskAccess.h"

#include "platform/FullDiskAccessProbe.h"
#include "platform/ServiceRegistry.h"

namespace velk {

bool FullDiskAccess::isGranted()
{
    return platform::service<platform::FullDiskAccessProbe>()->isGranted();
}

} // namespace velk
