#include "platform/processes/ProcessHold.h"

#include "platform/core/UniqueFd.h"
#include "platform/processes/ProcessTable.h"

#include <QLoggingCategory>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

Q_LOGGING_CATEGORY(processesLog, "velk.platform.processes")

SignalOutcome outcomeOfError(int error)
{
    if (error == ESRCH)
        return {SignalOutcome::Status::Ended, 0};
    return {SignalOutcome::Status::Refused, error};
}

class LinuxProcessHold final : public ProcessHold {
public:
    LinuxProcessHold(int pid, ProcessIdentity identity, core::UniqueFd pidfd, core::UniqueFd rootFd)
        : ProcessHold(pid, identity.startTime, QString::fromStdString(identity.command))
        , m_pidfd(std::move(pidfd))
        , m_rootFd(std::move(rootFd))
    {
    }

    SignalOutcome signal(int signal) override
    {
        if (m_pidfd.isOpen()) {
            if (::syscall(SYS_pidfd_send_signal, m_pidfd.get(), signal, nullptr, 0u) == 0)
                return {SignalOutcome::Status::Sent, 0};
            return outcomeOfError(errno);
        }
        // Without a pidfd the pid is checked again as late as possible: a
        // process that ended and whose pid was given to another since the
        // hold was taken has another start time.
        const auto now = readProcessStartTime(m_rootFd.get(), pid(), m_buffer);
        if (!now || *now != startTime())
            return {SignalOutcome::Status::Ended, 0};
        if (::kill(pid(), signal) == 0)
            return {SignalOutcome::Status::Sent, 0};
        return outcomeOfError(errno);
    }

private:
    core::UniqueFd m_pidfd;
    core::UniqueFd m_rootFd;
    std::string m_buffer;
};

} // namespace

std::shared_ptr<ProcessHold> holdProcess(const std::string& procRoot, int pid, HoldMethod method)
{
    // kill() with 0 or a negative pid would signal whole process groups or
    // every process the user owns.
    if (pid <= 0)
        return nullptr;
    core::UniqueFd pidfd;
    if (method == HoldMethod::Pidfd) {
        pidfd.reset(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0u)));
        if (!pidfd.isOpen()) {
            const int error = errno;
            if (error == ESRCH)
                return nullptr;
            qCInfo(processesLog, "no pidfd for process %d (%s); its start time is checked before the signal", pid,
                   std::strerror(error));
        }
    }
    core::UniqueFd rootFd(::open(procRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!rootFd.isOpen())
        return nullptr;
    // Read once the pidfd is open: if this is still the process sampled
    // before, the pidfd names it.
    std::string buffer;
    auto identity = readProcessIdentity(rootFd.get(), pid, buffer);
    if (!identity)
        return nullptr;
    return std::make_shared<LinuxProcessHold>(pid, std::move(*identity), std::move(pidfd), std::move(rootFd));
}

} // namespace velk::platform::processes
