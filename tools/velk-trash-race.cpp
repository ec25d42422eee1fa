// Swaps another folder into the name of a folder while the default file
// remover measures it for a move to the Trash, and tells what went to the
// Trash.
//   velk-trash-race [FILES [RUNS]]
// Each run builds, in a temporary folder with its own Trash, a folder
// "chosen" of FILES files (60000 by default) and a folder "other" of one
// file. When the remover opens "chosen" to measure it, a watcher renames
// "chosen" aside and "other" into its name. Prints per run what the Trash
// and the name hold afterwards and what the remover reported, then, last,
// "wrong_trashed=N/RUNS": runs in which "other" went to the Trash.

#include "platform/files/FileRemover.h"
#include "platform/files/FolderReader.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using velk::platform::files::RemovalResult;

void writeFile(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
}

// Waits until the folder watched by `watch` is opened, then swaps.
void swapWhenOpened(int watch, const QString& root)
{
    alignas(inotify_event) char buffer[4096];
    for (bool opened = false; !opened;) {
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            opened = opened || (event->len == 0 && (event->mask & IN_OPEN));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    QDir().rename(root + "/chosen", root + "/chosen.moved");
    QDir().rename(root + "/other", root + "/chosen");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 60000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    int wrong = 0;
    for (int run = 1; run <= runs; ++run) {
        QTemporaryDir dir(QDir::tempPath() + "/velk-trash-race-XXXXXX");
        const QString root = dir.path();
        qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
        // The location map of this run reads its Trash from the variable.
        const velk::platform::core::ScopedService<velk::platform::locations::Locations> locations(
            velk::platform::locations::Locations::linuxProfile());
        QDir().mkpath(root + "/chosen");
        QDir().mkpath(root + "/other");
        for (int i = 0; i < files; ++i)
            writeFile(root + "/chosen/" + QString::number(i));
        writeFile(root + "/other/mark");

        const int watch = ::inotify_init1(IN_CLOEXEC);
        if (watch < 0 || ::inotify_add_watch(watch, QFile::encodeName(root + "/chosen").constData(), IN_OPEN | IN_ONLYDIR) < 0) {
            std::perror("inotify");
            return 2;
        }
        std::thread swapper(swapWhenOpened, watch, root);
        const QByteArray path = QFile::encodeName(root + "/chosen");
        const auto found = velk::platform::files::readAttributes(AT_FDCWD, path.constData());
        const RemovalResult result = velk::platform::core::service<velk::platform::files::FileRemover>()->moveToTrash(
            {path, velk::platform::files::scannedIdentity(*found)});
        swapper.join();
        ::close(watch);

        const bool otherTrashed = QFile::exists(root + "/data/Trash/files/chosen/mark");
        const bool chosenTrashed = QFile::exists(root + "/data/Trash/files/chosen/0");
        const bool otherInPlace = QFile::exists(root + "/chosen/mark");
        wrong += otherTrashed ? 1 : 0;
        std::printf("run %d: trash holds %s, the name holds %s; reported %s, freed_bytes=%lld\n", run,
                    otherTrashed ? "other" : chosenTrashed ? "chosen" : "nothing", otherInPlace ? "other" : "nothing",
                    result.gone ? "gone" : "failed", static_cast<long long>(result.freedBytes));
    }
    std::printf("wrong_trashed=%d/%d\n", wrong, runs);
    return 0;
}
