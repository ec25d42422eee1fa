// Walks and sizes a folder the way every cleaning feature does and reports
// the rates.
//   velk-bench-walk [--size-only] DIR [REPEATS]
// --size-only times the sizing runs alone, before anything else reads the
// tree (for timings of a tree that is not in the cache).
// Prints one line per run of each kind, then the best walk (every entry
// yielded with its path and attributes) and, last, the best sizing run
// (the public sizing routine itself):
//   walk: entries=N seconds=S entries_per_s=R
//   entries=N bytes=B seconds=S entries_per_s=R

#include "engine/cleaning/SyncFileScanner.h"
#include "platform/files/DirectoryWalker.h"
#include "platform/files/ParallelWalk.h"

#include <QFile>

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

struct Run {
    std::uint64_t entries = 0;
    qint64 bytes = 0;
    double seconds = 0;
    double rate() const { return seconds > 0 ? double(entries) / seconds : 0; }
};

void print(const char* prefix, const Run& run)
{
    std::printf("%sentries=%llu bytes=%lld seconds=%.6f entries_per_s=%.0f\n", prefix,
                static_cast<unsigned long long>(run.entries), static_cast<long long>(run.bytes), run.seconds,
                run.rate());
}

Run best(const char* label, int repeats, const std::function<Run()>& once)
{
    Run fastest;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Run run = once();
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s run %d: ", label, i + 1);
        print("", run);
        if (i == 0 || run.seconds < fastest.seconds)
            fastest = run;
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    const bool sizeOnly = argc > 1 && std::strcmp(argv[1], "--size-only") == 0;
    if (sizeOnly) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s [--size-only] DIR [REPEATS]\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (sizeOnly) {
        Run sizing = best("size", repeats, [&] {
            Run run;
            run.bytes = velk::cleaning::SyncFileScanner::dirSizePublic(dir);
            return run;
        });
        sizing.entries = velk::platform::files::parallelFolderTotal(QFile::encodeName(dir)).entries;
        print("", sizing);
        return 0;
    }

    // The entry count of the sizing runs comes from the same walk; the timed
    // call is the public sizing routine itself.
    std::uint64_t entries = 0;
    velk::platform::files::regularFileBytes(dir, &entries);

    const Run walk = best("walk", repeats, [&] {
        Run run;
        velk::platform::files::walkDirectory(dir, {}, [&](const velk::platform::files::WalkEntry& entry) {
            ++run.entries;
            run.bytes += entry.kind == velk::platform::files::EntryKind::File ? entry.size : 0;
            return velk::platform::files::WalkAction::Continue;
        });
        return run;
    });
    const Run sizing = best("size", repeats, [&] {
        Run run;
        run.entries = entries;
        run.bytes = velk::cleaning::SyncFileScanner::dirSizePublic(dir);
        return run;
    });
    print("walk: ", walk);
    print("", sizing);
    return 0;
}
