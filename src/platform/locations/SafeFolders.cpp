#include "platform/locations/SafeFolders.h"

#include "platform/locations/CanonicalPath.h"
#include "platform/locations/LocationPaths.h"

#include <QFileInfo>
#include <algorithm>

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

bool SafeFolders::holdsUserFolder(const QString& real, const QString& location) const
{
    const QString named = normalLocation(location);
    return std::any_of(m_userFolders.begin(), m_userFolders.end(), [&](const UserFolder& folder) {
        return !folder.realPath.isEmpty() && (named.isEmpty() || folder.location != named)
            && lp::isAtOrBelow(folder.realPath, real);
    });
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
    if (holdsUserFolder(real, location))
        return Refusal::UserFolder;
    if (m_locations.isPseudoFileSystem(real) || m_locations.isPseudoFileSystem(path))
        return Refusal::PseudoFileSystem;
    if (m_locations.isSystemPath(real)) {
        const bool topOfSystemArea = !m_locations.isSystemPath(parentOf(real));
        if (!insideSystemAllowed || topOfSystemArea)
            return Refusal::System;
    }
    return Refusal::None;
}

QStringList SafeFolders::resolve(const QString& location, bool insideSystemAllowed) const
{
    QStringList safe;
    for (const QString& path : m_locations.resolveAll(location)) {
        if (check(path, insideSystemAllowed, location) == Refusal::None)
            safe << path;
    }
    return safe;
}

} // namespace velk::platform::locations
