#pragma once
// Which value text a parameter change rewrites, and with which formula.
#include <array>
#include <string>

#include "device/param_index.hpp"
#include "device/value_texts.hpp"
#include "ui/block_navigation.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

struct ValueText {
    ParamIndex param;
    ControlTag tag;
    std::string (*text)(int value);
};

// The value text of the parameter, or nullptr: the filter bands, the analog
// simulation's caption and the parameters that show nothing are not listed.
const ValueText* valueTextOf(ParamIndex index);

// A filter band: its three parameters and texts (gain, frequency, quality),
// always computed together.
struct FilterBand {
    Band band;
    std::array<ParamIndex, 3> params;
    std::array<ControlTag, 3> tags;
    display::BandTexts (*texts)(int gain, int frequency, int quality);
};
const FilterBand* filterBandOf(Band band);

// The tag of the text that shows the parameter (a value text or a band's),
// or tag::None: for reading the window back.
ControlTag valueTextTagOf(ParamIndex index);

// Parameters whose change leaves the readout as it is: the IR position and
// modes, the reverb mode and the auto filter's switch.
bool keepsReadout(ParamIndex index);

}  // namespace vornix::ui
