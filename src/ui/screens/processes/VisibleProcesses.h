#pragma once

#include "engine/monitor/ProcSort.h"
#include "engine/monitor/SystemMonitor.h"

#include <QString>
#include <vector>

namespace velk::screens {

// What the process list shows: the monitor's processes that pass the
// listening filter and the search, stably sorted by `sort`, so processes that
// compare equal keep the monitor's order.
struct ProcessFilter {
    monitor::ProcSort sort = monitor::ProcSort::cpu;
    QString search;
    bool onlyListening = false;
};

// `listening` holds the listening ports by pid of the last socket sample;
// with the filter on, a process is shown only when it has an entry there.
std::vector<monitor::ProcInfo> visibleProcesses(const std::vector<monitor::ProcInfo>& processes, const monitor::PortListMap& listening,
                                       const ProcessFilter& filter);

// The pids of `processes`, in order.
QList<qint32> pidsOf(const std::vector<monitor::ProcInfo>& processes);

} // namespace velk::screens
