#include "ui/top_page.hpp"

#include "ui/registry.hpp"

namespace vornix::ui {

namespace {

// Topmost first, as the pages are stacked.
constexpr ControlTag CloseButtons[] = {tag::AboutClose, tag::ProgramMapBack, tag::MidiCcBack,
                                       tag::GlobalSettingsClose, tag::FirmwareClose};

}  // namespace

bool closeTopPage(igraphics::IGraphics& g) {
    for (const ControlTag tag : CloseButtons) {
        igraphics::IControl* button = g.controlWithTag(tag);
        if (!button) continue;
        const igraphics::IRECT bounds = button->bounds();
        const float x = bounds.MW(), y = bounds.MH();
        if (g.controlAt(x, y) != button) continue;
        const igraphics::IMouseMod left;
        g.onMouseDown(x, y, left);
        g.onMouseUp(x, y, left);
        return true;
    }
    return false;
}

}  // namespace vornix::ui
