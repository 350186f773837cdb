#pragma once
// The editor's copy of the device's 128 presets: one slot file each in the
// data folder, the checksum of what each file holds, which slots must be read
// from the device again, and the preset list rows shown for them.
#include <array>
#include <span>
#include <string>

#include "core/link.hpp"
#include "device/global_pages.hpp"
#include "storage/data_folder.hpp"

namespace vornix {

class PresetCache {
  public:
    PresetCache(Link& link, storage::DataFolder folder);

    const storage::DataFolder& folder() const { return folder_; }

    // Rows and checksums from the slot files (missing files count as empty).
    void loadSlots(int patchOffset);
    // Rows from whatever slot files the folder lists; true when it holds all 128.
    bool refreshRowsFromFiles(int patchOffset);
    // Deletes the cached slot files.
    void clear();

    // A preset the device sent: cached, and no longer to be read.
    void store(int slot, std::span<const std::uint8_t> record, sysex::Checksum checksum);
    // Marks every slot whose checksum differs from the device's; true when any does.
    bool compareWithDevice(const sysex::PresetChecksums& device);
    // The lowest slot still to be read, or -1.
    int firstPending() const;
    int pendingCount() const;

    void setRow(int row, const std::string& text);
    // Row text of a slot: " %02d " of the display number and the 32 name bytes.
    void setRowFromName(int row, int displayNumber, std::span<const std::uint8_t> name32);
    const std::array<std::string, NumPresets>& rows() const { return rows_; }

  private:
    Link& link_;
    storage::DataFolder folder_;
    sysex::PresetChecksums checksums_{};
    // Before the first checksum page, slot 0 is the one to read.
    std::array<bool, NumPresets> pending_ = [] {
        std::array<bool, NumPresets> pending{};
        pending[0] = true;
        return pending;
    }();
    std::array<std::string, NumPresets> rows_;
};

}  // namespace vornix
