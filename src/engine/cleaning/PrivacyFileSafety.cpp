#include "engine/cleaning/PrivacyFileSafety.h"
#include "engine/cleaning/CleaningLog.h"

#include "common/format/Formatting.h"
#include "platform/files/DirectoryWalker.h"
#include "platform/files/FileStatus.h"
#include "platform/locations/CanonicalPath.h"
#include "platform/locations/SafeFolders.h"

#include <QFile>
#include <cerrno>
#include <string_view>
#include <system_error>

namespace velk::cleaning {
namespace {

namespace files = platform::files;
using Failure = PrivacyFileSafety::ScanFailure;

Failure failureFor(const QString& path, int error)
{
    return {path, error == EACCES || error == EPERM ? Failure::Cause::PermissionDenied : Failure::Cause::Unreadable};
}

// Walks one target folder, hidden entries and package contents included,
// depth first in listing order. Entries whose names do not survive the
// round trip through text are passed over: the path handed on would name
// another file.
std::optional<Failure> visitFolder(const QString& folder, PrivacyFileSafety::ScanResult& result)
{
    files::WalkOptions options;
    options.skipHidden = false;
    options.skipPackageDescendants = false;
    const files::WalkResult walked = files::walkDirectory(folder, options, [&](const files::WalkEntry& entry) {
        const QByteArray spelled = QFile::encodeName(entry.path);
        if (entry.isMountPoint || std::string_view(spelled.constData(), spelled.size()) != entry.nativePath)
            return files::WalkAction::SkipChildren;
        if (entry.kind == files::EntryKind::File) {
            result.targets.append(entry.path);
            result.size += qint64(entry.size);
        }
        return files::WalkAction::Continue;
    });
    if (!walked.failure)
        return std::nullopt;
    return failureFor(QFile::decodeName(QByteArray::fromStdString(walked.failure->path)), walked.failure->error);
}

// Visits one target path: a regular file, or a folder walked without
// following links or entering another mount. A target behind a link adds
// nothing.
std::optional<Failure> visit(const QString& top, PrivacyFileSafety::ScanResult& result)
{
    const auto status = files::entryStatus(QFile::encodeName(top));
    if (!status) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        return failureFor(top, errno);
    }
    if (status->kind == files::EntryKind::Symlink || !platform::locations::isReachedWithoutLinks(top))
        return std::nullopt;
    if (status->kind == files::EntryKind::Directory)
        return visitFolder(top, result);
    if (status->kind == files::EntryKind::File) {
        result.targets.append(top);
        result.size += qint64(status->size);
    }
    return std::nullopt;
}

} // namespace

QString PrivacyFileSafety::ScanFailure::text() const
{
    switch (cause) {
    case Cause::PermissionDenied: return QStringLiteral("无法读取「%1」：没有权限").arg(fmt::isolatedName(path));
    case Cause::Unreadable: return QStringLiteral("无法读取「%1」").arg(fmt::isolatedName(path));
    case Cause::Refused: return QStringLiteral("「%1」是受保护的位置，不会清理").arg(fmt::isolatedName(path));
    }
    return {};
}

QString PrivacyFileSafety::ScanFailure::textEn() const
{
    switch (cause) {
    case Cause::PermissionDenied: return QStringLiteral("Cannot read \"%1\": permission denied").arg(fmt::isolatedName(path));
    case Cause::Unreadable: return QStringLiteral("Cannot read \"%1\"").arg(fmt::isolatedName(path));
    case Cause::Refused: return QStringLiteral("\"%1\" is a protected location and is not cleaned").arg(fmt::isolatedName(path));
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
        const char* refusal = nullptr;
        std::string error;
        const auto status = platform::files::entryStatus(QFile::encodeName(target));
        if (!status)
            error = std::generic_category().message(errno);
        else if (status->kind != platform::files::EntryKind::File)
            refusal = "is no longer a regular file";
        else if (!platform::locations::isReachedWithoutLinks(target))
            refusal = "is reached through a link";
        if (!error.empty() || refusal)
            qCWarning(cleaningLog).noquote() << "not cleaned:" << target << (refusal ? refusal : error.c_str());
        if (!error.empty() || refusal || !trash(target))
            ++failures;
    }
    return failures;
}

} // namespace velk::cleaning
