#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <mutex>
#include <vector>

namespace velk::cleaning {

// The running totals of one large-file scan, shared by its work units: each
// unit's latest counts, their sums and the units being walked in the order
// they began. The lock is held only for the updates and sums, never while
// the caller reports them.
class LargeFileScanTally {
public:
    struct Totals {
        std::int64_t visited = 0;
        std::int64_t matched = 0;
        QString folder;  // the longest-running unit still walked, by its last name
    };

    // A unit of the scan, named by `path`; returns its slot.
    int add(const QString& path);
    // A unit begins; the folder falls back to "" when none is active.
    Totals begin(int unit);
    // Replaces a unit's counts; the folder falls back to the unit's own.
    Totals record(int unit, std::int64_t visited, std::int64_t matched);
    // A unit is done; the folder falls back to "" when none is active.
    Totals end(int unit);

private:
    Totals totalsLocked(const QString& fallback) const;

    mutable std::mutex m_lock;
    QStringList m_paths;
    std::vector<std::int64_t> m_visited;
    std::vector<std::int64_t> m_matched;
    std::int64_t m_visitedSum = 0;
    std::int64_t m_matchedSum = 0;
    std::vector<int> m_active;
};

} // namespace velk::cleaning
