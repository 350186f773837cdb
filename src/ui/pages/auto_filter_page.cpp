// AUTO FILTER: level, attack and release. Turning the level up from 0 switches
// the filter on.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Large, 380, "LEVEL", param::AutoFilterLevel, tag::AutoFilterLevelText, "0.00", "%"},
    {Cell::Large, 630, "ATTACK", param::AutoFilterAttack, tag::AutoFilterAttackText, "0.00", "%"},
    {Cell::Large, 880, "RELEASE", param::AutoFilterRelease, tag::AutoFilterReleaseText, "0.00",
     "%"},
};

}  // namespace

const BlockPage AutoFilter{
    .group = group::AutoFilter,
    .frameGroup = group::AutoFilter,
    .title = "AUTO FILTER",
    .cells = Cells,
};

}  // namespace vornix::ui::pages
