#include "engine/cleaning/SystemJunkScanner.h"

#include "engine/cleaning/CleaningLog.h"
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

using platform::locations::SafeFolders;

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

// A category folder left out is said in the log with why, and where it leads
// when a link or the XDG variable sent it elsewhere, so that a cache folder
// set to a place holding the user's own files can be told from an empty one.
void logRefusal(const QString& path, SafeFolders::Refusal refusal)
{
    const QString real = SafeFolders::realPath(path);
    const QString leadsTo = real.isEmpty() || real == path ? QString() : QStringLiteral(" (%1)").arg(real);
    qCWarning(cleaningLog).noquote() << "not scanned:" << path + leadsTo << SafeFolders::reason(refusal);
}

} // namespace

SystemJunkScanner::SystemJunkScanner()
    : m_locations(platform::core::service<platform::locations::Locations>())
    , m_locale(platform::core::service<platform::core::SystemLocale>())
{
}

// The folders a location stands for that a cleaner may work in: none that
// is, or through a link or an odd XDG variable turns out to be, "/", the
// home, an ancestor of it, one of the user's own folders, an ancestor of one
// or a folder inside one (the downloads folder is the Downloads category's
// own), a system folder or a pseudo file system. Only a location the engines
// name by its absolute path may lie inside a system area.
QStringList SystemJunkScanner::safeFolders(const QString& location, bool logRefusals) const
{
    return SafeFolders(*m_locations)
        .resolve(location, location.startsWith(u'/'), logRefusals ? logRefusal : SafeFolders::RefusedHandler());
}

QStringList SystemJunkScanner::paths(ScanCategoryID id) const
{
    return categoryFolders(id, false);
}

QStringList SystemJunkScanner::categoryFolders(ScanCategoryID id, bool logRefusals) const
{
    if (id == ScanCategoryID::languageFiles)
        return languageFilePaths();
    QStringList folders;
    for (const QString& location : cleaning::folders(id))
        folders += safeFolders(location, logRefusals);
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
                others << SafeFolders::realPath(folder);
        }
    }
    std::vector<FileItem> items;
    for (const QString& folder : categoryFolders(id, true)) {
        if (!QFileInfo(folder).isDir())  // follows a link at the folder itself
            continue;
        // Listed at its real path, so that every item's path is free of links.
        const QString real = SafeFolders::realPath(folder);
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
        for (const QString& applicationFolder : safeFolders(QString::fromUtf8(location), false)) {
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
