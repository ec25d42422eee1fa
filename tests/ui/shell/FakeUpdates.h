#pragma once

#include <QObject>
#include <QString>

namespace velk::test {

// Stands in for the update state the sidebar's version button reads, and
// counts what the button asks of it.
class FakeUpdates : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isChecking MEMBER isChecking NOTIFY changed)
    Q_PROPERTY(bool showsBadge MEMBER showsBadge NOTIFY changed)
    Q_PROPERTY(QString localVersion MEMBER localVersion CONSTANT)

public:
    bool isChecking = false;
    bool showsBadge = false;
    QString localVersion = QStringLiteral("1.4.2");
    int checks = 0;
    int presentations = 0;

    void set(bool checking, bool badge)
    {
        isChecking = checking;
        showsBadge = badge;
        emit changed();
    }

    Q_INVOKABLE void checkFromSidebar() { ++checks; }
    Q_INVOKABLE void presentPendingIfNeeded() { ++presentations; }

signals:
    void changed();
};

} // namespace velk::test
