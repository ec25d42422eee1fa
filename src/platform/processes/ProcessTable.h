#pragma once

#include "platform/core/UniqueFd.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velk::platform::processes {

// One process as read from a folder laid out like /proc.
struct ProcessRecord {
    int pid = 0;
    int ppid = 0;
    unsigned uid = 0;             // the effective user
    std::string user;             // its name, or the uid in decimal when it has none
    // The executable's full path where it can be read, else the first
    // argument when that is an absolute path, else the short name (a "/" in it
    // written as U+2215, and bracketed for a process without a command line).
    std::string command;
    std::uint64_t rssPages = 0;   // resident set size, exact
    std::uint64_t cpuTicks = 0;   // user plus system, in clock ticks
    double sampledAt = 0;         // seconds since boot when cpuTicks was read
    std::uint64_t startTime = 0;  // clock ticks after boot
    std::int64_t threads = 0;
    std::optional<std::uint64_t> footprintBytes;  // resident less file-backed pages
};

// Reads every process of a /proc-like folder in one pass, at the cost of
// as few system calls as the kernel allows: the folder stays open and each
// process file is opened relative to it and read once; the user comes from
// the owner of the process's folder; the executable path is kept while the
// process runs the same program. Safe to call from several threads (one pass
// at a time).
class ProcessTable {
public:
    // Seconds since boot; the kernel's uptime clock unless a test passes a
    // clock of its own.
    using Clock = std::function<double()>;

    explicit ProcessTable(std::string root, Clock clock = {});

    // The processes in pid order. `footprint` also reads each one's memory
    // footprint. A process that ends while being read is left out. Each
    // process's CPU time comes with the clock's reading taken as it was read:
    // a pass takes a while, and longer when the machine is busy.
    std::vector<ProcessRecord> read(bool footprint);

private:
    // What tells, without reading anything more, that a process now runs
    // another program: the kernel sets where its code and stack lie anew on
    // each exec (the stack's place at random), and its code's size with them.
    // A reader not allowed to inspect the process is told the size alone, so
    // there an exec of a program of the same short name whose code takes as
    // many pages goes unseen, and the process keeps the command read before.
    struct ProgramMark {
        std::uint64_t startCode = 0;
        std::uint64_t endCode = 0;
        std::uint64_t startStack = 0;
        std::uint64_t textPages = 0;
        friend bool operator==(const ProgramMark&, const ProgramMark&) = default;
    };

    // What is kept of a process from one pass to the next. A process is the
    // same one running the same program while its pid, start time, short
    // name and program mark stay (a launcher script that execs its program
    // keeps the short name).
    struct Known {
        std::uint64_t startTime = 0;
        std::string comm;
        ProgramMark program;
        std::string command;
        // The effective user read from the status file while the folder was
        // owned by root (a process that may not be inspected shows root as
        // the owner whoever runs it).
        std::optional<unsigned> rootOwnedUid;
    };

    bool openRoot();
    std::optional<ProcessRecord> readOne(int pid, bool footprint, std::unordered_map<int, Known>& seen);
    std::optional<unsigned> effectiveUidFromStatus(int pid);
    const std::string& userName(unsigned uid);

    std::mutex m_mutex;
    std::string m_root;
    Clock m_clock;
    core::UniqueFd m_rootFd;
    std::string m_buffer;
    std::string m_listing;
    std::unordered_map<int, Known> m_known;
    std::unordered_map<unsigned, std::string> m_users;
    std::chrono::steady_clock::time_point m_usersReadAt;
};

// The short name of a process whose executable is unknown (see
// ProcessRecord::command).
std::string processShortName(const std::string& comm, bool hasCommandLine);

// The command of process `pid` of the /proc-like folder open at `procRootFd`
// as ProcessRecord::command has it, for a process that is no kernel thread;
// `comm` is its short name and `buffer` a reused read buffer.
std::string processCommand(int procRootFd, int pid, const std::string& comm, std::string& buffer);

// What tells one process from a later one that is given its pid: its start
// time and its command, read now.
struct ProcessIdentity {
    std::uint64_t startTime = 0;  // clock ticks after boot
    std::string command;          // as ProcessRecord::command
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};
// Nothing when no process has that pid.
std::optional<ProcessIdentity> readProcessIdentity(int procRootFd, int pid, std::string& buffer);
// The start time alone, in one read of the process's stat file.
std::optional<std::uint64_t> readProcessStartTime(int procRootFd, int pid, std::string& buffer);

} // namespace velk::platform::processes
