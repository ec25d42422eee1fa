#include "engine/cleaning/JunkItemRemover.h"

#include "platform/FileRemover.h"
#include "platform/ServiceRegistry.h"

#include <QFile>
#include <sys/stat.h>

namespace velk {
namespace {

bool existsWithoutFollowing(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

JunkItemRemover::JunkItemRemover()
    : m_remover(platform::service<platform::FileRemover>())
{
}

JunkItemRemover::Result JunkItemRemover::removeAll(const std::vector<FileItem>& items) const
{
    Result result;
    for (const FileItem& item : items) {
        if (remove(item.path)) {
            result.freedBytes += item.size;
            result.removed.insert(item.id);
        } else {
            ++result.failureCount;
        }
    }
    return result;
}

// The remover takes an item of the Trash together with the Trash's record.
bool JunkItemRemover::remove(const QString& path) const
{
    return existsWithoutFollowing(path) && m_remover->removePermanently(path);
}

} // namespace velk
