#pragma once

#include <QRectF>
#include <QSizeF>
#include <optional>
#include <vector>

namespace velk::screens {

// The arithmetic of the two golden-ratio containers. A proposed dimension
// may be unspecified (nullopt). Frames are top-left corners with a proposed
// size; an unspecified proposed height is a negative height.
namespace golden {

// The sidebar column of the window shell, and the size either container
// takes when nothing is proposed (the main window's minimum).
inline constexpr double sidebarWidth = 233.0;
inline constexpr double fallbackWidth = 987.0;
inline constexpr double fallbackHeight = 610.0;
// 1/phi: the major pane's share; the minor pane gets the rest.
inline constexpr double majorShare = 0.6180339887498948;
inline constexpr double defaultSpacing = 34.0;

struct Proposal {
    std::optional<double> width;
    std::optional<double> height;
};

// One child's place: its top-left corner and proposed width; `height` is
// absent when the child takes its own height.
struct Placement {
    double x;
    double y;
    double width;
    std::optional<double> height;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// The shell answers the proposal itself, 987 x 610 where unspecified.
QSizeF appShellSize(const Proposal& proposal);
// Sidebar at the origin 233 wide, content beside it with the rest; both as
// tall as the bounds. Nothing unless there are exactly two children.
std::vector<Placement> appShellPlacement(const QRectF& bounds, int childCount);

// The two pane widths of a split `width` wide with `spacing` between them.
struct PaneWidths {
    double major;
    double minor;
};
PaneWidths goldenPanes(double width, double spacing);
// Width of the split (the proposal, or 987) and the two panes measured in it;
// `heightOf(index, paneWidth)` is a child's height at that width. With other
// than two children, the proposal with unspecified dimensions as 0.
template <class HeightOf>
QSizeF goldenSplitSize(const Proposal& proposal, double spacing, int childCount, HeightOf heightOf)
{
    if (childCount != 2)
        return { proposal.width.value_or(0.0), proposal.height.value_or(0.0) };
    const double width = proposal.width.value_or(fallbackWidth);
    const PaneWidths panes = goldenPanes(width, spacing);
    const double h0 = heightOf(0, panes.major);
    const double h1 = heightOf(1, panes.minor);
    return { width, h0 > h1 ? h0 : h1 };
}
// The major pane at the origin, the minor one after the gap; both take
// their own heights. Nothing unless there are exactly two children.
std::vector<Placement> goldenSplitPlacement(const QRectF& bounds, double spacing, int childCount);

} // namespace golden
} // namespace velk::screens
