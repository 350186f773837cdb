#pragma once
// --render-to: the window's content drawn into a PNG file without a display.
// No GTK here: the content is the same drawing context the window shows, on
// a cairo image surface.
#include "app/launch_options.hpp"

namespace vornix::app {

// 0 when the file was written, 1 otherwise (the reason on stderr).
int renderToPng(const Options& options);

}  // namespace vornix::app
