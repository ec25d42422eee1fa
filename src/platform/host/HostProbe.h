#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velk::platform::host {

// Load counters of one logical CPU since boot, in scheduler ticks.
struct CpuLoad {
    std::uint64_t user = 0;
    std::uint64_t system = 0;
    std::uint64_t idle = 0;
    std::uint64_t nice = 0;
};

// Page counts of the machine's memory, sorted into the classes the monitor
// shows: free, in use by programs (active), reclaimable caches (inactive),
// held by the kernel (wired), compressed, and speculative read-ahead.
struct VmPages {
    std::uint64_t free = 0;
    std::uint64_t active = 0;
    std::uint64_t inactive = 0;
    std::uint64_t wired = 0;
    std::uint64_t speculative = 0;
    std::uint64_t compressor = 0;
};

// Capacity of the volume holding a path, as the volume reports it.
// `reserved` is space that is neither in use nor available to the user
// (blocks kept for the superuser).
struct VolumeCapacity {
    std::optional<std::int64_t> total;
    std::optional<std::int64_t> available;
    std::optional<std::int64_t> availableForImportantUsage;
    std::int64_t reserved = 0;
};

// Size and free space from the file system's own attributes; `freeSize` is
// what the user may still write, `reservedSize` free space kept from them.
struct FileSystemSize {
    std::optional<std::int64_t> size;
    std::optional<std::int64_t> freeSize;
    std::int64_t reservedSize = 0;
};

// A file system's block counts in units of `blockSize` (all blocks, free
// blocks, blocks free to an unprivileged user) in bytes, as df reads them:
// in use are all blocks but the free ones, so the reserve counts as neither
// used nor available.
FileSystemSize fileSystemSizeOfBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                                      std::uint64_t blockSize);

// Host-wide figures: CPU load, memory, swap, uptime and volume capacity.
class HostProbe {
public:
    virtual ~HostProbe() = default;

    // One entry per logical CPU in the kernel's order; absent on failure.
    virtual std::optional<std::vector<CpuLoad>> processorLoad() const = 0;
    virtual std::optional<int> logicalCpuCount() const = 0;
    // The CPU's brand text; empty when unknown.
    virtual QString cpuBrand() const = 0;

    virtual std::uint64_t pageSize() const = 0;
    // Physical memory in bytes; 0 when unknown.
    virtual std::uint64_t physicalMemory() const = 0;
    virtual std::optional<VmPages> vmStatistics() const = 0;
    // Bytes of swap in use.
    virtual std::optional<std::uint64_t> swapUsed() const = 0;

    // Seconds since boot.
    virtual double uptime() const = 0;

    virtual std::optional<VolumeCapacity> volumeCapacity(const QString& path) const = 0;
    virtual std::optional<FileSystemSize> fileSystemSize(const QString& path) const = 0;

    static std::shared_ptr<HostProbe> createDefault();
    // Reads the /proc figures from `procRoot` (a folder laid out like /proc).
    static std::shared_ptr<HostProbe> fromProc(const QString& procRoot);
};

} // namespace velk::platform::host
