#pragma once
// The standalone host: settings.ini, the device's MIDI ports and the silent
// audio stream, around one editor. Received SysEx reaches the editor on the
// event loop's thread through a DeviceConnection, whether or not the audio
// stream runs.
//
// Start-up order: settings, audio object and its devices, MIDI objects, port
// lists, the stored ports opened by name; then the caller runs the editor's
// per-parameter notification (initialise's hook) and opens the audio stream.
//
// The chosen ports are watched while the host runs: one that goes away is
// closed and reported through the port hook, one of the same name that comes
// back is opened again and reported. The stored names stay as they are.
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/event_loop.hpp"
#include "host/audio_stream.hpp"
#include "host/device_connection.hpp"
#include "host/host_settings.hpp"
#include "host/port_watch.hpp"
#include "host/rtmidi_port.hpp"

namespace vornix::host {

struct HostOptions {
    bool audio = true;  // the command line runs without an audio stream
};

class Host {
  public:
    static constexpr const char* NoSoundcardText =
        "Please check your soundcard settings in Preferences";
    static constexpr const char* NoSoundcardCaption = "Error";

    using Deliver = DeviceConnection::Deliver;
    // Shows a message to the user: (text, caption).
    using MessageHook = std::function<void(const std::string&, const std::string&)>;
    // Told when a chosen port went away or is back (open again).
    using PortHook = PortWatch::Report;

    Host(std::filesystem::path dataFolder, EventLoop& loop, Deliver deliver, MessageHook message,
         HostOptions options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Everything up to opening the stored MIDI ports, then `notifyParameters`
    // (the editor's showParamChange for every parameter in index order).
    void initialise(const std::function<void()>& notifyParameters = {});
    // (Re)opens the audio stream with the current settings; a missing device
    // is reported through the message hook. True when the stream runs.
    bool openAudio();

    // Opens the port of exactly this name ("off" closes the direction). A
    // name no port has any more becomes "off" and is saved.
    void selectMidiPort(PortDirection direction, const std::string& name);
    // What the preferences dialog does: store the name, then select it.
    void choosePort(PortDirection direction, const std::string& name);
    void setPortHook(PortHook hook) { portHook_ = std::move(hook); }
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

    EventLoop& loop_;
    Deliver deliver_;
    MessageHook message_;
    PortHook portHook_;
    HostOptions options_;
    SettingsFile file_;
    HostSettings settings_;
    std::unique_ptr<AudioStream> audio_;
    std::unique_ptr<RtMidiPort> midi_;
    std::unique_ptr<DeviceConnection> connection_;
    std::unique_ptr<PortWatch> watch_;
    std::vector<std::string> inputList_{PortOff};
    std::vector<std::string> outputList_{PortOff};
    bool shutDown_ = false;
};

}  // namespace vornix::host
