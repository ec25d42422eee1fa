#pragma once

#include "ui/design/VelkColorPalette.h"

#include <QObject>

namespace velk::design {

// The process-wide copy of the active palette that every themed colour is
// read from. It starts as the ink palette and is replaced by ThemeManager on
// the main thread; `changed` lets live views (the QML colour tokens) refresh.
class PaletteSnapshot : public QObject {
    Q_OBJECT
public:
    static PaletteSnapshot& instance();

    const VelkColorPalette& palette() const { return m_palette; }
    void replace(const VelkColorPalette& palette);

signals:
    void changed();

private:
    PaletteSnapshot();
    VelkColorPalette m_palette;
};

} // namespace velk::design
