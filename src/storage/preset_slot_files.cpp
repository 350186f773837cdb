#include "storage/preset_slot_files.hpp"

#include <algorithm>
#include <cstdio>

#include "storage/file_io.hpp"

namespace vornix::storage {

namespace {

constexpr std::size_t ListingReadLimit = 8192;

void copyName(sysex::PresetRecord& out, std::size_t offset, std::string_view name) {
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), sysex::NameBytes, ' ');
    const std::size_t n = std::min(name.size(), sysex::NameBytes);
    for (std::size_t i = 0; i < n; ++i) out[offset + i] = static_cast<std::uint8_t>(name[i]) & 0x7F;
}

std::string nameAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (bytes.size() < offset) return {};
    const auto field = bytes.subspan(offset, std::min(sysex::NameBytes, bytes.size() - offset));
    const auto end = std::find(field.begin(), field.end(), 0);
    return std::string(field.begin(), end);
}

}  // namespace

sysex::Checksum recordChecksum(std::span<const std::uint8_t> rec) {
    unsigned sum = 0;
    for (std::uint8_t b : rec) sum += b;
    return sysex::checksumOfSum(sum);
}

sysex::PresetRecord buildPresetRecord(std::span<const int> values, std::string_view name,
                                      std::string_view ir7Name, std::string_view ir8Name) {
    sysex::PresetRecord out{};
    out[sysex::record::WrittenByEditor] = 1;
    copyName(out, sysex::record::Name, name);
    for (std::size_t i = 0; i < static_cast<std::size_t>(NumPresetParams) && i < values.size(); ++i)
        out[sysex::record::Params + i] = static_cast<std::uint8_t>(values[i] & 0xFF);
    copyName(out, sysex::record::Ir7Name,
             out[sysex::record::Ir7Mode] >= 1 ? ir7Name : std::string_view{});
    copyName(out, sysex::record::Ir8Name,
             out[sysex::record::Ir8Mode] >= 1 ? ir8Name : std::string_view{});
    return out;
}

std::string presetRowText(int displayNumber, std::span<const std::uint8_t> name32) {
    char number[16];
    std::snprintf(number, sizeof number, " %02d ", displayNumber);
    return number + nameAt(name32, 0);
}

std::string recordNameBytes(std::span<const std::uint8_t> rec) {
    return nameAt(rec, sysex::record::Name);
}

// A slot file is a cache of what the pedal holds, so it is renamed into
// place without being flushed to the disk first (a flush per file would cost
// a sync of 128 presets far more than the MIDI link does). A killed program
// still leaves every slot file whole, old or new: the rename is atomic. A
// power cut can leave a slot file missing, empty or short, or still the old
// one; each of these reads as a record whose checksum differs from what the
// pedal reports for the slot, so the next sync fetches it again.
bool writePresetSlotFile(const DataFolder& folder, int slot, std::span<const std::uint8_t> rec) {
    if (slot < 0 || slot >= NumPresets) return false;
    return writeFile(folder.presetSlotFile(slot),
                     rec.first(std::min(rec.size(), sysex::RecordSize)));
}

std::array<SlotState, NumPresets> readPresetSlots(const DataFolder& folder) {
    std::array<SlotState, NumPresets> slots;
    for (int s = 0; s < NumPresets; ++s) {
        sysex::PresetRecord buffer{};
        FileReader reader(folder.presetSlotFile(s));
        if (reader.isOpen()) {
            reader.read(buffer.data(), buffer.size());
            slots[s].present = true;
            slots[s].name = recordNameBytes(buffer);
        }
        slots[s].checksum = recordChecksum(buffer);
    }
    return slots;
}

PresetFolderListing listPresetFolder(const DataFolder& folder) {
    PresetFolderListing listing;
    if (!FileReader(folder.presetSlotFile(0)).isOpen()) {
        ensureFolder(folder.presetsFolder());
        listing.firstSlotMissing = true;
        return listing;
    }
    // Rows follow the listing, and the rows are meant to come out in slot
    // order, as "001.dat"... do on the file systems that list names sorted.
    // ext4 and tmpfs list them in hash order: sort, or a PATCH OFFSET change
    // (every sync applies one) shows each slot under another slot's name.
    std::vector<DirectoryEntry> entries = scanDirectory(folder.presetsFolder());
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    int row = 0;
    for (const DirectoryEntry& entry : entries) {
        const auto dot = entry.name.rfind('.');
        if (entry.isFolder || dot == std::string::npos || entry.name.substr(dot) != ".dat")
            continue;
        if (row < NumPresets) {
            const auto bytes = readFile(folder.presetsFolder() / entry.name, ListingReadLimit);
            listing.rows.push_back({row, nameAt(bytes, sysex::record::Name)});
        }
        ++row;
    }
    listing.cacheFiles = row;
    return listing;
}

}  // namespace vornix::storage
