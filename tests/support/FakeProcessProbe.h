#pragma once

#include "platform/processes/ProcessProbe.h"

#include <QHash>
#include <utility>
#include <vector>

namespace velk::test {

// Process probe double: per-pid figures set by the test, a fixed timebase
// and own pid, and a record of every signal sent (none is delivered).
class FakeProcessProbe final : public platform::processes::ProcessProbe {
public:
    QHash<int, platform::processes::ProcessUsage> usages;
    // The probe's own process list; without one, callers use the list tool.
    std::optional<std::vector<platform::processes::ProcessRow>> list;
    platform::processes::Timebase base{1, 1};  // ticks are nanoseconds
    int pid = 4242;
    bool signalResult = true;
    std::vector<std::pair<int, int>> sent;  // (pid, signal)
    mutable std::vector<int> usageQueries;

    platform::processes::ProcessUsage usage(int p) const override
    {
        usageQueries.push_back(p);
        return usages.value(p);
    }
    std::optional<std::vector<platform::processes::ProcessRow>> processList() override { return list; }
    platform::processes::Timebase timebase() const override { return base; }
    int ownPid() const override { return pid; }
    bool sendSignal(int p, int signal) override
    {
        sent.emplace_back(p, signal);
        return signalResult;
    }
};

} // namespace velk::test
