#pragma once

#include "engine/inspection/FileDependencyReport.h"
#include "engine/inspection/OpenFileListing.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace velk::inspection {

// Finds out what still depends on a file: the processes holding it open, the
// launchd property lists naming it, the owner its path points to, where it
// was downloaded from, its hard links and its times. Every operation is
// synchronous, keeps no state and may run on any thread; those that launch
// tools block until the tools have ended.
class FileDependencyService {
public:
    // Paths given to one run of the open-file listing at most.
    static constexpr int kPathsPerListing = 64;

    static FileDependencyReport analyze(const QString& path);
    // Each given path that some process holds open, with its holders. Paths
    // held by nobody are absent. This process's own handles never count.
    static openfiles::HandleMap openProcesses(const QStringList& paths);
    static QList<LaunchReference> launchReferences(const QString& path);
    static std::optional<FileOwnerHint> ownerHint(const QString& path);
    static QStringList whereFroms(const QString& path);

    // Whether a parsed property-list value holds `path` in one of its texts
    // (values only, never dictionary keys).
    static bool contains(const QVariant& value, const QString& path);
    // The bundle identifier in a group container's folder name
    // ("ABCDEFGHIJ.com.example.shared" gives "com.example.shared").
    static std::optional<QString> groupBundle(const QString& folderName);

private:
    static QString run(const QString& tool, const QStringList& arguments);
    static FileOwnerHint resolved(FileOwnerHint::Kind kind, const QString& name,
                                  const std::optional<QString>& bundleID);
};

} // namespace velk::inspection
