#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// What the dashboard reads from the machine on demand rather than from the
// monitor's samples: the battery (read again whenever the dashboard asks)
// and the kind of machine.
class HomeReaders : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using QObject::QObject;

    // {percent, charging, externalPower, fullyCharged}, or null without a
    // battery.
    Q_INVOKABLE QVariant battery() const;
    // "macBook", "iMac", "macMini", "macStudio", "macPro" or "unknown".
    Q_INVOKABLE QString deviceKind() const;
};

} // namespace velk::screens
