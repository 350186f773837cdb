#pragma once
// Drawing helpers over a cairo context whose user space is the logical
// 1920 x 1200 window. Angles are in degrees, 0 at twelve o'clock, clockwise,
// which is how knobs describe their travel.
#include <string_view>

#include "controls/records.hpp"
#include "controls/resources.hpp"

typedef struct _cairo cairo_t;

namespace igraphics {

class FontRegistry;

class Painter {
  public:
    Painter(cairo_t* cr, const FontRegistry& fonts, double drawScale)
        : cr_(cr), fonts_(fonts), scale_(drawScale) {}

    cairo_t* cr() const { return cr_; }
    double drawScale() const { return scale_; }
    const FontRegistry& fonts() const { return fonts_; }

    // Limits drawing to r until the matching popClip.
    void pushClip(const IRECT& r);
    void popClip();

    void fillRect(IColor c, const IRECT& r);
    void drawRect(IColor c, const IRECT& r, float thickness = 1.f);
    void fillRoundRect(IColor c, const IRECT& r, float radius);
    void drawRoundRect(IColor c, const IRECT& r, float radius, float thickness = 1.f);
    void fillEllipse(IColor c, const IRECT& r);
    void drawEllipse(IColor c, const IRECT& r, float thickness = 1.f);
    void fillCircle(IColor c, float cx, float cy, float radius);
    void fillTriangle(IColor c, float x1, float y1, float x2, float y2, float x3, float y3);
    void drawLine(IColor c, float x1, float y1, float x2, float y2, float thickness = 1.f);
    void drawDottedLine(IColor c, float x1, float y1, float x2, float y2, float dash = 2.f,
                        float thickness = 1.f);
    void drawArc(IColor c, float cx, float cy, float radius, float fromDeg, float toDeg,
                 float thickness = 1.f);
    void drawRadialLine(IColor c, float cx, float cy, float angleDeg, float rInner, float rOuter,
                        float thickness = 1.f);

    void drawText(const IText& style, std::string_view text, const IRECT& bounds);
    // Width and height of the text in logical pixels.
    IRECT measureText(const IText& style, std::string_view text);

    // Draws one frame of a bitmap with its top left corner at the bounds' corner.
    void drawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame);
    // Draws a single-frame bitmap centred on (cx, cy), rotated by angleDeg.
    void drawRotatedBitmap(const IBitmap& bitmap, float cx, float cy, double angleDeg);
    void drawSVG(const ISVG& svg, const IRECT& bounds, double angleDeg = 0.0);

  private:
    void setColor(IColor c);
    void selectFont(const IText& style);

    cairo_t* cr_;
    const FontRegistry& fonts_;
    double scale_;
};

}  // namespace igraphics
