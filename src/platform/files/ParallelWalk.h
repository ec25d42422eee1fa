#pragma once

#include "platform/files/DirectoryWalker.h"

#include <QByteArray>
#include <atomic>
#include <functional>
#include <vector>

namespace velk::platform::files {

// The walk of DirectoryWalker spread over several threads, for the walks
// that read a large tree whole (sizing, the junk scan, the large-file scan).
// Every rule of the sequential walk holds: hidden entries and package
// contents as the options say, links never followed, other mounts (bind
// mounts included) never entered, pseudo file systems left out, unreadable
// folders passed over (the result is then incomplete), each thread within a
// bounded number of open folders. Only the order of the entries differs.
//
// How it shares the work: the calling thread walks alone at first, so a small
// folder costs no thread at all. Once it has seen kSoloEntries entries,
// helper threads start one at a time, each when a walker has a subfolder to
// spare and no other walker is idle, so a walk that ends soon starts few.
// A walker lists a folder whole, then keeps one subfolder for itself and,
// while other walkers wait for work, hands the others over through a shared
// queue as open folders; a chain of single folders is never handed around.
// Cancellation is checked per entry; a stopped walk ends every thread
// before it returns.
namespace parallelwalk {

// Entries the calling thread walks before helpers may start.
constexpr std::uint64_t kSoloEntries = 2000;

// The most threads any walk uses, whatever the machine.
constexpr unsigned kThreadCeiling = 16;

// Threads a walk uses at most (the calling thread included): twice the
// processors, at least 4 and at most kThreadCeiling. Walks of trees that are not in the
// cache wait on the disk, and more requests in flight make them faster; on
// a tree that is in the cache, the threads beyond the processors cost next
// to nothing. Fewer when the descriptor limit is low (each walker may hold
// FolderCursor::kMaxOpenFolders folders open).
//
// The helper threads (all but the calling threads) are shared by every walk
// of the process: walks that run at once, such as the work units of one
// scan, together start no more helpers than one walk may, and a walk still
// running takes up the helpers another one has given back.
unsigned maxThreads();

} // namespace parallelwalk

// Totals of the regular files below `nativeRoot`, as folderTotal() gives
// them. Synchronous; stops early (incomplete) once `cancel` is set.
FolderTotal parallelFolderTotal(const QByteArray& nativeRoot, const std::atomic_bool* cancel = nullptr);

// The same for several roots at once, walked together; one total per root,
// in order.
std::vector<FolderTotal> parallelFolderTotals(const std::vector<QByteArray>& nativeRoots,
                                              const std::atomic_bool* cancel = nullptr);

// Visits every entry below `nativeRoot` as walkDirectory() does, with the
// path and every attribute, from several threads at once: `visit` is called
// concurrently, with the index of the calling walker (below
// parallelwalk::maxThreads(), and so below parallelwalk::kThreadCeiling) so
// that callers can keep per-walker state without locks. WalkAction::Stop
// ends the whole walk.
WalkResult parallelWalk(const QByteArray& nativeRoot, const WalkOptions& options,
                        const std::function<WalkAction(const WalkEntry&, unsigned walker)>& visit);

} // namespace velk::platform::files
