#pragma once
// The page on top of the window, for the keyboard: Escape closes it as a
// click on its X or BACK would.
#include "controls/igraphics.hpp"

namespace vornix::ui {

// Clicks the close button of the page on top: the first of the overlays'
// close buttons (About, the MIDI pages, the settings page, the firmware page)
// that a click at its centre would reach. A page that shows no close button
// (the firmware page during an update) or is covered (by the progress
// overlay) stays. False when nothing was closed.
bool closeTopPage(igraphics::IGraphics& g);

}  // namespace vornix::ui
