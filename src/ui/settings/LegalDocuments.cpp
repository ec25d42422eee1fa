#include "ui/settings/LegalDocuments.h"

namespace velk::settings {
namespace {

// "{version}" stands for the running version. English bodies use the plain
// apostrophe: the text font draws the typographic one at full width.
const LegalSection kTerms[] = {
    {
        QStringLiteral("使用范围与版本"),
        QStringLiteral("Scope and versions"),
        QStringLiteral("本条款适用于本项目的网站，以及您当前运行的免费客户端（版本 {version}）。"
                       "使用前请阅读所安装版本的功能说明与发行说明：每个版本能做什么以其说明为准，"
                       "可能与更早或更新的版本不同。客户端会在侧边栏显示其版本号。"),
        QStringLiteral("These terms cover the project's website and the free client you are running now, "
                       "version {version}. Before you rely on a feature, read the feature information and the "
                       "release notes of the version you have installed: what a version can do is described "
                       "there and may differ from earlier or later releases. The client shows its version "
                       "number in the sidebar."),
    },
    {
        QStringLiteral("软件使用与知识产权"),
        QStringLiteral("Software use and intellectual property"),
        QStringLiteral("您可以按客户端提供的功能免费使用它。免费使用不代表开放源代码，"
                       "也不转让源代码、商标或其他材料的任何权利。公开仓库用于提供下载和收集反馈。"
                       "发行版附带许可协议的，请遵守该协议；除此之外，不授予也不暗示任何复制、"
                       "再分发或商业使用的权利。"),
        QStringLiteral("You may use the free client with the features it provides. Free use does not make "
                       "the client open source and transfers no ownership of its source code, trademarks or "
                       "other material. The public repository is there for downloads and feedback. Where a "
                       "release comes with a licence, follow that licence; beyond it, no right to copy, "
                       "redistribute or use the client commercially is granted or implied."),
    },
    {
        QStringLiteral("清理与系统操作风险"),
        QStringLiteral("Cleaning and system-operation risks"),
        QStringLiteral("您需自行核对扫描范围、所选文件及清理结果，并请先备份重要数据。"
                       "部分清理与卸载操作会直接删除文件，可能无法恢复，相关文件也可能被其他应用共用。"
                       "管理启动项可能需要管理员权限并影响系统。结束进程可能中断工作并丢失未保存的数据。"
                       "请仅在您有权管理的设备和数据上使用这些工具。"),
        QStringLiteral("You are responsible for checking the scan scope, the files you select and the "
                       "results, and you should back up important data first. Some cleaning and uninstall "
                       "actions delete files directly and may not be reversible, and related files can be "
                       "shared with other applications. Managing startup items may need administrator rights "
                       "and can affect the system. Ending a process may interrupt work and lose unsaved data. "
                       "Use these tools only on devices and data you are entitled to manage."),
    },
    {
        QStringLiteral("免费与自愿支持"),
        QStringLiteral("Free use and voluntary support"),
        QStringLiteral("捐助完全自愿，用于支持项目的维护与更新。捐助不会解锁任何功能，不构成订阅，"
                       "也不承诺后续更新或响应时间。客户端内不提供任何付款渠道；如需支持，"
                       "请仅向项目确认过的地址或收款码付款。不存在任何自动续费或自动扣款。"),
        QStringLiteral("Donations are voluntary and help with maintenance and updates. A donation unlocks "
                       "nothing, starts no subscription and promises neither future updates nor any response "
                       "time. The client itself offers no way to pay; if you wish to support the project, "
                       "send money only to addresses or codes the project has confirmed. Nothing renews or "
                       "charges automatically."),
    },
    {
        QStringLiteral("可用性、变更与责任"),
        QStringLiteral("Availability, changes and responsibility"),
        QStringLiteral("客户端与网站按现有状态提供，不保证运行无误、兼容所有设备、持续可用或达到特定清理效果。"
                       "功能、版本与支持可能调整或终止，重大变更会在网站或发行说明中公布。"
                       "对间接损失的责任仅在法律允许的范围内予以限制，您作为消费者的法定权利不受影响。"),
        QStringLiteral("The client and the website are provided as they are available, without a guarantee "
                       "of error-free operation, compatibility with every device, uninterrupted availability "
                       "or any particular cleaning result. Features, releases and support may change or end; "
                       "material changes are announced on the website or in the release notes. Liability for "
                       "indirect losses is limited only as far as the law allows, and your statutory rights "
                       "as a consumer remain unaffected."),
    },
    {
        QStringLiteral("隐私、第三方与联系"),
        QStringLiteral("Privacy, third parties and contact"),
        QStringLiteral("数据如何处理见隐私政策。GitHub 等外部平台适用其自身的条款。"
                       "如需联系维护者，请通过项目的问题反馈页面，且不要公开发布私人文件或其他敏感信息。"
                       "条款修订后会以新的日期发布，任何修订都不会减损您的法定权利。"),
        QStringLiteral("How data is handled is described in the privacy policy. External platforms such as "
                       "GitHub have their own terms, which apply when you use them. Contact the maintainer "
                       "through the project's issue tracker, and do not post private files or other "
                       "sensitive information there in public. Revised terms are published with a new date, "
                       "and no revision takes away your statutory rights."),
    },
};

const LegalSection kPrivacy[] = {
    {
        QStringLiteral("适用范围"),
        QStringLiteral("Scope"),
        QStringLiteral("本政策适用于本项目的网站，以及您当前运行的免费客户端（版本 {version}）。"
                       "它说明当前客户端在您设备上如何工作、网站保存哪些内容，"
                       "并不描述本项目过去提供过的每一项服务；早先的服务以当时对其所作的说明为准。"),
        QStringLiteral("This policy covers the project's website and the free client you are running now, "
                       "version {version}. It describes how the current client behaves on your machine and "
                       "what the website stores; it does not describe every service the project has offered "
                       "in the past. Where an earlier service worked differently, the description given for "
                       "it at the time applies to it."),
    },
    {
        QStringLiteral("客户端在本机处理什么"),
        QStringLiteral("What the client processes locally"),
        QStringLiteral("在您选择的范围内，清理与监控功能会读取本机的文件信息、应用及其相关文件、启动项、"
                       "CPU 与内存状态、进程和网络连接。隐私工具可能涉及浏览器数据和消息附件。"
                       "结果仅在本机用于显示和执行您选择的操作。客户端不上传扫描内容，不嵌入统计分析，"
                       "也不自动发送崩溃报告；它只连接更新服务器，以检查和下载新版本。"),
        QStringLiteral("Within the scope you choose, cleaning and monitoring read local file information, "
                       "applications and their related files, startup items, CPU and memory status, processes "
                       "and network connections. The privacy tools may touch browser data and message "
                       "attachments. Results are used on this device only, to show them and to carry out the "
                       "actions you choose. The client uploads no scan contents, embeds no analytics and sends "
                       "no crash reports; it connects only to the update server, to check for and download "
                       "new versions."),
    },
    {
        QStringLiteral("偏好与权限"),
        QStringLiteral("Preferences and permissions"),
        QStringLiteral("客户端无需注册账户。界面语言、采样间隔等偏好保存在您用户配置目录中的客户端设置文件里。"
                       "系统的文件权限决定客户端能读取哪些内容，部分启动项操作会通过系统的身份验证提示请求管理员权限。"
                       "删除并不总是经过废纸篓，请先确认范围并备份。"),
        QStringLiteral("The client needs no account. Preferences such as the interface language and the "
                       "sampling interval are kept in the client's settings file in your user configuration "
                       "folder. The system's file permissions limit what the client can read, and some "
                       "startup-item actions ask for administrator rights through the system's "
                       "authentication prompt. Deletion does not always go through the Trash, so check the "
                       "scope and back up first."),
    },
    {
        QStringLiteral("网站存储与访问日志"),
        QStringLiteral("Website storage and access logs"),
        QStringLiteral("网站会在浏览器的本地存储中保存您的语言选择，您可随时清除；网站不含统计分析或广告追踪。"
                       "托管服务的访问日志可能记录 IP 地址、请求时间、URL、User-Agent 和响应状态，"
                       "用于运行维护、安全与故障排查。日志达到 10 MiB 时轮转，保留三个轮转文件，不按固定天数保存。"),
        QStringLiteral("The website keeps your language choice in your browser's local storage, which you can "
                       "clear at any time, and carries no analytics or advertising trackers. The hosting "
                       "access logs may record the IP address, request time, URL, User-Agent and response "
                       "status, for operation, security and troubleshooting. The logs rotate at 10 MiB and "
                       "three rotated files are kept; there is no fixed retention period in days."),
    },
    {
        QStringLiteral("历史服务与第三方"),
        QStringLiteral("Legacy services and third parties"),
        QStringLiteral("在 GitHub 上下载和反馈适用该平台自身的政策，可能涉及您在该平台的账户、访问记录以及您公开发布的内容。"
                       "网站上的截图展示的是中文客户端，进程列表已做遮挡，仅作示意，并不表示您的设备数据会被上传。"),
        QStringLiteral("Downloads and feedback on GitHub fall under that platform's own policies and may "
                       "involve your account there, its access records and the content you post in public. "
                       "The screenshots on the website show the Chinese client with the process lists masked; "
                       "they are illustrations and do not mean that any data is uploaded from your device."),
    },
    {
        QStringLiteral("选择、联系与更新"),
        QStringLiteral("Your choices, contact and updates"),
        QStringLiteral("您可以不进行扫描或清理、拒绝授予权限、删除客户端，并清除网站保存的语言偏好。"
                       "隐私问题请先通过项目的问题反馈页面提出不含敏感信息的联系请求，"
                       "不要公开发布个人数据、日志或私人文件。合理的请求将依照适用法律处理。本政策会在相关做法变化时更新。"),
        QStringLiteral("You may skip scanning or cleaning, decline permissions, remove the client and clear "
                       "the website's language preference. Privacy questions start as a contact request "
                       "without sensitive details through the project's issue tracker; do not post personal "
                       "data, logs or private files in public. Reasonable requests are handled under "
                       "applicable law. This policy is updated when the practices it describes change."),
    },
};

QString withVersion(QString text, const QString& version)
{
    return text.replace(QStringLiteral("{version}"), version);
}

} // namespace

QString rawValue(LegalDocument document)
{
    return document == LegalDocument::Privacy ? QStringLiteral("privacy") : QStringLiteral("terms");
}

std::optional<LegalDocument> legalDocumentFromRawValue(const QString& raw)
{
    if (raw == QLatin1String("privacy"))
        return LegalDocument::Privacy;
    if (raw == QLatin1String("terms"))
        return LegalDocument::Terms;
    return std::nullopt;
}

QString titleZh(LegalDocument document)
{
    return document == LegalDocument::Privacy ? QStringLiteral("隐私政策") : QStringLiteral("使用条款");
}

QString titleEn(LegalDocument document)
{
    return document == LegalDocument::Privacy ? QStringLiteral("Privacy policy") : QStringLiteral("Terms of use");
}

QList<LegalSection> legalSections(LegalDocument document, const QString& version)
{
    QList<LegalSection> sections;
    const auto add = [&](const auto& table) {
        for (const LegalSection& s : table)
            sections.append({s.zhTitle, s.enTitle, withVersion(s.zhBody, version), withVersion(s.enBody, version)});
    };
    if (document == LegalDocument::Privacy)
        add(kPrivacy);
    else
        add(kTerms);
    return sections;
}

QString lastUpdatedZh()
{
    return QStringLiteral("最后更新：2026 年 11 月 16 日");
}

QString lastUpdatedEn()
{
    return QStringLiteral("Last updated: November 16, 2026");
}

} // namespace velk::settings
