#pragma once

#include "engine/cleaning/FileItem.h"

#include <QList>
#include <QString>

#include <functional>

namespace velk::cleaning {

// Synchronous folder sizing and listing; callable from any thread.
// Sizes are logical byte counts of regular files only: links are neither
// counted nor followed, hidden entries and package contents are skipped, and
// folders that cannot be read add nothing.
class SyncFileScanner {
public:
    SyncFileScanner() = delete;

    // Total size of the regular files below `folder`; 0 when it cannot be read.
    static qint64 dirSizePublic(const QString& folder);
    // Size of an application bundle: the same sum as dirSizePublic.
    static qint64 appSize(const QString& app);
    // One selected item per visible, non-link child of `folder` whose size is
    // not 0, in listing order. Empty when the folder cannot be listed.
    static QList<FileItem> directorySizeScanned(const QString& folder);
    // The same without the children for which `leaveOut` (given the child's
    // path) is true, which are not sized at all.
    static QList<FileItem> directorySizeScanned(const QString& folder,
                                                const std::function<bool(const QString&)>& leaveOut);
};

} // namespace velk::cleaning
