#pragma once
// Writing one slot as a one-slot restore through the bank import (begin
// transfer, the record as a restore message, the user IRs it plays where the
// pedal lacks them, end transfer), then the slot read back (0x40) and
// compared with what was written byte for byte. A kept version is put back
// this way, and the library writes setlists this way.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/sysex.hpp"
#include "storage/data_folder.hpp"
#include "storage/slot_history.hpp"

namespace vornix {

// What goes into one slot: its record and the IR slot files of the user IRs
// the record plays (absent where none was kept).
struct SlotContent {
    int slot = 0;
    std::vector<std::uint8_t> record;
    std::optional<std::vector<std::uint8_t>> ir7;
    std::optional<std::vector<std::uint8_t>> ir8;
};

// A kept version with its kept user IRs; the record empty when it is damaged.
SlotContent keptContent(const storage::KeptVersion& version);

// The record as `slot` holds it: a user IR belongs to its preset (position 7
// plays IR `slot`, position 8 IR 128 + `slot`), so a record from another slot
// names this slot's own IRs. Positions that play a cabinet stay as they are.
std::vector<std::uint8_t> recordForSlot(std::span<const std::uint8_t> record, int slot);

// The messages of a one-slot restore, as a bank file would hold them.
struct SlotWriteMessages {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> starts;
    // The user IRs among them, by number: the cache takes them once the pedal has.
    std::vector<std::pair<unsigned, std::vector<std::uint8_t>>> irs;
};
// The record as a preset dump of its slot, then each user IR it plays as its
// whole dump unless the cache holds the same IR under that number already
// (the pedal has it).
SlotWriteMessages slotWriteMessages(const SlotContent& content, const storage::DataFolder& cache);

class SlotWrite {
  public:
    // `purpose` opens the message of a failure: "Put Back", "Write to Pedal".
    using Irs = std::vector<std::pair<unsigned, std::vector<std::uint8_t>>>;
    void begin(int slot, std::vector<std::uint8_t> record, Irs irs, std::string purpose,
               bool quiet) {
        quiet_ = quiet;
        slot_ = slot;
        record_ = std::move(record);
        irs_ = std::move(irs);
        purpose_ = std::move(purpose);
        phase_ = Phase::Restoring;
    }
    const Irs& irs() const { return irs_; }
    bool restoring() const { return phase_ == Phase::Restoring; }
    void readingBack() {
        phase_ = Phase::ReadingBack;
        readBackRequests_ = 1;
    }
    bool awaitsReadBack(int slot) const { return phase_ == Phase::ReadingBack && slot == slot_; }
    bool readingBackNow() const { return phase_ == Phase::ReadingBack; }
    // The read back went unanswered: true while it may be asked for again.
    bool mayAskAgain() { return ++readBackRequests_ <= MaxReadBackRequests; }
    bool matches(std::span<const std::uint8_t> block) const {
        return std::equal(block.begin(), block.end(), record_.begin(), record_.end());
    }
    void end() { phase_ = Phase::Idle; }
    bool active() const { return phase_ != Phase::Idle; }
    int slot() const { return slot_; }
    const std::string& purpose() const { return purpose_; }
    bool quiet() const { return quiet_; }

  private:
    enum class Phase { Idle, Restoring, ReadingBack };
    static constexpr int MaxReadBackRequests = 4;
    Phase phase_ = Phase::Idle;
    int readBackRequests_ = 0;
    int slot_ = 0;
    std::vector<std::uint8_t> record_;
    Irs irs_;
    std::string purpose_;
    bool quiet_ = false;
};

}  // namespace vornix
