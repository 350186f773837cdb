#pragma once
// What the script's print, param and group commands read from the window:
// one line each, or the reason the line is wrong (no control with the tag, no
// such parameter). Values are printed as the controls and the editor hold
// them; a group no control is in counts all zeros.
#include <string>

#include "core/vornix_control.hpp"
#include "ui/window_content.hpp"

namespace vornix::app {

struct Reading {
    bool ok = false;
    std::string text;  // the line to print without its line break, or the reason
};

// tag TAG text="..." value=V visible=0|1 enabled=0|1
Reading readTag(ui::WindowContent& window, ui::ControlTag tag);
// param INDEX value=V text="..."
Reading readParam(ui::WindowContent& window, const VornixControl& editor, ParamIndex index);
// group NAME shown=S hidden=H enabled=E disabled=D
Reading readGroup(ui::WindowContent& window, const std::string& name);

}  // namespace vornix::app
