#include "engine/inspection/FileDependencyReport.h"

#include <array>

namespace velk::inspection {

QString riskName(FileDependencyReport::Risk risk)
{
    switch (risk) {
    case FileDependencyReport::Risk::inUse:
        return QStringLiteral("inUse");
    case FileDependencyReport::Risk::caution:
        return QStringLiteral("caution");
    case FileDependencyReport::Risk::noneFound:
        return QStringLiteral("noneFound");
    }
    return {};
}

QString ownerKindName(FileOwnerHint::Kind kind)
{
    static const std::array<const char*, 13> names{
        "appContainer", "groupContainer", "appSupport", "cache", "logs", "iCloudDrive", "mail",
        "messages", "photos", "virtualMachine", "docker", "developerDeps", "userData"};
    const auto index = static_cast<std::size_t>(kind);
    return index < names.size() ? QString::fromLatin1(names[index]) : QString();
}

QString launchScopeName(LaunchReference::Scope scope)
{
    switch (scope) {
    case LaunchReference::Scope::userAgent:
        return QStringLiteral("userAgent");
    case LaunchReference::Scope::systemAgent:
        return QStringLiteral("systemAgent");
    case LaunchReference::Scope::systemDaemon:
        return QStringLiteral("systemDaemon");
    }
    return {};
}

} // namespace velk::inspection
