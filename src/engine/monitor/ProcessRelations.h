#pragma once

#include "engine/monitor/ProcInfo.h"
#include "engine/monitor/SocketEntry.h"

#include <QString>
#include <optional>
#include <vector>

namespace velk::monitor {

// How one process is tied to others: family, sockets, local peers over
// loopback and the remote hosts it talks to.
struct ProcessRelations {
    // Another local process at the far end of a loopback connection.
    struct Peer {
        ProcInfo proc;
        std::vector<int> ports;   // service ports of the shared connections, ascending
        qint32 id() const { return proc.pid; }
        bool operator==(const Peer&) const = default;
    };

    struct RemoteHost {
        QString host;
        std::vector<int> ports;   // remote ports used, ascending
        int count = 0;      // number of connections
        QString id() const { return host; }
        bool operator==(const RemoteHost&) const = default;
    };

    static constexpr int maxChildren = 8;

    std::optional<ProcInfo> parent;
    std::vector<ProcInfo> children;   // busiest first, at most maxChildren
    int childCount = 0;
    std::vector<SocketEntry> listening;
    std::vector<SocketEntry> connections;
    std::vector<Peer> localPeers;
    std::vector<RemoteHost> remoteHosts;
};

} // namespace velk::monitor
