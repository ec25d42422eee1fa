#include "engine/cleaning/LargeFileScanNode.h"

#include <QHashFunctions>

namespace velk::cleaning {
namespace {

void collectDefaults(const QList<LargeFileScanNode>& nodes, QSet<QString>& into)
{
    for (const LargeFileScanNode& node : nodes) {
        if (node.selectedByDefault)
            into.insert(node.path);
        collectDefaults(node.children, into);
    }
}

} // namespace

QStringList LargeFileScanNode::selectedPaths(const QSet<QString>& selection) const
{
    QStringList paths;
    if (selection.contains(path))
        paths << path;
    for (const LargeFileScanNode& child : children)
        paths << child.selectedPaths(selection);
    return paths;
}

QSet<QString> LargeFileScanNode::defaultSelection(const QList<LargeFileScanNode>& nodes)
{
    QSet<QString> selection;
    collectDefaults(nodes, selection);
    return selection;
}

size_t qHash(const LargeFileScanNode& node, size_t seed) noexcept
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, node.path);
    seed = combine(seed, node.title);
    seed = combine(seed, node.isSystem);
    seed = combine(seed, node.selectedByDefault);
    for (const LargeFileScanNode& child : node.children)
        seed = combine(seed, qHash(child, 0));
    return seed;
}

} // namespace velk::cleaning
