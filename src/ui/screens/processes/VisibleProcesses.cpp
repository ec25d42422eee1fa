#include "ui/screens/processes/VisibleProcesses.h"

#include <algorithm>

namespace velk::screens {

std::vector<monitor::ProcInfo> visibleProcesses(const std::vector<monitor::ProcInfo>& processes, const monitor::PortListMap& listening,
                                       const ProcessFilter& filter)
{
    std::vector<monitor::ProcInfo> kept;
    kept.reserve(processes.size());
    for (const monitor::ProcInfo& p : processes) {
        if (filter.onlyListening && !listening.contains(p.pid))
            continue;
        if (p.matches(filter.search))
            kept.push_back(p);
    }
    std::stable_sort(kept.begin(), kept.end(), comparator(filter.sort));
    return kept;
}

QList<qint32> pidsOf(const std::vector<monitor::ProcInfo>& processes)
{
    QList<qint32> pids;
    pids.reserve(static_cast<qsizetype>(processes.size()));
    for (const monitor::ProcInfo& p : processes)
        pids.append(p.pid);
    return pids;
}

} // namespace velk::screens
