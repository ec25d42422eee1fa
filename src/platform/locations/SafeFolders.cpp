#include "platform/locations/SafeFolders.h"

#include "platform/locations/CanonicalPath.h"
#include "platform/locations/LocationPaths.h"

#include <QFileInfo>

namespace velk::platform::locations {
namespace {

namespace lp = locationpaths;

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// A location in one spelling, for comparisons; empty when it is none.
QString normalLocation(const QString& location)
{
    const auto parsed = lp::parse(location);
    return !parsed ? QString() : (parsed->inHome ? QStringLiteral("~") : QString()) + parsed->path;
}

} // namespace

SafeFolders::SafeFolders(const Locations& locations)
    : m_locations(locations)
{
    for (const Locations::UserFolder& folder : m_locations.userFolders())
        m_userFolders.append({normalLocation(folder.location), realPath(folder.path)});
    for (const QString& folder : {m_locations.configHome(), m_locations.dataHome(), m_locations.stateHome()}) {
        if (const QString real = realPath(folder); !real.isEmpty())
            m_settingsAndData << real;
    }
}

QString SafeFolders::realPath(const QString& path)
{
    QString rest;
    QString current = lp::cleanAbsolute(path);
    if (current.isEmpty())
        return {};
    for (;;) {
        const QString real = canonicalPath(current);
        if (!real.isEmpty())
            return lp::cleanAbsolute(real + rest);
        if (current == u"/")
            return lp::cleanAbsolute(rest);
        const qsizetype slash = current.lastIndexOf(u'/');
        rest.prepend(current.mid(slash));
        current = parentOf(current);
    }
}

// A user folder at or above the home (xdg-user-dirs sets a folder the user
// does without to the home itself) makes nothing inside it a user's own
// folder: the home is judged on its own.
SafeFolders::Refusal SafeFolders::userFolderRefusal(const QString& real, const QString& home,
                                                    const QString& location) const
{
    const QString named = normalLocation(location);
    Refusal refusal = Refusal::None;
    for (const UserFolder& folder : m_userFolders) {
        if (folder.realPath.isEmpty() || (!named.isEmpty() && folder.location == named))
            continue;
        if (lp::isAtOrBelow(folder.realPath, real))
            return Refusal::UserFolder;
        if (lp::isAtOrBelow(real, folder.realPath) && !lp::isAtOrBelow(home, folder.realPath))
            refusal = Refusal::InsideUserFolder;
    }
    return refusal;
}

SafeFolders::Refusal SafeFolders::check(const QString& path, bool insideSystemAllowed, const QString& location) const
{
    const QString real = realPath(path);
    if (real.isEmpty())
        return Refusal::NotAbsolute;
    if (real == u"/")
        return Refusal::Root;
    const QString home = realPath(m_locations.home());
    if (real == home)
        return Refusal::Home;
    if (lp::isAtOrBelow(home, real))
        return Refusal::HomeAncestor;
    for (const QString& folder : m_settingsAndData) {
        if (lp::isAtOrBelow(folder, real))
            return Refusal::SettingsOrData;
    }
    if (const Refusal refusal = userFolderRefusal(real, home, location); refusal != Refusal::None)
        return refusal;
    if (m_locations.isPseudoFileSystem(real) || m_locations.isPseudoFileSystem(path))
        return Refusal::PseudoFileSystem;
    if (m_locations.isSystemPath(real)) {
        const bool topOfSystemArea = !m_locations.isSystemPath(parentOf(real));
        if (!insideSystemAllowed || topOfSystemArea)
            return Refusal::System;
    }
    return Refusal::None;
}

QStringList SafeFolders::resolve(const QString& location, bool insideSystemAllowed,
                                 const RefusedHandler& refused) const
{
    QStringList safe;
    for (const QString& path : m_locations.resolveAll(location)) {
        const Refusal refusal = check(path, insideSystemAllowed, location);
        if (refusal == Refusal::None)
            safe << path;
        else if (refused)
            refused(path, refusal);
    }
    return safe;
}

QString SafeFolders::reason(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None: return {};
    case Refusal::Root: return QStringLiteral("is the root folder");
    case Refusal::Home: return QStringLiteral("is the home folder");
    case Refusal::HomeAncestor: return QStringLiteral("holds the home folder");
    case Refusal::SettingsOrData:
        return QStringLiteral("is or holds the folder of the user's settings, data or state");
    case Refusal::UserFolder: return QStringLiteral("is or holds one of the user's own folders");
    case Refusal::InsideUserFolder: return QStringLiteral("lies inside one of the user's own folders");
    case Refusal::System: return QStringLiteral("is a system folder");
    case Refusal::PseudoFileSystem: return QStringLiteral("lies on a pseudo file system");
    case Refusal::NotAbsolute: return QStringLiteral("is not an absolute path");
    }
    return {};
}

} // namespace velk::platform::locations
