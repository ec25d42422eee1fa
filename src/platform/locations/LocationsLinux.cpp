#include "platform/locations/Locations.h"

#include "platform/core/CurrentUser.h"
#include "platform/locations/LocationPaths.h"
#include "platform/locations/SafeFolders.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UniqueFd.h"

#include <QFile>
#include <QHash>
#include <QLoggingCategory>
#include <QtGlobal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace velk::platform::locations {
namespace {

namespace lp = locationpaths;

Q_LOGGING_CATEGORY(locationsLog, "velk.platform.locations")

// Where the engines name the download folder; on Linux it is the XDG one.
const QString kDownloads = QStringLiteral("/Downloads");

// An XDG base folder: the variable when it holds an absolute path, else the
// default below the home.
QString xdgFolder(const char* variable, const QString& home, const QString& fallback)
{
    const QString value = lp::cleanAbsolute(qEnvironmentVariable(variable));
    return value.isEmpty() ? lp::join(home, fallback) : value;
}

// At most this much of the user-dirs file is read.
constexpr qsizetype kUserDirsLimit = 64 * 1024;

// The start of a regular file, read without blocking: a FIFO or a device in
// its place gives nothing.
QByteArray readSmallFile(const QString& path)
{
    core::UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    QByteArray content(kUserDirsLimit, Qt::Uninitialized);
    qsizetype used = 0;
    while (used < content.size()) {
        const ssize_t n = ::read(fd.get(), content.data() + used, static_cast<size_t>(content.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        used += n;
    }
    content.truncate(used);
    return content;
}

// The folders a user-dirs file names, by key ("DOCUMENTS" for
// XDG_DOCUMENTS_DIR). Values are written the shell's way, in double quotes
// with backslash escapes, and are "$HOME/..." or absolute; others are
// ignored.
QHash<QByteArray, QString> parseUserDirs(const QByteArray& content, const QString& home)
{
    QHash<QByteArray, QString> folders;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        if (equals < 0 || !key.startsWith("XDG_") || !key.endsWith("_DIR") || key.size() <= 8)
            continue;
        QByteArray value = line.mid(equals + 1);
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        QString prefix;
        if (value == "$HOME" || value.startsWith("$HOME/")) {
            prefix = home;
            value.remove(0, 5);
        }
        QByteArray unescaped;
        for (qsizetype i = 0; i < value.size(); ++i)
            unescaped.append(value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i]);
        const QString path = lp::cleanAbsolute(prefix + QString::fromUtf8(unescaped));
        if (!path.isEmpty())
            folders.insert(key.mid(4, key.size() - 8), path);
    }
    return folders;
}

// One mapped location: it and everything below it resolve below each of
// `targets`, in order. No targets: the location has no counterpart here.
struct Rule {
    bool inHome;
    QString location;
    QStringList targets;
};

// Says once why a base folder of the XDG variables stands for nothing here.
void logUnusable(const char* which, const QString& folder, SafeFolders::Refusal refusal, const char* consequence)
{
    const QString real = SafeFolders::realPath(folder);
    const QString leadsTo = real.isEmpty() || real == folder ? QString() : QStringLiteral(" (%1)").arg(real);
    qCWarning(locationsLog).noquote() << which << folder + leadsTo << SafeFolders::reason(refusal) + u':'
                                      << consequence;
}

// Where Linux keeps the same kind of data in the same layout. Everything not
// covered here is itself ("~" being the home) and usually absent. System logs
// are deliberately not mapped: removing folders below /var/log breaks services.
// The cache home, and the data home for its Trash, are judged once: one that
// is or holds the home, one of the user's own folders or another base folder
// (through a link or a bind mount too) stands for nothing, so that nothing
// below it is cleaned or listed.
class LinuxLocations final : public Locations {
public:
    explicit LinuxLocations(const QString& home)
        : m_home(lp::cleanAbsolute(home))
        , m_config(xdgFolder("XDG_CONFIG_HOME", m_home, "/.config"))
        , m_data(xdgFolder("XDG_DATA_HOME", m_home, "/.local/share"))
        , m_state(xdgFolder("XDG_STATE_HOME", m_home, "/.local/state"))
        , m_cache(xdgFolder("XDG_CACHE_HOME", m_home, "/.cache"))
        , m_userDirsFile(m_config + "/user-dirs.dirs")
    {
        QStringList userFolderPaths;
        for (const UserFolder& folder : readUserFolders())
            userFolderPaths << folder.path;
        const auto cacheRefusal =
            SafeFolders::checkBaseFolder(m_cache, m_home, userFolderPaths, {m_config, m_data, m_state});
        const auto dataRefusal = SafeFolders::checkBaseFolder(m_data, m_home, userFolderPaths, {m_config, m_state});
        if (cacheRefusal != SafeFolders::Refusal::None)
            logUnusable("the cache home", m_cache, cacheRefusal, "no cache below it is cleaned or listed");
        if (dataRefusal != SafeFolders::Refusal::None)
            logUnusable("the data home", m_data, dataRefusal, "its Trash is not cleaned or listed");
        const bool cacheUsable = cacheRefusal == SafeFolders::Refusal::None;
        const bool trashUsable = dataRefusal == SafeFolders::Refusal::None;
        const QString trash = m_data + "/Trash";
        if (trashUsable)
            m_trashInfo = trash + "/info";
        const auto ifUsable = [](bool usable, const QStringList& targets) { return usable ? targets : QStringList(); };
        m_rules = {
            {true, "/Library/Caches", ifUsable(cacheUsable, {m_cache})},
            {true, "/Library/Caches/Google/Chrome",
             ifUsable(cacheUsable, {m_cache + "/google-chrome", m_cache + "/chromium"})},
            {true, "/Library/Caches/Firefox/Profiles", ifUsable(cacheUsable, {m_cache + "/mozilla/firefox"})},
            {true, "/Library/Caches/com.apple.Safari", {}},
            {true, "/Library/Safari", {}},
            {true, "/Library/Application Support/Google/Chrome", {m_config + "/google-chrome", m_config + "/chromium"}},
            // The recent-items list of the desktop.
            {true, "/Library/Application Support/com.apple.sharedfilelist", {m_data + "/recently-used.xbel"}},
            {true, "/.Trash", ifUsable(trashUsable, {trash + "/files"})},
            {false, "/Users", {"/home"}},
            {false, "/Volumes", {"/media", "/mnt", "/run/media"}},
        };
    }

