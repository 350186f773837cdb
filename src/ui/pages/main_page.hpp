#pragma once
// The main page as far as it is built today: the background picture, the
// connection status lines with RECONNECT, and the transfer progress overlay.
// The block pages, faceplate and lists join it later in the same build order.
#include <functional>

#include "controls/igraphics.hpp"

namespace vornix::ui {

inline constexpr const char* BackgroundPicture = "background.png";

struct MainPageActions {
    std::function<void()> reconnect;
};

// Builds the page once: does nothing when the context already holds controls,
// as a window that is opened again keeps what it has.
void buildMainPage(igraphics::IGraphics& graphics, const MainPageActions& actions);

}  // namespace vornix::ui
