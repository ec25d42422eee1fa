#pragma once

#include "platform/processes/InternetSockets.h"
#include "platform/processes/SocketOwners.h"
#include "platform/tools/ToolRunner.h"

#include <QString>
#include <mutex>
#include <optional>
#include <string>

namespace velk::platform::processes {

// "/usr/sbin/lsof" asked for the internet sockets of every process in field
// form ("-nP", "-i", "-Ts", "-F", "pfPnT"), answered from the kernel's socket
// diagnostics and the descriptor folders below a /proc-like folder, in the
// tool's own output: for each process with sockets "p<pid>", then for each
// socket in descriptor order "f<fd>", "P<TCP|UDP>", "n<local>[-><remote>]",
// for TCP "TST=<state>", then "TQR=<receive queue>" and "TQS=<send queue>".
// Any other request gets nothing (lsof itself then answers it), as does every
// request when the kernel cannot list its sockets. Keeps what it learnt of
// each process's descriptors between calls; safe to call from several
// threads.
class SocketListTool {
public:
    explicit SocketListTool(const QString& procRoot);

    std::optional<tools::ToolResult> answer(const tools::ToolRequest& request);

    // Processes whose descriptors the last answer had to read.
    std::size_t lastDescriptorReads() const;

private:
    mutable std::mutex m_mutex;
    InternetSocketReader m_reader;
    SocketOwners m_owners;
};

// The name lsof gives a socket's two ends ("127.0.0.1:631", "[::1]:5353",
// "*:68", "10.0.0.2:5000->10.0.0.9:443").
std::string socketEndpointsText(const InternetSocket& socket);

// Makes the tool runner answer lsof's socket listing in-process. Safe to
// call repeatedly.
void registerSocketListTool();

} // namespace velk::platform::processes
