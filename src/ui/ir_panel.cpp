#include "ui/ir_panel.hpp"

#include <algorithm>
#include <cmath>

#include "device/value_texts.hpp"
#include "framework/iplug/iparam.hpp"

namespace vornix::ui::ir_panel {

namespace {
constexpr float PositionMax = 127.f;
constexpr float RowStep = 0.125f;
// Lifts each row just past the value below it, so rounding lands on the cabinet.
constexpr float RowLift = 0.004f;
}  // namespace

int rowUnderPointer(double selectValue) {
    return std::clamp(static_cast<int>(std::floor(selectValue)), 0, Rows - 1);
}

double positionOfRow(int row) {
    return static_cast<float>(row) * RowStep + RowLift;
}

double positionOfSlider(int sliderValue) {
    return (PositionMax - static_cast<float>(sliderValue)) / PositionMax;
}

int readoutOf(int position) {
    return display::irPositionReadout(position);
}

double sliderValueOf(int position) {
    return 1.0 - static_cast<float>(position) / PositionMax;
}

void setParameterFromWindow(igraphics::IGraphics& g, ParamIndex index, double normalised) {
    g.delegate().sendParameterValueFromUI(index, normalised);
    if (const iplug::IParam* p = g.delegate().getParam(index))
        g.sendParameterValueFromDelegate(index, p->normalised());
}

}  // namespace vornix::ui::ir_panel
