#include "platform/Locations.h"

#include "platform/CurrentUser.h"
#include "platform/LocationPaths.h"
#include "platform/ServiceRegistry.h"

#include <QtGlobal>

#include <algorithm>

namespace velk::platform {
namespace {

namespace lp = locationpaths;

// An XDG base folder: the variable when it holds an absolute path, else the
// default below the home.
QString xdgFolder(const char* variable, const QString& home, const QString& fallback)
{
    const QString value = lp::cleanAbsolute(qEnvironmentVariable(variable));
    return value.isEmpty() ? lp::join(home, fallback) : value;
}

// One mapped location: it and everything below it resolve below each of
// `targets`, in order. No targets: the location has no counterpart here.
struct Rule {
    bool inHome;
    QString location;
    QStringList targets;
};

// Where Linux keeps the same kind of data in the same layout. Everything not
// covered here is itself ("~" being the home) and usually absent. System logs
// are deliberately not mapped: removing folders below /var/log breaks services.
class LinuxLocations final : public Locations {
public:
    explicit LinuxLocations(const QString& home)
        : m_home(lp::cleanAbsolute(home))
    {
        const QString cache = xdgFolder("XDG_CACHE_HOME", m_home, "/.cache");
        const QString config = xdgFolder("XDG_CONFIG_HOME", m_home, "/.config");
        const QString data = xdgFolder("XDG_DATA_HOME", m_home, "/.local/share");
        const QString trash = data + "/Trash";
        m_trashInfo = trash + "/info";
        m_rules = {
            {true, "/Library/Caches", {cache}},
            {true, "/Library/Caches/Google/Chrome", {cache + "/google-chrome", cache + "/chromium"}},
            {true, "/Library/Caches/Firefox/Profiles", {cache + "/mozilla/firefox"}},
            {true, "/Library/Caches/com.apple.Safari", {}},
            {true, "/Library/Safari", {}},
            {true, "/Library/Application Support/Google/Chrome", {config + "/google-chrome", config + "/chromium"}},
            // The recent-items list of the desktop.
            {true, "/Library/Application Support/com.apple.sharedfilelist", {data + "/recently-used.xbel"}},
            {true, "/.Trash", {trash + "/files"}},
            {false, "/Users", {"/home"}},
            {false, "/Volumes", {"/media", "/mnt", "/run/media"}},
        };
    }

    QStringList resolveAll(const QString& location) const override
    {
        const auto parsed = lp::parse(location);
        if (!parsed)
            return {};
        const Rule* best = nullptr;
        for (const Rule& rule : m_rules) {
            if (rule.inHome == parsed->inHome && lp::isAtOrBelow(parsed->path, rule.location)
                && (!best || rule.location.size() > best->location.size()))
                best = &rule;
        }
        if (!best)
            return {parsed->inHome ? lp::join(m_home, parsed->path) : parsed->path};
        const QString rest = lp::remainder(parsed->path, best->location);
        QStringList resolved;
        for (const QString& target : best->targets)
            resolved << lp::join(target, rest);
        return resolved;
    }

    QString locationFor(const QString& path) const override
    {
        const QString clean = lp::cleanAbsolute(path);
        if (clean.isEmpty())
            return {};
        // Every folder here that some location stands for, the home
        // included; the one holding the path most closely wins, as long as
        // the location read back resolves to the path again.
        struct Reading {
            QString target;
            QString location;
        };
        QList<Reading> readings;
        for (const Rule& rule : m_rules) {
            for (const QString& target : rule.targets)
                readings.append({target, (rule.inHome ? QStringLiteral("~") : QString()) + rule.location});
        }
        if (m_home.size() > 1)
            readings.append({m_home, QStringLiteral("~")});
        std::stable_sort(readings.begin(), readings.end(),
                         [](const Reading& a, const Reading& b) { return a.target.size() > b.target.size(); });
        readings.append({QStringLiteral("/"), QString()});
        for (const Reading& reading : readings) {
            if (!lp::isAtOrBelow(clean, reading.target))
                continue;
            QString candidate = reading.location + lp::remainder(clean, reading.target);
            if (candidate.isEmpty())
                candidate = QStringLiteral("/");
            if (resolveAll(candidate).contains(clean))
                return candidate;
        }
        return {};
    }

    QString home() const override { return m_home; }

    // The system folders (those of the macOS layout included, should they
    // exist) and everything below them, except the user's own home.
    bool isSystemPath(const QString& path) const override
    {
        static const QStringList systemFolders{
            "/System", "/Library", "/private", "/usr", "/bin", "/sbin", "/etc", "/var", "/boot",
            "/opt", "/lib", "/lib32", "/lib64", "/libx32", "/srv", "/snap"};
        const QString clean = lp::cleanAbsolute(path);
        const bool inHome = m_home.size() > 1 && lp::isAtOrBelow(clean, m_home);
        return !inHome && lp::isAtOrBelowAny(clean, systemFolders);
    }

    // Kernel and runtime file systems; removable media mounted below
    // /run/media are real volumes.
    bool isPseudoFileSystem(const QString& path) const override
    {
        static const QStringList pseudoFolders{"/proc", "/sys", "/dev", "/run"};
        const QString clean = lp::cleanAbsolute(path);
        return lp::isAtOrBelowAny(clean, pseudoFolders) && !lp::isAtOrBelow(clean, "/run/media");
    }

    QString trashInfoFolder() const override { return m_trashInfo; }

private:
    QString m_home;
    QString m_trashInfo;
    QList<Rule> m_rules;
};

} // namespace

std::shared_ptr<Locations> Locations::linuxProfile(const QString& home)
{
    return std::make_shared<LinuxLocations>(home.isEmpty() ? service<CurrentUser>()->homePath() : home);
}

} // namespace velk::platform
