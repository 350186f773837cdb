// COMPRESSOR: four small knobs, auto gain and lookahead, and the threshold
// (turned on the faceplate) as the page's big value. The knobs and their
// value texts are one group, the rest of the page another.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Small, 395, "RATIO", param::CompressorRatio, tag::CompressorRatioText, "1:1", nullptr},
    {Cell::Small, 575, "OUTPUT GAIN", param::CompressorGain, tag::CompressorGainText, "0.00", "dB"},
    {Cell::Small, 755, "ATTACK", param::CompressorAttack, tag::CompressorAttackText, "5", "ms"},
    {Cell::Small, 935, "RELEASE", param::CompressorRelease, tag::CompressorReleaseText, "50", "ms"},
};

constexpr SlideSwitch Switches[] = {
    {{495, 940, 575, 980}, "AUTO GAIN", param::AutoGain, {475, 990, 595, 1020}},
    {{855, 940, 935, 980}, "LOOKAHEAD", param::Lookahead, {835, 990, 955, 1020}},
};

constexpr BigValue Threshold{{595, 930, 845, 990},
                             tag::CompressorThresholdText,
                             "Bypass",
                             "THRESHOLD",
                             {595, 990, 845, 1020}};

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
