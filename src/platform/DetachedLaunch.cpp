#include "platform/DetachedLaunch.h"

#include <QProcess>

namespace velk::platform {

bool launchDetached(const QString& executable, const QStringList& arguments)
{
    if (executable.isEmpty())
        return false;
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // The child is reparented away from us (double fork), so nothing is
    // left to reap.
    return process.startDetached();
}

} // namespace velk::platform
