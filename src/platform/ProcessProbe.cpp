#include "platform/ProcessProbe.h"

#include "platform/ProcFiles.h"

#include <csignal>
#include <string>
#include <unistd.h>

namespace velk::platform {
namespace {

class ProcProcessProbe final : public ProcessProbe {
public:
    explicit ProcProcessProbe(const QString& procRoot) : m_root(procRoot.toStdString()) {}

    ProcessUsage usage(int pid) const override
    {
        ProcessUsage usage;
        if (pid <= 0)
            return usage;
        const std::string folder = m_root + '/' + std::to_string(pid);
        std::string text;
        if (procfiles::read(folder + "/stat", text)) {
            if (const auto stat = procfiles::parseStat(text)) {
                usage.startTime = stat->startTime;
                usage.cpuTime = stat->utime + stat->stime;
                if (stat->threads > 0 && stat->threads <= 0x7fffffff)
                    usage.threads = static_cast<int>(stat->threads);
            }
        }
        // statm: size resident shared ... in pages; resident less shared
        // (file-backed) pages is the memory the process alone holds.
        if (procfiles::read(folder + "/statm", text)) {
            const std::size_t a = text.find(' ');
            const std::size_t b = a == std::string::npos ? a : text.find(' ', a + 1);
            const std::size_t c = b == std::string::npos ? b : text.find(' ', b + 1);
            if (c != std::string::npos) {
                const auto resident = procfiles::parseUnsigned(std::string_view(text).substr(a + 1, b - a - 1));
                const auto shared = procfiles::parseUnsigned(std::string_view(text).substr(b + 1, c - b - 1));
                if (resident && shared)
                    usage.footprintBytes = (*resident > *shared ? *resident - *shared : 0) * procfiles::pageSize();
            }
        }
        return usage;
    }

    Timebase timebase() const override
    {
        // Ticks of /proc are clock ticks; 1e9 ÷ ticks per second is whole for
        // every value Linux uses (100, 250, 1000).
        return {static_cast<std::uint32_t>(1'000'000'000u / procfiles::ticksPerSecond()), 1};
    }

    int ownPid() const override { return static_cast<int>(::getpid()); }

    bool sendSignal(int pid, int signal) override { return ::kill(pid, signal) == 0; }

private:
    std::string m_root;
};

} // namespace

std::shared_ptr<ProcessProbe> ProcessProbe::createDefault()
{
    return fromProc(QStringLiteral("/proc"));
}

std::shared_ptr<ProcessProbe> ProcessProbe::fromProc(const QString& procRoot)
{
    return std::make_shared<ProcProcessProbe>(procRoot);
}

} // namespace velk::platform
