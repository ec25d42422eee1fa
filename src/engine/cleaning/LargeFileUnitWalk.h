#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/LargeFileScanPlan.h"
#include "engine/cleaning/LargeFileScanner.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <functional>

namespace velk::cleaning {

// What the walk of one work unit found.
struct LargeFileUnitResult {
    std::int64_t visited = 0;  // entries below the unit looked at
    QList<FileItem> found;     // regular files of at least the minimum, in no set order
    QList<QByteArray> mounts;  // mount points met and, like every walk, not entered
};

// Called with the unit's running counts (visited, found).
using LargeFileUnitProgress = std::function<void(std::int64_t visited, std::int64_t matched)>;

// Walks the whole subtree of `unit` with the platform's parallel walk,
// hidden entries and package contents included, never following a link,
// never entering the unit's skipped folders or another mount, and keeps the
// regular files of at least `minimumSizeBytes`. While not stopped, reports
// progress every 500 entries a walker looks at and after each find, from
// the walkers' threads but one report at a time, with counts that never go
// down (a report due while another is made is left out). Ends at the next
// entry once `stop` is set.
LargeFileUnitResult walkLargeFileUnit(const LargeFileScanUnit& unit, std::int64_t minimumSizeBytes,
                                      const LargeFileScanStop& stop, const LargeFileUnitProgress& progress);

} // namespace velk::cleaning
