#pragma once

#include "platform/core/UniqueFd.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velk::platform::processes {

// Which process holds which socket, from the descriptor folders of a
// /proc-like folder. What was read is kept between calls: a process's
// descriptors are read again only when the process is new, its number of
// descriptors changed, or one of its sockets went away. A socket that
// appears without any of that (one descriptor closed and another opened in
// its place) makes every process be read again once.
class SocketOwners {
public:
    struct Descriptor {
        int fd = 0;
        std::uint64_t inode = 0;
    };
    struct Process {
        int pid = 0;
        std::vector<Descriptor> sockets;  // in descriptor order
    };

    explicit SocketOwners(std::string procRoot);

    // Brings the table up to date with the sockets that exist now (their
    // inodes and the users that created them) and returns every process that
    // holds one of them, in pid order, with its socket descriptors.
    std::vector<Process> refresh(const std::unordered_map<std::uint64_t, unsigned>& live);

    // Processes whose descriptors were read on the last refresh (for tests).
    std::size_t lastReadCount() const { return m_lastReads; }

private:
    struct Known {
        std::uint64_t folderInode = 0;  // a process that replaces another under one pid gets a new one
        std::int64_t descriptorCount = -1;
        bool readable = false;
        std::vector<Descriptor> sockets;
        bool readThisPass = false;
    };

    bool openRoot();
    void readDescriptors(int pid, Known& known);
    bool mayOwn(unsigned uid) const;

    std::string m_root;
    core::UniqueFd m_rootFd;
    std::unordered_map<int, Known> m_processes;
    std::unordered_set<std::uint64_t> m_unowned;  // found in no process on a full pass
    std::string m_listing;
    std::size_t m_lastReads = 0;
    unsigned m_euid = 0;
};

} // namespace velk::platform::processes
