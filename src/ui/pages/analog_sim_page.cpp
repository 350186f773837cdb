// ANALOG SIM.: one knob; its caption says which way it smooths.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Large, 630, "SMOOTHING", param::AnalogSim, tag::AnalogSimText, "Bypass", "%",
     tag::AnalogSimCaption, "FILTER"},
};

}  // namespace

const BlockPage AnalogSim{
    .group = group::AnalogSim,
    .frameGroup = group::AnalogSim,
    .title = "ANALOG SIM.",
    .cells = Cells,
};

}  // namespace vornix::ui::pages
