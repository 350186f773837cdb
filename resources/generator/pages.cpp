// Pictures of the secondary pages: the impulse-response panel with its microphone slider, the
// settings and firmware overlays, the About page and the foot-controller drawing.
//
// Sections: IR page | overlays | foot controller

#include <cmath>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

using namespace palette;

// ---- IR page ---------------------------------------------------------------------------------
// irbg.png sits at (429, 705); the list rows are at window y 713 + 50 i, 43 high, so at
// y 8 + 50 i inside the picture. The strips of positions 7 and 8 hold the MODE switch
// (x 740), gain knob (815), gain value box (905) and IMPORT (984), window coordinates.

constexpr double kIrX = 429, kIrY = 705;
constexpr const char* kIrRowLabels[] = {"Off", "1", "2", "3", "4", "5", "6", "7", "8"};

void irRows(cairo_t* cr) {
    for (int i = 0; i < 9; ++i) {
        const double y = 8 + 50 * i;
        roundedRect(cr, 14, y, 290, 43, 6);
        setColour(cr, i % 2 ? rgb(30, 32, 35) : rgb(25, 27, 30));
        cairo_fill(cr);
        roundedRect(cr, 16, y + 6, 44, 31, 5);
        setColour(cr, rgb(14, 15, 16));
        cairo_fill(cr);
        useFont(cr, Face::Condensed, 18);
        setColour(cr, i == 0 ? kPrintDim : kAccentSoft);
        drawText(cr, 38, y + 28, kIrRowLabels[i], Align::Centre);
    }
}

void irStrip(cairo_t* cr, double rowY, int position) {
    const double x = 736 - kIrX, y = rowY - kIrY;
    insetPanel(cr, x, y, 630 - x - 4, 43, 6, rgb(16, 17, 19));
    useFont(cr, Face::Condensed, 12);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 852 - kIrX, y + 26, "GAIN", 1.2, Align::Left);
    roundedRect(cr, 898 - kIrX, y + 6, 62, 31, 4);
    setColour(cr, rgb(6, 7, 8));
    cairo_fill_preserve(cr);
    setColour(cr, kAccent, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    useFont(cr, Face::Condensed, 14);
    setColour(cr, kPrintDim);
    drawText(cr, 964 - kIrX, y + 27, "dB", Align::Left);
    (void)position;
}

void irPage(cairo_t* cr) {
    roundedRect(cr, 0, 0, 630, 460, 10);
    setColour(cr, rgb(20, 22, 24));
    cairo_fill(cr);
    irRows(cr);
    // Caption column on the right of the list.
    useFont(cr, Face::Condensed, 15);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 330, 36, "CABINET POSITION", 1.5, Align::Left);
    useFont(cr, Face::Regular, 14);
    setColour(cr, kPrintDim, 0.8);
    const char* const lines[] = {"Click a row or drag the",
                                 "microphone to choose the",
                                 "cabinet. Between two rows",
                                 "the neighbours cross-fade.",
                                 "",
                                 "Positions 7 and 8 can play",
                                 "a user IR: switch MODE and",
                                 "IMPORT a WAV file."};
    double y = 66;
    for (const char* l : lines) {
        drawText(cr, 330, y, l, Align::Left);
        y += 21;
    }
    irStrip(cr, 1063, 7);
    irStrip(cr, 1113, 8);
    useFont(cr, Face::Condensed, 12);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 770 - kIrX, 1052 - kIrY, "MODE", 1.2, Align::Centre);
}

void micHandle(cairo_t* cr) {
    // A side-on microphone, grille toward the list on the right.
    roundedRect(cr, 3, 10, 26, 10, 4);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 10, 0, 20);
    addStop(body, 0, rgb(120, 123, 128));
    addStop(body, 0.5, rgb(60, 62, 66));
    addStop(body, 1, rgb(25, 26, 28));
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    roundedRect(cr, 26, 6, 21, 18, 8);
    cairo_pattern_t* head = cairo_pattern_create_linear(0, 6, 0, 24);
    addStop(head, 0, rgb(210, 212, 216));
    addStop(head, 0.5, rgb(130, 133, 138));
    addStop(head, 1, rgb(50, 52, 56));
    cairo_set_source(cr, head);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(head);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.6);
    for (double gx = 29; gx < 46; gx += 2.5) {
        cairo_move_to(cr, gx, 8);
        cairo_line_to(cr, gx, 22);
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_stroke(cr);
    cairo_rectangle(cr, 24, 9, 2.5, 12);
    setColour(cr, kAccent, 0.9);
    cairo_fill(cr);
}

