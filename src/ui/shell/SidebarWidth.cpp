#include "ui/shell/SidebarWidth.h"

#include "ui/design/VDS.h"

#include <algorithm>
#include <cmath>

namespace velk::shell::SidebarWidth {

double clamp(double width)
{
    if (std::isnan(width))
        return VDS::Measure::sidebarExpandedMin;
    return std::min(std::max(width, VDS::Measure::sidebarExpandedMin), VDS::Measure::sidebarMax);
}

double snap(double width)
{
    constexpr double step = VDS::Space::m;
    // std::round rounds halves away from zero.
    return step * std::round(clamp(width) / step);
}

} // namespace velk::shell::SidebarWidth
