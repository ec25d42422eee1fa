#pragma once

#include <QString>

namespace velk::palette {

// A colour of the design system's palette, named by its role. The engine
// only names it; the design layer resolves it against the current theme.
enum class ColorRole { accent, amber, red, slate };

// "accent", "amber", "red" or "slate": the token name the design layer uses.
QString colorRoleName(ColorRole role);

} // namespace velk::palette
