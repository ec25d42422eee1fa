// Read-only questions about the last applied snapshot.

#include "engine/monitor/SystemMonitor.h"

#include <QSet>
#include <algorithm>
#include <set>
#include <tuple>

namespace velk::monitor {
namespace {

std::vector<int> ascending(const QSet<int>& ports)
{
    std::vector<int> list(ports.cbegin(), ports.cend());
    std::sort(list.begin(), list.end());
    return list;
}

template <class T>
void truncate(std::vector<T>& list, int count)
{
    list.resize(std::min(list.size(), static_cast<std::size_t>(std::max(count, 0))));
}

std::vector<ProcInfo> firstByDescending(std::vector<ProcInfo> list, int count, double (*key)(const ProcInfo&))
{
    std::stable_sort(list.begin(), list.end(),
                     [key](const ProcInfo& a, const ProcInfo& b) { return key(a) > key(b); });
    truncate(list, count);
    return list;
}

// Values kept in insertion order, so that ties keep the order of discovery.
template <class Key, class Value>
struct OrderedMap {
    std::vector<Key> keys;
    QHash<Key, Value> values;

    Value& operator[](const Key& key)
    {
        auto it = values.find(key);
        if (it == values.end()) {
            keys.push_back(key);
            it = values.insert(key, Value());
        }
        return *it;
    }
};

bool hasLoopbackPorts(const SocketEntry& socket)
{
    return socket.remote && socket.remote->isLoopback() && socket.local.port && socket.remote->port;
}

} // namespace

std::vector<int> SystemMonitor::listeningPorts(qint32 pid) const
{
    return m_listeningPortsByPid.value(pid);
}

std::vector<SocketEntry> SystemMonitor::sockets(qint32 pid) const
{
    return m_socketsByPid.value(pid);
}

std::vector<SocketEntry> SystemMonitor::listeningSockets() const
{
    std::vector<SocketEntry> result;
    std::set<std::tuple<qint32, QString, int>> seen;
    for (const SocketEntry& socket : m_sockets) {
        if (socket.isListening() && seen.insert({socket.pid, socket.proto, socket.local.port.value_or(-1)}).second)
            result.push_back(socket);
    }
    std::stable_sort(result.begin(), result.end(), [](const SocketEntry& a, const SocketEntry& b) {
        return std::pair(a.local.port.value_or(0), a.pid) < std::pair(b.local.port.value_or(0), b.pid);
    });
    return result;
}

std::vector<ProcInfo> SystemMonitor::topByCPU(int count) const
{
    return firstByDescending(m_processes, count, [](const ProcInfo& p) { return p.cpu; });
}

std::vector<ProcInfo> SystemMonitor::topByMemory(int count) const
{
    return firstByDescending(m_processes, count,
                             [](const ProcInfo& p) { return static_cast<double>(p.memoryBytes.value_or(0)); });
}

ProcessRelations SystemMonitor::relations(qint32 pid) const
{
    ProcessRelations result;

    for (const SocketEntry& socket : sockets(pid)) {
        if (socket.isListening())
            result.listening.push_back(socket);
        else if (socket.remote)
            result.connections.push_back(socket);
    }

    QSet<int> servicePorts;
    for (const SocketEntry& socket : result.listening) {
        if (socket.local.port)
            servicePorts.insert(*socket.local.port);
    }

    // Who holds which end of every loopback connection on the machine, by
    // (local port, remote port).
    QHash<std::pair<int, int>, std::vector<qint32>> loopbackHolders;
    for (const SocketEntry& socket : m_sockets) {
        if (socket.pid != pid && hasLoopbackPorts(socket))
            loopbackHolders[{*socket.local.port, *socket.remote->port}].push_back(socket.pid);
    }

    OrderedMap<qint32, QSet<int>> peerPorts;
    OrderedMap<QString, std::pair<QSet<int>, int>> hosts;
    for (const SocketEntry& connection : result.connections) {
        const NetEndpoint& remote = *connection.remote;
        if (remote.isLoopback()) {
            if (!hasLoopbackPorts(connection))
                continue;
            const int local = *connection.local.port;
            const int far = *remote.port;
            const int service = servicePorts.contains(local) ? local : far;
            for (const qint32 holder : loopbackHolders.value({far, local}))
                peerPorts[holder].insert(service);
            continue;
        }
        if (remote.host.isEmpty() || remote.host == QLatin1String("*"))
            continue;
        auto& [ports, count] = hosts[remote.host];
        if (remote.port)
            ports.insert(*remote.port);
        ++count;
    }

    for (const qint32 peer : peerPorts.keys) {
        const auto proc = m_byPid.constFind(peer);
        if (proc != m_byPid.cend())
            result.localPeers.push_back({*proc, ascending(peerPorts.values.value(peer))});
    }
    std::stable_sort(result.localPeers.begin(), result.localPeers.end(),
                     [](const auto& a, const auto& b) { return a.proc.cpu > b.proc.cpu; });

    for (const QString& host : hosts.keys) {
        const auto& [ports, count] = hosts.values[host];
        result.remoteHosts.push_back({host, ascending(ports), count});
    }
    std::stable_sort(result.remoteHosts.begin(), result.remoteHosts.end(),
                     [](const auto& a, const auto& b) { return a.count > b.count; });

    result.children = m_childrenByPpid.value(pid);
    std::stable_sort(result.children.begin(), result.children.end(), [](const ProcInfo& a, const ProcInfo& b) {
        return a.cpu + a.memMB() / 1000.0 > b.cpu + b.memMB() / 1000.0;
    });
    result.childCount = static_cast<int>(result.children.size());
    truncate(result.children, ProcessRelations::maxChildren);

    const auto own = m_byPid.constFind(pid);
    if (own != m_byPid.cend() && own->ppid >= 1) {
        const auto parent = m_byPid.constFind(own->ppid);
        if (parent != m_byPid.cend())
            result.parent = *parent;
    }
    return result;
}

} // namespace velk::monitor
