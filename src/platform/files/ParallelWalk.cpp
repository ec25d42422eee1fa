#include "platform/files/ParallelWalk.h"

#include "platform/files/FolderCursor.h"
#include "platform/files/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <unistd.h>

namespace velk::platform::files {
namespace parallelwalk {

unsigned maxThreads()
{
    // Asked on every walk: the descriptor limit may have changed.
    const unsigned threads = [] {
        const long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
        unsigned n = static_cast<unsigned>(std::clamp<long>(2 * (processors > 0 ? processors : 1), 4, kThreadCeiling));
        // Half of the descriptor limit at most, for every walker's open folders.
        rlimit limit {};
        if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
            const rlim_t perWalker = FolderCursor::kMaxOpenFolders + 4;
            n = std::min<unsigned>(n, static_cast<unsigned>(std::max<rlim_t>(1, limit.rlim_cur / 2 / perWalker)));
        }
        return n;
    }();
    return threads;
}

} // namespace parallelwalk

namespace {

// Helper threads running in every walk of the process together.
std::atomic<unsigned> g_helpersRunning{0};

// Up to `wanted` helpers while the process runs fewer than `ceiling`; the
// number granted.
unsigned reserveHelpers(unsigned wanted, unsigned ceiling)
{
    unsigned running = g_helpersRunning.load(std::memory_order_relaxed);
    for (;;) {
        const unsigned grant = running < ceiling ? std::min(wanted, ceiling - running) : 0;
        if (grant == 0)
            return 0;
        if (g_helpersRunning.compare_exchange_weak(running, running + grant, std::memory_order_relaxed))
            return grant;
    }
}

EntryKind kindFromDirentType(unsigned char type)
{
    switch (type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Directory;
    case DT_LNK: return EntryKind::Symlink;
    default: return EntryKind::Other;
    }
}

// An open folder waiting in the shared queue, with what its walker needs.
struct Task {
    core::UniqueFd fd;
    EntryAttributes attributes;
    std::string path;          // with a trailing "/" (only kept when paths are wanted)
    int depth = 0;             // of the folder's entries, less one
    std::size_t root = 0;
    bool fileSystemRoot = false;
};

using Visitor = std::function<WalkAction(const WalkEntry&, unsigned)>;

class Walk;

// One thread's walk: a stack of folders from a task's folder down to the
// current one, each listed whole before its subfolders are entered, so that a
// folder's remaining subfolders can be handed to idle walkers. At most
// FolderCursor::kMaxOpenFolders of them stay open; a folder that gave its
// descriptor up is opened again through ".." of its child (and only when it
// is the same folder as before).
class Walker {
public:
    Walker(Walk& walk, unsigned index);
    void run();

private:
    struct Pending {
        std::string name;
        std::optional<EntryAttributes> known;
    };
    struct Frame {
        core::UniqueFd fd;
        FolderStamp stamp;
        EntryAttributes attributes;
        std::vector<Pending> pending;
        std::size_t pathLength = 0;
        int depth = 0;
    };

    void walkTask(Task task);
    void listCurrent();
    void visitEntry(Frame& frame, const struct dirent64& dirent);
    void offerSubfolders(Frame& frame);
    OpenedFolder openChild(Frame& frame, const Pending& child);
    bool acceptOpen(OpenStatus status);
    void giveUpShallowest();
    void ascend();

    Walk& m_walk;
    unsigned m_index;
    std::vector<Frame> m_frames;
    std::size_t m_firstOpen = 0;
    std::unique_ptr<char[]> m_buffer;
    std::string m_path;
    WalkEntry m_entry;
    std::size_t m_root = 0;
    bool m_fileSystemRoot = false;
    std::vector<FolderTotal> m_totals;
};

class Walk {
public:
    Walk(const WalkOptions& options, bool trackPaths, const Visitor* visit, std::size_t roots)
        : options(options)
        , trackPaths(trackPaths)
        , visit(visit)
        , totals(roots)
        , m_threads(parallelwalk::maxThreads())
        , m_queueLimit(2 * m_threads)
    {
    }

