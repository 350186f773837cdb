#pragma once
// One run of vornixctl against a device: the event loop, the transport
// (simulated pedal, stdio peer or MIDI ports), the editor with its window
// closed, and waiting for milestones with a time-out while the device is silent.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "core/editor_events.hpp"
#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "host/device_connection.hpp"
#include "host/plain_event_loop.hpp"
#include "host/port_watch.hpp"
#include "host/trace_writer.hpp"
#include "storage/data_folder.hpp"

namespace vornix::host {
class BuiltInPedal;
class Host;
}  // namespace vornix::host

namespace vornix::cli {

// The data folder of --data-dir, else of the environment.
storage::DataFolder dataFolderFor(const Options& options);

// Exit codes.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitNoAnswer = 2;
inline constexpr int ExitRefusedVersion = 3;
// show and diff: a source could not be read.
inline constexpr int ExitUnreadableSource = 4;
// The device goes quiet for this long before a command gives up.
inline constexpr long long SilenceLimitMs = 10000;

// Answers the editor's questions the way the command line was told to and
// prints its messages; file dialogs return the path the command set.
class ConsolePlatform : public Platform {
  public:
    explicit ConsolePlatform(std::ostream& out) : out_(out) {}
    void messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                    std::function<void(Answer)> completion) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    void openUrl(const std::string&) override {}
    std::string nextFile;
    bool assumeYes = false;
    // False when stdin carries the device's messages: nothing can be asked.
    bool canAsk = true;
    // Asks a yes/no question on the terminal; --yes answers yes.
    bool confirm(const std::string& question);

  private:
    std::ostream& out_;
};

// How a command uses the session (see CommandSpec).
struct SessionMode {
    // The traffic is the data; ports that go away are waited for.
    bool watchesTraffic = false;
};

class Session : public LinkEvents, public TransferEvents, public MessageEvents {
  public:
    // Builds the transport; `error` says why when it could not (ports missing).
    Session(const Options& options, SessionMode mode, std::ostream& human, std::string& error);
    ~Session() override;

    VornixControl& editor() { return *editor_; }
    ConsolePlatform& platform() { return platform_; }
    std::ostream& human() { return human_; }
    host::BuiltInPedal* pedal() { return pedal_.get(); }

    // Asks the device to identify itself at once and waits for it to go online.
    bool connect();
    // Connects and waits until the cache is in step and the current preset applied.
    bool synchronise();
    // Runs the loop until done() is true. False after `silenceMs` without a
    // message from the device or progress of a transfer, when the device's
    // input ended or its MIDI port went away, or when it refused to work with
    // this program.
    bool waitFor(const std::function<bool()>& done, long long silenceMs = SilenceLimitMs);
    // Runs the loop until interrupted (SIGINT/SIGTERM) or the input ends; a
    // MIDI port that goes away meanwhile is reported and opened again when back.
    void runUntilInterrupted();
    // The reason the last wait failed, for the one-line error.
    const std::string& failure() const { return failure_; }
    int failureCode() const { return failureCode_; }

    // The last message box text (the reason of a failed transfer).
    const std::string& lastMessage() const { return lastMessage_; }

    // What the session itself hears: the words and the refusals the user
    // must see, the link going on and offline, and the progress of transfers.
    void message(const std::string& text) override;
    void note(const std::string& text) override;
    void versionRefused(const std::string& text) override;
    void onlineChanged(bool online) override;
    void transferProgress(Transfer transfer, double fraction) override;

  private:
    bool openTransport(const Options& options, std::string& error);
    bool openStoredPorts(const Options& options, std::string& error);
    void deliver(std::span<const std::uint8_t> message);
    void received();
    void portsChanged(const std::vector<host::PortChange>& changes);
    // Both MIDI ports of the device are open.
    bool deviceReachable() const;

    Options options_;
    SessionMode mode_;
    bool online_ = false;
    std::string lastMessage_;
    std::ostream& human_;
    host::PlainEventLoop loop_;
    ConsolePlatform platform_;
    std::unique_ptr<host::BuiltInPedal> pedal_;
    std::unique_ptr<MidiPort> port_;
    std::unique_ptr<host::DeviceConnection> connection_;
    std::unique_ptr<host::Host> host_;
    std::unique_ptr<host::PortWatch> watch_;
    std::function<bool(std::span<const std::uint8_t>)> sendRaw_;
    std::unique_ptr<host::TraceWriter> trace_;
    std::unique_ptr<VornixControl> editor_;
    bool inputEnded_ = false;
    bool portGone_ = false;
    long long lastHeardMs_ = 0;
    std::string failure_;
    std::string refusal_;
    int failureCode_ = ExitFailure;
    int lastProgressShown_ = -1;
    int lastTransferShown_ = -1;
    void showProgress(const char* what, double fraction, int& lastShown);
};

}  // namespace vornix::cli
