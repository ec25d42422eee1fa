#include "platform/locations/LocationPaths.h"

namespace velk::platform::locations::locationpaths {
namespace {

// "/"-rooted path without empty, "." or ".." parts; ".." stops at the root.
QString cleanRooted(const QString& path)
{
    QStringList kept;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept << part;
    }
    return '/' + kept.join(u'/');
}

} // namespace

std::optional<ParsedLocation> parse(const QString& location)
{
    if (location == u"~")
        return ParsedLocation{true, "/"};
    if (location.startsWith(u"~/"))
        return ParsedLocation{true, cleanRooted(location.mid(1))};
    if (location.startsWith(u'/'))
        return ParsedLocation{false, cleanRooted(location)};
    return std::nullopt;
}

bool isAtOrBelow(const QString& path, const QString& folder)
{
    if (folder == u"/")
        return path.startsWith(u'/');
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

QString remainder(const QString& path, const QString& folder)
{
    return folder == u"/" ? (path == u"/" ? QString() : path) : path.mid(folder.size());
}

QString join(const QString& base, const QString& absolutePart)
{
    if (absolutePart.isEmpty() || absolutePart == u"/")
        return base;
    if (base.isEmpty() || base == u"/")
        return absolutePart;
    return (base.endsWith(u'/') ? base.chopped(1) : base) + absolutePart;
}

QString cleanAbsolute(const QString& path)
{
    return path.startsWith(u'/') ? cleanRooted(path) : QString();
}

bool isAtOrBelowAny(const QString& path, const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (isAtOrBelow(path, folder))
            return true;
    }
    return false;
}

bool isHostSystemPath(const QString& path)
{
    static const QStringList systemFolders{
        "/System", "/Library", "/private", "/usr", "/bin", "/sbin", "/etc", "/var", "/boot",
        "/opt", "/lib", "/lib32", "/lib64", "/libx32", "/srv", "/snap"};
    return isAtOrBelowAny(path, systemFolders);
}

bool isHostPseudoFileSystem(const QString& path)
{
    static const QStringList pseudoFolders{"/proc", "/sys", "/dev", "/run"};
    return isAtOrBelowAny(path, pseudoFolders) && !isAtOrBelow(path, "/run/media");
}

} // namespace velk::platform::locations::locationpaths
