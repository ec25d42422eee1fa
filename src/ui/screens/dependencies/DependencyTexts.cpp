#include "ui/screens/dependencies/DependencyTexts.h"

#include "common/format/Formatting.h"

namespace velk::screens::deptext {
namespace {

using Kind = inspection::FileOwnerHint::Kind;

// "2 process(es) have it open, 1 launch item(s) reference it. Quit …": the
// processes first, counts in plain decimal.
Pair inUseBody(const inspection::FileDependencyReport& report)
{
    QStringList zh;
    QStringList en;
    if (!report.openBy.isEmpty()) {
        const QString n = QString::number(report.openBy.size());
        zh << n + QStringLiteral(" 个进程正在打开它");
        en << n + QStringLiteral(" process(es) have it open");
    }
    if (!report.launchReferences.isEmpty()) {
        const QString n = QString::number(report.launchReferences.size());
        zh << n + QStringLiteral(" 个启动项引用了它");
        en << n + QStringLiteral(" launch item(s) reference it");
    }
    return {zh.join(QStringLiteral("，")) + QStringLiteral("。建议先退出相关程序或停用启动项。"),
            en.join(QStringLiteral(", ")) + QStringLiteral(". Quit those programs or unload the launch item first.")};
}

} // namespace

Banner banner(const inspection::FileDependencyReport& report)
{
    switch (report.risk()) {
    case inspection::FileDependencyReport::Risk::inUse:
        return {QStringLiteral("inUse"), QStringLiteral("red"), QStringLiteral("exclamationmark.octagon.fill"),
                {QStringLiteral("正在被使用，删除可能导致服务异常"),
                 QStringLiteral("In use — deleting may break a running service")},
                inUseBody(report)};
    case inspection::FileDependencyReport::Risk::caution:
        if (report.hardLinkCount >= 2) {
            const QString n = QString::number(report.hardLinkCount);
            return {QStringLiteral("hardLink"), QStringLiteral("amber"), QStringLiteral("link"),
                    {QStringLiteral("存在硬链接，删除不会释放空间"), QStringLiteral("Hard-linked — deleting won't free space")},
                    {QStringLiteral("该文件有 ") + n + QStringLiteral(" 个硬链接，其他路径仍指向同一份数据。"),
                     QStringLiteral("This file has ") + n
                         + QStringLiteral(" hard links; other paths still point at the same data.")}};
        }
        return {QStringLiteral("appManaged"), QStringLiteral("amber"), QStringLiteral("exclamationmark.triangle.fill"),
                {QStringLiteral("由应用管理，建议从应用内清理"),
                 QStringLiteral("Managed by an app — clean it from inside that app")},
                {QStringLiteral("这个文件属于某个应用的数据目录。直接删除后该应用可能需要重新下载或重建它，也可能出现异常。"),
                 QStringLiteral("This file lives in an app's data directory. If you delete it directly, the app may "
                                "need to re-download or rebuild it, or may misbehave.")}};
    case inspection::FileDependencyReport::Risk::noneFound:
        break;
    }
    return {QStringLiteral("noneFound"), QStringLiteral("text2"), QStringLiteral("magnifyingglass.circle"),
            {QStringLiteral("未检测到依赖"), QStringLiteral("No dependencies detected")},
            {QStringLiteral("没有进程打开它，也没有启动项引用它。但检测只覆盖这几种信号，不能证明没有其他程序依赖它——"
                            "请确认你认得这个文件再决定是否删除。"),
             QStringLiteral("No process has it open and no launch item references it. These checks only cover a few "
                            "signals and cannot prove nothing else depends on it — make sure you recognize this file "
                            "before deciding to delete it.")}};
}

OwnerLook owner(const inspection::FileOwnerHint& hint)
{
    switch (hint.kind) {
    case Kind::appContainer:
        return {QStringLiteral("app"),
                {QStringLiteral("应用沙盒容器中的数据，由该应用管理。"),
                 QStringLiteral("Data inside the app's sandbox container, managed by that app.")}};
    case Kind::groupContainer:
        return {QStringLiteral("app"),
                {QStringLiteral("应用组共享容器，可能被同一开发者的多个应用使用。"),
                 QStringLiteral("Shared app-group container; multiple apps from the same developer may use it.")}};
    case Kind::appSupport:
        return {QStringLiteral("app"),
                {QStringLiteral("应用支持目录，通常是应用的数据库、模型或缓存。"),
                 QStringLiteral("Application Support data — usually the app's database, models or cache.")}};
    case Kind::cache:
        return {QStringLiteral("clock.arrow.circlepath"),
                {QStringLiteral("缓存文件，删除后应用会在需要时重新生成。"),
                 QStringLiteral("Cache file; the app will regenerate it when needed.")}};
    case Kind::logs:
        return {QStringLiteral("doc.text"),
                {QStringLiteral("日志文件，删除不影响应用运行。"),
                 QStringLiteral("Log file; deleting it does not affect the app.")}};
    case Kind::iCloudDrive:
        return {QStringLiteral("icloud"),
                {QStringLiteral("iCloud 云盘文件，删除会同步到你的所有设备。"),
                 QStringLiteral("iCloud Drive file — deleting syncs to all your devices.")}};
    case Kind::mail:
        return {QStringLiteral("envelope"),
                {QStringLiteral("邮件数据，请在「邮件」应用中管理。"), QStringLiteral("Mail data; manage it in the Mail app.")}};
    case Kind::messages:
        return {QStringLiteral("message"),
                {QStringLiteral("信息附件，请在「信息」应用中管理。"),
                 QStringLiteral("Messages attachment; manage it in the Messages app.")}};
    case Kind::photos:
        return {QStringLiteral("photo"),
                {QStringLiteral("照片图库的一部分，请勿直接删除内部文件。"),
                 QStringLiteral("Part of a Photos library; don't delete files inside it directly.")}};
    case Kind::virtualMachine:
        return {QStringLiteral("desktopcomputer"),
                {QStringLiteral("虚拟机磁盘镜像，删除会丢失整台虚拟机。"),
                 QStringLiteral("Virtual machine disk image; deleting it loses the whole VM.")}};
    case Kind::docker:
        return {QStringLiteral("shippingbox"),
                {QStringLiteral("Docker 磁盘镜像，包含所有容器和镜像数据。请用 Docker 清理。"),
                 QStringLiteral("Docker disk image holding all containers and images. Clean it from Docker instead.")}};
    case Kind::developerDeps:
        return {QStringLiteral("chevron.left.forwardslash.chevron.right"),
                {QStringLiteral("开发依赖或缓存，可通过工具重新安装或生成。"),
                 QStringLiteral("Developer dependency or cache; reinstall or regenerate with your tooling.")}};
    case Kind::userData:
        break;
    }
    // The name goes in as it is shown, empty or not.
    const QString name = fmt::isolatedName(hint.name);
    return {QStringLiteral("person"),
            {QStringLiteral("你的个人文件（") + name + QStringLiteral("），系统和应用不依赖它。"),
             QStringLiteral("Your own file (") + name
                 + QStringLiteral("); neither the system nor apps depend on it.")}};
}

Pair scope(inspection::LaunchReference::Scope scope)
{
    switch (scope) {
    case inspection::LaunchReference::Scope::systemAgent:
        return {QStringLiteral("系统代理"), QStringLiteral("System Agent")};
    case inspection::LaunchReference::Scope::systemDaemon:
        return {QStringLiteral("系统守护"), QStringLiteral("Daemon")};
    case inspection::LaunchReference::Scope::userAgent:
        break;
    }
    return {QStringLiteral("用户代理"), QStringLiteral("User Agent")};
}

Pair moreProcesses(qsizetype hidden)
{
    const QString n = QString::number(hidden);
    return {QStringLiteral("…还有 ") + n + QStringLiteral(" 个进程"),
            QStringLiteral("… and ") + n + QStringLiteral(" more process(es)")};
}

} // namespace velk::screens::deptext
