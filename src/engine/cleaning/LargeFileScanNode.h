#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace velk::cleaning {

// One folder or volume the user may tick as a place for the large-file scan
// to look. The path is the node's identity.
struct LargeFileScanNode {
    QString path;
    QString title;
    bool isSystem = false;
    bool selectedByDefault = false;
    QList<LargeFileScanNode> children;

    const QString& id() const { return path; }

    // This node's path when `selection` holds it, then the selected paths of
    // each child in order: the subtree in pre-order.
    QStringList selectedPaths(const QSet<QString>& selection) const;
    // The paths of every node, at any depth, ticked by default.
    static QSet<QString> defaultSelection(const QList<LargeFileScanNode>& nodes);

    bool operator==(const LargeFileScanNode& other) const = default;
};

size_t qHash(const LargeFileScanNode& node, size_t seed = 0) noexcept;

} // namespace velk::cleaning
