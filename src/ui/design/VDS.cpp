#include "ui/design/VDS.h"

#include "ui/design/AppSection.h"
#include "ui/design/PaletteSnapshot.h"

#include <QFontDatabase>
#include <cmath>

namespace velk::design::VDS {

namespace {

// x of both inset functions: half the room left beside the brand mark; NaN
// and negative values mean "no room".
double brandRoom(double sidebarWidth, bool collapsed)
{
    const double logo = collapsed ? Measure::sidebarBrandLogoCompact : Measure::sidebarBrandLogoExpanded;
    return (sidebarWidth - 2 * Measure::sidebarHeaderHPadding - logo) * 0.5;
}

constexpr double collapsedInsetFloor = 55;

} // namespace

double Measure::mainContentLeadingInset(double sidebarWidth, bool collapsed)
{
    const double x = brandRoom(sidebarWidth, collapsed);
    if (!(x >= 0))
        return collapsed ? collapsedInsetFloor : sidebarHeaderHPadding;
    if (!collapsed)
        return x + sidebarHeaderHPadding;
    const double inset = x + sidebarHeaderHPadding + sidebarBrandLogoCompact;
    return inset <= collapsedInsetFloor ? collapsedInsetFloor : inset;
}

double Measure::sidebarBrandLogoLeading(double sidebarWidth, bool collapsed)
{
    const double x = brandRoom(sidebarWidth, collapsed);
    return (x >= 0 ? x : 0) + sidebarHeaderHPadding;
}

namespace {

// The Latin faces come with the program: the Latin of the CJK fonts with
// proportional punctuation and the CJK fonts' own line metrics, so a line
// is as tall in either language.
void addLatinFaces()
{
    static const bool added = [] {
        for (const char* face : { "VelkLatin-Regular", "VelkLatin-Medium", "VelkLatin-Bold", "VelkLatinMono-Regular",
                 "VelkLatinMono-Bold" })
            QFontDatabase::addApplicationFont(QStringLiteral(":/velk/fonts/%1.otf").arg(QLatin1String(face)));
        return true;
    }();
    Q_UNUSED(added);
}

} // namespace

QStringList textFamilies()
{
    addLatinFaces();
    return { QStringLiteral("Velk Latin"), QStringLiteral("Noto Sans CJK SC") };
}

QStringList monospacedFamilies()
{
    addLatinFaces();
    return { QStringLiteral("Velk Latin Mono"), QStringLiteral("Noto Sans Mono CJK SC") };
}

namespace {

QFont fontOf(const QStringList& families, double pixelSize, QFont::Weight weight)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(int(std::lround(pixelSize)));
    f.setWeight(weight);
    return f;
}

} // namespace

QFont font(double pixelSize, QFont::Weight weight)
{
    return fontOf(textFamilies(), pixelSize, weight);
}

QFont monospacedFont(double pixelSize, QFont::Weight weight)
{
    return fontOf(monospacedFamilies(), pixelSize, weight);
}

QFont caption(QFont::Weight weight)
{
    return font(TypeScale::caption, weight);
}

QFont body(QFont::Weight weight)
{
    return font(TypeScale::body, weight);
}

QFont title(QFont::Weight weight)
{
    return font(TypeScale::title, weight);
}

QFont display(QFont::Weight weight)
{
    return font(TypeScale::display, weight);
}

#define VELK_VDS_COLOUR_DEFINITION(name)                                                           \
    QColor C::name() { return PaletteSnapshot::instance().palette().name; }
VELK_PALETTE_COLOURS(VELK_VDS_COLOUR_DEFINITION)
#undef VELK_VDS_COLOUR_DEFINITION

QColor C::role(QStringView name)
{
    const VelkColorPalette& palette = PaletteSnapshot::instance().palette();
    const QColor* colour = palette.role(name);
    return colour ? *colour : palette.accent;
}

QColor C::role(palette::ColorRole role)
{
    return C::role(colorRoleName(role));
}

QColor accent(AppSection)
{
    return C::accent();
}

} // namespace velk::design::VDS
