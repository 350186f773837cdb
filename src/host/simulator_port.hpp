#pragma once
// The simulated pedal in the same process. Replies never reach the receiver
// inside send(): they are posted to the event loop (or scheduled after the
// delay the pedal asks for, plus an optional fixed latency), as a real port's
// replies arrive later from another thread.
#include <memory>

#include "framework/event_loop.hpp"
#include "framework/midi_port.hpp"
#include "sim/pedal.hpp"

namespace vornix::host {

class SimulatorPort : public MidiPort {
  public:
    SimulatorPort(EventLoop& loop, sim::Pedal& pedal, int latencyMs = 0);
    // Replies still scheduled are then discarded.
    ~SimulatorPort() override;
    SimulatorPort(const SimulatorPort&) = delete;
    SimulatorPort& operator=(const SimulatorPort&) = delete;

    bool send(std::span<const std::uint8_t> message) override;
    void setReceiver(Receiver receiver) override;
    void setLatency(int milliseconds);

  private:
    struct Shared {
        Receiver receiver;
        int latencyMs = 0;
    };
    sim::Pedal& pedal_;
    // Scheduled replies hold a weak reference, so they outlive the port safely.
    std::shared_ptr<Shared> shared_;
};

}  // namespace vornix::host
