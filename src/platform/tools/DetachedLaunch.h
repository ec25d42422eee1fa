#pragma once

#include <QString>
#include <QStringList>

namespace velk::platform::tools {

// Starts `executable` with `arguments` as a process of its own, inheriting
// this process's environment, and returns at once: it runs in a session of
// its own with standard input, output and error on the null device, and
// neither it nor anything it starts is waited for or ended with this
// process; its exit is collected in the background. False when it could not
// be started. The tool runner's detached launches go through the same spawn
// (ToolRunnerLinux.cpp).
bool launchDetached(const QString& executable, const QStringList& arguments);

} // namespace velk::platform::tools
