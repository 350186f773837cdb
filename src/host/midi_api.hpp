#pragma once
// Creating RtMidi objects on this platform. RtMidi's default choice is ALSA,
// whose constructor throws where no sequencer exists (containers, servers):
// then JACK is tried. VORNIX_MIDI_API=alsa or =jack forces one API, so that
// every program of a test run meets on the same one.
#include <RtMidi.h>

#include <memory>
#include <string>
#include <vector>

namespace vornix::host {

// The API named by VORNIX_MIDI_API, else RtMidi::UNSPECIFIED.
RtMidi::Api midiApiFromEnvironment();

// Null when neither the preferred API nor JACK gives an object.
std::unique_ptr<RtMidiIn> makeMidiIn(const std::string& clientName,
                                     RtMidi::Api preferred = midiApiFromEnvironment());
std::unique_ptr<RtMidiOut> makeMidiOut(const std::string& clientName,
                                       RtMidi::Api preferred = midiApiFromEnvironment());

// Port names in the order the system reports them; empty on any error.
std::vector<std::string> portNamesOf(RtMidi& midi);
// Index of the port whose name equals `name` exactly, or -1.
int findPort(RtMidi& midi, const std::string& name);
// Opens the port named `name` as our port `ownName`; false when it is not
// there or will not open. RtMidi opens by position and lists the ports once
// more inside: a port that came or went in between would connect another
// port in its place. The list read again afterwards shows such a shift,
// and the open is tried again.
bool openPortNamed(RtMidi& midi, const std::string& name, const std::string& ownName);

// True when a JACK server answers; never starts one.
bool jackServerRunning();

// ALSA's library reports missing sound cards on stderr; they are not errors
// for a program that may run without one.
void silenceAlsaDiagnostics();

struct MidiPortListing {
    std::string api;  // RtMidi's display name of the API that listed them
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
};
// The ports a program could open, without opening any.
MidiPortListing listMidiPorts();

}  // namespace vornix::host
