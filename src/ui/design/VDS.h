#pragma once

#include "common/palette/ColorRole.h"
#include "ui/design/VelkColorPalette.h"

#include <QColor>
#include <QFont>
#include <QStringList>

namespace velk::design {

class AppSection;

// The design tokens every view draws from: a golden-ratio scale of spacings,
// radii and type sizes, the fixed layout measures, the font constructors and
// the themed colours. Numbers are points (logical pixels).
namespace VDS {

namespace Phi {
inline constexpr double value = 1.618033988749895;
inline constexpr double major = 0.6180339887498948;
inline constexpr double minor = 0.3819660112501052;
} // namespace Phi

namespace Space {
inline constexpr double xxs = 5;
inline constexpr double xs = 8;
inline constexpr double s = 13;
inline constexpr double ms = 13;
inline constexpr double m = 21;
inline constexpr double l = 34;
inline constexpr double xl = 55;
inline constexpr double xxl = 89;
inline constexpr double xxxl = 144;
} // namespace Space

namespace Radius {
inline constexpr double xs = 5;
inline constexpr double s = 8;
inline constexpr double m = 13;
inline constexpr double l = 21;
} // namespace Radius

namespace TypeScale {
inline constexpr double caption = 13;
inline constexpr double body = 13;
inline constexpr double title = 21;
inline constexpr double display = 34;
inline constexpr double hero = 55;
} // namespace TypeScale

namespace Measure {
inline constexpr double windowWidth = 987;
inline constexpr double windowHeight = 610;
inline constexpr double sidebar = 233;
inline constexpr double sidebarIcon = 56;
inline constexpr double sidebarExpandedMin = 210;
inline constexpr double sidebarMin = 210;
inline constexpr double sidebarMax = 377;
inline constexpr double sidebarNavColumnWidth = 180;
inline constexpr double sidebarHeaderHPadding = 8;
inline constexpr double sidebarBrandLogoExpanded = 89;
inline constexpr double sidebarBrandLogoCompact = 34;
inline constexpr double sidebarBrandHeaderSlot = 89;
inline constexpr double control = 34;
inline constexpr double row = 34;
inline constexpr double mark = 233;
inline constexpr double cluster = 377;
inline constexpr double column = 377;

// Leading inset that content beside a sidebar of this width keeps.
double mainContentLeadingInset(double sidebarWidth, bool collapsed);
// Leading offset of the brand mark inside a sidebar of this width.
double sidebarBrandLogoLeading(double sidebarWidth, bool collapsed);
} // namespace Measure

// Font families of text and of monospaced text, in the order glyphs are
// looked up: a Latin face first, so Latin letters, digits and punctuation
// ("’", "·") keep their proportional forms in both languages, then the CJK
// face for Chinese and its full-width punctuation.
QStringList textFamilies();
QStringList monospacedFamilies();

// The text font at the fixed sizes of the type scale.
QFont caption(QFont::Weight weight = QFont::Normal);
QFont body(QFont::Weight weight = QFont::Normal);
QFont title(QFont::Weight weight = QFont::Medium);
QFont display(QFont::Weight weight = QFont::Medium);
// The text font at any size (for sizes outside the four constructors).
QFont font(double pixelSize, QFont::Weight weight = QFont::Normal);
// The monospaced font at any size.
QFont monospacedFont(double pixelSize, QFont::Weight weight = QFont::Normal);

// Themed colours, read afresh from the palette snapshot on every call.
namespace C {
#define VELK_VDS_COLOUR_ACCESSOR(name) QColor name();
VELK_PALETTE_COLOURS(VELK_VDS_COLOUR_ACCESSOR)
#undef VELK_VDS_COLOUR_ACCESSOR

// Resolves a colour role carried by the engine ("accent", "amber", "red",
// "slate", ... : the names of the palette fields) to the current colour.
// An unknown role gives the accent. In QML the same lookup is `VDS.C[name]`,
// which also follows theme changes.
QColor role(QStringView name);
QColor role(palette::ColorRole role);
} // namespace C

// The accent of a section: the palette accent, for every section.
QColor accent(AppSection section);

} // namespace VDS

} // namespace velk::design
