#include "controls/kept_frame.hpp"

#include <cairo.h>

#include <cmath>

#include "controls/pixel_grid.hpp"

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
    cairo_surface_t* target = cairo_get_target(cr);
    const auto grid = pixelGridOf(cr);
    if (!grid) {
        release();
        return false;
    }
    const double deviceScale = grid->deviceScale;
    const double scale = grid->scale;
    const double fracX = grid->originX - std::floor(grid->originX);
    const double fracY = grid->originY - std::floor(grid->originY);
    const int w = static_cast<int>(std::ceil(width * scale + fracX));
    const int h = static_cast<int>(std::ceil(height * scale + fracY));
    if (w <= 0 || h <= 0) {
        release();
        return false;
    }
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_surface_get_font_options(target, options);
    if (surface_ && scale == scale_ && deviceScale == deviceScale_ && fracX == fracX_ &&
        fracY == fracY_ && w == width_ && h == height_ &&
        cairo_font_options_equal(options, targetOptions_)) {
        cairo_font_options_destroy(options);
        return true;
    }
    release();
    targetOptions_ = options;
    scale_ = scale;
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
    cairo_scale(cr_, scale, scale);
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
