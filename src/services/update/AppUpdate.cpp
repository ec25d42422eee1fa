#include "services/update/AppUpdate.h"

namespace velk {

QString UpdateStatusAlert::titleZh() const
{
    return kind == Kind::UpToDate ? QStringLiteral("检查更新") : QStringLiteral("检查失败");
}

QString UpdateStatusAlert::titleEn() const
{
    return kind == Kind::UpToDate ? QStringLiteral("Update Check") : QStringLiteral("Check Failed");
}

} // namespace velk
