#pragma once
// Port names as Linux hands them to RtMidi, reduced to what stays the same
// between plug-ins and boots. The ALSA sequencer numbers its clients in the
// order they appear, and the JACK bridges put those numbers and a direction
// into their own port names; a stored name is therefore matched by its
// client and port names alone.
//
//   ALSA sequencer   "Vornix:Vornix MIDI 1 24:0"
//   JACK             "Vornix Simulator Out:Vornix Simulator"
//   a2jmidid         "a2j:Vornix [24] (capture): Vornix MIDI 1"   (-u: no "[24]")
//   PipeWire's JACK  "Midi-Bridge:Vornix:(capture_0) Vornix MIDI 1"
// all reduce to "Vornix:Vornix MIDI 1" (the JACK one to itself).
#include <string>
#include <string_view>
#include <vector>

namespace vornix::host {

struct PortIdentity {
    std::string client;
    std::string port;
    // "client:port": what two names of the same port share.
    std::string key() const { return client + ":" + port; }
};

// The client and port a name means, with the numbers and bridge words taken
// off. A name of no known form is all port, of no client.
PortIdentity identityOf(std::string_view name);

struct PortMatch {
    std::string name;       // the listed port to open; empty when none fits
    std::size_t count = 0;  // how many listed ports fit (1 for an exact name)
};
// The stored port among the listed ones: the port of exactly that name, else
// the first whose identity is the same. `count` tells the caller when it had
// to choose.
PortMatch matchStoredPort(const std::vector<std::string>& listed, std::string_view stored);

// Ports that are never a pedal: the system's through ports, which hand back
// whatever they are sent, and the clients of this program's own MIDI objects.
bool isThroughPort(std::string_view name);
bool isOwnPort(std::string_view name);

}  // namespace vornix::host
