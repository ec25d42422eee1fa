#pragma once

#include "platform/processes/ProcessProbe.h"

#include <QHash>
#include <utility>
#include <vector>

namespace velk::test {

// Process probe double: per-pid figures set by the test, a fixed timebase
// and own pid, the processes a hold can be taken on, and a record of every
// signal that reached one of them (none is delivered).
class FakeProcessProbe final : public platform::processes::ProcessProbe,
                               public std::enable_shared_from_this<FakeProcessProbe> {
public:
    // A running process: its start time and its command as listed.
    struct Running {
        std::uint64_t startTime = 0;
        QString command;
        friend bool operator==(const Running&, const Running&) = default;
    };

    QHash<int, platform::processes::ProcessUsage> usages;
    // The probe's own process list; without one, callers use the list tool.
    std::optional<std::vector<platform::processes::ProcessRow>> list;
    platform::processes::Timebase base{1, 1};  // ticks are nanoseconds
    int pid = 4242;
    // The processes running now, by pid. A hold reaches its process only
    // while this names the same one: another start time makes a newcomer of
    // the pid, another command alone is the process running another program,
    // removing the entry ends the process.
    QHash<int, Running> running;
    // What a signal to a running process comes to.
    platform::processes::SignalOutcome outcome{platform::processes::SignalOutcome::Status::Sent, 0};
    std::vector<std::pair<int, int>> sent;  // (pid, signal)
    std::vector<int> holdQueries;
    mutable std::vector<int> usageQueries;

    platform::processes::ProcessUsage usage(int p) const override
    {
        usageQueries.push_back(p);
        return usages.value(p);
    }
    std::optional<std::vector<platform::processes::ProcessRow>> processList() override { return list; }
    platform::processes::Timebase timebase() const override { return base; }
    int ownPid() const override { return pid; }

    std::shared_ptr<platform::processes::ProcessHold> hold(int p) override
    {
        holdQueries.push_back(p);
        const auto it = running.constFind(p);
        if (p <= 0 || it == running.cend())
            return nullptr;
        return std::make_shared<Hold>(weak_from_this(), p, *it);
    }

private:
    class Hold final : public platform::processes::ProcessHold {
    public:
        Hold(std::weak_ptr<FakeProcessProbe> probe, int p, const Running& process)
            : ProcessHold(p, process.startTime, process.command)
            , m_probe(std::move(probe))
        {
        }
        platform::processes::SignalOutcome signal(int signal) override
        {
            const auto probe = m_probe.lock();
            if (!probe || !probe->running.contains(pid()) || probe->running.value(pid()).startTime != startTime())
                return {platform::processes::SignalOutcome::Status::Ended, 0};
            probe->sent.emplace_back(pid(), signal);
            return probe->outcome;
        }

    private:
        std::weak_ptr<FakeProcessProbe> m_probe;
    };
};

} // namespace velk::test
