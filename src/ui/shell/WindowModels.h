#pragma once

#include "engine/cleaning/AppUninstallViewModel.h"
#include "engine/language/LanguageManager.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "engine/cleaning/PrivacyViewModel.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "engine/inspection/StartupViewModel.h"
#include "engine/monitor/ProcSort.h"
#include "engine/monitor/SystemMonitor.h"
#include "platform/desktop/Workspace.h"
#include "services/update/UpdateController.h"
#include "ui/design/ThemeManager.h"
#include "ui/models/DesktopActions.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <memory>

namespace velk::shell {

// The composition root of the main window: holds the instances the start-up
// code chose and makes the window's view models. The window is
// handed this object and passes each model down to the views that need it as
// a required property; views never look anything up themselves. Tests build
// one over their own instances.
class WindowModels : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window's models are made in C++ and handed to it.")
    Q_PROPERTY(velk::monitor::SystemMonitor* monitor READ monitor CONSTANT)
    Q_PROPERTY(velk::language::LanguageManager* language READ language CONSTANT)
    Q_PROPERTY(velk::design::ThemeManager* theme READ theme CONSTANT)
    // Shared by the dashboard and the System Junk screen; survives a theme
    // change, which rebuilds the screens.
    Q_PROPERTY(velk::cleaning::SystemJunkViewModel* junk READ junk CONSTANT)
    // The update state: the sidebar's version button, the prompt and the
    // alerts read it, the Settings page checks through it.
    Q_PROPERTY(velk::UpdateController* updates READ updates CONSTANT)
    // One view model per screen, kept here for the same reason as `junk`.
    Q_PROPERTY(velk::cleaning::LargeFilesViewModel* largeFiles READ largeFiles CONSTANT)
    Q_PROPERTY(velk::cleaning::AppUninstallViewModel* appUninstall READ appUninstall CONSTANT)
    Q_PROPERTY(velk::cleaning::PrivacyViewModel* privacy READ privacy CONSTANT)
    Q_PROPERTY(velk::inspection::StartupViewModel* startup READ startup CONSTANT)
    // Revealing files, opening addresses and starting applications.
    Q_PROPERTY(velk::models::DesktopActions* desktop READ desktop CONSTANT)
    // The process list's first sort key, as the Processes screen's sort
    // (cpu, memory, threads, pid, name in that order); set before the
    // window is built.
    Q_PROPERTY(int processSort READ processSort CONSTANT)

public:
    // Over the given instances; the view models and the desktop actions (over
    // `workspace`) are made here.
    WindowModels(monitor::SystemMonitor& monitor, language::LanguageManager& language, design::ThemeManager& theme,
                 UpdateController& updates, std::shared_ptr<platform::desktop::Workspace> workspace,
                 QObject* parent = nullptr);
    ~WindowModels() override;

    monitor::SystemMonitor* monitor() const { return m_monitor; }
    language::LanguageManager* language() const { return m_language; }
    design::ThemeManager* theme() const { return m_theme; }
    cleaning::SystemJunkViewModel* junk() const { return m_junk.get(); }
    UpdateController* updates() const { return m_updates; }
    cleaning::LargeFilesViewModel* largeFiles() const { return m_largeFiles.get(); }
    cleaning::AppUninstallViewModel* appUninstall() const { return m_appUninstall.get(); }
    cleaning::PrivacyViewModel* privacy() const { return m_privacy.get(); }
    inspection::StartupViewModel* startup() const { return m_startup.get(); }
    models::DesktopActions* desktop() const { return m_desktop.get(); }
    int processSort() const { return static_cast<int>(m_processSort); }
    void setProcessSort(monitor::ProcSort sort) { m_processSort = sort; }

private:
    monitor::SystemMonitor* m_monitor;
    language::LanguageManager* m_language;
    design::ThemeManager* m_theme;
    UpdateController* m_updates;
    std::unique_ptr<cleaning::SystemJunkViewModel> m_junk;
    std::unique_ptr<cleaning::LargeFilesViewModel> m_largeFiles;
    std::unique_ptr<cleaning::AppUninstallViewModel> m_appUninstall;
    std::unique_ptr<cleaning::PrivacyViewModel> m_privacy;
    std::unique_ptr<inspection::StartupViewModel> m_startup;
    std::unique_ptr<models::DesktopActions> m_desktop;
    monitor::ProcSort m_processSort = monitor::ProcSort::cpu;
};

} // namespace velk::shell
