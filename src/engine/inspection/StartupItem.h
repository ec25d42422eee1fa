#pragma once

#include "engine/inspection/StartupScope.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace velk::inspection {

// One launchd property list as discovery found it. Nothing changes an item
// afterwards: a change is learned by discovering again.
struct StartupItem {
    QString id;                          // the property list's path
    QString label;                       // the launchd label
    QString displayName;
    QString plistPath;
    std::optional<QString> programPath;  // what launchd starts
    std::optional<QString> appBundlePath;
    StartupScope scope = StartupScope::userAgent;
    bool isEnabled = false;              // launchd will start it
    bool isLoaded = false;               // launchd has it loaded now
    bool runAtLoad = false;
    bool keepAlive = false;
    // launchd's table of disabled services for the item's domain could be
    // read, so isEnabled is launchd's view rather than the file's alone.
    bool statusKnown = false;

    QUrl url() const { return QUrl::fromLocalFile(plistPath); }
    friend bool operator==(const StartupItem&, const StartupItem&) = default;
};

} // namespace velk::inspection
