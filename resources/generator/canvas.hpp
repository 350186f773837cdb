#pragma once
// Drawing helpers shared by every picture: fonts loaded through cairo-ft, colours, rounded
// shapes, text placement, and the PNG writer that renders a picture at 1x and 2x from the same
// vector code.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vornix::resources::gen {

enum class Face { Regular, Bold, Condensed, Seg7, Mono };

// Font files are the Debian faces handed to the generator on its command line.
struct FontFiles {
    std::string regular, bold, condensed, seg7, mono;
};
bool loadFonts(const FontFiles& files);
void releaseFonts();
void useFont(cairo_t* cr, Face face, double size);

struct Rgb {
    double r, g, b;
};
constexpr Rgb rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

enum class Align { Left, Centre, Right };
// y is the baseline. Returns the advance width.
double drawText(cairo_t* cr, double x, double y, const std::string& text, Align align);
double textWidth(cairo_t* cr, const std::string& text);
// Letter-spaced caps, the way labels are screen-printed on hardware.
void drawSpaced(cairo_t* cr, double x, double y, const std::string& text, double spacing,
                Align align);

// Repeatable pseudo-random numbers, so that every build draws the same pixels.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double next();  // [0, 1)
  private:
    std::uint32_t state_;
};

// Fine horizontal grain over a rectangle that has already been filled.
void brushedGrain(cairo_t* cr, double x, double y, double w, double h, std::uint32_t seed,
                  double strength);

// A panel sunk into the surface around it: dark fill, inner shadow, light lower edge.
void insetPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill);
// A hex socket screw head.
void screw(cairo_t* cr, double cx, double cy, double radius);

using DrawFn = std::function<void(cairo_t*)>;
// Renders fn into <dir>/<name> at scale 1 and, when twoX, into "<base>@2x.<ext>" at scale 2.
// Returns false when a file cannot be written.
bool renderPicture(const std::string& dir, const std::string& name, int width, int height,
                   bool twoX, const DrawFn& fn);

}  // namespace vornix::resources::gen
