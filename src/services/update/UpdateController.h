#pragma once

#include "services/update/AppUpdate.h"
#include "services/update/UpdateCheck.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace velk::language {
class LanguageManager;
}
namespace velk {

namespace platform::core {
class Clock;
class Executor;
}
namespace platform::settings {
class UserDefaults;
}

// The application's update state: whether a newer version waits (the badge),
// whether a check or an install runs, which offer the prompt shows, and the
// outcome the root view presents. Checks once just after it is created and
// then every four hours; checks on request; remembers one skipped version;
// starts the installer. Main-thread object.
class UpdateController final : public QObject {
    Q_OBJECT
    // The newer, not skipped offer of the last successful check; an empty
    // offer (no version) when none. `showsBadge` tells whether there is one.
    Q_PROPERTY(velk::AppUpdate pendingUpdate READ pendingUpdateOrEmpty NOTIFY pendingUpdateChanged)
    Q_PROPERTY(bool showsBadge READ showsBadge NOTIFY pendingUpdateChanged)
    Q_PROPERTY(bool isChecking READ isChecking NOTIFY isCheckingChanged)
    Q_PROPERTY(bool installing READ installing NOTIFY installingChanged)
    // The offer the prompt sheet shows while `hasPromptUpdate`; clearing it
    // (dismissPrompt) closes the sheet.
    Q_PROPERTY(velk::AppUpdate promptUpdate READ promptUpdateOrEmpty NOTIFY promptUpdateChanged)
    Q_PROPERTY(bool hasPromptUpdate READ hasPromptUpdate NOTIFY promptUpdateChanged)
    // The outcome of a check the user asked for, while `hasStatusAlert`.
    Q_PROPERTY(velk::UpdateStatusAlert statusAlert READ statusAlertOrEmpty NOTIFY statusAlertChanged)
    Q_PROPERTY(bool hasStatusAlert READ hasStatusAlert NOTIFY statusAlertChanged)
    // Why the last install failed, in the language in force then; empty when
    // there is nothing to show.
    Q_PROPERTY(QString installError READ installErrorText NOTIFY installErrorChanged)
    Q_PROPERTY(bool hasInstallError READ hasInstallError NOTIFY installErrorChanged)
    // This build's version, as the prompt and the sidebar show it.
    Q_PROPERTY(QString localVersion READ localVersion CONSTANT)
    // Where the user last asked: the prompt and the outcome of a check are
    // shown in that window.
    Q_PROPERTY(Origin origin READ origin NOTIFY originChanged)

public:
    enum Origin { Sidebar, Settings };
    Q_ENUM(Origin)

    // Seconds between two automatic checks.
    static constexpr double kCheckInterval = 14400.0;

    // What the controller works with. fromServices() binds the platform's
    // services, the shared language and the real update check.
    struct Dependencies {
        std::shared_ptr<platform::settings::UserDefaults> defaults;
        std::shared_ptr<platform::core::Clock> clock;
        std::shared_ptr<platform::core::Executor> executor;
        // Chooses the language of install-failure texts.
        QPointer<language::LanguageManager> language;
        // The process's launch arguments (for "-UpdateUIPreview").
        QStringList arguments;
        // Asks the feeds; an automatic check at background priority.
        std::function<void(QObject* context, UpdateCheck::OfferHandler, UpdateCheck::Priority)> fetch;
        std::function<bool(const AppUpdate&, QObject* context, UpdateCheck::InstallHandler)> install;

        static Dependencies fromServices();
    };

    explicit UpdateController(Dependencies dependencies, QObject* parent = nullptr);
    ~UpdateController() override;

    // The one controller of the application, created on first use.
    static UpdateController& shared();

