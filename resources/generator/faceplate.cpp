// The main window background: title bar with the status window, preset column, the hardware
// faceplate with its printed legends, and the frames of the block and graph panels. The
// layer-B variant is the same picture with the red second-function legends lit.
//
// Sections: window regions | faceplate body | knob legends | switches and readout

#include <cmath>
#include <utility>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

using namespace palette;

constexpr double kPlateL = 645, kPlateT = 85, kPlateR = 1630, kPlateB = 620;
constexpr double kFootDeckTop = 470;

// Knob centres, picture radii and legends: white layer A above, red layer B below.
struct KnobLegend {
    double cx, cy, radius;
    const char* labelA;
    const char* labelB;  // nullptr: the knob has no second function
    double labelBShift;  // moves the red legend clear of the layer-B lamp
};
constexpr KnobLegend kKnobs[] = {
    {769.5, 189, 53, "DRIVE", "PREAMP", 0},     {913.5, 189, 53, "LOW", "FILTER", 0},
    {1058, 189, 53, "MID", "FREQ", 0},          {1203, 189, 53, "HIGH", "Q", 8},
    {1348, 189, 53, "PRESENCE", "AMBIANCE", 0}, {986.5, 347.5, 53, "COMP", "RATIO", 0},
    {1130.5, 347.5, 53, "BLEND", "CHORUS", 0},  {769.5, 347, 68, "LEVEL", nullptr, 0},
};
constexpr double kLampCx = 1182.5, kLampCy = 268.5;
constexpr double kReadoutL = 1255, kReadoutT = 315, kReadoutR = 1383, kReadoutB = 403;

// ---- window regions ---------------------------------------------------------------------

void windowBase(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 1200);
    addStop(p, 0, rgb(24, 25, 28));
    addStop(p, 1, rgb(12, 13, 14));
    cairo_rectangle(cr, 0, 0, 1920, 1200);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Tall enough for the status window and its three lines of text.
constexpr double TitleBarHeight = 79;

void titleBar(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, TitleBarHeight);
    addStop(p, 0, rgb(48, 50, 54));
    addStop(p, 1, rgb(28, 29, 32));
    cairo_rectangle(cr, 0, 0, 1920, TitleBarHeight);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    brushedGrain(cr, 0, 0, 1920, TitleBarHeight, 7, 0.035);
    cairo_rectangle(cr, 0, TitleBarHeight - 1, 1920, 1);
    setColour(cr, rgb(0, 0, 0));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, TitleBarHeight, 1920, 1);
    setColour(cr, kAccent, 0.25);
    cairo_fill(cr);

    useFont(cr, Face::Condensed, 34);
    setColour(cr, kPrint);
    drawSpaced(cr, 26, 48, "VORNIX", 5, Align::Left);
    useFont(cr, Face::Regular, 15);
    setColour(cr, kAccentSoft);
    drawSpaced(cr, 196, 47, "CONTROL", 4, Align::Left);

    // Backlit status window: the connection lines are printed on it in black.
    // The three lines of 24 pixels from y = 5 need the window down to 75.
    insetPanel(cr, 654, 1, 412, 77, 6, rgb(18, 19, 20));
    roundedRect(cr, 657, 3, 406, 73, 4);
    cairo_pattern_t* lcd = cairo_pattern_create_linear(0, 3, 0, 76);
    addStop(lcd, 0, rgb(206, 216, 212));
    addStop(lcd, 1, rgb(178, 190, 186));
    cairo_set_source(cr, lcd);
    cairo_fill(cr);
    cairo_pattern_destroy(lcd);

    useFont(cr, Face::Regular, 13);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 1894, 42, "BASS PREAMP  /  EFFECTS EDITOR", 1.5, Align::Right);
}

