#pragma once
// A control's last picture in device pixels. Vector knobs, rotated pictures
// and text cost tens of microseconds to rasterise but only a few to copy, and
// a full redraw (a new scale, an uncovered window) repaints hundreds of them
// unchanged. The picture is taken with the same device transform and the same
// font options as the target, so copying it back is a whole-pixel blit of
// exactly what drawing would have produced.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace igraphics {

class IControl;
class Painter;

class DrawCache {
  public:
    DrawCache() = default;
    ~DrawCache();
    DrawCache(const DrawCache&) = delete;
    DrawCache& operator=(const DrawCache&) = delete;

    // Something the control shows changed.
    void invalidate();
    // Paints the control's picture on cr (its user space in logical pixels)
    // at the given opacity. False when the caller must draw the control
    // itself: the first draw after a change, so that a control changing every
    // frame (a knob being dragged) never pays for a picture it throws away,
    // a transform that is not a plain scale, or a picture too large to keep.
    bool paint(cairo_t* cr, const Painter& painter, IControl& control, double alpha);

  private:
    bool build(cairo_t* cr, const Painter& painter, IControl& control, double scale, double fracX,
               double fracY);
    void release();

    cairo_surface_t* surface_ = nullptr;  // null in a valid cache: nothing visible
    int x_ = 0;                           // device offset of the surface's corner
    int y_ = 0;
    double scale_ = 0.0;
    double deviceScale_ = 1.0;  // the target surface's own (HiDPI) scale
    double fracX_ = 0.0;        // sub-pixel part of the target's translation
    double fracY_ = 0.0;
    bool valid_ = false;
    bool tooLarge_ = false;
    bool drawnSinceChange_ = false;
};

}  // namespace igraphics
