#pragma once

#include "platform/locations/Locations.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace velk::platform::locations {

// Which resolved places a cleaner may work in. A place is judged by its real
// path (links resolved; for a missing place, those of its deepest existing
// ancestor) so that a link or an odd XDG variable cannot turn it into "/",
// the home, an ancestor of the home, the folder of the user's settings, data
// or state or an ancestor of one, one of the user's own folders (documents,
// pictures, ...), an ancestor of one or a folder inside one, a system folder
// or a pseudo file system. A folder inside the settings, data or state folder
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

    // The real path of `path`: links resolved, and for a part that does not
    // exist, the real path of its deepest existing ancestor followed by the
    // rest. Empty when `path` is not absolute.
    static QString realPath(const QString& path);

private:
    struct UserFolder {
        QString location;
        QString realPath;
    };
    Refusal userFolderRefusal(const QString& real, const QString& home, const QString& location) const;

    const Locations& m_locations;
    QList<UserFolder> m_userFolders;
    // Real paths of the config, data and state homes.
    QStringList m_settingsAndData;
};

} // namespace velk::platform::locations
