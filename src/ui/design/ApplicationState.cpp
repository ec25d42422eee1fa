#include "ui/design/ApplicationState.h"

#include <QGuiApplication>

namespace velk::design {

ApplicationState::ApplicationState(QObject* parent)
    : QObject(parent)
    , m_active(QGuiApplication::applicationState() == Qt::ApplicationActive)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        const bool active = state == Qt::ApplicationActive;
        if (active == m_active)
            return;
        m_active = active;
        emit activeChanged();
    });
}

} // namespace velk::design
