#include "platform/locations/FolderIdentity.h"

#include "platform/locations/LocationPaths.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>

namespace velk::platform::locations {

std::optional<EntryIdentity> entryIdentity(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return EntryIdentity{st.st_dev, st.st_ino};
}

GuardedFolder::GuardedFolder(const QString& realPath)
    : m_path(locationpaths::cleanAbsolute(realPath))
{
    if (m_path.isEmpty())
        return;
    m_identity = entryIdentity(m_path);
    QString current = m_path;
    while (current != u"/") {
        const qsizetype slash = current.lastIndexOf(u'/');
        current = slash <= 0 ? QStringLiteral("/") : current.left(slash);
        if (const auto identity = entryIdentity(current))
            m_ancestors.push_back(*identity);
    }
}

bool GuardedFolder::isNamedBy(const QString& real, const std::optional<EntryIdentity>& identity) const
{
    if (m_path.isEmpty())
        return false;
    return real == m_path || (identity && identity == m_identity);
}

bool GuardedFolder::isHeldBy(const QString& real, const std::optional<EntryIdentity>& identity) const
{
    if (m_path.isEmpty() || real.isEmpty())
        return false;
    if (locationpaths::isAtOrBelow(m_path, real) || isNamedBy(real, identity))
        return true;
    return identity && std::find(m_ancestors.begin(), m_ancestors.end(), *identity) != m_ancestors.end();
}

} // namespace velk::platform::locations
