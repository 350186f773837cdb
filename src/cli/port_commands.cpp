// ports: the MIDI ports of this computer, and with --use the editor's choice of
// them in settings.ini, as File > MIDI Settings... of the editor stores it;
// with --detect the pedals that answer an identification request.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <system_error>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "host/host_settings.hpp"
#include "host/midi_api.hpp"
#include "host/named_ports.hpp"
#include "host/pedal_finder.hpp"
#include "host/plain_event_loop.hpp"

namespace vornix::cli {

namespace {

constexpr const char* UseFlag = "--use";
constexpr const char* DetectFlag = "--detect";
// Far more than any search takes: the finder ends by itself.
constexpr int DetectLimitMs = 120000;
constexpr std::size_t UseArguments = 3;  // --use IN OUT

int listPorts() {
    const host::MidiPortListing ports = host::listMidiPorts();
    std::cout << "MIDI API: " << (ports.api.empty() ? "none" : ports.api) << "\ninputs:\n";
    for (const auto& name : ports.inputs) std::cout << "  " << name << '\n';
    std::cout << "outputs:\n";
    for (const auto& name : ports.outputs) std::cout << "  " << name << '\n';
    return ExitOk;
}

// The listed port the user meant, or "off"; empty when no port fits. The
// editor opens ports by exact name and forgets a name no port has (it turns
// into "off"), so only a name that exists now is worth storing.
std::string chosenPort(const std::vector<std::string>& ports, const std::string& name) {
    if (name == host::PortOff) return name;
    const std::string resolved = host::resolvePortName(ports, name);
    return std::find(ports.begin(), ports.end(), resolved) != ports.end() ? resolved
                                                                          : std::string();
}

int fail(const std::string& error) {
    std::cerr << "vornixctl: " << error << '\n';
    return ExitFailure;
}

int storePorts(const Options& options, const std::string& in, const std::string& out) {
    const storage::DataFolder folder = dataFolderFor(options);
    std::error_code ignored;
    std::filesystem::create_directories(folder.root(), ignored);
    const host::SettingsFile file(folder.root());
    host::HostSettings settings = file.read();
    settings.midiInput = in;
    settings.midiOutput = out;
    if (!file.save(settings)) return fail("cannot write " + file.path().string());
    std::cout << "MIDI input \"" << in << "\" and output \"" << out << "\" stored in "
              << file.path().string() << '\n';
    return ExitOk;
}

int usePorts(const Options& options) {
    const auto& args = options.args;
    if (args.size() != UseArguments)
        return fail("usage: ports --use IN OUT (a port's name, the start of one, or off)");
    const host::MidiPortListing ports = host::listMidiPorts();
    const std::string in = chosenPort(ports.inputs, args[1]);
    if (in.empty()) return fail("no MIDI input named \"" + args[1] + "\": see 'vornixctl ports'");
    const std::string out = chosenPort(ports.outputs, args[2]);
    if (out.empty()) return fail("no MIDI output named \"" + args[2] + "\": see 'vornixctl ports'");
    return storePorts(options, in, out);
}

void printPedal(std::size_t number, const host::FoundPedal& pedal) {
    char version[16];
    std::snprintf(version, sizeof version, "%.1f", pedal.identity.version());
    std::cout << "pedal " << number << ":\n"
              << "  input:    " << pedal.input << '\n'
              << "  output:   " << pedal.output << '\n'
              << "  firmware: " << version << '\n'
              << "  serial:   " << pedal.serial() << '\n';
}

// Every pedal that answers; with --use the one that did is stored. Several
// are listed and none stored: the user names the pair with --use IN OUT.
int detectPedals(const Options& options) {
    const bool use = options.args.size() == 2 && options.args[1] == UseFlag;
    if (options.args.size() != 1 && !use) return fail("usage: ports --detect [--use]");
    std::cerr << "asking every MIDI output for a pedal...\n";
    host::PlainEventLoop loop;
    std::vector<host::FoundPedal> found;
    bool done = false;
    host::PedalFinder finder(loop, [&](const std::vector<host::FoundPedal>& pedals) {
        found = pedals;
        done = true;
    });
    finder.start();
    loop.runUntil([&] { return done; }, DetectLimitMs);
    if (found.empty()) return fail("no pedal answered: is it plugged in and switched on?");
    for (std::size_t i = 0; i < found.size(); ++i) printPedal(i + 1, found[i]);
    if (!use) return ExitOk;
    if (found.size() > 1)
        return fail(std::to_string(found.size()) +
                    " pedals answered: store one with 'vornixctl ports --use IN OUT'");
    return storePorts(options, found.front().input, found.front().output);
}

}  // namespace

int command::ports(const Options& options) {
    if (options.args.empty()) return listPorts();
    if (options.args[0] == UseFlag) return usePorts(options);
    if (options.args[0] == DetectFlag) return detectPedals(options);
    return fail("usage: ports [--use IN OUT | --detect [--use]]");
}

}  // namespace vornix::cli
