#pragma once
// Opening a file, a folder or a web address with whatever the desktop has
// for it. When nothing takes it (no PDF viewer, no browser, no file
// manager), a message box says so and gives the path or the address, so the
// user can open it another way. No GTK here: the window and the script share it.
#include <functional>
#include <string>

#include "core/platform.hpp"

namespace vornix::app {

// Starts the desktop's handler for a path or an address; false when none could be started.
using Launcher = std::function<bool(const std::string& addressOrPath)>;

// The message for a target that nothing could open, naming its path or address.
std::string cannotOpenText(const std::string& addressOrPath);

// True when `launch` opened it; otherwise the box is shown through `platform`.
bool openOrExplain(const std::string& addressOrPath, const Launcher& launch, Platform& platform);

}  // namespace vornix::app
