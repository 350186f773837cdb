#pragma once
// A picture of the static part of a large control, kept in device pixels.
// The context's DrawCache gives up on controls as large as the response
// graphs; a graph keeps its grid and curve here instead, so that a pointer
// readout moving over it, or a full window repaint, copies the picture and
// draws only what moves. The picture is made for the target's transform and
// made again when that changes.
#include <functional>

#include "controls/records.hpp"

typedef struct _cairo_surface cairo_surface_t;

namespace igraphics {

class Painter;

class KeptLayer {
  public:
    using DrawFn = std::function<void(Painter&)>;

    KeptLayer() = default;
    ~KeptLayer();
    KeptLayer(const KeptLayer&) = delete;
    KeptLayer& operator=(const KeptLayer&) = delete;

    // What the layer shows changed: the next paint draws it anew.
    void invalidate();
    bool isValid() const { return surface_ != nullptr; }
    // Paints the layer over bounds, running draw first when the picture is
    // missing or was made for another transform. A transform other than a
    // plain scale (or a target whose device scale is fractional) is drawn
    // directly every time.
    void paint(Painter& p, const IRECT& bounds, const DrawFn& draw);

  private:
    void release();

    cairo_surface_t* surface_ = nullptr;
    IRECT bounds_;
    double scale_ = 0.0;
    double deviceScale_ = 0.0;
    double fracX_ = 0.0;
    double fracY_ = 0.0;
    int x_ = 0;  // device offset of the picture's corner from the whole part of the translation
    int y_ = 0;
};

}  // namespace igraphics
