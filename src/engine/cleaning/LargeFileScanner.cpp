#include "engine/cleaning/LargeFileScanner.h"

#include "engine/cleaning/LargeFileScanPlan.h"
#include "engine/cleaning/LargeFileScanTally.h"
#include "engine/cleaning/LargeFileUnitWalk.h"
#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <set>
#include <utility>

namespace velk::cleaning {
namespace {

// Enough units that workers finishing early find more to do.
constexpr int kUnitsPerWorker = 4;

// Largest first; equal sizes newest first, a file without a date last;
// then by path, so that the order does not hang on which walker found what.
// A file reached by several paths (hard links, a mount showing it again) is
// kept once, by its first path.
void sortFound(QList<FileItem>& found)
{
    std::sort(found.begin(), found.end(), [](const FileItem& a, const FileItem& b) {
        if (a.size != b.size)
            return a.size > b.size;
        if (a.modificationDate.has_value() != b.modificationDate.has_value())
            return a.modificationDate.has_value();
        if (a.modificationDate && *a.modificationDate != *b.modificationDate)
            return *a.modificationDate > *b.modificationDate;
        return a.nativePath < b.nativePath;
    });
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    found.removeIf([&seen](const FileItem& item) {
        return item.identity && !seen.emplace(item.identity->object.device, item.identity->object.inode).second;
    });
}

// One running scan: its units, shared totals and the files found so far.
// Units are added while it runs for the local mounts its walks meet (walks
// never cross into another mount themselves); the last unit to
// finish (or the starter, when none runs) completes it.
class ScanRun : public std::enable_shared_from_this<ScanRun> {
public:
    ScanRun(LargeFileScanPlan plan, std::int64_t minimum, std::shared_ptr<LargeFileScanStop> stop,
            LargeFileScanner::Progress progress, LargeFileScanner::Completion done, platform::core::Executor* executor)
        : m_plan(std::move(plan))
        , m_minimum(minimum)
        , m_stop(std::move(stop))
        , m_progress(std::move(progress))
        , m_done(std::move(done))
        , m_executor(executor)
        , m_found(m_plan.rootFiles)
    {
    }

    void start()
    {
        const int rootsSlot = m_tally.add(QString());  // what lies directly in split folders
        if ((m_plan.rootEntries > 0 || !m_plan.rootFiles.isEmpty()) && !m_stop->isStopped())
            report(m_tally.record(rootsSlot, m_plan.rootEntries, m_plan.rootFiles.size()));
        for (const LargeFileScanUnit& unit : std::as_const(m_plan.units)) {
            if (m_stop->isStopped())
                break;
            add(unit);
        }
        finishSome(1);  // the starter's own share
    }

private:
    void add(const LargeFileScanUnit& unit)
    {
        m_pending.fetch_add(1, std::memory_order_acq_rel);
        const int slot = m_tally.add(unit.path);
        m_executor->run(platform::core::Priority::UserInitiated,
                        [self = shared_from_this(), unit, slot] { self->walk(unit, slot); });
    }

    void report(const LargeFileScanTally::Totals& totals) const
    {
        if (m_progress)
            m_progress(totals.visited, totals.matched, totals.folder);
    }

    void walk(const LargeFileScanUnit& unit, int slot)
    {
        if (!m_stop->isStopped()) {
            report(m_tally.begin(slot));
            LargeFileUnitResult result = walkLargeFileUnit(
                unit, m_minimum, *m_stop, [this, slot](std::int64_t visited, std::int64_t matched) {
                    report(m_tally.record(slot, visited, matched));
                });
            if (!m_stop->isStopped()) {
                report(m_tally.record(slot, result.visited, result.found.size()));
                // Each mount has one mount point, so the units a scan adds
                // are bounded by the mount table.
                for (const QByteArray& mount : std::as_const(result.mounts)) {
                    if (std::optional<LargeFileScanUnit> inner = mountUnit(m_plan, mount, unit))
                        add(*inner);
                }
            }
            report(m_tally.end(slot));
            std::lock_guard lock(m_foundLock);
            m_found << result.found;
        }
        finishSome(1);
    }

    void finishSome(int count)
    {
        if (m_pending.fetch_sub(count, std::memory_order_acq_rel) != count)
            return;
        QList<FileItem> found;
        if (!m_stop->isStopped()) {
            std::lock_guard lock(m_foundLock);
            found = std::move(m_found);
            sortFound(found);
        }
        if (m_done)
            m_done(std::move(found));
    }

    const LargeFileScanPlan m_plan;
    LargeFileScanTally m_tally;
    const std::int64_t m_minimum;
    const std::shared_ptr<LargeFileScanStop> m_stop;
    const LargeFileScanner::Progress m_progress;
    const LargeFileScanner::Completion m_done;
    platform::core::Executor* const m_executor;
    std::mutex m_foundLock;
    QList<FileItem> m_found;
    std::atomic<int> m_pending{1};  // the units running or queued, and the starter
};

} // namespace

void LargeFileScanner::scan(const QStringList& roots, std::shared_ptr<LargeFileScanStop> stop, Progress progress,
                            Completion done) const
{
    if (!stop)
        stop = std::make_shared<LargeFileScanStop>();
    LargeFileScanPlan plan;
    if (!stop->isStopped())
        plan = planLargeFileScan(roots, minimumSizeBytes, kUnitsPerWorker * std::max(1, QThread::idealThreadCount()));
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    const auto run = std::make_shared<ScanRun>(std::move(plan), minimumSizeBytes, std::move(stop),
                                               std::move(progress), std::move(done), executor);
    run->start();
}

QList<FileItem> LargeFileScanner::scanAndWait(const QStringList& roots, std::shared_ptr<LargeFileScanStop> stop,
                                              Progress progress) const
{
    struct Waiter {
        std::mutex lock;
        std::condition_variable ready;
        bool done = false;
        QList<FileItem> found;
    };
    const auto waiter = std::make_shared<Waiter>();
    scan(roots, std::move(stop), std::move(progress), [waiter](QList<FileItem> found) {
        std::lock_guard lock(waiter->lock);
        waiter->found = std::move(found);
        waiter->done = true;
        waiter->ready.notify_all();
    });
    std::unique_lock lock(waiter->lock);
    waiter->ready.wait(lock, [&] { return waiter->done; });
    return std::move(waiter->found);
}

} // namespace velk::cleaning
