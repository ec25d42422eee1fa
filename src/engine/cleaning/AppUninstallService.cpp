#include "engine/cleaning/AppUninstallService.h"
#include "engine/cleaning/CleaningLog.h"

#include "engine/cleaning/SyncFileScanner.h"
#include "platform/desktop/AppBundle.h"
#include "platform/files/FileDates.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FileStatus.h"
#include "platform/locations/CanonicalPath.h"
#include "platform/locations/Locations.h"
#include "platform/plist/PropertyList.h"
#include "platform/locations/SafeFolders.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace velk::cleaning {
namespace {

// Keys shorter than this, and keys made only of dots, match no leftover:
// they are part of far too many unrelated names.
constexpr qsizetype kMinimumKey = 3;

QString usableKey(const QString& key)
{
    const QString lower = key.toLower();
    const bool onlyDots = std::all_of(lower.cbegin(), lower.cend(), [](QChar c) { return c == u'.'; });
    return lower.size() < kMinimumKey || onlyDots ? QString() : lower;
}

QStringList childNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Unsorted);
}

// Whether `path` is a folder, not a link to one.
bool isFolderItself(const QString& path)
{
    const auto status = platform::files::entryStatus(QFile::encodeName(path));
    return status && status->kind == platform::files::EntryKind::Directory;
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

// Whether the character at UTF-16 index `at` of `text` (none outside it)
// is a letter or a digit; a surrogate is read with its other half.
bool letterOrDigitAt(const QString& text, qsizetype at)
{
    if (at < 0 || at >= text.size())
        return false;
    const QChar c = text.at(at);
    if (c.isLowSurrogate() && at > 0 && text.at(at - 1).isHighSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(text.at(at - 1), c));
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(c, text.at(at + 1)));
    return c.isLetterOrNumber();
}

// Whether `key` occurs in `text` with no letter or digit right before or
// after it: "com.qa" in "group.com.qa" and "com.qa.plist", not in "com.qab".
bool containsWhole(const QString& text, const QString& key)
{
    for (qsizetype at = text.indexOf(key); at >= 0; at = text.indexOf(key, at + 1)) {
        if (!letterOrDigitAt(text, at - 1) && !letterOrDigitAt(text, at + key.size()))
            return true;
    }
    return false;
}

// The leftover keys of an application, lowercased; an empty key matches
// nothing.
struct MatchKeys {
    QString name;
    QString identifier;

    bool matches(const QString& text) const
    {
        const QString lower = text.toLower();
        return (!name.isEmpty() && containsWhole(lower, name))
            || (!identifier.isEmpty() && containsWhole(lower, identifier));
    }
};

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

QList<AppItem> AppUninstallService::discoverApps() const
{
    QList<AppItem> apps;
    for (const QString& folder : m_appFolders) {
        for (const QString& name : childNames(folder)) {
            if (name.startsWith(u'.') || QFileInfo(name).suffix() != u"app")
                continue;
            apps.append(appItem(folder + u'/' + name));
        }
    }
    std::stable_sort(apps.begin(), apps.end(),
                     [](const AppItem& a, const AppItem& b) { return a.diskSize > b.diskSize; });
    return apps;
}

AppItem AppUninstallService::appItem(const QString& bundlePath) const
{
    std::optional<QString> bundleID;
    std::optional<QString> version;
    if (const auto info = platform::plist::readFile(bundlePath + "/Contents/Info.plist");
        info && info->typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = info->toMap();
        bundleID = textValue(map, "CFBundleIdentifier");
        version = textValue(map, "CFBundleShortVersionString");
    }
    // No metadata index here: the date the bundle was added is its birth
    // time, else its modification time; last use and use count are unknown.
    std::optional<QDateTime> installDate = platform::files::creationDate(bundlePath);
    if (!installDate)
        installDate = platform::files::modificationDate(bundlePath);
    return AppItem(QFileInfo(bundlePath).completeBaseName(), bundleID, bundlePath, version,
                   SyncFileScanner::dirSizePublic(bundlePath), installDate, std::nullopt, 0);
}

// ---- Leftovers ------------------------------------------------------------

QList<FileItem> AppUninstallService::associatedFiles(const AppItem& app) const
{
    if (!app.bundleID)
        return {};
    const MatchKeys keys{usableKey(app.name), usableKey(*app.bundleID)};

    QList<FileItem> files;
    QSet<QString> seen;
    for (const QString& folder : m_leftoverFolders) {
        for (const QString& name : childNames(folder)) {
            if (!keys.matches(name))
                continue;
            const QString path = folder + u'/' + name;
            // A link is sized as the link: what it points at is not removed.
            const bool isDir = isFolderItself(path);
            const qint64 size = isDir ? SyncFileScanner::dirSizePublic(path) : entrySize(path);
            files.append(FileItem(path, size, std::nullopt,
                                  isDir ? FileItem::ItemType::Directory : FileItem::ItemType::File, true));
            seen.insert(path);
        }
    }
    // Preference files matched on their name without the extension. The
    // first pass has usually found them already; a path is listed once.
    for (const QString& folder : m_preferenceFolders) {
        for (const QString& name : childNames(folder)) {
            const QFileInfo info(name);
            const QString path = folder + u'/' + name;
            if (info.suffix() != u"plist" || seen.contains(path) || !keys.matches(info.completeBaseName()))
                continue;
            files.append(FileItem(path, entrySize(path), std::nullopt, FileItem::ItemType::File, true));
            seen.insert(path);
        }
    }
    std::stable_sort(files.begin(), files.end(), [](const FileItem& a, const FileItem& b) { return a.size > b.size; });
    return files;
}

qint64 AppUninstallService::entrySize(const QString& path)
{
    const auto status = platform::files::entryStatus(QFile::encodeName(path));
    return status ? qint64(status->size) : 0;
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
            result.failedPaths << app.path;
            continue;
        }
        // Freed is the remover's count: a file linked elsewhere too frees
        // nothing, and a bundle that stayed may still have lost a part.
        const platform::files::RemovalResult bundle = m_remover->removePermanently(app.path);
        result.freed += bundle.freedBytes;
        if (!bundle.gone) {
            result.failedPaths << app.path;
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
                result.failedPaths << file.path;
                continue;
            }
            const platform::files::RemovalResult leftover = m_remover->removePermanently(file.removalTarget());
            result.freed += leftover.freedBytes;
            if (!leftover.gone) {
                result.failedPaths << file.path;
                continue;
            }
            removed.insert(file.path);
        }
    }
    return result;
}

} // namespace velk::cleaning
