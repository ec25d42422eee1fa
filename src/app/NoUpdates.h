#pragma once

#include <QObject>
#include <QString>

namespace velk::app {

// UPDATE CONTROLLER: the update state the sidebar reads, until the update
// controller joins the window: never checking, nothing waiting, and the
// application's version.
class NoUpdates : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isChecking READ isChecking CONSTANT)
    Q_PROPERTY(bool showsBadge READ showsBadge CONSTANT)
    Q_PROPERTY(QString localVersion READ localVersion CONSTANT)

public:
    using QObject::QObject;
    bool isChecking() const { return false; }
    bool showsBadge() const { return false; }
    QString localVersion() const;
    Q_INVOKABLE void checkFromSidebar() { }
    Q_INVOKABLE void presentPendingIfNeeded() { }
};

} // namespace velk::app
