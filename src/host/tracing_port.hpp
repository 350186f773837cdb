#pragma once
// A port that logs the traffic of another: "> " and the hex bytes for every
// message sent, "< " and the hex bytes for every message received, one line
// each. Used by the command line programs' --trace option.
#include <mutex>
#include <ostream>

#include "framework/midi_port.hpp"

namespace vornix::host {

class TracingPort : public MidiPort {
  public:
    TracingPort(MidiPort& inner, std::ostream& log);
    ~TracingPort() override;

    bool send(std::span<const std::uint8_t> message) override;
    void setReceiver(Receiver receiver) override;

  private:
    void write(const char* direction, std::span<const std::uint8_t> message);

    MidiPort& inner_;
    std::ostream& log_;
    // Sends come from the editor thread, receptions from the port's thread.
    std::mutex mutex_;
};

}  // namespace vornix::host
