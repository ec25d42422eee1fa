#include "ui/screens/dashboard/GoldenLayouts.h"

#include <algorithm>

namespace velk::screens::golden {

QSizeF appShellSize(const Proposal& proposal)
{
    return { proposal.width.value_or(fallbackWidth), proposal.height.value_or(fallbackHeight) };
}

std::vector<Placement> appShellPlacement(const QRectF& bounds, int childCount)
{
    if (childCount != 2)
        return {};
    return {
        { bounds.x(), bounds.y(), sidebarWidth, bounds.height() },
        { bounds.x() + sidebarWidth, bounds.y(), std::max(0.0, bounds.width() - sidebarWidth), bounds.height() },
    };
}

PaneWidths goldenPanes(double width, double spacing)
{
    const double available = width - spacing > 0 ? width - spacing : 0.0;
    const double major = available * majorShare;
    return { major, available - major };
}

std::vector<Placement> goldenSplitPlacement(const QRectF& bounds, double spacing, int childCount)
{
    if (childCount != 2)
        return {};
    const PaneWidths panes = goldenPanes(bounds.width(), spacing);
    return {
        { bounds.x(), bounds.y(), panes.major, std::nullopt },
        { bounds.x() + panes.major + spacing, bounds.y(), panes.minor, std::nullopt },
    };
}

} // namespace velk::screens::golden
