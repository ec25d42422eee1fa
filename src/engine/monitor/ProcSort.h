#pragma once

#include "engine/monitor/ProcInfo.h"

#include <QList>
#include <QUuid>
#include <cstdint>
#include <functional>
#include <optional>

namespace velk::monitor {

// Sort keys of the process table: cpu, memory, threads and pid descending,
// name ascending.
enum class ProcSort { cpu, mem, threads, pid, name };

// True when `a` sorts before `b` under `sort`.
std::function<bool(const ProcInfo& a, const ProcInfo& b)> comparator(ProcSort sort);

// A request to open the Processes screen at a sort key and, optionally, a
// process. Every request is new, even with the same sort and pid.
struct ProcessNavigationRequest {
    QUuid id;
    ProcSort sort = ProcSort::cpu;
    std::optional<std::int32_t> pid;

    ProcessNavigationRequest(ProcSort sortKey, std::optional<std::int32_t> processId)
        : id(QUuid::createUuid()), sort(sortKey), pid(processId)
    {
    }

    friend bool operator==(const ProcessNavigationRequest&, const ProcessNavigationRequest&) = default;
};

class ProcessSelection {
public:
    // The requested pid when given; else the current selection while it is
    // visible; else none.
    static std::optional<std::int32_t> choose(std::optional<std::int32_t> selected, const QList<std::int32_t>& visible,
                                              std::optional<std::int32_t> requested);
};

} // namespace velk::monitor
