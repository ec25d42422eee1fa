#pragma once

#include <QString>
#include <QStringView>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

namespace velk::platform {

// Extensions of bundles that a walk treats as opaque packages.
bool isPackageName(QStringView name);

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
// not yielded.
void walkDirectory(const QString& root, const WalkOptions& options,
                   const std::function<WalkAction(const WalkEntry&)>& visit);

// Sum of the logical sizes of the regular files below `root`, skipping
// hidden entries, package contents and links. 0 when `root` cannot be read.
std::int64_t regularFileBytes(const QString& root, std::uint64_t* entriesSeen = nullptr);

} // namespace velk::platform
