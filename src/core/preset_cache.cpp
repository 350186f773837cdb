#include "core/preset_cache.hpp"

#include <algorithm>
#include <cstdio>

#include "storage/preset_slot_files.hpp"

namespace vornix {

namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

PresetCache::PresetCache(Link& link, storage::DataFolder folder)
    : link_(link), folder_(std::move(folder)) {
    for (int slot = 0; slot < NumPresets; ++slot) {
        char text[16];
        std::snprintf(text, sizeof text, " %02d ", slot);
        rows_[static_cast<std::size_t>(slot)] = text;
    }
}

void PresetCache::loadSlots(int patchOffset) {
    const int offset = patchOffset != 0 ? 1 : 0;
    const auto slots = storage::readPresetSlots(folder_);
    for (int s = 0; s < NumPresets; ++s) {
        const auto& slot = slots[static_cast<std::size_t>(s)];
        setRowFromName(s, s + offset, bytesOf(slot.name));
        checksums_[static_cast<std::size_t>(s)] = slot.checksum;
    }
}

bool PresetCache::refreshRowsFromFiles(int patchOffset) {
    const auto listing = storage::listPresetFolder(folder_);
    if (listing.firstSlotMissing) return false;
    for (const auto& row : listing.rows)
        setRowFromName(row.row, row.row + patchOffset, bytesOf(row.name));
    return listing.cacheFiles >= NumPresets;
}

void PresetCache::clear() {
    storage::clearCache(folder_);
}

void PresetCache::store(int slot, std::span<const std::uint8_t> record, sysex::Checksum checksum) {
    storage::writePresetSlotFile(folder_, slot, record);
    checksums_[static_cast<std::size_t>(slot)] = checksum;
    pending_[static_cast<std::size_t>(slot)] = false;
}

bool PresetCache::compareWithDevice(const sysex::PresetChecksums& device) {
    bool any = false;
    for (std::size_t s = 0; s < device.size(); ++s) {
        pending_[s] = !(device[s] == checksums_[s]);
        any = any || pending_[s];
    }
    return any;
}

int PresetCache::firstPending() const {
    const auto first = std::find(pending_.begin(), pending_.end(), true);
    return first == pending_.end() ? -1 : static_cast<int>(first - pending_.begin());
}

int PresetCache::pendingCount() const {
    return static_cast<int>(std::count(pending_.begin(), pending_.end(), true));
}

void PresetCache::setRow(int row, const std::string& text) {
    rows_[static_cast<std::size_t>(row)] = text;
    link_.events().emit(&ListEvents::presetRowChanged, row, text);
}

void PresetCache::setRowFromName(int row, int displayNumber, std::span<const std::uint8_t> name32) {
    setRow(row, storage::presetRowText(displayNumber, name32));
}

}  // namespace vornix
