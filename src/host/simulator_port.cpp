#include "host/simulator_port.hpp"

#include <algorithm>

namespace vornix::host {

SimulatorPort::SimulatorPort(EventLoop& loop, sim::Pedal& pedal, int latencyMs)
    : pedal_(pedal), shared_(std::make_shared<Shared>()) {
    shared_->latencyMs = std::max(latencyMs, 0);
    pedal_.setEmitter(
        [&loop, weak = std::weak_ptr<Shared>(shared_)](sysex::Bytes message, int delayMs) {
            auto shared = weak.lock();
            if (!shared) return;
            const int delay = std::max(delayMs, 0) + shared->latencyMs;
            auto deliver = [weak, message = std::move(message)] {
                auto alive = weak.lock();
                if (alive && alive->receiver) alive->receiver(message);
            };
            if (delay > 0)
                loop.after(delay, std::move(deliver));
            else
                loop.post(std::move(deliver));
        });
}

SimulatorPort::~SimulatorPort() {
    pedal_.setEmitter([](const sysex::Bytes&, int) {});
}

bool SimulatorPort::send(std::span<const std::uint8_t> message) {
    pedal_.receive(message);
    return true;
}

void SimulatorPort::setReceiver(Receiver receiver) {
    shared_->receiver = std::move(receiver);
}

void SimulatorPort::setLatency(int milliseconds) {
    shared_->latencyMs = std::max(milliseconds, 0);
}

}  // namespace vornix::host
