#pragma once

#include <QString>
#include <array>
#include <optional>

namespace velk::language {
class LanguageManager;
}
namespace velk::inspection {

// The three folders launchd property lists are found in, in discovery
// order. The raw value of each is its Chinese title.
enum class StartupScope { userAgent, globalAgent, globalDaemon };

inline constexpr std::array<StartupScope, 3> allStartupScopes{
    StartupScope::userAgent, StartupScope::globalAgent, StartupScope::globalDaemon};

// "用户启动项", "全局代理" or "系统守护".
QString rawValue(StartupScope scope);
// Exactly one of the three raw values gives its scope; any other text none.
std::optional<StartupScope> startupScopeFromRawValue(const QString& raw);
// The English title: "User Agents", "Global Agents" or "System Daemons".
QString englishTitle(StartupScope scope);
// The title in the interface language.
QString title(StartupScope scope, const language::LanguageManager& language);

// The folder as a location of the location map: "~/Library/LaunchAgents",
// "/Library/LaunchAgents" or "/Library/LaunchDaemons".
QString directoryLocation(StartupScope scope);
// Changes to the two global scopes need administrator rights.
bool requiresAdmin(StartupScope scope);
// The launchd domain of the scope's items: "system" for daemons, else the
// user's GUI domain "gui/<uid>".
QString launchdDomain(StartupScope scope, uint uid);
QString guiDomain(uint uid);
inline constexpr const char* kSystemDomain = "system";

} // namespace velk::inspection
