#include "host/rtmidi_port.hpp"

#include <RtMidi.h>

#include <utility>

#include "host/midi_api.hpp"
#include "host/timing_stamps.hpp"

namespace vornix::host {
namespace {

// SysEx and active sensing are delivered; timing clock would flood the
// input at 24 messages per beat for nothing.
constexpr bool IgnoreSysEx = false;
constexpr bool IgnoreTiming = true;
constexpr bool IgnoreSensing = false;

}  // namespace

RtMidiPort::RtMidiPort() {
    // The two client names differ, so with JACK (one client per object)
    // neither is renamed behind our back.
    in_ = makeMidiIn(InputClient);
    out_ = makeMidiOut(OutputClient);
    if (in_) {
        try {
            in_->ignoreTypes(IgnoreSysEx, IgnoreTiming, IgnoreSensing);
            in_->setCallback(&RtMidiPort::onMessage, this);
        } catch (const RtMidiError&) {
            in_.reset();
        }
    }
}

RtMidiPort::~RtMidiPort() {
    shutDown();
}

void RtMidiPort::onMessage(double, std::vector<unsigned char>* message, void* self) {
    stamp(Stamp::MidiIn);
    auto& port = *static_cast<RtMidiPort*>(self);
    if (!message || message->empty() || port.shuttingDown_.load()) return;
    std::lock_guard lock(port.receiverMutex_);
    if (port.receiver_) port.receiver_(std::span<const std::uint8_t>(*message));
}

bool RtMidiPort::send(std::span<const std::uint8_t> message) {
    if (!out_ || outputLost_ || message.empty()) return false;
    try {
        if (!out_->isPortOpen()) return false;
        out_->sendMessage(message.data(), message.size());
        return true;
    } catch (const RtMidiError&) {
        return false;
    }
}

void RtMidiPort::setReceiver(Receiver receiver) {
    std::lock_guard lock(receiverMutex_);
    receiver_ = std::move(receiver);
}

std::string RtMidiPort::apiName() const {
    if (in_) return RtMidi::getApiDisplayName(in_->getCurrentApi());
    if (out_) return RtMidi::getApiDisplayName(out_->getCurrentApi());
    return {};
}

std::vector<std::string> RtMidiPort::inputPorts() const {
    return in_ ? portNamesOf(*in_) : std::vector<std::string>{};
}

std::vector<std::string> RtMidiPort::outputPorts() const {
    return out_ ? portNamesOf(*out_) : std::vector<std::string>{};
}

bool RtMidiPort::openInput(const std::string& name) {
    // A lost port is connected again as it is.
    if (!std::exchange(inputLost_, false)) closeInput();
    if (!in_) return false;
    if (openPortNamed(*in_, name, InputPortName)) return true;
    closeInput();
    return false;
}

bool RtMidiPort::openOutput(const std::string& name) {
    if (!std::exchange(outputLost_, false)) closeOutput();
    if (!out_) return false;
    if (openPortNamed(*out_, name, OutputPortName)) return true;
    closeOutput();
    return false;
}

void RtMidiPort::closeInput() {
    inputLost_ = false;
    if (!in_) return;
    try {
        in_->closePort();
    } catch (const RtMidiError&) {
    }
}

void RtMidiPort::closeOutput() {
    outputLost_ = false;
    if (!out_) return;
    try {
        out_->closePort();
    } catch (const RtMidiError&) {
    }
}

bool RtMidiPort::inputOpen() const {
    return in_ && !inputLost_ && in_->isPortOpen();
}

bool RtMidiPort::outputOpen() const {
    return out_ && !outputLost_ && out_->isPortOpen();
}

bool RtMidiPort::onJack() const {
    if (in_) return in_->getCurrentApi() == RtMidi::UNIX_JACK;
    return out_ && out_->getCurrentApi() == RtMidi::UNIX_JACK;
}

void RtMidiPort::lost(PortDirection direction) {
    const bool input = direction == PortDirection::Input;
    if (!onJack() || !(input ? inputOpen() : outputOpen())) {
        close(direction);
        return;
    }
    (input ? inputLost_ : outputLost_) = true;
}

std::vector<std::string> RtMidiPort::ports(PortDirection direction) const {
    return direction == PortDirection::Input ? inputPorts() : outputPorts();
}

bool RtMidiPort::open(PortDirection direction, const std::string& name) {
    return direction == PortDirection::Input ? openInput(name) : openOutput(name);
}

void RtMidiPort::close(PortDirection direction) {
    direction == PortDirection::Input ? closeInput() : closeOutput();
}

void RtMidiPort::shutDown() {
    shuttingDown_.store(true);
    if (in_) {
        try {
            in_->cancelCallback();
        } catch (const RtMidiError&) {
        }
    }
    closeOutput();
    // Deleting the input object closes its port and joins RtMidi's thread,
    // so no callback runs after this.
    in_.reset();
    out_.reset();
}

}  // namespace vornix::host
