#pragma once

#include "platform/desktop/Workspace.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <memory>

namespace velk::models {

// What a view may ask of the desktop: show a file in the file manager, open
// an address, start an application. A thin face over the workspace the
// start-up code chose; the window's composition root hands it to the views,
// which never look a workspace up themselves.
class DesktopActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Views are handed the desktop actions by the window.")

public:
    explicit DesktopActions(std::shared_ptr<platform::desktop::Workspace> workspace, QObject* parent = nullptr);

    // Shows `path` selected in the file manager; nothing for an empty path.
    Q_INVOKABLE void reveal(const QString& path) const;
    // Opens a web or file address in its default application; false when the
    // address is empty or nothing could be started.
    Q_INVOKABLE bool openUrl(const QUrl& address) const;
    // Starts the application at `path`; false when nothing could be started.
    Q_INVOKABLE bool openApplication(const QString& path) const;

private:
    std::shared_ptr<platform::desktop::Workspace> m_workspace;
};

} // namespace velk::models