void presetColumn(cairo_t* cr) {
    cairo_rectangle(cr, 0, TitleBarHeight + 1, 300, 1200 - TitleBarHeight - 1);
    setColour(cr, kPanel);
    cairo_fill(cr);
    brushedGrain(cr, 0, TitleBarHeight + 1, 300, 150, 11, 0.03);
    useFont(cr, Face::Condensed, 14);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 20, 104, "PRESET NAME", 2, Align::Left);
    insetPanel(cr, 12, 112, 256, 40, 5, kPanelDeep);
    // List and scroll track.
    insetPanel(cr, 0, 224, 300, 976, 0, rgb(14, 15, 16));
    roundedRect(cr, 272, 234, 16, 932, 8);
    setColour(cr, rgb(34, 36, 39));
    cairo_fill(cr);
    cairo_rectangle(cr, 300, TitleBarHeight + 1, 1, 1200 - TitleBarHeight - 1);
    setColour(cr, rgb(0, 0, 0));
    cairo_fill(cr);
    cairo_rectangle(cr, 301, TitleBarHeight + 1, 1, 1200 - TitleBarHeight - 1);
    setColour(cr, rgb(255, 255, 255), 0.05);
    cairo_fill(cr);
}

void sideWordmark(cairo_t* cr) {
    useFont(cr, Face::Condensed, 62);
    setColour(cr, rgb(255, 255, 255), 0.06);
    drawSpaced(cr, 473, 360, "VORNIX", 8, Align::Centre);
    useFont(cr, Face::Regular, 13);
    setColour(cr, kPrintDim, 0.45);
    drawSpaced(cr, 473, 392, "BASS PREAMP", 4, Align::Centre);
}

void lowerPanels(cairo_t* cr) {
    // Block panel: a raised tray with a header band for the page title.
    roundedRect(cr, 355, 640, 745, 520, 12);
    setColour(cr, kPanel);
    cairo_fill(cr);
    roundedRect(cr, 355.5, 640.5, 744, 519, 12);
    setColour(cr, kEdge, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_save(cr);
    roundedRect(cr, 355, 640, 745, 520, 12);
    cairo_clip(cr);
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 640, 0, 712);
    addStop(band, 0, rgb(255, 255, 255), 0.06);
    addStop(band, 1, rgb(255, 255, 255), 0);
    cairo_rectangle(cr, 355, 640, 745, 72);
    cairo_set_source(cr, band);
    cairo_fill(cr);
    cairo_restore(cr);

    // Graph panel: a deep screen inside a bezel.
    roundedRect(cr, 1170, 640, 720, 530, 12);
    setColour(cr, kPanel);
    cairo_fill(cr);
    insetPanel(cr, 1180, 650, 700, 510, 6, rgb(10, 12, 13));
}

// ---- faceplate body -----------------------------------------------------------------------

void plateShadow(cairo_t* cr) {
    for (int i = 14; i >= 1; --i) {
        roundedRect(cr, kPlateL - i, kPlateT - i + 6, kPlateR - kPlateL + 2 * i,
                    kPlateB - kPlateT + 2 * i, 18 + i);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.05);
        cairo_fill(cr);
    }
}

void plateBody(cairo_t* cr) {
    const double w = kPlateR - kPlateL, h = kPlateB - kPlateT;
    roundedRect(cr, kPlateL, kPlateT, w, h, 18);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, kPlateT, 0, kPlateB);
    addStop(metal, 0, rgb(58, 60, 65));
    addStop(metal, 0.08, rgb(46, 48, 52));
    addStop(metal, 1, rgb(30, 31, 34));
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    brushedGrain(cr, kPlateL, kPlateT, w, h, 3, 0.05);
    // Light from above: a soft sheen across the top third.
    cairo_pattern_t* sheen = cairo_pattern_create_radial(1140, 60, 40, 1140, 60, 700);
    addStop(sheen, 0, rgb(255, 255, 255), 0.07);
    addStop(sheen, 1, rgb(255, 255, 255), 0);
    roundedRect(cr, kPlateL, kPlateT, w, h, 18);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Footswitch deck: a folded, darker strip.
    cairo_save(cr);
    roundedRect(cr, kPlateL, kPlateT, w, h, 18);
    cairo_clip(cr);
    cairo_rectangle(cr, kPlateL, kFootDeckTop, w, kPlateB - kFootDeckTop);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
    cairo_fill(cr);
    cairo_rectangle(cr, kPlateL, kFootDeckTop - 1, w, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_fill(cr);
    cairo_rectangle(cr, kPlateL, kFootDeckTop, w, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
    cairo_fill(cr);
    cairo_restore(cr);
    // Edge bevel.
    cairo_set_line_width(cr, 1.5);
    roundedRect(cr, kPlateL + 0.75, kPlateT + 0.75, w - 1.5, h - 1.5, 17.5);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, kPlateT, 0, kPlateB);
    addStop(rim, 0, rgb(255, 255, 255), 0.35);
    addStop(rim, 0.3, rgb(255, 255, 255), 0.08);
    addStop(rim, 1, rgb(0, 0, 0), 0.6);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    for (double x : {kPlateL + 18, kPlateR - 18})
        for (double y : {kPlateT + 18, kPlateB - 18}) screw(cr, x, y, 6.5);
}

