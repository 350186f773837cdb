// ANALOG SIM.: one knob; its caption says which way it smooths.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Large,
     .x = 630,
     .caption = "SMOOTHING",
     .param = param::AnalogSim,
     .valueTag = tag::AnalogSimText,
     .placeholder = "Bypass",
     .unit = "%",
     .captionTag = tag::AnalogSimCaption,
     .knobLabel = "FILTER"},
};

}  // namespace

const BlockPage AnalogSim{
    .group = group::AnalogSim,
    .frameGroup = group::AnalogSim,
    .title = "ANALOG SIM.",
    .cells = Cells,
};

}  // namespace vornix::ui::pages
