#include "platform/processes/ProcessListTool.h"

#include "platform/files/ProcFiles.h"
#include "platform/processes/ProcessTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <mutex>
#include <string>
#include <vector>

namespace velk::platform::processes {
namespace {

enum class Column { Pid, Ppid, User, Pcpu, Rss, Comm };

struct ColumnFormat {
    Column column;
    std::string header;
    bool rightAligned;
    int width;
};

std::optional<ColumnFormat> columnFor(const QString& key, const std::optional<QString>& header)
{
    struct Known {
        const char* key;
        Column column;
        const char* header;
        bool right;
        int width;
    };
    static const Known known[] = {
        {"pid", Column::Pid, "PID", true, 7},    {"ppid", Column::Ppid, "PPID", true, 7},
        {"user", Column::User, "USER", false, 8}, {"pcpu", Column::Pcpu, "%CPU", true, 4},
        {"rss", Column::Rss, "RSS", true, 6},     {"comm", Column::Comm, "COMM", false, 0},
    };
    for (const Known& k : known) {
        if (key == QLatin1String(k.key))
            return ColumnFormat{k.column, header ? header->toStdString() : std::string(k.header), k.right, k.width};
    }
    return std::nullopt;
}

// Reads the column list of "-axo a=,b=" or "-ax -o a=,b=".
std::optional<std::vector<ColumnFormat>> parseRequest(const QStringList& args)
{
    bool otherUsers = false;    // -a
    bool withoutTerminal = false;  // -x
    std::optional<QString> format;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.size() < 2 || arg[0] != u'-')
            return std::nullopt;
        for (qsizetype j = 1; j < arg.size(); ++j) {
            const QChar c = arg[j];
            if (c == u'a') {
                otherUsers = true;
            } else if (c == u'x') {
                withoutTerminal = true;
            } else if (c == u'o') {
                // The rest of this argument, or else the next one, is the list.
                if (j + 1 < arg.size())
                    format = arg.mid(j + 1);
                else if (i + 1 < args.size())
                    format = args[++i];
                else
                    return std::nullopt;
                break;
            } else {
                return std::nullopt;
            }
        }
    }
    if (!otherUsers || !withoutTerminal || !format || format->isEmpty())
        return std::nullopt;

    std::vector<ColumnFormat> columns;
    // "key" keeps the column's own header, "key=text" names it, "key=" leaves
    // it empty; no header line is written when every header is empty.
    qsizetype at = 0;
    while (at < format->size()) {
        qsizetype comma = format->indexOf(u',', at);
        const qsizetype equals = format->indexOf(u'=', at);
        if (equals >= 0 && (comma < 0 || equals < comma)) {
            const QString key = format->mid(at, equals - at);
            const QString header = format->mid(equals + 1, comma < 0 ? -1 : comma - equals - 1);
            auto column = columnFor(key, header);
            if (!column)
                return std::nullopt;
            columns.push_back(*column);
        } else {
            auto column = columnFor(format->mid(at, comma < 0 ? -1 : comma - at), std::nullopt);
            if (!column)
                return std::nullopt;
            columns.push_back(*column);
        }
        if (comma < 0)
            break;
        at = comma + 1;
    }
    return columns;
}

// Control characters are written as "?", as the system tool does, so that no
// name (a file name may hold a line break) can end a line early or make up
// a line of its own.
std::string printable(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    return text;
}

// CPU use over the process's whole life, in percent of one core.
double lifetimeCpu(const ProcessRecord& record, double uptime)
{
    const double hz = static_cast<double>(files::procfiles::ticksPerSecond());
    const double lifetime = uptime - static_cast<double>(record.startTime) / hz;
    return lifetime > 0 ? static_cast<double>(record.cpuTicks) / hz / lifetime * 100.0 : 0.0;
}

