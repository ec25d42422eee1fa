#include "platform/FileRemoverLinux.h"

#include "platform/Locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace velk::platform::removal {

void removeTrashRecord(const QString& path, const Locations& locations)
{
    const QString infoFolder = locations.trashInfoFolder();
    if (infoFolder.isEmpty())
        return;
    const QFileInfo item(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    const QString filesFolder = QDir::cleanPath(locations.resolve(QStringLiteral("~/.Trash")));
    if (item.fileName().isEmpty() || QDir::cleanPath(item.path()) != filesFolder)
        return;
    const QString record = infoFolder + u'/' + item.fileName() + QStringLiteral(".trashinfo");
    ::unlink(QFile::encodeName(record).constData());
}

} // namespace velk::platform::removal
