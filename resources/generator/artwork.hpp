#pragma once
// The list of pictures the generator draws, and the other things it writes.

#include <string>
#include <vector>

#include "canvas.hpp"

namespace vornix::resources::gen {

struct Picture {
    std::string name;  // file name as the pages ask for it, e.g. "knobrotate.png"
    int width;         // logical pixels of the whole file, all frames included
    int height;
    bool twoX;  // also written as "<base>@2x.png" at twice the pixels
    DrawFn draw;
};

// Palette shared by all artwork, so the pages read as one instrument.
namespace palette {
inline constexpr Rgb kWindow = rgb(17, 18, 20);
inline constexpr Rgb kPanel = rgb(27, 29, 32);
inline constexpr Rgb kPanelDeep = rgb(20, 21, 23);
inline constexpr Rgb kMetal = rgb(44, 46, 50);
inline constexpr Rgb kEdge = rgb(70, 73, 78);
inline constexpr Rgb kPrint = rgb(236, 236, 232);
inline constexpr Rgb kPrintDim = rgb(150, 152, 155);
inline constexpr Rgb kAccent = rgb(51, 255, 255);
inline constexpr Rgb kAccentSoft = rgb(100, 220, 225);
inline constexpr Rgb kRedLit = rgb(255, 72, 60);
inline constexpr Rgb kRedUnlit = rgb(196, 58, 50);
}  // namespace palette

void addKnobPictures(std::vector<Picture>& out);
void addSwitchPictures(std::vector<Picture>& out);
void addButtonPictures(std::vector<Picture>& out);
void addFaceplatePictures(std::vector<Picture>& out);
void addPagePictures(std::vector<Picture>& out);

// Knob cap as printed on the faceplate and in the manual, pointing straight up, centred at 0,0.
void drawKnob(cairo_t* cr, double radius);
// The main window background; layerBLit draws the second-function labels lit.
void drawMainBackground(cairo_t* cr, bool layerBLit);

// Non-picture outputs. Each returns the file names it wrote (relative to dir), empty on failure.
std::vector<std::string> writeVectorKnob(const std::string& dir);
std::vector<std::string> writeFactoryWavs(const std::string& dir);
std::vector<std::string> writeManual(const std::string& dir, const std::string& sourceText);
// The application icon as "<name>.svg" and "<name>-<size>.png" (48, 128, 256).
std::vector<std::string> writeIcons(const std::string& dir, const std::string& name);

}  // namespace vornix::resources::gen
