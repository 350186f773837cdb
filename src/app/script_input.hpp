#pragma once
// The script's pointer and keyboard, fed to the drawing context the way the
// GTK window feeds it (desktop_window_input.cpp): a press, the moves while the
// button is down as drags from the last point, the release; the second press
// of a double-click as a double-click; one wheel event a notch.
#include <functional>
#include <string>

#include "app/script.hpp"
#include "controls/igraphics.hpp"

namespace vornix::app {

class ScriptPointer {
  public:
    // `settle` runs after every event, so that what it set off has happened
    // before the next one.
    ScriptPointer(igraphics::IGraphics& graphics, std::function<void()> settle)
        : graphics_(graphics), settle_(std::move(settle)) {}

    void press(script::Point at);
    void release(script::Point at);
    // Over the window, or a drag while the button is down.
    void move(script::Point to);
    void click(script::Point at);
    void doubleClick(script::Point at);
    void drag(script::Point from, script::Point to, int steps);
    // |notches| events, each of +1 (away from the user) or -1.
    void wheel(script::Point at, int notches, script::Modifier modifier);

  private:
    igraphics::IGraphics& graphics_;
    std::function<void()> settle_;
    script::Point last_;
    bool down_ = false;
};

// False when no text entry or menu is open to take the key.
bool pressKey(igraphics::IGraphics& graphics, script::Key key);
// Replaces the whole text of the open entry (without committing it); the
// reason when there is no entry open or the text does not fit.
std::string typeText(igraphics::IGraphics& graphics, const std::string& text);

}  // namespace vornix::app
