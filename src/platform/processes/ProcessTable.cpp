#include "platform/processes/ProcessTable.h"

#include "platform/core/Clock.h"
#include "platform/files/FolderListing.h"
#include "platform/files/ProcFiles.h"

#include <algorithm>
#include <charconv>
#include <fcntl.h>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

// "PID/name" in a fixed buffer.
class ProcPath {
public:
    explicit ProcPath(int pid)
    {
        const auto res = std::to_chars(m_text, m_text + 16, pid);
        m_folderEnd = static_cast<std::size_t>(res.ptr - m_text);
        m_text[m_folderEnd] = '\0';
    }
    const char* folder() const { return m_text; }
    const char* file(std::string_view name)
    {
        const std::size_t length = std::min(name.size(), sizeof m_text - m_folderEnd - 2);
        m_text[m_folderEnd] = '/';
        name.copy(m_text + m_folderEnd + 1, length);
        m_text[m_folderEnd + 1 + length] = '\0';
        return m_text;
    }

private:
    char m_text[48];
    std::size_t m_folderEnd = 0;
};

// The effective uid of a status file's "Uid:" line (real, effective, ...).
std::optional<unsigned> effectiveUid(std::string_view status)
{
    const std::size_t at = status.find("\nUid:");
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = status.substr(at + 5);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    rest.remove_prefix(std::min(rest.find_first_of(" \t"), rest.size()));
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    unsigned uid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), uid);
    if (ec != std::errc() || end == rest.data())
        return std::nullopt;
    return uid;
}

bool isKernelThread(const files::procfiles::ProcStat& stat)
{
    return (stat.flags & files::procfiles::kKernelThreadFlag) != 0;
}

// Names read once are asked for again after this long, so a user added or
// renamed while the program runs shows up.
constexpr std::chrono::seconds kUserNamesKeptFor{10};

} // namespace

