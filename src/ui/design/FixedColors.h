#pragma once

#include "ui/design/Color.h"

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Fixed colours of the glass family; they do not follow the theme.
class GlassColors : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor glassAccent MEMBER glassAccent CONSTANT)
    Q_PROPERTY(QColor glassSuccess MEMBER glassSuccess CONSTANT)
    Q_PROPERTY(QColor glassWarning MEMBER glassWarning CONSTANT)
    Q_PROPERTY(QColor glassDanger MEMBER glassDanger CONSTANT)
    Q_PROPERTY(QColor surfacePrimary MEMBER surfacePrimary CONSTANT)
    Q_PROPERTY(QColor surfaceSecondary MEMBER surfaceSecondary CONSTANT)
    Q_PROPERTY(QColor surfaceCard MEMBER surfaceCard CONSTANT)
public:
    using QObject::QObject;
    QColor glassAccent = colorFromHex(u"60A5FA");
    QColor glassSuccess = colorFromHex(u"34D399");
    QColor glassWarning = colorFromHex(u"FBBF24");
    QColor glassDanger = colorFromHex(u"F87171");
    QColor surfacePrimary = colorFromHex(u"0F172A");
    QColor surfaceSecondary = colorFromHex(u"1E293B");
    QColor surfaceCard = withOpacity(Qt::white, 0.05);
};

// Fixed colours of the dark cleaner style.
class VelkCleanerPalette : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor glow MEMBER glow CONSTANT)
    Q_PROPERTY(QColor glowSoft MEMBER glowSoft CONSTANT)
    Q_PROPERTY(QColor deep MEMBER deep CONSTANT)
    Q_PROPERTY(QColor backdropTop MEMBER backdropTop CONSTANT)
    Q_PROPERTY(QColor backdropBottom MEMBER backdropBottom CONSTANT)
public:
    using QObject::QObject;
    QColor glow = colorFromHex(u"3B82F6");
    QColor glowSoft = colorFromHex(u"60A5FA");
    QColor deep = colorFromHex(u"0F1729");
    QColor backdropTop = colorFromHex(u"0B1220");
    QColor backdropBottom = colorFromHex(u"0E1626");
};

} // namespace velk::design
