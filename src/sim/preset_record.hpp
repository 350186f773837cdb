#pragma once
// The 256-byte preset record as the pedal stores it, and the ranges of the 74
// sound parameters it carries.
#include <array>
#include <cstddef>
#include <cstdint>

#include "device/sysex.hpp"

namespace vornix::sim {

using PresetRecord = std::array<std::uint8_t, sysex::BlockSize>;
using PageBlock = std::array<std::uint8_t, sysex::BlockSize>;

namespace record {
inline constexpr std::size_t MarkerAt = 0;  // 1, 0 in records the editor writes
inline constexpr std::size_t NameAt = 2;
inline constexpr std::size_t ParametersAt = 34;
inline constexpr int ParameterCount = 74;
inline constexpr std::size_t Ir7NameAt = 192;
inline constexpr std::size_t Ir8NameAt = 224;
}  // namespace record

// Parameter indices the pedal itself looks at.
namespace param {
inline constexpr int Level = 0;
inline constexpr int Low = 6;
inline constexpr int High = 7;
inline constexpr int Reverb = 8;
inline constexpr int Dynamics = 10;
inline constexpr int Mid = 12;
inline constexpr int CabinetIr = 14;
inline constexpr int CompressorRatio = 25;
inline constexpr int Ir7Mode = 40;
inline constexpr int Ir8Mode = 41;
inline constexpr int Ir7High = 53;
inline constexpr int Ir7Low = 54;
inline constexpr int Ir8High = 55;
inline constexpr int Ir8Low = 56;
inline constexpr int ReverbMode = 57;
inline constexpr int ChorusOn = 65;
inline constexpr int ChorusLevel = 66;
}  // namespace param

// Device numbers of the edit command: the index for 0-15, index + 4 for 16-73.
namespace devmap {
inline constexpr int DirectLast = 15;
inline constexpr int ShiftedFirst = 20;
inline constexpr int ShiftedLast = 77;
inline constexpr int Shift = 4;
// The high halves of the two user IR numbers; the pedal acknowledges them so
// that the editor sends the low half only after the high half has landed.
inline constexpr int Ir7HighNumber = 57;
inline constexpr int Ir8HighNumber = 59;
}  // namespace devmap

// The parameter index for a device number, or -1 when it names none.
int parameterOfDeviceNumber(int deviceNumber);

// The value clamped to the parameter's range (most run 0-127; switches 0-1).
std::uint8_t clampParameter(int index, int value);
int parameterDefault(int index);

inline std::uint8_t& parameterByte(PresetRecord& rec, int index) {
    return rec[record::ParametersAt + static_cast<std::size_t>(index)];
}
inline std::uint8_t parameterByte(const PresetRecord& rec, int index) {
    return rec[record::ParametersAt + static_cast<std::size_t>(index)];
}

}  // namespace vornix::sim
