#include "engine/cleaning/FileScanner.h"

#include "engine/cleaning/FolderListing.h"
#include "engine/cleaning/SyncFileScanner.h"
#include "platform/files/DirectoryWalker.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FileStatus.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace velk::cleaning {
namespace {

// Every direct child of `folder`, hidden ones included, as found.
QList<platform::files::RemovalTarget> allChildren(const QString& folder)
{
    platform::files::WalkOptions options;
    options.skipHidden = false;
    options.maxDepth = 1;
    QList<platform::files::RemovalTarget> children;
    platform::files::walkDirectory(folder, options, [&](const platform::files::WalkEntry& entry) {
        children.append({QByteArray(entry.nativePath.data(), static_cast<qsizetype>(entry.nativePath.size())),
                         platform::files::scannedIdentity(entry)});
        return platform::files::WalkAction::Continue;
    });
    return children;
}

} // namespace

FileScanner& FileScanner::shared()
{
    static FileScanner instance;
    return instance;
}

qint64 FileScanner::directorySize(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    return SyncFileScanner::dirSizePublic(folder);
}

QList<FileItem> FileScanner::scanDirectory(const QString& folder, bool recursive)
{
    std::lock_guard lock(m_mutex);
    QList<FileItem> items;
    for (const ListedChild& child : listVisibleChildren(folder)) {
        if (!child.isFolder) {
            items.append(FileItem::scanned(child.nativePath, child.identity, child.size, child.modificationDate,
                                           FileItem::ItemType::File));
            continue;
        }
        if (!recursive)
            continue;
        const qint64 size = platform::files::folderTotal(child.nativePath).bytes;
        if (size != 0)
            items.append(FileItem::scanned(child.nativePath, child.identity, size, child.modificationDate,
                                           FileItem::ItemType::Directory));
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const FileItem& a, const FileItem& b) { return a.size > b.size; });
    return items;
}

qint64 FileScanner::totalSize(const QString& path)
{
    std::lock_guard lock(m_mutex);
    if (QFileInfo(path).isDir())
        return SyncFileScanner::dirSizePublic(path);
    const auto status = platform::files::entryStatus(QFile::encodeName(path));
    return status ? status->size : 0;
}

qint64 FileScanner::moveToTrash(const QList<FileItem>& items)
{
    std::lock_guard lock(m_mutex);
    const auto remover = platform::core::service<platform::files::FileRemover>();
    qint64 freed = 0;
    for (const FileItem& item : items)
        freed += remover->moveToTrash(item.removalTarget()).freedBytes;
    return freed;
}

qint64 FileScanner::deleteItems(const QList<FileItem>& items)
{
    std::lock_guard lock(m_mutex);
    const auto remover = platform::core::service<platform::files::FileRemover>();
    qint64 freed = 0;
    for (const FileItem& item : items)
        freed += remover->removePermanently(item.removalTarget()).freedBytes;
    return freed;
}

qint64 FileScanner::emptyTrash()
{
    std::lock_guard lock(m_mutex);
    // No Trash here (a data home that is no place to clean): nothing to empty,
    // and above all not a folder named like one.
    const QStringList trashes =
        platform::core::service<platform::locations::Locations>()->resolveAll(QStringLiteral("~/.Trash"));
    const QString trash = trashes.value(0);
    if (!QDir::isAbsolutePath(trash))
        return 0;
    const qint64 before = SyncFileScanner::dirSizePublic(trash);
    const auto remover = platform::core::service<platform::files::FileRemover>();
    for (const platform::files::RemovalTarget& child : allChildren(trash))
        remover->removePermanently(child);
    return std::max<qint64>(0, before - SyncFileScanner::dirSizePublic(trash));
}

} // namespace velk::cleaning
