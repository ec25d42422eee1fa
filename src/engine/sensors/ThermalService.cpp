#include "engine/sensors/ThermalService.h"

namespace velk {

ThermalStats ThermalService::snapshot()
{
    // No sensor controller is read yet: the answer is the one for a machine
    // without a controller, no temperature and no fans.
    return ThermalStats::empty();
}

} // namespace velk
