#pragma once

#include <QByteArray>
#include <QString>

namespace velk::UpdateCheck {

// `path`'s native bytes made safe inside a shell's double quotes: "\", "\"",
// "$" and "`" get a backslash; everything else stays as it is.
QByteArray quotedForScript(const QString& path);

// The install script: waits (polling every 0.2 s) until process `pid` has
// exited, copies the staged application over the running one, opens it, then
// removes the staged copy and the script itself. Five lines, no newline after
// the last; every path in double quotes.
QByteArray installScript(qint64 pid, const QString& stagedCopy, const QString& runningBundle,
                         const QString& scriptPath);

} // namespace velk::UpdateCheck
