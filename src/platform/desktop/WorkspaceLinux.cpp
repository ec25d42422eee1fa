#include "platform/desktop/WorkspaceLinux.h"

#include "platform/tools/DetachedLaunch.h"
#include "platform/core/ServiceRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace velk::platform::desktop {
namespace {

const QString kOpen = QStringLiteral("/usr/bin/xdg-open");
const QString kLaunch = QStringLiteral("/usr/bin/gio");
const QString kBus = QStringLiteral("/usr/bin/dbus-send");

bool isDesktopEntry(const QString& path)
{
    return path.endsWith(QLatin1String(".desktop"));
}

// The Icon key of a desktop entry's main group; empty when there is none.
QString desktopEntryIcon(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup || !line.startsWith(QLatin1String("Icon")))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && line.left(equals).trimmed() == QLatin1String("Icon"))
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

} // namespace

std::shared_ptr<Workspace> Workspace::createDefault()
{
    return std::make_shared<LinuxWorkspace>(tools::ToolTable::linuxDefault(), tools::launchDetached, core::service<tools::ToolRunner>(),
                                            core::service<core::Executor>());
}

LinuxWorkspace::LinuxWorkspace(tools::ToolTable table, Launcher launcher, std::shared_ptr<tools::ToolRunner> runner,
                               std::shared_ptr<core::Executor> executor)
    : m_table(std::move(table))
    , m_launcher(std::move(launcher))
    , m_runner(std::move(runner))
    , m_executor(std::move(executor))
{
}

QString LinuxWorkspace::fileAddress(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(absolute, "/"));
}

bool LinuxWorkspace::launch(const QString& tool, const QStringList& arguments) const
{
    const QString executable = m_table.executableFor(tool);
    return !executable.isEmpty() && m_launcher(executable, arguments);
}

bool LinuxWorkspace::openUrl(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (url.isLocalFile())
        return openFile(url.toLocalFile());
    // Only addresses a browser or mail program answers; anything else could
    // start an arbitrary registered handler.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("mailto"))
        return false;
    return launch(kOpen, {url.toString(QUrl::FullyEncoded)});
}

bool LinuxWorkspace::openFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    // Absolute, so the path can never be read as an option.
    return launch(kOpen, {QFileInfo(path).absoluteFilePath()});
}

void LinuxWorkspace::revealFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    QStringList addresses;
    for (const QString& path : paths)
        addresses << fileAddress(path);
    tools::ToolRequest request;
    request.tool = kBus;
    request.environment = tools::ToolRequest::Environment::Inherit;   // the session bus address
    request.arguments = {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                         QStringLiteral("--dest=org.freedesktop.FileManager1"), QStringLiteral("--type=method_call"),
                         QStringLiteral("/org/freedesktop/FileManager1"),
                         QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                         QStringLiteral("array:string:") + addresses.join(u','), QStringLiteral("string:")};
    const QString folder = QFileInfo(QFileInfo(paths.front()).absoluteFilePath()).absolutePath();
    m_executor->run(core::Priority::UserInitiated, [runner = m_runner, request, folder, table = m_table,
                                              launcher = m_launcher] {
        const tools::ToolResult answer = runner->run(request);
        if (answer.launched && answer.exitStatus == 0)
            return;
        const QString executable = table.executableFor(kOpen);
        if (!executable.isEmpty())
            launcher(executable, {folder});
    });
}

bool LinuxWorkspace::openApplication(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    if (isDesktopEntry(path))
        return launch(kLaunch, {QStringLiteral("launch"), info.absoluteFilePath()});
    if (info.isFile() && info.isExecutable())
        return m_launcher(info.absoluteFilePath(), {});
    return false;
}

QString LinuxWorkspace::iconFor(const QString& path) const
{
    const QFileInfo info(path);
    if (isDesktopEntry(path)) {
        const QString icon = desktopEntryIcon(path);
        if (!icon.isEmpty())
            return icon;
        return QStringLiteral("application-x-executable");
    }
    if (info.isDir())
        return QStringLiteral("folder");
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    if (!type.iconName().isEmpty())
        return type.iconName();
    if (!type.genericIconName().isEmpty())
        return type.genericIconName();
    return QStringLiteral("text-x-generic");
}

} // namespace velk::platform::desktop
