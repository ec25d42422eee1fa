#pragma once

#include "platform/processes/ProcessHold.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velk::platform::processes {

// Per-process figures beyond the process list. Times are in ticks of the
// probe's timebase (see Timebase); each figure is absent when it cannot be
// read.
struct ProcessUsage {
    std::optional<std::uint64_t> footprintBytes;  // private resident memory
    std::optional<int> threads;
    std::optional<std::uint64_t> startTime;       // since boot
    std::optional<std::uint64_t> cpuTime;         // user plus system
    // Seconds since boot when cpuTime was read: a share of CPU is the time
    // used between two readings of one process over the time between them.
    std::optional<double> sampledAt;
};

// Converts the probe's ticks to nanoseconds: ticks × numer ÷ denom.
struct Timebase {
    std::uint32_t numer = 0;
    std::uint32_t denom = 0;
};

// One line of the process list with the process's figures, read together.
// `user` and `command` are the texts the process-list tool writes in its
// user and command cells.
struct ProcessRow {
    int pid = 0;
    int ppid = 0;
    QString user;
    std::uint64_t rssBytes = 0;
    QString command;
    ProcessUsage usage;
};

// Reads and signals the machine's processes.
class ProcessProbe {
public:
    virtual ~ProcessProbe() = default;

    virtual ProcessUsage usage(int pid) const = 0;
    // The whole process list with every process's figures, in pid order, read
    // in one pass; nothing when this probe has no list of its own (the
    // process-list tool and usage() then stand in).
    virtual std::optional<std::vector<ProcessRow>> processList() { return std::nullopt; }
    virtual Timebase timebase() const = 0;
    virtual int ownPid() const = 0;
    // Holds the process that has `pid` now, so that it and only it can be
    // signalled later; nothing for pid 0 or below and when no process has
    // that pid.
    virtual std::shared_ptr<ProcessHold> hold(int pid) = 0;

    static std::shared_ptr<ProcessProbe> createDefault();
    // Reads the processes below `procRoot` (a folder laid out like /proc).
    static std::shared_ptr<ProcessProbe> fromProc(const QString& procRoot, HoldMethod holds = HoldMethod::Pidfd);
};

} // namespace velk::platform::processes
