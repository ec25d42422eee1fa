#include "platform/processes/ProcessProbe.h"

#include "platform/core/Clock.h"
#include "platform/files/ProcFiles.h"
#include "platform/processes/ProcessListTool.h"
#include "platform/processes/ProcessTable.h"

#include <string>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

class ProcProcessProbe final : public ProcessProbe {
public:
    ProcProcessProbe(const QString& procRoot, HoldMethod holds)
        : m_root(procRoot.toStdString())
        , m_table(m_root)
        , m_holds(holds)
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
        if (files::procfiles::read(folder + "/statm", text)) {
            if (const auto statm = files::procfiles::parseStatm(text))
                usage.footprintBytes =
                    statm->footprintPages() * files::procfiles::pageSize();
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

    std::shared_ptr<ProcessHold> hold(int pid) override { return holdProcess(m_root, pid, m_holds); }

private:
    std::string m_root;
    ProcessTable m_table;
    HoldMethod m_holds;
};

} // namespace

std::shared_ptr<ProcessProbe> ProcessProbe::createDefault()
{
    return fromProc(QStringLiteral("/proc"));
}

std::shared_ptr<ProcessProbe> ProcessProbe::fromProc(const QString& procRoot, HoldMethod holds)
{
    return std::make_shared<ProcProcessProbe>(procRoot, holds);
}

} // namespace velk::platform::processes
