#include "controls/kept_layer.hpp"

#include <cairo.h>

#include <cmath>

#include "controls/painter.hpp"
#include "controls/pixel_grid.hpp"

namespace igraphics {

KeptLayer::~KeptLayer() {
    release();
}

void KeptLayer::release() {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
}

void KeptLayer::invalidate() {
    release();
}

void KeptLayer::paint(Painter& p, const IRECT& bounds, const DrawFn& draw) {
    cairo_t* cr = p.cr();
    cairo_surface_t* target = cairo_get_target(cr);
    const auto grid = pixelGridOf(cr);
    if (!grid) {
        draw(p);
        return;
    }
    const double deviceScale = grid->deviceScale;
    const double baseX = std::floor(grid->originX), baseY = std::floor(grid->originY);
    const double fracX = grid->originX - baseX, fracY = grid->originY - baseY;
    const double s = grid->scale;
    if (s != scale_ || deviceScale != deviceScale_ || fracX != fracX_ || fracY != fracY_ ||
        !(bounds == bounds_))
        release();

    if (!surface_) {
        scale_ = s;
        deviceScale_ = deviceScale;
        fracX_ = fracX;
        fracY_ = fracY;
        bounds_ = bounds;
        x_ = static_cast<int>(std::floor(bounds.L * s + fracX));
        y_ = static_cast<int>(std::floor(bounds.T * s + fracY));
        const int w = static_cast<int>(std::ceil(bounds.R * s + fracX)) - x_;
        const int h = static_cast<int>(std::ceil(bounds.B * s + fracY)) - y_;
        if (w <= 0 || h <= 0) return;
        surface_ = cairo_surface_create_similar_image(target, CAIRO_FORMAT_ARGB32,
                                                      static_cast<int>(w * deviceScale),
                                                      static_cast<int>(h * deviceScale));
        cairo_surface_set_device_scale(surface_, deviceScale, deviceScale);
        cairo_t* ic = cairo_create(surface_);
        // Text must come out as it would on the target: its surface's options
        // under the context's own.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_surface_get_font_options(target, options);
        cairo_font_options_t* own = cairo_font_options_create();
        cairo_get_font_options(cr, own);
        cairo_font_options_merge(options, own);
        cairo_set_font_options(ic, options);
        cairo_font_options_destroy(own);
        cairo_font_options_destroy(options);
        cairo_translate(ic, fracX - x_, fracY - y_);
        cairo_scale(ic, s, s);
        Painter q(ic, p.fonts(), p.drawScale());
        draw(q);
        cairo_destroy(ic);
        cairo_surface_flush(surface_);
    }
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, surface_, baseX + x_, baseY + y_);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace igraphics
