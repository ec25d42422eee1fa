#include "ui/screens/dependencies/DependencyReportMap.h"

#include "ui/screens/dependencies/DependencyTexts.h"

#include <QVariantList>
#include <algorithm>

namespace velk::screens {

QVariantMap dependencyReportMap(const inspection::FileDependencyReport& report)
{
    const deptext::Banner banner = deptext::banner(report);
    QVariantMap map{
        {QStringLiteral("banner"), QVariantMap{{QStringLiteral("kind"), banner.kind},
                                               {QStringLiteral("tone"), banner.tone},
                                               {QStringLiteral("symbol"), banner.symbol},
                                               {QStringLiteral("title"), banner.title.zh},
                                               {QStringLiteral("titleEnglish"), banner.title.en},
                                               {QStringLiteral("body"), banner.body.zh},
                                               {QStringLiteral("bodyEnglish"), banner.body.en}}},
        {QStringLiteral("downloadedFrom"), report.downloadedFrom},
        {QStringLiteral("hardLinkCount"), static_cast<double>(report.hardLinkCount)},
    };

    QVariantList processes;
    const qsizetype shown = std::min(report.openBy.size(), kShownProcesses);
    processes.reserve(shown);
    for (const inspection::FileOpenHandle& handle : report.openBy.first(shown))
        processes.append(QVariantMap{{QStringLiteral("pid"), handle.pid}, {QStringLiteral("command"), handle.command}});
    map.insert(QStringLiteral("processes"), processes);
    map.insert(QStringLiteral("processCount"), static_cast<double>(report.openBy.size()));
    if (shown < report.openBy.size()) {
        const deptext::Pair more = deptext::moreProcesses(report.openBy.size() - shown);
        map.insert(QStringLiteral("moreProcesses"), more.zh);
        map.insert(QStringLiteral("moreProcessesEnglish"), more.en);
    }

    QVariantList launchItems;
    for (const inspection::LaunchReference& reference : report.launchReferences) {
        const deptext::Pair scope = deptext::scope(reference.scope);
        launchItems.append(QVariantMap{{QStringLiteral("label"), reference.label},
                                       {QStringLiteral("plistPath"), reference.plistPath},
                                       {QStringLiteral("scope"), scope.zh},
                                       {QStringLiteral("scopeEnglish"), scope.en}});
    }
    map.insert(QStringLiteral("launchItems"), launchItems);

    if (report.owner) {
        const deptext::OwnerLook look = deptext::owner(*report.owner);
        map.insert(QStringLiteral("owner"), QVariantMap{{QStringLiteral("name"), report.owner->name},
                                                        {QStringLiteral("symbol"), look.symbol},
                                                        {QStringLiteral("sentence"), look.sentence.zh},
                                                        {QStringLiteral("sentenceEnglish"), look.sentence.en},
                                                        {QStringLiteral("appPath"), report.owner->appPath.value_or(QString())}});
    }
    if (report.created)
        map.insert(QStringLiteral("created"), *report.created);
    if (report.lastAccess)
        map.insert(QStringLiteral("lastAccess"), *report.lastAccess);
    return map;
}

} // namespace velk::screens
