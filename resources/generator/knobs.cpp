// Rotary knobs. The faceplate knobs are single pictures that the control rotates, so their
// shading is kept rotation-symmetric (radial light, concentric spinning marks); the cast shadow
// and the scale are printed on the background instead, where they must not turn.

#include <cmath>
#include <fstream>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

void knurledSkirt(cairo_t* cr, double r) {
    cairo_pattern_t* body = cairo_pattern_create_radial(0, 0, r * 0.7, 0, 0, r);
    addStop(body, 0, rgb(34, 35, 38));
    addStop(body, 0.85, rgb(22, 23, 25));
    addStop(body, 1, rgb(8, 8, 9));
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Grip ridges around the edge.
    const int ridges = static_cast<int>(r * 1.6);
    cairo_set_line_width(cr, r * 0.035);
    for (int i = 0; i < ridges; ++i) {
        const double a = 2 * M_PI * i / ridges;
        cairo_move_to(cr, std::cos(a) * r * 0.84, std::sin(a) * r * 0.84);
        cairo_line_to(cr, std::cos(a) * r * 0.985, std::sin(a) * r * 0.985);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, r - 0.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
    cairo_stroke(cr);
}

void spunCap(cairo_t* cr, double r) {
    // Bevel between skirt and cap.
    cairo_pattern_t* bevel = cairo_pattern_create_radial(0, 0, r * 0.9, 0, 0, r * 1.06);
    addStop(bevel, 0, rgb(70, 72, 77));
    addStop(bevel, 1, rgb(12, 12, 13));
    cairo_arc(cr, 0, 0, r * 1.06, 0, 2 * M_PI);
    cairo_set_source(cr, bevel);
    cairo_fill(cr);
    cairo_pattern_destroy(bevel);

    cairo_pattern_t* cap = cairo_pattern_create_radial(0, 0, 0, 0, 0, r);
    addStop(cap, 0, rgb(66, 68, 72));
    addStop(cap, 0.55, rgb(48, 50, 54));
    addStop(cap, 1, rgb(30, 31, 34));
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    // Concentric lathe marks.
    cairo_set_line_width(cr, 0.35);
    for (double rr = r * 0.12; rr < r; rr += r * 0.045) {
        cairo_arc(cr, 0, 0, rr, 0, 2 * M_PI);
        const double a = std::fmod(rr * 7.3, 1.0) > 0.5 ? 0.06 : 0.03;
        cairo_set_source_rgba(cr, 1, 1, 1, a);
        cairo_stroke(cr);
    }
}

void pointer(cairo_t* cr, double r) {
    // Indicator line on the cap, continued as a notch through the skirt.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, r * 0.075);
    cairo_move_to(cr, 0, -r * 0.30);
    cairo_line_to(cr, 0, -r * 0.74);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, r * 0.05);
    cairo_move_to(cr, 0, -r * 0.32);
    cairo_line_to(cr, 0, -r * 0.73);
    setColour(cr, palette::kPrint);
    cairo_stroke(cr);
    cairo_set_line_width(cr, r * 0.045);
    cairo_move_to(cr, 0, -r * 0.86);
    cairo_line_to(cr, 0, -r * 0.98);
    setColour(cr, palette::kPrint, 0.85);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void knobPicture(cairo_t* cr, double size) {
    cairo_translate(cr, size / 2, size / 2);
    drawKnob(cr, size / 2 - 3);
}

}  // namespace

void drawKnob(cairo_t* cr, double radius) {
    knurledSkirt(cr, radius);
    spunCap(cr, radius * 0.74);
    pointer(cr, radius);
}

void addKnobPictures(std::vector<Picture>& out) {
    out.push_back({"knobrotate.png", 106, 106, true, [](cairo_t* cr) { knobPicture(cr, 106); }});
    out.push_back({"knobrotatebig.png", 136, 136, true, [](cairo_t* cr) { knobPicture(cr, 136); }});
}

std::vector<std::string> writeVectorKnob(const std::string& dir) {
    // The small gain knobs of the IR page. Pointing up; the control turns it.
    static const char* const kSvg = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="60" height="60" viewBox="0 0 60 60">
  <defs>
    <radialGradient id="cap" cx="30" cy="30" r="22" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#4a4d52"/>
      <stop offset="1" stop-color="#1e1f22"/>
    </radialGradient>
    <radialGradient id="skirt" cx="30" cy="30" r="29" gradientUnits="userSpaceOnUse">
      <stop offset="0.7" stop-color="#2a2b2e"/>
      <stop offset="1" stop-color="#0b0b0c"/>
    </radialGradient>
  </defs>
  <circle cx="30" cy="30" r="29" fill="url(#skirt)"/>
  <circle cx="30" cy="30" r="28.5" fill="none" stroke="#000000" stroke-width="1"/>
  <circle cx="30" cy="30" r="22" fill="url(#cap)"/>
  <circle cx="30" cy="30" r="22" fill="none" stroke="#5c5f64" stroke-width="0.8"/>
  <line x1="30" y1="5" x2="30" y2="20" stroke="#33ffff" stroke-width="4" stroke-linecap="round"/>
</svg>
)svg";
    const std::string name = "vector-knob.svg";
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out << kSvg;
    if (!out) return {};
    return {name};
}

}  // namespace vornix::resources::gen
