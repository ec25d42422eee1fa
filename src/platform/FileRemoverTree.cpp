#include "platform/FileRemoverLinux.h"

#include "platform/FolderListing.h"
#include "platform/UniqueFd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

namespace velk::platform::removal {
namespace {

struct Child {
    std::string name;
    bool maybeFolder = false;
};

// The names in the folder open at `fd`. The whole listing is read before
// anything is removed, so removal cannot disturb the listing.
bool listChildren(int fd, std::vector<Child>& children)
{
    constexpr std::size_t kBufferSize = 32 * 1024;
    const auto buffer = std::make_unique<char[]>(kBufferSize);
    return forEachFolderEntry(fd, buffer.get(), kBufferSize, [&](const struct dirent64& entry) {
        children.push_back({entry.d_name, entry.d_type == DT_DIR || entry.d_type == DT_UNKNOWN});
        return true;
    });
}

bool removeEntry(int parentFd, const char* name, dev_t device);

// Empties the folder open at `fd`. True when everything inside is gone.
bool emptyFolder(int fd, dev_t device)
{
    std::vector<Child> children;
    bool emptied = listChildren(fd, children);
    for (const Child& child : children) {
        if (child.maybeFolder) {
            emptied = removeEntry(fd, child.name.c_str(), device) && emptied;
        } else if (::unlinkat(fd, child.name.c_str(), 0) != 0 && errno != ENOENT) {
            // Listed as a non-folder but perhaps replaced by one since.
            emptied = (errno == EISDIR && removeEntry(fd, child.name.c_str(), device)) && emptied;
        }
    }
    return emptied;
}

// Removes `name` in the folder open at `parentFd`. A folder is emptied
// through a descriptor that refuses links, then removed; anything else,
// links included, is unlinked.
bool removeEntry(int parentFd, const char* name, dev_t device)
{
    UniqueFd folder(::openat(parentFd, name, kOpenFolderFlags));
    if (!folder.isOpen()) {
        if (errno != ENOTDIR && errno != ELOOP)
            return errno == ENOENT;
        return ::unlinkat(parentFd, name, 0) == 0 || errno == ENOENT;
    }
    struct stat st;
    if (::fstat(folder.get(), &st) != 0 || st.st_dev != device)
        return false; // another file system is mounted here: leave it alone
    const bool emptied = emptyFolder(folder.get(), device);
    return emptied && (::unlinkat(parentFd, name, AT_REMOVEDIR) == 0 || errno == ENOENT);
}

} // namespace

bool removeTree(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString name = QFileInfo(clean).fileName();
    if (path.isEmpty() || name.isEmpty() || name == QLatin1String("..") || name == QLatin1String("."))
        return false;
    const QByteArray parentBytes = QFile::encodeName(QFileInfo(clean).path());
    const QByteArray nameBytes = QFile::encodeName(name);

    UniqueFd parent(::open(parentBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.isOpen())
        return false;
    struct stat parentStat;
    struct stat itemStat;
    if (::fstat(parent.get(), &parentStat) != 0
        || ::fstatat(parent.get(), nameBytes.constData(), &itemStat, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (!S_ISDIR(itemStat.st_mode))
        return ::unlinkat(parent.get(), nameBytes.constData(), 0) == 0;
    // A mount point is not ours to empty.
    if (itemStat.st_dev != parentStat.st_dev)
        return false;
    return removeEntry(parent.get(), nameBytes.constData(), itemStat.st_dev);
}

} // namespace velk::platform::removal