std::string processShortName(const std::string& comm, bool hasCommandLine)
{
    // A name, not a path: a "/" in it ("kworker/1:1H") is written as U+2215,
    // which looks the same but does not split the name into path components.
    // A process without a command line (a kernel thread, a zombie) is
    // bracketed, as the system tool shows it: "[kworker∕1:1H-kblockd]".
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

ProcessTable::ProcessTable(std::string root, Clock clock)
    : m_root(std::move(root))
    , m_clock(clock ? std::move(clock) : Clock(core::secondsSinceBoot))
{
}

bool ProcessTable::openRoot()
{
    if (!m_rootFd.isOpen())
        m_rootFd.reset(::open(m_root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return m_rootFd.isOpen();
}

std::vector<ProcessRecord> ProcessTable::read(bool footprint)
{
    std::lock_guard lock(m_mutex);
    std::vector<ProcessRecord> records;
    if (!openRoot())
        return records;

    const std::vector<int> pids = files::procfiles::processIds(m_rootFd.get(), m_listing);

    if (std::chrono::steady_clock::now() - m_usersReadAt > kUserNamesKeptFor) {
        m_users.clear();
        m_usersReadAt = std::chrono::steady_clock::now();
    }
    // Only the processes of this pass are kept for the next one.
    std::unordered_map<int, Known> seen;
    seen.reserve(pids.size());
    records.reserve(pids.size());
    for (const int pid : pids) {
        if (auto record = readOne(pid, footprint, seen))
            records.push_back(std::move(*record));
    }
    m_known = std::move(seen);
    return records;
}

std::optional<ProcessRecord> ProcessTable::readOne(int pid, bool footprint, std::unordered_map<int, Known>& seen)
{
    ProcPath path(pid);
    struct stat folder {};
    if (::fstatat(m_rootFd.get(), path.folder(), &folder, 0) != 0)
        return std::nullopt;
    const auto statSize = files::procfiles::readWhole(m_rootFd.get(), path.file("stat"), m_buffer);
    if (!statSize)
        return std::nullopt;
    const double sampledAt = m_clock();
    const auto stat = files::procfiles::parseStat(std::string_view(m_buffer.data(), *statSize));
    if (!stat)
        return std::nullopt;

    ProcessRecord record;
    record.pid = pid;
    record.ppid = stat->ppid;
    record.cpuTicks = stat->utime + stat->stime;
    record.sampledAt = sampledAt;
    record.startTime = stat->startTime;
    record.threads = stat->threads;
    Known known;
    known.startTime = stat->startTime;
    known.comm = stat->comm;
    known.program = {stat->startCode, stat->endCode, stat->startStack, 0};
    // The resident size, and the footprint (resident less shared, file-backed
    // pages), from statm: the kernel counts it exactly there.
    if (const auto size = files::procfiles::readWhole(m_rootFd.get(), path.file("statm"), m_buffer)) {
        if (const auto statm = files::procfiles::parseStatm(std::string_view(m_buffer.data(), *size))) {
            known.program.textPages = statm->text;
            record.rssPages = statm->resident;
            if (footprint)
                record.footprintBytes =
                    statm->footprintPages() * files::procfiles::pageSize();
        }
    }

    const bool kernelThread = isKernelThread(*stat);
    const bool zombie = stat->state == 'Z' || stat->state == 'X';
    const auto before = m_known.find(pid);
    const bool sameProcess = before != m_known.end() && before->second.startTime == known.startTime &&
                             before->second.comm == known.comm && before->second.program == known.program;

    // A kernel thread has no executable and no command line; an ended
    // process waiting to be reaped has lost both.
    if (kernelThread)
        known.command = processShortName(stat->comm, false);
    else if (sameProcess && !zombie)
        known.command = before->second.command;
    else
        known.command = processCommand(m_rootFd.get(), pid, stat->comm, m_buffer);

    // The folder belongs to the process's effective user, except for a
    // process that may not be inspected (it changed its user, or asked not
    // to be), whose folder belongs to root: the status file names its user.
    record.uid = folder.st_uid;
    if (folder.st_uid == 0 && !kernelThread) {
        if (sameProcess && before->second.rootOwnedUid)
            known.rootOwnedUid = before->second.rootOwnedUid;
        else
            known.rootOwnedUid = effectiveUidFromStatus(pid);
        record.uid = known.rootOwnedUid.value_or(0);
    }
    record.user = userName(record.uid);
    record.command = known.command;
    seen.emplace(pid, std::move(known));
    return record;
}

std::string processCommand(int procRootFd, int pid, const std::string& comm, std::string& buffer)
{
    ProcPath path(pid);
    char target[4096];
    const ssize_t n = ::readlinkat(procRootFd, path.file("exe"), target, sizeof target - 1);
    if (n > 0) {
        std::string command(target, static_cast<std::size_t>(n));
        static constexpr std::string_view deleted = " (deleted)";
        if (command.size() > deleted.size() &&
            command.compare(command.size() - deleted.size(), deleted.size(), deleted) == 0)
            command.resize(command.size() - deleted.size());
        return command;
    }
    // Without access to the executable link, the program's own first
    // argument names it when that is an absolute path.
    const auto size = files::procfiles::readWhole(procRootFd, path.file("cmdline"), buffer);
    const bool hasCommandLine = size && *size > 0;
    if (hasCommandLine && buffer[0] == '/') {
        const std::string_view text(buffer.data(), *size);
        return std::string(text.substr(0, text.find('\0')));
    }
    return processShortName(comm, hasCommandLine);
}

namespace {

std::optional<files::procfiles::ProcStat> readStat(int procRootFd, int pid, std::string& buffer)
{
    ProcPath path(pid);
    const auto size = files::procfiles::readWhole(procRootFd, path.file("stat"), buffer);
    if (!size)
        return std::nullopt;
    return files::procfiles::parseStat(std::string_view(buffer.data(), *size));
}

} // namespace

std::optional<std::uint64_t> readProcessStartTime(int procRootFd, int pid, std::string& buffer)
{
    const auto stat = readStat(procRootFd, pid, buffer);
    if (!stat)
        return std::nullopt;
    return stat->startTime;
}

std::optional<ProcessIdentity> readProcessIdentity(int procRootFd, int pid, std::string& buffer)
{
    const auto stat = readStat(procRootFd, pid, buffer);
    if (!stat)
        return std::nullopt;
    ProcessIdentity identity;
    identity.startTime = stat->startTime;
    identity.command = isKernelThread(*stat) ? processShortName(stat->comm, false)
                                             : processCommand(procRootFd, pid, stat->comm, buffer);
    return identity;
}

std::optional<unsigned> ProcessTable::effectiveUidFromStatus(int pid)
{
    ProcPath path(pid);
    const auto size = files::procfiles::readWhole(m_rootFd.get(), path.file("status"), m_buffer);
    if (!size)
        return std::nullopt;
    return effectiveUid(std::string_view(m_buffer.data(), *size));
}

const std::string& ProcessTable::userName(unsigned uid)
{
    auto it = m_users.find(uid);
    if (it != m_users.end())
        return it->second;
    std::string name;
    passwd entry {};
    passwd* found = nullptr;
    std::vector<char> buffer(4096);
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        name = found->pw_name;
    else
        name = std::to_string(uid);
    return m_users.emplace(uid, std::move(name)).first->second;
}

} // namespace velk::platform::processes
