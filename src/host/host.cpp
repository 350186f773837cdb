#include "host/host.hpp"

#include <algorithm>
#include <utility>

#include "host/port_names.hpp"

namespace vornix::host {

namespace {

// How often the outputs are looked at for a new one while no port is stored.
constexpr int NewPortPollMs = 1000;

bool isPlaceholder(PortDirection direction, const std::string& name) {
    return name == (direction == PortDirection::Input ? settings_default::MidiInput
                                                      : settings_default::MidiOutput);
}

}  // namespace

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
    midi_ = std::make_unique<RtMidiPort>();
    connection_ = std::make_unique<DeviceConnection>(loop_, *midi_, deliver_);
    watch_ = std::make_unique<PortWatch>(loop_, *midi_,
                                         [this](const auto& changes) { portsChanged(changes); });
    refreshPortLists();
    // Copies: selecting may store "off" into the settings.
    const std::string input = settings_.midiInput;
    const std::string output = settings_.midiOutput;
    selectMidiPort(PortDirection::Input, input);
    selectMidiPort(PortDirection::Output, output);
    if (options_.findPedal && noPortStored()) startSearch();
    updateStatus();
    if (notifyParameters) notifyParameters();
}

std::string Host::audioFailedText(const std::string& device) {
    return "The audio device \"" + device +
           "\" could not be opened. The editor works without it; choose another in MIDI "
           "Settings.";
}

bool Host::openAudio() {
    if (!options_.audio || shutDown_) return false;
    if (!settings_.audioEnabled) {
        audio_.reset();
        return false;
    }
    if (!audio_ || audio_->driver() != settings_.driver)
        audio_ = std::make_unique<AudioStream>(settings_.driver);
    if (audio_->open(settings_)) {
        if (!settings_.audioFailed.empty()) {
            settings_.audioFailed.clear();
            file_.saveAudioFailed({});
        }
        return true;
    }
    // Nothing held: a device that failed is not kept half open.
    audio_.reset();
    if (settings_.audioFailed == settings_.audioOutput) return false;
    settings_.audioFailed = settings_.audioOutput;
    file_.saveAudioFailed(settings_.audioFailed);
    if (message_) message_(audioFailedText(settings_.audioOutput), AudioFailedCaption);
    return false;
}

std::string& Host::storedName(PortDirection direction) {
    return direction == PortDirection::Input ? settings_.midiInput : settings_.midiOutput;
}

bool Host::noPortStored() const {
    return settings_.midiInput == PortOff && settings_.midiOutput == PortOff;
}

void Host::selectMidiPort(PortDirection direction, const std::string& name) {
    if (!midi_ || shutDown_) return;
    PortMatch& match = direction == PortDirection::Input ? inputMatch_ : outputMatch_;
    match = {};
    if (isPlaceholder(direction, name)) {
        // The first start's "no input" / "no output": nothing was ever chosen.
        storedName(direction) = PortOff;
        saveSettings();
    }
    if (name == PortOff || isPlaceholder(direction, name)) {
        midi_->close(direction);
        watch_->watch(direction, PortOff);
        updateStatus();
        return;
    }
    // A port that is not there yet keeps its name and is opened when it
    // appears; one that is there but fails to open is tried by name again.
    match = matchStoredPort(midi_->ports(direction), name);
    if (match.count == 0)
        midi_->close(direction);
    else
        midi_->open(direction, match.name);
    watch_->watch(direction, name);
    updateStatus();
}

void Host::choosePort(PortDirection direction, const std::string& name) {
    storedName(direction) = name;
    selectMidiPort(direction, name);
    tellIfReachable();
}

void Host::usePedal(const FoundPedal& pedal, bool save) {
    settings_.midiInput = pedal.input;
    settings_.midiOutput = pedal.output;
    pedalsToChoose_ = 0;
    selectMidiPort(PortDirection::Input, pedal.input);
    selectMidiPort(PortDirection::Output, pedal.output);
    if (save) saveSettings();
    updateStatus();
    tellIfReachable();
}

void Host::portsChanged(const std::vector<PortChange>& changes) {
    for (const PortChange& change : changes) {
        if (!change.present) continue;
        PortMatch& match = change.direction == PortDirection::Input ? inputMatch_ : outputMatch_;
        match = {change.name, change.matching};
    }
    if (portHook_) portHook_(changes);
    updateStatus();
    if (std::any_of(changes.begin(), changes.end(), [](const auto& c) { return c.present; }))
        tellIfReachable();
}

bool Host::deviceReachable() const {
    if (!midi_ || settings_.midiOutput == PortOff || !midi_->outputOpen()) return false;
    return settings_.midiInput == PortOff || midi_->inputOpen();
}

void Host::tellIfReachable() {
    if (reachableHook_ && deviceReachable()) reachableHook_();
}

// ---- the search for the pedal ----------------------------------------------------------

void Host::findPedal(std::function<void(const std::vector<FoundPedal>&)> done) {
    if (!midi_ || shutDown_) return;
    // A search already running answers this request too.
    searchDone_ = std::move(done);
    // A search the user asked for asks every output again.
    if (!searching()) startSearch();
}

void Host::startSearch(const std::set<std::string>& skip) {
    if (!finder_)
        finder_ = std::make_unique<PedalFinder>(
            loop_, [this](const std::vector<FoundPedal>& found) { searchEnded(found); });
    finder_->start(skip);
    updateStatus();
}

void Host::searchEnded(const std::vector<FoundPedal>& found) {
    newPorts_.searched(finder_->outputsSeen(), finder_->outputsAsked(), finder_->inputsHeard());
    if (auto done = std::exchange(searchDone_, nullptr)) {
        updateStatus();
        done(found);
        return;
    }
    if (found.size() == 1) {
        usePedal(found.front());
    } else if (found.size() > 1) {
        pedalsToChoose_ = found.size();
        if (pedalsHook_) pedalsHook_(found);
    }
    updateStatus();
    if (noPortStored() && pedalsToChoose_ == 0) watchForNewPorts();
}

// Nothing answered at the first start: a pedal plugged in later is asked
// once its ports are there, and only the new outputs are asked.
void Host::watchForNewPorts() {
    if (newPortTimer_ >= 0) return;
    newPortTimer_ = loop_.every(NewPortPollMs, [this] {
        if (!noPortStored() || pedalsToChoose_ > 0 || searching()) return;
        if (auto skip = newPorts_.look(midi_->inputPorts(), midi_->outputPorts()))
            startSearch(*skip);
    });
}

// ---- the status box ---------------------------------------------------------------------

void Host::setStatusHook(StatusHook hook) {
    statusHook_ = std::move(hook);
    updateStatus();
}

void Host::updateStatus() {
    if (statusHook_) statusHook_(searchStatus());
}

std::string Host::searchStatus() const {
    if (searching()) return search_text::Looking;
    if (pedalsToChoose_ > 1)
        return std::to_string(pedalsToChoose_) + " pedals answered: see MIDI Settings";
    if (watch_ && watch_->waiting()) return search_text::Waiting;
    for (const PortMatch* match : {&inputMatch_, &outputMatch_})
        if (match->count > 1)
            return "Using the first of " + std::to_string(match->count) + " such ports:\n" +
                   match->name;
    return {};
}

// ---- ports ------------------------------------------------------------------------------

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
    if (newPortTimer_ >= 0) loop_.cancel(newPortTimer_);
    finder_.reset();
    if (midi_) midi_->ignoreIncoming();
    watch_.reset();
    if (audio_) audio_->close();
    if (midi_) midi_->shutDown();
    connection_.reset();
    midi_.reset();
    audio_.reset();
}

}  // namespace vornix::host
