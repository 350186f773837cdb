#pragma once
// The pages of the signal-chain blocks, each a constant table in its own file.
// All lie in the block panel (355, 640)-(1100, 1160) and start hidden.
#include <array>

#include "ui/page_model.hpp"

namespace vornix::ui::pages {

extern const BlockPage Amplifier;
extern const BlockPage Ambience;
extern const BlockPage AmbienceTime;
extern const BlockPage AnalogSim;
extern const BlockPage GateAndLevel;
extern const BlockPage Compressor;
extern const BlockPage PunchFilter;
extern const BlockPage LowFilter;
extern const BlockPage MidFilter;
extern const BlockPage HighFilter;
extern const BlockPage AutoFilter;
extern const BlockPage Chorus;

// In the order they are attached.
inline const std::array<const BlockPage*, 12> BlockPages{
    &Amplifier,   &Ambience,  &AmbienceTime, &AnalogSim,  &GateAndLevel, &Compressor,
    &PunchFilter, &LowFilter, &MidFilter,    &HighFilter, &AutoFilter,   &Chorus};

}  // namespace vornix::ui::pages
