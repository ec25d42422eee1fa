#include "engine/cleaning/LargeFileScanSelectionStore.h"

#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"

#include <QStringList>

namespace velk::cleaning {
namespace {

void collectPaths(const QList<LargeFileScanNode>& nodes, QSet<QString>& into)
{
    for (const LargeFileScanNode& node : nodes) {
        into.insert(node.path);
        collectPaths(node.children, into);
    }
}

// The path with its last component trimmed off as text: "/a/b" gives "/a",
// "/a" gives "/", a name without a slash gives "".
QString parentText(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    if (slash == 0)
        return QStringLiteral("/");
    QString parent = trimmed.left(slash);
    while (parent.size() > 1 && parent.endsWith(u'/'))
        parent.chop(1);
    return parent;
}

} // namespace

const QString LargeFileScanSelectionStore::key = QStringLiteral("largeFileScanScopeSelection");

void LargeFileScanSelectionStore::save(const QSet<QString>& selection)
{
    QStringList paths(selection.begin(), selection.end());
    paths.sort();
    platform::core::service<platform::settings::UserDefaults>()->setStringList(key, paths);
}

QSet<QString> LargeFileScanSelectionStore::restoredSelection(const QList<LargeFileScanNode>& trees)
{
    if (const auto stored = platform::core::service<platform::settings::UserDefaults>()->stringList(key)) {
        const QSet<QString> known = allPaths(trees);
        QSet<QString> restored;
        for (const QString& path : *stored) {
            if (known.contains(path))
                restored.insert(path);
        }
        if (!restored.isEmpty())
            return restored;
    }
    return LargeFileScanNode::defaultSelection(trees);
}

QSet<QString> LargeFileScanSelectionStore::expanded(const QSet<QString>& selection)
{
    const auto locations = platform::core::service<platform::locations::Locations>();
    const QString root = locations->resolve(QStringLiteral("/"));
    QSet<QString> open{root, locations->resolve(QStringLiteral("/Users"))};
    for (const QString& path : selection) {
        QString current = path;
        for (;;) {
            const QString parent = parentText(current);
            if (parent.isEmpty())
                break;
            open.insert(parent);
            if (parent == QLatin1String("/") || parent == root || parent == current)
                break;
            current = parent;
        }
    }
    return open;
}

QSet<QString> LargeFileScanSelectionStore::allPaths(const QList<LargeFileScanNode>& trees)
{
    QSet<QString> paths;
    collectPaths(trees, paths);
    return paths;
}

} // namespace velk::cleaning
