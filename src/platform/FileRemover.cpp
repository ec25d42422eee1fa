#include "platform/FileRemover.h"

#include "platform/FileRemoverLinux.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace velk::platform {
namespace {

class LinuxFileRemover final : public FileRemover {
public:
    bool removePermanently(const QString& path) override
    {
        if (!removal::removeTree(path))
            return false;
        removal::removeTrashRecord(path, *service<Locations>());
        return true;
    }

    // Qt moves an item into the freedesktop trash of its own file system,
    // or else into the home trash, by renaming it: across devices that fails
    // rather than copies. When it can establish neither trash it uses the
    // "files" folder of the current directory instead, so the home trash is
    // made sure of first.
    bool moveToTrash(const QString& path) override
    {
        if (!ensureHomeTrash())
            return false;
        return QFile::moveToTrash(path);
    }

private:
    static bool ensureHomeTrash()
    {
        const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (dataHome.isEmpty())
            return false;
        const QString trash = dataHome + QLatin1String("/Trash");
        if (!QFileInfo(trash).isDir()) {
            if (!QDir().mkpath(trash))
                return false;
            QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        return QFileInfo(trash).isDir();
    }
};

} // namespace

std::shared_ptr<FileRemover> FileRemover::createDefault()
{
    return std::make_shared<LinuxFileRemover>();
}

} // namespace velk::platform
