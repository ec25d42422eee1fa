#include "ui/design/VdsQml.h"

#include "ui/design/Color.h"
#include "ui/design/PaletteSnapshot.h"

namespace velk::design {

double VdsMeasure::mainContentLeadingInset(double sidebarWidth, bool collapsed) const
{
    return VDS::Measure::mainContentLeadingInset(sidebarWidth, collapsed);
}

double VdsMeasure::sidebarBrandLogoLeading(double sidebarWidth, bool collapsed) const
{
    return VDS::Measure::sidebarBrandLogoLeading(sidebarWidth, collapsed);
}

VdsColors::VdsColors(QObject* parent)
    : QObject(parent)
{
    connect(&PaletteSnapshot::instance(), &PaletteSnapshot::changed, this, &VdsColors::paletteChanged);
}

VdsQml::VdsQml(QObject* parent)
    : QObject(parent)
    , m_phi(new VdsPhi(this))
    , m_space(new VdsSpace(this))
    , m_radius(new VdsRadius(this))
    , m_typeScale(new VdsTypeScale(this))
    , m_measure(new VdsMeasure(this))
    , m_colors(new VdsColors(this))
{
}

namespace {
QFont::Weight asWeight(int weight)
{
    return QFont::Weight(qBound(1, weight, 1000));
}
} // namespace

QFont VdsQml::caption(int weight) const
{
    return VDS::caption(asWeight(weight));
}

QFont VdsQml::body(int weight) const
{
    return VDS::body(asWeight(weight));
}

QFont VdsQml::title(int weight) const
{
    return VDS::title(asWeight(weight));
}

QFont VdsQml::display(int weight) const
{
    return VDS::display(asWeight(weight));
}

QFont VdsQml::font(double pixelSize, int weight, bool monospaced) const
{
    return monospaced ? VDS::monospacedFont(pixelSize, asWeight(weight)) : VDS::font(pixelSize, asWeight(weight));
}

QColor VdsQml::withOpacity(const QColor& color, double opacity) const
{
    return design::withOpacity(color, opacity);
}

} // namespace velk::design
