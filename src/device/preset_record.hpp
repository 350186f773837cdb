#pragma once
// The device's numbering of its parameters and the 256-byte preset record it
// exchanges for one slot: where each parameter byte and name sits, and the
// device numbers the edit command (0x50) carries for parameters 0-73.
//
// Parameter indices are shared by the record, the global pages, the edit
// command and the editor's catalogue, so they are named here once.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/param_index.hpp"
#include "device/sysex.hpp"

namespace vornix {

inline constexpr int NumPresets = 128;      // preset slots 0-127
inline constexpr int NumParams = 151;       // parameter indices 0-150
inline constexpr int NumPresetParams = 74;  // indices 0-73 travel in a preset
inline constexpr int DeviceValueMax = 127;  // a parameter byte is 7 bits

// Indices other code refers to by role.
namespace param {
inline constexpr ParamIndex Level{0};
inline constexpr ParamIndex Gain{1};
inline constexpr ParamIndex Buzz{2};
inline constexpr ParamIndex Punch{3};
inline constexpr ParamIndex Crunch{4};
inline constexpr ParamIndex Drive{5};
inline constexpr ParamIndex Low{6};
inline constexpr ParamIndex High{7};
inline constexpr ParamIndex Reverb{8};
inline constexpr ParamIndex Gate{9};
inline constexpr ParamIndex Dynamics{10};
inline constexpr ParamIndex PunchFreq{11};
inline constexpr ParamIndex Mid{12};
inline constexpr ParamIndex MidShift{13};
inline constexpr ParamIndex Ir{14};
inline constexpr ParamIndex AnalogSim{15};
inline constexpr ParamIndex RoomSize{16};
inline constexpr ParamIndex DecayTime{17};
inline constexpr ParamIndex CompressorRatio{25};
inline constexpr ParamIndex CompressorGain{26};
inline constexpr ParamIndex CompressorAttack{27};
inline constexpr ParamIndex CompressorRelease{28};
inline constexpr ParamIndex SoftClipping{33};
inline constexpr ParamIndex AnalogSimGain{34};
inline constexpr ParamIndex AntiAliasing{35};
inline constexpr ParamIndex GateRatio{37};  // named "Compressor Ratio" like 25
inline constexpr ParamIndex GateRelease{39};
inline constexpr ParamIndex Ir7Mode{40};
inline constexpr ParamIndex Ir8Mode{41};
inline constexpr ParamIndex Ir7Gain{42};
inline constexpr ParamIndex Ir8Gain{43};
inline constexpr ParamIndex BuzzQ{44};
inline constexpr ParamIndex PunchQ{45};
inline constexpr ParamIndex CrunchQ{46};
inline constexpr ParamIndex MidQ{47};
inline constexpr ParamIndex LowQ{48};
inline constexpr ParamIndex HighQ{49};
inline constexpr ParamIndex AutoGain{50};
inline constexpr ParamIndex Lookahead{51};
inline constexpr ParamIndex Ir7SlotHigh{53};
inline constexpr ParamIndex Ir7SlotLow{54};
inline constexpr ParamIndex Ir8SlotHigh{55};
inline constexpr ParamIndex Ir8SlotLow{56};
inline constexpr ParamIndex ReverbMode{57};
inline constexpr ParamIndex AutoFilterOn{60};
inline constexpr ParamIndex AutoFilterLevel{61};
inline constexpr ParamIndex AutoFilterAttack{62};
inline constexpr ParamIndex AutoFilterRelease{63};
inline constexpr ParamIndex PresetLevel{64};
inline constexpr ParamIndex ChorusOn{65};
inline constexpr ParamIndex ChorusLevel{66};
inline constexpr ParamIndex ChorusRate{67};
inline constexpr ParamIndex ChorusDepth{68};
inline constexpr ParamIndex ChorusDelay{69};
inline constexpr ParamIndex ChorusFeedback{70};
inline constexpr ParamIndex BlendLevel{71};
inline constexpr ParamIndex LowFreq{72};
inline constexpr ParamIndex HighFreq{73};
inline constexpr ParamIndex Compression{78};
// The preset list: its scroll bar, and the row of its window under the pointer.
inline constexpr ParamIndex Scroll{79};
inline constexpr ParamIndex ListSelect{80};
// The impulse-response page: the cabinet row under the pointer, and the
// microphone slider (inverted onto the IR position).
inline constexpr ParamIndex IrListSelect{81};
inline constexpr ParamIndex IrSlider{82};
// A slot the device never uses: the editor's graph panel reports its clicks here.
inline constexpr ParamIndex GraphPanel{83};
inline constexpr ParamIndex DefineMidiMapping{89};
inline constexpr ParamIndex MidiThruMode{90};
inline constexpr ParamIndex PatchOffset{91};
inline constexpr ParamIndex MidiCcMode{92};
inline constexpr ParamIndex MidiCcChannel{93};
inline constexpr ParamIndex EditPotDisplayMode{94};
inline constexpr ParamIndex DisengageAllPots{95};
inline constexpr ParamIndex TunerFrequency{96};
inline constexpr ParamIndex PresetProtection{97};
inline constexpr ParamIndex TunerDetune{98};
inline constexpr ParamIndex CabinetBypass{99};
inline constexpr ParamIndex SafeLevel{100};
inline constexpr ParamIndex FirstMidiAssign{101};  // 101-108
inline constexpr ParamIndex ControllerProgram{109};
inline constexpr ParamIndex DeviceProgram{110};
inline constexpr ParamIndex ControllerProgram1{111};  // 1-based
inline constexpr ParamIndex DeviceProgram1{112};      // 1-based
inline constexpr ParamIndex Jack2Mode{113};
inline constexpr ParamIndex LastMidiPage{116};
}  // namespace param

// The device reports the layer-B state as "parameter" 77 of a 0x51 message.
inline constexpr int LayerBReportNumber = 77;

// ---- device numbers of the edit command ------------------------------------------

// Device numbers 16-19 are commands (store, layer switch ...), so parameters
// 16-73 travel as their index + 4.
namespace devmap {
inline constexpr int DirectLast = 15;
inline constexpr int Shift = 4;
inline constexpr int ShiftedFirst = DirectLast + 1 + Shift;
inline constexpr int ShiftedLast = NumPresetParams - 1 + Shift;
// The high halves of the two user IR numbers; the device acknowledges them
// (0x5F) so that the low half goes out only once the high half has landed.
inline constexpr int Ir7High = param::Ir7SlotHigh + Shift;
inline constexpr int Ir8High = param::Ir8SlotHigh + Shift;
}  // namespace devmap

// The device number of parameter 0-73; 0 for any other index.
constexpr int deviceNumber(int index) {
    if (index < 0 || index >= NumPresetParams) return 0;
    return index <= devmap::DirectLast ? index : index + devmap::Shift;
}
// The parameter a device number names, or -1.
constexpr int parameterOfDeviceNumber(int number) {
    if (number >= 0 && number <= devmap::DirectLast) return number;
    if (number >= devmap::ShiftedFirst && number <= devmap::ShiftedLast)
        return number - devmap::Shift;
    return -1;
}

namespace sysex {

// ---- the preset record -------------------------------------------------------------

inline constexpr std::size_t RecordSize = BlockSize;
using PresetRecord = std::array<std::uint8_t, RecordSize>;

namespace record {
inline constexpr std::size_t WrittenByEditor = 0;  // 1 (then 0) when the editor built it
inline constexpr std::size_t Name = 2;
inline constexpr std::size_t Params = 34;  // byte 34 + i holds parameter i, i = 0..73
inline constexpr std::size_t Ir7Name = 192;
inline constexpr std::size_t Ir8Name = 224;
inline constexpr std::size_t paramByte(int index) {
    return Params + static_cast<std::size_t>(index);
}
inline constexpr std::size_t Ir7Mode = paramByte(param::Ir7Mode);
inline constexpr std::size_t Ir8Mode = paramByte(param::Ir8Mode);
inline constexpr std::size_t Ir7Bank = paramByte(param::Ir7SlotHigh);
inline constexpr std::size_t Ir7Number = paramByte(param::Ir7SlotLow);
inline constexpr std::size_t Ir8Bank = paramByte(param::Ir8SlotHigh);
inline constexpr std::size_t Ir8Number = paramByte(param::Ir8SlotLow);
}  // namespace record

// A user IR number as the record's two halves carry it: bank (high 7 bits)
// and number (low 7 bits).
constexpr unsigned join14(unsigned high, unsigned low) {
    return ((high & 0x7F) << 7) | (low & 0x7F);
}
constexpr std::uint8_t high7(unsigned value) {
    return static_cast<std::uint8_t>((value >> 7) & 0x7F);
}
constexpr std::uint8_t low7(unsigned value) {
    return static_cast<std::uint8_t>(value & 0x7F);
}

// The user IR a record plays in position 7 or 8 (bank x 128 + number), or -1
// when that position plays a cabinet (its mode byte is 0).
int recordIrNumber(std::span<const std::uint8_t> record, int position);

}  // namespace sysex
}  // namespace vornix
