#pragma once

#include "engine/cleaning/FileItem.h"

#include <QList>
#include <QString>

#include <mutex>

namespace velk::cleaning {

// Sizing, listing, trashing and deleting as one shared service whose
// operations run one at a time. Every call is synchronous: call it from a
// background thread. Removal goes through the platform's FileRemover.
class FileScanner {
public:
    static FileScanner& shared();

    // Total size of the regular files below `folder` (see SyncFileScanner).
    qint64 directorySize(const QString& folder);
    // The visible, non-link children of `folder`, selected, largest first.
    // Files are kept whatever their size; folders only when `recursive` and
    // not empty by size.
    QList<FileItem> scanDirectory(const QString& folder, bool recursive);
    // A folder's directorySize, or else the item's own size; 0 when unknown.
    qint64 totalSize(const QString& path);
    // Moves each item to the Trash; an item that cannot be moved stays where
    // it is (it is never removed instead). Returns the bytes moved.
    qint64 moveToTrash(const QList<FileItem>& items);
    // Removes each item permanently; returns the bytes that went away
    // (what part of an item did go included).
    qint64 deleteItems(const QList<FileItem>& items);
    // Removes everything in the user's Trash; returns by how much its
    // measured size went down.
    qint64 emptyTrash();

private:
    FileScanner() = default;

    std::mutex m_mutex;
};

} // namespace velk::cleaning
