#include "platform/ProcessListTool.h"

#include "platform/ProcFiles.h"

#include <algorithm>
#include <charconv>
#include <dirent.h>
#include <mutex>
#include <pwd.h>
#include <string>
#include <unordered_map>
#include <unistd.h>
#include <vector>

namespace velk::platform {
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

class UserNames {
public:
    const std::string& nameOf(unsigned uid)
    {
        auto it = m_names.find(uid);
        if (it != m_names.end())
            return it->second;
        std::string name;
        passwd entry{};
        passwd* found = nullptr;
        std::vector<char> buffer(4096);
        if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
            name = found->pw_name;
        else
            name = std::to_string(uid);
        return m_names.emplace(uid, std::move(name)).first->second;
    }

private:
    std::unordered_map<unsigned, std::string> m_names;
};

struct Row {
    int pid = 0;
    int ppid = 0;
    std::string user;
    double pcpu = 0;
    std::uint64_t rssKb = 0;
    std::string comm;
};

// The short name of a process whose executable is unknown. It is a name, not
// a path, so a "/" in it ("kworker/1:1H") is written as U+2215, which looks
// the same but does not split the name into path components. A process
// without a command line (a kernel thread, a zombie) is bracketed, as the
// system tool shows it: "[kworker∕1:1H-kblockd]".
std::string shortName(const std::string& comm, bool hasCommandLine)
{
    static constexpr std::string_view divisionSlash = "\u2215";
    std::string name;
    if (!hasCommandLine)
        name += '[';
    for (const char c : comm) {
        if (c == '/')
            name += divisionSlash;
        else
            name += c;
    }
    if (!hasCommandLine)
        name += ']';
    return name;
}

std::string executablePath(const std::string& folder, const procfiles::ProcStat& stat, std::string& scratch)
{
    char target[4096];
    const ssize_t n = ::readlink((folder + "/exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<std::size_t>(n));
        static constexpr std::string_view deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        return path;
    }
    // Without access to the executable link, the program's own first
    // argument names it when that is an absolute path.
    const bool hasCommandLine = procfiles::read(folder + "/cmdline", scratch) && !scratch.empty();
    if (hasCommandLine && scratch[0] == '/') {
        const std::size_t end = scratch.find('\0');
        return scratch.substr(0, end);
    }
    return shortName(stat.comm, hasCommandLine);
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

std::optional<Row> readRow(const std::string& root, int pid, double uptime, UserNames& users, std::string& scratch)
{
    const std::string folder = root + '/' + std::to_string(pid);
    if (!procfiles::read(folder + "/stat", scratch))
        return std::nullopt;
    const auto stat = procfiles::parseStat(scratch);
    if (!stat)
        return std::nullopt;
    Row row;
    row.pid = pid;
    row.ppid = stat->ppid;
    row.rssKb = stat->rssPages * procfiles::pageSize() / 1024;

    const double hz = static_cast<double>(procfiles::ticksPerSecond());
    const double lifetime = uptime - static_cast<double>(stat->startTime) / hz;
    if (lifetime > 0)
        row.pcpu = static_cast<double>(stat->utime + stat->stime) / hz / lifetime * 100.0;

    // The effective user, as the tool shows it.
    unsigned uid = 0;
    if (procfiles::read(folder + "/status", scratch)) {
        const std::size_t at = scratch.find("\nUid:");
        if (at != std::string::npos) {
            std::string_view rest = std::string_view(scratch).substr(at + 5);
            rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
            rest.remove_prefix(std::min(rest.find_first_of(" \t"), rest.size()));
            rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
            std::from_chars(rest.data(), rest.data() + rest.size(), uid);
        }
    }
    row.user = users.nameOf(uid);
    row.comm = executablePath(folder, *stat, scratch);
    return row;
}

std::vector<int> listPids(const std::string& root)
{
    std::vector<int> pids;
    DIR* dir = ::opendir(root.c_str());
    if (!dir)
        return pids;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (const auto pid = procfiles::parseUnsigned(name); pid && *pid > 0 && *pid <= 0x7fffffffu)
            pids.push_back(static_cast<int>(*pid));
    }
    ::closedir(dir);
    std::sort(pids.begin(), pids.end());
    return pids;
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

std::string cellText(const Row& row, Column column)
{
    switch (column) {
    case Column::Pid: return std::to_string(row.pid);
    case Column::Ppid: return std::to_string(row.ppid);
    case Column::User: return printable(row.user);
    case Column::Rss: return std::to_string(row.rssKb);
    case Column::Comm: return printable(row.comm);
    case Column::Pcpu: {
        char buffer[32];
        const auto res = std::to_chars(buffer, buffer + sizeof buffer, row.pcpu, std::chars_format::fixed, 1);
        return std::string(buffer, res.ptr);
    }
    }
    return {};
}

} // namespace

ToolResult processListOutput(const ToolRequest& request, const QString& procRoot)
{
    ToolResult result;
    result.launched = true;
    const auto columns = parseRequest(request.arguments);
    if (!columns) {
        result.exitStatus = 1;
        return result;
    }
    const std::string root = procRoot.toStdString();
    std::string scratch;
    double uptime = 0;
    if (procfiles::read(root + "/uptime", scratch)) {
        const std::size_t end = scratch.find_first_of(" \n");
        std::from_chars(scratch.data(), scratch.data() + std::min(end, scratch.size()), uptime);
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
    UserNames users;
    for (const int pid : listPids(root)) {
        const auto row = readRow(root, pid, uptime, users, scratch);
        if (!row)
            continue;  // ended while being read
        line.clear();
        for (std::size_t i = 0; i < columns->size(); ++i)
            appendCell(line, (*columns)[i], cellText(*row, (*columns)[i].column), i + 1 == columns->size());
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
        registerInProcessTool(QStringLiteral("/bin/ps"), [](const ToolRequest& request) {
            return processListOutput(request, QStringLiteral("/proc"));
        });
    });
}

} // namespace velk::platform
