#pragma once
// Sending an IR slot file to the device under a user IR number: the first
// chunk carries the number and the stream length and waits for the device's
// 0x63; the data chunks follow one per device tick; the device answers the
// last one with 0x61 (stored) or 0x62 (error). A chunk is never sent twice,
// so an answer that does not come within 5 s ends the upload and says which
// one it was; an answer nothing waits for is ignored.
#include <span>
#include <string>

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
    // Chunks are due or an answer is awaited: the device tick's turn goes here.
    bool active() const { return state_ != State::Idle; }
    // False when the upload failed on this step (its answer never came).
    bool step();
    // The device took the first chunk (0x63): the data may follow. False
    // when no first chunk was waiting for it.
    bool headerAccepted();
    // The device's answer to the last chunk; false when none was awaited.
    bool answered(bool stored);

  private:
    enum class State { Idle, Sending, AwaitingHeader, AwaitingResult };
    void sendChunk();
    void fail(const std::string& text);

    Link& link_;
    sysex::TransferBuffer buffer_;
    unsigned target_ = 0;
    State state_ = State::Idle;
    int waitTicks_ = 0;
};

}  // namespace vornix
