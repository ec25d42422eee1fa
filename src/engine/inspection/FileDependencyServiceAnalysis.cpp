// The whole report on one file.

#include "engine/inspection/FileDependencyService.h"

#include "platform/files/FileStatus.h"

#include <QFile>

namespace velk::inspection {
namespace {

QDateTime fromSeconds(std::int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

} // namespace

FileDependencyReport FileDependencyService::analyze(const QString& path)
{
    FileDependencyReport report;
    report.path = path;
    report.openBy = openProcesses({path}).value(path);
    report.launchReferences = launchReferences(path);
    report.owner = ownerHint(path);
    report.downloadedFrom = whereFroms(path);
    if (const auto status = platform::files::fileStatus(QFile::encodeName(path))) {
        report.hardLinkCount = status->linkCount;
        report.lastAccess = fromSeconds(status->accessSeconds);
        if (status->birthSeconds)
            report.created = fromSeconds(*status->birthSeconds);
    }
    return report;
}

} // namespace velk::inspection
