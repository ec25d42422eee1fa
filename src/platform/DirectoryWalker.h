#pragma once

#include <QString>
#include <QStringView>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace velk::platform {

// Extensions of bundles that a walk treats as opaque packages (compared
// without regard to case).
bool isPackageName(QStringView name);
// The same test on a file name as the file system spells it (UTF-8 bytes).
bool isPackageNameUtf8(std::string_view name);

enum class EntryKind { File, Directory, Symlink, Other };

struct WalkEntry {
    QString path;           // absolute path
    QStringView name;       // last component (valid during the callback)
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;  // logical size (st_size); 0 for folders
    std::optional<std::int64_t> modifiedMs;  // content modification, ms since epoch
    int depth = 0;          // 1 for direct children of the root
    bool isPackage = false; // a folder whose name has a package extension
};

enum class WalkAction { Continue, SkipChildren, Stop };

struct WalkOptions {
    bool skipHidden = true;              // names starting with '.'
    bool skipPackageDescendants = true;  // yield the package, not its contents
    int maxDepth = -1;                   // -1: unlimited
    const std::atomic_bool* cancel = nullptr;
};

// Walks `root` depth-first with openat/fstatat, never following symbolic
// links and passing silently over folders it cannot read. `root` itself is
// not yielded; it may be a link to a folder, but no link below it is
// entered. Entries whose attributes cannot be read are not yielded. A walk
// from "/" does not enter the pseudo file systems (/proc, /sys, /dev, /run).
void walkDirectory(const QString& root, const WalkOptions& options,
                   const std::function<WalkAction(const WalkEntry&)>& visit);

// Sum of the logical sizes of the regular files below `root`, skipping
// hidden entries, package contents and links. 0 when `root` cannot be read.
std::int64_t regularFileBytes(const QString& root, std::uint64_t* entriesSeen = nullptr);

} // namespace velk::platform
