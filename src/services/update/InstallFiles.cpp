#include "services/update/InstallFiles.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::UpdateCheck::files {
namespace {

QString errnoText(const QString& what, int error)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

// Creates one folder level with `mode` exactly (whatever the umask); true
// when it was created or already there.
bool makeFolder(const QByteArray& path, mode_t mode)
{
    if (::mkdir(path.constData(), mode) == 0)
        return ::chmod(path.constData(), mode) == 0;
    return errno == EEXIST;
}

} // namespace

std::optional<QString> privateWorkFolder(const QString& cacheHome, QString* detail)
{
    if (cacheHome.isEmpty() || !QDir::isAbsolutePath(cacheHome)) {
        *detail = QStringLiteral("no cache folder");
        return std::nullopt;
    }
    const QString parent = QDir::cleanPath(cacheHome) + QStringLiteral("/VelkClean");
    const QString folder = parent + QStringLiteral("/update");
    if (!QDir().mkpath(parent)) {
        *detail = QStringLiteral("cannot create ") + parent;
        return std::nullopt;
    }
    const QByteArray native = QFile::encodeName(folder);
    if (!makeFolder(native, 0700)) {
        *detail = errnoText(folder, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        *detail = errnoText(folder, errno);
        return std::nullopt;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 07777) != 0700) {
        *detail = folder + QStringLiteral(" is not a private folder of this user");
        return std::nullopt;
    }
    return folder;
}

std::optional<QString> firstApplicationFolder(const QString& folder, bool* listed)
{
    *listed = false;
    const QByteArray native = QFile::encodeName(folder);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return std::nullopt;
    std::optional<QString> found;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const qsizetype dot = name.lastIndexOf('.');
        if (dot <= 0 || name.mid(dot + 1) != "app")
            continue;
        const QByteArray path = native + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
            found = QFile::decodeName(path);
            break;
        }
        errno = 0;
    }
    *listed = found.has_value() || errno == 0;
    ::closedir(dir);
    return found;
}

bool copyKeepingLinks(const QString& from, const QString& to, QString* detail)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::copy(fs::path(QFile::encodeName(from).toStdString()), fs::path(QFile::encodeName(to).toStdString()),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (error) {
        *detail = QStringLiteral("copy to ") + to + QStringLiteral(": ") + QString::fromStdString(error.message());
        return false;
    }
    return true;
}

bool replaceWith(const QString& from, const QString& to, QString* detail)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *detail = errnoText(to, errno);
        return false;
    }
    return true;
}

} // namespace velk::UpdateCheck::files
