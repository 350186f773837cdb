#pragma once
// The window content as a PNG file, drawn on a cairo image surface: what
// --render-to writes and the script's render command.
#include <string>

#include "controls/igraphics.hpp"

namespace vornix::app {

// The whole content at `scale` (1920 x 1200 times it); false when the file
// cannot be written. The context's own draw scale is left as it was.
bool writePng(igraphics::IGraphics& graphics, double scale, const std::string& file);

}  // namespace vornix::app
