#pragma once

#include "platform/core/Executor.h"
#include "platform/tools/ToolRunner.h"
#include "platform/tools/ToolTable.h"
#include "platform/desktop/Workspace.h"

#include <functional>

namespace velk::platform::desktop {

// The desktop on Linux: `xdg-open` opens addresses and files, desktop
// entries start through `gio launch`, the freedesktop FileManager1 D-Bus
// call reveals files (asked from the background, so a slow file manager
// never holds up the caller), with `xdg-open` of the folder as fallback.
class LinuxWorkspace final : public Workspace {
public:
    // Starts an executable detached; the default is launchDetached().
    using Launcher = std::function<bool(const QString& executable, const QStringList& arguments)>;

    LinuxWorkspace(tools::ToolTable table, Launcher launcher, std::shared_ptr<tools::ToolRunner> runner,
                   std::shared_ptr<core::Executor> executor);

    bool openUrl(const QUrl& url) override;
    bool openFile(const QString& path) override;
    void revealFiles(const QStringList& paths) override;
    bool openApplication(const QString& path) override;
    QString iconFor(const QString& path) const override;

    // The file address a file manager is given for `path`: every byte but
    // unreserved characters and "/" percent-encoded, so no separator of a
    // command line can occur in it.
    static QString fileAddress(const QString& path);

private:
    bool launch(const QString& tool, const QStringList& arguments) const;

    tools::ToolTable m_table;
    Launcher m_launcher;
    std::shared_ptr<tools::ToolRunner> m_runner;
    std::shared_ptr<core::Executor> m_executor;
};

} // namespace velk::platform::desktop
