#include "engine/cleaning/AppUninstallService.h"
#include "engine/cleaning/CleaningLog.h"

#include "engine/cleaning/FolderListing.h"
#include "engine/cleaning/SyncFileScanner.h"
#include "platform/desktop/AppBundle.h"
#include "platform/files/FileDates.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FileStatus.h"
#include "platform/files/FolderReader.h"
#include "platform/files/ParallelWalk.h"
#include "platform/locations/CanonicalPath.h"
#include "platform/locations/Locations.h"
#include "platform/plist/PropertyList.h"
#include "platform/locations/SafeFolders.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <fcntl.h>

namespace velk::cleaning {
namespace {

QStringList childNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Unsorted);
}

QString parentOf(const QString& path)
{
    return QFileInfo(path).path();
}

QStringList resolveFolders(const platform::locations::Locations& locations, const QStringList& names)
{
    const platform::locations::SafeFolders safe(locations);
    QStringList folders;
    for (const QString& name : names) {
        // The machine-wide Library folders lie in the system area by nature.
        const bool machineWide = !name.startsWith(u'~');
        folders << safe.resolve(name, machineWide);
    }
    folders.removeDuplicates();
    return folders;
}

std::optional<QString> textValue(const QVariantMap& info, const QString& key)
{
    const QVariant value = info.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

// A leftover as the lookup found it. A link is sized as the link: what it
// points at is not removed.
FileItem leftoverItem(const ListedChild& child)
{
    const qint64 size = child.isFolder ? platform::files::parallelFolderTotal(child.nativePath).bytes : child.size;
    return FileItem::scanned(child.nativePath, child.identity, size, std::nullopt,
                             child.isFolder ? FileItem::ItemType::Directory : FileItem::ItemType::File, true);
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

const QStringList& AppUninstallService::applicationLocations()
{
    static const QStringList locations{"~/Applications", "/Applications"};
    return locations;
}

const QStringList& AppUninstallService::leftoverLocations()
{
    static const QStringList locations = [] {
        QStringList list;
        for (const char* folder : {"Application Support", "Preferences", "Caches", "Logs", "Containers",
                                   "Group Containers", "Application Scripts"})
            list << QStringLiteral("~/Library/") + QLatin1String(folder);
        list << "/Library/Application Support" << "/Library/Preferences";
        return list;
    }();
    return locations;
}

AppUninstallService::AppUninstallService()
    : AppUninstallService(platform::core::service<platform::locations::Locations>(), platform::core::service<platform::files::FileRemover>(),
                          platform::core::service<platform::desktop::AppBundle>())
{
}

AppUninstallService::AppUninstallService(std::shared_ptr<const platform::locations::Locations> locations,
                                         std::shared_ptr<platform::files::FileRemover> remover,
                                         std::shared_ptr<const platform::desktop::AppBundle> bundle)
    : m_remover(std::move(remover))
    , m_ownBundlePath(platform::locations::canonicalPath(bundle->bundlePath()))
    , m_ownIdentifier(bundle->bundleIdentifier())
    , m_appFolders(resolveFolders(*locations, applicationLocations()))
    , m_leftoverFolders(resolveFolders(*locations, leftoverLocations()))
    , m_preferenceFolders(resolveFolders(*locations, {"~/Library/Preferences"}))
{
}

// ---- Discovery ------------------------------------------------------------

QStringList AppUninstallService::bundlePaths() const
{
    QStringList paths;
    for (const QString& folder : m_appFolders) {
        for (const QString& name : childNames(folder)) {
            if (!name.startsWith(u'.') && QFileInfo(name).suffix() == u"app")
                paths << folder + u'/' + name;
        }
    }
    return paths;
}

QList<AppItem> AppUninstallService::discoverApps() const
{
    QList<AppItem> apps;
    for (const QString& path : bundlePaths())
        apps.append(appItem(path));
    std::stable_sort(apps.begin(), apps.end(),
                     [](const AppItem& a, const AppItem& b) { return a.diskSize > b.diskSize; });
    return apps;
}

std::optional<QString> AppUninstallService::bundleIdentifier(const QString& bundlePath, std::optional<QString>* version)
{
    const auto info = platform::plist::readFile(bundlePath + "/Contents/Info.plist");
    if (!info || info->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = info->toMap();
    if (version)
        *version = textValue(map, "CFBundleShortVersionString");
    return textValue(map, "CFBundleIdentifier");
}

AppItem AppUninstallService::appItem(const QString& bundlePath) const
{
    // What the bundle is, read before anything else about it, so that a
    // removal later acts on this folder or on nothing.
    const auto attributes = platform::files::readAttributes(AT_FDCWD, QFile::encodeName(bundlePath).constData());
    std::optional<QString> version;
    const std::optional<QString> bundleID = bundleIdentifier(bundlePath, &version);
    // No metadata index here: the date the bundle was added is its birth
    // time, else its modification time; last use and use count are unknown.
    std::optional<QDateTime> installDate = platform::files::creationDate(bundlePath);
    if (!installDate)
        installDate = platform::files::modificationDate(bundlePath);
    AppItem item(QFileInfo(bundlePath).completeBaseName(), bundleID, bundlePath, version,
                 SyncFileScanner::dirSizePublic(bundlePath), installDate, std::nullopt, 0);
    if (attributes)
        item.identity = platform::files::scannedIdentity(*attributes);
    return item;
}

// ---- Leftovers ------------------------------------------------------------

QList<LeftoverMatcher::Keys> AppUninstallService::otherInstalledKeys(const AppItem& app) const
{
    QList<LeftoverMatcher::Keys> keys;
    for (const QString& path : bundlePaths()) {
        if (path != app.path)
            keys.append({QFileInfo(path).completeBaseName(), bundleIdentifier(path).value_or(QString())});
    }
    return keys;
}

QList<FileItem> AppUninstallService::associatedFiles(const AppItem& app) const
{
    if (!app.bundleID)
        return {};
    const LeftoverMatcher matcher({app.name, *app.bundleID}, otherInstalledKeys(app));

    QList<FileItem> files;
    QSet<QByteArray> seen;
    for (const QString& folder : m_leftoverFolders) {
        for (const ListedChild& child : listAllChildren(folder)) {
            if (!matcher.matches(nameOf(child.path)))
                continue;
            files.append(leftoverItem(child));
            seen.insert(child.nativePath);
        }
    }
    // Preference files matched on their name without the extension. The
    // first pass has usually found them already; an entry is listed once.
    for (const QString& folder : m_preferenceFolders) {
        for (const ListedChild& child : listAllChildren(folder)) {
            const QFileInfo info(nameOf(child.path));
            if (info.suffix() != u"plist" || seen.contains(child.nativePath) || !matcher.matches(info.completeBaseName()))
                continue;
            files.append(leftoverItem(child));
            seen.insert(child.nativePath);
        }
    }
    std::stable_sort(files.begin(), files.end(), [](const FileItem& a, const FileItem& b) { return a.size > b.size; });
    return files;
}

// ---- Removal --------------------------------------------------------------

bool AppUninstallService::isUnlinked(const QString& path)
{
    const QString standardized = QDir::cleanPath(path);
    if (standardized != path || !platform::locations::isReachedWithoutLinks(standardized))
        return false;
    const auto status = platform::files::entryStatus(QFile::encodeName(standardized));
    return !status || status->kind != platform::files::EntryKind::Symlink;
}

bool AppUninstallService::isAllowedApp(const AppItem& app) const
{
    const QString standardized = QDir::cleanPath(app.path);
    if (QFileInfo(standardized).suffix() != u"app")
        return false;
    if (!m_appFolders.contains(parentOf(standardized)))
        return false;
    if (!isUnlinked(standardized))
        return false;
    if (!m_ownBundlePath.isEmpty() && standardized == m_ownBundlePath)
        return false;
    if (app.bundleID.value_or(QString()) == m_ownIdentifier)
        return false;
    return !(app.bundleID && app.bundleID->startsWith(u"com.apple."));
}

bool AppUninstallService::isAllowedAssociatedFile(const QString& path) const
{
    return m_leftoverFolders.contains(parentOf(QDir::cleanPath(path))) && isUnlinked(path);
}

AppUninstallService::UninstallResult AppUninstallService::uninstall(const QList<AppItem>& apps) const
{
    UninstallResult result;
    QSet<QString> removed;
    for (const AppItem& app : apps) {
        if (!isAllowedApp(app)) {
            qCWarning(cleaningLog).noquote() << "not uninstalled:" << app.path
                                             << "is not an application of an applications folder that may be removed";
            result.failures << RemovalFailure{app.path, platform::files::RemovalReason::Protected};
            continue;
        }
        // Freed is the remover's count: a file linked elsewhere too frees
        // nothing, and a bundle that stayed may still have lost a part.
        const platform::files::RemovalResult bundle = m_remover->removePermanently(app.removalTarget());
        result.freed += bundle.freedBytes;
        if (!bundle.gone) {
            result.failures << RemovalFailure::of(app.path, bundle);
            result.leftAppSizes.insert(app.id, SyncFileScanner::appSize(app.path));
            continue;
        }
        result.removedAppIDs.insert(app.id);
        for (const FileItem& file : app.associatedFiles) {
            if (!file.isSelected || removed.contains(file.path))
                continue;
            if (!isAllowedAssociatedFile(file.path)) {
                qCWarning(cleaningLog).noquote() << "not removed:" << file.path
                                                 << "does not lie directly in a leftover folder, or is reached through a link";
                result.failures << RemovalFailure{file.path, platform::files::RemovalReason::Protected};
                continue;
            }
            const platform::files::RemovalResult leftover = m_remover->removePermanently(file.removalTarget());
            result.freed += leftover.freedBytes;
            if (!leftover.gone) {
                result.failures << RemovalFailure::of(file.path, leftover);
                continue;
            }
            removed.insert(file.path);
        }
    }
    return result;
}

} // namespace velk::cleaning
