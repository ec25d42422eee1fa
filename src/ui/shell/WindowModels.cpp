#include "ui/shell/WindowModels.h"

#include <QJSEngine>

namespace velk::shell {
namespace {

// Objects handed to QML stay owned by C++, whatever QML does with them.
template <class T>
T* keptByCpp(T* object)
{
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return object;
}

} // namespace

WindowModels::WindowModels(monitor::SystemMonitor& monitor, language::LanguageManager& language,
                           design::ThemeManager& theme, UpdateController& updates,
                           std::shared_ptr<platform::desktop::Workspace> workspace, QObject* parent)
    : QObject(parent)
    , m_monitor(keptByCpp(&monitor))
    , m_language(keptByCpp(&language))
    , m_theme(keptByCpp(&theme))
    , m_updates(keptByCpp(&updates))
    , m_junk(keptByCpp(new cleaning::SystemJunkViewModel))
    , m_largeFiles(keptByCpp(new cleaning::LargeFilesViewModel))
    , m_appUninstall(keptByCpp(new cleaning::AppUninstallViewModel))
    , m_privacy(keptByCpp(new cleaning::PrivacyViewModel))
    , m_startup(keptByCpp(new inspection::StartupViewModel))
    , m_desktop(keptByCpp(new models::DesktopActions(std::move(workspace))))
{
}

WindowModels::~WindowModels() = default;

} // namespace velk::shell
