#include "platform/locations/Locations.h"

#include "platform/locations/LocationPaths.h"

namespace velk::platform::locations {
namespace {

namespace lp = locationpaths;

// Every location is itself, under a root folder; "~" is the given home.
class MacLocations final : public Locations {
public:
    MacLocations(const QString& root, const QString& home)
        : m_root(lp::cleanAbsolute(root))
        , m_home(lp::cleanAbsolute(home))
    {
        for (const char* folder : {"/System", "/Library", "/usr", "/bin", "/sbin", "/private"})
            m_systemFolders << lp::join(m_root, folder);
        m_pseudoFolders << lp::join(m_root, "/dev");
    }

    Layout layout() const override { return Layout::macOS; }

    QStringList resolveAll(const QString& location) const override
    {
        const auto parsed = lp::parse(location);
        if (!parsed)
            return {};
        return {lp::join(parsed->inHome ? m_home : m_root, parsed->path)};
    }

    QString locationFor(const QString& path) const override
    {
        const QString clean = lp::cleanAbsolute(path);
        if (clean.isEmpty())
            return {};
        if (lp::isAtOrBelow(clean, m_home))
            return u'~' + lp::remainder(clean, m_home);
        if (lp::isAtOrBelow(clean, m_root)) {
            const QString rest = lp::remainder(clean, m_root);
            return rest.isEmpty() ? QStringLiteral("/") : rest;
        }
        return {};
    }

    QString home() const override { return m_home; }

    // The layout's own system folders and, where the machine's own folders
    // show through, those of the machine it lies on (a link may lead out of
    // the layout).
    bool isSystemPath(const QString& path) const override
    {
        const QString clean = lp::cleanAbsolute(path);
        return lp::isAtOrBelowAny(clean, m_systemFolders) || (isHostArea(clean) && lp::isHostSystemPath(clean));
    }

    bool isOperatingSystemPath(const QString& path) const override
    {
        return lp::isAtOrBelow(lp::cleanAbsolute(path), lp::join(m_root, "/System"));
    }

    bool isPseudoFileSystem(const QString& path) const override
    {
        const QString clean = lp::cleanAbsolute(path);
        return lp::isAtOrBelowAny(clean, m_pseudoFolders) || (isHostArea(clean) && lp::isHostPseudoFileSystem(clean));
    }

    QString trashInfoFolder() const override { return {}; }

private:
    // Whether `clean` lies where the machine's own folders are: outside the
    // layout, or anywhere but the home when the layout is laid over the
    // machine's own root (a home of "/" is no exception).
    bool isHostArea(const QString& clean) const
    {
        if (clean.isEmpty() || (m_home.size() > 1 && lp::isAtOrBelow(clean, m_home)))
            return false;
        return m_root == u"/" || !lp::isAtOrBelow(clean, m_root);
    }

    QString m_root;
    QString m_home;
    QStringList m_systemFolders;
    QStringList m_pseudoFolders;
};

} // namespace

std::shared_ptr<Locations> Locations::macProfile(const QString& root, const QString& home)
{
    return std::make_shared<MacLocations>(root, home);
}

} // namespace velk::platform::locations
