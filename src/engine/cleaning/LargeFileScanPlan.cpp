#include "engine/cleaning/LargeFileScanPlan.h"

#include "platform/DirectoryWalker.h"
#include "platform/LocationPaths.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"
#include "platform/Volumes.h"

#include <QDateTime>

#include <algorithm>

namespace velk {
namespace {

namespace lp = platform::locationpaths;

// Where walks on the start-up volume do not go: the folders where other
// volumes are mounted, the system's volume folder, the no-follow view of the
// start-up volume and the pseudo file systems; and, everywhere, mounts of
// network and virtual file systems.
class Exclusions {
public:
    Exclusions()
        : m_locations(platform::service<platform::Locations>())
        , m_volumeFolders(m_locations->resolveAll(QStringLiteral("/Volumes")))
    {
        m_startupOnly << m_volumeFolders << m_locations->resolve(QStringLiteral("/System/Volumes"))
                      << m_locations->resolve(QStringLiteral("/.nofollow"));
        for (const platform::Mount& mount : platform::service<platform::Volumes>()->mounts()) {
            if (mount.kind == platform::MountKind::Network || mount.kind == platform::MountKind::Virtual) {
                const QString path = lp::cleanAbsolute(mount.path);
                if (!path.isEmpty())
                    m_closedMounts << path;
            }
        }
        // Pseudo file systems hang off the top of the start-up volume.
        m_candidates << m_startupOnly << m_closedMounts << m_locations->resolve(QStringLiteral("/dev"));
        platform::WalkOptions options;
        options.skipHidden = false;
        options.maxDepth = 1;
        platform::walkDirectory(m_locations->resolve(QStringLiteral("/")), options, [&](const platform::WalkEntry& e) {
            if (e.kind == platform::EntryKind::Directory)
                m_candidates << lp::cleanAbsolute(e.path);
            return platform::WalkAction::Continue;
        });
        m_candidates.removeDuplicates();
    }

    // Whether a walk from `root` leaves `entry` out.
    bool excludes(const QString& entry, const QString& root) const
    {
        if (entry == root)
            return false;
        if (lp::isAtOrBelowAny(entry, m_closedMounts))
            return true;
        if (lp::isAtOrBelowAny(root, m_volumeFolders))
            return false;
        return lp::isAtOrBelowAny(entry, m_startupOnly) || m_locations->isPseudoFileSystem(entry);
    }

    // The excluded folders strictly below `root`.
    QSet<QString> skippedBelow(const QString& root) const
    {
        QSet<QString> skipped;
        for (const QString& candidate : m_candidates) {
            if (candidate != root && lp::isAtOrBelow(candidate, root) && excludes(candidate, root))
                skipped.insert(candidate);
        }
        return skipped;
    }

private:
    std::shared_ptr<platform::Locations> m_locations;
    QStringList m_volumeFolders;
    QStringList m_startupOnly;
    QStringList m_closedMounts;
    QStringList m_candidates;
};

// Cleaned roots, shortest first, without repeats and without roots that lie
// inside another.
QStringList outermostRoots(const QStringList& roots)
{
    QStringList cleaned;
    for (const QString& root : roots) {
        const QString clean = lp::cleanAbsolute(root);
        if (!clean.isEmpty())
            cleaned << clean;
    }
    std::stable_sort(cleaned.begin(), cleaned.end(),
                     [](const QString& a, const QString& b) { return a.size() < b.size(); });
    QStringList kept;
    for (const QString& root : cleaned) {
        if (!lp::isAtOrBelowAny(root, kept))
            kept << root;
    }
    return kept;
}

} // namespace

LargeFileScanPlan planLargeFileScan(const QStringList& roots, std::int64_t minimumSizeBytes)
{
    LargeFileScanPlan plan;
    const QStringList kept = outermostRoots(roots);
    if (kept.isEmpty())
        return plan;
    const Exclusions exclusions;
    for (const QString& root : kept) {
        QStringList folders;
        QList<FileItem> files;
        std::int64_t others = 0;
        platform::WalkOptions options;
        options.skipHidden = false;
        options.maxDepth = 1;
        platform::walkDirectory(root, options, [&](const platform::WalkEntry& e) {
            const QString path = lp::cleanAbsolute(e.path);
            if (e.kind == platform::EntryKind::Directory && !exclusions.excludes(path, root)) {
                folders << path;
                return platform::WalkAction::Continue;
            }
            ++others;
            if (e.kind == platform::EntryKind::File && e.size >= minimumSizeBytes) {
                std::optional<QDateTime> date;
                if (e.modifiedMs)
                    date = QDateTime::fromMSecsSinceEpoch(*e.modifiedMs);
                files.append(FileItem(path, e.size, date, FileItem::ItemType::File));
            }
            return platform::WalkAction::Continue;
        });
        if (folders.isEmpty()) {
            plan.units.append({root, exclusions.skippedBelow(root)});
            continue;
        }
        for (const QString& folder : folders)
            plan.units.append({folder, exclusions.skippedBelow(folder)});
        plan.rootFiles << files;
        plan.rootEntries += others;
    }
    return plan;
}

} // namespace velk
