#include "app/about.hpp"

#include "ui/registry.hpp"

namespace vornix::app {

std::string aboutText() {
    return std::string(ProgramName) + " " VORNIX_VERSION " - editor for the Vornix bass preamp\n" +
           "Built on " + __DATE__;
}

void showAbout(VornixControl& editor, const ui::PagePresenter* view, Platform& platform) {
    if (view && view->hasGroup(ui::group::About) && editor.aboutRequested()) return;
    platform.messageBox(aboutText(), ProgramName, Buttons::Ok, {});
}

}  // namespace vornix::app
