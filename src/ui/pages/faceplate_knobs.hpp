#pragma once
// The faceplate's knobs: eight positions, each with its layer-A and layer-B
// parameter, and at the mid-band positions one for the punch filter and one
// for the mid filter. Which two knob groups are on show is the block panel's
// showKnobLayer.
#include "controls/igraphics.hpp"

namespace vornix::ui {

void attachFaceplateKnobs(igraphics::IGraphics& g);

}  // namespace vornix::ui