    const std::optional<AppUpdate>& pendingUpdate() const { return m_pendingUpdate; }
    bool showsBadge() const { return m_pendingUpdate.has_value(); }
    bool isChecking() const { return m_isChecking; }
    bool installing() const { return m_installing; }
    const std::optional<AppUpdate>& promptUpdate() const { return m_promptUpdate; }
    bool hasPromptUpdate() const { return m_promptUpdate.has_value(); }
    const std::optional<UpdateStatusAlert>& statusAlert() const { return m_statusAlert; }
    bool hasStatusAlert() const { return m_statusAlert.has_value(); }
    const std::optional<QString>& installError() const { return m_installError; }
    bool hasInstallError() const { return m_installError.has_value(); }
    // The sample offer of preview mode, when it is on.
    const std::optional<AppUpdate>& forcedPreview() const { return m_forcedPreview; }
    QString localVersion() const;
    Origin origin() const { return m_origin; }

    // One check. An automatic one only updates the badge; a manual one with a
    // language also answers with the prompt or a status alert in that
    // language. Ignored while a check runs.
    void check(bool automatic, language::LanguageManager* lang);
    // Shows the pending offer at once, else checks by hand; the answer goes
    // to the window that asked.
    void checkFromSidebar(language::LanguageManager& lang);
    void checkFromSettings(language::LanguageManager& lang);
    // The same, answering in the controller's language.
    Q_INVOKABLE void checkFromSidebar();
    Q_INVOKABLE void checkFromSettings();
    // Shows the pending offer, if there is one, in the main window.
    Q_INVOKABLE void presentPendingIfNeeded();
    // Remembers `version` as skipped, drops it from the badge and closes the
    // prompt.
    Q_INVOKABLE void skip(const QString& version);
    // Installs `update`; on success the application has been asked to end.
    // Ignored while an install runs.
    Q_INVOKABLE void install(const velk::AppUpdate& update);
    // The views clear what they have shown.
    Q_INVOKABLE void dismissPrompt();
    Q_INVOKABLE void dismissStatusAlert();
    Q_INVOKABLE void dismissInstallError();

signals:
    void pendingUpdateChanged();
    void isCheckingChanged();
    void installingChanged();
    void promptUpdateChanged();
    void statusAlertChanged();
    void installErrorChanged();
    void originChanged();

private:
    void offerOrCheck(Origin origin, language::LanguageManager* lang);
    void setOrigin(Origin origin);
    AppUpdate pendingUpdateOrEmpty() const { return m_pendingUpdate.value_or(AppUpdate{}); }
    AppUpdate promptUpdateOrEmpty() const { return m_promptUpdate.value_or(AppUpdate{}); }
    UpdateStatusAlert statusAlertOrEmpty() const { return m_statusAlert.value_or(UpdateStatusAlert{}); }
    QString installErrorText() const { return m_installError.value_or(QString()); }

    void startCheckLoop();
    void scheduleTimedCheck(quint64 generation);
    void runCheck(bool automatic, QPointer<language::LanguageManager> lang, std::function<void()> done);
    void checkEnded(bool automatic, const QPointer<language::LanguageManager>& lang, const std::optional<AppUpdate>& offer);
    void refreshPending(const AppUpdate& offer);
    std::optional<AppUpdate> previewSample() const;

    void setPendingUpdate(std::optional<AppUpdate> update);
    void setPromptUpdate(std::optional<AppUpdate> update);
    void setStatusAlert(std::optional<UpdateStatusAlert> alert);
    void setInstallError(std::optional<QString> text);
    void setChecking(bool checking);
    void setInstalling(bool installing);

    Dependencies m_deps;
    std::optional<AppUpdate> m_pendingUpdate;
    bool m_isChecking = false;
    bool m_installing = false;
    std::optional<AppUpdate> m_promptUpdate;
    std::optional<UpdateStatusAlert> m_statusAlert;
    std::optional<QString> m_installError;
    // Tells the running check loop from a replaced one.
    quint64 m_timerGeneration = 0;
    std::optional<AppUpdate> m_forcedPreview;
    Origin m_origin = Sidebar;
};

} // namespace velk
