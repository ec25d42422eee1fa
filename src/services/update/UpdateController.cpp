#include "services/update/UpdateController.h"

#include "engine/language/LanguageManager.h"
#include "platform/core/Clock.h"
#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"

#include <QCoreApplication>

namespace velk {
namespace {

const QString kSkippedVersionKey = QStringLiteral("skippedUpdateVersion");
const QString kPreviewArgument = QStringLiteral("-UpdateUIPreview");
constexpr const char* kPreviewVariable = "VELK_UPDATE_UI_PREVIEW";

} // namespace

UpdateController::Dependencies UpdateController::Dependencies::fromServices()
{
    Dependencies deps;
    deps.defaults = platform::core::service<platform::settings::UserDefaults>();
    deps.clock = platform::core::service<platform::core::Clock>();
    deps.executor = platform::core::service<platform::core::Executor>();
    deps.language = &language::LanguageManager::shared();
    deps.arguments = QCoreApplication::arguments();
    deps.fetch = UpdateCheck::fetch;
    deps.install = UpdateCheck::install;
    return deps;
}

UpdateController::UpdateController(Dependencies dependencies, QObject* parent)
    : QObject(parent)
    , m_deps(std::move(dependencies))
{
    m_forcedPreview = previewSample();
    if (m_forcedPreview)
        m_pendingUpdate = m_forcedPreview;
    startCheckLoop();
    m_deps.executor->toMain(QPointer<UpdateController>(this), [this] { check(true, nullptr); });
}

UpdateController::~UpdateController() = default;

UpdateController& UpdateController::shared()
{
    static UpdateController* const instance = new UpdateController(Dependencies::fromServices());
    return *instance;
}

QString UpdateController::localVersion() const
{
    return UpdateCheck::localVersion();
}

std::optional<AppUpdate> UpdateController::previewSample() const
{
    const bool on = m_deps.arguments.contains(kPreviewArgument) || qgetenv(kPreviewVariable) == "1";
    if (!on)
        return std::nullopt;
    const QStringList notes{
        QStringLiteral("• 应用内自动检查更新（每 4 小时）"),
        QStringLiteral("• 侧边栏版本号荧光点提示"),
        QStringLiteral("• 设置页手动检查，可查看更新说明"),
        QStringLiteral("• 支持跳过指定版本"),
    };
    return AppUpdate{QStringLiteral("1.3.0"),
                     UpdateCheck::serverURL(QStringLiteral("/download/Velk-Clean-Mac-1.0.2-arm64.dmg")),
                     notes.join(u'\n')};
}

// The loop: wait four hours, check, and wait again once the check is over.
// A new loop replaces the running one.
void UpdateController::startCheckLoop()
{
    scheduleTimedCheck(++m_timerGeneration);
}

void UpdateController::scheduleTimedCheck(quint64 generation)
{
    m_deps.clock->callAfter(kCheckInterval, this, [this, generation] {
        if (generation != m_timerGeneration)
            return;
        runCheck(true, nullptr, [this, generation] {
            if (generation == m_timerGeneration)
                scheduleTimedCheck(generation);
        });
    });
}

void UpdateController::check(bool automatic, language::LanguageManager* lang)
{
    runCheck(automatic, lang, {});
}

void UpdateController::runCheck(bool automatic, QPointer<language::LanguageManager> lang, std::function<void()> done)
{
    if (m_isChecking) {
        if (done)
            done();
        return;
    }
    setChecking(true);
    if (!automatic)
        UpdateCheck::clearFeedURLCache();
    const bool withLanguage = !lang.isNull();
    m_deps.fetch(this, [this, automatic, lang, withLanguage, done](std::optional<AppUpdate> offer) {
        // A language that went away meanwhile answers like none was given.
        checkEnded(automatic, withLanguage ? lang : QPointer<language::LanguageManager>(), offer);
        setChecking(false);
        if (done)
            done();
    }, automatic ? UpdateCheck::Priority::Background : UpdateCheck::Priority::UserInitiated);
}

void UpdateController::checkEnded(bool automatic, const QPointer<language::LanguageManager>& lang,
                                  const std::optional<AppUpdate>& offer)
{
    if (!offer) {
        if (!automatic && lang)
            setStatusAlert(UpdateStatusAlert::failed(lang->t(QStringLiteral("无法连接更新服务器"),
                                                             QStringLiteral("Couldn’t reach the update server"))));
        return;
    }
    refreshPending(*offer);
    if (automatic || !lang)
        return;
    if (UpdateCheck::isNewer(offer->version, UpdateCheck::localVersion())) {
        setPromptUpdate(offer);
        return;
    }
    setStatusAlert(UpdateStatusAlert::upToDate(
        lang->t(QStringLiteral("当前已是最新版本"), QStringLiteral("You’re on the latest version"))));
    if (!m_forcedPreview)
        setPendingUpdate(std::nullopt);
}

void UpdateController::refreshPending(const AppUpdate& offer)
{
    if (m_forcedPreview) {
        setPendingUpdate(m_forcedPreview);
        return;
    }
    if (!UpdateCheck::isNewer(offer.version, UpdateCheck::localVersion())) {
        setPendingUpdate(std::nullopt);
        return;
    }
    const std::optional<QString> skipped = m_deps.defaults->string(kSkippedVersionKey);
    setPendingUpdate(skipped == offer.version ? std::nullopt : std::optional<AppUpdate>(offer));
}

void UpdateController::offerOrCheck(Origin origin, language::LanguageManager* lang)
{
    setOrigin(origin);
    if (m_pendingUpdate) {
        setPromptUpdate(m_pendingUpdate);
        return;
    }
    check(false, lang);
}

void UpdateController::setOrigin(Origin origin)
{
    if (origin == m_origin)
        return;
    m_origin = origin;
    emit originChanged();
}

void UpdateController::checkFromSidebar(language::LanguageManager& lang)
{
    offerOrCheck(Sidebar, &lang);
}

void UpdateController::checkFromSettings(language::LanguageManager& lang)
{
    offerOrCheck(Settings, &lang);
}

void UpdateController::checkFromSidebar()
{
    offerOrCheck(Sidebar, m_deps.language);
}

void UpdateController::checkFromSettings()
{
    offerOrCheck(Settings, m_deps.language);
}

void UpdateController::presentPendingIfNeeded()
{
    if (!m_pendingUpdate)
        return;
    setOrigin(Sidebar);
    setPromptUpdate(m_pendingUpdate);
}

void UpdateController::skip(const QString& version)
{
    m_deps.defaults->setString(kSkippedVersionKey, version);
    if (m_pendingUpdate && m_pendingUpdate->version == version)
        setPendingUpdate(std::nullopt);
    setPromptUpdate(std::nullopt);
}

void UpdateController::install(const AppUpdate& update)
{
    if (m_installing)
        return;
    setInstalling(true);
    const bool started = m_deps.install(update, this, [this](std::optional<InstallError> error) {
        if (error) {
            const QPointer<language::LanguageManager>& lang = m_deps.language;
            setInstallError(lang ? error->description(*lang) : error->descriptionZh());
        } else {
            setPromptUpdate(std::nullopt);
            setPendingUpdate(std::nullopt);
        }
        setInstalling(false);
    });
    if (!started)
        setInstalling(false);
}

void UpdateController::dismissPrompt()
{
    setPromptUpdate(std::nullopt);
}

void UpdateController::dismissStatusAlert()
{
    setStatusAlert(std::nullopt);
}

void UpdateController::dismissInstallError()
{
    setInstallError(std::nullopt);
}

void UpdateController::setPendingUpdate(std::optional<AppUpdate> update)
{
    if (update == m_pendingUpdate)
        return;
    m_pendingUpdate = std::move(update);
    emit pendingUpdateChanged();
}

void UpdateController::setPromptUpdate(std::optional<AppUpdate> update)
{
    if (update == m_promptUpdate)
        return;
    m_promptUpdate = std::move(update);
    emit promptUpdateChanged();
}

void UpdateController::setStatusAlert(std::optional<UpdateStatusAlert> alert)
{
    if (alert == m_statusAlert)
        return;
    m_statusAlert = std::move(alert);
    emit statusAlertChanged();
}

void UpdateController::setInstallError(std::optional<QString> text)
{
    if (text == m_installError)
        return;
    m_installError = std::move(text);
    emit installErrorChanged();
}

void UpdateController::setChecking(bool checking)
{
    if (checking == m_isChecking)
        return;
    m_isChecking = checking;
    emit isCheckingChanged();
}

void UpdateController::setInstalling(bool installing)
{
    if (installing == m_installing)
        return;
    m_installing = installing;
    emit installingChanged();
}

} // namespace velk
