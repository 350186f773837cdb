#pragma once
// Turns a block page's description into controls on the drawing context.
#include <functional>

#include "controls/igraphics.hpp"
#include "ui/page_model.hpp"

namespace vornix::ui {

inline constexpr const char* PageFont = "Fontknow";

igraphics::IText textStyle(Style style);
// The two-state slide switches of the pages.
igraphics::IVStyle switchStyle();

// A picture button was pressed (value 1) or released (value 0).
using ButtonAction = std::function<void(igraphics::IControl& button)>;

// Attaches the page's controls: title, cells left to right (caption, knob,
// value text, unit), switches, the big value, then the picture buttons.
void attachBlockPage(igraphics::IGraphics& g, const BlockPage& page,
                     const ButtonAction& buttonAction = nullptr);

}  // namespace vornix::ui
