#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace velk::screens {

// "PID 812 · T 14 · root"; "T —" when the thread count is unknown.
QString processIdentityText(qint32 pid, std::optional<int> threads, const QString& user);

// ":80,443" from the first two listening ports; empty without ports.
QString portBadgeText(const std::vector<int>& ports);

} // namespace velk::screens
