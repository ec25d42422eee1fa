#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

namespace velk::monitor {

// One end of an internet socket.
struct NetEndpoint {
    QString host;              // numeric address, IPv6 without brackets; "*" for any
    std::optional<int> port;   // absent for a wildcard or unreadable port

    // "127.0.0.1:5000", "[::1]:631", "*:*".
    QString display() const;
    bool isLoopback() const;

    friend bool operator==(const NetEndpoint&, const NetEndpoint&) = default;
};

inline size_t qHash(const NetEndpoint& endpoint, size_t seed = 0)
{
    return qHashMulti(seed, endpoint.host, endpoint.port.has_value(), endpoint.port.value_or(0));
}

// One internet socket of one process.
struct SocketEntry {
    std::int32_t pid = 0;
    QString fd;        // descriptor as the socket tool prints it; "" when none
    QString proto;     // "TCP" or "UDP"
    NetEndpoint local;
    std::optional<NetEndpoint> remote;  // absent when not connected
    QString state;     // TCP state such as "LISTEN"; "" when none

    // pid|fd|proto|local
    QString id() const;
    bool isListening() const;

    friend bool operator==(const SocketEntry&, const SocketEntry&) = default;
};

} // namespace velk::monitor
