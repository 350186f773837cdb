#pragma once
// What the pedal holds when it leaves the factory: 128 named presets, the user
// IRs some of them play, the eight cabinet IRs and the global pages. Every
// value is computed from the slot number, so two pedals are always identical.
#include <array>
#include <string>

#include "sim/ir_memory.hpp"
#include "sim/parameter_ranges.hpp"

namespace vornix::sim {

inline constexpr int GlobalPageCount = 3;

PresetRecord factoryPreset(int slot);
std::string factoryPresetName(int slot);
// The user IRs the factory presets refer to, and the cabinet IRs.
void addFactoryIrs(IrLibrary& library);
std::array<PageBlock, GlobalPageCount> factoryGlobalPages();

// The cabinet names of IRs 384-391, in order.
extern const std::array<const char*, irnum::CabinetCount> CabinetNames;

}  // namespace vornix::sim