void plateLogo(cairo_t* cr) {
    useFont(cr, Face::Condensed, 46);
    setColour(cr, kPrint);
    drawSpaced(cr, 1518, 158, "VORNIX", 5, Align::Centre);
    cairo_rectangle(cr, 1448, 170, 140, 1.5);
    setColour(cr, kAccent, 0.7);
    cairo_fill(cr);
    useFont(cr, Face::Regular, 12);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 1518, 190, "BASS PREAMP  &  FX", 2.5, Align::Centre);
}

// ---- knob legends ---------------------------------------------------------------------------

void knobSeat(cairo_t* cr, const KnobLegend& k) {
    cairo_pattern_t* shadow =
        cairo_pattern_create_radial(k.cx, k.cy + 4, k.radius * 0.8, k.cx, k.cy + 4, k.radius + 9);
    cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.75);
    cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
    cairo_arc(cr, k.cx, k.cy + 4, k.radius + 9, 0, 2 * M_PI);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    // Scale over the knob's 300 degree travel.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i <= 10; ++i) {
        const double a = (-150 + 30 * i - 90) * M_PI / 180;
        const bool major = i == 0 || i == 5 || i == 10;
        const double r0 = k.radius + 4, r1 = k.radius + (major ? 10 : 7.5);
        cairo_move_to(cr, k.cx + r0 * std::cos(a), k.cy + r0 * std::sin(a));
        cairo_line_to(cr, k.cx + r1 * std::cos(a), k.cy + r1 * std::sin(a));
        cairo_set_line_width(cr, major ? 2 : 1.3);
        setColour(cr, kPrint, major ? 0.9 : 0.6);
        cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void legendGlow(cairo_t* cr, double x, double y, const std::string& text) {
    // Lit legends bleed a little light into the metal around them.
    for (int i = 0; i < 3; ++i) {
        for (double dx : {-1.2, 1.2})
            for (double dy : {-1.2, 1.2}) {
                setColour(cr, kRedLit, 0.09);
                drawSpaced(cr, x + dx * (i + 1), y + dy * (i + 1), text, 1.6, Align::Centre);
            }
    }
}

void knobLegends(cairo_t* cr, const KnobLegend& k, bool layerBLit) {
    const double tickTop = k.radius + 10;
    const bool bigKnob = k.labelB == nullptr;
    useFont(cr, Face::Condensed, 17);
    setColour(cr, kPrint, layerBLit ? 0.55 : 1.0);
    if (bigKnob) {
        drawSpaced(cr, k.cx, k.cy + tickTop + 20, k.labelA, 1.6, Align::Centre);
        return;
    }
    drawSpaced(cr, k.cx, k.cy - tickTop - 6, k.labelA, 1.6, Align::Centre);
    // Directly below the knob the scale leaves a gap (its travel stops 30 degrees short of
    // straight down), so the red legend can sit close under the knob.
    const double bx = k.cx + k.labelBShift, by = k.cy + k.radius + 21;
    if (layerBLit) legendGlow(cr, bx, by, k.labelB);
    setColour(cr, layerBLit ? kRedLit : kRedUnlit);
    drawSpaced(cr, bx, by, k.labelB, 1.6, Align::Centre);
}

// ---- switches and readout -------------------------------------------------------------------

