#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// Fixed stand-ins for the desktop's system colours used by the ready-made
// pieces (stat card, clean and scan buttons). They follow the light or dark
// appearance that the theme selects, not the palette.
class SystemColors : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY appearanceChanged)
    // The system accent blue.
    Q_PROPERTY(QColor accent READ accent NOTIFY appearanceChanged)
    // Primary and secondary label colours.
    Q_PROPERTY(QColor label READ label NOTIFY appearanceChanged)
    Q_PROPERTY(QColor secondaryLabel READ secondaryLabel NOTIFY appearanceChanged)
    // The secondary colour, used for disabled fills.
    Q_PROPERTY(QColor secondary READ secondary NOTIFY appearanceChanged)
    // Translucent material surfaces (drawn without blur).
    Q_PROPERTY(QColor regularMaterial READ regularMaterial NOTIFY appearanceChanged)
    Q_PROPERTY(QColor ultraThinMaterial READ ultraThinMaterial NOTIFY appearanceChanged)

public:
    explicit SystemColors(QObject* parent = nullptr);

    bool dark() const;
    QColor accent() const;
    QColor label() const;
    QColor secondaryLabel() const;
    QColor secondary() const;
    QColor regularMaterial() const;
    QColor ultraThinMaterial() const;

signals:
    void appearanceChanged();
};

} // namespace velk::design
