#include "engine/monitor/MonitorSnapshot.h"

namespace velk::monitor {

MonitorSnapshot gatherSnapshot(MonitorSources& sources, const ProcessMap& previous, bool withSockets,
                               bool withMachPorts)
{
    MonitorSnapshot snapshot;
    snapshot.processes = sources.processes(previous);
    if (withSockets)
        snapshot.sockets = sources.sockets();
    if (withMachPorts)
        snapshot.machPorts = sources.machPorts();
    snapshot.ticks = sources.ticks();
    snapshot.mem = sources.memory();
    snapshot.disk = sources.disk();
    snapshot.uptime = sources.uptime();
    snapshot.thermal = sources.thermal();
    return snapshot;
}

} // namespace velk::monitor
