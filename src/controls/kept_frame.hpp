#pragma once
// The whole window as it was last drawn, in the target's device pixels. A
// draw brings the frame up to date where something changed and copies the
// area asked for from it: a full repaint (an uncovered window, a screenshot)
// costs one copy of the window's pixels instead of drawing every control
// again, and a small change is drawn once however often it is shown.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_font_options cairo_font_options_t;

namespace igraphics {

class KeptFrame {
  public:
    KeptFrame() = default;
    ~KeptFrame();
    KeptFrame(const KeptFrame&) = delete;
    KeptFrame& operator=(const KeptFrame&) = delete;

    // Makes the frame match cr's transform for a window of width x height
    // user units of cr. False when its pixels could not land 1:1 on the
    // target's (a rotation, a fractional device scale): the caller then draws
    // on the target itself. fresh is set when the frame was made anew and
    // holds nothing yet.
    bool fit(cairo_t* cr, double width, double height, bool& fresh);
    // A context on the frame whose user space is cr's at the last fit. Its
    // font options are the target surface's, as text drawn on the target
    // would come out.
    cairo_t* context() const { return cr_; }
    const cairo_font_options_t* targetFontOptions() const { return targetOptions_; }
    // Limits drawing on the frame's context to the whole device pixels that
    // the rectangle (user units of the context) touches.
    void clipToPixels(double x, double y, double w, double h) const;
    // Paints the rectangle (user units of cr, as at fit) from the frame onto
    // cr, replacing what was there.
    void copyTo(cairo_t* cr, double x, double y, double w, double h) const;
    void release();

  private:
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    cairo_font_options_t* targetOptions_ = nullptr;
    double scale_ = 0.0;
    double deviceScale_ = 0.0;
    double fracX_ = 0.0;
    double fracY_ = 0.0;
    int width_ = 0;  // device units
    int height_ = 0;
};

}  // namespace igraphics
