#include "controls/draw_cache.hpp"

#include <cairo.h>

#include <cmath>

#include "controls/icontrol.hpp"
#include "controls/painter.hpp"
#include "controls/pixel_grid.hpp"

namespace igraphics {

namespace {

// The ink extents of text are estimated from glyph boxes; a margin keeps
// antialiased edges inside the picture.
constexpr int kMarginPx = 2;
// A full-window panel copies no faster than it fills; keeping it would only cost memory.
constexpr long long kMaxPixels = 512LL * 512LL;

}  // namespace

DrawCache::~DrawCache() {
    release();
}

void DrawCache::release() {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
}

void DrawCache::invalidate() {
    release();
    valid_ = false;
    tooLarge_ = false;
    drawnSinceChange_ = false;
}

bool DrawCache::paint(cairo_t* cr, const Painter& painter, IControl& control, double alpha) {
    const auto grid = pixelGridOf(cr);
    if (!grid) return false;
    const double deviceScale = grid->deviceScale;
    const double baseX = std::floor(grid->originX), baseY = std::floor(grid->originY);
    const double fracX = grid->originX - baseX, fracY = grid->originY - baseY;
    if (grid->scale != scale_ || deviceScale != deviceScale_ || fracX != fracX_ ||
        fracY != fracY_) {
        release();
        valid_ = false;
        tooLarge_ = false;
    }
    if (!valid_) {
        if (tooLarge_ || !drawnSinceChange_) {
            drawnSinceChange_ = true;
            return false;
        }
        deviceScale_ = deviceScale;
        if (!build(cr, painter, control, grid->scale, fracX, fracY)) return false;
    }
    if (!surface_) return true;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, surface_, baseX + x_, baseY + y_);
    if (alpha >= 1.0) {
        cairo_paint(cr);
    } else {
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
    return true;
}

bool DrawCache::build(cairo_t* cr, const Painter& painter, IControl& control, double scale,
                      double fracX, double fracY) {
    release();
    scale_ = scale;
    fracX_ = fracX;
    fracY_ = fracY;
    // Text must come out as it would on the target: its surface's options
    // under the context's own (unhinted metrics).
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_surface_get_font_options(cairo_get_target(cr), options);
    cairo_font_options_t* own = cairo_font_options_create();
    cairo_get_font_options(cr, own);
    cairo_font_options_merge(options, own);
    cairo_font_options_destroy(own);
    auto drawOn = [&](cairo_t* c, double dx, double dy) {
        cairo_set_font_options(c, options);
        cairo_translate(c, dx, dy);
        cairo_scale(c, scale, scale);
        Painter q(c, painter.fonts(), painter.drawScale());
        control.drawTree(q);
    };

    // Rotated pictures and shadows ink outside the bounds, so measure the ink.
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* rc = cairo_create(recording);
    drawOn(rc, fracX, fracY);
    cairo_destroy(rc);
    double ex = 0, ey = 0, ew = 0, eh = 0;
    cairo_recording_surface_ink_extents(recording, &ex, &ey, &ew, &eh);
    cairo_surface_destroy(recording);

    bool kept = true;
    if (ew > 0.0 && eh > 0.0) {
        const int x0 = static_cast<int>(std::floor(ex)) - kMarginPx;
        const int y0 = static_cast<int>(std::floor(ey)) - kMarginPx;
        const double w = std::ceil(ex + ew) + kMarginPx - x0;
        const double h = std::ceil(ey + eh) + kMarginPx - y0;
        const double d = deviceScale_;
        if (w * h * d * d > static_cast<double>(kMaxPixels)) {
            kept = false;
        } else {
            surface_ = cairo_surface_create_similar_image(cairo_get_target(cr), CAIRO_FORMAT_ARGB32,
                                                          static_cast<int>(w * d),
                                                          static_cast<int>(h * d));
            cairo_surface_set_device_scale(surface_, d, d);
            cairo_t* ic = cairo_create(surface_);
            drawOn(ic, fracX - x0, fracY - y0);
            cairo_destroy(ic);
            cairo_surface_flush(surface_);
            x_ = x0;
            y_ = y0;
        }
    }
    cairo_font_options_destroy(options);
    valid_ = kept;
    tooLarge_ = !kept;
    return kept;
}

}  // namespace igraphics
