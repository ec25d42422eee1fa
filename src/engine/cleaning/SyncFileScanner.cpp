#include "engine/cleaning/SyncFileScanner.h"

#include "engine/cleaning/FolderListing.h"
#include "platform/DirectoryWalker.h"

namespace velk {

qint64 SyncFileScanner::dirSizePublic(const QString& folder)
{
    return platform::regularFileBytes(folder);
}

qint64 SyncFileScanner::appSize(const QString& app)
{
    return dirSizePublic(app);
}

QList<FileItem> SyncFileScanner::directorySizeScanned(const QString& folder)
{
    QList<FileItem> items;
    for (const ListedChild& child : listVisibleChildren(folder)) {
        const qint64 size = child.isFolder ? platform::folderTotal(child.nativePath).bytes : child.size;
        if (size == 0)
            continue;
        items.append(FileItem::scanned(child.nativePath, child.identity, size, child.modificationDate,
                                       child.isFolder ? FileItem::ItemType::Directory : FileItem::ItemType::File));
    }
    return items;
}

} // namespace velk
