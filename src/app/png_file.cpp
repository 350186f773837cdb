#include "app/png_file.hpp"

#include <cairo.h>

#include <cmath>

namespace vornix::app {

bool writePng(igraphics::IGraphics& graphics, double scale, const std::string& file) {
    const double before = graphics.drawScale();
    const auto logicalWidth = static_cast<float>(igraphics::kLogicalWidth);
    const auto logicalHeight = static_cast<float>(igraphics::kLogicalHeight);
    if (scale != before)
        graphics.setDrawScale(logicalWidth, logicalHeight, static_cast<float>(scale));
    const int width = static_cast<int>(std::lround(igraphics::kLogicalWidth * scale));
    const int height = static_cast<int>(std::lround(igraphics::kLogicalHeight * scale));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    graphics.setAllDirty();
    graphics.draw(cr, graphics.bounds());
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (scale != before)
        graphics.setDrawScale(logicalWidth, logicalHeight, static_cast<float>(before));
    return ok;
}

}  // namespace vornix::app
