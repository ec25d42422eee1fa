#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velk::platform::locations {
class Locations;
}

namespace velk::cleaning {

// Finds the files of a privacy target and moves them to the Trash, checking
// each one again first. Never follows a symbolic link, never walks through a
// linked folder, never enters another mounted file system.
class PrivacyFileSafety {
public:
    PrivacyFileSafety() = delete;

    // Why a scan stopped: the place and the cause, worded in both languages
    // when the scan ends, so no system message reaches the user.
    struct ScanFailure {
        enum class Cause { PermissionDenied, Unreadable, Refused };
        QString path;
        Cause cause = Cause::Unreadable;

        QString text() const;    // Chinese
        QString textEn() const;  // English
    };

    struct ScanResult {
        QStringList targets;  // regular files, depth first, in listing order
        qint64 size = 0;      // their logical bytes
        std::optional<ScanFailure> failure;  // set: nothing else is returned
    };

    // The regular files at and below `paths` (absolute). A path that does
    // not exist adds nothing; any other failure ends the whole scan.
    static ScanResult scan(const QStringList& paths);
    // scan() of every place the locations resolve to here; a place that is
    // "/", the home, an ancestor of it, one of the user's own folders or an
    // ancestor of one, a system folder or a pseudo file system fails the
    // scan instead.
    static ScanResult scanLocations(const QStringList& locations, const platform::locations::Locations& map);

    // Hands each target that is still a regular file, not behind a link, to
    // `trash`; returns how many could not be checked or trashed.
    static int clean(const QStringList& targets, const std::function<bool(const QString&)>& trash);
};

} // namespace velk::cleaning
