// velk-apps --root R --home H [--uninstall NAME...]: lists the applications
// of a macOS layout under R (home H) with their leftovers and, with
// --uninstall, removes the named ones with all their leftovers. The last line
// is "apps=N" or "removed=N failed=F freed_bytes=B".
#include "engine/cleaning/AppUninstallService.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

void print(const QString& line)
{
    std::puts(line.toLocal8Bit().constData());
}

int usage()
{
    std::fprintf(stderr, "usage: velk-apps --root R --home H [--uninstall NAME...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString root;
    QString home;
    QStringList toRemove;
    bool uninstall = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == "--root" && !args.isEmpty())
            root = args.takeFirst();
        else if (arg == "--home" && !args.isEmpty())
            home = args.takeFirst();
        else if (arg == "--uninstall")
            uninstall = true;
        else if (uninstall && !arg.startsWith("--"))
            toRemove << arg;
        else
            return usage();
    }
    if (root.isEmpty() || home.isEmpty())
        return usage();
    using namespace velk;
    platform::core::Service<platform::locations::Locations>::install(platform::locations::Locations::macProfile(root, home));

    const cleaning::AppUninstallService service;
    QList<cleaning::AppItem> apps = service.discoverApps();
    QList<cleaning::AppItem> chosen;
    for (cleaning::AppItem& item : apps) {
        item.associatedFiles = service.associatedFiles(item);
        print(QStringLiteral("%1\t%2\t%3\t%4 bytes\t%5")
                  .arg(item.name, item.bundleID.value_or("-"), item.version.value_or("-"))
                  .arg(item.diskSize)
                  .arg(item.path));
        for (const cleaning::FileItem& file : item.associatedFiles)
            print(QStringLiteral("  leftover\t%1 bytes\t%2").arg(file.size).arg(file.path));
        if (toRemove.contains(item.name)) {
            item.isSelected = true;
            chosen.append(item);
        }
    }
    if (!uninstall) {
        print(QStringLiteral("apps=%1").arg(apps.size()));
        return 0;
    }
    const cleaning::AppUninstallService::UninstallResult result = service.uninstall(chosen);
    for (const cleaning::RemovalFailure& failure : result.failures)
        print(QStringLiteral("failed\t%1").arg(failure.path));
    print(QStringLiteral("removed=%1 failed=%2 freed_bytes=%3")
              .arg(result.removedAppIDs.size())
              .arg(result.failures.size())
              .arg(result.freed));
    return 0;
}
