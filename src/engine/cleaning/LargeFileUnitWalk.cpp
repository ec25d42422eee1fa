#include "engine/cleaning/LargeFileUnitWalk.h"

#include "platform/DirectoryWalker.h"

#include <QDateTime>

namespace velk {
namespace {

constexpr std::int64_t kProgressEvery = 500;

} // namespace

LargeFileUnitResult walkLargeFileUnit(const LargeFileScanUnit& unit, std::int64_t minimumSizeBytes,
                                      const LargeFileScanStop& stop, const LargeFileUnitProgress& progress)
{
    LargeFileUnitResult result;
    platform::WalkOptions options;
    options.skipHidden = false;
    options.skipPackageDescendants = false;
    options.cancel = &stop.flag();
    const auto report = [&] {
        if (progress && !stop.isStopped())
            progress(result.visited, result.found.size());
    };
    platform::walkDirectory(unit.path, options, [&](const platform::WalkEntry& entry) {
        ++result.visited;
        if (result.visited % kProgressEvery == 0)
            report();
        if (entry.kind == platform::EntryKind::Directory) {
            const bool skip = !unit.skipped.isEmpty() && unit.skipped.contains(entry.path);
            return skip ? platform::WalkAction::SkipChildren : platform::WalkAction::Continue;
        }
        if (entry.kind == platform::EntryKind::File && entry.size >= minimumSizeBytes) {
            std::optional<QDateTime> date;
            if (entry.modifiedMs)
                date = QDateTime::fromMSecsSinceEpoch(*entry.modifiedMs);
            result.found.append(FileItem(entry.path, entry.size, date, FileItem::ItemType::File));
            report();
        }
        return platform::WalkAction::Continue;
    });
    return result;
}

} // namespace velk
