// vornix-sim: the simulated pedal on real MIDI ports, for the editor, the
// command line and the integration tests.
//
// It opens a virtual input and a virtual output port, both named "Vornix
// Simulator" (or --name), on RtMidi objects whose clients are "Vornix
// Simulator In" and "Vornix Simulator Out" (with JACK every RtMidi object is
// its own client, and two clients of one name would be renamed). Under JACK
// the editor then opens
//   input  (what the pedal sends):     "Vornix Simulator Out:Vornix Simulator"
//   output (what the pedal receives):  "Vornix Simulator In:Vornix Simulator"
// The exact names are printed at start, as the editor's port lists show them.
//
// Sections: options, the MIDI side, the main loop.
#include <RtMidi.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "device/sysex.hpp"
#include "framework/midi_port.hpp"
#include "host/midi_api.hpp"
#include "host/plain_event_loop.hpp"
#include "host/sysex_inbox.hpp"
#include "host/timing_stamps.hpp"
#include "host/trace_writer.hpp"
#include "sim/pedal.hpp"

namespace {

using namespace vornix;

constexpr const char* DefaultPortName = "Vornix Simulator";
constexpr int SignalPollMs = 50;
// Far longer than a JACK process cycle, even on a loaded machine.
constexpr std::chrono::milliseconds OutputCycleGrace{50};
// State is written this long after the last message, not after each one of
// a 128-preset burst.
constexpr int StateSaveDelayMs = 500;
constexpr int ExitOk = 0;
constexpr int ExitUsage = 64;
constexpr int ExitNoMidi = 69;
constexpr unsigned MaxChecksum = 0x3FFF;

constexpr const char* Usage =
    "usage: vornix-sim [options]\n"
    "The simulated pedal on virtual MIDI ports named \"Vornix Simulator\".\n"
    "  --name NAME          names its ports NAME (clients \"NAME In\", \"NAME Out\")\n"
    "  --version X.Y        firmware version it reports (default 1.3)\n"
    "  --serial TEXT        serial number it reports (default VX1-000417)\n"
    "  --state DIR          load presets and IRs from DIR; save there after changes and at exit\n"
    "  --reset-presets      start from the factory presets even with --state\n"
    "  --ir-dump-checksum-offset N\n"
    "                       add N to the checksum of every IR it sends (a device's own "
    "convention)\n"
    "  --silent             answer nothing, as if unplugged\n"
    "  --refuse-restore N   refuse the Nth bank-restore message (0: every one)\n"
    "  --fail-firmware      take a firmware update and then report failure\n"
    "  --drop CMD:N         drop the Nth reply with command byte CMD (hex; N 0: every one)\n"
    "  --corrupt CMD:N      corrupt the Nth reply with command byte CMD\n"
    "  --duplicate CMD:N    send the Nth reply with command byte CMD twice\n"
    "  --delay CMD:N:MS     delay the Nth reply with command byte CMD by MS milliseconds\n"
    "  --trace              log every message on stderr (\"<\" received, \">\" sent)\n"
    "  --trace=decoded      the same with the time and each message in words\n"
    "  --help               this text\n"
    "VORNIX_MIDI_API=jack|alsa chooses the MIDI system. Stops on SIGINT or SIGTERM.\n";

// ---- options -------------------------------------------------------------------

struct ReplyRule {
    char kind;  // 'd'rop, 'c'orrupt, 'u' duplicate, 'l' delay
    std::uint8_t command;
    unsigned nth;
    int delayMs;
};

struct Options {
    std::string name = DefaultPortName;
    sim::PedalOptions pedal;
    std::optional<std::filesystem::path> stateDir;
    bool resetPresets = false;
    bool silent = false;
    std::optional<unsigned> refuseRestore;
    bool failFirmware = false;
    std::vector<ReplyRule> rules;
    host::TraceMode trace = host::TraceMode::Off;
    bool help = false;
};

template <typename Number>
bool parseNumber(std::string_view text, Number& out, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return error == std::errc{} && end == text.data() + text.size();
}

// "1.3" -> 13.
bool parseVersion(std::string_view text, std::uint8_t& out) {
    const auto dot = text.find('.');
    unsigned major = 0, minor = 0;
    if (dot == std::string_view::npos || !parseNumber(text.substr(0, dot), major) ||
        !parseNumber(text.substr(dot + 1), minor) || minor > 9 || major * 10 + minor > 127)
        return false;
    out = static_cast<std::uint8_t>(major * 10 + minor);
    return true;
}

// "CMD:N" or "CMD:N:MS" with CMD in hex.
bool parseRule(std::string_view text, char kind, ReplyRule& rule) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    const std::size_t wanted = kind == 'l' ? 3 : 2;
    rule = {kind, 0, 0, 0};
    return parts.size() == wanted && parseNumber(parts[0], rule.command, 16) &&
           rule.command < 0x80 && parseNumber(parts[1], rule.nth) &&
           (kind != 'l' || (parseNumber(parts[2], rule.delayMs) && rule.delayMs >= 0));
}

