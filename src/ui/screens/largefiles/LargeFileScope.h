#pragma once

#include "engine/cleaning/LargeFileScanNode.h"
#include "common/lists/KeyedListModel.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// One shown row of the scope tree.
struct ScopeRow {
    QString path;
    QString title;
    bool isSystem = false;
    int depth = 0;
    bool hasChildren = false;
    bool isExpanded = false;
    bool isSelected = false;

    bool operator==(const ScopeRow& other) const = default;
};

// The rows of the scope tree that are shown: every root and, below an open
// node, its children, in pre-order, keyed by path.
class ScopeRowModel : public lists::KeyedListModel<ScopeRow, QString> {
    Q_OBJECT
    QML_ANONYMOUS
public:
    explicit ScopeRowModel(QObject* parent = nullptr);

protected:
    QString keyOf(const ScopeRow& row) const override { return row.path; }
    QVariant value(const ScopeRow& row, int column) const override;
};

// What the scan-scope sheet works on while it is open: the trees of the
// volumes and their folders, the ticked folders and the open ones. Each
// opening starts from the remembered ticks (or the default) with their
// ancestors open; a tick changes only its own folder, and a scan starts on
// every ticked folder, tree by tree, each tree in pre-order.
class LargeFileScope : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::screens::ScopeRowModel* rows READ rows CONSTANT)
    // The ticked paths, ascending.
    Q_PROPERTY(QStringList selection READ selectionList NOTIFY selectionChanged)
    Q_PROPERTY(bool hasSelection READ hasSelection NOTIFY selectionChanged)

public:
    explicit LargeFileScope(QObject* parent = nullptr);

    ScopeRowModel* rows() { return &m_rows; }
    QStringList selectionList() const;
    bool hasSelection() const { return !m_selection.isEmpty(); }
    const QSet<QString>& selection() const { return m_selection; }
    const QSet<QString>& expanded() const { return m_expanded; }

    // Fresh trees of this machine's volumes, the remembered selection and
    // the folders it needs open.
    Q_INVOKABLE void load();
    // The same over given trees.
    void setTrees(QList<cleaning::LargeFileScanNode> trees);
    Q_INVOKABLE void toggleSelected(const QString& path);
    // Opens or closes a node that has children; a leaf stays as it is.
    Q_INVOKABLE void toggleExpanded(const QString& path);
    // The ticked paths to scan: tree by tree, each in pre-order, so a
    // folder comes before the ticked folders inside it.
    Q_INVOKABLE QStringList startPaths() const;
    // Remembers the ticks for the next opening.
    Q_INVOKABLE void save() const;

signals:
    void selectionChanged();

private:
    void refreshRows();
    void appendRows(const QList<cleaning::LargeFileScanNode>& nodes, int depth, QList<ScopeRow>& into) const;
    const cleaning::LargeFileScanNode* findNode(const QList<cleaning::LargeFileScanNode>& nodes, const QString& path) const;

    ScopeRowModel m_rows;
    QList<cleaning::LargeFileScanNode> m_trees;
    QSet<QString> m_selection;
    QSet<QString> m_expanded;
};

} // namespace velk::screens
