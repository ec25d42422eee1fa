// Removes files and folders the way the cleaners do, through the platform's
// file remover.
//   velk-remove (--delete|--trash) PATH...
// Each path is taken byte for byte as given and recorded (its device, inode,
// type, size and times) as a scan would; then it is removed permanently (--delete) or moved
// to the Trash (--trash). Prints the remover's own result per path, "removed
// PATH" or "failed PATH", then, last, "removed=N failed=F freed_bytes=B".

#include "platform/files/FileRemover.h"
#include "platform/files/FolderReader.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

QByteArray absolute(const char* argument)
{
    QByteArray path(argument);
    if (path.startsWith('/'))
        return path;
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd))
        return {};
    return QByteArray(cwd) + '/' + path;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool trash = argc > 1 && std::strcmp(argv[1], "--trash") == 0;
    if (argc < 3 || (!trash && std::strcmp(argv[1], "--delete") != 0)) {
        std::fprintf(stderr, "usage: %s (--delete|--trash) PATH...\n", argv[0]);
        return 2;
    }
    const auto remover = velk::platform::core::service<velk::platform::files::FileRemover>();
    int removed = 0;
    int failed = 0;
    qint64 freed = 0;
    for (int i = 2; i < argc; ++i) {
        const QByteArray path = absolute(argv[i]);
        const auto found = path.isEmpty() ? std::nullopt : velk::platform::files::readAttributes(AT_FDCWD, path.constData());
        if (!found) {
            std::printf("failed %s\n", argv[i]);
            ++failed;
            continue;
        }
        const velk::platform::files::RemovalTarget target(path, velk::platform::files::scannedIdentity(*found));
        const velk::platform::files::RemovalResult result = trash ? remover->moveToTrash(target)
                                                           : remover->removePermanently(target);
        freed += result.freedBytes;
        std::printf("%s %s\n", result.gone ? "removed" : "failed", argv[i]);
        ++(result.gone ? removed : failed);
    }
    std::printf("removed=%d failed=%d freed_bytes=%lld\n", removed, failed, static_cast<long long>(freed));
    return failed == 0 ? 0 : 1;
}
