#include "platform/host/HostProbe.h"

#include "platform/core/Clock.h"
#include "platform/files/ProcFiles.h"

#include <QFile>
#include <string>
#include <string_view>
#include <sys/statvfs.h>

namespace velk::platform::host {
namespace {

std::optional<std::int64_t> toSigned(std::uint64_t value)
{
    if (value > static_cast<std::uint64_t>(INT64_MAX))
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

class ProcHostProbe final : public HostProbe {
public:
    explicit ProcHostProbe(const QString& procRoot) : m_root(procRoot.toStdString()) {}

    std::optional<std::vector<CpuLoad>> processorLoad() const override
    {
        std::string text;
        if (!files::procfiles::read(m_root + "/stat", text))
            return std::nullopt;
        std::vector<CpuLoad> cpus;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            const std::string_view line = std::string_view(text).substr(at, end - at);
            at = end + 1;
            // "cpuN user nice system idle iowait irq softirq steal ..."; the
            // summary line "cpu " is not a CPU of its own.
            if (line.size() < 4 || line.substr(0, 3) != "cpu" || line[3] < '0' || line[3] > '9')
                continue;
            std::uint64_t values[8] = {};
            std::string_view rest = line.substr(line.find(' ') == std::string_view::npos ? line.size() : line.find(' '));
            for (std::uint64_t& value : values) {
                const std::size_t begin = rest.find_first_not_of(' ');
                if (begin == std::string_view::npos)
                    break;
                rest.remove_prefix(begin);
                const std::size_t stop = std::min(rest.find(' '), rest.size());
                value = files::procfiles::parseUnsigned(rest.substr(0, stop)).value_or(0);
                rest.remove_prefix(stop);
            }
            const auto& [user, nice, system, idle, iowait, irq, softirq, steal] = values;
            cpus.push_back({user, system + irq + softirq + steal, idle + iowait, nice});
        }
        if (cpus.empty())
            return std::nullopt;
        return cpus;
    }

    std::optional<int> logicalCpuCount() const override
    {
        const auto load = processorLoad();
        if (!load)
            return std::nullopt;
        return static_cast<int>(load->size());
    }

    QString cpuBrand() const override
    {
        std::string text;
        if (!files::procfiles::read(m_root + "/cpuinfo", text))
            return {};
        // x86 names the brand "model name"; ARM kernels give "Model" or
        // "Hardware" instead.
        for (const std::string_view key : {"model name", "Model", "Hardware"}) {
            std::size_t at = 0;
            while (at < text.size()) {
                const std::size_t end = std::min(text.find('\n', at), text.size());
                const std::string_view line = std::string_view(text).substr(at, end - at);
                at = end + 1;
                if (line.substr(0, key.size()) != key)
                    continue;
                const std::size_t colon = line.find(':');
                if (colon == std::string_view::npos || line.find_first_not_of(" \t", key.size()) != colon)
                    continue;
                return QString::fromUtf8(line.substr(colon + 1)).trimmed();
            }
        }
        return {};
    }

    std::uint64_t pageSize() const override { return files::procfiles::pageSize(); }

    std::uint64_t physicalMemory() const override
    {
        std::string text;
        if (!files::procfiles::read(m_root + "/meminfo", text))
            return 0;
        return files::procfiles::keyedNumber(text, "MemTotal").value_or(0) * 1024;
    }

    std::optional<VmPages> vmStatistics() const override
    {
        std::string text;
        if (!files::procfiles::read(m_root + "/meminfo", text))
            return std::nullopt;
        const auto kb = [&](std::string_view key) { return files::procfiles::keyedNumber(text, key); };
        const auto memFree = kb("MemFree");
        if (!memFree)
            return std::nullopt;
        const std::uint64_t shmem = kb("Shmem").value_or(0);
        // What the kernel can hand out without swapping, beyond the free
        // pages, counts as reclaimable cache.
        std::uint64_t available = 0;
        if (const auto a = kb("MemAvailable")) {
            available = *a;
        } else {
            const std::uint64_t caches = kb("Cached").value_or(0) + kb("Buffers").value_or(0) + kb("SReclaimable").value_or(0);
            available = *memFree + (caches > shmem ? caches - shmem : 0);
        }
        const std::uint64_t page = pageSize() / 1024;
        const auto pages = [page](std::uint64_t kib) { return page ? kib / page : 0; };
        VmPages vm;
        vm.free = pages(*memFree);
        vm.inactive = pages(available > *memFree ? available - *memFree : 0);
        vm.active = pages(kb("AnonPages").value_or(0) + shmem);
        vm.wired = pages(kb("SUnreclaim").value_or(0) + kb("KernelStack").value_or(0) + kb("PageTables").value_or(0));
        vm.compressor = pages(kb("Zswap").value_or(0));
        vm.speculative = 0;
        return vm;
    }

    std::optional<std::uint64_t> swapUsed() const override
    {
        std::string text;
        if (!files::procfiles::read(m_root + "/meminfo", text))
            return std::nullopt;
        const auto total = files::procfiles::keyedNumber(text, "SwapTotal");
        const auto free = files::procfiles::keyedNumber(text, "SwapFree");
        if (!total || !free)
            return std::nullopt;
        return (*total > *free ? *total - *free : 0) * 1024;
    }

    double uptime() const override { return core::secondsSinceBoot(); }

    std::optional<VolumeCapacity> volumeCapacity(const QString& path) const override
    {
        const auto size = fileSystemSize(path);
        if (!size)
            return std::nullopt;
        VolumeCapacity capacity;
        capacity.total = size->size;
        capacity.available = size->freeSize;
        capacity.reserved = size->reservedSize;
        return capacity;
    }

    std::optional<FileSystemSize> fileSystemSize(const QString& path) const override
    {
        struct statvfs info {};
        if (::statvfs(QFile::encodeName(path).constData(), &info) != 0)
            return std::nullopt;
        return fileSystemSizeOfBlocks(info.f_blocks, info.f_bfree, info.f_bavail,
                                      info.f_frsize ? info.f_frsize : info.f_bsize);
    }

private:
    std::string m_root;
};

} // namespace

FileSystemSize fileSystemSizeOfBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                                      std::uint64_t blockSize)
{
    // Some file systems give more blocks available than free; none is then
    // reserved.
    const std::uint64_t reservedBlocks = freeBlocks > availableBlocks ? freeBlocks - availableBlocks : 0;
    return FileSystemSize{toSigned(blocks * blockSize), toSigned(availableBlocks * blockSize),
                          toSigned(reservedBlocks * blockSize).value_or(0)};
}

std::shared_ptr<HostProbe> HostProbe::createDefault()
{
    return fromProc(QStringLiteral("/proc"));
}

std::shared_ptr<HostProbe> HostProbe::fromProc(const QString& procRoot)
{
    return std::make_shared<ProcHostProbe>(procRoot);
}

} // namespace velk::platform::host
