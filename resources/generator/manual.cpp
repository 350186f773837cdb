// Lays out the owner's manual from its plain text source onto A4 pages with cairo's PDF
// surface. The source knows a handful of line forms:
//   "= Title"       title page          "# Heading"      chapter heading
//   "## Heading"    section heading     "- item"         bullet (continues on indented lines)
//   "    code"      monospaced line     "---"            page break
//   "!figure main"  drawing of the main window
// Other lines are joined into paragraphs until a blank line.

#include <cairo-pdf.h>

#include <cmath>

#include <sstream>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

constexpr double kPageW = 595.28, kPageH = 841.89;  // A4 in points
constexpr double kLeft = 66, kRight = kPageW - 66, kTop = 78, kBottom = kPageH - 70;
constexpr double kBodySize = 10.5, kLeading = 15.2;
const std::string kManualFile = "Quellix_TRDV_VX_OM1.pdf";

class Layout {
  public:
    explicit Layout(cairo_t* cr) : cr_(cr) {}

    void title(const std::string& text);
    void heading(const std::string& text, bool chapter);
    void paragraph(const std::string& text, double indent, bool bullet);
    void code(const std::string& text);
    void figure();
    void pageBreak();
    void finish() { footer(); }

  private:
    void ensure(double height);
    void footer();
    std::vector<std::string> wrap(const std::string& text, double width);

    cairo_t* cr_;
    double y_ = kTop;
    int page_ = 1;
    bool titlePage_ = false;
    bool pageHasContent_ = false;
};

void Layout::ensure(double height) {
    if (y_ + height > kBottom) pageBreak();
}

void Layout::footer() {
    if (titlePage_) return;
    useFont(cr_, Face::Regular, 8.5);
    setColour(cr_, rgb(110, 112, 116));
    drawText(cr_, kLeft, 40, "VORNIX  |  Owner's Manual", Align::Left);
    drawText(cr_, kRight, 40, "VornixControl 1.0.0", Align::Right);
    cairo_rectangle(cr_, kLeft, 48, kRight - kLeft, 0.5);
    cairo_fill(cr_);
    drawText(cr_, kPageW / 2, kPageH - 36, std::to_string(page_), Align::Centre);
}

void Layout::pageBreak() {
    if (!pageHasContent_ && !titlePage_) return;
    footer();
    cairo_show_page(cr_);
    ++page_;
    y_ = kTop;
    titlePage_ = false;
    pageHasContent_ = false;
}

std::vector<std::string> Layout::wrap(const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr_, candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void Layout::title(const std::string& text) {
    titlePage_ = true;
    cairo_rectangle(cr_, 0, 0, kPageW, kPageH * 0.62);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kPageH * 0.62);
    addStop(p, 0, rgb(46, 48, 52));
    addStop(p, 1, rgb(18, 19, 21));
    cairo_set_source(cr_, p);
    cairo_fill(cr_);
    cairo_pattern_destroy(p);
    cairo_save(cr_);
    cairo_translate(cr_, kPageW / 2, 250);
    drawKnob(cr_, 80);
    cairo_restore(cr_);
    useFont(cr_, Face::Condensed, 54);
    setColour(cr_, palette::kPrint);
    drawSpaced(cr_, kPageW / 2, 420, "VORNIX", 8, Align::Centre);
    cairo_rectangle(cr_, kPageW / 2 - 90, 436, 180, 1.5);
    setColour(cr_, palette::kAccent);
    cairo_fill(cr_);
    useFont(cr_, Face::Regular, 13);
    setColour(cr_, palette::kPrintDim);
    drawSpaced(cr_, kPageW / 2, 462, "BASS PREAMP & EFFECTS PEDAL", 3, Align::Centre);
    useFont(cr_, Face::Bold, 24);
    setColour(cr_, rgb(30, 31, 34));
    drawText(cr_, kPageW / 2, 600, text, Align::Centre);
    useFont(cr_, Face::Regular, 12);
    setColour(cr_, rgb(90, 92, 96));
    drawText(cr_, kPageW / 2, 626, "The VornixControl editor and the vornixctl command line",
             Align::Centre);
    drawText(cr_, kPageW / 2, 644, "Version 1.0.0", Align::Centre);
    pageHasContent_ = true;
    pageBreak();
}

void Layout::heading(const std::string& text, bool chapter) {
    const double size = chapter ? 19 : 13;
    ensure(chapter ? 80 : 48);
    y_ += chapter ? (pageHasContent_ ? 18 : 0) : 8;
    useFont(cr_, chapter ? Face::Condensed : Face::Bold, size);
    if (chapter) {
        cairo_rectangle(cr_, kLeft - 12, y_ - size * 0.8, 3.5, size * 0.95);
        setColour(cr_, rgb(0, 170, 175));
        cairo_fill(cr_);
    }
    setColour(cr_, rgb(25, 26, 28));
    drawText(cr_, kLeft, y_ + size * 0.15, text, Align::Left);
    y_ += size * (chapter ? 1.5 : 1.25);
    pageHasContent_ = true;
}

