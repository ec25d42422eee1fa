#pragma once

#include <QString>
#include <QStringList>

namespace velk::platform {

// Starts `executable` with `arguments` as a process of its own, inheriting
// this process's environment, and returns at once: the program is never
// waited for and is not ended with this process. Its output goes nowhere.
// False when it could not be started.
bool launchDetached(const QString& executable, const QStringList& arguments);

} // namespace velk::platform
