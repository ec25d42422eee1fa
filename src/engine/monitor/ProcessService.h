#pragma once

#include "engine/monitor/ProcInfo.h"
#include "engine/monitor/SocketEntry.h"
#include "platform/processes/ProcessHold.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velk::monitor {

// Reads the machine's processes, their internet sockets and port counts, and
// signals processes. Stateless: the caller hands the previous tick's rows
// back in so that CPU figures come from CPU-time differences. The tools run
// through the platform ToolRunner, the per-process figures come from the
// platform ProcessProbe and the clock from the HostProbe.
class ProcessService {
public:
    using PreviousRows = QHash<std::int32_t, ProcInfo>;

    struct Metrics {
        std::optional<std::uint64_t> memoryBytes;
        std::optional<int> threads;
        std::optional<std::uint64_t> started;
        std::optional<std::uint64_t> cpuTime;
        std::optional<double> sampledAt;  // seconds since boot when cpuTime was read
        friend bool operator==(const Metrics&, const Metrics&) = default;
    };

    // One line of the process list before the per-process figures are added.
    struct ListedProcess {
        std::int32_t pid = 0;
        std::int32_t ppid = 0;
        QString user;
        std::uint64_t rssBytes = 0;
        QString path;
    };

    // The current processes in the order the process list printed them.
    static std::vector<ProcInfo> processes(const PreviousRows& previous = {});

    // CPU percentage of one core from two CPU times `elapsed` seconds apart;
    // absent when it cannot be worked out.
    static std::optional<double> cpuPercent(std::optional<std::uint64_t> before, std::optional<std::uint64_t> after,
                                            double elapsed, std::uint32_t numer, std::uint32_t denom);

    // Footprint, threads, start and CPU time with the time it was read; all
    // absent for pid <= 0.
    static Metrics metrics(std::int32_t pid);

    static std::vector<SocketEntry> sockets();
    // Mach-port count per pid; empty where the platform has no such ports.
    static QHash<std::int32_t, int> machPorts();

    // The process `sampled` was read from, held so that only it can be
    // signalled: nothing when its pid now names no process or another one
    // (another start time), and for pid 0 or below. A process that has run
    // another program since keeps its pid and start time: it is held, as it
    // runs now (see heldName()).
    static std::shared_ptr<platform::processes::ProcessHold> hold(const ProcInfo& sampled);
    // The name the process list gives the held process, from the command
    // read when the hold was taken.
    static QString heldName(const platform::processes::ProcessHold& process);
    // SIGTERM, or SIGKILL when forced, to the held process while it runs.
    static platform::processes::SignalOutcome terminate(platform::processes::ProcessHold& process, bool force);

    // Text parsers of the tools' outputs.
    static std::optional<ListedProcess> parseProcessLine(QStringView line);
    static std::vector<SocketEntry> parseSockets(QStringView text);
    static NetEndpoint parseEndpoint(QStringView text);
    static QHash<std::int32_t, int> parseMachPorts(QStringView text);

private:
    static QString run(const QString& tool, const QStringList& arguments);
};

} // namespace velk::monitor
