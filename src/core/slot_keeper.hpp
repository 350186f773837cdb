#pragma once
// When a slot on the pedal is about to be overwritten (a store, a restore, a
// factory reset) or turns out to have changed on the pedal itself, what the
// cache holds for it is kept first in the slot's history: the record as
// cached, the IR slot files of the user IRs it plays and a preset file.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "storage/data_folder.hpp"
#include "storage/slot_history.hpp"

namespace vornix {

class SlotKeeper {
  public:
    SlotKeeper(const storage::DataFolder& folder, storage::Clock clock)
        : folder_(folder), history_(folder, std::move(clock)) {}

    // Keeps what the cache holds of `slot`; nothing when the cache holds no
    // whole record of it. False only when writing failed.
    bool keepCached(int slot, storage::KeepReason reason);
    // Every cached slot, as before a restore or a reset of every preset.
    void keepAllCached(storage::KeepReason reason);

    const storage::SlotHistory& history() const { return history_; }
    // The version at `index` (0 the newest) of a slot's history.
    std::optional<storage::KeptVersion> version(int slot, int index) const;

  private:
    std::optional<storage::KeptFiles> filesOf(std::vector<std::uint8_t> record) const;

    storage::DataFolder folder_;
    storage::SlotHistory history_;
};

// The preset file of a record and the IR slot files of its user IRs.
std::vector<std::uint8_t> presetFileOfRecord(std::span<const std::uint8_t> record,
                                             const std::optional<std::vector<std::uint8_t>>& ir7,
                                             const std::optional<std::vector<std::uint8_t>>& ir8);

}  // namespace vornix