void micTrack(cairo_t* cr) {
    roundedRect(cr, 20, 4, 10, 424, 5);
    setColour(cr, rgb(8, 9, 10));
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // One tick per list row: the handle centre travels from y 15 to y 417.
    for (int i = 0; i <= 8; ++i) {
        const double y = 15 + 402.0 * i / 8;
        cairo_rectangle(cr, 4, y - 0.75, 11, 1.5);
        cairo_rectangle(cr, 35, y - 0.75, 11, 1.5);
        setColour(cr, kPrintDim, 0.7);
        cairo_fill(cr);
    }
}

// ---- overlays ---------------------------------------------------------------------------------

void dimmer(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source_rgba(cr, 0.02, 0.02, 0.03, 0.78);
    cairo_fill(cr);
}

void card(cairo_t* cr, double x, double y, double w, double h, const char* title) {
    for (int i = 20; i >= 1; i -= 2) {
        roundedRect(cr, x - i, y - i + 8, w + 2 * i, h + 2 * i, 16 + i);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.06);
        cairo_fill(cr);
    }
    roundedRect(cr, x, y, w, h, 16);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(p, 0, rgb(46, 48, 52));
    addStop(p, 1, rgb(26, 27, 30));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    brushedGrain(cr, x, y, w, 80, 19, 0.03);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 16);
    setColour(cr, kEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (title) {
        cairo_rectangle(cr, x + 40, y + 28, 4, 26);
        setColour(cr, kAccent);
        cairo_fill(cr);
        useFont(cr, Face::Condensed, 28);
        setColour(cr, kPrint);
        drawSpaced(cr, x + 56, y + 51, title, 2.5, Align::Left);
    }
}

void settingsPage(cairo_t* cr) {
    dimmer(cr, 1920, 1200);
    // The MIDI pages share this picture and lay their tables where the
    // settings page has its rows: the settings page draws its own dividers.
    card(cr, 700, 150, 820, 740, "DEVICE SETTINGS");
    useFont(cr, Face::Regular, 13);
    setColour(cr, kPrintDim);
    drawText(cr, 1110, 872, "Changes are sent to the pedal at once.", Align::Centre);
}

void firmwarePage(cairo_t* cr) {
    // The page lays its controls over this: the web link at (748, 346), X at (1508, 310),
    // UPDATE FIRMWARE at (1000, 650) and the progress ring below it at (1010, 710).
    dimmer(cr, 1920, 1200);
    card(cr, 700, 200, 900, 720, "FIRMWARE UPDATE");
    cairo_rectangle(cr, 740, 290, 820, 1);
    setColour(cr, kEdge);
    cairo_fill(cr);
    useFont(cr, Face::Regular, 19);
    setColour(cr, kPrint);
    drawText(cr, 748, 334, "1.  Download the latest firmware file (.bin) from:", Align::Left);
    const char* const steps[] = {
        "2.  Connect the pedal over USB and keep it powered.",
        "3.  Press UPDATE FIRMWARE and choose the file.",
        "4.  Wait until the progress ring reaches 100 %.",
    };
    double y = 440;
    for (const char* s : steps) {
        drawText(cr, 748, y, s, Align::Left);
        y += 44;
    }
    roundedRect(cr, 748, 650, 230, 230, 10);
    setColour(cr, rgb(70, 22, 20), 0.55);
    cairo_fill(cr);
    useFont(cr, Face::Condensed, 17);
    setColour(cr, kRedLit);
    drawSpaced(cr, 766, 684, "DO NOT DISCONNECT", 1.5, Align::Left);
    drawSpaced(cr, 766, 706, "THE PEDAL", 1.5, Align::Left);
    useFont(cr, Face::Regular, 15);
    setColour(cr, kPrint, 0.8);
    const char* const advice[] = {"Keep the USB cable in and",  "the pedal switched on until",
                                  "the update has finished.",   "",
                                  "If an update fails, switch", "the pedal off and on and",
                                  "run it again with the same", "file."};
    y = 740;
    for (const char* a : advice) {
        drawText(cr, 766, y, a, Align::Left);
        y += 18;
    }
}

