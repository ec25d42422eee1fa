#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

namespace velk::platform::desktop {

// Hands addresses, files and applications to the desktop. Launches are
// detached: a call returns as soon as the launcher started and never waits
// for the launched program. The recording double is in tests/support.
class Workspace {
public:
    virtual ~Workspace() = default;

    // Opens a web address or a file address in its default application.
    // False when the address is empty or nothing could be started.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens a file or folder in its default application.
    virtual bool openFile(const QString& path) = 0;
    // Shows `paths` selected in the file manager; where no file manager
    // answers that request, opens the folder of the first path. Returns at
    // once; the outcome is not reported.
    virtual void revealFiles(const QStringList& paths) = 0;
    // Starts the application at `path` (a desktop entry or a program).
    virtual bool openApplication(const QString& path) = 0;
    // The icon of a file or application: an absolute image path, or an icon
    // name of the desktop's icon theme; a generic file icon at worst.
    virtual QString iconFor(const QString& path) const = 0;

    static std::shared_ptr<Workspace> createDefault();
};

} // namespace velk::platform::desktop
