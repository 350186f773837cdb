#pragma once
// The sizes of the main window: the content is the 1920 x 1200 logical
// window times the draw scale, in GTK's pixels (GTK's own scale factor
// multiplies on top of both, so a HiDPI monitor's work area, which GDK
// reports in the same pixels, needs no extra care). No GTK here.
#include <optional>

namespace vornix::app {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The draw scales the window allows, as the corner grip does.
inline constexpr double MinWindowScale = 0.25;
inline constexpr double MaxWindowScale = 4.0;
// The first window takes at most this share of the monitor's work area...
inline constexpr double FirstWindowShare = 0.9;
// ...at a scale in these steps (the content's size is then whole pixels)
// and never above 1.
inline constexpr double FirstScaleStep = 0.05;

// The content's size at a draw scale.
Size contentSize(double scale);

// The scale at which the content fills `area` in one direction and fits in
// the other, or nothing when the content at `current` already does so
// (within a pixel, so that rounding never makes a window creep smaller).
std::optional<double> scaleForArea(Size area, double current);

// The scale of a first start: the window with its menu bar (`barHeight`)
// within FirstWindowShare of the work area.
double firstScale(Size workArea, int barHeight);

// A stored scale, made smaller when the window would not fit the work area
// (a smaller monitor than the last one).
double scaleThatFits(double stored, Size workArea, int barHeight);

}  // namespace vornix::app
