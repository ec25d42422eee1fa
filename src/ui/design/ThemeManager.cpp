#include "ui/design/ThemeManager.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"
#include "ui/design/PaletteSnapshot.h"

namespace velk::design {

namespace {

AppTheme storedTheme()
{
    const auto stored = platform::core::service<platform::settings::UserDefaults>()->string(ThemeManager::defaultsKey);
    return AppTheme::fromRawValue(stored.value_or(QStringLiteral("classic"))).value_or(AppTheme::classic);
}

} // namespace

ThemeManager::ThemeManager(QObject* parent)
    : QObject(parent)
    , m_current(storedTheme())
{
    PaletteSnapshot::instance().replace(m_current.palette());
}

ThemeManager& ThemeManager::shared()
{
    static ThemeManager* manager = new ThemeManager;
    return *manager;
}

void ThemeManager::setCurrent(AppTheme theme)
{
    const bool changed = theme != m_current;
    m_current = theme;
    platform::core::service<platform::settings::UserDefaults>()->setString(defaultsKey, m_current.rawValue());
    PaletteSnapshot::instance().replace(m_current.palette());
    if (changed)
        emit currentChanged();
}

void ThemeManager::setCurrentRawValue(const QString& raw)
{
    setCurrent(AppTheme::fromRawValue(raw).value_or(AppTheme::classic));
}

VelkColorPalette ThemeManager::paletteSnapshot()
{
    return PaletteSnapshot::instance().palette();
}

bool ThemeManager::isCyberPalette()
{
    return PaletteSnapshot::instance().palette().theme == AppTheme::cyber;
}

} // namespace velk::design
