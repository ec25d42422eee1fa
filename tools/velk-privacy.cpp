// velk-privacy --home H [--clean]: scans the privacy targets of the home H
// as this machine lays them out and, with --clean, moves the files of every
// target that selecting all would choose to the Trash. The last line is
// "targets=7 files=N bytes=B" or "trashed=N failed=F".
#include "engine/cleaning/PrivacyFileSafety.h"
#include "engine/cleaning/PrivacyItem.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void print(const QString& line)
{
    std::puts(line.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString home;
    bool clean = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == "--home" && !args.isEmpty())
            home = args.takeFirst();
        else if (arg == "--clean")
            clean = true;
        else
            home.clear(), args.clear();
    }
    if (home.isEmpty()) {
        std::fprintf(stderr, "usage: velk-privacy --home H [--clean]\n");
        return 2;
    }
    using namespace velk;
    const auto locations = platform::locations::Locations::linuxProfile(home);
    const auto remover = platform::core::service<platform::files::FileRemover>();
    int files = 0;
    qint64 bytes = 0;
    int trashed = 0;
    int failed = 0;
    for (cleaning::PrivacyItem& item : cleaning::PrivacyItem::allTargets()) {
        const auto result = cleaning::PrivacyFileSafety::scanLocations(item.paths, *locations);
        QStringList places;
        for (const QString& location : item.paths)
            places << locations->resolveAll(location);
        if (result.failure) {
            print(QStringLiteral("%1\terror\t%2").arg(item.titleEn, result.failure->textEn()));
            continue;
        }
        print(QStringLiteral("%1\t%2 files\t%3 bytes\t%4")
                  .arg(item.titleEn)
                  .arg(result.targets.size())
                  .arg(result.size)
                  .arg(places.isEmpty() ? QStringLiteral("(no such place here)") : places.join(", ")));
        files += int(result.targets.size());
        bytes += result.size;
        if (clean && !result.targets.isEmpty() && item.icon != u"envelope") {
            const int failures = cleaning::PrivacyFileSafety::clean(
                result.targets, [&remover](const QString& path) { return remover->moveToTrash(path).gone; });
            failed += failures;
            trashed += int(result.targets.size()) - failures;
        }
    }
    if (clean)
        print(QStringLiteral("trashed=%1 failed=%2").arg(trashed).arg(failed));
    else
        print(QStringLiteral("targets=7 files=%1 bytes=%2").arg(files).arg(bytes));
    return 0;
}
