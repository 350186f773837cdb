#include "app/editor_stack.hpp"

#include <cctype>

#include "host/built_in_pedal.hpp"
#include "host/editor_startup.hpp"
#include "resources/resources.hpp"

namespace vornix::app {

EditorStack::EditorStack(EventLoop& loop, const storage::DataFolder& folder, Platform& platform,
                         StackOptions options, host::Host::MessageHook hostMessage)
    : options_(options) {
    // With the simulated pedal, whatever arrives on the stored MIDI ports
    // belongs to another device and is not the editor's to handle.
    host::Host::Deliver fromPorts;
    if (!options.simulator)
        fromPorts = [this](std::span<const std::uint8_t> m) { deliver(m); };
    else
        fromPorts = [](std::span<const std::uint8_t>) {};
    host_ = std::make_unique<host::Host>(folder.root(), loop, std::move(fromPorts),
                                         std::move(hostMessage), host::HostOptions{options.audio});
    if (!options.simulator)
        host_->setPortHook([this](const auto& changes) { portsChanged(changes); });
    editor_ = std::make_unique<VornixControl>(loop, folder, platform);

    if (options.simulator) {
        pedal_ = std::make_unique<host::BuiltInPedal>(loop, folder);
        simulatorConnection_ = std::make_unique<host::DeviceConnection>(
            loop, pedal_->port(), [this](std::span<const std::uint8_t> m) { deliver(m); });
        editor_->setSender(
            [this](std::span<const std::uint8_t> m) { return simulatorConnection_->send(m); });
    } else {
        editor_->setSender(
            [this](std::span<const std::uint8_t> m) { return host_->sendToDevice(m); });
    }
}

EditorStack::~EditorStack() {
    shutDown();
    editor_.reset();
    simulatorConnection_.reset();
    pedal_.reset();
    host_.reset();
}

void EditorStack::deliver(std::span<const std::uint8_t> message) {
    if (editor_) editor_->sysExReceived(message);
}

// The pedal unplugged: offline at once, as RECONNECT does, instead of a
// transfer failing seconds later. Plugged back in, the host has opened the
// port again and the keep-alive identifies the device. One message box when
// the device goes and one when all of it is back.
void EditorStack::portsChanged(const std::vector<host::PortChange>& changes) {
    if (!editor_) return;
    if (host::anyPortWentAway(changes)) editor_->reconnect();
    std::string text = presence_.update(changes);
    if (text.empty()) return;
    text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    editor_->showMessageLater(text + ".");
}

void EditorStack::start() {
    host_->initialise([this] {
        for (int index = 0; index < editor_->nParams(); ++index) editor_->showParamChange(index);
    });
    host::startEditor(*editor_, [](int index) { return resources::factoryWav(index); });
    editor_->setDrawScale(static_cast<float>(host_->settingsFile().scale()));
    editor_->setDrawScaleSaver([this](float scale) { host_->settingsFile().saveScale(scale); });
    if (options_.audio) host_->openAudio();
}

void EditorStack::shutDown() {
    if (editor_) editor_->setSender(nullptr);
    if (host_) host_->shutDown();
}

}  // namespace vornix::app
