#include "engine/cleaning/JunkItemRemover.h"

#include "platform/FileRemover.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"

#include <QDir>
#include <QFileInfo>
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
    const auto locations = platform::service<platform::Locations>();
    m_trashFiles = QDir::cleanPath(locations->resolve(QStringLiteral("~/.Trash")));
    m_trashInfo = locations->trashInfoFolder();
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

bool JunkItemRemover::remove(const QString& path) const
{
    if (!existsWithoutFollowing(path) || !m_remover->removePermanently(path))
        return false;
    // An item of the freedesktop Trash leaves its record behind otherwise.
    const QFileInfo info(path);
    if (!m_trashInfo.isEmpty() && QDir::cleanPath(info.absolutePath()) == m_trashFiles) {
        const QString record = m_trashInfo + u'/' + info.fileName() + QStringLiteral(".trashinfo");
        if (existsWithoutFollowing(record))
            m_remover->removePermanently(record);
    }
    return true;
}

} // namespace velk
