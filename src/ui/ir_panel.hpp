#pragma once
// The impulse-response page's rules: which IR position a cabinet row or the
// microphone slider picks, what the readout shows for a position, and where
// the slider's handle sits for it. Single precision where it decides which
// value a row lands on.
#include "controls/igraphics.hpp"
#include "device/param_index.hpp"

namespace vornix::ui::ir_panel {

inline constexpr int Rows = 9;  // the flat response and cabinets 1-8

// The row under the list select's value (0-9; its bottom edge gives 9).
int rowUnderPointer(double selectValue);
// The normalised IR position of row 0-8: after rounding, 1, 16, 32 ... 127,
// each exactly one cabinet (row 0 the flat response).
double positionOfRow(int row);
// The normalised IR position of the slider's value 0-127: its top gives 0.
double positionOfSlider(int sliderValue);
// The readout for IR position 0-127: 00 for the flat response, 10 to 80
// for the cabinets.
int readoutOf(int position);
// The slider's normalised value for IR position 0-127 (the handle at the
// top for 0).
double sliderValueOf(int position);

// Sets a parameter as a gesture on one of its controls would: the editor
// hears it at once and every control bound to it shows it.
void setParameterFromWindow(igraphics::IGraphics& g, ParamIndex index, double normalised);

}  // namespace vornix::ui::ir_panel
