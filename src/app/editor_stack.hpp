#pragma once
// The host and the editor inside it, and the device they talk to: the MIDI
// ports stored in settings.ini (or named on the command line), or the
// simulated pedal in this process. Shared by the window, --render-to and
// --headless; nothing here touches GTK.
//
// Start-up order: host, editor, host initialisation (settings, ports, one
// change notification per parameter), the editor's caches (factory IR files,
// IR names, preset list), then the audio stream.
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/platform.hpp"
#include "core/traffic_capture.hpp"
#include "core/vornix_control.hpp"
#include "framework/event_loop.hpp"
#include "host/device_connection.hpp"
#include "host/device_presence.hpp"
#include "host/host.hpp"
#include "host/trace_writer.hpp"
#include "storage/data_folder.hpp"

namespace vornix::host {
class BuiltInPedal;
}

namespace vornix::app {

struct StackOptions {
    bool simulator = false;
    bool audio = true;
    // Every SysEx message both ways, as vornixctl --trace prints it, on `trace`.
    host::TraceMode traceMode = host::TraceMode::Off;
    std::ostream* trace = nullptr;
    // Opened instead of the stored ports for this run; settings.ini keeps its
    // names. Empty: the stored ports.
    std::string inPort = {};
    std::string outPort = {};
};

class EditorStack {
  public:
    EditorStack(EventLoop& loop, const storage::DataFolder& folder, Platform& platform,
                const StackOptions& options, host::Host::MessageHook hostMessage);
    // Host shut down first, so no message arrives for an editor being torn down.
    ~EditorStack();
    EditorStack(const EditorStack&) = delete;
    EditorStack& operator=(const EditorStack&) = delete;

    // Host initialisation, the ports named in the options, the editor's
    // caches, then the audio stream when asked for, and the identification
    // request when the pedal's ports are open. Throws std::runtime_error
    // when a named port does not exist.
    void start();
    // MIDI and audio stopped (the window has closed); idempotent.
    void shutDown();

    VornixControl& editor() { return *editor_; }
    host::Host& host() { return *host_; }
    host::BuiltInPedal* pedal() { return pedal_.get(); }
    // The editor's traffic since the start, for the MIDI monitor.
    TrafficCapture& capture() { return *capture_; }

  private:
    void deliver(std::span<const std::uint8_t> message);
    bool send(std::span<const std::uint8_t> message);
    void openNamedPorts();
    void portsChanged(const std::vector<host::PortChange>& changes);

    StackOptions options_;
    host::TraceWriter trace_;
    std::unique_ptr<TrafficCapture> capture_;
    std::unique_ptr<host::Host> host_;
    std::unique_ptr<VornixControl> editor_;
    std::unique_ptr<host::BuiltInPedal> pedal_;
    std::unique_ptr<host::DeviceConnection> simulatorConnection_;
    host::DevicePresence presence_;
};

}  // namespace vornix::app
