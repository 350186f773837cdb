#pragma once
// The main page as far as it is built today: the background picture, the
// connection status lines with RECONNECT, and the transfer progress overlay.
// The block pages, faceplate and lists join it later in the same build order.
#include <functional>

#include "controls/igraphics.hpp"

namespace vornix::ui {

namespace page_tag {
inline constexpr int ProgressCaption = 56;
inline constexpr int ProgressRing = 57;
inline constexpr int ProgressText = 58;
inline constexpr int StatusLine1 = 151;
inline constexpr int StatusLine2 = 152;
inline constexpr int StatusLine3 = 153;
}  // namespace page_tag

inline constexpr const char* ConnectingText = "Connecting to the device...";
inline constexpr const char* BackgroundPicture = "background.png";

struct MainPageActions {
    std::function<void()> reconnect;
};

// Builds the page once: does nothing when the context already holds controls,
// as a window that is opened again keeps what it has.
void buildMainPage(igraphics::IGraphics& graphics, const MainPageActions& actions);

}  // namespace vornix::ui
