#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Whether the application is the active one, as its activation
// notifications last said. Views that animate only while the application is
// active (the pulsing dot) follow `active`.
class ApplicationState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool active READ active NOTIFY activeChanged)
public:
    explicit ApplicationState(QObject* parent = nullptr);

    bool active() const { return m_active; }

signals:
    void activeChanged();

private:
    bool m_active;
};

} // namespace velk::design
