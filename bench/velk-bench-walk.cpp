// Sizes a folder the way every cleaning feature does and reports the rate.
//   velk-bench-walk DIR [REPEATS]
// Prints one line per run, then the best run last:
//   entries=N bytes=B seconds=S entries_per_s=R

#include "engine/cleaning/SyncFileScanner.h"
#include "platform/DirectoryWalker.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

struct Run {
    std::uint64_t entries = 0;
    qint64 bytes = 0;
    double seconds = 0;
    double rate() const { return seconds > 0 ? double(entries) / seconds : 0; }
};

void print(const Run& run)
{
    std::printf("entries=%llu bytes=%lld seconds=%.6f entries_per_s=%.0f\n",
                static_cast<unsigned long long>(run.entries), static_cast<long long>(run.bytes),
                run.seconds, run.rate());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [REPEATS]\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    // The entry count comes from the same walk; the timed call is the
    // public sizing routine itself.
    std::uint64_t entries = 0;
    velk::platform::regularFileBytes(dir, &entries);

    Run best;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const qint64 bytes = velk::SyncFileScanner::dirSizePublic(dir);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        Run run{entries, bytes, elapsed.count()};
        std::printf("run %d: ", i + 1);
        print(run);
        if (i == 0 || run.seconds < best.seconds)
            best = run;
    }
    print(best);
    return 0;
}
