// Runs one large-file scan the way the Large Files screen does and reports
// what it found and how fast.
//   velk-bench-largefiles ROOT... [--min MB]   scan; the minimum as the screen converts it
//   velk-bench-largefiles --scope              print the volumes and the scope trees
// A scan prints "size path" per match, largest first, then, last:
//   entries=N matches=M seconds=S entries_per_s=R

#include "engine/cleaning/LargeFileScanner.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/files/Volumes.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace {

const char* kindName(velk::platform::files::MountKind kind)
{
    switch (kind) {
    case velk::platform::files::MountKind::Local: return "local";
    case velk::platform::files::MountKind::Network: return "network";
    case velk::platform::files::MountKind::Virtual: return "virtual";
    case velk::platform::files::MountKind::Unknown: return "unknown";
    }
    return "unknown";
}

void printNode(const velk::cleaning::LargeFileScanNode& node, int depth)
{
    std::printf("%*s%s  [%s]%s%s\n", depth * 2, "", node.title.toUtf8().constData(),
                QFile::encodeName(node.path).constData(), node.isSystem ? " system" : "",
                node.selectedByDefault ? " default" : "");
    for (const velk::cleaning::LargeFileScanNode& child : node.children)
        printNode(child, depth + 1);
}

int printScope()
{
    const auto volumes = velk::platform::core::service<velk::platform::files::Volumes>();
    const std::optional<QString> name = volumes->startupVolumeName();
    std::printf("start-up volume name: %s\n", name ? name->toUtf8().constData() : "(none)");
    std::printf("mounts:\n");
    for (const velk::platform::files::Mount& mount : volumes->mounts())
        std::printf("  %s %s %s\n", mount.nativePath.constData(), mount.fsType.toUtf8().constData(),
                    kindName(mount.kind));
    std::printf("volumes offered:\n");
    for (const velk::platform::files::Volume& volume : volumes->mountedVolumes())
        std::printf("  %s local=%s\n", QFile::encodeName(volume.path).constData(),
                    volume.isLocal ? (*volume.isLocal ? "yes" : "no") : "unknown");
    std::printf("scope:\n");
    for (const velk::cleaning::LargeFileScanNode& tree : velk::cleaning::LargeFileScanner().choices())
        printNode(tree, 1);
    return 0;
}

long peakResidentKiB()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList roots;
    double minMB = velk::cleaning::LargeFilesViewModel::kDefaultMinSizeMB;
    bool scope = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scope") == 0) {
            scope = true;
        } else if (std::strcmp(argv[i], "--min") == 0 && i + 1 < argc) {
            minMB = std::strtod(argv[++i], nullptr);
        } else {
            roots << QFile::decodeName(argv[i]);
        }
    }
    if (scope)
        return printScope();
    if (roots.isEmpty()) {
        std::fprintf(stderr, "usage: %s ROOT... [--min MB] | --scope\n", argv[0]);
        return 2;
    }

    const velk::cleaning::LargeFileScanner scanner(velk::cleaning::LargeFilesViewModel::minimumSizeBytes(minMB));
    std::atomic<std::int64_t> entries = 0;
    const auto start = std::chrono::steady_clock::now();
    const QList<velk::cleaning::FileItem> found = scanner.scanAndWait(
        roots, std::make_shared<velk::cleaning::LargeFileScanStop>(), [&](std::int64_t visited, std::int64_t, const QString&) {
            std::int64_t seen = entries.load(std::memory_order_relaxed);
            while (visited > seen && !entries.compare_exchange_weak(seen, visited, std::memory_order_relaxed)) {
            }
        });
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    for (const velk::cleaning::FileItem& item : found)
        std::printf("%lld %s\n", static_cast<long long>(item.size), QFile::encodeName(item.path).constData());
    const double seconds = elapsed.count();
    std::printf("peak_rss_kib=%ld\n", peakResidentKiB());
    std::printf("entries=%lld matches=%lld seconds=%.6f entries_per_s=%.0f\n", static_cast<long long>(entries.load()),
                static_cast<long long>(found.size()), seconds, seconds > 0 ? double(entries.load()) / seconds : 0.0);
    return 0;
}
