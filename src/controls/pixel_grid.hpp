#pragma once
// Where a context puts user space on its target's pixels, when a picture kept
// in device pixels can be copied onto it 1:1: no rotation or shear, one scale
// for both axes, and (GTK's HiDPI surfaces scale again below the matrix) a
// whole device scale of at least 1 with whole device offsets. The kept frame,
// kept layers and the draw cache all keep such pictures.
#include <optional>

typedef struct _cairo cairo_t;

namespace igraphics {

struct PixelGrid {
    double scale;    // device units per user unit, on both axes
    double originX;  // where user (0, 0) lands, in device units
    double originY;
    double deviceScale;  // the target surface's pixels per device unit
};

// Nothing when a kept picture would not land pixel for pixel.
std::optional<PixelGrid> pixelGridOf(cairo_t* cr);

}  // namespace igraphics
