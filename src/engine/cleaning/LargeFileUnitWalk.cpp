#include "engine/cleaning/LargeFileUnitWalk.h"

#include "platform/files/ParallelWalk.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

namespace velk::cleaning {
namespace {

constexpr std::int64_t kProgressEvery = 500;

// What one walker of the unit's walk has found, touched by that walker
// alone (the counts are also read by whichever walker reports progress).
struct alignas(64) WalkerFinds {
    std::atomic<std::int64_t> visited{0};
    std::atomic<std::int64_t> matched{0};
    QList<FileItem> found;
    QList<QByteArray> mounts;
};

class UnitWalk {
public:
    UnitWalk(const LargeFileScanStop& stop, const LargeFileUnitProgress& progress)
        : m_stop(stop)
        , m_progress(progress)
    {
    }

    WalkerFinds& walker(unsigned index) { return m_walkers[index]; }

    // The unit's running counts, when no other walker is reporting them:
    // walkers never wait on each other for progress, and the counts one
    // report gives are never below those of the report before.
    void report()
    {
        if (!m_progress || m_stop.isStopped())
            return;
        std::unique_lock lock(m_reporting, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        std::int64_t visited = 0;
        std::int64_t matched = 0;
        for (const WalkerFinds& w : m_walkers) {
            visited += w.visited.load(std::memory_order_relaxed);
            matched += w.matched.load(std::memory_order_relaxed);
        }
        if (!m_stop.isStopped())
            m_progress(visited, matched);
    }

    LargeFileUnitResult result()
    {
        LargeFileUnitResult result;
        for (WalkerFinds& w : m_walkers) {
            result.visited += w.visited.load(std::memory_order_relaxed);
            result.found << std::move(w.found);
            result.mounts << std::move(w.mounts);
        }
        return result;
    }

private:
    const LargeFileScanStop& m_stop;
    const LargeFileUnitProgress& m_progress;
    std::mutex m_reporting;
    std::array<WalkerFinds, platform::files::parallelwalk::kThreadCeiling> m_walkers;
};

} // namespace

LargeFileUnitResult walkLargeFileUnit(const LargeFileScanUnit& unit, std::int64_t minimumSizeBytes,
                                      const LargeFileScanStop& stop, const LargeFileUnitProgress& progress)
{
    platform::files::WalkOptions options;
    options.skipHidden = false;
    options.skipPackageDescendants = false;
    options.cancel = &stop.flag();
    options.displayPaths = false;
    const auto walk = std::make_unique<UnitWalk>(stop, progress);
    platform::files::parallelWalk(unit.nativePath, options, [&](const platform::files::WalkEntry& entry, unsigned index) {
        WalkerFinds& mine = walk->walker(index);
        const std::int64_t visited = mine.visited.load(std::memory_order_relaxed) + 1;
        mine.visited.store(visited, std::memory_order_relaxed);
        if (visited % kProgressEvery == 0)
            walk->report();
        if (entry.kind == platform::files::EntryKind::Directory) {
            const QByteArray path = QByteArray::fromRawData(entry.nativePath.data(),
                                                            static_cast<qsizetype>(entry.nativePath.size()));
            if (!unit.skipped.isEmpty() && unit.skipped.contains(path))
                return platform::files::WalkAction::SkipChildren;
            if (entry.isMountPoint)
                mine.mounts.append(QByteArray(path.constData(), path.size()));  // a deep copy
            return platform::files::WalkAction::Continue;
        }
        if (entry.kind == platform::files::EntryKind::File && entry.size >= minimumSizeBytes) {
            mine.found.append(foundFile(entry));
            mine.matched.store(mine.found.size(), std::memory_order_relaxed);
            walk->report();
        }
        return platform::files::WalkAction::Continue;
    });
    return walk->result();
}

} // namespace velk::cleaning
