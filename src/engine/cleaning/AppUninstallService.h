#pragma once

#include "engine/cleaning/AppItem.h"
#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/LeftoverMatcher.h"
#include "engine/cleaning/RemovalFailure.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <memory>
#include <optional>

namespace velk::platform::desktop {
class AppBundle;
}
namespace velk::platform::files {
class FileRemover;
}
namespace velk::platform::locations {
class Locations;
}

namespace velk::cleaning {

// Finds the installed applications, the files they leave in the Library
// folders, and removes chosen applications with their chosen leftovers.
// A value: made on the main thread (it takes the platform services there),
// then copied into background work. Every operation is synchronous.
class AppUninstallService {
public:
    struct UninstallResult {
        qint64 freed = 0;            // bytes that went away, parts of items that stayed included
        QSet<QUuid> removedAppIDs;
        QList<RemovalFailure> failures; // refused or not removed, in processing order
        // What is left of each bundle a removal was tried on and that stayed,
        // measured as discovery measures it.
        QHash<QUuid, qint64> leftAppSizes;
    };

    AppUninstallService();
    AppUninstallService(std::shared_ptr<const platform::locations::Locations> locations,
                        std::shared_ptr<platform::files::FileRemover> remover,
                        std::shared_ptr<const platform::desktop::AppBundle> bundle);

    // The applications of the application folders, largest bundle first.
    QList<AppItem> discoverApps() const;
    // The leftovers of `app`, every one selected, largest first, each with
    // what the lookup saw of it. Entries another installed application
    // claims by a longer key are left out (see LeftoverMatcher).
    QList<FileItem> associatedFiles(const AppItem& app) const;
    // Removes each allowed application and then its selected leftovers,
    // each only while it is still the entry that was looked up.
    UninstallResult uninstall(const QList<AppItem>& apps) const;

    // The folders searched, as resolved on this machine; folders that
    // resolve to a place no cleaner may touch are left out.
    const QStringList& applicationFolders() const { return m_appFolders; }
    const QStringList& leftoverFolders() const { return m_leftoverFolders; }

    // The application folders and the leftover folders, the way the engines
    // name them, in search order.
    static const QStringList& applicationLocations();
    static const QStringList& leftoverLocations();

private:
    // The bundles of the application folders, in search order.
    QStringList bundlePaths() const;
    AppItem appItem(const QString& bundlePath) const;
    // The text "CFBundleIdentifier" of a bundle's information list, and its
    // "CFBundleShortVersionString" into `version` when asked.
    static std::optional<QString> bundleIdentifier(const QString& bundlePath,
                                                   std::optional<QString>* version = nullptr);
    // The keys of every installed application but `app`.
    QList<LeftoverMatcher::Keys> otherInstalledKeys(const AppItem& app) const;
    bool isAllowedApp(const AppItem& app) const;
    bool isAllowedAssociatedFile(const QString& path) const;
    static bool isUnlinked(const QString& path);

    std::shared_ptr<platform::files::FileRemover> m_remover;
    QString m_ownBundlePath;
    QString m_ownIdentifier;
    QStringList m_appFolders;
    QStringList m_leftoverFolders;
    QStringList m_preferenceFolders;  // searched again for ".plist" files
};

} // namespace velk::cleaning
