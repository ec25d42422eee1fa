// Removes files and folders the way the cleaners do, through FileScanner.
//   velk-remove (--delete|--trash) PATH...
// Each path is taken byte for byte as given and recorded (with its device and
// inode) as a scan would; then it is removed permanently (--delete) or moved
// to the Trash (--trash). Prints "removed PATH" or "failed PATH" per path,
// then, last, "removed=N failed=F freed_bytes=B".

#include "engine/cleaning/FileScanner.h"
#include "platform/DirectoryWalker.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <sys/stat.h>
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
    int removed = 0;
    int failed = 0;
    qint64 freed = 0;
    for (int i = 2; i < argc; ++i) {
        const QByteArray path = absolute(argv[i]);
        struct stat st;
        if (path.isEmpty() || ::lstat(path.constData(), &st) != 0) {
            std::printf("failed %s\n", argv[i]);
            ++failed;
            continue;
        }
        const bool folder = S_ISDIR(st.st_mode);
        const qint64 size = folder ? velk::platform::folderTotal(path).bytes : qint64(st.st_size);
        const velk::FileItem item = velk::FileItem::scanned(
            path, {st.st_dev, st.st_ino}, size, QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec),
            folder ? velk::FileItem::ItemType::Directory : velk::FileItem::ItemType::File);
        const qint64 bytes = trash ? velk::FileScanner::shared().moveToTrash({item})
                                   : velk::FileScanner::shared().deleteItems({item});
        freed += bytes;
        struct stat after;
        const bool gone = ::lstat(path.constData(), &after) != 0 || after.st_ino != st.st_ino || after.st_dev != st.st_dev;
        std::printf("%s %s\n", gone ? "removed" : "failed", argv[i]);
        ++(gone ? removed : failed);
    }
    std::printf("removed=%d failed=%d freed_bytes=%lld\n", removed, failed, static_cast<long long>(freed));
    return failed == 0 ? 0 : 1;
}
