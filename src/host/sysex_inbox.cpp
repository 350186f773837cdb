#include "host/sysex_inbox.hpp"

#include <algorithm>

namespace vornix::host {

SysExInbox::SysExInbox() : slots_(std::make_unique<std::array<Slot, SysExCapacity>>()) {}

bool SysExInbox::push(std::span<const std::uint8_t> message) {
    if (message.empty()) return false;
    if (message.size() < MinSysExBytes) return pushShort(message);
    if (message.size() > MaxSysExBytes) {
        tooLong_.fetch_add(1, std::memory_order_relaxed);
        countDrop();
        return false;
    }
    return pushSysEx(message);
}

bool SysExInbox::pushSysEx(std::span<const std::uint8_t> message) {
    const std::size_t tail = sysExTail_.load(std::memory_order_relaxed);
    if (tail - sysExHead_.load(std::memory_order_acquire) >= SysExCapacity) {
        countDrop();
        return false;
    }
    Slot& slot = (*slots_)[tail & (SysExCapacity - 1)];
    std::copy(message.begin(), message.end(), slot.bytes.begin());
    slot.length = static_cast<std::uint16_t>(message.size());
    sysExTail_.store(tail + 1, std::memory_order_release);
    return true;
}

bool SysExInbox::pushShort(std::span<const std::uint8_t> message) {
    const std::size_t tail = shortTail_.load(std::memory_order_relaxed);
    if (tail - shortHead_.load(std::memory_order_acquire) >= ShortCapacity) {
        countDrop();
        return false;
    }
    ShortMessage& entry = shorts_[tail & (ShortCapacity - 1)];
    entry.status = message[0];
    entry.data1 = message.size() > 1 ? message[1] : 0;
    entry.data2 = message.size() > 2 ? message[2] : 0;
    shortTail_.store(tail + 1, std::memory_order_release);
    return true;
}

std::size_t SysExInbox::drain(const SysExHandler& onSysEx, const ShortHandler& onShort) {
    std::size_t delivered = 0;
    std::size_t head = sysExHead_.load(std::memory_order_relaxed);
    // The tail is read again after every message, so what arrives while one
    // is being handled is delivered in the same drain.
    while (head != sysExTail_.load(std::memory_order_acquire)) {
        const Slot& slot = (*slots_)[head & (SysExCapacity - 1)];
        // The slot is released only after the handler returns: the span
        // stays valid for the whole call.
        if (onSysEx) onSysEx(std::span<const std::uint8_t>(slot.bytes.data(), slot.length));
        ++head;
        ++delivered;
        sysExHead_.store(head, std::memory_order_release);
    }
    std::size_t shortHead = shortHead_.load(std::memory_order_relaxed);
    while (shortHead != shortTail_.load(std::memory_order_acquire)) {
        const ShortMessage entry = shorts_[shortHead & (ShortCapacity - 1)];
        ++shortHead;
        shortHead_.store(shortHead, std::memory_order_release);
        if (onShort) onShort(entry);
    }
    return delivered;
}

bool SysExInbox::empty() const {
    return sysExHead_.load(std::memory_order_acquire) ==
               sysExTail_.load(std::memory_order_acquire) &&
           shortHead_.load(std::memory_order_acquire) == shortTail_.load(std::memory_order_acquire);
}

}  // namespace vornix::host
