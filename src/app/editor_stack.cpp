#include "app/editor_stack.hpp"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

#include "device/sysex.hpp"
#include "host/built_in_pedal.hpp"
#include "host/editor_startup.hpp"
#include "host/named_ports.hpp"
#include "resources/resources.hpp"

namespace vornix::app {

EditorStack::EditorStack(EventLoop& loop, const storage::DataFolder& folder, Platform& platform,
                         const StackOptions& options, host::Host::MessageHook hostMessage)
    : options_(options),
      trace_(options.traceMode, options.trace, [&loop] { return loop.now(); }),
      capture_(std::make_unique<TrafficCapture>(loop)) {
    // With the simulated pedal, whatever arrives on the stored MIDI ports
    // belongs to another device and is not the editor's to handle.
    host::Host::Deliver fromPorts;
    if (!options.simulator)
        fromPorts = [this](std::span<const std::uint8_t> m) { deliver(m); };
    else
        fromPorts = [](std::span<const std::uint8_t>) {};
    // The pedal is looked for only where the user named no device.
    const host::HostOptions hostOptions{.audio = options.audio,
                                        .findPedal = !options.simulator && options.inPort.empty()};
    host_ = std::make_unique<host::Host>(folder.root(), loop, std::move(fromPorts),
                                         std::move(hostMessage), hostOptions);
    editor_ = std::make_unique<VornixControl>(loop, folder, platform);
    editor_->link().events().add(*capture_);
    if (!options.simulator) {
        host_->setPortHook([this](const auto& changes) { portsChanged(changes); });
        host_->setReachableHook([this] { editor_->connection().identifyNow(); });
        host_->setStatusHook(
            [this](const std::string& text) { editor_->connection().setSearchStatus(text); });
    }

    if (options.simulator) {
        pedal_ = std::make_unique<host::BuiltInPedal>(loop, folder);
        simulatorConnection_ = std::make_unique<host::DeviceConnection>(
            loop, pedal_->port(), [this](std::span<const std::uint8_t> m) { deliver(m); });
    }
    editor_->link().setSender([this](std::span<const std::uint8_t> m) { return send(m); });
}

EditorStack::~EditorStack() {
    shutDown();
    editor_.reset();
    simulatorConnection_.reset();
    pedal_.reset();
    host_.reset();
}

bool EditorStack::send(std::span<const std::uint8_t> message) {
    trace_.sent(message);
    return simulatorConnection_ ? simulatorConnection_->send(message)
                                : host_->sendToDevice(message);
}

void EditorStack::deliver(std::span<const std::uint8_t> message) {
    trace_.received(message);
    if (editor_) editor_->sysExReceived(message);
}

// The pedal unplugged: offline at once, as RECONNECT does, instead of a
// transfer failing seconds later. Plugged back in, the host opens the ports
// again and tells the editor to identify the device at once (the reachable
// hook). One message box when the device goes and one when all of it is back.
void EditorStack::portsChanged(const std::vector<host::PortChange>& changes) {
    if (!editor_) return;
    if (host::anyPortWentAway(changes)) editor_->reconnect();
    std::string text = presence_.update(changes);
    if (text.empty()) return;
    text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    editor_->link().showMessageLater(text + ".");
}

void EditorStack::start() {
    host_->initialise([this] {
        for (int index = 0; index < editor_->nParams(); ++index) editor_->showParamChange(index);
    });
    if (!options_.inPort.empty()) openNamedPorts();
    host::startEditor(*editor_, [](int index) { return resources::factoryWav(index); });
    editor_->setDrawScale(static_cast<float>(host_->settingsFile().scale()));
    editor_->setDrawScaleSaver([this](float scale) { host_->settingsFile().saveScale(scale); });
    if (options_.audio) host_->openAudio();
    // The pedal's ports are open already: no need to wait for the keep-alive.
    if (!options_.simulator && host_->deviceReachable()) editor_->connection().identifyNow();
}

// By the names vornixctl takes: a port's name or the start of one no other
// port shares. A name that fits no port stops the start: quietly talking to
// no device would only end in a timeout.
void EditorStack::openNamedPorts() {
    using host::PortDirection;
    for (const auto& [direction, given] : {std::pair{PortDirection::Input, options_.inPort},
                                           std::pair{PortDirection::Output, options_.outPort}}) {
        const auto& ports = host_->portList(direction);
        const std::string name = host::resolvePortName(ports, given);
        if (std::find(ports.begin(), ports.end(), name) == ports.end())
            throw std::runtime_error("no MIDI port named \"" + given + "\": see 'vornixctl ports'");
        host_->selectMidiPort(direction, name);
    }
}

void EditorStack::shutDown() {
    if (editor_) editor_->link().setSender(nullptr);
    if (host_) host_->shutDown();
}

}  // namespace vornix::app