void lampSocket(cairo_t* cr) {
    cairo_arc(cr, kLampCx, kLampCy, 10, 0, 2 * M_PI);
    setColour(cr, rgb(14, 14, 15));
    cairo_fill(cr);
    cairo_arc(cr, kLampCx, kLampCy, 10, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_t* lens =
        cairo_pattern_create_radial(kLampCx - 2, kLampCy - 2, 0.5, kLampCx, kLampCy, 6.5);
    addStop(lens, 0, rgb(120, 60, 58));
    addStop(lens, 1, rgb(50, 12, 10));
    cairo_arc(cr, kLampCx, kLampCy, 6.5, 0, 2 * M_PI);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
}

void switchLegend(cairo_t* cr, double cx, double baseline, const char* text, Rgb colour) {
    useFont(cr, Face::Condensed, 15);
    setColour(cr, colour);
    drawSpaced(cr, cx, baseline, text, 1.6, Align::Centre);
}

void arrow(cairo_t* cr, double cx, double cy, double dir) {
    cairo_move_to(cr, cx + dir * 5, cy);
    cairo_line_to(cr, cx - dir * 4, cy - 5);
    cairo_line_to(cr, cx - dir * 4, cy + 5);
    cairo_close_path(cr);
    setColour(cr, kPrint);
    cairo_fill(cr);
}

void switchesAndReadout(cairo_t* cr, bool layerBLit) {
    // SAVE: 48 x 48 frames at (869, 314).
    insetPanel(cr, 864, 309, 58, 58, 10, rgb(16, 16, 17));
    switchLegend(cr, 893, 388, "SAVE", kPrint);
    // Readout window.
    insetPanel(cr, kReadoutL - 12, kReadoutT - 10, kReadoutR - kReadoutL + 24,
               kReadoutB - kReadoutT + 20, 8, rgb(6, 6, 7));
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, kReadoutT - 8, 0, kReadoutB);
    addStop(glass, 0, rgb(255, 255, 255), 0.07);
    addStop(glass, 0.45, rgb(255, 255, 255), 0.0);
    roundedRect(cr, kReadoutL - 10, kReadoutT - 8, kReadoutR - kReadoutL + 20, 40, 6);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    switchLegend(cr, (kReadoutL + kReadoutR) / 2, kReadoutT - 18, "PRESET", kPrint);
    // Layer-B switch at (1459, 322), 74 x 74.
    switchLegend(cr, 1496, 418, "SHIFT", layerBLit ? kRedLit : kRedUnlit);
    // Footswitch deck, switches at x 733, 1100, 1460 and y 510, each 74 wide.
    switchLegend(cr, 770, 500, "DOWN", kPrint);
    arrow(cr, 734, 495, -1);
    switchLegend(cr, 1137, 500, "RECALL", kPrint);
    switchLegend(cr, 1497, 500, "UP", kPrint);
    arrow(cr, 1533, 495, 1);
    // Seats under the four stomp switches (the SHIFT switch uses the same picture).
    for (auto [cx, cy] :
         {std::pair{770.0, 547.0}, {1137.0, 547.0}, {1497.0, 547.0}, {1496.0, 359.0}}) {
        cairo_arc(cr, cx, cy, 36, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_fill(cr);
    }
    lampSocket(cr);
}

}  // namespace

void drawMainBackground(cairo_t* cr, bool layerBLit) {
    windowBase(cr);
    titleBar(cr);
    presetColumn(cr);
    sideWordmark(cr);
    lowerPanels(cr);
    plateShadow(cr);
    plateBody(cr);
    plateLogo(cr);
    for (const KnobLegend& k : kKnobs) {
        knobSeat(cr, k);
        knobLegends(cr, k, layerBLit);
    }
    switchesAndReadout(cr, layerBLit);
}

void addFaceplatePictures(std::vector<Picture>& out) {
    out.push_back(
        {"background.png", 1920, 1200, true, [](cairo_t* cr) { drawMainBackground(cr, false); }});
    out.push_back(
        {"backgroundred.png", 1920, 1200, true, [](cairo_t* cr) { drawMainBackground(cr, true); }});
}

}  // namespace vornix::resources::gen
