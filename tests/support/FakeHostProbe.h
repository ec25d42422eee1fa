#pragma once

#include "platform/host/HostProbe.h"

namespace velk::test {

// Host probe double: every figure is a field the test sets.
class FakeHostProbe final : public platform::host::HostProbe {
public:
    std::optional<std::vector<platform::host::CpuLoad>> load;
    QString brand;
    std::uint64_t page = 16384;
    std::uint64_t memory = 0;
    std::optional<platform::host::VmPages> vm;
    std::optional<std::uint64_t> swap;
    double uptimeSeconds = 0;
    std::optional<platform::host::VolumeCapacity> volume;
    std::optional<platform::host::FileSystemSize> fileSystem;
    mutable QString lastVolumePath;

    std::optional<std::vector<platform::host::CpuLoad>> processorLoad() const override { return load; }
    std::optional<int> logicalCpuCount() const override
    {
        return load ? std::optional<int>(static_cast<int>(load->size())) : std::nullopt;
    }
    QString cpuBrand() const override { return brand; }
    std::uint64_t pageSize() const override { return page; }
    std::uint64_t physicalMemory() const override { return memory; }
    std::optional<platform::host::VmPages> vmStatistics() const override { return vm; }
    std::optional<std::uint64_t> swapUsed() const override { return swap; }
    double uptime() const override { return uptimeSeconds; }
    std::optional<platform::host::VolumeCapacity> volumeCapacity(const QString& path) const override
    {
        lastVolumePath = path;
        return volume;
    }
    std::optional<platform::host::FileSystemSize> fileSystemSize(const QString& path) const override
    {
        lastVolumePath = path;
        return fileSystem;
    }
};

} // namespace velk::test
