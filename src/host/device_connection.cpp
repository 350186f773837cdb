#include "host/device_connection.hpp"

namespace vornix::host {

DeviceConnection::DeviceConnection(EventLoop& loop, MidiPort& port, Deliver deliver)
    : port_(port), state_(std::make_shared<State>(loop, std::move(deliver))) {
    // The receiver holds the state itself: a port may still be inside its
    // callback on another thread while this object goes away.
    port_.setReceiver(
        [state = state_](std::span<const std::uint8_t> message) { receive(state, message); });
}

DeviceConnection::~DeviceConnection() {
    port_.setReceiver({});
}

void DeviceConnection::receive(const std::shared_ptr<State>& state,
                               std::span<const std::uint8_t> message) {
    if (!state->inbox.push(message)) return;
    // One drain pending at a time: a burst of replies costs one wake-up.
    if (state->drainPending.exchange(true)) return;
    state->loop.post([weak = std::weak_ptr<State>(state)] {
        if (auto alive = weak.lock()) drain(*alive);
    });
}

void DeviceConnection::drain(State& state) {
    // Cleared first: a message pushed from here on posts a new drain.
    state.drainPending.store(false);
    if (state.delivering) return;
    struct Delivering {
        bool& flag;
        explicit Delivering(bool& f) : flag(f) { flag = true; }
        ~Delivering() { flag = false; }
    } guard(state.delivering);
    state.inbox.drain([&state](std::span<const std::uint8_t> message) {
        if (state.deliver) state.deliver(message);
    });
}

void DeviceConnection::drainNow() {
    drain(*state_);
}

std::uint64_t DeviceConnection::dropped() const {
    return state_->inbox.dropped();
}

}  // namespace vornix::host
