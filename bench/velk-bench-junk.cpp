// One full junk scan, category by category, as the junk view model runs it.
//   velk-bench-junk [--home DIR]
// Without --home the machine's own folders are scanned (Linux layout); with
// it, the macOS layout with DIR as the home (absolute locations such as
// "/Applications" stay where they are).
// Prints "raw value, items, bytes" per category, then the totals.

#include "engine/cleaning/SystemJunkScanner.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdint>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    using velk::platform::locations::Locations;

    QString home;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--home") == 0 && i + 1 < argc) {
            home = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        } else {
            std::fprintf(stderr, "usage: %s [--home DIR]\n", argv[0]);
            return 2;
        }
    }
    velk::platform::core::Service<Locations>::install(home.isEmpty() ? Locations::linuxProfile()
                                                               : Locations::macProfile(QStringLiteral("/"), home));

    QElapsedTimer timer;
    timer.start();
    const velk::cleaning::SystemJunkScanner scanner;
    std::size_t totalItems = 0;
    std::int64_t totalBytes = 0;
    for (velk::cleaning::ScanCategoryID id : velk::cleaning::allScanCategoryIDs) {
        const auto items = scanner.scan(id);
        std::int64_t bytes = 0;
        for (const velk::cleaning::FileItem& item : items)
            bytes += item.size;
        totalItems += items.size();
        totalBytes += bytes;
        std::printf("%s, %zu, %lld\n", qPrintable(rawValue(id)), items.size(), static_cast<long long>(bytes));
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("categories=%zu items=%zu bytes=%lld seconds=%.3f\n", velk::cleaning::allScanCategoryIDs.size(), totalItems,
                static_cast<long long>(totalBytes), seconds);
    return 0;
}
