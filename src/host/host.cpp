#include "host/host.hpp"

#include <algorithm>

namespace vornix::host {

Host::Host(std::filesystem::path dataFolder, EventLoop& loop, Deliver deliver, MessageHook message,
           HostOptions options)
    : loop_(loop),
      deliver_(std::move(deliver)),
      message_(std::move(message)),
      options_(options),
      file_(std::move(dataFolder)) {}

Host::~Host() {
    shutDown();
}

void Host::initialise(const std::function<void()>& notifyParameters) {
    settings_ = file_.load();
    if (options_.audio) {
        audio_ = std::make_unique<AudioStream>(settings_.driver);
        (void)audio_->outputDevices();
    }
    midi_ = std::make_unique<RtMidiPort>();
    connection_ = std::make_unique<DeviceConnection>(loop_, *midi_, deliver_);
    watch_ = std::make_unique<PortWatch>(loop_, *midi_, [this](const auto& changes) {
        if (portHook_) portHook_(changes);
    });
    refreshPortLists();
    // Copies: selecting may store "off" into the settings.
    const std::string input = settings_.midiInput;
    const std::string output = settings_.midiOutput;
    selectMidiPort(PortDirection::Input, input);
    selectMidiPort(PortDirection::Output, output);
    if (notifyParameters) notifyParameters();
}

bool Host::openAudio() {
    if (!audio_ || shutDown_) return false;
    bool changed = false;
    const auto result = audio_->open(settings_, changed);
    if (changed) saveSettings();
    if (result == AudioStream::OpenResult::NoDevice && message_)
        message_(NoSoundcardText, NoSoundcardCaption);
    return result == AudioStream::OpenResult::Opened;
}

std::string& Host::storedName(PortDirection direction) {
    return direction == PortDirection::Input ? settings_.midiInput : settings_.midiOutput;
}

void Host::selectMidiPort(PortDirection direction, const std::string& name) {
    if (!midi_ || shutDown_) return;
    if (name == PortOff) {
        midi_->close(direction);
        watch_->watch(direction, PortOff);
        return;
    }
    const auto ports = midi_->ports(direction);
    const bool exists = std::find(ports.begin(), ports.end(), name) != ports.end();
    if (!exists) {
        // Never another port in its place: the user picks the device once.
        storedName(direction) = PortOff;
        saveSettings();
        midi_->close(direction);
        watch_->watch(direction, PortOff);
        return;
    }
    // A port that exists but fails to open keeps its name for the next start.
    midi_->open(direction, name);
    watch_->watch(direction, name);
}

void Host::choosePort(PortDirection direction, const std::string& name) {
    storedName(direction) = name;
    selectMidiPort(direction, name);
}

const std::vector<std::string>& Host::portList(PortDirection direction) const {
    return direction == PortDirection::Input ? inputList_ : outputList_;
}

void Host::refreshPortLists() {
    inputList_.assign(1, PortOff);
    outputList_.assign(1, PortOff);
    if (!midi_) return;
    for (auto& name : midi_->inputPorts()) inputList_.push_back(std::move(name));
    for (auto& name : midi_->outputPorts()) outputList_.push_back(std::move(name));
}

bool Host::sendToDevice(std::span<const std::uint8_t> message) {
    if (!midi_ || !midi_->hasOutputObject()) return false;
    midi_->send(message);
    return true;
}

std::uint64_t Host::droppedMessages() const {
    return connection_ ? connection_->dropped() : 0;
}

void Host::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (midi_) midi_->ignoreIncoming();
    watch_.reset();
    if (audio_) audio_->close();
    if (midi_) midi_->shutDown();
    connection_.reset();
    midi_.reset();
    audio_.reset();
}

}  // namespace vornix::host
