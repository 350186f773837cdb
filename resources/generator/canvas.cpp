#include "canvas.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <iostream>

namespace vornix::resources::gen {
namespace {

FT_Library gLibrary = nullptr;
std::array<cairo_font_face_t*, 5> gFaces{};

cairo_font_face_t* openFace(const std::string& path) {
    FT_Face face = nullptr;
    if (FT_New_Face(gLibrary, path.c_str(), 0, &face) != 0) {
        std::cerr << "generator: cannot load font " << path << "\n";
        return nullptr;
    }
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
    // cairo keeps the FT_Face alive for as long as the cairo face lives.
    static const cairo_user_data_key_t key{};
    cairo_font_face_set_user_data(cf, &key, face,
                                  [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    return cf;
}

}  // namespace

bool loadFonts(const FontFiles& files) {
    if (FT_Init_FreeType(&gLibrary) != 0) return false;
    const std::array<const std::string*, 5> paths = {&files.regular, &files.bold, &files.condensed,
                                                     &files.seg7, &files.mono};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        gFaces[i] = openFace(*paths[i]);
        if (!gFaces[i]) return false;
    }
    return true;
}

void releaseFonts() {
    for (auto*& f : gFaces) {
        if (f) cairo_font_face_destroy(f);
        f = nullptr;
    }
    // The FreeType library stays up: cairo may still hold cached scaled fonts until exit.
}

void useFont(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, gFaces[static_cast<std::size_t>(face)]);
    cairo_set_font_size(cr, size);
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

double drawText(cairo_t* cr, double x, double y, const std::string& text, Align align) {
    const double w = textWidth(cr, text);
    if (align == Align::Centre) x -= w / 2;
    if (align == Align::Right) x -= w;
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    return w;
}

void drawSpaced(cairo_t* cr, double x, double y, const std::string& text, double spacing,
                Align align) {
    double total = 0;
    for (char c : text) total += textWidth(cr, std::string(1, c)) + spacing;
    total -= spacing;
    if (align == Align::Centre) x -= total / 2;
    if (align == Align::Right) x -= total;
    for (char c : text) {
        const std::string s(1, c);
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, s.c_str());
        x += textWidth(cr, s) + spacing;
    }
}

double Random::next() {
    // xorshift32: tiny, fast and identical on every compiler.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xFFFFFF) / double(0x1000000);
}

void brushedGrain(cairo_t* cr, double x, double y, double w, double h, std::uint32_t seed,
                  double strength) {
    Random rnd(seed);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_line_width(cr, 0.5);
    // Long full-width strokes keep each pixel row nearly constant, which PNG compresses well.
    for (double yy = y; yy < y + h; yy += 0.5) {
        const double v = rnd.next();
        const double a = strength * (0.3 + 0.7 * rnd.next());
        cairo_set_source_rgba(cr, v > 0.5 ? 1 : 0, v > 0.5 ? 1 : 0, v > 0.5 ? 1 : 0, a);
        cairo_move_to(cr, x, yy + 0.25);
        cairo_line_to(cr, x + w, yy + 0.25);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void insetPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill) {
    roundedRect(cr, x, y, w, h, r);
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, std::min(1.0, 18.0 / h), 0, 0, 0, 0);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    // Dark upper rim, light lower rim: the panel reads as recessed under a top light.
    cairo_set_line_width(cr, 1);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(rim, 0, 0, 0, 0, 0.8);
    cairo_pattern_add_color_stop_rgba(rim, 1, 1, 1, 1, 0.12);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

void screw(cairo_t* cr, double cx, double cy, double radius) {
    cairo_pattern_t* head =
        cairo_pattern_create_radial(cx - radius * 0.3, cy - radius * 0.3, 0, cx, cy, radius);
    addStop(head, 0, rgb(120, 122, 126));
    addStop(head, 1, rgb(38, 39, 42));
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    const double s = radius * 0.45;
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        cairo_line_to(cr, cx + s * std::cos(a), cy + s * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.06, 0.9);
    cairo_fill(cr);
}

bool renderPicture(const std::string& dir, const std::string& name, int width, int height,
                   bool twoX, const DrawFn& fn) {
    const auto dot = name.rfind('.');
    for (int scale = 1; scale <= (twoX ? 2 : 1); ++scale) {
        cairo_surface_t* surface =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        fn(cr);
        cairo_destroy(cr);
        const std::string file = scale == 1 ? name : name.substr(0, dot) + "@2x" + name.substr(dot);
        const cairo_status_t st = cairo_surface_write_to_png(surface, (dir + "/" + file).c_str());
        cairo_surface_destroy(surface);
        if (st != CAIRO_STATUS_SUCCESS) {
            std::cerr << "generator: cannot write " << file << ": " << cairo_status_to_string(st)
                      << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace vornix::resources::gen
