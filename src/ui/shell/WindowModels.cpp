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

WindowModels::WindowModels(SystemMonitor& monitor, LanguageManager& language, ThemeManager& theme,
                           UpdateController& updates, std::shared_ptr<platform::desktop::Workspace> workspace,
                           QObject* parent)
    : QObject(parent)
    , m_monitor(keptByCpp(&monitor))
    , m_language(keptByCpp(&language))
    , m_theme(keptByCpp(&theme))
    , m_updates(keptByCpp(&updates))
    , m_junk(keptByCpp(new SystemJunkViewModel))
    , m_largeFiles(keptByCpp(new LargeFilesViewModel))
    , m_appUninstall(keptByCpp(new AppUninstallViewModel))
    , m_privacy(keptByCpp(new PrivacyViewModel))
    , m_startup(keptByCpp(new StartupViewModel))
    , m_desktop(keptByCpp(new models::DesktopActions(std::move(workspace))))
{
}

WindowModels::~WindowModels() = default;

} // namespace velk::shell
