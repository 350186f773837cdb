#pragma once
// Sending an IR slot file to the device under a user IR number: the first
// chunk carries the number and the stream length and waits for the device's
// 0x63; the data chunks follow one per device tick; the device answers the
// last one with 0x61 (stored) or 0x62 (error).
#include <span>

#include "core/link.hpp"
#include "device/transfer_buffer.hpp"

namespace vornix {

class IrUpload {
  public:
    explicit IrUpload(Link& link) : link_(link) {}

    // Packs the slot file for IR `number`; it goes out from the next tick
    // when the device is online.
    void load(std::span<const std::uint8_t> slotFile, unsigned number, bool online);
    unsigned target() const { return target_; }
    // The next tick sends a chunk.
    bool ready() const { return ready_; }
    void step();
    // The device took the first chunk (0x63): the data may follow.
    void headerAccepted() { ready_ = true; }

  private:
    Link& link_;
    sysex::TransferBuffer buffer_;
    unsigned target_ = 0;
    bool ready_ = false;
};

}  // namespace vornix
