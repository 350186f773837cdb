#pragma once
// The looks that the settings pages, the MIDI pages, the firmware page, the
// About page and the title bar share.
#include <memory>

#include "controls/controls.hpp"

namespace vornix::ui {

inline constexpr const char* RegularFont = "Roboto-Regular";

// The raised grey button with a black label of the settings pages.
igraphics::IVStyle settingsButtonStyle(float labelSize);

// The small flat grey buttons with a white label: IMPORT and EXPORT of
// presets and user IRs.
igraphics::IVStyle smallButtonStyle();

// A button that draws nothing: the click catcher under a page.
igraphics::IVStyle invisibleButtonStyle();

// The number boxes of the MIDI pages: the label above the value.
igraphics::IVStyle numberBoxStyle();

// The ring that shows how far a transfer has come; it follows the editor and
// ignores the mouse, so a drag cannot move it.
std::unique_ptr<igraphics::IVKnobControl> makeProgressRing(const igraphics::IRECT& bounds,
                                                           const char* label);

// A button that acts in its end action, after its press animation.
igraphics::IControl& attachButton(igraphics::IGraphics& g, const igraphics::IRECT& bounds,
                                  const char* label, const igraphics::IVStyle& style,
                                  const char* group, std::function<void()> action,
                                  igraphics::ControlTag tag = igraphics::kNoTag);

}  // namespace vornix::ui
