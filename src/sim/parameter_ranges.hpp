#pragma once
// The ranges of the 74 sound parameters a preset record carries, as the
// pedal clamps them, and access to their bytes.
#include <array>
#include <cstddef>
#include <cstdint>

#include "device/global_pages.hpp"
#include "device/preset_record.hpp"

namespace vornix::sim {

using sysex::PageBlock;
using sysex::PresetRecord;

// The value clamped to the parameter's range (most run 0-127; switches 0-1).
std::uint8_t clampParameter(int index, int value);
int parameterDefault(int index);

inline std::uint8_t& parameterByte(PresetRecord& rec, int index) {
    return rec[sysex::record::paramByte(index)];
}
inline std::uint8_t parameterByte(const PresetRecord& rec, int index) {
    return rec[sysex::record::paramByte(index)];
}

}  // namespace vornix::sim
