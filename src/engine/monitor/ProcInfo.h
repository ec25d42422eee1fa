#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace velk::monitor {

// One process as the monitor sees it in one sampling tick.
struct ProcInfo {
    std::int32_t pid = 0;
    std::int32_t ppid = 0;
    QString user;                 // owner as the process list prints it
    double cpu = 0;               // percent of one core over the last interval
    std::uint64_t rssBytes = 0;   // resident set size
    QString path;                 // the executable as the process list prints it
    QString name;                 // last component of path
    std::optional<std::uint64_t> memoryBytes;  // physical footprint
    std::optional<int> threads;
    std::optional<std::uint64_t> started;      // start time, probe ticks
    std::optional<std::uint64_t> cpuTime;      // user + system time, probe ticks
    double sampledAt = 0;         // seconds since boot when cpuTime was read
    bool cpuAvailable = false;    // cpu was worked out from a previous sample

    std::int32_t id() const { return pid; }

    // "—" without a CPU figure, else "12.3%".
    QString cpuText() const;
    // Footprint in decimal megabytes; 0 without a footprint.
    double memMB() const;
    // "—" without a footprint, else "812.4 MB" or "1.25 GB".
    QString memoryText() const;
    std::optional<double> memoryPercent(std::uint64_t totalBytes) const;
    // Search by pid, name or path (see the .cpp for the rule).
    bool matches(const QString& search) const;
    // Same pid, same start time and same executable: the same process.
    bool sameLifetime(const ProcInfo& other) const;
    // "/Applications/X.app" for an executable inside an application bundle.
    std::optional<QString> bundlePath() const;

    // The last component of an executable path, or the path itself when it
    // holds no "/".
    static QString nameFromPath(const QString& path);

    friend bool operator==(const ProcInfo&, const ProcInfo&) = default;
};

} // namespace velk::monitor
