#pragma once
// Whether a JACK server could be running, from the files a running server
// leaves, without opening a JACK client: a client that finds no server still
// opens libjack's metadata database first, 5 ms and 1.5 MiB for each RtMidi
// object on a machine that has no JACK at all.
#include <string>

namespace vornix::host {

// Where servers leave their sockets, from the environment of this process.
struct JackPlaces {
    std::string serverName = "default";  // JACK_DEFAULT_SERVER
    std::string socketDir = "/dev/shm";  // JACK_TMPDIR for JACK 1
    std::string runtimeDir;              // XDG_RUNTIME_DIR, for PipeWire's JACK
    unsigned userId = 0;
    // JACK_PROMISCUOUS_SERVER or a JACK_TMPDIR: the sockets may lie where
    // this check does not look.
    bool placesUncertain = false;

    static JackPlaces fromEnvironment();
};

// False only when no server of either JACK implementation, nor PipeWire's
// stand-in, has left its socket where the places say; a stale socket of a
// server that died answers true, and the client's own attempt then fails.
bool jackServerMayRun(const JackPlaces& places);
bool jackServerMayRun();

}  // namespace vornix::host
