// GATE & MASTER LEVEL: the gate's three knobs, and the main level (turned on
// the faceplate) as the page's big value.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "THRESHOLD",
     .param = param::Gate,
     .valueTag = tag::GateThresholdText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "RATIO",
     .param = param::GateRatio,
     .valueTag = tag::GateRatioText,
     .placeholder = "1:1",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "RELEASE",
     .param = param::GateRelease,
     .valueTag = tag::GateReleaseText,
     .placeholder = "50",
     .unit = "ms"},
};

constexpr BigValue MainLevel{.bounds = {605, 1040, 855, 1100},
                             .tag = tag::LevelText,
                             .placeholder = "0%",
                             .caption = "MAIN LEVEL",
                             .captionBounds = {605, 1100, 855, 1130}};

}  // namespace

const BlockPage GateAndLevel{
    .group = group::GateAndLevel,
    .frameGroup = group::GateAndLevel,
    .title = "GATE & MASTER LEVEL",
    .wideTitle = true,
    .cells = Cells,
    .bigValue = &MainLevel,
};

}  // namespace vornix::ui::pages
