#include "engine/cleaning/SystemJunkScanner.h"

#include "engine/cleaning/SyncFileScanner.h"
#include "platform/core/CurrentUser.h"
#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/locations/SafeFolders.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace velk::cleaning {
namespace {

constexpr const char* kApplicationFolders[] = {"~/Applications", "/Applications"};

// Direct children of a folder in listing order, hidden ones included; empty
// when the folder cannot be listed.
QStringList listChildren(const QString& folder)
{
    QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths.append(dir.filePath(name));
    return paths;
}

// Whether `name` is a non-empty stem followed by ".<extension>".
bool hasExtension(const QString& name, QLatin1StringView extension)
{
    return name.size() > extension.size() + 1 && name.endsWith(extension)
        && name.at(name.size() - extension.size() - 1) == u'.';
}

} // namespace

SystemJunkScanner::SystemJunkScanner()
    : m_locations(platform::core::service<platform::locations::Locations>())
    , m_locale(platform::core::service<platform::core::SystemLocale>())
{
}

// The folders a location stands for that a cleaner may work in: none that
// is, or through a link or an odd XDG variable turns out to be, "/", the
// home, an ancestor of it, one of the user's own folders or an ancestor of
// one (the downloads folder is the Downloads category's own), a system
// folder or a pseudo file system. Only a location the engines name by its
// absolute path may lie inside a system area.
QStringList SystemJunkScanner::safeFolders(const QString& location) const
{
    return platform::locations::SafeFolders(*m_locations).resolve(location, location.startsWith(u'/'));
}

QStringList SystemJunkScanner::paths(ScanCategoryID id) const
{
    if (id == ScanCategoryID::languageFiles)
        return languageFilePaths();
    QStringList folders;
    for (const QString& location : cleaning::folders(id))
        folders += safeFolders(location);
    return folders;
}

std::vector<FileItem> SystemJunkScanner::scan(ScanCategoryID id) const
{
    // The folders of the other categories: a folder of this one's that is,
    // or holds, one of them is left to the narrower category, so that no
    // byte is listed twice.
    QStringList others;
    if (id != ScanCategoryID::languageFiles) {
        for (ScanCategoryID other : allScanCategoryIDs) {
            if (other == id || other == ScanCategoryID::languageFiles)
                continue;
            for (const QString& folder : paths(other))
                others << platform::locations::SafeFolders::realPath(folder);
        }
    }
    std::vector<FileItem> items;
    for (const QString& folder : paths(id)) {
        if (!QFileInfo(folder).isDir())  // follows a link at the folder itself
            continue;
        // Listed at its real path, so that every item's path is free of links.
        const QString real = platform::locations::SafeFolders::realPath(folder);
        const auto belongsElsewhere = [&](const QString& child) {
            return std::any_of(others.begin(), others.end(), [&](const QString& other) {
                return other != real && platform::locations::locationpaths::isAtOrBelow(other, child);
            });
        };
        for (FileItem& child : SyncFileScanner::directorySizeScanned(real, belongsElsewhere))
            items.push_back(std::move(child));
    }
    std::stable_sort(items.begin(), items.end(), [](const FileItem& a, const FileItem& b) { return a.size > b.size; });
    return items;
}

bool SystemJunkScanner::keepsLanguageFolder(const QString& lprojName, const QString& languageCode)
{
    if (lprojName == u"Base")
        return true;
    qsizetype cut = lprojName.size();
    for (QChar separator : {u'-', u'_'}) {
        const qsizetype at = lprojName.indexOf(separator);
        if (at >= 0)
            cut = std::min(cut, at);
    }
    return QStringView(lprojName).left(cut).compare(languageCode, Qt::CaseInsensitive) == 0;
}

QString SystemJunkScanner::languageToKeep() const
{
    const QString code = m_locale->languageCode();
    // The C/POSIX locale names no language.
    if (code.isEmpty() || code.compare(u"c", Qt::CaseInsensitive) == 0
        || code.compare(u"posix", Qt::CaseInsensitive) == 0)
        return QStringLiteral("en");
    return code;
}

QStringList SystemJunkScanner::languageFilePaths() const
{
    const QString keep = languageToKeep();
    QStringList result;
    for (const char* location : kApplicationFolders) {
        for (const QString& applicationFolder : safeFolders(QString::fromUtf8(location))) {
            for (const QString& application : listChildren(applicationFolder)) {
                if (!hasExtension(QFileInfo(application).fileName(), QLatin1StringView("app")))
                    continue;
                for (const QString& resource : listChildren(application + QStringLiteral("/Contents/Resources"))) {
                    const QString name = QFileInfo(resource).fileName();
                    if (!hasExtension(name, QLatin1StringView("lproj")))
                        continue;
                    if (!keepsLanguageFolder(name.chopped(6), keep))
                        result.append(resource);
                }
            }
        }
    }
    return result;
}

} // namespace velk::cleaning
