#pragma once

#include "platform/HostProbe.h"

namespace velk::test {

// Host probe double: every figure is a field the test sets.
class FakeHostProbe final : public platform::HostProbe {
public:
    std::optional<std::vector<platform::CpuLoad>> load;
    QString brand;
    std::uint64_t page = 16384;
    std::uint64_t memory = 0;
    std::optional<platform::VmPages> vm;
    std::optional<std::uint64_t> swap;
    double uptimeSeconds = 0;
    std::optional<platform::VolumeCapacity> volume;
    std::optional<platform::FileSystemSize> fileSystem;
    mutable QString lastVolumePath;

    std::optional<std::vector<platform::CpuLoad>> processorLoad() const override { return load; }
    std::optional<int> logicalCpuCount() const override
    {
        return load ? std::optional<int>(static_cast<int>(load->size())) : std::nullopt;
    }
    QString cpuBrand() const override { return brand; }
    std::uint64_t pageSize() const override { return page; }
    std::uint64_t physicalMemory() const override { return memory; }
    std::optional<platform::VmPages> vmStatistics() const override { return vm; }
    std::optional<std::uint64_t> swapUsed() const override { return swap; }
    double uptime() const override { return uptimeSeconds; }
    std::optional<platform::VolumeCapacity> volumeCapacity(const QString& path) const override
    {
        lastVolumePath = path;
        return volume;
    }
    std::optional<platform::FileSystemSize> fileSystemSize(const QString& path) const override
    {
        lastVolumePath = path;
        return fileSystem;
    }
};

} // namespace velk::test
