#pragma once
// The whole window drawn at half scale into a PNG, for whoever reviews the
// pages (not compared pixel by pixel).
#include <cairo.h>

#include <filesystem>
#include <string>

#include "controls/igraphics.hpp"

namespace vornix::testing {

inline bool writePagePng(igraphics::IGraphics& g, const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 960, 600);
    cairo_t* cr = cairo_create(surface);
    g.setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight, 0.5f);
    g.setAllDirty();
    g.draw(cr, g.bounds());
    cairo_destroy(cr);
    const bool ok =
        cairo_surface_write_to_png(surface, file.string().c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace vornix::testing