void aboutPage(cairo_t* cr) {
    dimmer(cr, 1920, 1200);
    card(cr, 520, 220, 920, 580, nullptr);
    // The version text is drawn by the page at (1275, 310)-(1375, 360), beside the name.
    useFont(cr, Face::Condensed, 64);
    setColour(cr, kPrint);
    drawSpaced(cr, 600, 355, "VORNIX", 7, Align::Left);
    useFont(cr, Face::Regular, 38);
    setColour(cr, kAccentSoft);
    drawSpaced(cr, 880, 353, "CONTROL", 6, Align::Left);
    cairo_rectangle(cr, 600, 385, 720, 1.5);
    setColour(cr, kAccent, 0.6);
    cairo_fill(cr);
    useFont(cr, Face::Regular, 20);
    setColour(cr, kPrint);
    const char* const lines[] = {
        "Editor for the VORNIX bass preamp and effects pedal.",
        "Presets, cabinet impulse responses, device settings,",
        "MIDI mapping, backups and firmware updates over USB MIDI.",
    };
    double y = 440;
    for (const char* l : lines) {
        drawText(cr, 600, y, l, Align::Left);
        y += 34;
    }
    cairo_save(cr);
    cairo_translate(cr, 1230, 560);
    drawKnob(cr, 70);
    cairo_restore(cr);
    useFont(cr, Face::Regular, 15);
    setColour(cr, kPrintDim);
    drawText(cr, 600, 700, "Fonts: Roboto (Apache License 2.0), DSEG (SIL Open Font License 1.1).",
             Align::Left);
    drawText(cr, 600, 726, "Click anywhere to close.", Align::Left);
}

// ---- foot controller --------------------------------------------------------------------------

void footController(cairo_t* cr) {
    roundedRect(cr, 4, 8, 504, 108, 12);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 8, 0, 116);
    addStop(p, 0, rgb(62, 64, 69));
    addStop(p, 1, rgb(26, 27, 30));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, rgb(0, 0, 0));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    brushedGrain(cr, 4, 8, 504, 108, 23, 0.04);
    roundedRect(cr, 20, 20, 96, 40, 4);
    setColour(cr, rgb(6, 7, 8));
    cairo_fill(cr);
    useFont(cr, Face::Seg7, 24);
    setColour(cr, kAccent);
    drawText(cr, 108, 52, "012", Align::Right);
    useFont(cr, Face::Condensed, 11);
    setColour(cr, kPrintDim);
    drawSpaced(cr, 68, 80, "MIDI PROGRAM", 1, Align::Centre);
    for (int i = 0; i < 5; ++i) {
        const double cx = 160 + 74 * i;
        cairo_arc(cr, cx, 26, 4, 0, 2 * M_PI);
        setColour(cr, i == 2 ? kAccent : rgb(30, 50, 52));
        cairo_fill(cr);
        cairo_arc(cr, cx, 72, 22, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        cairo_pattern_t* dome = cairo_pattern_create_radial(cx - 6, 64, 2, cx, 72, 18);
        addStop(dome, 0, rgb(235, 236, 240));
        addStop(dome, 1, rgb(60, 62, 66));
        cairo_arc(cr, cx, 72, 17, 0, 2 * M_PI);
        cairo_set_source(cr, dome);
        cairo_fill(cr);
        cairo_pattern_destroy(dome);
        useFont(cr, Face::Condensed, 11);
        setColour(cr, kPrintDim);
        drawText(cr, cx, 109, std::to_string(i + 1), Align::Centre);
    }
}

}  // namespace

void addPagePictures(std::vector<Picture>& out) {
    out.push_back({"irbg.png", 630, 460, true, irPage});
    out.push_back({"mic.png", 50, 30, true, micHandle});
    out.push_back({"micbg.png", 50, 432, true, micTrack});
    out.push_back({"globalbg.png", 1920, 1200, true, settingsPage});
    out.push_back({"fwbg.png", 1920, 1200, true, firmwarePage});
    out.push_back({"about.png", 1920, 1200, true, aboutPage});
    out.push_back({"midiferrok.png", 512, 120, true, footController});
}

}  // namespace vornix::resources::gen
