#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/LargeFileScanNode.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <atomic>

namespace velk::cleaning {

// The stop signal of one large-file scan, shared by its owner and the scan.
// Once stopped it stays stopped; a new scan needs a new one.
class LargeFileScanStop {
public:
    void stop() { m_stopped.store(true, std::memory_order_release); }
    bool isStopped() const { return m_stopped.load(std::memory_order_acquire); }
    // The flag itself, for walks that poll it at every entry.
    const std::atomic_bool& flag() const { return m_stopped; }

private:
    std::atomic_bool m_stopped{false};
};

// Finds the files at or above a minimum size in the folders the user picks,
// and builds the choice of folders (the scope) it offers for picking.
class LargeFileScanner {
public:
    static constexpr std::int64_t kDefaultMinimumSizeBytes = 50 * 1024 * 1024;

    // Running totals of a scan, all of its work units together, and the name
    // of the longest-running folder still being walked. Called on the scan's
    // worker threads, possibly several at once and out of order.
    using Progress = std::function<void(std::int64_t visited, std::int64_t matched, const QString& folder)>;
    // The found files, largest first (equal sizes newest first); empty when
    // the scan was stopped. Called once, on a worker thread or, for a scan
    // with nothing to walk, on the calling thread.
    using Completion = std::function<void(QList<FileItem> found)>;

    LargeFileScanner() = default;
    explicit LargeFileScanner(std::int64_t minimumSizeBytes)
        : minimumSizeBytes(minimumSizeBytes)
    {
    }

    std::int64_t minimumSizeBytes = kDefaultMinimumSizeBytes;

    // ---- Scope ----
    // The start-up volume's tree, then one tree per other local volume.
    QList<LargeFileScanNode> choices() const;

    // The top-level folders that hold the operating system and its tools.
    struct SystemPaths {
        bool contains(const QString& path) const;
    };
    static SystemPaths systemPaths() { return {}; }

    // ---- Scan ----
    // Walks `roots` for regular files of at least minimumSizeBytes, in work
    // units run on the shared executor, and hands the result to `done`. It
    // never blocks a worker thread on other work, so it may be started from
    // one.
    void scan(const QStringList& roots, std::shared_ptr<LargeFileScanStop> stop, Progress progress,
              Completion done) const;
    // The same scan, waiting for its result. Blocks the calling thread, which
    // must therefore not be one of the executor's.
    QList<FileItem> scanAndWait(const QStringList& roots, std::shared_ptr<LargeFileScanStop> stop,
                                Progress progress = {}) const;

private:
    // Sub-folders of `path` in listing order: hidden ones included, links
    // and unreadable entries left out.
    static QStringList directories(const QString& path);
    static QString volumeName();
    static QStringList externalVolumes();
    static LargeFileScanNode volumeTree(const QString& path, const QString& title, const QString& home);
    static QList<LargeFileScanNode> userNodes(const QString& home);
};

} // namespace velk::cleaning
