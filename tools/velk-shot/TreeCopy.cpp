#include "TreeCopy.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/core/UniqueFd.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FolderReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace velk::shot {
namespace {

namespace core = platform::core;
namespace files = platform::files;

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode & 07777) == 0;
}

// The folder `name` below the folder open at `fd`, opened as a path without
// following a link, given every right for this user through that descriptor
// and opened for listing: nothing when it is no folder or lies on another
// mount than `parent`, when given.
std::optional<std::pair<core::UniqueFd, files::EntryAttributes>> openUp(int fd, const char* name,
                                                                         const files::FolderStamp* parent)
{
    const core::UniqueFd handle(::openat(fd, name, O_PATH | O_NOFOLLOW | O_DIRECTORY | O_CLOEXEC));
    const auto folder = handle.isOpen() ? files::readAttributes(handle.get(), "") : std::nullopt;
    if (!folder || folder->kind != files::EntryKind::Directory || (parent && files::crossesMount(*folder, *parent)))
        return std::nullopt;
    if (::chmod(("/proc/self/fd/" + std::to_string(handle.get())).c_str(), S_IRWXU) != 0)
        return std::nullopt;
    core::UniqueFd listed(::openat(handle.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listed.isOpen())
        return std::nullopt;
    return std::pair(std::move(listed), *folder);
}

// Lets this user list, enter and empty every folder below the folder open
// at `fd`, links and other mounts left alone.
void openUpBelow(int fd, const files::FolderStamp& stamp)
{
    std::vector<std::string> folders;
    std::vector<char> buffer(files::kListingBufferSize);
    files::listFolder(fd, buffer.data(), buffer.size(), false, [&](std::string_view name, const files::EntryAttributes& entry) {
        if (entry.kind == files::EntryKind::Directory && !files::crossesMount(entry, stamp))
            folders.emplace_back(name);
        return true;
    });
    for (const std::string& name : folders)
        if (const auto folder = openUp(fd, name.c_str(), &stamp))
            openUpBelow(folder->first.get(), files::stampOf(folder->second));
}

} // namespace

bool copyTree(const QString& from, const QString& to)
{
    struct stat status {};
    if (::stat(QFile::encodeName(from).constData(), &status) != 0 || !QDir().mkpath(to))
        return false;
    std::vector<std::pair<QString, mode_t>> folders { { to, status.st_mode } };
    QDirIterator entries(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QString copy = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (::stat(QFile::encodeName(path).constData(), &status) != 0)
            return false;
        if (S_ISDIR(status.st_mode)) {
            if (!QDir().mkpath(copy))
                return false;
            folders.emplace_back(copy, status.st_mode);
        } else if (!QFile::copy(path, copy) || !setMode(copy, status.st_mode)) {
            return false;
        }
    }
    std::stable_sort(folders.begin(), folders.end(),
                     [](const auto& a, const auto& b) { return a.first.count(u'/') > b.first.count(u'/'); });
    return std::all_of(folders.cbegin(), folders.cend(), [](const auto& folder) { return setMode(folder.first, folder.second); });
}

bool removeTree(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (const auto folder = openUp(AT_FDCWD, native.constData(), nullptr))
        openUpBelow(folder->first.get(), files::stampOf(folder->second));
    return core::service<files::FileRemover>()->removePermanently(files::RemovalTarget(native)).gone;
}

} // namespace velk::shot
