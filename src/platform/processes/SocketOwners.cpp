#include "platform/processes/SocketOwners.h"

#include "platform/files/FolderListing.h"
#include "platform/files/ProcFiles.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::platform::processes {
namespace {

// The inode of a descriptor link's "socket:[N]" target.
std::optional<std::uint64_t> socketInode(std::string_view target)
{
    static constexpr std::string_view prefix = "socket:[";
    if (target.size() < prefix.size() + 2 || target.substr(0, prefix.size()) != prefix || target.back() != ']')
        return std::nullopt;
    return files::procfiles::parseUnsigned(target.substr(prefix.size(), target.size() - prefix.size() - 1));
}

} // namespace

SocketOwners::SocketOwners(std::string procRoot)
    : m_root(std::move(procRoot))
    , m_euid(::geteuid())
{
}

bool SocketOwners::openRoot()
{
    if (!m_rootFd.isOpen())
        m_rootFd.reset(::open(m_root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return m_rootFd.isOpen();
}

bool SocketOwners::mayOwn(unsigned uid) const
{
    // Only root reads the descriptors of every user's processes; anyone else
    // only those of their own, so another user's socket is not looked for.
    return m_euid == 0 || uid == m_euid;
}

void SocketOwners::readDescriptors(int pid, Known& known)
{
    ++m_lastReads;
    known.readThisPass = true;
    known.sockets.clear();
    char path[32];
    const auto end = std::to_chars(path, path + 16, pid).ptr;
    std::memcpy(end, "/fd", 4);
    const core::UniqueFd folder(::openat(m_rootFd.get(), path, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    known.readable = folder.isOpen();
    if (!known.readable)
        return;
    m_listing.resize(32768);
    files::forEachFolderEntry(folder.get(), m_listing.data(), m_listing.size(), [&](const struct dirent64& entry) {
        const auto fd = files::procfiles::parseUnsigned(entry.d_name);
        if (!fd || *fd > 0x7fffffffu)
            return true;
        char target[64];
        const ssize_t n = ::readlinkat(folder.get(), entry.d_name, target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target)
            return true;
        if (const auto inode = socketInode(std::string_view(target, static_cast<std::size_t>(n))))
            known.sockets.push_back({static_cast<int>(*fd), *inode});
        return true;
    });
    std::sort(known.sockets.begin(), known.sockets.end(),
              [](const Descriptor& a, const Descriptor& b) { return a.fd < b.fd; });
}

std::vector<SocketOwners::Process> SocketOwners::refresh(const std::unordered_map<std::uint64_t, unsigned>& live)
{
    m_lastReads = 0;
    std::vector<Process> owners;
    if (!openRoot())
        return owners;

    const std::vector<int> pids = files::procfiles::processIds(m_rootFd.get(), m_listing);

    std::unordered_map<int, Known> current;
    current.reserve(pids.size());
    for (const int pid : pids) {
        char path[32];
        const auto end = std::to_chars(path, path + 16, pid).ptr;
        std::memcpy(end, "/fd", 4);
        struct stat folder {};
        if (::fstatat(m_rootFd.get(), path, &folder, 0) != 0)
            continue;  // ended
        Known known;
        if (const auto before = m_processes.find(pid); before != m_processes.end())
            known = std::move(before->second);
        known.readThisPass = false;
        // The folder's size is its number of open descriptors.
        bool changed = known.folderInode != folder.st_ino || known.descriptorCount != folder.st_size;
        for (const Descriptor& d : known.sockets)
            changed = changed || !live.contains(d.inode);
        known.folderInode = folder.st_ino;
        known.descriptorCount = folder.st_size;
        if (changed)
            readDescriptors(pid, known);
        current.emplace(pid, std::move(known));
    }

    const auto unaccounted = [&] {
        std::unordered_set<std::uint64_t> owned;
        for (const auto& [pid, known] : current) {
            for (const Descriptor& d : known.sockets)
                owned.insert(d.inode);
        }
        std::unordered_set<std::uint64_t> missing;
        for (const auto& [inode, uid] : live) {
            if (inode != 0 && mayOwn(uid) && !owned.contains(inode))
                missing.insert(inode);
        }
        return missing;
    };
    std::unordered_set<std::uint64_t> missing = unaccounted();
    const bool surprise = std::any_of(missing.begin(), missing.end(),
                                      [&](std::uint64_t inode) { return !m_unowned.contains(inode); });
    if (surprise) {
        for (auto& [pid, known] : current) {
            if (!known.readThisPass)
                readDescriptors(pid, known);
        }
        missing = unaccounted();
    }
    // Sockets no process holds (the kernel's own, ones in flight between
    // processes) are looked for again only once they are gone and back.
    m_unowned = std::move(missing);
    m_processes = std::move(current);

    for (const int pid : pids) {
        const auto it = m_processes.find(pid);
        if (it == m_processes.end())
            continue;
        Process process;
        process.pid = pid;
        for (const Descriptor& d : it->second.sockets) {
            if (live.contains(d.inode))
                process.sockets.push_back(d);
        }
        if (!process.sockets.empty())
            owners.push_back(std::move(process));
    }
    return owners;
}

} // namespace velk::platform::processes
