// GATE & MASTER LEVEL: the gate's three knobs, and the main level (turned on
// the faceplate) as the page's big value.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Large, 380, "THRESHOLD", param::Gate, tag::GateThresholdText, "0.00", "dB"},
    {Cell::Large, 630, "RATIO", param::GateRatio, tag::GateRatioText, "1:1", "dB"},
    {Cell::Large, 880, "RELEASE", param::GateRelease, tag::GateReleaseText, "50", "ms"},
};

constexpr BigValue MainLevel{
    {605, 1040, 855, 1100}, tag::LevelText, "0%", "MAIN LEVEL", {605, 1100, 855, 1130}};

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
