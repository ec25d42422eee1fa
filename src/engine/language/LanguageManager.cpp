#include "engine/language/LanguageManager.h"

#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"

#include <QCoreApplication>

namespace velk::language {
namespace {

const QString kLanguageKey = QStringLiteral("language");
const QString kPreferredLanguagesKey = QStringLiteral("AppleLanguages");
const QString kEnglish = QStringLiteral("en");

} // namespace

LanguageManager::LanguageManager(std::shared_ptr<platform::settings::UserDefaults> defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(std::move(defaults))
    , m_current(m_defaults->string(kLanguageKey).value_or(QStringLiteral("zh-Hans")))
{
    fmt::setDisplayLanguage(fmt::langFromCode(m_current));
    persistPreferredLanguages();
}

LanguageManager& LanguageManager::shared()
{
    static LanguageManager* const instance = [] {
        auto* manager = new LanguageManager(platform::core::service<platform::settings::UserDefaults>());
        // First use may come from a worker; the object belongs to the main thread.
        if (QCoreApplication* app = QCoreApplication::instance(); app && manager->thread() != app->thread())
            manager->moveToThread(app->thread());
        return manager;
    }();
    return *instance;
}

void LanguageManager::setCurrent(const QString& code)
{
    const bool wasEnglish = isEnglish();
    const bool changed = code != m_current;
    m_current = code;
    fmt::setDisplayLanguage(fmt::langFromCode(m_current));
    if (changed)
        emit currentChanged();
    if (wasEnglish != isEnglish())
        emit isEnglishChanged();
    m_defaults->setString(kLanguageKey, m_current);
    persistPreferredLanguages();
}

bool LanguageManager::isEnglish() const
{
    return m_current == kEnglish;
}

QString LanguageManager::t(const QString& zh, const QString& en) const
{
    return isEnglish() ? en : zh;
}

void LanguageManager::persistPreferredLanguages()
{
    m_defaults->setStringList(kPreferredLanguagesKey, QStringList{m_current});
}

} // namespace velk::language
