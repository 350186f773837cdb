// The filter bands: gain, frequency and quality each. The punch page is the
// mid band of the amplifier models that voice it with the punch filter, so
// it carries the mid band's title.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell PunchCells[] = {
    {Cell::Large, 380, "GAIN", param::Punch, tag::PunchGainText, "0.00", "dB"},
    {Cell::Large, 630, "FREQUENCY", param::PunchFreq, tag::PunchFreqText, "0.00", "Hz"},
    {Cell::Large, 880, "QUALITY", param::PunchQ, tag::PunchQText, "0.00", "Level"},
};

constexpr KnobCell LowCells[] = {
    {Cell::Large, 380, "GAIN", param::Low, tag::LowGainText, "0.00", "dB"},
    {Cell::Large, 630, "FREQUENCY", param::LowFreq, tag::LowFreqText, "0.00", "Hz"},
    {Cell::Large, 880, "QUALITY", param::LowQ, tag::LowQText, "0.00", "Level"},
};

constexpr KnobCell MidCells[] = {
    {Cell::Large, 380, "GAIN", param::Mid, tag::MidGainText, "0.00", "dB"},
    {Cell::Large, 630, "FREQUENCY", param::MidShift, tag::MidFreqText, "0.00", "Hz"},
    {Cell::Large, 880, "QUALITY", param::MidQ, tag::MidQText, "0.00", "Level"},
};

constexpr KnobCell HighCells[] = {
    {Cell::Large, 380, "GAIN", param::High, tag::HighGainText, "0.00", "dB"},
    {Cell::Large, 630, "FREQUENCY", param::HighFreq, tag::HighFreqText, "0.00", "Hz"},
    {Cell::Large, 880, "QUALITY", param::HighQ, tag::HighQText, "0.00", "Level"},
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
