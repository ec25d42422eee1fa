#pragma once

#include "ui/design/AppTheme.h"

#include <QColor>

namespace velk::design {

// Every colour field of a palette, in order. Used to keep the record, the
// token accessors, the role resolver and the QML properties in step.
#define VELK_PALETTE_COLOURS(X)                                                                    \
    X(bg0) X(bg1) X(bg2) X(bg3) X(bgElevated) X(border) X(borderStrong) X(borderFaint)            \
    X(borderWarm) X(text1) X(text2) X(text3) X(text4) X(accent) X(orange) X(amber) X(slate)        \
    X(green) X(red) X(emerald) X(teal) X(purple) X(pink) X(sidebar) X(sidebarHover)              \
    X(sidebarSelected) X(hover) X(onAccent) X(onDanger)

// One complete set of themed colours. Views pick colours by role name; the
// palette decides the hue.
struct VelkColorPalette {
    AppTheme theme = AppTheme::cyber;
#define VELK_PALETTE_FIELD(name) QColor name;
    VELK_PALETTE_COLOURS(VELK_PALETTE_FIELD)
#undef VELK_PALETTE_FIELD

    // Dark palette (theme `cyber`).
    static const VelkColorPalette& ink();
    // Light palette (theme `classic`).
    static const VelkColorPalette& paper();
    static const VelkColorPalette& cyber();
    static const VelkColorPalette& classic();

    // The colour of the field named `role` ("accent", "amber", ...), or
    // nothing when no field has that name.
    const QColor* role(QStringView name) const;

    friend bool operator==(const VelkColorPalette& a, const VelkColorPalette& b);
};

} // namespace velk::design
