#pragma once
// Help > About: the page's About panel when the window has one, else a box.
// Shared by the GTK menu and the script's "menu about"; no GTK here.
#include <string>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "ui/page_presenter.hpp"

namespace vornix::app {

inline constexpr const char* ProgramName = "VornixControl";

// The About box of the shell: two lines, the second "Built on <date>".
std::string aboutText();

// `view` is null while no window content is open.
void showAbout(VornixControl& editor, const ui::PagePresenter* view, Platform& platform);

}  // namespace vornix::app
