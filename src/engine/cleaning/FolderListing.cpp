#include "engine/cleaning/FolderListing.h"

#include "platform/files/DirectoryWalker.h"

#include <QFile>

namespace velk::cleaning {

QList<ListedChild> listVisibleChildren(const QString& folder)
{
    return listVisibleChildren(QFile::encodeName(folder));
}

namespace {

QList<ListedChild> listChildren(const QByteArray& folder, bool everything)
{
    platform::files::WalkOptions options;
    options.maxDepth = 1;
    options.skipHidden = !everything;
    QList<ListedChild> children;
    platform::files::walkDirectory(folder, options, [&](const platform::files::WalkEntry& entry) {
        if (!everything && (entry.kind == platform::files::EntryKind::Symlink || entry.isMountPoint))
            return platform::files::WalkAction::Continue;
        ListedChild child;
        child.path = entry.path;
        child.nativePath = QByteArray(entry.nativePath.data(), static_cast<qsizetype>(entry.nativePath.size()));
        child.identity = platform::files::scannedIdentity(entry);
        child.isFolder = entry.kind == platform::files::EntryKind::Directory;
        child.size = child.isFolder ? 0 : entry.size;
        if (entry.modifiedMs)
            child.modificationDate = QDateTime::fromMSecsSinceEpoch(*entry.modifiedMs);
        children.append(std::move(child));
        return platform::files::WalkAction::Continue;
    });
    return children;
}

} // namespace

QList<ListedChild> listVisibleChildren(const QByteArray& folder)
{
    return listChildren(folder, false);
}

QList<ListedChild> listAllChildren(const QString& folder)
{
    return listChildren(QFile::encodeName(folder), true);
}

} // namespace velk::cleaning
