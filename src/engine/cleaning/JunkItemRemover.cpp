#include "engine/cleaning/JunkItemRemover.h"
#include "engine/cleaning/CleaningLog.h"

#include "platform/files/FileRemover.h"
#include "platform/files/FileStatus.h"
#include "platform/files/FolderReader.h"
#include "platform/files/ParallelWalk.h"
#include "platform/core/ServiceRegistry.h"

#include <fcntl.h>
#include <optional>

namespace velk::cleaning {
namespace {

bool existsWithoutFollowing(const QByteArray& path)
{
    return platform::files::entryStatus(path).has_value();
}

// Whether `path` lies below one of `folders`.
bool liesBelowAny(const QByteArray& path, const QList<QByteArray>& folders)
{
    for (const QByteArray& folder : folders) {
        if (path.size() > folder.size() + 1 && path.startsWith(folder) && path.at(folder.size()) == '/')
            return true;
    }
    return false;
}

// What is left of the object scanned at `target`: the regular files below a
// folder, or a file's own size; nothing when the entry there is gone or is
// another object.
std::optional<qint64> sizeLeft(const platform::files::RemovalTarget& target)
{
    const auto now = platform::files::readAttributes(AT_FDCWD, target.path.constData());
    if (!now || (target.identity && !platform::files::isScannedObject(*now, *target.identity)))
        return std::nullopt;
    if (now->kind == platform::files::EntryKind::Directory)
        return platform::files::parallelFolderTotal(target.path).bytes;
    return now->kind == platform::files::EntryKind::File ? qint64(now->size) : 0;
}

} // namespace

JunkItemRemover::JunkItemRemover()
    : m_remover(platform::core::service<platform::files::FileRemover>())
{
}

JunkItemRemover::Result JunkItemRemover::removeAll(const std::vector<FileItem>& items) const
{
    Result result;
    QList<QByteArray> attempted;
    for (const FileItem& item : items) {
        const platform::files::RemovalTarget target = item.removalTarget();
        if (!existsWithoutFollowing(target.path)) {
            // Gone with a folder removed earlier in this clean: its bytes were
            // counted there. Otherwise something else took it away.
            if (liesBelowAny(target.path, attempted)) {
                result.removed.insert(item.id);
            } else {
                result.vanished.insert(item.id);
                qCInfo(cleaningLog).noquote() << "not removed:" << item.path << "was gone before the clean";
            }
            continue;
        }
        attempted.append(target.path);
        // The remover takes an item of the Trash together with the Trash's record.
        const platform::files::RemovalResult removal = m_remover->removePermanently(target);
        result.freedBytes += removal.freedBytes;
        if (removal.gone) {
            result.removed.insert(item.id);
        } else if (const auto left = sizeLeft(target)) {
            result.failures << RemovalFailure::of(item.path, removal);
            result.leftSizes.insert(item.id, *left);
        } else {
            // The object scanned is gone, whatever part of it the remover
            // freed. Another entry in its place (a link, another file) was
            // refused, not taken away: the user hears of it with the reason.
            result.vanished.insert(item.id);
            if (existsWithoutFollowing(target.path))
                result.failures << RemovalFailure::of(item.path, removal);
        }
    }
    return result;
}

} // namespace velk::cleaning
