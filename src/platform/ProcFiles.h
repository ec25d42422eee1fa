#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velk::platform::procfiles {

// Reads a small kernel text file (whose reported size is usually 0) whole
// into `out`. False when it cannot be opened or read.
bool read(const std::string& path, std::string& out);
// The same file as text with surrounding blanks removed; empty when it cannot
// be read.
QString readTrimmed(const QString& path);

// Parses an unsigned decimal number made of digits only.
std::optional<std::uint64_t> parseUnsigned(std::string_view text);

// The value of "Key:   123 kB"-style lines: the first number after `key`
// and its colon, or nothing when the key is missing.
std::optional<std::uint64_t> keyedNumber(std::string_view text, std::string_view key);

// The fields of /proc/<pid>/stat this system reads.
struct ProcStat {
    std::string comm;          // the short command name, without parentheses
    int ppid = 0;
    std::uint64_t utime = 0;   // clock ticks
    std::uint64_t stime = 0;   // clock ticks
    std::int64_t threads = 0;
    std::uint64_t startTime = 0;  // clock ticks after boot
    std::uint64_t rssPages = 0;
};
// Parses a stat line; the command name may hold spaces and parentheses.
std::optional<ProcStat> parseStat(std::string_view line);

// Clock ticks per second of the times in /proc.
std::uint64_t ticksPerSecond();
// Bytes per memory page.
std::uint64_t pageSize();

} // namespace velk::platform::procfiles
