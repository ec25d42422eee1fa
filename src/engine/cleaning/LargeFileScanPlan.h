#pragma once

#include "engine/cleaning/FileItem.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

namespace velk::platform::files {
struct WalkEntry;
}

namespace velk::cleaning {

// A folder whose whole subtree one work job of a large-file scan walks.
struct LargeFileScanUnit {
    QByteArray nativePath;  // as the file system spells it
    QString path;           // for display and comparisons
    // Folders strictly below that the walk does not enter: other volumes'
    // folders, pseudo file systems, network and virtual mounts.
    QSet<QByteArray> skipped;
};

// Where the units of one scan may not lead (see planLargeFileScan).
class LargeFileScanExclusions;

// What a large-file scan walks: its roots split into units, and what the
// split itself found.
struct LargeFileScanPlan {
    QList<LargeFileScanUnit> units;
    // Files of at least the minimum lying directly in a root or unit that
    // was split into its sub-folders (the units do not cover them).
    QList<FileItem> rootFiles;
    // Entries of split folders that are not units.
    std::int64_t rootEntries = 0;
    std::shared_ptr<const LargeFileScanExclusions> exclusions;
};

// Splits `roots` into work units: roots are cleaned, nested and repeated
// roots dropped, and each root becomes its sub-folders (hidden ones
// included; links, other volumes and pseudo file systems left out) or, when
// it has none, a unit of its own. While there are fewer units than
// `unitTarget`, units are split the same way into their sub-folders, a few
// levels deep at most.
LargeFileScanPlan planLargeFileScan(const QStringList& roots, std::int64_t minimumSizeBytes, int unitTarget = 0);

// A unit for a mount the walk of `from` met (walks never cross into another
// mount), or nothing when the scan leaves that mount out: a network or
// virtual file system, or a place a walk from `from` does not go.
std::optional<LargeFileScanUnit> mountUnit(const LargeFileScanPlan& plan, const QByteArray& mountPath,
                                           const LargeFileScanUnit& from);

// The record of a regular file a walk found.
FileItem foundFile(const platform::files::WalkEntry& entry);

} // namespace velk::cleaning
