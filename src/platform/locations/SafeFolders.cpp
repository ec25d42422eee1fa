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
    m_guards.home = GuardedFolder(realPath(m_locations.home()));
    for (const Locations::UserFolder& folder : m_locations.userFolders())
        m_guards.userFolders.append({normalLocation(folder.location), GuardedFolder(realPath(folder.path))});
    for (const QString& folder : {m_locations.configHome(), m_locations.dataHome(), m_locations.stateHome()})
        m_guards.settingsAndData.append(GuardedFolder(realPath(folder)));
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

SafeFolders::Refusal SafeFolders::Guards::holding(const QString& real, const std::optional<EntryIdentity>& identity,
                                                  const QString& location) const
{
    if (home.isNamedBy(real, identity))
        return Refusal::Home;
    if (home.isHeldBy(real, identity))
        return Refusal::HomeAncestor;
    for (const GuardedFolder& folder : settingsAndData) {
        if (folder.isHeldBy(real, identity))
            return Refusal::SettingsOrData;
    }
    const QString named = normalLocation(location);
    for (const UserFolder& folder : userFolders) {
        if ((named.isEmpty() || folder.location != named) && folder.folder.isHeldBy(real, identity))
            return Refusal::UserFolder;
    }
    return Refusal::None;
}

// A user folder at or above the home (xdg-user-dirs sets a folder the user
// does without to the home itself) makes nothing inside it a user's own
// folder: the home is judged on its own.
bool SafeFolders::Guards::isInsideUserFolder(const QString& real, const QString& location) const
{
    const QString named = normalLocation(location);
    for (const UserFolder& folder : userFolders) {
        const QString& path = folder.folder.path();
        if (path.isEmpty() || (!named.isEmpty() && folder.location == named))
            continue;
        if (lp::isAtOrBelow(real, path) && !lp::isAtOrBelow(home.path(), path))
            return true;
    }
    return false;
}

SafeFolders::Refusal SafeFolders::check(const QString& path, bool insideSystemAllowed, const QString& location) const
{
    const QString real = realPath(path);
    if (real.isEmpty())
        return Refusal::NotAbsolute;
    if (real == u"/")
        return Refusal::Root;
    if (const Refusal refusal = m_guards.holding(real, entryIdentity(real), location); refusal != Refusal::None)
        return refusal;
    if (m_guards.isInsideUserFolder(real, location))
        return Refusal::InsideUserFolder;
    if (m_locations.isPseudoFileSystem(real) || m_locations.isPseudoFileSystem(path))
        return Refusal::PseudoFileSystem;
    if (m_locations.isSystemPath(real)) {
        const bool topOfSystemArea = !m_locations.isSystemPath(parentOf(real));
        if (!insideSystemAllowed || topOfSystemArea)
            return Refusal::System;
    }
    return Refusal::None;
}

SafeFolders::Refusal SafeFolders::checkBaseFolder(const QString& folder, const QString& home,
                                                  const QStringList& userFolders, const QStringList& baseFolders)
{
    const QString real = realPath(folder);
    if (real.isEmpty())
        return Refusal::NotAbsolute;
    if (real == u"/")
        return Refusal::Root;
    Guards guards;
    guards.home = GuardedFolder(realPath(home));
    for (const QString& userFolder : userFolders)
        guards.userFolders.append({QString(), GuardedFolder(realPath(userFolder))});
    for (const QString& baseFolder : baseFolders)
        guards.settingsAndData.append(GuardedFolder(realPath(baseFolder)));
    return guards.holding(real, entryIdentity(real), {});
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
