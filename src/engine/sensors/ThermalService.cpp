#include "engine/sensors/ThermalService.h"

#include "engine/sensors/SensorsEngine.h"

namespace velk::sensors {

ThermalStats ThermalService::snapshot()
{
    return SensorsEngine::shared().thermalSnapshot();
}

} // namespace velk::sensors
