#pragma once
// A new JACK connection carries MIDI from a cycle boundary on, so the first
// request after a port was opened may leave in the cycle under way, to
// nobody. The editor asks again until the pedal answers; so does a test.
#include <chrono>
#include <vector>

#include "device/sysex.hpp"
#include "host/host.hpp"
#include "host/plain_event_loop.hpp"

namespace vornix::testing {

inline bool identifyUntilAnswered(host::Host& host, host::PlainEventLoop& loop,
                                  const std::vector<sysex::Bytes>& replies, int timeoutMs) {
    constexpr int AgainMs = 250;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!host.sendToDevice(sysex::requestPage(sysex::page::Identify))) return false;
        if (loop.runUntil([&] { return !replies.empty(); }, AgainMs)) return true;
    }
    return false;
}

}  // namespace vornix::testing