    ~Walk()
    {
        stopAll();
        for (std::thread& t : m_helpers)
            t.join();
    }

    void addRoot(Task task)
    {
        m_queue.push_back(std::move(task));
        ++m_queued;
    }

    void run()
    {
        Walker(*this, 0).run();
        // A walk that was stopped may still be starting helpers here.
        for (;;) {
            std::thread helper;
            {
                std::lock_guard lock(m_mutex);
                if (m_helpers.empty())
                    break;
                helper = std::move(m_helpers.back());
                m_helpers.pop_back();
            }
            helper.join();
        }
        std::lock_guard lock(m_mutex);
        m_queue.clear();
    }

    // A walker takes the next folder; false when there is no work left.
    bool nextTask(Task& task, bool first)
    {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        if (first)
            --m_starting;
        m_wake.wait(lock, [&] { return !m_queue.empty() || m_active == 0 || stopped(); });
        --m_waiting;
        if (stopped() || m_queue.empty()) {
            m_wake.notify_all();
            return false;
        }
        task = std::move(m_queue.front());
        m_queue.pop_front();
        --m_queued;
        ++m_active;
        return true;
    }

    void taskDone()
    {
        std::lock_guard lock(m_mutex);
        if ((--m_active == 0 && m_queue.empty()) || stopped())
            m_wake.notify_all();
    }

    // Whether a walker with folders to spare should hand one over.
    bool wantsWork() const
    {
        return m_helperCount.load(std::memory_order_relaxed) > 0
               && m_queued.load(std::memory_order_relaxed) < m_queueLimit
               && m_waiting.load(std::memory_order_relaxed) > m_queued.load(std::memory_order_relaxed);
    }

    void share(Task task)
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(task));
        ++m_queued;
        m_wake.notify_one();
    }

    // Once the walk has proved large enough, starts one more helper whenever
    // a walker has a folder to spare and no walker is idle or starting, while
    // the other walks of the process leave one free. The helpers grow with
    // the work: a walk that ends soon starts few (on a busy machine, each
    // waits for a processor to start and to end), and a walk that runs on
    // takes up the helpers other walks give back.
    void noteEntries(std::uint64_t seen, bool hasSpare)
    {
        const unsigned ceiling = m_threads - 1;
        if (seen < parallelwalk::kSoloEntries || !anotherHelperWanted(ceiling, hasSpare))
            return;
        if (g_helpersRunning.load(std::memory_order_relaxed) >= ceiling)
            return;
        std::lock_guard lock(m_mutex);
        if (stopped() || !anotherHelperWanted(ceiling, hasSpare) || reserveHelpers(1, ceiling) == 0)
            return;
        const unsigned index = m_helperCount.load(std::memory_order_relaxed) + 1;
        ++m_starting;
        m_helpers.emplace_back([this, index] {
            Walker(*this, index).run();
            g_helpersRunning.fetch_sub(1, std::memory_order_relaxed);
        });
        m_helperCount.store(index, std::memory_order_relaxed);
    }

    bool anotherHelperWanted(unsigned ceiling, bool hasSpare) const
    {
        return m_helperCount.load(std::memory_order_relaxed) < ceiling
               && (hasSpare || m_queued.load(std::memory_order_relaxed) > 0)
               && m_waiting.load(std::memory_order_relaxed) + m_starting.load(std::memory_order_relaxed) == 0;
    }

    bool stopped() const
    {
        return m_stop.load(std::memory_order_relaxed)
               || (options.cancel && options.cancel->load(std::memory_order_relaxed));
    }

    void stopAll()
    {
        m_stop.store(true);
        std::lock_guard lock(m_mutex);
        m_wake.notify_all();
    }

    void markIncomplete(std::size_t root)
    {
        std::lock_guard lock(m_mutex);
        totals[root].complete = false;
    }

    void merge(const std::vector<FolderTotal>& local)
    {
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < local.size(); ++i) {
            totals[i].bytes += local[i].bytes;
            totals[i].entries += local[i].entries;
            totals[i].complete = totals[i].complete && local[i].complete;
        }
    }

    std::uint64_t seen() const { return m_seen.load(std::memory_order_relaxed); }
    void addSeen(std::uint64_t n) { m_seen.fetch_add(n, std::memory_order_relaxed); }

    const WalkOptions options;
    const bool trackPaths;
    const Visitor* const visit;
    std::vector<FolderTotal> totals;

