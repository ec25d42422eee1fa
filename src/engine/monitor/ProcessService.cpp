#include "engine/monitor/ProcessService.h"

#include "common/format/DecimalText.h"
#include "platform/host/HostProbe.h"
#include "platform/processes/ProcessListTool.h"
#include "platform/processes/ProcessProbe.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/processes/SocketListTool.h"
#include "platform/tools/ToolRunner.h"

#include <QStringList>
#include <cmath>
#include <csignal>

namespace velk::monitor {
namespace {

constexpr char16_t kSpace = u' ';

// Blanks other than line breaks.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c.category() == QChar::Separator_Space;
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Splits at spaces into at most `maxFields` fields: runs of spaces separate
// fields and leading spaces are skipped; the last field is everything after
// the space that ended the one before it.
std::vector<QStringView> splitFields(QStringView line, std::size_t maxFields)
{
    std::vector<QStringView> fields;
    qsizetype start = 0;
    qsizetype at = 0;
    while (at < line.size()) {
        if (line[at] == kSpace) {
            const bool appended = at > start;
            if (appended)
                fields.push_back(line.mid(start, at - start));
            ++at;
            start = at;
            if (appended && fields.size() == maxFields - 1)
                break;
            continue;
        }
        ++at;
    }
    if (start < line.size())
        fields.push_back(line.mid(start));
    return fields;
}

// The path and name of a row from the command cell of the process list.
void setPathAndName(ProcInfo& row, QString command)
{
    row.path = std::move(command);
    if (row.path.contains(u'/')) {
        row.name = ProcInfo::nameFromPath(row.path);
    } else {
        // A short name (a kernel thread's, "kworker/1:1") comes with its "/"
        // written as U+2215, which kept it whole; it shows "/" again.
        row.path.replace(QChar(0x2215), u'/');
        row.name = row.path;
    }
}

template <class Fn>
void forEachLine(QStringView text, Fn&& fn)
{
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(u'\n', at);
        if (end < 0)
            end = text.size();
        if (end > at)
            fn(text.mid(at, end - at));
        at = end + 1;
    }
}

} // namespace

QString ProcessService::run(const QString& tool, const QStringList& arguments)
{
    platform::tools::ToolRequest request;
    request.tool = tool;
    request.arguments = arguments;
    const platform::tools::ToolResult result = platform::core::service<platform::tools::ToolRunner>()->run(request);
    if (!result.launched)
        return {};
    return QString::fromUtf8(result.output);
}

std::optional<ProcessService::ListedProcess> ProcessService::parseProcessLine(QStringView line)
{
    const std::vector<QStringView> fields = splitFields(line, 6);
    if (fields.size() != 6)
        return std::nullopt;
    const auto pid = fmt::parseDecimal<std::int32_t>(fields[0]);
    const auto ppid = fmt::parseDecimal<std::int32_t>(fields[1]);
    if (!pid || !ppid)
        return std::nullopt;
    ListedProcess row;
    row.pid = *pid;
    row.ppid = *ppid;
    row.user = fields[2].toString();
    // Field 4 is the tool's own CPU figure; the CPU column comes from
    // CPU-time differences instead.
    const std::uint64_t kilobytes = fmt::parseDecimal<std::uint64_t>(fields[4]).value_or(0);
    row.rssBytes = kilobytes > UINT64_MAX / 1024 ? UINT64_MAX : kilobytes * 1024;
    row.path = trimBlanks(fields[5]).toString();
    return row;
}

