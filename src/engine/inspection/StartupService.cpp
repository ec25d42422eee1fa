#include "engine/inspection/StartupService.h"

#include "engine/inspection/TextPieces.h"

#include "platform/tools/AdminRunner.h"
#include "platform/core/CurrentUser.h"
#include "platform/files/FileRemover.h"
#include "platform/files/FileStatus.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>

namespace velk::inspection {
namespace {

using textpieces::splitLimited;
using textpieces::trimmedOf;

const QString kLaunchctl = QStringLiteral("/bin/launchctl");

Q_LOGGING_CATEGORY(inspectionLog, "velk.engine.inspection")

uint currentUid()
{
    return platform::core::service<platform::core::CurrentUser>()->uid();
}

// launchctl runs with our environment; its standard error is discarded.
platform::tools::ToolRequest launchctlRequest(const QStringList& arguments)
{
    platform::tools::ToolRequest request;
    request.tool = kLaunchctl;
    request.arguments = arguments;
    request.environment = platform::tools::ToolRequest::Environment::Inherit;
    return request;
}

platform::tools::ToolResult launchctl(const QStringList& arguments)
{
    return platform::core::service<platform::tools::ToolRunner>()->run(launchctlRequest(arguments));
}

std::optional<QString> strictUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QStringList nonEmptyLines(const QString& text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

QString lastPathComponent(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    if (p == QStringLiteral("/"))
        return p;
    return p.mid(p.lastIndexOf(u'/') + 1);
}

QString withoutExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

bool isBool(const QVariant& value)
{
    return value.typeId() == QMetaType::Bool;
}

std::optional<QString> programOf(const QVariantMap& plist)
{
    const QVariant program = plist.value(QStringLiteral("Program"));
    if (isText(program))
        return program.toString();
    const QVariant arguments = plist.value(QStringLiteral("ProgramArguments"));
    if (arguments.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    const QVariantList list = arguments.toList();
    if (list.isEmpty())
        return std::nullopt;
    for (const QVariant& element : list) {
        if (!isText(element))
            return std::nullopt;
    }
    return list.first().toString();
}

bool flag(const QVariantMap& plist, const QString& key)
{
    const QVariant value = plist.value(key);
    return isBool(value) && value.toBool();
}

} // namespace

// ---- Rules ------------------------------------------------------------------

bool StartupService::isEnabled(bool plistDisabled, std::optional<bool> overrideDisabled)
{
    return overrideDisabled ? !*overrideDisabled : !plistDisabled;
}

QHash<QString, bool> StartupService::parseDisabledOverrides(const QString& text)
{
    QHash<QString, bool> overrides;
    for (const QString& line : nonEmptyLines(text)) {
        const QStringList parts = line.split(QStringLiteral("=>"));
        if (parts.size() != 2)
            continue;
        const QString key = trimmedOf(trimmedOf(parts[0], QStringLiteral(" \t")), QStringLiteral("\""));
        const QString value = parts[1].trimmed();
        if (value == QStringLiteral("true"))
            overrides.insert(key, true);
        else if (value == QStringLiteral("false"))
            overrides.insert(key, false);
    }
    return overrides;
}

QSet<QString> StartupService::parseLoadedLabels(const QString& text)
{
    QSet<QString> labels;
    const QStringList lines = nonEmptyLines(text);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = splitLimited(lines[i], u'\t', 2);
        if (fields.size() == 3)
            labels.insert(fields[2]);
    }
    return labels;
}

QString StartupService::shellQuoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

std::optional<QString> StartupService::extractAppBundlePath(const std::optional<QString>& programPath)
{
    if (!programPath)
        return std::nullopt;
    const QString& program = *programPath;
    qsizetype end = -1;
    if (const qsizetype inside = program.indexOf(QStringLiteral(".app/")); inside >= 0)
        end = inside + 5;
    else if (const qsizetype last = program.lastIndexOf(QStringLiteral(".app")); last >= 0)
        end = last + 4;
    if (end < 0)
        return std::nullopt;
    const QString bundle = u'/' + trimmedOf(program.left(end), QStringLiteral("/"));
    // Property lists name the bundle where the system keeps it; on this
    // machine that place may lie elsewhere.
    const QString here = platform::core::service<platform::locations::Locations>()->resolve(bundle);
    if (!QFileInfo::exists(here))
        return std::nullopt;
    return here;
}

QString StartupService::deriveDisplayName(const QString& label, const std::optional<QString>& appBundlePath,
                                          const std::optional<QString>& programPath)
{
    if (appBundlePath)
        return withoutExtension(lastPathComponent(*appBundlePath));
    const QStringList pieces = label.split(u'.', Qt::SkipEmptyParts);
    if (pieces.size() > 2) {
        const QString name = pieces.mid(2).join(u' ');
        if (!name.isEmpty())
            return name;
    }
    if (programPath)
        return lastPathComponent(*programPath);
    return label;
}

std::optional<StartupItem> StartupService::itemFromPlist(const QVariant& plist, const QString& path,
                                                         StartupScope scope, const LaunchdView& launchd) const
{
    if (plist.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap dict = plist.toMap();

    StartupItem item;
    item.id = path;
    item.plistPath = path;
    item.scope = scope;
    const QVariant label = dict.value(QStringLiteral("Label"));
    item.label = isText(label) ? label.toString() : withoutExtension(QFileInfo(path).fileName());
    item.programPath = programOf(dict);
    item.appBundlePath = extractAppBundlePath(item.programPath);
    item.displayName = deriveDisplayName(item.label, item.appBundlePath, item.programPath);

    const bool disabled = flag(dict, QStringLiteral("Disabled"));
    item.runAtLoad = flag(dict, QStringLiteral("RunAtLoad"));
    const QVariant keepAlive = dict.value(QStringLiteral("KeepAlive"));
    item.keepAlive = isBool(keepAlive) ? keepAlive.toBool() : dict.contains(QStringLiteral("KeepAlive"));

    std::optional<bool> overrideDisabled;
    if (launchd.overrides && launchd.overrides->contains(item.label))
        overrideDisabled = launchd.overrides->value(item.label);
    item.isEnabled = isEnabled(disabled, overrideDisabled);
    item.statusKnown = launchd.overrides.has_value();

    if (scope == StartupScope::globalDaemon)
        item.isLoaded = queryLaunchctl({QStringLiteral("print"), QStringLiteral("system/") + item.label}).has_value();
    else
        item.isLoaded = launchd.loadedLabels.contains(item.label);
    return item;
}

// ---- launchctl --------------------------------------------------------------

QSet<QString> StartupService::fetchLoadedLabels() const
{
    const platform::tools::ToolResult result = launchctl({QStringLiteral("list")});
    if (!result.launched)
        return {};
    const std::optional<QString> text = strictUtf8(result.output);
    return text ? parseLoadedLabels(*text) : QSet<QString>{};
}

std::optional<QString> StartupService::queryLaunchctl(const QStringList& arguments) const
{
    const platform::tools::ToolResult result = launchctl(arguments);
    if (!result.launched || result.exitStatus != 0)
        return std::nullopt;
    return strictUtf8(result.output);
}

bool StartupService::runLaunchctl(const QStringList& arguments) const
{
    const platform::tools::ToolResult result = launchctl(arguments);
    const bool succeeded = result.launched && result.exitStatus == 0;
    if (!succeeded)
        qCWarning(inspectionLog).noquote() << describeOutcome(launchctlRequest(arguments), result);
    return succeeded;
}

bool StartupService::runWithAdminPrivileges(const QString& command) const
{
    return platform::core::service<platform::tools::AdminRunner>()->run(command);
}

// ---- Changes ----------------------------------------------------------------

bool StartupService::setEnabled(bool enable, const StartupItem& item) const
{
    return batchSetEnabled(enable, {item});
}

bool StartupService::batchSetEnabled(bool enable, const QList<StartupItem>& items) const
{
    const QString verb = enable ? QStringLiteral("enable") : QStringLiteral("disable");
    const uint uid = currentUid();
    bool succeeded = true;
    QStringList adminCommands;
    for (const StartupItem& item : items) {
        const QString target = launchdDomain(item.scope, uid) + u'/' + item.label;
        if (requiresAdmin(item.scope))
            adminCommands.append(kLaunchctl + u' ' + verb + u' ' + shellQuoted(target));
        else if (!runLaunchctl({verb, target}))
            succeeded = false;
    }
    if (!adminCommands.isEmpty() && !runWithAdminPrivileges(adminCommands.join(QStringLiteral(" && "))))
        succeeded = false;
    return succeeded;
}

bool StartupService::remove(const StartupItem& item) const
{
    return batchRemove({item});
}

bool StartupService::batchRemove(const QList<StartupItem>& items) const
{
    const uint uid = currentUid();
    QList<StartupItem> adminGroup;
    QList<StartupItem> userGroup;
    for (const StartupItem& item : items) {
        const bool writable = platform::files::isWritable(QFile::encodeName(item.plistPath));
        (requiresAdmin(item.scope) || !writable ? adminGroup : userGroup).append(item);
    }

    QStringList adminCommands;
    for (const StartupItem& item : adminGroup) {
        adminCommands.append(QStringLiteral("(") + kLaunchctl + QStringLiteral(" bootout ")
                             + launchdDomain(item.scope, uid) + u'/' + shellQuoted(item.label)
                             + QStringLiteral(" || true) && /bin/rm -f ") + shellQuoted(item.plistPath));
    }

    bool succeeded = true;
    const auto remover = platform::core::service<platform::files::FileRemover>();
    for (const StartupItem& item : userGroup) {
        // Not loaded is fine: the list is what matters.
        launchctl({QStringLiteral("bootout"), guiDomain(uid) + u'/' + item.label});
        if (!remover->moveToTrash(item.plistPath))
            succeeded = false;
    }
    if (!adminCommands.isEmpty() && !runWithAdminPrivileges(adminCommands.join(QStringLiteral(" && "))))
        succeeded = false;
    return succeeded;
}

} // namespace velk::inspection
