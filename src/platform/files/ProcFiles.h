#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk::platform::files::procfiles {

// Reads a small kernel text file (whose reported size is usually 0) whole
// into `out`. False when it cannot be opened or read.
bool read(const std::string& path, std::string& out);
// Reads a kernel text file below the folder open at `dirFd` that the kernel
// writes in one piece (a process's stat, statm or status) into `buffer`,
// which keeps its size between calls so that it is allocated once. One read
// takes the whole file when it fits; a read that fills the buffer grows it
// and goes on. The byte count, or nothing when the file cannot be read.
std::optional<std::size_t> readWhole(int dirFd, const char* path, std::string& buffer);
// The same file as text with surrounding blanks removed; empty when it cannot
// be read.
QString readTrimmed(const QString& path);

// Parses an unsigned decimal number made of digits only.
std::optional<std::uint64_t> parseUnsigned(std::string_view text);

// The ids of the processes listed in an open /proc folder, ascending;
// `buffer` is the caller's reused listing buffer.
std::vector<int> processIds(int procRootFd, std::string& buffer);

// The value of "Key:   123 kB"-style lines: the first number after `key`
// and its colon, or nothing when the key is missing.
std::optional<std::uint64_t> keyedNumber(std::string_view text, std::string_view key);

// The fields of /proc/<pid>/stat this system reads.
struct ProcStat {
    std::string comm;          // the short command name, without parentheses
    char state = '?';          // R, S, D, Z, ...
    int ppid = 0;
    std::uint64_t flags = 0;   // the kernel's PF_* flags
    std::uint64_t utime = 0;   // clock ticks
    std::uint64_t stime = 0;   // clock ticks
    std::int64_t threads = 0;
    std::uint64_t startTime = 0;  // clock ticks after boot
    // Where the program's code and stack lie, set anew when the process runs
    // another program (the stack's place is random on each run). The kernel
    // tells them only to a reader allowed to inspect the process: any other
    // reads 0 or 1 here, and so does a line that ends before them.
    std::uint64_t startCode = 0;
    std::uint64_t endCode = 0;
    std::uint64_t startStack = 0;
};
// Parses a stat line; the command name may hold spaces and parentheses.
std::optional<ProcStat> parseStat(std::string_view line);

// The fields of /proc/<pid>/statm this system reads, in pages. The resident
// size here is exact; the one in stat is kept from per-CPU counters that lag
// behind by up to a few dozen pages, which is much of a small process.
struct ProcStatm {
    std::uint64_t resident = 0;
    std::uint64_t shared = 0;   // file-backed resident pages
    std::uint64_t text = 0;     // the program's code, told to every reader

    // The pages the process alone holds: resident less file-backed ones.
    std::uint64_t footprintPages() const { return resident > shared ? resident - shared : 0; }
};
std::optional<ProcStatm> parseStatm(std::string_view line);

// The flag of ProcStat::flags that marks a kernel thread.
constexpr std::uint64_t kKernelThreadFlag = 0x00200000;

// Clock ticks per second of the times in /proc.
std::uint64_t ticksPerSecond();
// Bytes per memory page.
std::uint64_t pageSize();

} // namespace velk::platform::files::procfiles
