#pragma once
// IMPULSE RESPONSE: the nine cabinet rows with the microphone slider beside
// them, and the strips of positions 7 and 8 (MODE, gain, IMPORT of a WAV as
// the preset's own user IR).
#include <functional>

#include "controls/igraphics.hpp"

namespace vornix::ui {

struct IrPageActions {
    // IMPORT of position 7 or 8 was clicked.
    std::function<void(int position)> importUserIr;
};

void attachIrPage(igraphics::IGraphics& g, const IrPageActions& actions);

}  // namespace vornix::ui
