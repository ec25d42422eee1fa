// Lists the startup items, and shows what a change would run.
//
//   velk-startup [--root R --home H] [--dry-run disable|remove ID...]
//
// With --root and --home the startup folders are read in the macOS layout
// under R with the home at H. With --dry-run nothing is changed: the
// launchctl commands for the user's own items, the files that would go to
// the Trash and the one command the administrator prompt would run (with its
// script source) are printed instead. An ID is an item's property-list path
// or its label.

#include "engine/inspection/StartupService.h"
#include "platform/tools/AdminRunner.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

using namespace velk;
using namespace velk::inspection;

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Runs launchctl's questions for real and prints its changes instead.
class DryLaunchctl final : public platform::tools::ToolRunner {
public:
    explicit DryLaunchctl(std::shared_ptr<platform::tools::ToolRunner> real) : m_real(std::move(real)) {}
    platform::tools::ToolResult run(const platform::tools::ToolRequest& request) override
    {
        static const QStringList changes{"enable", "disable", "bootout"};
        if (request.tool != u"/bin/launchctl" || !changes.contains(request.arguments.value(0)))
            return m_real->run(request);
        out() << "launchctl " << request.arguments.join(u' ') << '\n';
        platform::tools::ToolResult result;
        result.launched = true;
        result.exitStatus = 0;
        return result;
    }

private:
    std::shared_ptr<platform::tools::ToolRunner> m_real;
};

class DryRemover final : public platform::files::FileRemover {
public:
    platform::files::RemovalResult removePermanently(const platform::files::RemovalTarget& target) override
    {
        out() << "remove " << QFile::decodeName(target.path) << '\n';
        return {true, 0};
    }
    platform::files::RemovalResult moveToTrash(const platform::files::RemovalTarget& target) override
    {
        out() << "trash " << QFile::decodeName(target.path) << '\n';
        return {true, 0};
    }
};

class DryAdmin final : public platform::tools::AdminRunner {
public:
    bool run(const QString& command) override
    {
        out() << "admin " << command << '\n';
        out() << "script " << platform::tools::administratorScriptSource(command) << '\n';
        return true;
    }
};

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void list(const QList<StartupItem>& items)
{
    for (const StartupItem& item : items) {
        out() << item.displayName << '\n'
              << "  id=" << item.id << '\n'
              << "  label=" << item.label << " scope=" << englishTitle(item.scope) << '\n'
              << "  program=" << item.programPath.value_or(QStringLiteral("-"))
              << " bundle=" << item.appBundlePath.value_or(QStringLiteral("-")) << '\n'
              << "  enabled=" << yesNo(item.isEnabled) << " loaded=" << yesNo(item.isLoaded)
              << " runAtLoad=" << yesNo(item.runAtLoad) << " keepAlive=" << yesNo(item.keepAlive)
              << " statusKnown=" << yesNo(item.statusKnown) << '\n';
    }
    out() << "items=" << items.size() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString root;
    QString home;
    QString action;
    QStringList ids;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--root" && i + 1 < args.size())
            root = args[++i];
        else if (args[i] == u"--home" && i + 1 < args.size())
            home = args[++i];
        else if (args[i] == u"--dry-run" && i + 1 < args.size())
            action = args[++i];
        else
            ids << args[i];
    }
    const bool usable = root.isEmpty() == home.isEmpty()
        && (action.isEmpty() ? ids.isEmpty() : (action == u"disable" || action == u"remove") && !ids.isEmpty());
    if (!usable) {
        std::fputs("usage: velk-startup [--root R --home H] [--dry-run disable|remove ID...]\n", stderr);
        return 2;
    }
    if (!root.isEmpty())
        platform::core::Service<platform::locations::Locations>::install(platform::locations::Locations::macProfile(root, home));

    const StartupService service;
    const QList<StartupItem> items = service.discoverItems();
    if (action.isEmpty()) {
        list(items);
        return 0;
    }

    QList<StartupItem> targets;
    for (const QString& id : ids) {
        const auto it = std::find_if(items.begin(), items.end(),
                                     [&id](const StartupItem& item) { return item.id == id || item.label == id; });
        if (it == items.end()) {
            std::fprintf(stderr, "no startup item %s\n", qPrintable(id));
            return 1;
        }
        targets << *it;
    }
    platform::core::Service<platform::tools::ToolRunner>::install(std::make_shared<DryLaunchctl>(platform::core::service<platform::tools::ToolRunner>()));
    platform::core::Service<platform::files::FileRemover>::install(std::make_shared<DryRemover>());
    platform::core::Service<platform::tools::AdminRunner>::install(std::make_shared<DryAdmin>());
    const bool ok = action == u"disable" ? service.batchSetEnabled(false, targets) : service.batchRemove(targets);
    out() << "result=" << (ok ? "ok" : "failed") << '\n';
    return ok ? 0 : 1;
}
