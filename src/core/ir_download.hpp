#pragma once
// IRs the device sends when asked (0x69): a first chunk with the IR's number
// and stream length, data chunks, and a last chunk with the stream checksum.
// The stream is unpacked as it arrives; an IR whose chunks do not make up
// its length is never handed on. A checksum that does not add up is asked
// for again (see IrAnswers): the device may compute it its own way.
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "core/ir_answers.hpp"
#include "core/link.hpp"
#include "device/sysex.hpp"

namespace vornix {

inline constexpr std::size_t IrDecodeCapacity = 4096;

class IrDownload {
  public:
    using Received = std::function<void(unsigned number, std::span<const std::uint8_t> bytes)>;

    explicit IrDownload(Link& link) : link_(link) {}
    void setOnReceived(Received received) { received_ = std::move(received); }

    // Asks the device for an IR; `counted` downloads are waited for by
    // pending() (a bank export's own requests are not).
    void request(unsigned number, bool counted = true);
    // Requests asked for and not yet ended.
    int pending() const { return pending_; }
    // The IR of the position being edited is fetched at the next device tick.
    void requestAtNextTick() { requestDue_ = true; }
    bool takeRequestDue() { return std::exchange(requestDue_, false); }

    // A chunk (0x60, 0x65 or 0x66) that no bank export claimed.
    void receive(sysex::ByteSpan chunk);

  private:
    void start(sysex::ByteSpan first);
    void push(sysex::ByteSpan streamBytes);
    void finish(sysex::ByteSpan last);
    // False when the IR is asked for again instead.
    bool checksumAccepted(bool addsUp);
    void end(bool stored);

    Link& link_;
    Received received_;
    int pending_ = 0;
    bool requestDue_ = false;

    // The stream being received.
    bool active_ = false;  // a first chunk was accepted
    unsigned number_ = 0;
    std::size_t announced_ = 0;  // stream bytes
    std::size_t carried_ = 0;
    std::size_t expected_ = 0;  // data bytes
    std::vector<std::uint8_t> decoded_;
    std::vector<std::uint8_t> answer_;  // its messages as they arrived
    unsigned runningSum_ = 0;
    sysex::StreamUnpacker unpacker_;
    // Earlier answers for the IR asked for again.
    IrAnswers answers_;
    unsigned answersFor_ = 0;
};

}  // namespace vornix
