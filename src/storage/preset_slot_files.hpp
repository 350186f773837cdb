#pragma once
// The editor's side of the preset record: its checksum, the record the editor
// sends, the slot cache files and the preset list rows built from them.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/preset_record.hpp"
#include "device/sysex.hpp"
#include "storage/data_folder.hpp"

namespace vornix::storage {

// The two checksum bytes over all 256 record bytes.
sysex::Checksum recordChecksum(std::span<const std::uint8_t> record);

// A record as the editor sends it: bytes 0/1 = 1/0, the name over spaces,
// parameter bytes from `values` (low 8 bits), and the user IR names only for
// positions in use (parameters 40 / 41 of 1 or more).
sysex::PresetRecord buildPresetRecord(std::span<const int> values, std::string_view name,
                                      std::string_view ir7Name, std::string_view ir8Name);

// " %02d " of the display number followed by the name bytes as stored.
std::string presetRowText(int displayNumber, std::span<const std::uint8_t> name32);
// The 32 name bytes cut at the first zero byte, if any.
std::string recordNameBytes(std::span<const std::uint8_t> record);

bool writePresetSlotFile(const DataFolder& folder, int slot, std::span<const std::uint8_t> record);

struct SlotState {
    bool present = false;
    std::string name;  // 32 bytes as stored (cut at a zero byte)
    sysex::Checksum checksum;
};
// Reads every slot file: a missing file is an unnamed slot with checksum (0, 0),
// a short one is padded with zeros, a long one read to 256 bytes.
std::array<SlotState, NumPresets> readPresetSlots(const DataFolder& folder);

struct ListedPresetFile {
    int row = 0;
    std::string name;
};
struct PresetFolderListing {
    bool firstSlotMissing = false;  // "001.dat" could not be opened: the folder was ensured
    std::vector<ListedPresetFile> rows;
    int cacheFiles = 0;  // every ".dat" file seen, also past 128
};
// The list rows from whatever ".dat" files the presets folder holds, in the
// order the folder lists them (at most 128).
PresetFolderListing listPresetFolder(const DataFolder& folder);

}  // namespace vornix::storage
