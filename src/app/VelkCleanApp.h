#pragma once

#include "engine/monitor/ProcSort.h"
#include "ui/design/AppSection.h"
#include "ui/shell/SectionNavigator.h"
#include "ui/shell/SidebarLayout.h"
#include "ui/shell/WindowModels.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>
#include <memory>
#include <optional>

class QQmlApplicationEngine;
class QQuickWindow;

namespace velk::monitor {
class SystemMonitor;
}
namespace velk::language {
class LanguageManager;
}
namespace velk::design {
class ThemeManager;
}
namespace velk {
class UpdateController;
} // namespace velk

namespace velk::app {

// How the application starts.
struct StartOptions {
    // The section shown first (the dashboard when not given).
    std::optional<design::AppSection> section;
    // The process list's first sort key (by CPU when not given).
    std::optional<monitor::ProcSort> processSort;
    // The monitor to use instead of the process-wide one (tests pass their
    // own). The language and theme are always the process-wide ones, which
    // the views read too.
    monitor::SystemMonitor* monitor = nullptr;
    // The update controller to use instead of the process-wide one, which
    // asks the update server.
    UpdateController* updates = nullptr;
};

// The application: holds the language and theme, builds the main window
// over the window's models and keeps the locale in step with the language.
// The start-up order is the program's: the language and theme first, then
// the monitor (without its timer), then the update controller, then the
// locale; the monitor starts sampling only when the root view appears.
class VelkCleanApp : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application is made in C++.")
    Q_PROPERTY(velk::shell::SectionNavigator* navigator READ navigator CONSTANT)
    Q_PROPERTY(velk::shell::SidebarLayout* sidebar READ sidebar CONSTANT)
    // The window's composition root, handed to the root view.
    Q_PROPERTY(velk::shell::WindowModels* models READ models CONSTANT)

public:
    explicit VelkCleanApp(StartOptions options = StartOptions(), QObject* parent = nullptr);
    ~VelkCleanApp() override;

    // Builds and shows the main window; false when its QML cannot be built.
    bool start();

    QQmlApplicationEngine& engine() { return *m_engine; }
    QQuickWindow* mainWindow() const;
    shell::SectionNavigator* navigator() const { return m_navigator.get(); }
    shell::SidebarLayout* sidebar() const { return m_sidebar.get(); }
    shell::WindowModels* models() const { return m_models.get(); }
    monitor::SystemMonitor& monitor() const { return *m_monitor; }
    UpdateController& updates() const { return *m_updates; }

    // Opens the one Settings window, or brings it to the front.
    Q_INVOKABLE void showSettings();

private:
    void applyLocale();

    language::LanguageManager* m_language;
    design::ThemeManager* m_theme;
    monitor::SystemMonitor* m_monitor;
    UpdateController* m_updates;
    std::unique_ptr<shell::WindowModels> m_models;
    std::unique_ptr<shell::SectionNavigator> m_navigator;
    std::unique_ptr<shell::SidebarLayout> m_sidebar;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QPointer<QQuickWindow> m_window;
};

} // namespace velk::app
