#include "controls/pixel_grid.hpp"

#include <cairo.h>

#include <cmath>

namespace igraphics {

std::optional<PixelGrid> pixelGridOf(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (m.xy != 0.0 || m.yx != 0.0 || m.xx != m.yy || !(m.xx > 0.0)) return std::nullopt;
    cairo_surface_t* target = cairo_get_target(cr);
    double deviceScale = 1.0, deviceScaleY = 1.0, offsetX = 0.0, offsetY = 0.0;
    cairo_surface_get_device_scale(target, &deviceScale, &deviceScaleY);
    cairo_surface_get_device_offset(target, &offsetX, &offsetY);
    if (deviceScale != deviceScaleY || deviceScale != std::floor(deviceScale) ||
        deviceScale < 1.0 || offsetX != std::floor(offsetX) || offsetY != std::floor(offsetY))
        return std::nullopt;
    return PixelGrid{m.xx, m.x0, m.y0, deviceScale};
}

}  // namespace igraphics
