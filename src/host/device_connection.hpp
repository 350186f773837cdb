#pragma once
// Joins a MidiPort to the editor thread. Whatever thread the port receives on,
// messages are queued in a SysExInbox and handed to `deliver` on the event
// loop's thread, in arrival order, one at a time: a drain that finds deliver
// already on the stack (a nested loop inside a handler) leaves the messages to
// the drain that is running, which picks them up when the handler returns.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "framework/event_loop.hpp"
#include "framework/midi_port.hpp"
#include "host/sysex_inbox.hpp"

namespace vornix::host {

class DeviceConnection {
  public:
    using Deliver = std::function<void(std::span<const std::uint8_t>)>;

    DeviceConnection(EventLoop& loop, MidiPort& port, Deliver deliver);
    // Detaches from the port; drains already posted do nothing.
    ~DeviceConnection();
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    bool send(std::span<const std::uint8_t> message) { return port_.send(message); }
    // Delivers what is waiting now (the posted drain does the same).
    void drainNow();
    // Messages lost to a full inbox or their length.
    std::uint64_t dropped() const;

  private:
    struct State {
        explicit State(EventLoop& eventLoop, Deliver fn)
            : loop(eventLoop), deliver(std::move(fn)) {}
        EventLoop& loop;
        Deliver deliver;
        SysExInbox inbox;
        std::atomic<bool> drainPending{false};
        bool delivering = false;  // editor thread only
    };
    static void receive(const std::shared_ptr<State>& state, std::span<const std::uint8_t> message);
    static void drain(State& state);

    MidiPort& port_;
    std::shared_ptr<State> state_;
};

}  // namespace vornix::host
