#include "services/update/InstallFiles.h"

#include "platform/locations/CanonicalPath.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
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

// Creates `path` with mode 0700 when missing and checks what is there: a
// folder (not a link) of this user and, when `exactMode`, of mode 0700.
bool checkedFolder(const QString& path, bool exactMode, QString* detail)
{
    const QByteArray native = QFile::encodeName(path);
    if (!makeFolder(native, 0700)) {
        *detail = errnoText(path, errno);
        return false;
    }
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        *detail = errnoText(path, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (exactMode && (st.st_mode & 07777) != 0700)) {
        *detail = path + (exactMode ? QStringLiteral(" is not a private folder of this user")
                                    : QStringLiteral(" is not a folder of this user"));
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> privateWorkFolder(const QString& cacheHome, QString* detail)
{
    if (cacheHome.isEmpty() || !QDir::isAbsolutePath(cacheHome)) {
        *detail = QStringLiteral("no cache folder");
        return std::nullopt;
    }
    // The cache home may well be a link to another disk, or lie below one;
    // past its real path no link is taken.
    if (!QDir().mkpath(cacheHome)) {
        *detail = QStringLiteral("cannot create ") + cacheHome;
        return std::nullopt;
    }
    const QString real = platform::locations::canonicalPath(cacheHome);
    if (real.isEmpty()) {
        *detail = QStringLiteral("cannot resolve ") + cacheHome;
        return std::nullopt;
    }
    const QString parent = (real == QStringLiteral("/") ? QString() : real) + QStringLiteral("/VelkClean");
    const QString folder = parent + QStringLiteral("/update");
    if (!checkedFolder(parent, false, detail) || !checkedFolder(folder, true, detail))
        return std::nullopt;
    return folder;
}

std::optional<QString> makeUniqueFolder(const QString& folder, const QString& prefix, QString* detail)
{
    QByteArray pattern = QFile::encodeName(folder + '/' + prefix) + "XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        *detail = errnoText(folder + '/' + prefix, errno);
        return std::nullopt;
    }
    return QFile::decodeName(pattern);
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
    const QByteArray source = QFile::encodeName(from);
    struct stat st {};
    if (::lstat(source.constData(), &st) != 0) {
        *detail = errnoText(from, errno);
        return false;
    }
    // The copy begins with a folder of its own, so that nothing left at
    // `to` is copied into or through; it takes the source's permissions
    // through its own descriptor once it is filled.
    if (!makeNewFolder(to, detail))
        return false;
    const int folder = ::open(QFile::encodeName(to).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        *detail = errnoText(to, errno);
        return false;
    }
    std::error_code copyError;
    fs::copy(fs::path(source.toStdString()), fs::path(QFile::encodeName(to).toStdString()),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, copyError);
    const int error = !copyError && ::fchmod(folder, st.st_mode & 07777) != 0 ? errno : 0;
    ::close(folder);
    if (copyError) {
        *detail = QStringLiteral("copy to ") + to + QStringLiteral(": ") + QString::fromStdString(copyError.message());
        return false;
    }
    if (error) {
        *detail = errnoText(to, error);
        return false;
    }
    return true;
}

bool makeNewFolder(const QString& path, QString* detail)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0) {
        *detail = errnoText(path, errno);
        return false;
    }
    return true;
}

bool writeNewFile(const QString& path, const QByteArray& content, mode_t mode, QString* detail)
{
    const QByteArray native = QFile::encodeName(path);
    const int file = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0) {
        *detail = errnoText(path, errno);
        return false;
    }
    int error = 0;
    for (qsizetype written = 0; written < content.size() && !error;) {
        const ssize_t n = ::write(file, content.constData() + written, size_t(content.size() - written));
        if (n > 0)
            written += n;
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? EIO : errno;
    }
    if (!error && ::fchmod(file, mode) != 0)
        error = errno;
    if (::close(file) != 0 && !error)
        error = errno;
    if (error) {
        *detail = errnoText(path, error);
        return false;
    }
    return true;
}

FolderLock::FolderLock(const QString& folder)
    : m_descriptor(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC))
{
    if (m_descriptor < 0) {
        m_detail = errnoText(folder, errno);
        return;
    }
    if (::flock(m_descriptor, LOCK_EX | LOCK_NB) == 0) {
        m_state = State::Held;
        return;
    }
    const int error = errno;
    m_state = error == EWOULDBLOCK ? State::Busy : State::Failed;
    m_detail = errnoText(folder, error);
    ::close(m_descriptor);
    m_descriptor = -1;
}

FolderLock::~FolderLock()
{
    // Closing the last descriptor of the lock releases it.
    if (m_descriptor >= 0)
        ::close(m_descriptor);
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
