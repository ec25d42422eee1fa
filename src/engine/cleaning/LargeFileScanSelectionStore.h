#pragma once

#include "engine/cleaning/LargeFileScanNode.h"

#include <QList>
#include <QSet>
#include <QString>

namespace velk::cleaning {

// Remembers which scope nodes the user ticked, across launches, and says
// which nodes the scope sheet shows open.
class LargeFileScanSelectionStore {
public:
    LargeFileScanSelectionStore() = delete;

    static const QString key;  // "largeFileScanScopeSelection"

    // Stores the paths in ascending order (an empty selection as an empty list).
    static void save(const QSet<QString>& selection);
    // The stored paths that are nodes of `trees`; the default selection when
    // nothing usable is stored or none of it is in the trees any more.
    static QSet<QString> restoredSelection(const QList<LargeFileScanNode>& trees);
    // The start-up volume and the user folders, plus every ancestor of a
    // selected path up to the start-up volume.
    static QSet<QString> expanded(const QSet<QString>& selection);

private:
    static QSet<QString> allPaths(const QList<LargeFileScanNode>& trees);
};

} // namespace velk::cleaning
