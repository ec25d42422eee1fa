#include "ui/design/AppTheme.h"

#include "ui/design/VelkColorPalette.h"

namespace velk::design {

std::optional<AppTheme> AppTheme::fromRawValue(QStringView raw)
{
    for (Case c : allCases()) {
        if (AppTheme(c).rawValue() == raw)
            return AppTheme(c);
    }
    return std::nullopt;
}

QString AppTheme::rawValue() const
{
    return m_case == cyber ? QStringLiteral("cyber") : QStringLiteral("classic");
}

QString AppTheme::title(bool isEnglish) const
{
    if (m_case == cyber)
        return isEnglish ? QStringLiteral("Ink") : QStringLiteral("墨色");
    return isEnglish ? QStringLiteral("Paper") : QStringLiteral("纸本");
}

const VelkColorPalette& AppTheme::palette() const
{
    return m_case == cyber ? VelkColorPalette::cyber() : VelkColorPalette::classic();
}

} // namespace velk::design
