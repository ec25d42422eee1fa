#include "platform/files/ProcFiles.h"

#include "platform/files/FolderListing.h"
#include "platform/core/UniqueFd.h"

#include <algorithm>
#include <fcntl.h>

#include <QFile>

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace velk::platform::files::procfiles {

bool read(const std::string& path, std::string& out)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        ok = n == 0;
        break;
    }
    ::close(fd);
    return ok;
}

std::optional<std::size_t> readWhole(int dirFd, const char* path, std::string& buffer)
{
    const int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (buffer.size() < 4096)
        buffer.resize(4096);
    std::size_t size = 0;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        size += static_cast<std::size_t>(n);
        // The kernel writes these files in one piece: a read that leaves room
        // in the buffer has taken all of it.
        if (n == 0 || size < buffer.size())
            break;
        buffer.resize(buffer.size() * 2);
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return size;
}

QString readTrimmed(const QString& path)
{
    std::string text;
    if (!read(QFile::encodeName(path).toStdString(), text))
        return {};
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

std::optional<std::uint64_t> parseUnsigned(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> keyedNumber(std::string_view text, std::string_view key)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lineEnd = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, lineEnd - at);
        at = lineEnd + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
            continue;
        std::string_view rest = line.substr(key.size() + 1);
        const std::size_t begin = rest.find_first_not_of(" \t");
        if (begin == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(begin);
        const std::size_t end = rest.find_first_not_of("0123456789");
        return parseUnsigned(rest.substr(0, end));
    }
    return std::nullopt;
}

std::optional<ProcStat> parseStat(std::string_view line)
{
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::nullopt;
    ProcStat stat;
    stat.comm.assign(line.substr(open + 1, close - open - 1));

    // Fields after the name, counted from the state (field 3 of the file).
    std::string_view rest = line.substr(close + 1);
    constexpr std::size_t required = 20;
    std::string_view fields[26];
    std::size_t count = 0;
    while (count < std::size(fields)) {
        const std::size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos)
            break;
        rest.remove_prefix(begin);
        const std::size_t end = std::min(rest.find_first_of(" \n"), rest.size());
        fields[count++] = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    if (count < required)
        return std::nullopt;
    stat.state = fields[0].size() == 1 ? fields[0][0] : '?';
    const auto ppid = parseUnsigned(fields[1]);
    const auto flags = parseUnsigned(fields[6]);
    const auto utime = parseUnsigned(fields[11]);
    const auto stime = parseUnsigned(fields[12]);
    const auto threads = parseUnsigned(fields[17]);
    const auto start = parseUnsigned(fields[19]);
    if (!ppid || !utime || !stime || !threads || !start || *ppid > 0x7fffffffu)
        return std::nullopt;
    stat.ppid = static_cast<int>(*ppid);
    stat.flags = flags.value_or(0);
    stat.utime = *utime;
    stat.stime = *stime;
    stat.threads = static_cast<std::int64_t>(*threads);
    stat.startTime = *start;
    if (count == std::size(fields)) {
        stat.startCode = parseUnsigned(fields[23]).value_or(0);
        stat.endCode = parseUnsigned(fields[24]).value_or(0);
        stat.startStack = parseUnsigned(fields[25]).value_or(0);
    }
    return stat;
}

std::optional<ProcStatm> parseStatm(std::string_view line)
{
    // size resident shared text lib data dt, in pages
    std::string_view fields[4];
    std::size_t count = 0;
    for (std::string_view& field : fields) {
        const std::size_t begin = line.find_first_not_of(' ');
        if (begin == std::string_view::npos)
            break;
        line.remove_prefix(begin);
        const std::size_t end = std::min(line.find_first_of(" \n"), line.size());
        field = line.substr(0, end);
        line.remove_prefix(end);
        ++count;
    }
    if (count < 3)
        return std::nullopt;
    const auto resident = parseUnsigned(fields[1]);
    const auto shared = parseUnsigned(fields[2]);
    if (!resident || !shared)
        return std::nullopt;
    return ProcStatm{*resident, *shared, parseUnsigned(fields[3]).value_or(0)};
}

std::uint64_t ticksPerSecond()
{
    static const std::uint64_t ticks = [] {
        const long t = ::sysconf(_SC_CLK_TCK);
        return t > 0 ? static_cast<std::uint64_t>(t) : 100u;
    }();
    return ticks;
}

std::uint64_t pageSize()
{
    static const std::uint64_t size = [] {
        const long s = ::sysconf(_SC_PAGESIZE);
        return s > 0 ? static_cast<std::uint64_t>(s) : 4096u;
    }();
    return size;
}

std::vector<int> processIds(int procRootFd, std::string& buffer)
{
    std::vector<int> pids;
    const core::UniqueFd listing(::openat(procRootFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing.isOpen())
        return pids;
    buffer.resize(32768);
    forEachFolderEntry(listing.get(), buffer.data(), buffer.size(), [&](const struct dirent64& entry) {
        const auto pid = parseUnsigned(entry.d_name);
        if (pid && *pid > 0 && *pid <= 0x7fffffffu)
            pids.push_back(static_cast<int>(*pid));
        return true;
    });
    std::sort(pids.begin(), pids.end());
    return pids;
}

} // namespace velk::platform::files::procfiles
