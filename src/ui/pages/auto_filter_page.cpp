// AUTO FILTER: level, attack and release. Turning the level up from 0 switches
// the filter on.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "LEVEL",
     .param = param::AutoFilterLevel,
     .valueTag = tag::AutoFilterLevelText,
     .placeholder = "0.00",
     .unit = "%"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "ATTACK",
     .param = param::AutoFilterAttack,
     .valueTag = tag::AutoFilterAttackText,
     .placeholder = "0.00",
     .unit = "%"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "RELEASE",
     .param = param::AutoFilterRelease,
     .valueTag = tag::AutoFilterReleaseText,
     .placeholder = "0.00",
     .unit = "%"},
};

}  // namespace

const BlockPage AutoFilter{
    .group = group::AutoFilter,
    .frameGroup = group::AutoFilter,
    .title = "AUTO FILTER",
    .cells = Cells,
};

}  // namespace vornix::ui::pages
