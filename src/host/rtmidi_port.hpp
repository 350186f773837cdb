#pragma once
// The device's MIDI ports through RtMidi: one input object and one output
// object for the life of the host, ports opened and closed by exact name.
// RtMidi errors end only the call that raised them; nothing here throws.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/midi_port.hpp"
#include "host/named_ports.hpp"

class RtMidiIn;
class RtMidiOut;

namespace vornix::host {

class RtMidiPort : public MidiPort, public NamedPorts {
  public:
    static constexpr const char* InputClient = "RtMidi Input Client";
    static constexpr const char* OutputClient = "RtMidi Output Client";
    static constexpr const char* InputPortName = "RtMidi Input";
    static constexpr const char* OutputPortName = "RtMidi Output";

    // Creates both MIDI objects; either may be missing when no MIDI API works.
    RtMidiPort();
    ~RtMidiPort() override;
    RtMidiPort(const RtMidiPort&) = delete;
    RtMidiPort& operator=(const RtMidiPort&) = delete;

    // False when no output port is open or the send failed.
    bool send(std::span<const std::uint8_t> message) override;
    void setReceiver(Receiver receiver) override;

    bool hasInputObject() const { return in_ != nullptr; }
    bool hasOutputObject() const { return out_ != nullptr; }
    std::string apiName() const;
    // Port names in the order the system reports them.
    std::vector<std::string> inputPorts() const;
    std::vector<std::string> outputPorts() const;
    // Closes the direction's port, then opens the port of exactly this name.
    // False (and the direction closed) when there is none or it fails.
    bool openInput(const std::string& name);
    bool openOutput(const std::string& name);
    void closeInput();
    void closeOutput();
    bool inputOpen() const;
    bool outputOpen() const;

    // NamedPorts: the same, by direction.
    std::vector<std::string> ports(PortDirection direction) const override;
    bool open(PortDirection direction, const std::string& name) override;
    void close(PortDirection direction) override;
    // On JACK our port stays registered, unconnected, and is connected again
    // when the device is back. The server has removed the connection with
    // the vanished port, and sends every client new latencies as it does;
    // libjack walks a client's port list for them on its own thread without
    // a lock, so unregistering a port then could free what it walks.
    void lost(PortDirection direction) override;

    // Incoming messages are ignored from here on (the first step of shutdown).
    void ignoreIncoming() { shuttingDown_.store(true); }
    // From here on incoming messages are ignored; the callback is removed,
    // the output closed and both objects deleted. Idempotent.
    void shutDown();

  private:
    static void onMessage(double timeStamp, std::vector<unsigned char>* message, void* self);

    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    bool onJack() const;

    std::atomic<bool> shuttingDown_{false};
    // The port is registered but what it was connected to went away.
    bool inputLost_ = false;
    bool outputLost_ = false;
    // The receiver is called on RtMidi's thread and may be replaced on ours.
    std::mutex receiverMutex_;
    Receiver receiver_;
};

}  // namespace vornix::host
