#pragma once
// The standalone host: settings.ini, the device's MIDI ports and, when the
// user chose one, an audio device, around one editor. Received SysEx reaches
// the editor on the event loop's thread through a DeviceConnection; no reply
// depends on the audio stream.
//
// Start-up order: settings, MIDI objects, port lists, the stored ports opened
// by name (or the pedal looked for when none is stored); then the caller runs
// the editor's per-parameter notification (initialise's hook) and opens the
// audio stream.
//
// Stored port names are kept whether or not their ports are there: a port is
// opened when it appears, closed when it goes and opened again when it is
// back, each reported through the port hook. Names are matched without the
// numbers the system adds (port_names.hpp).
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "framework/event_loop.hpp"
#include "host/audio_stream.hpp"
#include "host/device_connection.hpp"
#include "host/host_settings.hpp"
#include "host/new_ports.hpp"
#include "host/pedal_finder.hpp"
#include "host/port_names.hpp"
#include "host/port_watch.hpp"
#include "host/rtmidi_port.hpp"

namespace vornix::host {

struct HostOptions {
    bool audio = true;  // the command line never opens an audio device
    // Look for the pedal when no port is stored (the editor, not the command line).
    bool findPedal = false;
};

namespace search_text {
inline constexpr const char* Waiting = "Waiting for the MIDI ports of the pedal...";
inline constexpr const char* Looking = "Looking for the pedal...";
}  // namespace search_text

class Host {
  public:
    static constexpr const char* AudioFailedCaption = "Error";

    using Deliver = DeviceConnection::Deliver;
    // Shows a message to the user: (text, caption).
    using MessageHook = std::function<void(const std::string&, const std::string&)>;
    // Told when a chosen port went away or is back (open again).
    using PortHook = PortWatch::Report;
    // The device's ports have just opened: the editor may ask it at once.
    using ReachableHook = std::function<void()>;
    // How the device is being reached, for the status box ("" when plainly connecting).
    using StatusHook = std::function<void(const std::string&)>;
    // More than one pedal answered the search at start: the user chooses.
    using PedalsHook = std::function<void(const std::vector<FoundPedal>&)>;

    Host(std::filesystem::path dataFolder, EventLoop& loop, Deliver deliver, MessageHook message,
         HostOptions options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Everything up to opening the stored MIDI ports (or starting the search
    // for the pedal), then `notifyParameters` (the editor's showParamChange
    // for every parameter in index order).
    void initialise(const std::function<void()>& notifyParameters = {});
    // (Re)opens the audio stream as the settings say: none unless a device is
    // chosen. A chosen device that does not open is reported once through
    // the message hook, not again while it stays the one that failed. True
    // when the stream runs.
    bool openAudio();
    static std::string audioFailedText(const std::string& device);

    // Opens the port stored under this name ("off" closes the direction); a
    // port that is not there is opened when it appears.
    void selectMidiPort(PortDirection direction, const std::string& name);
    // What the preferences dialog does: store the name, then select it.
    void choosePort(PortDirection direction, const std::string& name);
    // Both ports of a pedal found by the search, stored (and saved unless
    // the preferences dialog, which saves on OK, chose them).
    void usePedal(const FoundPedal& pedal, bool save = true);
    // Asks every output for a pedal (what "Find the Pedal" does); `done` gets
    // what answered. Ignored while a search runs.
    void findPedal(std::function<void(const std::vector<FoundPedal>&)> done);
    bool searching() const { return finder_ && finder_->running(); }

    void setPortHook(PortHook hook) { portHook_ = std::move(hook); }
    void setReachableHook(ReachableHook hook) { reachableHook_ = std::move(hook); }
    void setStatusHook(StatusHook hook);
    void setPedalsHook(PedalsHook hook) { pedalsHook_ = std::move(hook); }
    // Both chosen ports are open (an input set to "off" does not count).
    bool deviceReachable() const;
    std::string searchStatus() const;

    // "off" followed by every port the system reports, as of the last refresh.
    const std::vector<std::string>& portList(PortDirection direction) const;
    void refreshPortLists();

    // False only when there is no MIDI output object; with no port open the
    // message goes nowhere.
    bool sendToDevice(std::span<const std::uint8_t> message);

    HostSettings& settings() { return settings_; }
    const SettingsFile& settingsFile() const { return file_; }
    bool saveSettings() { return file_.save(settings_); }
    const AudioStream* audio() const { return audio_.get(); }
    RtMidiPort* midi() { return midi_.get(); }
    std::uint64_t droppedMessages() const;

    // Incoming MIDI ignored, audio closed, MIDI callback removed, output
    // closed, MIDI objects and then the audio object deleted. Idempotent.
    void shutDown();

  private:
    std::string& storedName(PortDirection direction);
    bool noPortStored() const;
    void portsChanged(const std::vector<PortChange>& changes);
    void startSearch(const std::set<std::string>& skip = {});
    void searchEnded(const std::vector<FoundPedal>& found);
    void watchForNewPorts();
    void updateStatus();
    void tellIfReachable();

    EventLoop& loop_;
    Deliver deliver_;
    MessageHook message_;
    PortHook portHook_;
    ReachableHook reachableHook_;
    StatusHook statusHook_;
    PedalsHook pedalsHook_;
    HostOptions options_;
    SettingsFile file_;
    HostSettings settings_;
    std::unique_ptr<AudioStream> audio_;
    std::unique_ptr<RtMidiPort> midi_;
    std::unique_ptr<DeviceConnection> connection_;
    std::unique_ptr<PortWatch> watch_;
    std::unique_ptr<PedalFinder> finder_;
    std::function<void(const std::vector<FoundPedal>&)> searchDone_;
    // What the searches so far asked: new ports are worth asking.
    NewPorts newPorts_;
    EventLoop::TimerId newPortTimer_ = -1;
    // The ports that fitted the stored names when they were opened.
    PortMatch inputMatch_;
    PortMatch outputMatch_;
    std::size_t pedalsToChoose_ = 0;
    std::vector<std::string> inputList_{PortOff};
    std::vector<std::string> outputList_{PortOff};
    bool shutDown_ = false;
};

}  // namespace vornix::host
