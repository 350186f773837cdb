#pragma once
// The faceplate's switches and the layer-B lamp: SAVE, the three footswitches
// and the layer-B switch, each a two-frame picture button whose press and
// release go to the editor, which keeps the state behind them.
#include <functional>

#include "controls/igraphics.hpp"
#include "core/faceplate.hpp"

namespace vornix::ui {

// A switch went down (`down`) or came up.
using FaceSwitchAction = std::function<void(FaceSwitch which, bool down)>;

void attachFaceplateSwitches(igraphics::IGraphics& g, const FaceSwitchAction& action);

}  // namespace vornix::ui
