#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Fixed colours of the glass family; they do not follow the theme.
class GlassColors : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor glassAccent READ glassAccent CONSTANT)
    Q_PROPERTY(QColor glassSuccess READ glassSuccess CONSTANT)
    Q_PROPERTY(QColor glassWarning READ glassWarning CONSTANT)
    Q_PROPERTY(QColor glassDanger READ glassDanger CONSTANT)
    Q_PROPERTY(QColor surfacePrimary READ surfacePrimary CONSTANT)
    Q_PROPERTY(QColor surfaceSecondary READ surfaceSecondary CONSTANT)
    Q_PROPERTY(QColor surfaceCard READ surfaceCard CONSTANT)
public:
    using QObject::QObject;
    static QColor glassAccent();
    static QColor glassSuccess();
    static QColor glassWarning();
    static QColor glassDanger();
    static QColor surfacePrimary();
    static QColor surfaceSecondary();
    static QColor surfaceCard();
};

// Fixed colours of the dark cleaner style.
class VelkCleanerPalette : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor glow READ glow CONSTANT)
    Q_PROPERTY(QColor glowSoft READ glowSoft CONSTANT)
    Q_PROPERTY(QColor deep READ deep CONSTANT)
    Q_PROPERTY(QColor backdropTop READ backdropTop CONSTANT)
    Q_PROPERTY(QColor backdropBottom READ backdropBottom CONSTANT)
public:
    using QObject::QObject;
    static QColor glow();
    static QColor glowSoft();
    static QColor deep();
    static QColor backdropTop();
    static QColor backdropBottom();
};

} // namespace velk::design
