#pragma once
// The layouts of the device's global pages (command 0x52, pages 0-3) and of
// the identification reply, as tables of which parameter sits in which block
// byte, with the readers and builders both sides use.
//
//   page 0  settings: current preset, MIDI and display options, analog options
//   page 1  MIDI assignment: controllers, jack modes (bytes 8-15 read only)
//   page 2  program map: the preset each MIDI program change selects
//   page 3  checksums of the 128 presets, high then low 7 bits
//   0x0F    identification: version at message offset 6, serial in bytes 224-255
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "device/preset_record.hpp"
#include "device/sysex.hpp"

namespace vornix::sysex {

using PageBlock = std::array<std::uint8_t, BlockSize>;

struct PageField {
    int parameter;
    std::size_t byte;
};

// Page 0, in the order the editor applies it.
namespace settingspage {
inline constexpr std::size_t CurrentPreset = 0;
// The device always reports 2 for the edit pot display mode, and the editor
// always writes 2; any value but 0 reads as the parameter's 1.
inline constexpr std::uint8_t EditPotModeWritten = 2;
}  // namespace settingspage
inline constexpr std::array<PageField, 15> SettingsPageFields{{
    {param::DefineMidiMapping, 1},
    {param::MidiThruMode, 2},
    {param::PatchOffset, 3},
    {param::MidiCcMode, 4},
    {param::MidiCcChannel, 5},
    {param::EditPotDisplayMode, 6},
    {param::DisengageAllPots, 7},
    {param::TunerFrequency, 8},
    {param::PresetProtection, 9},
    {param::TunerDetune, 10},
    {param::SoftClipping, 11},
    {param::AnalogSimGain, 12},
    {param::AntiAliasing, 13},
    {param::CabinetBypass, 16},
    {param::SafeLevel, 17},
}};
// The part of page 0 an identification applies while the editor is offline.
inline constexpr std::span<const PageField> AnalogOptionFields =
    std::span(SettingsPageFields).subspan(10, 3);

// Page 1: parameters 101-116 in bytes 0-15; the editor writes only 0-7 (the
// rest reports the jacks) and zeros after them.
inline constexpr int MidiAssignFieldCount = param::LastMidiPage - param::FirstMidiAssign + 1;
inline constexpr int MidiAssignWrittenCount = 8;
constexpr PageField midiAssignField(int i) {
    return {param::FirstMidiAssign + i, static_cast<std::size_t>(i)};
}

// The block byte that holds a parameter on a page, or -1.
int pageByteOf(std::span<const PageField> fields, int parameter);
// The value of a field as the editor takes it from a received page 0 or 1.
std::uint8_t fieldValue(ByteSpan block, const PageField& field);

using ValueOf = std::function<int(int parameter)>;
PageBlock buildSettingsPage(int currentPreset, const ValueOf& valueOf);
PageBlock buildMidiAssignPage(const ValueOf& valueOf);
PageBlock buildProgramMapPage(std::span<const int, NumPresets> programMap);

using PresetChecksums = std::array<Checksum, NumPresets>;
PresetChecksums readChecksumPage(ByteSpan block);
PageBlock buildChecksumPage(const PresetChecksums& checksums);

// ---- identification ---------------------------------------------------------------

struct Identification {
    int versionTimesTen = 0;  // 13 means firmware 1.3
    std::string serial;       // the serial text up to its first zero byte
    double version() const { return versionTimesTen / 10.0; }
    int major() const { return versionTimesTen / 10; }
};
Identification readIdentification(const BlockView& reply);

// ---- parameter changed (0x51) ------------------------------------------------------

struct ParameterReport {
    int index = 0;  // parameter index, or LayerBReportNumber
    int value = 0;
};
// F0 00 51 21 05 51 0A i v F7; nothing for any other length.
std::optional<ParameterReport> parseParameterChanged(ByteSpan message);

}  // namespace vornix::sysex
