#include "controls/painter.hpp"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "controls/fonts.hpp"
#include "controls/text_format.hpp"

namespace igraphics {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRightAngle = 90.0;

// Knob angles start at twelve o'clock; cairo's start at three o'clock.
double cairoAngle(double knobDeg) {
    return (knobDeg - kRightAngle) * kDegToRad;
}

void roundRectPath(cairo_t* cr, const IRECT& r, float radius) {
    const double rad = std::clamp<double>(radius, 0.0, std::min(r.W(), r.H()) * 0.5);
    if (rad <= 0.0) {
        cairo_rectangle(cr, r.L, r.T, r.W(), r.H());
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.R - rad, r.T + rad, rad, -std::numbers::pi / 2, 0);
    cairo_arc(cr, r.R - rad, r.B - rad, rad, 0, std::numbers::pi / 2);
    cairo_arc(cr, r.L + rad, r.B - rad, rad, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, r.L + rad, r.T + rad, rad, std::numbers::pi, 1.5 * std::numbers::pi);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, const IRECT& r) {
    if (r.empty()) return;
    cairo_save(cr);
    cairo_translate(cr, r.MW(), r.MH());
    cairo_scale(cr, r.W() * 0.5, r.H() * 0.5);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
}

}  // namespace

void Painter::setColor(IColor c) {
    cairo_set_source_rgba(cr_, c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
}

void Painter::pushClip(const IRECT& r) {
    cairo_save(cr_);
    cairo_rectangle(cr_, r.L, r.T, r.W(), r.H());
    cairo_clip(cr_);
}

void Painter::popClip() {
    cairo_restore(cr_);
}

void Painter::fillRect(IColor c, const IRECT& r) {
    if (c.transparent() || r.empty()) return;
    setColor(c);
    cairo_rectangle(cr_, r.L, r.T, r.W(), r.H());
    cairo_fill(cr_);
}

void Painter::drawRect(IColor c, const IRECT& r, float thickness) {
    drawRoundRect(c, r, 0.f, thickness);
}

void Painter::fillRoundRect(IColor c, const IRECT& r, float radius) {
    if (c.transparent() || r.empty()) return;
    setColor(c);
    roundRectPath(cr_, r, radius);
    cairo_fill(cr_);
}

void Painter::drawRoundRect(IColor c, const IRECT& r, float radius, float thickness) {
    if (c.transparent() || r.empty() || thickness <= 0.f) return;
    setColor(c);
    cairo_set_line_width(cr_, thickness);
    roundRectPath(cr_, r.shrunk(thickness * 0.5f), radius);
    cairo_stroke(cr_);
}

void Painter::fillEllipse(IColor c, const IRECT& r) {
    if (c.transparent()) return;
    setColor(c);
    ellipsePath(cr_, r);
    cairo_fill(cr_);
}

void Painter::drawEllipse(IColor c, const IRECT& r, float thickness) {
    if (c.transparent() || thickness <= 0.f) return;
    setColor(c);
    cairo_set_line_width(cr_, thickness);
    ellipsePath(cr_, r.shrunk(thickness * 0.5f));
    cairo_stroke(cr_);
}

void Painter::fillCircle(IColor c, float cx, float cy, float radius) {
    fillEllipse(c, IRECT(cx - radius, cy - radius, cx + radius, cy + radius));
}

void Painter::fillTriangle(IColor c, float x1, float y1, float x2, float y2, float x3, float y3) {
    if (c.transparent()) return;
    setColor(c);
    cairo_move_to(cr_, x1, y1);
    cairo_line_to(cr_, x2, y2);
    cairo_line_to(cr_, x3, y3);
    cairo_close_path(cr_);
    cairo_fill(cr_);
}

void Painter::drawLine(IColor c, float x1, float y1, float x2, float y2, float thickness) {
    if (c.transparent() || thickness <= 0.f) return;
    setColor(c);
    cairo_set_line_width(cr_, thickness);
    cairo_move_to(cr_, x1, y1);
    cairo_line_to(cr_, x2, y2);
    cairo_stroke(cr_);
}

void Painter::drawDottedLine(IColor c, float x1, float y1, float x2, float y2, float dash,
                             float thickness) {
    const double pattern = dash;
    cairo_set_dash(cr_, &pattern, 1, 0);
    drawLine(c, x1, y1, x2, y2, thickness);
    cairo_set_dash(cr_, nullptr, 0, 0);
}

void Painter::drawArc(IColor c, float cx, float cy, float radius, float fromDeg, float toDeg,
                      float thickness) {
    if (c.transparent() || radius <= 0.f || thickness <= 0.f || fromDeg == toDeg) return;
    if (fromDeg > toDeg) std::swap(fromDeg, toDeg);
    setColor(c);
    // Filled as a ring sector: the same shape as a stroke with flat ends, and
    // several times cheaper for cairo than offsetting a thick curve.
    const double outer = radius + thickness / 2.0;
    const double inner = std::max(0.0, radius - thickness / 2.0);
    cairo_save(cr_);
    // Half a device pixel of flattening is invisible on a ring this thick.
    cairo_set_tolerance(cr_, 0.5);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, outer, cairoAngle(fromDeg), cairoAngle(toDeg));
    cairo_arc_negative(cr_, cx, cy, inner, cairoAngle(toDeg), cairoAngle(fromDeg));
    cairo_close_path(cr_);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void Painter::drawRadialLine(IColor c, float cx, float cy, float angleDeg, float rInner,
                             float rOuter, float thickness) {
    const double a = cairoAngle(angleDeg);
    const auto cs = static_cast<float>(std::cos(a));
    const auto sn = static_cast<float>(std::sin(a));
    drawLine(c, cx + cs * rInner, cy + sn * rInner, cx + cs * rOuter, cy + sn * rOuter, thickness);
}

void Painter::selectFont(const IText& style) {
    if (cairo_font_face_t* face = fonts_.face(style.fontId)) {
        cairo_set_font_face(cr_, face);
    } else {
        cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
    }
    cairo_set_font_size(cr_, style.size);
}

IRECT Painter::measureText(const IText& style, std::string_view text) {
    const std::string s = validUtf8(text);
    selectFont(style);
    cairo_text_extents_t te;
    cairo_text_extents(cr_, s.c_str(), &te);
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    return IRECT(0, 0, static_cast<float>(te.x_advance),
                 static_cast<float>(fe.ascent + fe.descent));
}

void Painter::drawText(const IText& style, std::string_view text, const IRECT& bounds) {
    if (text.empty() || style.color.transparent()) return;
    const std::string s = validUtf8(text);
    selectFont(style);
    cairo_text_extents_t te;
    cairo_text_extents(cr_, s.c_str(), &te);
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);

    double x = bounds.L;
    if (style.align == EAlign::Center) x = bounds.MW() - te.x_advance / 2;
    if (style.align == EAlign::Far) x = bounds.R - te.x_advance;
    const double height = fe.ascent + fe.descent;
    double y = bounds.T + fe.ascent;
    if (style.valign == EVAlign::Middle) y = bounds.MH() - height / 2 + fe.ascent;
    if (style.valign == EVAlign::Bottom) y = bounds.B - fe.descent;

    cairo_save(cr_);
    if (style.angle != 0.f) {
        cairo_translate(cr_, bounds.MW(), bounds.MH());
        cairo_rotate(cr_, style.angle * kDegToRad);
        cairo_translate(cr_, -bounds.MW(), -bounds.MH());
    }
    setColor(style.color);
    cairo_move_to(cr_, x, y);
    cairo_show_text(cr_, s.c_str());
    cairo_new_path(cr_);
    cairo_restore(cr_);
}

