#include "cli/session.hpp"

#include "cli/waiters.hpp"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>

#include "host/built_in_pedal.hpp"
#include "host/editor_startup.hpp"
#include "host/host.hpp"
#include "host/host_settings.hpp"
#include "host/named_ports.hpp"
#include "host/rtmidi_port.hpp"
#include "host/stdio_port.hpp"
#include "host/timing_stamps.hpp"
#ifdef VORNIX_HAVE_RESOURCES
#include "resources/resources.hpp"
#endif

namespace vornix::cli {

namespace {

constexpr int WaitSliceMs = 100;
const char* const NoAnswer = "no answer from the device";

std::atomic<bool> interrupted{false};

void onSignal(int) {
    interrupted.store(true);
}

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

storage::DataFolder dataFolderFor(const Options& options) {
    return options.dataDir.empty() ? storage::DataFolder::fromEnvironment()
                                   : storage::DataFolder(options.dataDir);
}

// ---- ConsolePlatform -------------------------------------------------------------------

void ConsolePlatform::messageBox(const std::string& text, const std::string&, Buttons buttons,
                                 std::function<void(Answer)> completion) {
    bool ok = true;
    if (buttons == Buttons::OkCancel)
        ok = confirm(text);
    else
        out_ << text << '\n';
    if (completion) completion(ok ? Answer::Ok : Answer::Cancel);
}

bool ConsolePlatform::confirm(const std::string& question) {
    if (assumeYes) return true;
    out_ << question << (canAsk ? " [y/N] " : " (answered no: use --yes)\n") << std::flush;
    if (!canAsk) return false;
    std::string reply;
    return std::getline(std::cin, reply) && (reply == "y" || reply == "Y" || reply == "yes");
}

std::optional<std::string> ConsolePlatform::chooseFile(const FileRequest&) {
    if (nextFile.empty()) return std::nullopt;
    return std::exchange(nextFile, std::string());
}

// ---- Session -----------------------------------------------------------------------------

Session::Session(const Options& options, SessionMode mode, std::ostream& human, std::string& error)
    : options_(options), mode_(mode), human_(human), platform_(human) {
    platform_.assumeYes = options.yes;
    platform_.canAsk = options.transport != Transport::Stdio;
    const storage::DataFolder folder = dataFolderFor(options);
    // monitor prints the traffic as its data, decoded unless the plain --trace
    // asks for the hex lines; --trace shows it next to any command.
    const bool monitoring = mode.watchesTraffic;
    std::ostream* traceOut = !monitoring                             ? &std::cerr
                             : options.transport == Transport::Stdio ? &std::cerr
                                                                     : &std::cout;
    const host::TraceMode traceMode = !monitoring ? options.trace
                                      : options.trace == host::TraceMode::Plain
                                          ? host::TraceMode::Plain
                                          : host::TraceMode::Decoded;
    trace_ =
        std::make_unique<host::TraceWriter>(traceMode, traceOut, [this] { return loop_.now(); });
    if (!openTransport(options, error)) return;
    editor_ = std::make_unique<VornixControl>(loop_, folder, platform_);
    editor_->link().setSender([this](std::span<const std::uint8_t> m) {
        trace_->sent(m);
        const bool sent = sendRaw_(m);
        host::stamp(host::Stamp::Sent);
        return sent;
    });
    editor_->link().events().add(*this);
#ifdef VORNIX_HAVE_RESOURCES
    host::startEditor(*editor_, [](int index) { return resources::factoryWav(index); });
#else
    host::startEditor(*editor_, {});
#endif
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

Session::~Session() {
    watch_.reset();
    editor_.reset();
    connection_.reset();
    host_.reset();
    pedal_.reset();
}

void Session::deliver(std::span<const std::uint8_t> message) {
    host::stamp(host::Stamp::Handle);
    trace_->received(message);
    received();
    if (editor_) editor_->sysExReceived(message);
}

bool Session::openTransport(const Options& options, std::string& error) {
    MidiPort* port = nullptr;
    switch (options.transport) {
        case Transport::Simulator:
            pedal_ = std::make_unique<host::BuiltInPedal>(loop_, dataFolderFor(options));
            port = &pedal_->port();
            break;
        case Transport::Stdio: {
            auto stdio =
                std::make_unique<host::StdioPort>(loop_, std::cout, STDIN_FILENO, std::cerr);
            stdio->setOnEndOfInput([this] { inputEnded_ = true; });
            port_ = std::move(stdio);
            port = port_.get();
            break;
        }
        case Transport::Ports: {
            auto midi = std::make_unique<host::RtMidiPort>();
            const std::string in = host::resolvePortName(midi->inputPorts(), options.inPort);
            const std::string out = host::resolvePortName(midi->outputPorts(), options.outPort);
            if (!midi->openInput(in) || !midi->openOutput(out)) {
                error = "no MIDI port named \"" + (midi->inputOpen() ? out : in) +
                        "\": see 'vornixctl ports'";
                return false;
            }
            watch_ = std::make_unique<host::PortWatch>(
                loop_, *midi, [this](const auto& changes) { portsChanged(changes); });
            watch_->watch(host::PortDirection::Input, in);
            watch_->watch(host::PortDirection::Output, out);
            port_ = std::move(midi);
            port = port_.get();
            break;
        }
        case Transport::Settings:
            return openStoredPorts(options, error);
        case Transport::None:
            sendRaw_ = [](std::span<const std::uint8_t>) { return false; };
            return true;
    }
    connection_ = std::make_unique<host::DeviceConnection>(
        loop_, *port, [this](std::span<const std::uint8_t> m) { deliver(m); });
    sendRaw_ = [this](std::span<const std::uint8_t> m) { return connection_->send(m); };
    return true;
}

// The ports stored in settings.ini, opened by the host as the editor does.
// Only monitor waits for ports that are not there; any other command would
// only end in "no answer from the device".
bool Session::openStoredPorts(const Options& options, std::string& error) {
    host_ = std::make_unique<host::Host>(
        dataFolderFor(options).root(), loop_,
        [this](std::span<const std::uint8_t> m) { deliver(m); },
        [this](const std::string& text, const std::string&) { human_ << text << '\n'; },
        host::HostOptions{.audio = false});
    host_->setPortHook([this](const auto& changes) { portsChanged(changes); });
    host_->initialise();
    const host::HostSettings& stored = host_->settings();
    if (stored.midiInput == host::PortOff || stored.midiOutput == host::PortOff) {
        error =
            "no MIDI ports are chosen in settings.ini: use --port NAME, --simulator, "
            "'vornixctl ports --detect --use' or the editor's File > MIDI Settings...";
        return false;
    }
    if (!host_->deviceReachable()) {
        if (!mode_.watchesTraffic) {
            error = "the MIDI ports \"" + stored.midiInput + "\" and \"" + stored.midiOutput +
                    "\" stored in settings.ini are not there: is the pedal plugged in?";
            return false;
        }
        human_ << host::search_text::Waiting << '\n';
    }
    sendRaw_ = [this](std::span<const std::uint8_t> m) { return host_->sendToDevice(m); };
    return true;
}

bool Session::deviceReachable() const {
    if (host_) return host_->deviceReachable();
    return watch_ && watch_->present(host::PortDirection::Input) &&
           watch_->present(host::PortDirection::Output);
}

void Session::received() {
    lastHeardMs_ = nowMs();
}

// The editor goes offline as its RECONNECT button does, so that it identifies
// the device again when the port is back. monitor carries on and says what
// happened; any other command ends at once rather than waiting for answers
// that cannot come.
void Session::portsChanged(const std::vector<host::PortChange>& changes) {
    const std::string text = host::describePortChanges(changes);
    const bool wentAway = host::anyPortWentAway(changes);
    if (wentAway && editor_) editor_->reconnect();
    // Back: asked at once rather than at the keep-alive's next turn.
    if (!wentAway && editor_ && deviceReachable()) editor_->connection().identifyNow();
    if (mode_.watchesTraffic) {
        human_ << text << '\n';
        return;
    }
    if (!wentAway || portGone_) return;
    portGone_ = true;
    failure_ = text;
    failureCode_ = ExitFailure;
    loop_.quit();
}

bool Session::waitFor(const std::function<bool()>& done, long long silenceMs) {
    if (portGone_) return false;
    if (lastHeardMs_ == 0) lastHeardMs_ = nowMs();
    for (;;) {
        loop_.runUntil(done, WaitSliceMs);
        // Before done(): going offline may end a transfer as if it failed.
        if (portGone_) return false;
        if (done()) return true;
        if (!refusal_.empty()) {
            failure_ = refusal_;
            failureCode_ = ExitRefusedVersion;
            return false;
        }
        if (interrupted.load()) {
            failure_ = "interrupted";
            failureCode_ = ExitFailure;
            return false;
        }
        if (inputEnded_) {
            loop_.runUntil(done, WaitSliceMs);  // the last lines may still be queued
            if (done()) return true;
            failure_ = "the device's input ended before the command finished";
            failureCode_ = ExitNoAnswer;
            return false;
        }
        if (nowMs() - lastHeardMs_ > silenceMs) {
            failure_ = NoAnswer;
            failureCode_ = ExitNoAnswer;
            return false;
        }
    }
}

bool Session::connect() {
    if (online_) return true;
    // A user at a terminal should not wait 3.3 s for the keep-alive's first request.
    editor_->link().send(sysex::requestPage(sysex::page::Identify));
    return waitFor([this] { return online_; });
}

// The sync starts when the link goes online, so the waiter listens first.
bool Session::synchronise() {
    SyncWaiter synced(editor_->link().events());
    if (!connect()) return false;
    return waitFor([&] { return synced.done(); });
}

void Session::runUntilInterrupted() {
    while (!interrupted.load() && !inputEnded_)
        loop_.runUntil([] { return interrupted.load(); }, WaitSliceMs);
}

// ---- EditorEvents ------------------------------------------------------------------------

void Session::message(const std::string& text) {
    lastMessage_ = text;
    // A refusal is the command's one-line failure; it is not said twice.
    if (text != refusal_) human_ << text << '\n';
}

void Session::note(const std::string& text) {
    trace_->note(text);
}

void Session::versionRefused(const std::string& text) {
    refusal_ = text;
}

void Session::onlineChanged(bool isOnline) {
    online_ = isOnline;
}

// IRs fetched for the current preset are part of a sync; they show no
// progress of their own. A transfer that makes progress is not silence.
void Session::transferProgress(Transfer transfer, double fraction) {
    // A bulk read reports progress once a preset's slot file is written.
    if (transfer == Transfer::BulkRead) host::stamp(host::Stamp::SlotWritten);
    received();
    if (transfer == Transfer::IrDownload) return;
    if (transfer == Transfer::Firmware)
        showProgress("firmware", fraction, lastProgressShown_);
    else
        showProgress("progress", fraction, lastTransferShown_);
}

// One line per tenth, so a log of a long transfer stays readable.
void Session::showProgress(const char* what, double fraction, int& lastShown) {
    const int tenth = static_cast<int>(fraction * 10.0);
    if (tenth == lastShown || tenth == 0) return;
    lastShown = tenth;
    human_ << what << ": " << tenth * 10 << " %\n";
}

}  // namespace vornix::cli
