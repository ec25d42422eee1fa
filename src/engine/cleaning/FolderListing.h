#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace velk {

// A direct child of a folder, as the scanners list them.
struct ListedChild {
    QString path;
    bool isFolder = false;
    qint64 size = 0; // logical size; 0 for folders
    std::optional<QDateTime> modificationDate;
};

// The direct children of `folder` in listing order, leaving out hidden
// entries, symbolic links and entries whose attributes cannot be read.
// Empty when the folder cannot be listed.
QList<ListedChild> listVisibleChildren(const QString& folder);

} // namespace velk
