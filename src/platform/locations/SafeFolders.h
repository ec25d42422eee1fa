#pragma once

#include "platform/locations/FolderIdentity.h"
#include "platform/locations/Locations.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace velk::platform::locations {

// Which resolved places a cleaner may work in. A place is judged by its real
// path (links resolved; for a missing place, those of its deepest existing
// ancestor) and by device and inode, so that a link, a bind mount's spelling
// or an odd XDG variable cannot turn it into "/", the home, an ancestor of
// the home, the folder of the user's settings, data or state or an ancestor
// of one, one of the user's own folders (documents, pictures, ...), an
// ancestor of one or a folder inside one, a system folder or a pseudo file
// system. A folder inside the settings, data or state folder
// ("~/.local/share/cache") is no such folder.
class SafeFolders {
public:
    enum class Refusal {
        None,
        Root,
        Home,
        HomeAncestor,
        SettingsOrData,    // is or holds the config, data or state home
        UserFolder,        // is or holds one of the user's own folders
        InsideUserFolder,  // lies inside one of them
        System,
        PseudoFileSystem,
        NotAbsolute
    };

    explicit SafeFolders(const Locations& locations);

    // Why `path` may not be cleaned, or None. `insideSystemAllowed` admits
    // folders below a system area (the machine-wide Library folders named by
    // the engines themselves) but never the top of one. `location`, when
    // given, is what `path` was resolved from: the user folder that very
    // location names ("~/Downloads") is admitted.
    Refusal check(const QString& path, bool insideSystemAllowed = false, const QString& location = {}) const;

    // resolveAll(location) without the refused results, in order; each
    // refused one is handed to `refused`, when given, with its refusal.
    using RefusedHandler = std::function<void(const QString& path, Refusal refusal)>;
    QStringList resolve(const QString& location, bool insideSystemAllowed = false,
                        const RefusedHandler& refused = {}) const;

    // Why a place is refused, in words for the log ("lies inside one of the
    // user's own folders"); empty for None.
    static QString reason(Refusal refusal);

    // Why `folder`, a base folder below which the location map places others
    // (the cache or data home), can stand for none of them: it is "/", the
    // home, an ancestor of it, or it is or holds one of `userFolders` or of
    // `baseFolders` (the others of config, data and state), by real path or
    // by device and inode. None for any other folder, one inside those
    // included: what lies below it is judged place by place.
    static Refusal checkBaseFolder(const QString& folder, const QString& home, const QStringList& userFolders,
                                   const QStringList& baseFolders);

    // The real path of `path`: links resolved, and for a part that does not
    // exist, the real path of its deepest existing ancestor followed by the
    // rest. Empty when `path` is not absolute.
    static QString realPath(const QString& path);

private:
    struct UserFolder {
        QString location;
        GuardedFolder folder;
    };
    // The folders no cleaner takes, nor any folder that holds one.
    struct Guards {
        GuardedFolder home;
        QList<UserFolder> userFolders;
        QList<GuardedFolder> settingsAndData;  // the config, data and state homes

        // Home, HomeAncestor, SettingsOrData, UserFolder or None for the
        // entry at the real path `real`; the user folder `location` names
        // is passed over.
        Refusal holding(const QString& real, const std::optional<EntryIdentity>& identity,
                        const QString& location) const;
        bool isInsideUserFolder(const QString& real, const QString& location) const;
    };

    const Locations& m_locations;
    Guards m_guards;
};

} // namespace velk::platform::locations
