#pragma once
// vornix-control with a window: one instance per data folder, the host and
// the editor, the main window and its menu, the GTK main loop, shutdown.
#include "app/about.hpp"
#include "app/launch_options.hpp"

namespace vornix::app {

// Exit codes: 0 after the window closed or when another instance was raised,
// 1 when start-up failed.
int runApplication(const Options& options, int& argc, char**& argv);

}  // namespace vornix::app
