#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

namespace velk::platform::processes {

// What became of a signal sent to a held process.
struct SignalOutcome {
    enum class Status {
        Sent,     // the kernel took it
        Ended,    // the held process has gone; nothing was signalled
        Refused,  // the system refused it (`error`: EPERM, ...)
    };
    Status status = Status::Ended;
    int error = 0;

    friend bool operator==(const SignalOutcome&, const SignalOutcome&) = default;
};

// One process, held from the moment the hold was taken: signals reach that
// process while it runs and never a later one that was given its pid.
class ProcessHold {
public:
    ProcessHold(int pid, std::uint64_t startTime, QString command)
        : m_pid(pid)
        , m_startTime(startTime)
        , m_command(std::move(command))
    {
    }
    virtual ~ProcessHold() = default;

    int pid() const { return m_pid; }
    // The held process's start time (ticks since boot) and its command as
    // the process list writes it, both read once the hold was in place: a
    // caller compares them with what it sampled before.
    std::uint64_t startTime() const { return m_startTime; }
    const QString& command() const { return m_command; }

    virtual SignalOutcome signal(int signal) = 0;

private:
    int m_pid;
    std::uint64_t m_startTime;
    QString m_command;
};

// How a hold keeps its process on Linux.
enum class HoldMethod {
    // A pidfd (Linux 5.3 and later): the descriptor names the process itself.
    Pidfd,
    // Where pidfds are missing: the start time is read again just before
    // kill(), which leaves the few microseconds between the two.
    StartTimeCheck,
};

// Holds process `pid` of the /proc-like folder `procRoot`: a pidfd where the
// kernel has them (else the start-time check), then the process's identity
// read through the folder. Nothing for pid 0 or below and for a pid that
// names no process.
std::shared_ptr<ProcessHold> holdProcess(const std::string& procRoot, int pid, HoldMethod method = HoldMethod::Pidfd);

} // namespace velk::platform::processes
