#include "engine/cleaning/LargeFileUnitWalk.h"

#include "platform/DirectoryWalker.h"

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
    platform::walkDirectory(unit.nativePath, options, [&](const platform::WalkEntry& entry) {
        ++result.visited;
        if (result.visited % kProgressEvery == 0)
            report();
        if (entry.kind == platform::EntryKind::Directory) {
            const QByteArray path = QByteArray::fromRawData(entry.nativePath.data(),
                                                            static_cast<qsizetype>(entry.nativePath.size()));
            if (!unit.skipped.isEmpty() && unit.skipped.contains(path))
                return platform::WalkAction::SkipChildren;
            if (entry.isMountPoint)
                result.mounts.append(QByteArray(path.constData(), path.size()));  // a deep copy
            return platform::WalkAction::Continue;
        }
        if (entry.kind == platform::EntryKind::File && entry.size >= minimumSizeBytes) {
            result.found.append(foundFile(entry));
            report();
        }
        return platform::WalkAction::Continue;
    });
    return result;
}

} // namespace velk