    Layout layout() const override { return Layout::Linux; }

    QStringList resolveAll(const QString& location) const override
    {
        const auto parsed = lp::parse(location);
        if (!parsed)
            return {};
        if (parsed->inHome && lp::isAtOrBelow(parsed->path, kDownloads))
            return {lp::join(downloadFolder(), lp::remainder(parsed->path, kDownloads))};
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
        // A download folder that is the home, or above it, reads as those.
        if (const QString downloads = downloadFolder(); !lp::isAtOrBelow(m_home, downloads))
            readings.append({downloads, u'~' + kDownloads});
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
    QString configHome() const override { return m_config; }
    QString dataHome() const override { return m_data; }
    QString stateHome() const override { return m_state; }
    QString cacheHome() const override { return m_cache; }

    // The system folders (those of the macOS layout included, should they
    // exist) and everything below them, except the user's own home.
    bool isSystemPath(const QString& path) const override
    {
        const QString clean = lp::cleanAbsolute(path);
        const bool inHome = m_home.size() > 1 && lp::isAtOrBelow(clean, m_home);
        return !inHome && lp::isHostSystemPath(clean);
    }

    bool isPseudoFileSystem(const QString& path) const override
    {
        return lp::isHostPseudoFileSystem(lp::cleanAbsolute(path));
    }

    QList<UserFolder> userFolders() const override { return readUserFolders(); }

    QString trashInfoFolder() const override { return m_trashInfo; }

private:
    QList<UserFolder> readUserFolders() const;
    // The XDG download folder, read afresh.
    QString downloadFolder() const;

    QString m_home;
    QString m_config;
    QString m_data;
    QString m_state;
    QString m_cache;
    QString m_userDirsFile;
    QString m_trashInfo;  // empty while the data home is not usable
    QList<Rule> m_rules;
};

// The XDG user directories: those the user-dirs file names, the usual
// folders below the home for the others.
QList<Locations::UserFolder> LinuxLocations::readUserFolders() const
{
    struct Kind {
        const char* key;
        const char* location;
        const char* fallback;
    };
    static constexpr Kind kinds[] = {
        {"DESKTOP", "~/Desktop", "/Desktop"},       {"DOCUMENTS", "~/Documents", "/Documents"},
        {"DOWNLOAD", "~/Downloads", "/Downloads"},  {"MUSIC", "~/Music", "/Music"},
        {"PICTURES", "~/Pictures", "/Pictures"},    {"PUBLICSHARE", "~/Public", "/Public"},
        {"TEMPLATES", "~/Templates", "/Templates"}, {"VIDEOS", "~/Movies", "/Videos"},
    };
    const QHash<QByteArray, QString> named = parseUserDirs(readSmallFile(m_userDirsFile), m_home);
    QList<UserFolder> folders;
    for (const Kind& kind : kinds) {
        const QString path = named.value(kind.key);
        folders.append({QString::fromLatin1(kind.location),
                        path.isEmpty() ? lp::join(m_home, QString::fromLatin1(kind.fallback)) : path});
    }
    return folders;
}

QString LinuxLocations::downloadFolder() const
{
    const QString named = parseUserDirs(readSmallFile(m_userDirsFile), m_home).value("DOWNLOAD");
    return named.isEmpty() ? lp::join(m_home, kDownloads) : named;
}

} // namespace

std::shared_ptr<Locations> Locations::linuxProfile(const QString& home)
{
    return std::make_shared<LinuxLocations>(home.isEmpty() ? core::service<core::CurrentUser>()->homePath() : home);
}

} // namespace velk::platform::locations
