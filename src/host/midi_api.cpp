#include "host/midi_api.hpp"

#include <cstdlib>
#include <string_view>

namespace vornix::host {
namespace {

constexpr const char* ApiVariable = "VORNIX_MIDI_API";
constexpr const char* ListingInputClient = "Vornix Port Listing In";
constexpr const char* ListingOutputClient = "Vornix Port Listing Out";

template <typename Midi>
std::unique_ptr<Midi> make(const std::string& clientName, RtMidi::Api preferred) {
    try {
        return std::make_unique<Midi>(preferred, clientName);
    } catch (const RtMidiError&) {
    }
    if (preferred == RtMidi::UNIX_JACK) return nullptr;
    try {
        return std::make_unique<Midi>(RtMidi::UNIX_JACK, clientName);
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

}  // namespace

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