std::vector<ProcInfo> ProcessService::processes(const PreviousRows& previous)
{
    const auto probe = platform::core::service<platform::processes::ProcessProbe>();
    const auto host = platform::core::service<platform::host::HostProbe>();
    const std::int32_t ownPid = probe->ownPid();
    const platform::processes::Timebase timebase = probe->timebase();

    std::vector<ProcInfo> rows;
    rows.reserve(1200);
    // Completes a row of the list with its figures and appends it.
    const auto add = [&](ListedProcess listed, const Metrics& m) {
        ProcInfo row;
        row.pid = listed.pid;
        row.ppid = listed.ppid;
        row.user = std::move(listed.user);
        row.rssBytes = listed.rssBytes;
        setPathAndName(row, std::move(listed.path));
        // The tools this program launches itself are not shown.
        if (row.ppid == ownPid && (row.name == u"ps" || row.name == u"lsof"))
            return;

        row.memoryBytes = m.memoryBytes;
        row.threads = m.threads;
        row.started = m.started;
        row.cpuTime = m.cpuTime;
        // A share is the CPU time used between this process's own two
        // readings over the time between them. A pass over every process
        // takes a while, long on a busy machine, so one time for the whole
        // list would stretch or shrink each process's interval. The clock
        // stands in where the probe does not say when it read the process.
        row.sampledAt = m.sampledAt ? *m.sampledAt : host->uptime();

        // A CPU figure needs the same process (start time and executable) in
        // the previous tick; a reused pid starts afresh.
        const auto before = previous.constFind(row.pid);
        if (before != previous.constEnd() && before->sameLifetime(row)) {
            if (const auto pct = cpuPercent(before->cpuTime, row.cpuTime, row.sampledAt - before->sampledAt,
                                            timebase.numer, timebase.denom)) {
                row.cpu = *pct;
                row.cpuAvailable = true;
            }
        }
        rows.push_back(std::move(row));
    };

    // Where the probe reads the list itself, its rows are taken as they are
    // rather than written out as the tool's text and parsed back.
    if (auto listed = probe->processList()) {
        for (platform::processes::ProcessRow& process : *listed) {
            const platform::processes::ProcessUsage& usage = process.usage;
            add({process.pid, process.ppid, std::move(process.user), process.rssBytes,
                 trimBlanks(process.command).toString()},
                {usage.footprintBytes, usage.threads, usage.startTime, usage.cpuTime, usage.sampledAt});
        }
        return rows;
    }

    // The process list is answered from /proc inside this process.
    platform::processes::registerProcessListTool();
    const QString output = run(QStringLiteral("/bin/ps"), {QStringLiteral("-axo"), QStringLiteral("pid=,ppid=,user=,pcpu=,rss=,comm=")});
    forEachLine(output, [&](QStringView line) {
        auto listed = parseProcessLine(line);
        if (!listed)
            return;
        const Metrics m = metrics(listed->pid);
        add(std::move(*listed), m);
    });
    return rows;
}

std::optional<double> ProcessService::cpuPercent(std::optional<std::uint64_t> before, std::optional<std::uint64_t> after,
                                                 double elapsed, std::uint32_t numer, std::uint32_t denom)
{
    if (!before || !after || *after < *before || !(elapsed > 0) || !std::isfinite(elapsed) || numer == 0 || denom == 0)
        return std::nullopt;
    const double nanoseconds = static_cast<double>(*after - *before) * numer / denom;
    return nanoseconds / 1'000'000'000.0 / elapsed * 100.0;
}

ProcessService::Metrics ProcessService::metrics(std::int32_t pid)
{
    if (pid <= 0)
        return {};
    const platform::processes::ProcessUsage usage = platform::core::service<platform::processes::ProcessProbe>()->usage(pid);
    return {usage.footprintBytes, usage.threads, usage.startTime, usage.cpuTime, usage.sampledAt};
}

std::vector<SocketEntry> ProcessService::sockets()
{
    // The socket listing is answered from the kernel inside this process.
    platform::processes::registerSocketListTool();
    return parseSockets(run(QStringLiteral("/usr/sbin/lsof"),
                            {QStringLiteral("-nP"), QStringLiteral("-i"), QStringLiteral("-Ts"), QStringLiteral("-F"),
                             QStringLiteral("pfPnT")}));
}