std::optional<Options> parseOptions(int argc, char** argv, std::string& error) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string_view(argv[++i]);
        };
        auto rule = [&](char kind) {
            ReplyRule r;
            const auto text = value();
            if (!text || !parseRule(*text, kind, r)) return false;
            options.rules.push_back(r);
            return true;
        };
        bool ok = true;
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--version") {
            const auto text = value();
            ok = text && parseVersion(*text, options.pedal.firmwareVersionTimesTen);
        } else if (a == "--serial") {
            const auto text = value();
            ok = text && text->size() <= vornix::sysex::NameBytes;
            if (ok) options.pedal.serialNumber = std::string(*text);
        } else if (a == "--name") {
            const auto text = value();
            ok = text && !text->empty();
            if (ok) options.name = std::string(*text);
        } else if (a == "--state") {
            const auto text = value();
            ok = text.has_value();
            if (ok) options.stateDir = std::filesystem::path(*text);
        } else if (a == "--ir-dump-checksum-offset") {
            const auto text = value();
            ok = text && parseNumber(*text, options.pedal.irDumpChecksumOffset) &&
                 options.pedal.irDumpChecksumOffset <= MaxChecksum;
        } else if (a == "--reset-presets") {
            options.resetPresets = true;
        } else if (a == "--silent") {
            options.silent = true;
        } else if (a == "--refuse-restore") {
            unsigned nth = 0;
            const auto text = value();
            ok = text && parseNumber(*text, nth);
            options.refuseRestore = nth;
        } else if (a == "--fail-firmware") {
            options.failFirmware = true;
        } else if (a == "--drop") {
            ok = rule('d');
        } else if (a == "--corrupt") {
            ok = rule('c');
        } else if (a == "--duplicate") {
            ok = rule('u');
        } else if (a == "--delay") {
            ok = rule('l');
        } else if (const auto trace = host::traceOption(a)) {
            options.trace = *trace;
        } else {
            error = "unknown option " + std::string(a);
            return std::nullopt;
        }
        if (!ok) {
            error = "bad or missing value for " + std::string(a);
            return std::nullopt;
        }
    }
    return options;
}

void applyFaults(const Options& options, sim::FaultPlan& faults) {
    faults.setSilent(options.silent);
    faults.failFirmware(options.failFirmware);
    if (options.refuseRestore) faults.refuseRestore(*options.refuseRestore);
    for (const auto& r : options.rules) {
        switch (r.kind) {
            case 'd':
                faults.dropReply(r.command, r.nth);
                break;
            case 'c':
                faults.corruptReply(r.command, r.nth);
                break;
            case 'u':
                faults.duplicateReply(r.command, r.nth);
                break;
            default:
                faults.delayReply(r.command, r.nth, r.delayMs);
                break;
        }
    }
}

// ---- the MIDI side ---------------------------------------------------------------

// The pedal's end of the cable: two virtual ports.
class VirtualPorts : public MidiPort {
  public:
    bool open(const std::string& name, std::string& error) {
        in_ = host::makeMidiIn(name + " In");
        out_ = host::makeMidiOut(name + " Out");
        if (!in_ || !out_) {
            error = "no MIDI system (neither ALSA nor JACK could be opened)";
            return false;
        }
        try {
            in_->ignoreTypes(false, true, false);
            in_->setCallback(&VirtualPorts::onMessage, this);
            in_->openVirtualPort(name);
            out_->openVirtualPort(name);
        } catch (const RtMidiError& e) {
            error = "cannot open the virtual ports: " + e.getMessage();
            return false;
        }
        return true;
    }
    // RtMidi's JACK output frees its ring buffer before it closes its client,
    // so a process cycle still running then reads freed memory (a crash at
    // exit, seen about once in twenty stops). Its port is closed first, after
    // which a cycle sends nothing, and a cycle already under way is given
    // time to end before the buffer goes.
    void close() {
        stopping_.store(true);
        try {
            if (in_) in_->cancelCallback();
            if (out_) out_->closePort();
        } catch (const RtMidiError&) {
        }
        in_.reset();
        if (out_) std::this_thread::sleep_for(OutputCycleGrace);
        out_.reset();
    }
    ~VirtualPorts() override { close(); }

    bool send(std::span<const std::uint8_t> message) override {
        if (!out_) return false;
        try {
            out_->sendMessage(message.data(), message.size());
            host::stamp(host::Stamp::Sent);
            return true;
        } catch (const RtMidiError&) {
            return false;
        }
    }
    void setReceiver(Receiver receiver) override {
        std::lock_guard lock(mutex_);
        receiver_ = std::move(receiver);
    }
    std::string apiName() const { return RtMidi::getApiDisplayName(in_->getCurrentApi()); }

  private:
    static void onMessage(double, std::vector<unsigned char>* message, void* self) {
        host::stamp(host::Stamp::MidiIn);
        auto& ports = *static_cast<VirtualPorts*>(self);
        if (!message || message->empty() || ports.stopping_.load()) return;
        std::lock_guard lock(ports.mutex_);
        if (ports.receiver_) ports.receiver_(*message);
    }

    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    Receiver receiver_;
};

