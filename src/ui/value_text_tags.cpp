#include "ui/value_text_tags.hpp"

#include "device/preset_record.hpp"
#include "ui/registry.hpp"
#include "ui/value_display.hpp"

namespace vornix::ui {

namespace {

struct BandTextTag {
    int param;
    int tag;
};

// Gain, frequency and quality of the punch, mid and high bands (as showBand
// writes them).
constexpr BandTextTag BandTextTags[] = {
    {param::Punch, tag::PunchGainText},  {param::PunchFreq, tag::PunchFreqText},
    {param::PunchQ, tag::PunchQText},    {param::Mid, tag::MidGainText},
    {param::MidShift, tag::MidFreqText}, {param::MidQ, tag::MidQText},
    {param::High, tag::HighGainText},    {param::HighFreq, tag::HighFreqText},
    {param::HighQ, tag::HighQText},
};

}  // namespace

int valueTextTagOf(int index) {
    if (const ValueText* entry = valueTextOf(index)) return entry->tag;
    for (const BandTextTag& band : BandTextTags)
        if (band.param == index) return band.tag;
    return tag::None;
}

}  // namespace vornix::ui
