#include "engine/cleaning/SyncFileScanner.h"

#include "engine/cleaning/FolderListing.h"
#include "platform/files/ParallelWalk.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace velk::cleaning {

qint64 SyncFileScanner::dirSizePublic(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    return clean.isEmpty() ? 0 : platform::files::parallelFolderTotal(QFile::encodeName(clean)).bytes;
}

qint64 SyncFileScanner::appSize(const QString& app)
{
    return dirSizePublic(app);
}

QList<FileItem> SyncFileScanner::directorySizeScanned(const QString& folder)
{
    return directorySizeScanned(folder, {});
}

QList<FileItem> SyncFileScanner::directorySizeScanned(const QString& folder,
                                                      const std::function<bool(const QString&)>& leaveOut)
{
    QList<FileItem> items;
    QList<ListedChild> children = listVisibleChildren(folder);
    if (leaveOut)
        children.removeIf([&](const ListedChild& child) { return leaveOut(child.path); });
    // The child folders are sized together, in one walk over all of them.
    std::vector<QByteArray> folders;
    for (const ListedChild& child : children) {
        if (child.isFolder)
            folders.push_back(child.nativePath);
    }
    const std::vector<platform::files::FolderTotal> totals = platform::files::parallelFolderTotals(folders);
    std::size_t nextFolder = 0;
    for (const ListedChild& child : children) {
        const qint64 size = child.isFolder ? totals[nextFolder++].bytes : child.size;
        if (size == 0)
            continue;
        items.append(FileItem::scanned(child.nativePath, child.identity, size, child.modificationDate,
                                       child.isFolder ? FileItem::ItemType::Directory : FileItem::ItemType::File));
    }
    return items;
}

} // namespace velk::cleaning
