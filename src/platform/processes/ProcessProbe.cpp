#include "platform/processes/ProcessProbe.h"

#include "platform/core/Clock.h"
#include "platform/files/ProcFiles.h"
#include "platform/processes/ProcessListTool.h"
#include "platform/processes/ProcessTable.h"

#include <csignal>
#include <string>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

class ProcProcessProbe final : public ProcessProbe {
public:
    explicit ProcProcessProbe(const QString& procRoot)
        : m_root(procRoot.toStdString())
        , m_table(m_root)
    {
    }

    std::optional<std::vector<ProcessRow>> processList() override
    {
        std::vector<ProcessRow> rows;
        const std::vector<ProcessRecord> records = m_table.read(true);
        rows.reserve(records.size());
        for (const ProcessRecord& record : records) {
            ProcessRow row;
            row.pid = record.pid;
            row.ppid = record.ppid;
            row.user = QString::fromStdString(processListUser(record));
            const std::uint64_t kilobytes = processListRssKb(record);
            row.rssBytes = kilobytes > UINT64_MAX / 1024 ? UINT64_MAX : kilobytes * 1024;
            row.command = QString::fromStdString(processListCommand(record));
            row.usage.footprintBytes = record.footprintBytes;
            row.usage.startTime = record.startTime;
            row.usage.cpuTime = record.cpuTicks;
            row.usage.sampledAt = record.sampledAt;
            if (record.threads > 0 && record.threads <= 0x7fffffff)
                row.usage.threads = static_cast<int>(record.threads);
            rows.push_back(std::move(row));
        }
        return rows;
    }

    ProcessUsage usage(int pid) const override
    {
        ProcessUsage usage;
        if (pid <= 0)
            return usage;
        const std::string folder = m_root + '/' + std::to_string(pid);
        std::string text;
        if (files::procfiles::read(folder + "/stat", text)) {
            const double sampledAt = core::secondsSinceBoot();
            if (const auto stat = files::procfiles::parseStat(text)) {
                usage.startTime = stat->startTime;
                usage.cpuTime = stat->utime + stat->stime;
                usage.sampledAt = sampledAt;
                if (stat->threads > 0 && stat->threads <= 0x7fffffff)
                    usage.threads = static_cast<int>(stat->threads);
            }
        }
        // statm: size resident shared ... in pages; resident less shared
        // (file-backed) pages is the memory the process alone holds.
        if (files::procfiles::read(folder + "/statm", text)) {
            const std::size_t a = text.find(' ');
            const std::size_t b = a == std::string::npos ? a : text.find(' ', a + 1);
            const std::size_t c = b == std::string::npos ? b : text.find(' ', b + 1);
            if (c != std::string::npos) {
                const auto resident = files::procfiles::parseUnsigned(std::string_view(text).substr(a + 1, b - a - 1));
                const auto shared = files::procfiles::parseUnsigned(std::string_view(text).substr(b + 1, c - b - 1));
                if (resident && shared)
                    usage.footprintBytes = (*resident > *shared ? *resident - *shared : 0) * files::procfiles::pageSize();
            }
        }
        return usage;
    }

    Timebase timebase() const override
    {
        // Ticks of /proc are clock ticks; 1e9 ÷ ticks per second is whole for
        // every value Linux uses (100, 250, 1000).
        return {static_cast<std::uint32_t>(1'000'000'000u / files::procfiles::ticksPerSecond()), 1};
    }

    int ownPid() const override { return static_cast<int>(::getpid()); }

    bool sendSignal(int pid, int signal) override { return ::kill(pid, signal) == 0; }

private:
    std::string m_root;
    ProcessTable m_table;
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

} // namespace velk::platform::processes
