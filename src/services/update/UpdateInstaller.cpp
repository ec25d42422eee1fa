#include "services/update/UpdateCheck.h"

#include "services/update/ImageDownload.h"
#include "services/update/InstallFiles.h"
#include "services/update/InstallScript.h"
#include "services/update/Transfer.h"

#include "platform/desktop/AppBundle.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QPointer>
#include <sys/stat.h>

namespace velk::UpdateCheck {
namespace {

using platform::core::service;

const QString kImageTool = QStringLiteral("/usr/bin/hdiutil");
const QString kShell = QStringLiteral("/bin/bash");

bool g_installing = false;

const QString kImageName = QStringLiteral("Velk-Clean-Mac-update.dmg");
const QString kMountName = QStringLiteral("Velk-Clean-Mac-update-mount");
const QString kStagedName = QStringLiteral("Velk-Clean-Mac-update-app");
const QString kScriptName = QStringLiteral("velk-clean-install.sh");
// Each install stages its application and writes its script in a folder of
// its own, "install-XXXXXX", which its script empties once it has run: an
// install that starts while an earlier one's script still waits for its
// process to end neither takes nor removes that one's files.
const QString kInstallPrefix = QStringLiteral("install-");

// The working paths, all inside the installer's private folder. The image
// and the mount point serve one install only while it holds the folder's
// lock; the staged copy and the script outlive it and lie in its own folder.
struct Paths {
    QString folder;
    QString image;
    QString mountPoint;
    QString installFolder;
    QString stagedCopy;
    QString script;

    explicit Paths(const QString& privateFolder)
        : folder(privateFolder)
        , image(privateFolder + '/' + kImageName)
        , mountPoint(privateFolder + '/' + kMountName)
    {
    }

