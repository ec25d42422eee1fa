#include "ui/screens/largefiles/LargeFileScope.h"

#include "engine/cleaning/LargeFileScanSelectionStore.h"
#include "engine/cleaning/LargeFileScanner.h"

#include <iterator>

namespace velk::screens {
namespace {

constexpr const char* roleNameTable[] = {
    "key", "title", "isSystem", "depth", "hasChildren", "isExpanded", "isSelected",
};

} // namespace

ScopeRowModel::ScopeRowModel(QObject* parent)
    : KeyedListModel(QList<QByteArray>(std::begin(roleNameTable), std::end(roleNameTable)), parent)
{
}

QVariant ScopeRowModel::value(const ScopeRow& row, int column) const
{
    switch (column) {
    case 0: return row.path;
    case 1: return row.title;
    case 2: return row.isSystem;
    case 3: return row.depth;
    case 4: return row.hasChildren;
    case 5: return row.isExpanded;
    case 6: return row.isSelected;
    default: return {};
    }
}

LargeFileScope::LargeFileScope(QObject* parent)
    : QObject(parent)
    , m_rows(this)
{
}

QStringList LargeFileScope::selectionList() const
{
    QStringList paths(m_selection.cbegin(), m_selection.cend());
    paths.sort();
    return paths;
}

void LargeFileScope::load()
{
    setTrees(cleaning::LargeFileScanner().choices());
}

void LargeFileScope::setTrees(QList<cleaning::LargeFileScanNode> trees)
{
    m_trees = std::move(trees);
    m_selection = cleaning::LargeFileScanSelectionStore::restoredSelection(m_trees);
    m_expanded = cleaning::LargeFileScanSelectionStore::expanded(m_selection);
    refreshRows();
    emit selectionChanged();
}

void LargeFileScope::toggleSelected(const QString& path)
{
    if (!findNode(m_trees, path))
        return;
    if (!m_selection.remove(path))
        m_selection.insert(path);
    refreshRows();
    emit selectionChanged();
}

void LargeFileScope::toggleExpanded(const QString& path)
{
    const cleaning::LargeFileScanNode* node = findNode(m_trees, path);
    if (!node || node->children.isEmpty())
        return;
    if (!m_expanded.remove(path))
        m_expanded.insert(path);
    refreshRows();
}

QStringList LargeFileScope::startPaths() const
{
    QStringList paths;
    for (const cleaning::LargeFileScanNode& tree : m_trees)
        paths << tree.selectedPaths(m_selection);
    return paths;
}

void LargeFileScope::save() const
{
    cleaning::LargeFileScanSelectionStore::save(m_selection);
}

void LargeFileScope::refreshRows()
{
    QList<ScopeRow> rows;
    appendRows(m_trees, 0, rows);
    m_rows.update(rows);
}

void LargeFileScope::appendRows(const QList<cleaning::LargeFileScanNode>& nodes, int depth, QList<ScopeRow>& into) const
{
    for (const cleaning::LargeFileScanNode& node : nodes) {
        const bool open = m_expanded.contains(node.path);
        into.append({node.path, node.title, node.isSystem, depth, !node.children.isEmpty(), open,
                     m_selection.contains(node.path)});
        if (open)
            appendRows(node.children, depth + 1, into);
    }
}

const cleaning::LargeFileScanNode* LargeFileScope::findNode(const QList<cleaning::LargeFileScanNode>& nodes, const QString& path) const
{
    for (const cleaning::LargeFileScanNode& node : nodes) {
        if (node.path == path)
            return &node;
        if (const cleaning::LargeFileScanNode* found = findNode(node.children, path))
            return found;
    }
    return nullptr;
}

} // namespace velk::screens
