#include "engine/cleaning/LargeFileScanner.h"

#include "engine/cleaning/LargeFileScanPlan.h"
#include "engine/cleaning/LargeFileScanTally.h"
#include "engine/cleaning/LargeFileUnitWalk.h"
#include "platform/Executor.h"
#include "platform/ServiceRegistry.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>

namespace velk {
namespace {

// Enough units that workers finishing early find more to do.
constexpr int kUnitsPerWorker = 4;

// Largest first; equal sizes newest first, a file without a date last.
void sortFound(QList<FileItem>& found)
{
    std::stable_sort(found.begin(), found.end(), [](const FileItem& a, const FileItem& b) {
        if (a.size != b.size)
            return a.size > b.size;
        if (a.modificationDate.has_value() != b.modificationDate.has_value())
            return a.modificationDate.has_value();
        return a.modificationDate && *a.modificationDate > *b.modificationDate;
    });
}

// One running scan: its units, shared totals and the files found so far.
// The last unit to finish (or the starter, when none runs) completes it.
class ScanRun : public std::enable_shared_from_this<ScanRun> {
public:
    ScanRun(LargeFileScanPlan plan, std::int64_t minimum, std::shared_ptr<LargeFileScanStop> stop,
            LargeFileScanner::Progress progress, LargeFileScanner::Completion done)
        : m_plan(std::move(plan))
        , m_tally(unitPaths(m_plan))
        , m_minimum(minimum)
        , m_stop(std::move(stop))
        , m_progress(std::move(progress))
        , m_done(std::move(done))
        , m_found(m_plan.rootFiles)
        , m_pending(m_plan.units.size() + 1)
    {
    }

    void start(platform::Executor* executor)
    {
        const int rootsSlot = static_cast<int>(m_plan.units.size());
        if ((m_plan.rootEntries > 0 || !m_plan.rootFiles.isEmpty()) && !m_stop->isStopped())
            report(m_tally.record(rootsSlot, m_plan.rootEntries, m_plan.rootFiles.size()));
        qsizetype added = 0;
        for (; added < m_plan.units.size(); ++added) {
            if (m_stop->isStopped())
                break;
            executor->run(platform::Priority::UserInitiated,
                          [self = shared_from_this(), unit = static_cast<int>(added)] { self->walk(unit); });
        }
        // The units never added, and the starter itself.
        finishSome(m_plan.units.size() - added + 1);
    }

private:
    static QStringList unitPaths(const LargeFileScanPlan& plan)
    {
        QStringList paths;
        for (const LargeFileScanUnit& unit : plan.units)
            paths << unit.path;
        paths << QString();  // the files lying directly in split roots
        return paths;
    }

    void report(const LargeFileScanTally::Totals& totals) const
    {
        if (m_progress)
            m_progress(totals.visited, totals.matched, totals.folder);
    }

    void walk(int unit)
    {
        if (!m_stop->isStopped()) {
            report(m_tally.begin(unit));
            LargeFileUnitResult result = walkLargeFileUnit(
                m_plan.units[unit], m_minimum, *m_stop, [this, unit](std::int64_t visited, std::int64_t matched) {
                    report(m_tally.record(unit, visited, matched));
                });
            if (!m_stop->isStopped())
                report(m_tally.record(unit, result.visited, result.found.size()));
            report(m_tally.end(unit));
            std::lock_guard lock(m_foundLock);
            m_found << result.found;
        }
        finishSome(1);
    }

    void finishSome(qsizetype count)
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
    std::mutex m_foundLock;
    QList<FileItem> m_found;
    std::atomic<qsizetype> m_pending;
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
    platform::Executor* executor = platform::service<platform::Executor>().get();
    const auto run = std::make_shared<ScanRun>(std::move(plan), minimumSizeBytes, std::move(stop),
                                               std::move(progress), std::move(done));
    run->start(executor);
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

} // namespace velk
