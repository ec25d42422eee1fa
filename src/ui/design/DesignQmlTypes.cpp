#include "ui/design/DesignQmlTypes.h"

#include <QJSEngine>

namespace velk::design {

velk::design::ThemeManager* ThemeManagerForeign::create(QQmlEngine*, QJSEngine*)
{
    velk::design::ThemeManager* manager = &velk::design::ThemeManager::shared();
    QJSEngine::setObjectOwnership(manager, QJSEngine::CppOwnership);
    return manager;
}

velk::language::LanguageManager* LanguageManagerForeign::create(QQmlEngine*, QJSEngine*)
{
    velk::language::LanguageManager* manager = &velk::language::LanguageManager::shared();
    QJSEngine::setObjectOwnership(manager, QJSEngine::CppOwnership);
    return manager;
}

QStringList AppSectionQml::allCases() const
{
    QStringList ids;
    for (AppSection::Case c : AppSection::allCases())
        ids << AppSection(c).id();
    return ids;
}

bool AppSectionQml::contains(const QString& id) const
{
    return AppSection::fromRawValue(id).has_value();
}

QString AppSectionQml::chineseTitle(const QString& id) const
{
    const auto section = AppSection::fromRawValue(id);
    return section ? section->chineseTitle() : QString();
}

QString AppSectionQml::englishTitle(const QString& id) const
{
    const auto section = AppSection::fromRawValue(id);
    return section ? section->englishTitle() : QString();
}

QString AppSectionQml::icon(const QString& id) const
{
    const auto section = AppSection::fromRawValue(id);
    return section ? section->icon() : QString();
}

} // namespace velk::design
