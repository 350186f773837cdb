#pragma once
// A MIDI connection that carries whole messages both ways: the editor's one
// way to the device and back, and the simulated pedal's way to the editor.
// Implementations: real RtMidi ports, the in-process simulated pedal and a
// line-oriented hex transport.
#include <cstdint>
#include <functional>
#include <span>

namespace vornix {

class MidiPort {
  public:
    // Called once per complete message. May run on any thread (RtMidi's input
    // thread, for one); the receiver must only queue the bytes.
    using Receiver = std::function<void(std::span<const std::uint8_t>)>;

    virtual ~MidiPort() = default;

    // Sends one complete message synchronously. False when nothing is open.
    virtual bool send(std::span<const std::uint8_t> message) = 0;
    virtual void setReceiver(Receiver receiver) = 0;
};

}  // namespace vornix