void Layout::paragraph(const std::string& text, double indent, bool bullet) {
    useFont(cr_, Face::Regular, kBodySize);
    const auto lines = wrap(text, kRight - kLeft - indent);
    bool first = true;
    for (const std::string& line : lines) {
        ensure(kLeading);
        useFont(cr_, Face::Regular, kBodySize);
        setColour(cr_, rgb(35, 36, 38));
        if (bullet && first) {
            cairo_new_path(cr_);  // no stray line from the end of the previous text
            cairo_arc(cr_, kLeft + indent - 8, y_ - 3.4, 1.8, 0, 2 * M_PI);
            cairo_fill(cr_);
        }
        drawText(cr_, kLeft + indent, y_, line, Align::Left);
        y_ += kLeading;
        first = false;
    }
    y_ += bullet ? 2 : 6;
    pageHasContent_ = true;
}

void Layout::code(const std::string& text) {
    ensure(kLeading);
    cairo_rectangle(cr_, kLeft, y_ - 10.5, kRight - kLeft, 14);
    setColour(cr_, rgb(238, 240, 240));
    cairo_fill(cr_);
    useFont(cr_, Face::Mono, 9);
    setColour(cr_, rgb(20, 60, 62));
    drawText(cr_, kLeft + 8, y_, text, Align::Left);
    y_ += 14;
    pageHasContent_ = true;
}

void Layout::figure() {
    const double w = kRight - kLeft, scale = w / 1920, h = 1200 * scale;
    ensure(h + 30);
    cairo_save(cr_);
    cairo_translate(cr_, kLeft, y_);
    cairo_scale(cr_, scale, scale);
    cairo_rectangle(cr_, 0, 0, 1920, 1200);
    cairo_clip(cr_);
    drawMainBackground(cr_, false);
    struct Spot {
        double x, y, r;
    };
    for (Spot k : {Spot{769.5, 189, 50}, Spot{913.5, 189, 50}, Spot{1058, 189, 50},
                   Spot{1203, 189, 50}, Spot{1348, 189, 50}, Spot{986.5, 347.5, 50},
                   Spot{1130.5, 347.5, 50}, Spot{769.5, 347, 65}}) {
        cairo_save(cr_);
        cairo_translate(cr_, k.x, k.y);
        drawKnob(cr_, k.r);
        cairo_restore(cr_);
    }
    cairo_restore(cr_);
    y_ += h + 14;
    useFont(cr_, Face::Regular, 8.5);
    setColour(cr_, rgb(90, 92, 96));
    drawText(cr_, kLeft, y_,
             "The main window: presets on the left, the front panel at the top, "
             "the block page and the graph below.",
             Align::Left);
    y_ += 20;
    pageHasContent_ = true;
}

}  // namespace

std::vector<std::string> writeManual(const std::string& dir, const std::string& sourceText) {
    cairo_surface_t* surface =
        cairo_pdf_surface_create((dir + "/" + kManualFile).c_str(), kPageW, kPageH);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "VORNIX Owner's Manual");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "VornixControl");
    cairo_t* cr = cairo_create(surface);
    Layout layout(cr);

    std::istringstream in(sourceText);
    std::string line, para;
    double paraIndent = 0;
    bool paraBullet = false;
    auto flush = [&] {
        if (!para.empty()) layout.paragraph(para, paraIndent, paraBullet);
        para.clear();
        paraIndent = 0;
        paraBullet = false;
    };
    while (std::getline(in, line)) {
        if (line.rfind("    ", 0) == 0 && para.empty()) {
            layout.code(line.substr(4));
        } else if (line.rfind("  ", 0) == 0 && paraBullet) {
            para += " " + line.substr(2);  // continuation of a bullet
        } else if (line.empty()) {
            flush();
        } else if (line.rfind("= ", 0) == 0) {
            flush();
            layout.title(line.substr(2));
        } else if (line.rfind("## ", 0) == 0) {
            flush();
            layout.heading(line.substr(3), false);
        } else if (line.rfind("# ", 0) == 0) {
            flush();
            layout.heading(line.substr(2), true);
        } else if (line == "---") {
            flush();
            layout.pageBreak();
        } else if (line == "!figure main") {
            flush();
            layout.figure();
        } else if (line.rfind("- ", 0) == 0) {
            flush();
            para = line.substr(2);
            paraIndent = 14;
            paraBullet = true;
        } else {
            para += (para.empty() ? "" : " ") + line;
        }
    }
    flush();
    layout.finish();
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) return {};
    return {kManualFile};
}

}  // namespace vornix::resources::gen