// The user cell: the name, or the uid in decimal when the name would not
// come through as one cell (a blank would split it, as a directory service's
// "john smith" does; a control character would be written as "?").
std::string userCell(const ProcessRecord& record)
{
    const bool whole = !record.user.empty() && std::none_of(record.user.begin(), record.user.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f;
    });
    return whole ? record.user : std::to_string(record.uid);
}

// A number with one fraction digit as printf's "%.1f" writes it.
std::string fixedOneDigit(double value)
{
    // Room for the largest double written out in full.
    char buffer[std::numeric_limits<double>::max_exponent10 + 8];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (ec != std::errc())
        return "0.0";
    return std::string(buffer, end);
}

void appendCell(std::string& line, const ColumnFormat& format, const std::string& text, bool last)
{
    if (!line.empty())
        line += ' ';
    const std::size_t width = static_cast<std::size_t>(std::max(format.width, 0));
    const std::size_t pad = text.size() < width ? width - text.size() : 0;
    if (format.rightAligned)
        line.append(pad, ' ');
    line += text;
    if (!format.rightAligned && !last)
        line.append(pad, ' ');
}

std::string cellText(const ProcessRecord& record, Column column, double uptime)
{
    switch (column) {
    case Column::Pid: return std::to_string(record.pid);
    case Column::Ppid: return std::to_string(record.ppid);
    case Column::User: return userCell(record);
    case Column::Rss: return std::to_string(processListRssKb(record));
    case Column::Comm: return processListCommand(record);
    case Column::Pcpu: return fixedOneDigit(lifetimeCpu(record, uptime));
    }
    return {};
}

} // namespace

std::string processListUser(const ProcessRecord& record)
{
    return printable(record.user);
}

std::string processListCommand(const ProcessRecord& record)
{
    return printable(record.command);
}

std::uint64_t processListRssKb(const ProcessRecord& record)
{
    return record.rssPages * files::procfiles::pageSize() / 1024;
}

tools::ToolResult processListOutput(const tools::ToolRequest& request, const QString& procRoot)
{
    ProcessTable table(procRoot.toStdString());
    return processListOutput(request, table, procRoot);
}

tools::ToolResult processListOutput(const tools::ToolRequest& request, ProcessTable& table, const QString& procRoot)
{
    tools::ToolResult result;
    result.launched = true;
    const auto columns = parseRequest(request.arguments);
    if (!columns) {
        result.exitStatus = 1;
        return result;
    }
    const std::string root = procRoot.toStdString();
    std::string scratch;
    double uptime = 0;
    if (files::procfiles::read(root + "/uptime", scratch)) {
        const std::size_t end = scratch.find_first_of(" \n");
        const auto read = std::from_chars(scratch.data(), scratch.data() + std::min(end, scratch.size()), uptime);
        if (read.ec != std::errc() || !std::isfinite(uptime))
            uptime = 0;
    }

    std::string out;
    std::string line;
    const bool headers = std::any_of(columns->begin(), columns->end(), [](const ColumnFormat& c) { return !c.header.empty(); });
    if (headers) {
        for (std::size_t i = 0; i < columns->size(); ++i)
            appendCell(line, (*columns)[i], (*columns)[i].header, i + 1 == columns->size());
        out += line;
        out += '\n';
    }
    for (const ProcessRecord& record : table.read(false)) {
        line.clear();
        for (std::size_t i = 0; i < columns->size(); ++i)
            appendCell(line, (*columns)[i], cellText(record, (*columns)[i].column, uptime), i + 1 == columns->size());
        out += line;
        out += '\n';
    }
    result.exitStatus = 0;
    result.output = QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    return result;
}

void registerProcessListTool()
{
    static std::once_flag once;
    std::call_once(once, [] {
        tools::registerInProcessTool(QStringLiteral("/bin/ps"), [](const tools::ToolRequest& request) -> std::optional<tools::ToolResult> {
            // Kept for the program's life, so each process's executable
            // is looked up once.
            static ProcessTable table("/proc");
            return processListOutput(request, table, QStringLiteral("/proc"));
        });
    });
}

} // namespace velk::platform::processes