// The names under which the editor finds our ports (theirs lists the other
// side: our output is one of its inputs).
void printPortNames(std::ostream& out, const std::string& portName) {
    const auto listing = host::listMidiPorts();
    auto show = [&](const char* label, const std::vector<std::string>& names) {
        for (const auto& name : names)
            if (name.find(portName) != std::string::npos) out << label << name << '\n';
    };
    out << "MIDI system: " << listing.api << '\n';
    show("editor input (--in):   ", listing.inputs);
    show("editor output (--out): ", listing.outputs);
}

// ---- the main loop ----------------------------------------------------------------

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void onSignal(int) {
    stopRequested = 1;
}

// The pedal answers on the MIDI input thread, as the device answers at once.
// Handed to the main loop first, every message cost a thread wake-up, and
// under JACK a reply that misses its output client's cycle waits a whole
// period more: together most of a sync's time beyond the link's round trip.
// One lock keeps the pedal and the output port to one thread at a time: the
// input thread, the loop's delayed replies and the loop's state saves.
class AnsweringPedal {
  public:
    AnsweringPedal(sim::Pedal& pedal, std::mutex& lock) : pedal_(pedal), lock_(lock) {}
    // On the input thread. Only SysEx reaches the pedal, and no longer a
    // message than the editor's own inbox takes.
    template <typename AfterReceive>
    void receive(std::span<const std::uint8_t> message, host::TraceWriter& trace,
                 AfterReceive afterReceive) {
        if (message.size() < host::SysExInbox::MinSysExBytes) return;
        if (message.size() > host::SysExInbox::MaxSysExBytes) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        host::stamp(host::Stamp::Handle);
        std::lock_guard lock(lock_);
        trace.received(message);
        pedal_.receive(message);
        afterReceive();
    }
    std::uint64_t dropped() const { return dropped_.load(std::memory_order_relaxed); }

  private:
    sim::Pedal& pedal_;
    std::mutex& lock_;
    std::atomic<std::uint64_t> dropped_{0};
};

void saveState(const sim::Pedal& pedal, const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!pedal.saveState(folder))
        std::cerr << "vornix-sim: cannot save state to " << folder << '\n';
}

int run(const Options& options) {
    sim::Pedal pedal(options.pedal);
    if (options.stateDir && std::filesystem::exists(*options.stateDir / ".") &&
        !std::filesystem::is_empty(*options.stateDir) && !pedal.loadState(*options.stateDir))
        std::cerr << "vornix-sim: state in " << *options.stateDir
                  << " is unreadable; starting from factory state\n";
    if (options.resetPresets) pedal.resetPresetsToFactory();
    applyFaults(options, pedal.faults());

    host::PlainEventLoop loop;
    VirtualPorts ports;
    std::string error;
    if (!ports.open(options.name, error)) {
        std::cerr << "vornix-sim: " << error << '\n';
        return ExitNoMidi;
    }
    std::mutex pedalLock;
    bool savePending = false;  // under pedalLock
    // Saved from a copy taken under the lock: the input thread must not wait
    // for the files (under JACK it is the process thread, and a late client
    // loses the MIDI of the cycles it misses).
    auto scheduleSave = [&] {
        if (!options.stateDir || savePending) return;
        savePending = true;
        loop.after(StateSaveDelayMs, [&] {
            std::optional<sim::Pedal> snapshot;
            {
                std::lock_guard lock(pedalLock);
                savePending = false;
                snapshot.emplace(pedal);
            }
            saveState(*snapshot, *options.stateDir);
        });
    };
    host::TraceWriter trace(
        options.trace, &std::cerr, [&loop] { return loop.now(); }, sysex::Sender::Device);
    pedal.setEmitter([&](sysex::Bytes message, int delayMs) {
        if (delayMs > 0) {
            loop.after(delayMs, [&ports, &trace, &pedalLock, message = std::move(message)] {
                std::lock_guard lock(pedalLock);
                trace.sent(message);
                ports.send(message);
            });
            return;
        }
        // Called from inside receive(), which holds the lock.
        trace.sent(message);
        ports.send(message);
    });
    AnsweringPedal answering(pedal, pedalLock);
    ports.setReceiver([&](std::span<const std::uint8_t> message) {
        answering.receive(message, trace, scheduleSave);
    });

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    loop.every(SignalPollMs, [&] {
        if (stopRequested) loop.quit();
    });
    printPortNames(std::cout, options.name);
    std::cout << "ready" << std::endl;
    loop.run();

    // No thread touches the pedal once the ports are closed.
    ports.close();
    if (options.stateDir) saveState(pedal, *options.stateDir);
    if (answering.dropped() > 0)
        std::cerr << "vornix-sim: " << answering.dropped() << " messages were dropped\n";
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    host::startTimingStamps();
    std::string error;
    const auto options = parseOptions(argc, argv, error);
    if (!options) {
        std::cerr << "vornix-sim: " << error << '\n' << Usage;
        return ExitUsage;
    }
    if (options->help) {
        std::cout << Usage;
        return ExitOk;
    }
    return run(*options);
}
