// Prints what depends on each file given: the dependency report and its risk.
//
//   velk-deps [--root R --home H] PATH...
//
// With --root and --home the locations are read in the macOS layout under R
// with the home at H (the startup folders R/Library/LaunchAgents, ...).

#include "engine/inspection/FileDependencyService.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>
#include <cstdio>

using namespace velk;
using namespace velk::inspection;

namespace {

QString orDash(const std::optional<QString>& text)
{
    return text ? *text : QStringLiteral("-");
}

QString timeText(const std::optional<QDateTime>& time)
{
    return time ? time->toString(Qt::ISODate) : QStringLiteral("-");
}

void print(QTextStream& out, const FileDependencyReport& report)
{
    out << "path=" << report.path << '\n';
    out << "  risk=" << riskName(report.risk()) << '\n';
    for (const FileOpenHandle& handle : report.openBy)
        out << "  openBy pid=" << handle.pid << " command=" << handle.command << '\n';
    for (const LaunchReference& reference : report.launchReferences)
        out << "  launchReference scope=" << launchScopeName(reference.scope) << " label=" << reference.label
            << " plist=" << reference.plistPath << '\n';
    if (report.owner)
        out << "  owner kind=" << ownerKindName(report.owner->kind) << " name=" << report.owner->name
            << " bundleID=" << orDash(report.owner->bundleID) << " appPath=" << orDash(report.owner->appPath) << '\n';
    else
        out << "  owner -\n";
    for (const QString& address : report.downloadedFrom)
        out << "  downloadedFrom " << address << '\n';
    out << "  hardLinkCount=" << report.hardLinkCount << " lastAccess=" << timeText(report.lastAccess)
        << " created=" << timeText(report.created) << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString root;
    QString home;
    QStringList paths;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--root" && i + 1 < args.size())
            root = args[++i];
        else if (args[i] == u"--home" && i + 1 < args.size())
            home = args[++i];
        else
            paths << args[i];
    }
    if (paths.isEmpty() || root.isEmpty() != home.isEmpty()) {
        std::fputs("usage: velk-deps [--root R --home H] PATH...\n", stderr);
        return 2;
    }
    if (!root.isEmpty())
        platform::core::Service<platform::locations::Locations>::install(platform::locations::Locations::macProfile(root, home));

    QTextStream out(stdout);
    for (const QString& path : paths)
        print(out, FileDependencyService::analyze(path));
    return 0;
}
