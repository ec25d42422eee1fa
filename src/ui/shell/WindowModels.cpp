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
                           UpdateController& updates, QObject* parent)
    : QObject(parent)
    , m_monitor(keptByCpp(&monitor))
    , m_language(keptByCpp(&language))
    , m_theme(keptByCpp(&theme))
    , m_updates(keptByCpp(&updates))
    , m_junk(std::make_unique<SystemJunkViewModel>())
{
    keptByCpp(m_junk.get());
}

WindowModels::~WindowModels() = default;

} // namespace velk::shell
