#include "TreeCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace velk::shot {
namespace {

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode & 07777) == 0;
}

// Lets this user list, enter and empty `folder` and every folder in it,
// links left alone.
void openUp(const QString& folder)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return;
    setMode(folder, status.st_mode | S_IRWXU);
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks))
        openUp(dir.filePath(name));
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
    openUp(path);
    return QDir(path).removeRecursively();
}

} // namespace velk::shot
