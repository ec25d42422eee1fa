#include "common/palette/ColorRole.h"

namespace velk::palette {

QString colorRoleName(ColorRole role)
{
    switch (role) {
    case ColorRole::accent: return QStringLiteral("accent");
    case ColorRole::amber: return QStringLiteral("amber");
    case ColorRole::red: return QStringLiteral("red");
    case ColorRole::slate: return QStringLiteral("slate");
    }
    return QStringLiteral("accent");
}

} // namespace velk::palette
