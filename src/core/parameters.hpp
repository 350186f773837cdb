#pragma once
// The parameter catalogue: 151 indexed slots, the device numbering of the
// edit command and the two voicing tables used to pick and recognise
// amplifier models and ambience types.
#include <array>
#include <span>
#include <vector>

#include "core/iplug/iparam.hpp"

namespace vornix {

inline constexpr int NumParams = 151;
inline constexpr int NumPresetParams = 74;  // indices 0-73 travel in a preset

// Indices other code refers to by role.
namespace param {
inline constexpr int Level = 0;
inline constexpr int Gain = 1;
inline constexpr int Buzz = 2;
inline constexpr int Punch = 3;
inline constexpr int Crunch = 4;
inline constexpr int Drive = 5;
inline constexpr int PunchFreq = 11;
inline constexpr int Ir = 14;
inline constexpr int SoftClipping = 33;
inline constexpr int AnalogSimGain = 34;
inline constexpr int AntiAliasing = 35;
inline constexpr int Ir7Mode = 40;
inline constexpr int Ir8Mode = 41;
inline constexpr int BuzzQ = 44;
inline constexpr int PunchQ = 45;
inline constexpr int CrunchQ = 46;
inline constexpr int Ir7SlotHigh = 53;
inline constexpr int Ir7SlotLow = 54;
inline constexpr int Ir8SlotHigh = 55;
inline constexpr int Ir8SlotLow = 56;
inline constexpr int AutoFilterOn = 60;
inline constexpr int PresetLevel = 64;
inline constexpr int ChorusOn = 65;
inline constexpr int Compression = 78;
inline constexpr int Scroll = 79;
inline constexpr int DefineMidiMapping = 89;
inline constexpr int PatchOffset = 91;
inline constexpr int EditPotDisplayMode = 94;
inline constexpr int TunerFrequency = 96;
inline constexpr int SafeLevel = 100;
inline constexpr int FirstMidiAssign = 101;  // 101-108
inline constexpr int ControllerProgram = 109;
inline constexpr int DeviceProgram = 110;
inline constexpr int ControllerProgram1 = 111;  // 1-based
inline constexpr int DeviceProgram1 = 112;      // 1-based
inline constexpr int LastMidiPage = 116;
}  // namespace param

// The device reports the layer-B state as "parameter" 77 of a 0x51 message.
inline constexpr int LayerBReportNumber = 77;

// Builds all 151 slots with their defaults; reserved slots stay uninitialised.
std::vector<iplug::IParam> buildParameterCatalogue();

// Device parameter number carried by the edit command for indices 0-73.
int deviceNumber(int index);
// True for the slots that exist only to keep the other indices in place.
bool isReservedParameter(int index);

inline constexpr int NumAmpModels = 10;
inline constexpr int NumAmbienceTypes = 7;
inline constexpr int VoicingColumns = 10;
// Columns of the amplifier voicing table.
inline constexpr std::array<int, VoicingColumns> AmpVoicingParams{
    param::Gain,   param::Buzz,    param::Punch,     param::Crunch, param::BuzzQ,
    param::PunchQ, param::CrunchQ, param::PunchFreq, param::Drive,  param::PresetLevel};
// Columns of the ambience voicing table.
inline constexpr std::array<int, VoicingColumns> AmbienceVoicingParams{16, 18, 19, 20, 21,
                                                                       22, 23, 24, 58, 59};
extern const std::array<std::array<int, VoicingColumns>, NumAmpModels> AmpVoicingTable;
extern const std::array<std::array<int, VoicingColumns>, NumAmbienceTypes> AmbienceVoicingTable;

// Recognition from a preset's integer values (indices 0-73):
// 0-9 a table row; 12 when none matches and Buzz is 62, 11 for 63, else 10.
int recogniseAmpModel(std::span<const int> presetValues);
// 0-6 a table row, 7 when none matches (Room Size is not compared).
int recogniseAmbienceType(std::span<const int> presetValues);

}  // namespace vornix
