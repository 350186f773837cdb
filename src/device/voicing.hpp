#pragma once
// The voicings the device's amplifier models and ambience types are built
// from: for each model or type, the values of ten preset parameters. The
// editor recognises a model from a received preset by them; the simulated
// pedal builds its factory presets from them.
#include <array>
#include <string_view>

#include "device/preset_record.hpp"

namespace vornix {

inline constexpr int NumAmpModels = 10;
inline constexpr int NumAmbienceTypes = 7;
inline constexpr int VoicingColumns = 10;
using VoicingRow = std::array<int, VoicingColumns>;

// Columns of the amplifier voicing table.
inline constexpr std::array<int, VoicingColumns> AmpVoicingParams{
    param::Gain,   param::Buzz,    param::Punch,     param::Crunch, param::BuzzQ,
    param::PunchQ, param::CrunchQ, param::PunchFreq, param::Drive,  param::PresetLevel};
inline constexpr std::array<VoicingRow, NumAmpModels> AmpVoicingTable{{
    {20, 64, 9, 59, 64, 95, 0, 75, 15, 127},
    {26, 63, 64, 64, 64, 64, 0, 65, 20, 0},
    {10, 62, 64, 0, 64, 80, 0, 8, 25, 127},
    {20, 64, 14, 34, 64, 64, 0, 23, 20, 127},
    {25, 58, 5, 21, 64, 43, 0, 60, 25, 127},
    {20, 64, 31, 17, 64, 60, 0, 86, 10, 127},
    {20, 70, 28, 21, 64, 63, 0, 60, 15, 127},
    {22, 64, 0, 36, 64, 67, 0, 64, 22, 127},
    {61, 27, 77, 67, 64, 80, 0, 39, 96, 14},
    {61, 43, 105, 67, 64, 27, 0, 40, 96, 14},
}};

// The names on the model buttons, by model.
inline constexpr std::array<std::string_view, NumAmpModels> AmpModelNames{
    "Orvel",   "Kestrin", "Palomir", "Tessaly", "Vindro",
    "Marrock", "Belvane", "Corvash", "Drennic", "Halcyra"};

// Columns of the ambience voicing table: room size, diffusion, extension,
// feedback delay, feedback filter, damper, low-pass, high-pass, modulation
// depth, modulation rate.
inline constexpr std::array<int, VoicingColumns> AmbienceVoicingParams{16, 18, 19, 20, 21,
                                                                       22, 23, 24, 58, 59};
inline constexpr std::array<VoicingRow, NumAmbienceTypes> AmbienceVoicingTable{{
    {47, 20, 3, 49, 127, 93, 127, 15, 0, 0},
    {64, 8, 2, 64, 127, 64, 64, 20, 4, 127},
    {109, 100, 2, 71, 127, 73, 26, 23, 26, 0},
    {86, 120, 2, 127, 127, 45, 127, 42, 4, 127},
    {74, 84, 4, 52, 0, 0, 127, 0, 67, 60},
    {64, 64, 5, 0, 127, 64, 127, 15, 0, 0},
    {64, 70, 5, 0, 127, 32, 127, 10, 0, 0},
}};

// The names on the type buttons, by type.
inline constexpr std::array<std::string_view, NumAmbienceTypes> AmbienceTypeNames{
    "Room", "Hall", "Spring", "Plate", "Chorus", "Echo", "Echo-Verb"};

}  // namespace vornix
