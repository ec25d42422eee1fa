#include "app/VelkCleanApp.h"

#include "app/QmlModules.h"
#include "engine/language/LanguageManager.h"
#include "engine/monitor/SystemMonitor.h"
#include "engine/sensors/SMC.h"
#include "platform/core/ServiceRegistry.h"
#include "services/update/UpdateController.h"
#include "ui/design/ThemeManager.h"
#include "ui/shell/MonitorGate.h"
#include "ui/shell/SectionNavigator.h"
#include "ui/shell/SidebarLayout.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace velk::app {
namespace {

// The sensor controller's messages; a machine without a controller gives
// them on every start, so they are shown only when asked for
// (QT_LOGGING_RULES="velk.sensors.controller=true").
Q_LOGGING_CATEGORY(sensorControllerLog, "velk.sensors.controller", QtWarningMsg)

} // namespace

VelkCleanApp::VelkCleanApp(StartOptions options, QObject* parent)
    : QObject(parent)
    , m_language(&language::LanguageManager::shared())
    , m_theme(&design::ThemeManager::shared())
    , m_monitor(options.monitor ? options.monitor : &monitor::SystemMonitor::shared())
    , m_updates(options.updates ? options.updates : &UpdateController::shared())
    , m_models(std::make_unique<shell::WindowModels>(*m_monitor, *m_language, *m_theme, *m_updates,
                                                     platform::core::service<platform::desktop::Workspace>()))
    , m_navigator(std::make_unique<shell::SectionNavigator>(shell::MonitorGate::over(*m_monitor)))
    , m_sidebar(std::make_unique<shell::SidebarLayout>())
{
    // Before anything reads a sensor.
    sensors::SMC::setSharedSink(platform::core::loggingSink(sensorControllerLog()));
    if (options.section)
        m_navigator->setInitialSection(*options.section);
    if (options.processSort)
        m_models->setProcessSort(*options.processSort);
    applyLocale();
    connect(m_language, &language::LanguageManager::currentChanged, this, &VelkCleanApp::applyLocale);
}

VelkCleanApp::~VelkCleanApp()
{
    // The software scene graph (the one the offscreen platform and a virtual
    // screen draw with) deletes an image's texture only on a frame drawn
    // after the image went, never when its window closes. So the root view
    // goes first, and the sheets it owns with it, then the items views handed
    // over for later deletion, then the images kept for reuse, and the window
    // draws once more while it still exists.
    if (m_window) {
        delete m_window->findChild<QQuickItem*>(QStringLiteral("contentView"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_window->releaseResources();
        if (m_window->isVisible())
            m_window->grabWindow();
    }
    // The windows go before the objects they show.
    m_engine.reset();
}

bool VelkCleanApp::start()
{
    m_engine = std::make_unique<QQmlApplicationEngine>();
    prepareQmlEngine(*m_engine);
    m_engine->setInitialProperties({ { QStringLiteral("app"), QVariant::fromValue(this) } });
    m_engine->load(QUrl(QStringLiteral("qrc:/qt/qml/Velk/App/MainWindow.qml")));
    const auto roots = m_engine->rootObjects();
    m_window = roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
    return m_window != nullptr;
}

QQuickWindow* VelkCleanApp::mainWindow() const
{
    return m_window;
}

void VelkCleanApp::showSettings()
{
    if (m_window)
        QMetaObject::invokeMethod(m_window, "showSettings");
}

void VelkCleanApp::applyLocale()
{
    QLocale::setDefault(m_language->isEnglish() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                : QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
}

} // namespace velk::app