    void setInstallFolder(const QString& path)
    {
        installFolder = path;
        stagedCopy = path + '/' + kStagedName;
        script = path + '/' + kScriptName;
    }
};

bool exists(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// Whether `name`, an entry of the private folder, is what an earlier install
// left there and no script still needs: the image (and an unfinished
// download of it), the mount point, the staged copy and script of versions
// that kept them beside the image, and an install's own folder once its
// script has gone (a folder that still holds its script belongs to an
// install whose script has not run yet).
bool isLeftover(const QString& folder, const QString& name)
{
    if (name.startsWith(kInstallPrefix))
        return !exists(folder + '/' + name + '/' + kScriptName);
    return name == kImageName || name.startsWith(kImageName + '.') || name == kMountName || name == kStagedName
        || name == kScriptName;
}

InstallError failure(InstallError::Kind kind, QString detail)
{
    return InstallError{kind, std::move(detail)};
}

// Removes what earlier installs left in the private folder; the first entry
// that stays fails the install, with what the remover said.
std::optional<InstallError> clearLeftovers(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    auto remover = service<platform::files::FileRemover>();
    for (const QString& name : names) {
        if (!isLeftover(folder, name))
            continue;
        const QString path = folder + '/' + name;
        const platform::files::RemovalResult removal = remover->removePermanently(path);
        if (!removal.gone && exists(path))
            return failure(InstallError::Kind::FileOperationFailed,
                           QStringLiteral("cannot clear ") + path + QStringLiteral(": ")
                               + (removal.failure.isEmpty() ? QStringLiteral("it stayed") : removal.failure));
    }
    return std::nullopt;
}

// Runs the disk-image tool and waits for it; a crash, the safety limit or
// the output limit counts as a failure like a non-zero exit.
std::optional<InstallError> runImageTool(platform::tools::ToolRunner& runner, const QStringList& arguments)
{
    platform::tools::ToolRequest request;
    request.tool = kImageTool;
    request.arguments = arguments;
    request.environment = platform::tools::ToolRequest::Environment::Inherit;
    request.discardStandardError = false;
    const platform::tools::ToolResult result = runner.run(request);
    if (!result.launched)
        return failure(InstallError::Kind::ImageToolUnavailable, kImageTool + QStringLiteral(" cannot be started"));
    if (result.timedOut || result.exitStatus != 0)
        return failure(InstallError::Kind::ImageToolFailed,
                       kImageTool + ' ' + arguments.value(0)
                           + (result.timedOut         ? QStringLiteral(" hit the safety limit")
                              : result.outputTooLarge ? QStringLiteral(" printed more than the output limit")
                                                      : QStringLiteral(" ended with status %1").arg(result.exitStatus)));
    return std::nullopt;
}

void detach(platform::tools::ToolRunner& runner, const Paths& paths)
{
    runImageTool(runner, {QStringLiteral("detach"), paths.mountPoint});
}

// Everything between the download and the request to end the application,
// in order, on a worker thread: mount the image, stage the application in a
// folder of this install's own, write and start the script. The image is
// detached again, and this install's folder removed, on any failure after
// the image was attached.
std::optional<InstallError> stage(Paths paths, const QString& runningBundle, qint64 pid)
{
    auto runner = service<platform::tools::ToolRunner>();
    QString detail;

    if (!files::makeNewFolder(paths.mountPoint, &detail))
        return failure(InstallError::Kind::FileOperationFailed, detail);
    if (auto error = runImageTool(*runner, {QStringLiteral("attach"), QStringLiteral("-nobrowse"),
                                             QStringLiteral("-mountpoint"), paths.mountPoint, paths.image}))
        return error;

    const auto failAttached = [&](InstallError error) {
        detach(*runner, paths);
        if (!paths.installFolder.isEmpty())
            service<platform::files::FileRemover>()->removePermanently(paths.installFolder);
        return std::optional<InstallError>(std::move(error));
    };

    bool listed = false;
    const std::optional<QString> application = files::firstApplicationFolder(paths.mountPoint, &listed);
    if (!listed)
        return failAttached(failure(InstallError::Kind::FileOperationFailed, QStringLiteral("cannot list ") + paths.mountPoint));
    if (!application)
        return failAttached(failure(InstallError::Kind::NoApplicationOnImage, QStringLiteral("no .app folder on the image")));

    const std::optional<QString> own = files::makeUniqueFolder(paths.folder, kInstallPrefix, &detail);
    if (!own)
        return failAttached(failure(InstallError::Kind::FileOperationFailed, detail));
    paths.setInstallFolder(*own);
    if (!files::copyKeepingLinks(*application, paths.stagedCopy, &detail))
        return failAttached(failure(InstallError::Kind::FileOperationFailed, detail));

    const QByteArray script = installScript(pid, paths.stagedCopy, runningBundle, paths.script);
    if (!files::writeNewFile(paths.script, script, 0755, &detail))
        return failAttached(failure(InstallError::Kind::FileOperationFailed, detail));

    platform::tools::ToolRequest launch;
    launch.tool = kShell;
    launch.arguments = {paths.script};
    launch.environment = platform::tools::ToolRequest::Environment::Inherit;
    if (!runner->launchDetached(launch))
        return failAttached(failure(InstallError::Kind::ScriptLaunchFailed, kShell + QStringLiteral(" cannot be started")));
    return std::nullopt;
}

// One install from the download to its outcome. Lives on the main thread and
// deletes itself when it has reported.
class InstallRun final : public QObject {
public:
    InstallRun(AppUpdate update, QObject* context, InstallHandler handler)
        : m_update(std::move(update))
        , m_context(context)
        , m_hasContext(context != nullptr)
        , m_handler(std::move(handler))
        , m_executor(service<platform::core::Executor>())
        , m_bundle(service<platform::desktop::AppBundle>())
    {
    }

    void start()
    {
        if (!isAcceptableAddress(m_update.url)) {
            finish(failure(InstallError::Kind::InsecureAddress, loggableAddress(m_update.url)));
            return;
        }
        QString detail;
        const QString cacheHome = service<platform::locations::Locations>()->cacheHome();
        const std::optional<QString> folder = files::privateWorkFolder(cacheHome, &detail);
        if (!folder) {
            finish(failure(InstallError::Kind::UnsafeWorkFolder, detail));
            return;
        }
        // Another instance installing into the same folder would clear
        // this one's files, and this one its: one install at a time.
        m_lock.emplace(*folder);
        if (m_lock->state() != files::FolderLock::State::Held) {
            finish(failure(m_lock->state() == files::FolderLock::State::Busy ? InstallError::Kind::InstallInProgress
                                                                            : InstallError::Kind::UnsafeWorkFolder,
                           m_lock->detail()));
            return;
        }
        m_paths.emplace(*folder);

        // The download and everything up to the request to end the
        // application, on a worker thread.
        prepareTransfers();
        const Paths paths = *m_paths;
        const QUrl url = m_update.url;
        const NetworkLimits limits = networkLimits();
        const QString bundle = m_bundle->bundlePath();
        const qint64 pid = m_bundle->processId();
        const QPointer<InstallRun> self(this);
        auto executor = m_executor;
        m_executor->run(platform::core::Priority::UserInitiated, [executor, self, paths, url, limits, bundle, pid] {
            // What earlier installs left goes before anything is
            // downloaded: what cannot go would only fail the install later.
            std::optional<InstallError> error = clearLeftovers(paths.folder);
            if (!error)
                error = downloadImage(url, paths.image, limits);
            if (!error)
                error = stage(paths, bundle, pid);
            executor->toMain(self, [self, error] { self->staged(error); });
        });
    }

private:
    void staged(const std::optional<InstallError>& error)
    {
        if (error) {
            finish(error);
            return;
        }
        m_bundle->requestTermination();
        // Should the application go on running, the image is not left attached.
        const Paths paths = *m_paths;
        const QPointer<InstallRun> self(this);
        auto executor = m_executor;
        m_executor->run(platform::core::Priority::UserInitiated, [executor, self, paths] {
            detach(*service<platform::tools::ToolRunner>(), paths);
            executor->toMain(self, [self] { self->succeed(); });
        });
    }

    void finish(const std::optional<InstallError>& error)
    {
        m_lock.reset();
        g_installing = false;
        if (!m_hasContext || m_context)
            m_handler(error);
        deleteLater();
    }

    void succeed() { finish(std::optional<InstallError>()); }

    AppUpdate m_update;
    QPointer<QObject> m_context;
    bool m_hasContext;
    InstallHandler m_handler;
    std::shared_ptr<platform::core::Executor> m_executor;
    std::shared_ptr<platform::desktop::AppBundle> m_bundle;
    std::optional<files::FolderLock> m_lock;
    std::optional<Paths> m_paths;
};

} // namespace

bool install(const AppUpdate& update, QObject* context, InstallHandler handler)
{
    if (g_installing)
        return false;
    g_installing = true;
    auto* run = new InstallRun(update, context, std::move(handler));
    // Starts from the event loop, so the outcome never arrives before this
    // call has returned.
    QMetaObject::invokeMethod(run, [run] { run->start(); }, Qt::QueuedConnection);
    return true;
}

bool isInstalling()
{
    return g_installing;
}

} // namespace velk::UpdateCheck
