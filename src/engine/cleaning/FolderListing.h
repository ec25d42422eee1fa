#pragma once

#include "platform/files/FileIdentity.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace velk::cleaning {

// A direct child of a folder, as the scanners list them.
struct ListedChild {
    QString path;          // display form
    QByteArray nativePath; // as the file system spells it
    platform::files::ScannedIdentity identity;
    bool isFolder = false;
    qint64 size = 0; // logical size; 0 for folders
    std::optional<QDateTime> modificationDate;
};

// The direct children of `folder` in listing order, leaving out hidden
// entries, symbolic links, mount points and entries whose attributes cannot
// be read. Empty when the folder cannot be listed.
QList<ListedChild> listVisibleChildren(const QString& folder);
QList<ListedChild> listVisibleChildren(const QByteArray& nativeFolder);
// Every direct child of `folder` whose attributes can be read, hidden
// entries, symbolic links (as links) and mount points included.
QList<ListedChild> listAllChildren(const QString& folder);

} // namespace velk::cleaning
