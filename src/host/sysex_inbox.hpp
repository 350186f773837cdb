#pragma once
// The hand-over of received MIDI from the input thread to the editor thread:
// two lock-free single-producer/single-consumer rings with fixed storage, so
// the input callback never allocates, locks or waits. One thread pushes, one
// thread drains; a full ring drops the new message and counts it.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace vornix::host {

struct ShortMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

class SysExInbox {
  public:
    static constexpr std::size_t SysExCapacity = 256;
    static constexpr std::size_t MaxSysExBytes = 512;
    static constexpr std::size_t ShortCapacity = 32;
    // Messages shorter than this are channel or realtime messages.
    static constexpr std::size_t MinSysExBytes = 4;

    using SysExHandler = std::function<void(std::span<const std::uint8_t>)>;
    using ShortHandler = std::function<void(const ShortMessage&)>;

    SysExInbox();

    // Producer side. Empty messages are ignored, shorter than 4 bytes go to
    // the short ring (missing bytes 0), 4 to 512 bytes to the SysEx ring,
    // longer ones are dropped. Returns whether the message was queued.
    bool push(std::span<const std::uint8_t> message);

    // Consumer side: hands every waiting SysEx message to `onSysEx` in
    // arrival order, including those that arrive while draining, then the
    // short messages to `onShort` (or discards them). Returns the SysEx count.
    std::size_t drain(const SysExHandler& onSysEx, const ShortHandler& onShort = {});
    bool empty() const;

    // Messages lost to a full ring or to their length.
    std::uint64_t dropped() const { return dropped_.load(std::memory_order_relaxed); }
    std::uint64_t droppedTooLong() const { return tooLong_.load(std::memory_order_relaxed); }

  private:
    struct Slot {
        std::uint16_t length = 0;
        std::array<std::uint8_t, MaxSysExBytes> bytes{};
    };
    static_assert((SysExCapacity & (SysExCapacity - 1)) == 0);
    static_assert((ShortCapacity & (ShortCapacity - 1)) == 0);

    bool pushSysEx(std::span<const std::uint8_t> message);
    bool pushShort(std::span<const std::uint8_t> message);
    void countDrop() { dropped_.fetch_add(1, std::memory_order_relaxed); }

    // 128 KiB: kept off the stack and allocated once, up front.
    std::unique_ptr<std::array<Slot, SysExCapacity>> slots_;
    std::array<ShortMessage, ShortCapacity> shorts_{};
    // Free-running positions; the producer writes the tails, the consumer the
    // heads. An entry is complete before its tail is published.
    alignas(64) std::atomic<std::size_t> sysExHead_{0};
    alignas(64) std::atomic<std::size_t> sysExTail_{0};
    alignas(64) std::atomic<std::size_t> shortHead_{0};
    alignas(64) std::atomic<std::size_t> shortTail_{0};
    std::atomic<std::uint64_t> dropped_{0};
    std::atomic<std::uint64_t> tooLong_{0};
};

}  // namespace vornix::host
