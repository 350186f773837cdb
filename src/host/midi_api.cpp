#include "host/midi_api.hpp"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string_view>

#include "host/jack_presence.hpp"

namespace vornix::host {
namespace {

constexpr const char* ApiVariable = "VORNIX_MIDI_API";
constexpr const char* ListingInputClient = "Vornix Port Listing In";
constexpr const char* ListingOutputClient = "Vornix Port Listing Out";

constexpr const char* AlsaSequencer = "/dev/snd/seq";

void quietly(const char*) {}
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// RtMidi prints to stderr when an API cannot start, before a caller could
// install an error callback. Asking first keeps the command line's output to
// the one line that matters on machines without a sequencer or a JACK server.
bool alsaSequencerPresent() {
    return ::access(AlsaSequencer, R_OK | W_OK) == 0;
}

}  // namespace

bool jackServerRunning() {
    if (!jackServerMayRun()) return false;
    jack_set_error_function(quietly);
    jack_set_info_function(quietly);
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("Vornix Probe", JackNoStartServer, &status);
    if (!probe) return false;
    jack_client_close(probe);
    return true;
}

namespace {

bool apiUsable(RtMidi::Api api) {
    if (api == RtMidi::LINUX_ALSA || api == RtMidi::UNSPECIFIED) {
        silenceAlsaDiagnostics();
        return alsaSequencerPresent();
    }
    return true;
}

// Sends what is written to std::cerr into a string for as long as it lives.
// The stream is the whole process's: it is taken only for the milliseconds
// RtMidi's constructor runs, on the thread that makes the programs' MIDI
// objects, when no other thread of ours writes to std::cerr.
class CerrCapture {
  public:
    CerrCapture() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CerrCapture() { std::cerr.rdbuf(previous_); }
    CerrCapture(const CerrCapture&) = delete;
    CerrCapture& operator=(const CerrCapture&) = delete;
    bool empty() const { return text_.str().empty(); }

  private:
    std::ostringstream text_;
    std::streambuf* previous_;
};

// RtMidi reports a JACK server it cannot reach only as a warning on std::cerr,
// from inside its constructor, before an error callback could be installed.
// That warning is caught and taken as the answer: asking a server first would
// open and close a JACK client of its own, a quarter of a short command's start.
template <typename Midi>
std::unique_ptr<Midi> makeOnJack(const std::string& clientName) {
    if (!jackServerMayRun()) return nullptr;
    jack_set_error_function(quietly);
    jack_set_info_function(quietly);
    std::unique_ptr<Midi> midi;
    CerrCapture warnings;
    try {
        midi = std::make_unique<Midi>(RtMidi::UNIX_JACK, clientName);
    } catch (const RtMidiError&) {
        return nullptr;
    }
    return warnings.empty() ? std::move(midi) : nullptr;
}

template <typename Midi>
std::unique_ptr<Midi> make(const std::string& clientName, RtMidi::Api preferred) {
    if (preferred != RtMidi::UNIX_JACK && apiUsable(preferred)) {
        try {
            return std::make_unique<Midi>(preferred, clientName);
        } catch (const RtMidiError&) {
        }
    }
    return makeOnJack<Midi>(clientName);
}

}  // namespace

void silenceAlsaDiagnostics() {
    snd_lib_error_set_handler(quietAlsa);
}

RtMidi::Api midiApiFromEnvironment() {
    const char* value = std::getenv(ApiVariable);
    if (!value) return RtMidi::UNSPECIFIED;
    const std::string_view name(value);
    if (name == "jack") return RtMidi::UNIX_JACK;
    if (name == "alsa") return RtMidi::LINUX_ALSA;
    return RtMidi::UNSPECIFIED;
}

std::unique_ptr<RtMidiIn> makeMidiIn(const std::string& clientName, RtMidi::Api preferred) {
    return make<RtMidiIn>(clientName, preferred);
}

std::unique_ptr<RtMidiOut> makeMidiOut(const std::string& clientName, RtMidi::Api preferred) {
    return make<RtMidiOut>(clientName, preferred);
}

std::vector<std::string> portNamesOf(RtMidi& midi) {
    std::vector<std::string> names;
    try {
        const unsigned count = midi.getPortCount();
        for (unsigned i = 0; i < count; ++i) names.push_back(midi.getPortName(i));
    } catch (const RtMidiError&) {
        // A port that vanished while listing ends the list.
    }
    return names;
}

int findPort(RtMidi& midi, const std::string& name) {
    const auto names = portNamesOf(midi);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

bool openPortNamed(RtMidi& midi, const std::string& name, const std::string& ownName) {
    constexpr int Attempts = 4;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const int index = findPort(midi, name);
        if (index < 0) return false;
        try {
            midi.openPort(static_cast<unsigned>(index), ownName);
            const auto names = portNamesOf(midi);
            const bool same =
                static_cast<std::size_t>(index) < names.size() && names[index] == name;
            if (same) return midi.isPortOpen();
            midi.closePort();
        } catch (const RtMidiError&) {
            return false;
        }
    }
    return false;
}

MidiPortListing listMidiPorts() {
    MidiPortListing listing;
    auto in = makeMidiIn(ListingInputClient);
    auto out = makeMidiOut(ListingOutputClient);
    if (in) {
        listing.api = RtMidi::getApiDisplayName(in->getCurrentApi());
        listing.inputs = portNamesOf(*in);
    }
    if (out) {
        if (listing.api.empty()) listing.api = RtMidi::getApiDisplayName(out->getCurrentApi());
        listing.outputs = portNamesOf(*out);
    }
    return listing;
}

}  // namespace vornix::host
