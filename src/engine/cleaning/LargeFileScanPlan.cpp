#include "engine/cleaning/LargeFileScanPlan.h"

#include "platform/files/DirectoryWalker.h"
#include "platform/files/FolderReader.h"
#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/files/Volumes.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <fcntl.h>

namespace velk::cleaning {
namespace {

namespace lp = platform::locations::locationpaths;

// How many levels below its roots a scan may split to find enough units.
constexpr int kMaxExtraSplitLevels = 3;

// Where walks on the start-up volume do not go: the folders where other
// volumes are mounted, the system's volume folder, the no-follow view of the
// start-up volume and the pseudo file systems; and, everywhere, mounts of
// network and virtual file systems, and mounts that show again what another
// mount shows (its files are either in the scope already or outside it).
} // namespace

class LargeFileScanExclusions {
public:
    LargeFileScanExclusions()
        : m_locations(platform::core::service<platform::locations::Locations>())
        , m_volumeFolders(m_locations->resolveAll(QStringLiteral("/Volumes")))
    {
        m_startupOnly << m_volumeFolders << m_locations->resolve(QStringLiteral("/System/Volumes"))
                      << m_locations->resolve(QStringLiteral("/.nofollow"));
        const std::vector<platform::files::Mount> mounts = platform::core::service<platform::files::Volumes>()->mounts();
        const std::vector<bool> repeated = platform::files::repeatedMounts(mounts);
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            const platform::files::Mount& mount = mounts[i];
            if (mount.kind == platform::files::MountKind::Network || mount.kind == platform::files::MountKind::Virtual) {
                const QString path = lp::cleanAbsolute(mount.path);
                if (!path.isEmpty())
                    m_closedMounts << path;
            }
            if (repeated[i] && mount.id != 0)
                m_repeatedIds.insert(mount.id);
            else if (repeated[i])
                m_repeatedPaths << lp::cleanAbsolute(mount.path);
        }
        // Pseudo file systems hang off the top of the start-up volume.
        m_candidates << m_startupOnly << m_closedMounts << m_locations->resolve(QStringLiteral("/dev"));
        platform::files::WalkOptions options;
        options.skipHidden = false;
        options.maxDepth = 1;
        platform::files::walkDirectory(m_locations->resolve(QStringLiteral("/")), options, [&](const platform::files::WalkEntry& e) {
            if (e.kind == platform::files::EntryKind::Directory || e.isMountPoint)
                m_candidates << lp::cleanAbsolute(e.path);
            return platform::files::WalkAction::Continue;
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

    // The excluded folders strictly below `root`, as the walk spells them.
    QSet<QByteArray> skippedBelow(const QString& root) const
    {
        QSet<QByteArray> skipped;
        for (const QString& candidate : m_candidates) {
            if (candidate != root && lp::isAtOrBelow(candidate, root) && excludes(candidate, root))
                skipped.insert(QFile::encodeName(candidate));
        }
        return skipped;
    }

    // Whether the mount at `mountPath` shows again what another mount shows.
    // It is known by its mount id, as the table's paths may be spelled
    // otherwise than the scan's.
    bool repeatsAnotherMount(const QByteArray& mountPath) const
    {
        if (!m_repeatedIds.isEmpty()) {
            const auto attributes = platform::files::readAttributes(AT_FDCWD, mountPath.constData());
            if (attributes && attributes->hasMountId && m_repeatedIds.contains(attributes->mountId))
                return true;
        }
        return !m_repeatedPaths.isEmpty() && m_repeatedPaths.contains(lp::cleanAbsolute(QFile::decodeName(mountPath)));
    }

    LargeFileScanUnit unit(const QByteArray& nativePath) const
    {
        const QString path = QFile::decodeName(nativePath);
        return {nativePath, path, skippedBelow(path)};
    }

private:
    std::shared_ptr<platform::locations::Locations> m_locations;
    QStringList m_volumeFolders;
    QStringList m_startupOnly;
    QStringList m_closedMounts;
    QStringList m_candidates;
    QSet<std::uint64_t> m_repeatedIds;
    QStringList m_repeatedPaths;
};

namespace {

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

namespace {

// One folder's direct children, as a split sees them.
struct Split {
    QList<QByteArray> folders;  // sub-folders a walk from `folder` may enter
    QList<FileItem> files; // regular files of at least the minimum
    std::int64_t others = 0;  // every other entry
};

Split split(const LargeFileScanUnit& folder, const LargeFileScanExclusions& exclusions, std::int64_t minimumSizeBytes)
{
    Split result;
    platform::files::WalkOptions options;
    options.skipHidden = false;
    options.maxDepth = 1;
    platform::files::walkDirectory(folder.nativePath, options, [&](const platform::files::WalkEntry& e) {
        // A mount below is its own unit, as the walk of the folder would
        // make it.
        const QByteArray nativePath(e.nativePath.data(), static_cast<qsizetype>(e.nativePath.size()));
        if (e.kind == platform::files::EntryKind::Directory && !exclusions.excludes(e.path, folder.path)
            && !(e.isMountPoint && exclusions.repeatsAnotherMount(nativePath))) {
            result.folders << nativePath;
            return platform::files::WalkAction::Continue;
        }
        ++result.others;
        if (e.kind == platform::files::EntryKind::File && e.size >= minimumSizeBytes)
            result.files.append(foundFile(e));
        return platform::files::WalkAction::Continue;
    });
    return result;
}

// Replaces `folder`'s unit by units of its sub-folders, keeping what lies
// directly in it; false when it has none.
bool splitInto(LargeFileScanPlan& plan, QList<LargeFileScanUnit>& units, const LargeFileScanUnit& folder,
               const LargeFileScanExclusions& exclusions, std::int64_t minimumSizeBytes)
{
    Split s = split(folder, exclusions, minimumSizeBytes);
    if (s.folders.isEmpty())
        return false;
    for (const QByteArray& child : s.folders)
        units.append(exclusions.unit(child));
    plan.rootFiles << s.files;
    plan.rootEntries += s.others + s.folders.size();
    return true;
}

} // namespace

LargeFileScanPlan planLargeFileScan(const QStringList& roots, std::int64_t minimumSizeBytes, int unitTarget)
{
    LargeFileScanPlan plan;
    const QStringList kept = outermostRoots(roots);
    if (kept.isEmpty())
        return plan;
    plan.exclusions = std::make_shared<const LargeFileScanExclusions>();
    const LargeFileScanExclusions& exclusions = *plan.exclusions;
    for (const QString& root : kept) {
        const LargeFileScanUnit unit = exclusions.unit(QFile::encodeName(root));
        if (!splitInto(plan, plan.units, unit, exclusions, minimumSizeBytes))
            plan.units.append(unit);
    }
    // Too few units to keep the workers busy: split them further, a level
    // at a time, while that still gives more.
    for (int level = 0; level < kMaxExtraSplitLevels && plan.units.size() < unitTarget; ++level) {
        QList<LargeFileScanUnit> finer;
        bool splitAny = false;
        for (const LargeFileScanUnit& unit : std::as_const(plan.units)) {
            if (splitInto(plan, finer, unit, exclusions, minimumSizeBytes))
                splitAny = true;
            else
                finer.append(unit);
        }
        plan.units = std::move(finer);
        if (!splitAny)
            break;
    }
    return plan;
}

std::optional<LargeFileScanUnit> mountUnit(const LargeFileScanPlan& plan, const QByteArray& mountPath,
                                           const LargeFileScanUnit& from)
{
    if (!plan.exclusions)
        return std::nullopt;
    const QString path = lp::cleanAbsolute(QFile::decodeName(mountPath));
    if (path.isEmpty() || plan.exclusions->excludes(path, from.path) || plan.exclusions->repeatsAnotherMount(mountPath))
        return std::nullopt;
    return plan.exclusions->unit(mountPath);
}

FileItem foundFile(const platform::files::WalkEntry& entry)
{
    std::optional<QDateTime> date;
    if (entry.modifiedMs)
        date = QDateTime::fromMSecsSinceEpoch(*entry.modifiedMs);
    const QByteArray nativePath(entry.nativePath.data(), static_cast<qsizetype>(entry.nativePath.size()));
    return FileItem::scanned(nativePath, platform::files::scannedIdentity(entry), entry.size, date, FileItem::ItemType::File);
}

} // namespace velk::cleaning
