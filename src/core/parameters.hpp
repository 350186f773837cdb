#pragma once
// The parameter catalogue: 151 indexed slots with names, ranges and defaults,
// and the recognition of amplifier models and ambience types from a preset.
#include <array>
#include <span>
#include <vector>

#include "device/preset_record.hpp"
#include "device/voicing.hpp"
#include "framework/iplug/iparam.hpp"

namespace vornix {

// Builds all 151 slots with their defaults; reserved slots stay uninitialised.
std::vector<iplug::IParam> buildParameterCatalogue();

// True for the slots that exist only to keep the other indices in place.
bool isReservedParameter(int index);

// Recognition from a preset's integer values (indices 0-73):
// 0-9 a table row; 12 when none matches and Buzz is 62, 11 for 63, else 10.
int recogniseAmpModel(std::span<const int> presetValues);
// 0-6 a table row, 7 when none matches (Room Size is not compared).
int recogniseAmbienceType(std::span<const int> presetValues);

}  // namespace vornix
