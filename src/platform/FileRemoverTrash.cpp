#include "platform/FileRemoverLinux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace velk::platform::removal {
namespace {

// Whether `folder` is a freedesktop trash: the home trash ("Trash") or a
// top-directory trash (".Trash-<uid>", or "<uid>" inside ".Trash").
bool isTrashFolder(const QFileInfo& folder)
{
    const QString name = folder.fileName();
    if (name == QLatin1String("Trash") || name.startsWith(QLatin1String(".Trash-")))
        return true;
    return QFileInfo(folder.path()).fileName() == QLatin1String(".Trash");
}

} // namespace

void removeTrashInfo(const QString& path)
{
    const QFileInfo item(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    const QFileInfo filesFolder(item.path());
    if (filesFolder.fileName() != QLatin1String("files"))
        return;
    const QFileInfo trash(filesFolder.path());
    if (!isTrashFolder(trash))
        return;
    const QString info = trash.filePath() + QLatin1String("/info/") + item.fileName() + QLatin1String(".trashinfo");
    ::unlink(QFile::encodeName(info).constData());
}

} // namespace velk::platform::removal