namespace {

// Pictures are pre-scaled to device pixels, but a HiDPI surface (GTK's at
// scale factor 2) scales once more below cairo's device space: copying a
// picture 1:1 has to undo that scale.
double surfaceScale(cairo_t* cr) {
    double x = 1.0, y = 1.0;
    cairo_surface_get_device_scale(cairo_get_group_target(cr), &x, &y);
    return x > 0.0 ? x : 1.0;
}

}  // namespace

void Painter::drawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame) {
    const BitmapData* data = bitmap.data();
    if (!data) return;
    cairo_surface_t* surface = data->surfaceFor(scale_);
    if (!surface) return;
    const int sw = cairo_image_surface_get_width(surface);
    const int sh = cairo_image_surface_get_height(surface);
    const int frames = bitmap.frames();
    frame = std::clamp(frame, 0, frames - 1);
    const double fw = bitmap.framesAreHorizontal() ? static_cast<double>(sw) / frames : sw;
    const double fh = bitmap.framesAreHorizontal() ? sh : static_cast<double>(sh) / frames;
    const double offX = bitmap.framesAreHorizontal() ? fw * frame : 0.0;
    const double offY = bitmap.framesAreHorizontal() ? 0.0 : fh * frame;

    // Paint in device space at whole pixels so the pre-scaled copy is copied
    // 1:1 instead of being filtered again every frame.
    const double device = surfaceScale(cr_);
    double dx = bounds.L, dy = bounds.T;
    cairo_user_to_device(cr_, &dx, &dy);
    dx = std::round(dx * device);
    dy = std::round(dy * device);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_scale(cr_, 1.0 / device, 1.0 / device);
    cairo_set_source_surface(cr_, surface, dx - offX, dy - offY);
    cairo_rectangle(cr_, dx, dy, std::round(fw), std::round(fh));
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void Painter::drawRotatedBitmap(const IBitmap& bitmap, float cx, float cy, double angleDeg) {
    const BitmapData* data = bitmap.data();
    if (!data) return;
    cairo_surface_t* surface = data->surfaceFor(scale_);
    if (!surface) return;
    const double sw = cairo_image_surface_get_width(surface);
    const double sh = cairo_image_surface_get_height(surface);
    const double device = surfaceScale(cr_);
    double dx = cx, dy = cy;
    cairo_user_to_device(cr_, &dx, &dy);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_scale(cr_, 1.0 / device, 1.0 / device);
    cairo_translate(cr_, dx * device, dy * device);
    cairo_rotate(cr_, angleDeg * kDegToRad);
    cairo_set_source_surface(cr_, surface, -sw / 2, -sh / 2);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BILINEAR);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Painter::drawSVG(const ISVG& svg, const IRECT& bounds, double angleDeg) {
    if (!svg.isValid() || bounds.empty()) return;
    cairo_save(cr_);
    if (angleDeg != 0.0) {
        cairo_translate(cr_, bounds.MW(), bounds.MH());
        cairo_rotate(cr_, angleDeg * kDegToRad);
        cairo_translate(cr_, -bounds.MW(), -bounds.MH());
    }
    const RsvgRectangle viewport{bounds.L, bounds.T, bounds.W(), bounds.H()};
    GError* error = nullptr;
    rsvg_handle_render_document(svg.handle(), cr_, &viewport, &error);
    if (error) g_error_free(error);
    cairo_restore(cr_);
}

}  // namespace igraphics
