#include "engine/inspection/StartupScope.h"

#include "engine/language/LanguageManager.h"

namespace velk::inspection {

QString rawValue(StartupScope scope)
{
    switch (scope) {
    case StartupScope::userAgent:
        return QStringLiteral("用户启动项");
    case StartupScope::globalAgent:
        return QStringLiteral("全局代理");
    case StartupScope::globalDaemon:
        return QStringLiteral("系统守护");
    }
    return {};
}

std::optional<StartupScope> startupScopeFromRawValue(const QString& raw)
{
    for (const StartupScope scope : allStartupScopes) {
        if (rawValue(scope) == raw)
            return scope;
    }
    return std::nullopt;
}

QString englishTitle(StartupScope scope)
{
    switch (scope) {
    case StartupScope::userAgent:
        return QStringLiteral("User Agents");
    case StartupScope::globalAgent:
        return QStringLiteral("Global Agents");
    case StartupScope::globalDaemon:
        return QStringLiteral("System Daemons");
    }
    return {};
}

QString title(StartupScope scope, const language::LanguageManager& language)
{
    return language.t(rawValue(scope), englishTitle(scope));
}

QString directoryLocation(StartupScope scope)
{
    switch (scope) {
    case StartupScope::userAgent:
        return QStringLiteral("~/Library/LaunchAgents");
    case StartupScope::globalAgent:
        return QStringLiteral("/Library/LaunchAgents");
    case StartupScope::globalDaemon:
        return QStringLiteral("/Library/LaunchDaemons");
    }
    return {};
}

bool requiresAdmin(StartupScope scope)
{
    return scope != StartupScope::userAgent;
}

QString guiDomain(uint uid)
{
    return QStringLiteral("gui/") + QString::number(uid);
}

QString launchdDomain(StartupScope scope, uint uid)
{
    return scope == StartupScope::globalDaemon ? QString::fromLatin1(kSystemDomain) : guiDomain(uid);
}

} // namespace velk::inspection