private:
    const unsigned m_threads;
    const int m_queueLimit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_queue;
    std::vector<std::thread> m_helpers;
    std::atomic<int> m_queued{0};
    std::atomic<int> m_waiting{0};
    std::atomic<int> m_starting{0};  // helpers started that have not asked for work yet
    int m_active = 0;
    std::atomic<unsigned> m_helperCount{0};
    std::atomic_bool m_stop{false};
    std::atomic<std::uint64_t> m_seen{0};
};

Walker::Walker(Walk& walk, unsigned index)
    : m_walk(walk)
    , m_index(index)
    , m_buffer(std::make_unique<char[]>(kListingBufferSize))
    , m_totals(walk.totals.size())
{
}

void Walker::run()
{
    Task task;
    bool first = m_index > 0;  // a helper's first call ends its start
    while (m_walk.nextTask(task, std::exchange(first, false))) {
        walkTask(std::move(task));
        m_walk.taskDone();
    }
    m_walk.merge(m_totals);
}

void Walker::walkTask(Task task)
{
    m_root = task.root;
    m_fileSystemRoot = task.fileSystemRoot;
    m_frames.clear();
    m_firstOpen = 0;
    m_path = std::move(task.path);
    Frame& top = m_frames.emplace_back();
    top.fd = std::move(task.fd);
    top.attributes = task.attributes;
    top.stamp = stampOf(task.attributes);
    top.pathLength = m_path.size();
    top.depth = task.depth;
    listCurrent();
    while (!m_frames.empty()) {
        if (m_walk.stopped()) {
            m_totals[m_root].complete = false;
            break;
        }
        Frame& frame = m_frames.back();
        if (frame.pending.empty()) {
            ascend();
            continue;
        }
        offerSubfolders(frame);
        if (frame.pending.empty())
            continue;
        const Pending child = std::move(frame.pending.back());
        frame.pending.pop_back();
        OpenedFolder opened = openChild(frame, child);
        if (!acceptOpen(opened.status))
            continue;
        Frame next;
        next.fd = std::move(opened.fd);
        next.attributes = opened.attributes;
        next.stamp = stampOf(opened.attributes);
        next.depth = frame.depth + 1;
        if (m_walk.trackPaths) {
            m_path.resize(frame.pathLength);
            m_path.append(child.name);
            m_path.push_back('/');
            next.pathLength = m_path.size();
        }
        m_frames.push_back(std::move(next));
        listCurrent();
    }
    m_frames.clear();
}

OpenedFolder Walker::openChild(Frame& frame, const Pending& child)
{
    if (!frame.fd.isOpen())
        return {};
    giveUpShallowest();
    ChildCheck check;
    check.known = child.known ? &*child.known : nullptr;
    // Walks change nothing: what is looked at is what is read.
    check.verifyOpened = false;
    OpenedFolder opened = openChildFolder(frame.fd.get(), child.name.c_str(), frame.stamp, check);
    while (opened.status == OpenStatus::NoDescriptors && m_firstOpen + 1 < m_frames.size()) {
        m_frames[m_firstOpen++].fd.close();
        opened = openChildFolder(frame.fd.get(), child.name.c_str(), frame.stamp, check);
    }
    return opened;
}

