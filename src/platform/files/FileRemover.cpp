#include "platform/files/FileRemover.h"

#include "platform/core/CurrentUser.h"
#include "platform/files/FileRemoverLinux.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QFile>
#include <QLoggingCategory>

namespace velk::platform::files {

RemovalTarget::RemovalTarget(const QString& displayPath)
    : path(QFile::encodeName(displayPath))
{
}

RemovalTarget::RemovalTarget(QByteArray nativePath, std::optional<ScannedIdentity> identity_)
    : path(std::move(nativePath))
    , identity(identity_)
{
}

namespace {

Q_LOGGING_CATEGORY(removalLog, "velk.platform.removal")

// An item that stayed is logged with why, so that a count of failures shown
// to the user can be explained.
RemovalResult logged(const char* action, const RemovalTarget& target, RemovalResult result)
{
    if (!result.gone)
        qCWarning(removalLog).noquote() << action << QFile::decodeName(target.path) << "failed:" << result.failure;
    return result;
}

// The home of the location map and that of the running user, with every
// folder above them.
removal::KeptFolders keptFolders()
{
    return removal::homesAndAncestors({core::service<locations::Locations>()->home(), core::service<core::CurrentUser>()->homePath()});
}

class LinuxFileRemover final : public FileRemover {
public:
    RemovalResult removePermanently(const RemovalTarget& target) override
    {
        const RemovalResult result = removal::removeTree(target, keptFolders());
        if (result.gone)
            removal::removeTrashRecord(target.path, *core::service<locations::Locations>());
        return logged("removing", target, result);
    }

    RemovalResult moveToTrash(const RemovalTarget& target) override
    {
        // The home trash lies in the data home of the location map, where the
        // Trash's own row and the desktop look for it.
        const QString dataHome = core::service<locations::Locations>()->dataHome();
        return logged("moving to the Trash", target,
                      removal::moveToTrash(target, QFile::encodeName(dataHome), keptFolders()));
    }
};

} // namespace

std::shared_ptr<FileRemover> FileRemover::createDefault()
{
    return std::make_shared<LinuxFileRemover>();
}

} // namespace velk::platform::files
