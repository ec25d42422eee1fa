#include "engine/cleaning/LargeFileScanner.h"

#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/core/NameOrder.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/files/Volumes.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace velk::cleaning {
namespace {

namespace lp = platform::locations::locationpaths;

QString lastComponent(const QString& path)
{
    const QString clean = lp::cleanAbsolute(path);
    const QString name = clean.mid(clean.lastIndexOf(u'/') + 1);
    return name.isEmpty() ? clean : name;
}

QString resolved(const char* location)
{
    return platform::core::service<platform::locations::Locations>()->resolve(QString::fromLatin1(location));
}

// Where a top-level folder goes: the user folders, then the applications,
// then the rest; system folders after all others; by name within a rank.
class ScopeOrder {
public:
    ScopeOrder()
        : m_users(resolved("/Users"))
        , m_applications(resolved("/Applications"))
    {
    }

    bool operator()(const QString& a, const QString& b) const
    {
        const auto system = LargeFileScanner::systemPaths();
        const bool aSystem = system.contains(a);
        if (aSystem != system.contains(b))
            return !aSystem;
        const int rankA = rank(a);
        const int rankB = rank(b);
        if (rankA != rankB)
            return rankA < rankB;
        return m_names.ascending(lastComponent(a), lastComponent(b));
    }

private:
    int rank(const QString& path) const
    {
        if (path == m_users)
            return 0;
        if (path == m_applications)
            return 1;
        return 2;
    }

    QString m_users;
    QString m_applications;
    platform::core::LocalizedStandardCompare m_names;
};

} // namespace

bool LargeFileScanner::SystemPaths::contains(const QString& path) const
{
    return platform::core::service<platform::locations::Locations>()->isSystemPath(path);
}

QStringList LargeFileScanner::directories(const QString& path)
{
    QStringList folders;
    QDirIterator it(path, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (it.hasNext())
        folders << lp::cleanAbsolute(it.next());
    return folders;
}

QString LargeFileScanner::volumeName()
{
    const std::optional<QString> name = platform::core::service<platform::files::Volumes>()->startupVolumeName();
    if (name && !name->isEmpty())
        return QStringLiteral("本机 · ") + *name;
    return QStringLiteral("本机");
}

QStringList LargeFileScanner::externalVolumes()
{
    const QString root = resolved("/");
    const QString system = resolved("/System");
    const QString systemVolumes = resolved("/System/Volumes");
    QStringList paths;
    for (const platform::files::Volume& volume : platform::core::service<platform::files::Volumes>()->mountedVolumes()) {
        const QString path = lp::cleanAbsolute(volume.path);
        if (path.isEmpty() || path == root || path == system || (path != systemVolumes && lp::isAtOrBelow(path, systemVolumes)))
            continue;
        if (volume.isLocal == false)
            continue;
        paths << path;
    }
    return paths;
}

LargeFileScanNode LargeFileScanner::volumeTree(const QString& path, const QString& title, const QString& home)
{
    const auto locations = platform::core::service<platform::locations::Locations>();
    QStringList dropped = locations->resolveAll(QStringLiteral("/Volumes"));
    dropped << resolved("/dev") << resolved("/.nofollow") << resolved("/System/Volumes");

    QStringList folders = directories(path);
    folders.removeIf([&](const QString& folder) {
        return dropped.contains(folder) || locations->isPseudoFileSystem(folder);
    });
    std::stable_sort(folders.begin(), folders.end(), ScopeOrder());

    const QString users = resolved("/Users");
    LargeFileScanNode volume{path, title, false, false, {}};
    for (const QString& folder : folders) {
        LargeFileScanNode node{folder, lastComponent(folder), systemPaths().contains(folder), false, {}};
        if (folder == users)
            node.children = userNodes(home);
        volume.children << node;
    }
    return volume;
}

QList<LargeFileScanNode> LargeFileScanner::userNodes(const QString& home)
{
    QStringList folders = directories(resolved("/Users"));
    const platform::core::LocalizedStandardCompare names;
    std::stable_sort(folders.begin(), folders.end(), [&](const QString& a, const QString& b) {
        return names.ascending(lastComponent(a), lastComponent(b));
    });
    QList<LargeFileScanNode> nodes;
    for (const QString& folder : folders)
        nodes << LargeFileScanNode{folder, lastComponent(folder), false, folder == home, {}};
    return nodes;
}

QList<LargeFileScanNode> LargeFileScanner::choices() const
{
    const QString home = lp::cleanAbsolute(platform::core::service<platform::locations::Locations>()->home());
    QList<LargeFileScanNode> trees;
    trees << volumeTree(resolved("/"), volumeName(), home);
    for (const QString& volume : externalVolumes())
        trees << volumeTree(volume, lastComponent(volume), home);
    return trees;
}

} // namespace velk::cleaning
