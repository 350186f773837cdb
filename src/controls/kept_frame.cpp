#include "controls/kept_frame.hpp"

#include <cairo.h>

#include <cmath>

namespace igraphics {

KeptFrame::~KeptFrame() {
    release();
}

void KeptFrame::release() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    if (targetOptions_) cairo_font_options_destroy(targetOptions_);
    cr_ = nullptr;
    surface_ = nullptr;
    targetOptions_ = nullptr;
}

bool KeptFrame::fit(cairo_t* cr, double width, double height, bool& fresh) {
    fresh = false;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_surface_t* target = cairo_get_target(cr);
    double deviceScale = 1.0, deviceScaleY = 1.0, offsetX = 0.0, offsetY = 0.0;
    cairo_surface_get_device_scale(target, &deviceScale, &deviceScaleY);
    cairo_surface_get_device_offset(target, &offsetX, &offsetY);
    // Only a frame whose pixels land on the target's pixels copies 1:1.
    if (m.xy != 0.0 || m.yx != 0.0 || m.xx != m.yy || !(m.xx > 0.0) ||
        deviceScale != deviceScaleY || deviceScale != std::floor(deviceScale) ||
        deviceScale < 1.0 || offsetX != std::floor(offsetX) || offsetY != std::floor(offsetY)) {
        release();
        return false;
    }
    const double fracX = m.x0 - std::floor(m.x0), fracY = m.y0 - std::floor(m.y0);
    const int w = static_cast<int>(std::ceil(width * m.xx + fracX));
    const int h = static_cast<int>(std::ceil(height * m.xx + fracY));
    if (w <= 0 || h <= 0) {
        release();
        return false;
    }
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_surface_get_font_options(target, options);
    if (surface_ && m.xx == scale_ && deviceScale == deviceScale_ && fracX == fracX_ &&
        fracY == fracY_ && w == width_ && h == height_ &&
        cairo_font_options_equal(options, targetOptions_)) {
        cairo_font_options_destroy(options);
        return true;
    }
    release();
    targetOptions_ = options;
    scale_ = m.xx;
    deviceScale_ = deviceScale;
    fracX_ = fracX;
    fracY_ = fracY;
    width_ = w;
    height_ = h;
    surface_ = cairo_surface_create_similar_image(target, CAIRO_FORMAT_ARGB32,
                                                  static_cast<int>(w * deviceScale),
                                                  static_cast<int>(h * deviceScale));
    cairo_surface_set_device_scale(surface_, deviceScale, deviceScale);
    cr_ = cairo_create(surface_);
    cairo_translate(cr_, fracX, fracY);
    cairo_scale(cr_, m.xx, m.xx);
    fresh = true;
    return true;
}

void KeptFrame::clipToPixels(double x, double y, double w, double h) const {
    double x0 = x, y0 = y, x1 = x + w, y1 = y + h;
    cairo_user_to_device(cr_, &x0, &y0);
    cairo_user_to_device(cr_, &x1, &y1);
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    cairo_identity_matrix(cr_);
    x0 = std::floor(x0);
    y0 = std::floor(y0);
    cairo_rectangle(cr_, x0, y0, std::ceil(x1) - x0, std::ceil(y1) - y0);
    cairo_clip(cr_);
    cairo_set_matrix(cr_, &m);
}

void KeptFrame::copyTo(cairo_t* cr, double x, double y, double w, double h) const {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, surface_, std::floor(m.x0), std::floor(m.y0));
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace igraphics
