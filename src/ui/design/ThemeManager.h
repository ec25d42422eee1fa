#pragma once

#include "ui/design/AppTheme.h"
#include "ui/design/VelkColorPalette.h"

#include <QObject>

namespace velk::design {

// Owns the chosen theme: reads it from the user defaults ("appTheme") when
// created, stores every assignment back and replaces the palette snapshot
// that all themed colours are read from. Main thread only.
class ThemeManager : public QObject {
    Q_OBJECT
    // The raw value of the current theme, "cyber" or "classic". Assigning an
    // unknown string chooses "classic".
    Q_PROPERTY(QString current READ currentRawValue WRITE setCurrentRawValue NOTIFY currentChanged)
    Q_PROPERTY(bool isCyber READ isCyber NOTIFY currentChanged)

public:
    static inline const QString defaultsKey = QStringLiteral("appTheme");

    explicit ThemeManager(QObject* parent = nullptr);

    // The process-wide instance, created on first access.
    static ThemeManager& shared();

    AppTheme current() const { return m_current; }
    void setCurrent(AppTheme theme);
    QString currentRawValue() const { return m_current.rawValue(); }
    void setCurrentRawValue(const QString& raw);

    // Palette of `current`.
    const VelkColorPalette& palette() const { return m_current.palette(); }
    bool isCyber() const { return m_current == AppTheme::cyber; }

    // The snapshot every themed colour reads (a copy).
    static VelkColorPalette paletteSnapshot();
    static bool isCyberPalette();

signals:
    void currentChanged();

private:
    AppTheme m_current;
};

} // namespace velk::design
