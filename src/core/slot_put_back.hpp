#pragma once
// Putting a kept version back into its slot: a restore of one slot through
// the bank import (begin transfer, the record as a restore message, the user
// IRs it plays where the pedal lacks them, end transfer), then the slot read
// back (0x40) and compared with the kept record byte for byte.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/sysex.hpp"
#include "storage/data_folder.hpp"
#include "storage/slot_history.hpp"

namespace vornix {

// The messages of a one-slot restore, as a bank file would hold them.
struct PutBackMessages {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> starts;
};
// The kept record as a preset dump of `slot`, then each kept user IR as its
// whole dump unless the cache holds the same IR under that number already
// (the pedal has it).
PutBackMessages putBackMessages(const storage::KeptVersion& version,
                                std::span<const std::uint8_t> record,
                                const storage::DataFolder& cache);

class SlotPutBack {
  public:
    void begin(int slot, std::vector<std::uint8_t> record) {
        slot_ = slot;
        record_ = std::move(record);
        phase_ = Phase::Restoring;
    }
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

  private:
    enum class Phase { Idle, Restoring, ReadingBack };
    static constexpr int MaxReadBackRequests = 4;
    Phase phase_ = Phase::Idle;
    int readBackRequests_ = 0;
    int slot_ = 0;
    std::vector<std::uint8_t> record_;
};

}  // namespace vornix
