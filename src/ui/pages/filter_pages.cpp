// The filter bands: gain, frequency and quality each. The punch page is the
// mid band of the amplifier models that voice it with the punch filter, so
// it carries the mid band's title.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell PunchCells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "GAIN",
     .param = param::Punch,
     .valueTag = tag::PunchGainText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "FREQUENCY",
     .param = param::PunchFreq,
     .valueTag = tag::PunchFreqText,
     .placeholder = "0.00",
     .unit = "Hz"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "QUALITY",
     .param = param::PunchQ,
     .valueTag = tag::PunchQText,
     .placeholder = "0.00",
     .unit = "Level"},
};

constexpr KnobCell LowCells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "GAIN",
     .param = param::Low,
     .valueTag = tag::LowGainText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "FREQUENCY",
     .param = param::LowFreq,
     .valueTag = tag::LowFreqText,
     .placeholder = "0.00",
     .unit = "Hz"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "QUALITY",
     .param = param::LowQ,
     .valueTag = tag::LowQText,
     .placeholder = "0.00",
     .unit = "Level"},
};

constexpr KnobCell MidCells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "GAIN",
     .param = param::Mid,
     .valueTag = tag::MidGainText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "FREQUENCY",
     .param = param::MidShift,
     .valueTag = tag::MidFreqText,
     .placeholder = "0.00",
     .unit = "Hz"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "QUALITY",
     .param = param::MidQ,
     .valueTag = tag::MidQText,
     .placeholder = "0.00",
     .unit = "Level"},
};

constexpr KnobCell HighCells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "GAIN",
     .param = param::High,
     .valueTag = tag::HighGainText,
     .placeholder = "0.00",
     .unit = "dB"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "FREQUENCY",
     .param = param::HighFreq,
     .valueTag = tag::HighFreqText,
     .placeholder = "0.00",
     .unit = "Hz"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "QUALITY",
     .param = param::HighQ,
     .valueTag = tag::HighQText,
     .placeholder = "0.00",
     .unit = "Level"},
};

}  // namespace

const BlockPage PunchFilter{.group = group::PunchFilter,
                            .frameGroup = group::PunchFilter,
                            .title = "MID FILTER",
                            .cells = PunchCells};

const BlockPage LowFilter{.group = group::LowFilter,
                          .frameGroup = group::LowFilter,
                          .title = "LOW FILTER",
                          .cells = LowCells};

const BlockPage MidFilter{.group = group::MidFilter,
                          .frameGroup = group::MidFilter,
                          .title = "MID FILTER",
                          .cells = MidCells};

const BlockPage HighFilter{.group = group::HighFilter,
                           .frameGroup = group::HighFilter,
                           .title = "HIGH FILTER",
                           .cells = HighCells};

}  // namespace vornix::ui::pages