std::vector<SocketEntry> ProcessService::parseSockets(QStringView text)
{
    std::vector<SocketEntry> entries;
    std::int32_t pid = 0;
    QString fd;
    std::optional<QString> proto;
    std::optional<QStringView> name;
    QString state;

    const auto flush = [&] {
        if (proto && name) {
            SocketEntry entry;
            entry.pid = pid;
            entry.fd = fd;
            entry.proto = *proto;
            const qsizetype arrow = name->indexOf(u"->");
            if (arrow < 0) {
                entry.local = parseEndpoint(*name);
            } else {
                entry.local = parseEndpoint(name->left(arrow));
                QStringView rest = name->mid(arrow + 2);
                const qsizetype next = rest.indexOf(u"->");
                entry.remote = parseEndpoint(next < 0 ? rest : rest.left(next));
            }
            entry.state = state;
            entries.push_back(std::move(entry));
        }
        proto.reset();
        name.reset();
        state.clear();
    };

    forEachLine(text, [&](QStringView line) {
        const QChar tag = line.front();
        const QStringView value = line.mid(1);
        if (tag == u'p') {
            flush();
            pid = fmt::parseDecimal<std::int32_t>(value).value_or(0);
            fd.clear();
        } else if (tag == u'f') {
            flush();
            fd = value.toString();
        } else if (tag == u'P') {
            proto = value.toString();
        } else if (tag == u'n') {
            name = value;
        } else if (tag == u'T') {
            if (value.startsWith(u"ST="))
                state = value.mid(3).toString();
        }
    });
    flush();
    return entries;
}

NetEndpoint ProcessService::parseEndpoint(QStringView text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon < 0)
        return {text.toString(), std::nullopt};
    QStringView host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']') && host.size() >= 2)
        host = host.mid(1, host.size() - 2);
    return {host.toString(), fmt::parseDecimal<int>(text.mid(colon + 1))};
}

QHash<std::int32_t, int> ProcessService::machPorts()
{
    return parseMachPorts(run(QStringLiteral("/usr/bin/top"),
                              {QStringLiteral("-R"), QStringLiteral("-F"), QStringLiteral("-l"), QStringLiteral("1"),
                               QStringLiteral("-n"), QStringLiteral("100000"), QStringLiteral("-stats"),
                               QStringLiteral("pid,ports")}));
}

QHash<std::int32_t, int> ProcessService::parseMachPorts(QStringView text)
{
    QHash<std::int32_t, int> ports;
    forEachLine(text, [&](QStringView line) {
        std::vector<QStringView> words;
        qsizetype at = 0;
        while (at < line.size() && words.size() < 3) {
            while (at < line.size() && line[at].isSpace())
                ++at;
            const qsizetype start = at;
            while (at < line.size() && !line[at].isSpace())
                ++at;
            if (at > start)
                words.push_back(line.mid(start, at - start));
        }
        if (words.size() != 2)
            return;
        const auto pid = fmt::parseDecimal<std::int32_t>(words[0]);
        QString count = words[1].toString();
        count.remove(u'+');
        const auto n = fmt::parseDecimal<int>(count);
        if (pid && *pid >= 1 && n && *n >= 0)
            ports.insert(*pid, *n);
    });
    return ports;
}

std::shared_ptr<platform::processes::ProcessHold> ProcessService::hold(const ProcInfo& sampled)
{
    // kill() with 0 or a negative pid would signal whole process groups or
    // every process the user owns.
    if (sampled.pid <= 0 || !sampled.started)
        return nullptr;
    auto held = platform::core::service<platform::processes::ProcessProbe>()->hold(sampled.pid);
    // The start time was read once the hold was in place: when it is still
    // the sampled one, the hold has that process and no later one, whatever
    // program it runs now.
    if (!held || held->pid() != sampled.pid || held->startTime() != *sampled.started)
        return nullptr;
    return held;
}

QString ProcessService::heldName(const platform::processes::ProcessHold& process)
{
    ProcInfo live;
    setPathAndName(live, trimBlanks(process.command()).toString());
    return live.name;
}

platform::processes::SignalOutcome ProcessService::terminate(platform::processes::ProcessHold& process, bool force)
{
    return process.signal(force ? SIGKILL : SIGTERM);
}

} // namespace velk::monitor
