#include "engine/cleaning/PrivacyFileSafety.h"
#include "engine/cleaning/CleaningLog.h"

#include "platform/locations/SafeFolders.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <system_error>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace velk::cleaning {
namespace {

using Failure = PrivacyFileSafety::ScanFailure;

QString realPath(const QString& path)
{
    char buffer[PATH_MAX];
    if (!::realpath(QFile::encodeName(path).constData(), buffer))
        return {};
    return QFile::decodeName(buffer);
}

// The item is where its path says, not behind a linked folder.
bool isDirectlyReachable(const QString& path)
{
    const QString standardized = QDir::cleanPath(path);
    return realPath(standardized) == standardized;
}

Failure failureFor(const QString& path, int error)
{
    return {path, error == EACCES || error == EPERM ? Failure::Cause::PermissionDenied : Failure::Cause::Unreadable};
}

// The names in `folder`, hidden ones included, in listing order.
bool listFolder(const QString& folder, QStringList* names, int* error)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        *error = errno;
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (!(n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))))
            names->append(QFile::decodeName(n));
        errno = 0;
    }
    *error = errno;
    ::closedir(dir);
    return *error == 0;
}

// Visits one target path depth first, without recursion.
std::optional<Failure> visit(const QString& top, PrivacyFileSafety::ScanResult& result)
{
    std::vector<QString> pending{top};
    dev_t device = 0;
    bool first = true;
    while (!pending.empty()) {
        const QString path = std::move(pending.back());
        pending.pop_back();
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                continue;
            return failureFor(path, errno);
        }
        if (first) {
            device = st.st_dev;
            first = false;
        }
        if (S_ISLNK(st.st_mode) || st.st_dev != device || !isDirectlyReachable(path))
            continue;
        if (S_ISDIR(st.st_mode)) {
            QStringList names;
            int error = 0;
            if (!listFolder(path, &names, &error))
                return failureFor(path, error);
            for (auto it = names.crbegin(); it != names.crend(); ++it)
                pending.push_back(path + u'/' + *it);
        } else if (S_ISREG(st.st_mode)) {
            result.targets.append(path);
            result.size += qint64(st.st_size);
        }
    }
    return std::nullopt;
}

} // namespace

QString PrivacyFileSafety::ScanFailure::text() const
{
    switch (cause) {
    case Cause::PermissionDenied: return QStringLiteral("无法读取「%1」：没有权限").arg(path);
    case Cause::Unreadable: return QStringLiteral("无法读取「%1」").arg(path);
    case Cause::Refused: return QStringLiteral("「%1」是受保护的位置，不会清理").arg(path);
    }
    return {};
}

QString PrivacyFileSafety::ScanFailure::textEn() const
{
    switch (cause) {
    case Cause::PermissionDenied: return QStringLiteral("Cannot read \"%1\": permission denied").arg(path);
    case Cause::Unreadable: return QStringLiteral("Cannot read \"%1\"").arg(path);
    case Cause::Refused: return QStringLiteral("\"%1\" is a protected location and is not cleaned").arg(path);
    }
    return {};
}

PrivacyFileSafety::ScanResult PrivacyFileSafety::scan(const QStringList& paths)
{
    ScanResult result;
    for (const QString& path : paths) {
        if (std::optional<Failure> failure = visit(path, result))
            return ScanResult{{}, 0, std::move(failure)};
    }
    return result;
}

PrivacyFileSafety::ScanResult PrivacyFileSafety::scanLocations(const QStringList& locations,
                                                               const platform::locations::Locations& map)
{
    const platform::locations::SafeFolders safe(map);
    QStringList paths;
    for (const QString& location : locations) {
        for (const QString& path : map.resolveAll(location)) {
            if (safe.check(path, false, location) != platform::locations::SafeFolders::Refusal::None)
                return ScanResult{{}, 0, Failure{path, Failure::Cause::Refused}};
            paths << path;
        }
    }
    return scan(paths);
}

int PrivacyFileSafety::clean(const QStringList& targets, const std::function<bool(const QString&)>& trash)
{
    int failures = 0;
    for (const QString& target : targets) {
        struct stat st {};
        const char* refusal = nullptr;
        std::string error;
        if (::lstat(QFile::encodeName(target).constData(), &st) != 0)
            error = std::generic_category().message(errno);
        else if (!S_ISREG(st.st_mode))
            refusal = "is no longer a regular file";
        else if (!isDirectlyReachable(target))
            refusal = "is reached through a link";
        if (!error.empty() || refusal)
            qCWarning(cleaningLog).noquote() << "not cleaned:" << target << (refusal ? refusal : error.c_str());
        if (!error.empty() || refusal || !trash(target))
            ++failures;
    }
    return failures;
}

} // namespace velk::cleaning
