// Two-frame switch pictures (frame 0 up, frame 1 down and lit, stacked vertically), the lamp,
// and the amplifier-model and ambience-type picture buttons.

#include <cmath>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

constexpr int kFootSize = 74;
constexpr int kSaveSize = 48;
constexpr int kButtonFrameHeight = 71;

void glow(cairo_t* cr, double cx, double cy, double r0, double r1, Rgb c, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    addStop(g, 0, c, alpha);
    addStop(g, 1, c, 0);
    cairo_arc(cr, cx, cy, r1, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void footswitchFrame(cairo_t* cr, bool down) {
    const double c = kFootSize / 2.0;
    if (down) glow(cr, c, c, 26, 37, palette::kAccent, 0.45);
    // Threaded bushing nut.
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = M_PI / 6 + i * M_PI / 3;
        cairo_line_to(cr, c + 29 * std::cos(a), c + 29 * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* nut = cairo_pattern_create_linear(0, c - 29, 0, c + 29);
    addStop(nut, 0, rgb(150, 153, 158));
    addStop(nut, 0.5, rgb(82, 84, 88));
    addStop(nut, 1, rgb(40, 41, 44));
    cairo_set_source(cr, nut);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(nut);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Chrome actuator; pressed, it sits lower, so it looks smaller and catches less light.
    const double r = down ? 17.5 : 19.5;
    cairo_arc(cr, c, c + (down ? 1 : 0), r + 2, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_fill(cr);
    cairo_pattern_t* dome =
        cairo_pattern_create_radial(c - r * 0.35, c - r * 0.45, r * 0.1, c, c, r);
    addStop(dome, 0, down ? rgb(190, 192, 196) : rgb(250, 250, 252));
    addStop(dome, 0.45, down ? rgb(110, 112, 116) : rgb(160, 163, 168));
    addStop(dome, 1, down ? rgb(40, 41, 44) : rgb(58, 60, 64));
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    cairo_set_source(cr, dome);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    cairo_arc(cr, c, c, r * 0.55, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, down ? 0.05 : 0.12);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (down) {
        cairo_arc(cr, c, c, 31.5, 0, 2 * M_PI);
        setColour(cr, palette::kAccent, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void saveFrame(cairo_t* cr, bool down) {
    const double s = kSaveSize;
    if (down) glow(cr, s / 2, s / 2, 14, 24, palette::kAccent, 0.5);
    const double inset = down ? 7 : 6;
    roundedRect(cr, inset, inset, s - 2 * inset, s - 2 * inset, 7);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, inset, 0, s - inset);
    addStop(body, 0, down ? rgb(40, 60, 62) : rgb(78, 80, 85));
    addStop(body, 1, down ? rgb(18, 30, 32) : rgb(28, 29, 32));
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColour(cr, down ? palette::kAccent : rgb(10, 10, 11), down ? 0.9 : 1.0);
    cairo_set_line_width(cr, down ? 1.5 : 1);
    cairo_stroke(cr);
    // Window of the built-in lamp.
    roundedRect(cr, s / 2 - 9, s / 2 - 2, 18, 4, 2);
    setColour(cr, down ? palette::kAccent : rgb(18, 40, 42));
    cairo_fill(cr);
}

void lampPicture(cairo_t* cr) {
    const double c = 12.5;
    glow(cr, c, c, 4, 12.5, palette::kRedLit, 0.7);
    cairo_pattern_t* lens = cairo_pattern_create_radial(c - 2, c - 2, 0.5, c, c, 6.5);
    addStop(lens, 0, rgb(255, 235, 225));
    addStop(lens, 0.4, rgb(255, 70, 55));
    addStop(lens, 1, rgb(170, 20, 15));
    cairo_arc(cr, c, c, 6.5, 0, 2 * M_PI);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
}

template <typename Frame>
DrawFn twoFrames(Frame frame, double frameHeight) {
    return [frame, frameHeight](cairo_t* cr) {
        frame(cr, false);
        cairo_translate(cr, 0, frameHeight);
        frame(cr, true);
    };
}

// A picture button: a pill carrying the name, lit in the accent colour when selected. The
// frame is taller than the pill because the two rows of buttons overlap by half a frame.
void pillFrame(cairo_t* cr, double width, const std::string& label, bool lit) {
    const double pw = 128, ph = 31;
    const double x = width - pw - 6, y = (kButtonFrameHeight - ph) / 2;
    if (lit) {
        for (int i = 4; i >= 1; --i) {
            roundedRect(cr, x - i, y - i, pw + 2 * i, ph + 2 * i, ph / 2 + i);
            setColour(cr, palette::kAccent, 0.06);
            cairo_fill(cr);
        }
    }
    roundedRect(cr, x, y, pw, ph, ph / 2);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + ph);
    addStop(body, 0, lit ? rgb(24, 78, 82) : rgb(52, 54, 58));
    addStop(body, 1, lit ? rgb(10, 40, 44) : rgb(30, 31, 34));
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColour(cr, lit ? palette::kAccent : rgb(12, 12, 13), lit ? 0.95 : 1.0);
    cairo_set_line_width(cr, lit ? 1.5 : 1);
    cairo_stroke(cr);
    if (!lit) {
        roundedRect(cr, x + 1.5, y + 1.5, pw - 3, ph - 3, ph / 2 - 1.5);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.06);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    useFont(cr, Face::Condensed, 17);
    setColour(cr, lit ? rgb(210, 255, 255) : palette::kPrintDim);
    drawSpaced(cr, x + pw / 2, y + ph / 2 + 6, label, 1.2, Align::Centre);
}

struct ButtonSpec {
    const char* file;
    const char* label;
    int width;
    bool twoX;
};

// First column buttons are wider: they start at the panel edge, the pill keeps the pitch.
constexpr ButtonSpec kButtons[] = {
    {"amp-orvel.png", "ORVEL", 163, true},           {"amp-kestrin.png", "KESTRIN", 140, true},
    {"amp-palomir.png", "PALOMIR", 140, true},       {"amp-tessaly.png", "TESSALY", 140, true},
    {"amp-vindro.png", "VINDRO", 140, true},         {"amp-marrock.png", "MARROCK", 163, true},
    {"amp-belvane.png", "BELVANE", 140, true},       {"amp-corvash.png", "CORVASH", 140, true},
    {"amp-drennic.png", "DRENNIC", 140, true},       {"amp-halcyra.png", "HALCYRA", 140, true},
    {"radio-room.png", "ROOM", 163, true},           {"radio-hall.png", "HALL", 140, true},
    {"radio-spring.png", "SPRING", 140, true},       {"radio-plate.png", "PLATE", 140, true},
    {"radio-chorus.png", "CHORUS", 140, true},       {"radio-echo.png", "ECHO", 163, true},
    {"radio-echoverb.png", "ECHO-VERB", 140, false},
};

}  // namespace

void addSwitchPictures(std::vector<Picture>& out) {
    out.push_back(
        {"fswitch.png", kFootSize, 2 * kFootSize, true, twoFrames(footswitchFrame, kFootSize)});
    out.push_back({"save.png", kSaveSize, 2 * kSaveSize, true, twoFrames(saveFrame, kSaveSize)});
    out.push_back({"led.png", 25, 25, true, lampPicture});
}

void addButtonPictures(std::vector<Picture>& out) {
    for (const ButtonSpec& b : kButtons) {
        const double w = b.width;
        const std::string label = b.label;
        out.push_back(
            {b.file, b.width, 2 * kButtonFrameHeight, b.twoX,
             twoFrames([w, label](cairo_t* cr, bool lit) { pillFrame(cr, w, label, lit); },
                       kButtonFrameHeight)});
    }
}

}  // namespace vornix::resources::gen
