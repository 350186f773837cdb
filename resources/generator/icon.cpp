// The application icon, drawn with the faceplate's own knob and colours: a
// dark pedal face with one knob, its cyan range arc, and the lit readout
// bar. Written as a scalable SVG (cairo's SVG surface, from the same drawing
// code) and as PNGs at the sizes desktops look for first.
#include <cairo-svg.h>

#include <cmath>

#include "artwork.hpp"

namespace vornix::resources::gen {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Drawn on a 128-unit square; every size scales that.
constexpr double Units = 128.0;
constexpr int PngSizes[] = {48, 128, 256};

// The body: a rounded square of brushed metal with a light top edge.
void body(cairo_t* cr) {
    roundedRect(cr, 6, 6, 116, 116, 22);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 6, 0, 122);
    addStop(metal, 0.0, palette::kEdge);
    addStop(metal, 0.08, palette::kMetal);
    addStop(metal, 1.0, palette::kPanelDeep);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    setColour(cr, rgb(0, 0, 0), 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// The knob's travel, lit up to three quarters as the faceplate draws a value.
void rangeArc(cairo_t* cr, double cx, double cy, double radius) {
    const double start = Pi * 0.75, end = Pi * 2.25;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 7);
    setColour(cr, palette::kPanelDeep);
    cairo_arc(cr, cx, cy, radius, start, end);
    cairo_stroke(cr);
    setColour(cr, palette::kAccent);
    cairo_arc(cr, cx, cy, radius, start, start + (end - start) * 0.72);
    cairo_stroke(cr);
}

// The readout: a dark window with a lit cyan bar in it.
void readout(cairo_t* cr) {
    insetPanel(cr, 26, 92, 76, 18, 5, palette::kPanelDeep);
    roundedRect(cr, 34, 98.5, 60, 5, 2.5);
    setColour(cr, palette::kAccent);
    cairo_fill(cr);
}

void drawIcon(cairo_t* cr) {
    body(cr);
    rangeArc(cr, 64, 54, 36);
    cairo_save(cr);
    cairo_translate(cr, 64, 54);
    cairo_rotate(cr, Pi * 0.3);
    drawKnob(cr, 26);
    cairo_restore(cr);
    readout(cr);
}

bool writePng(const std::string& path, int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / Units, size / Units);
    drawIcon(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool writeSvg(const std::string& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), Units, Units);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace

std::vector<std::string> writeIcons(const std::string& dir, const std::string& name) {
    std::vector<std::string> files{name + ".svg"};
    if (!writeSvg(dir + "/" + files.back())) return {};
    for (const int size : PngSizes) {
        files.push_back(name + "-" + std::to_string(size) + ".png");
        if (!writePng(dir + "/" + files.back(), size)) return {};
    }
    return files;
}

}  // namespace vornix::resources::gen
