#pragma once
// A MidiPort decorator that keeps every message the editor sends, with the
// virtual time it left at.
#include <cstdint>
#include <vector>

#include "framework/midi_port.hpp"
#include "framework/virtual_event_loop.hpp"

namespace vornix::testing {

struct SentMessage {
    std::int64_t at = 0;
    std::vector<std::uint8_t> bytes;
};

class RecordingPort : public MidiPort {
  public:
    RecordingPort(MidiPort& inner, const VirtualEventLoop& loop) : inner_(inner), loop_(loop) {}

    bool send(std::span<const std::uint8_t> message) override {
        sent.push_back({loop_.now(), {message.begin(), message.end()}});
        return inner_.send(message);
    }
    void setReceiver(Receiver receiver) override { inner_.setReceiver(std::move(receiver)); }

    std::vector<SentMessage> sent;

  private:
    MidiPort& inner_;
    const VirtualEventLoop& loop_;
};

}  // namespace vornix::testing
