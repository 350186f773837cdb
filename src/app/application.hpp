#pragma once
// vornix-control with a window: one instance per data folder, the host and
// the editor, the main window and its menu, the GTK main loop, shutdown.
#include "app/options.hpp"

namespace vornix::app {

inline constexpr const char* ProgramName = "VornixControl";

// Exit codes: 0 after the window closed or when another instance was raised,
// 1 when start-up failed.
int runApplication(const Options& options, int& argc, char**& argv);

// The About box of the shell: two lines, the second "Built on <date>".
std::string aboutText();

}  // namespace vornix::app
