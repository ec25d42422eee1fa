#pragma once

namespace velk::shell::SidebarWidth {

// The expanded sidebar's width kept between its lower and upper bounds.
double clamp(double width);

// The clamped width moved to the nearest multiple of the snapping step,
// halves away from zero. The widest result (378) lies one point above the
// upper clamp, which is how the step falls.
double snap(double width);

} // namespace velk::shell::SidebarWidth
