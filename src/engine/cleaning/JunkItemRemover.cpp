#include "engine/cleaning/JunkItemRemover.h"

#include "platform/FileRemover.h"
#include "platform/ServiceRegistry.h"

#include <sys/stat.h>

namespace velk {
namespace {

bool existsWithoutFollowing(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
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

} // namespace

JunkItemRemover::JunkItemRemover()
    : m_remover(platform::service<platform::FileRemover>())
{
}

JunkItemRemover::Result JunkItemRemover::removeAll(const std::vector<FileItem>& items) const
{
    Result result;
    QList<QByteArray> attempted;
    for (const FileItem& item : items) {
        const platform::RemovalTarget target = item.removalTarget();
        if (!existsWithoutFollowing(target.path)) {
            // Gone with a folder removed earlier in this clean: its bytes were
            // counted there.
            if (liesBelowAny(target.path, attempted))
                result.removed.insert(item.id);
            else
                ++result.failureCount;
            continue;
        }
        attempted.append(target.path);
        // The remover takes an item of the Trash together with the Trash's record.
        const platform::RemovalResult removal = m_remover->removePermanently(target);
        result.freedBytes += removal.freedBytes;
        if (removal.gone)
            result.removed.insert(item.id);
        else
            ++result.failureCount;
    }
    return result;
}

} // namespace velk
