// COMPRESSOR: four small knobs, auto gain and lookahead, and the threshold
// (turned on the faceplate) as the page's big value. The knobs and their
// value texts are one group, the rest of the page another.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Small,
     .x = 395,
     .caption = "RATIO",
     .param = param::CompressorRatio,
     .valueTag = tag::CompressorRatioText,
     .placeholder = "1:1"},
    {.size = Cell::Small,
     .x = 575,
     .caption = "OUTPUT GAIN",
     .param = param::CompressorGain,
     .valueTag = tag::CompressorGainText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Small,
     .x = 755,
     .caption = "ATTACK",
     .param = param::CompressorAttack,
     .valueTag = tag::CompressorAttackText,
     .placeholder = "5",
     .unit = "ms"},
    {.size = Cell::Small,
     .x = 935,
     .caption = "RELEASE",
     .param = param::CompressorRelease,
     .valueTag = tag::CompressorReleaseText,
     .placeholder = "50",
     .unit = "ms"},
};

constexpr SlideSwitch Switches[] = {
    {.bounds = {495, 940, 575, 980},
     .caption = "AUTO GAIN",
     .param = param::AutoGain,
     .captionBounds = {475, 990, 595, 1020}},
    {.bounds = {855, 940, 935, 980},
     .caption = "LOOKAHEAD",
     .param = param::Lookahead,
     .captionBounds = {835, 990, 955, 1020}},
};

constexpr BigValue Threshold{.bounds = {595, 930, 845, 990},
                             .tag = tag::CompressorThresholdText,
                             .placeholder = "Bypass",
                             .caption = "THRESHOLD",
                             .captionBounds = {595, 990, 845, 1020}};

}  // namespace

const BlockPage Compressor{
    .group = group::Compressor,
    .frameGroup = group::CompressorFrame,
    .title = "COMPRESSOR",
    .titleTag = tag::CompressorTitle,
    .cells = Cells,
    .switches = Switches,
    .bigValue = &Threshold,
};

}  // namespace vornix::ui::pages
