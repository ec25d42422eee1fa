#pragma once

#include "engine/inspection/StartupItem.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace velk::inspection {

// Finds the launchd property lists of the three startup folders and enables,
// disables or removes them. The user's own items are changed with launchctl
// directly; the global ones (and property lists the user cannot write)
// through one administrator command per batch, so one prompt. Every
// operation blocks until the launched tools have ended: call them off the
// main thread. Keeps no state between calls.
class StartupService {
public:
    // The items of all three folders: enabled first, then by display name
    // (localized, ignoring case), else in discovery order.
    QList<StartupItem> discoverItems() const;

    bool setEnabled(bool enable, const StartupItem& item) const;
    // True when every command succeeded. User items first, each on its own;
    // then the global ones in one administrator command.
    bool batchSetEnabled(bool enable, const QList<StartupItem>& items) const;
    bool remove(const StartupItem& item) const;
    // True when every removal succeeded. User items are unloaded and moved to
    // the Trash; global ones, and those the user cannot write, are unloaded
    // and deleted in one administrator command, after the user items.
    bool batchRemove(const QList<StartupItem>& items) const;

    // The override's negation when there is one, else the file's.
    static bool isEnabled(bool plistDisabled, std::optional<bool> overrideDisabled);
    // launchctl print-disabled output: label -> true when disabled.
    static QHash<QString, bool> parseDisabledOverrides(const QString& text);
    // launchctl list output: the labels of its rows (header skipped).
    static QSet<QString> parseLoadedLabels(const QString& text);
    // `text` in single quotes for the shell, each ' written as '\''.
    static QString shellQuoted(const QString& text);

    // The application bundle holding `programPath` when it exists on this
    // machine (resolved through the location map).
    static std::optional<QString> extractAppBundlePath(const std::optional<QString>& programPath);
    static QString deriveDisplayName(const QString& label, const std::optional<QString>& appBundlePath,
                                     const std::optional<QString>& programPath);

    // What discovery knows of launchd while it reads the property lists.
    struct LaunchdView {
        QSet<QString> loadedLabels;
        std::optional<QHash<QString, bool>> overrides;  // absent: table unreadable
    };
    // The item a parsed property list describes, or none when it is not a
    // dictionary. Asks launchd whether a daemon is loaded.
    std::optional<StartupItem> itemFromPlist(const QVariant& plist, const QString& path, StartupScope scope,
                                             const LaunchdView& launchd) const;

private:
    std::optional<StartupItem> parsePlist(const QString& path, StartupScope scope, const LaunchdView& launchd) const;
    QSet<QString> fetchLoadedLabels() const;
    std::optional<QString> queryLaunchctl(const QStringList& arguments) const;
    bool runLaunchctl(const QStringList& arguments) const;
    bool runWithAdminPrivileges(const QString& command) const;
};

} // namespace velk::inspection
