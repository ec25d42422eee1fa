#include "ui/shell/SidebarWidth.h"

#include "ui/design/VDS.h"

#include <algorithm>
#include <cmath>

namespace velk::shell::SidebarWidth {

double clamp(double width)
{
    if (std::isnan(width))
        return design::VDS::Measure::sidebarExpandedMin;
    return std::min(std::max(width, design::VDS::Measure::sidebarExpandedMin), design::VDS::Measure::sidebarMax);
}

double snap(double width)
{
    constexpr double step = design::VDS::Space::m;
    // std::round rounds halves away from zero.
    return step * std::round(clamp(width) / step);
}

} // namespace velk::shell::SidebarWidth