bool Walker::acceptOpen(OpenStatus status)
{
    switch (status) {
    case OpenStatus::Opened:
        return true;
    case OpenStatus::Gone:
    case OpenStatus::NotFolder:
    case OpenStatus::MountPoint:
        return false; // replaced since it was listed, or not ours to enter
    case OpenStatus::Changed:
    case OpenStatus::NoDescriptors:
    case OpenStatus::Unreadable:
        m_totals[m_root].complete = false;
        return false;
    }
    return false;
}

void Walker::giveUpShallowest()
{
    while (m_frames.size() - m_firstOpen >= FolderCursor::kMaxOpenFolders && m_firstOpen + 1 < m_frames.size())
        m_frames[m_firstOpen++].fd.close();
}

void Walker::ascend()
{
    Frame child = std::move(m_frames.back());
    m_frames.pop_back();
    if (m_frames.empty())
        return;
    Frame& parent = m_frames.back();
    if (m_firstOpen >= m_frames.size())
        m_firstOpen = m_frames.size() - 1;
    if (parent.fd.isOpen())
        return;
    // Opened again through ".." of the child, and only when it is still the
    // same folder (its own parent may need it for the same).
    core::UniqueFd fd(child.fd.isOpen() ? ::openat(child.fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1);
    struct stat st;
    if (fd.isOpen() && ::fstat(fd.get(), &st) == 0 && st.st_dev == parent.stamp.identity.device
        && st.st_ino == parent.stamp.identity.inode) {
        parent.fd = std::move(fd);
        return;
    }
    if (!parent.pending.empty()) {
        m_totals[m_root].complete = false;
        parent.pending.clear();
    }
}

void Walker::offerSubfolders(Frame& frame)
{
    m_walk.noteEntries(m_walk.seen(), frame.pending.size() > 1);
    // One subfolder always stays with this walker: a chain of single folders
    // is walked by one thread, without hand-overs.
    while (frame.pending.size() > 1 && m_walk.wantsWork()) {
        const Pending child = std::move(frame.pending.back());
        frame.pending.pop_back();
        OpenedFolder opened = openChild(frame, child);
        if (opened.status == OpenStatus::NoDescriptors) {
            frame.pending.push_back(child);
            return;
        }
        if (!acceptOpen(opened.status))
            continue;
        Task task;
        task.fd = std::move(opened.fd);
        task.attributes = opened.attributes;
        task.depth = frame.depth + 1;
        task.root = m_root;
        if (m_walk.trackPaths) {
            task.path.assign(m_path, 0, frame.pathLength);
            task.path.append(child.name);
            task.path.push_back('/');
        }
        m_walk.share(std::move(task));
    }
}

void Walker::listCurrent()
{
    Frame& frame = m_frames.back();
    std::uint64_t before = m_totals[m_root].entries;
    const bool ended = forEachFolderEntry(frame.fd.get(), m_buffer.get(), kListingBufferSize,
                                          [&](const struct dirent64& dirent) {
                                              visitEntry(frame, dirent);
                                              return !m_walk.stopped();
                                          });
    if (!ended)
        m_totals[m_root].complete = false;
    m_walk.addSeen(m_totals[m_root].entries - before);
}

void Walker::visitEntry(Frame& frame, const struct dirent64& dirent)
{
    const char* name = dirent.d_name;
    const WalkOptions& options = m_walk.options;
    if (options.skipHidden && name[0] == '.')
        return;
    if (m_walk.stopped())
        return;
    EntryAttributes attributes;
    attributes.kind = kindFromDirentType(dirent.d_type);
    const bool kindKnown = dirent.d_type != DT_UNKNOWN;
    const bool read = m_walk.trackPaths || attributes.kind == EntryKind::File || !kindKnown;
    bool isMountPoint = false;
    if (read) {
        const auto found = readAttributes(frame.fd.get(), name);
        if (!found)
            return;
        attributes = *found;
        isMountPoint = crossesMount(attributes, frame.stamp);
    }
    const int depth = frame.depth + 1;
    const bool isFolder = attributes.kind == EntryKind::Directory;
    const std::string_view nameView(name);
    const bool isPackage = isFolder && isPackageNameUtf8(nameView);

    FolderTotal& total = m_totals[m_root];
    ++total.entries;
    WalkAction action = WalkAction::Continue;
    if (m_walk.visit) {
        m_path.resize(frame.pathLength);
        m_path.append(nameView);
        if (options.displayPaths) {
            m_entry.path
                = QFile::decodeName(QByteArray::fromRawData(m_path.data(), static_cast<qsizetype>(m_path.size())));
            m_entry.name = QStringView(m_entry.path).mid(m_entry.path.lastIndexOf(QLatin1Char('/')) + 1);
        }
        m_entry.nativePath = m_path;
        m_entry.kind = attributes.kind;
        m_entry.size = attributes.size;
        m_entry.modifiedMs = attributes.modifiedMs;
        m_entry.modified = attributes.modified;
        m_entry.changed = attributes.changed;
        m_entry.born = attributes.born;
        m_entry.depth = depth;
        m_entry.isPackage = isPackage;
        m_entry.isMountPoint = isMountPoint;
        m_entry.identity = attributes.identity;
        m_entry.linkCount = attributes.linkCount;
        action = (*m_walk.visit)(m_entry, m_index);
        if (action == WalkAction::Stop) {
            m_walk.stopAll();
            return;
        }
    } else if (attributes.kind == EntryKind::File && !isMountPoint) {
        total.bytes += attributes.size;
    }

    if (!isFolder || isMountPoint || action == WalkAction::SkipChildren)
        return;
    if (isPackage && options.skipPackageDescendants)
        return;
    if (options.maxDepth >= 0 && depth >= options.maxDepth)
        return;
    if (m_fileSystemRoot && depth == 1 && isPseudoRootName(nameView))
        return;
    Pending child;
    child.name.assign(nameView);
    if (read)
        child.known = attributes;
    frame.pending.push_back(std::move(child));
}

std::vector<FolderTotal> walkRoots(const std::vector<QByteArray>& nativeRoots, const WalkOptions& options,
                                   const Visitor* visit)
{
    Walk walk(options, visit != nullptr, visit, nativeRoots.size());
    for (std::size_t i = 0; i < nativeRoots.size(); ++i) {
        auto root = openWalkRoot(nativeRoots[i]);
        if (!root) {
            walk.totals[i].complete = false;
            continue;
        }
        Task task;
        task.fileSystemRoot = root->path == "/";
        task.attributes = root->attributes;
        task.fd = std::move(root->fd);
        task.root = i;
        if (visit) {
            task.path = std::move(root->path);
            if (task.path.back() != '/')
                task.path.push_back('/');
        }
        walk.addRoot(std::move(task));
    }
    walk.run();
    if (walk.stopped()) {
        for (FolderTotal& total : walk.totals)
            total.complete = false;
    }
    return walk.totals;
}

} // namespace

FolderTotal parallelFolderTotal(const QByteArray& nativeRoot, const std::atomic_bool* cancel)
{
    return parallelFolderTotals({nativeRoot}, cancel).front();
}

std::vector<FolderTotal> parallelFolderTotals(const std::vector<QByteArray>& nativeRoots, const std::atomic_bool* cancel)
{
    WalkOptions options;
    options.cancel = cancel;
    return walkRoots(nativeRoots, options, nullptr);
}

WalkResult parallelWalk(const QByteArray& nativeRoot, const WalkOptions& options,
                        const std::function<WalkAction(const WalkEntry&, unsigned walker)>& visit)
{
    return {walkRoots({nativeRoot}, options, &visit).front().complete};
}

} // namespace velk::platform::files
