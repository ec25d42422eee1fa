#include "engine/monitor/ProcSort.h"

#include "platform/core/NameOrder.h"

namespace velk::monitor {

std::function<bool(const ProcInfo&, const ProcInfo&)> comparator(ProcSort sort)
{
    switch (sort) {
    case ProcSort::cpu:
        return [](const ProcInfo& a, const ProcInfo& b) { return a.cpu > b.cpu; };
    case ProcSort::mem:
        return [](const ProcInfo& a, const ProcInfo& b) { return a.memoryBytes.value_or(0) > b.memoryBytes.value_or(0); };
    case ProcSort::threads:
        return [](const ProcInfo& a, const ProcInfo& b) { return a.threads.value_or(-1) > b.threads.value_or(-1); };
    case ProcSort::pid:
        return [](const ProcInfo& a, const ProcInfo& b) { return a.pid > b.pid; };
    case ProcSort::name:
        return [](const ProcInfo& a, const ProcInfo& b) { return platform::core::compareCaseInsensitive(a.name, b.name) < 0; };
    }
    return [](const ProcInfo&, const ProcInfo&) { return false; };
}

std::optional<std::int32_t> ProcessSelection::choose(std::optional<std::int32_t> selected,
                                                     const QList<std::int32_t>& visible,
                                                     std::optional<std::int32_t> requested)
{
    if (requested)
        return requested;
    if (selected && visible.contains(*selected))
        return selected;
    return std::nullopt;
}

} // namespace velk::monitor
