#include "ui/screens/processes/TerminateRefusal.h"

#include "common/format/Formatting.h"

#include <cerrno>
#include <system_error>

namespace velk::screens {

models::WordPair terminateRefusalText(const QString& name, qint32 pid, int error)
{
    const QString process = fmt::isolatedName(name) + QStringLiteral(" (PID ") + QString::number(pid) + u')';
    const QString reason = QString::fromStdString(std::generic_category().message(error));
    // The system's own words in both languages, after ours where we have them.
    const QString gloss = error == EPERM || error == EACCES ? QStringLiteral("没有权限") : QString();
    return {QStringLiteral("系统拒绝结束 ") + process + QStringLiteral("：")
                + (gloss.isEmpty() ? reason : gloss + QStringLiteral("（") + reason + QStringLiteral("）")),
            QStringLiteral("The system refused to terminate ") + process + QStringLiteral(": ") + reason + u'.'};
}

} // namespace velk::screens
