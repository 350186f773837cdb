// CHORUS: four small knobs for the modulation, and the chorus level (turned
// on the faceplate) as the page's big value.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Small, 395, "MOD. FREQ", param::ChorusRate, tag::ChorusRateText, "0.00", "Hz", -1,
     "FREQUENCY"},
    {Cell::Small, 575, "MOD. DEPTH", param::ChorusDepth, tag::ChorusDepthText, "0.00", "%"},
    {Cell::Small, 755, "DELAY SIZE", param::ChorusDelay, tag::ChorusDelayText, "0.00", "%"},
    {Cell::Small, 935, "FEEDBACK", param::ChorusFeedback, tag::ChorusFeedbackText, "0", "%"},
};

constexpr BigValue Level{
    {595, 930, 845, 990}, tag::ChorusLevelText, "Bypass", "LEVEL", {595, 990, 845, 1020}};

}  // namespace

const BlockPage Chorus{
    .group = group::Chorus,
    .frameGroup = group::Chorus,
    .title = "CHORUS",
    .cells = Cells,
    .bigValue = &Level,
};

}  // namespace vornix::ui::pages
