#pragma once

#include "engine/inspection/FileOpenHandle.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace velk::inspection {

// A launchd property list that mentions a file. Identified by its path.
struct LaunchReference {
    // The folder it was found in; not the same thing as a StartupScope.
    enum class Scope { userAgent, systemAgent, systemDaemon };

    QString label;  // its "Label", else its file name without ".plist"
    QString plistPath;
    Scope scope = Scope::userAgent;

    const QString& id() const { return plistPath; }
    friend bool operator==(const LaunchReference&, const LaunchReference&) = default;
};

// The application or facility a file's path points to as its owner.
struct FileOwnerHint {
    enum class Kind {
        appContainer,
        groupContainer,
        appSupport,
        cache,
        logs,
        iCloudDrive,
        mail,
        messages,
        photos,
        virtualMachine,
        docker,
        developerDeps,
        userData,
    };

    Kind kind = Kind::userData;
    QString name;  // the application's name when one was found, else the rule's
    std::optional<QString> bundleID;
    std::optional<QString> appPath;  // the installed application with bundleID

    friend bool operator==(const FileOwnerHint&, const FileOwnerHint&) = default;
};

// What still depends on one file.
struct FileDependencyReport {
    enum class Risk { inUse, caution, noneFound };

    QString path;                           // as given
    QList<FileOpenHandle> openBy;           // in the listing's order
    QList<LaunchReference> launchReferences;
    std::optional<FileOwnerHint> owner;
    QStringList downloadedFrom;             // in the metadata's order
    std::int64_t hardLinkCount = 1;         // 1 when the file could not be examined
    std::optional<QDateTime> lastAccess;    // whole seconds
    std::optional<QDateTime> created;       // whole seconds

    // In use when a process holds it or a property list names it; caution
    // when it has other links or an owner other than the user's data.
    Risk risk() const
    {
        if (!openBy.isEmpty() || !launchReferences.isEmpty())
            return Risk::inUse;
        if (hardLinkCount > 1 || (owner && owner->kind != FileOwnerHint::Kind::userData))
            return Risk::caution;
        return Risk::noneFound;
    }
};

// The names of the enumerations as the code writes them ("inUse", "docker").
QString riskName(FileDependencyReport::Risk risk);
QString ownerKindName(FileOwnerHint::Kind kind);
QString launchScopeName(LaunchReference::Scope scope);

} // namespace velk::inspection
