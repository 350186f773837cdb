// CHORUS: four small knobs for the modulation, and the chorus level (turned
// on the faceplate) as the page's big value.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Small,
     .x = 395,
     .caption = "MOD. FREQ",
     .param = param::ChorusRate,
     .valueTag = tag::ChorusRateText,
     .placeholder = "0.00",
     .unit = "Hz",
     .knobLabel = "FREQUENCY"},
    {.size = Cell::Small,
     .x = 575,
     .caption = "MOD. DEPTH",
     .param = param::ChorusDepth,
     .valueTag = tag::ChorusDepthText,
     .placeholder = "0.00",
     .unit = "%"},
    {.size = Cell::Small,
     .x = 755,
     .caption = "DELAY SIZE",
     .param = param::ChorusDelay,
     .valueTag = tag::ChorusDelayText,
     .placeholder = "0.00",
     .unit = "%"},
    {.size = Cell::Small,
     .x = 935,
     .caption = "FEEDBACK",
     .param = param::ChorusFeedback,
     .valueTag = tag::ChorusFeedbackText,
     .placeholder = "0",
     .unit = "%"},
};

constexpr BigValue Level{.bounds = {595, 930, 845, 990},
                         .tag = tag::ChorusLevelText,
                         .placeholder = "Bypass",
                         .caption = "LEVEL",
                         .captionBounds = {595, 990, 845, 1020}};

}  // namespace

const BlockPage Chorus{
    .group = group::Chorus,
    .frameGroup = group::Chorus,
    .title = "CHORUS",
    .cells = Cells,
    .bigValue = &Level,
};

}  // namespace vornix::ui::pages
