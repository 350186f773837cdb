#pragma once
// Monotonic microsecond stamps of the points a preset passes on its way
// through a program (MIDI thread, loop, file, send), for finding where a
// sync spends its time beyond the MIDI link's own round trip. Off unless
// VORNIX_TIMING_STAMPS names a file; then every stamp is kept in a fixed
// array (no allocation, no lock: the MIDI thread stamps too) and the file is
// written when the program ends, one "MICROSECONDS POINT" line per stamp
// (steady-clock microseconds, comparable between the programs of one boot).
#include <cstdint>
#include <string>

namespace vornix::host {

enum class Stamp : std::uint8_t {
    MidiIn,       // a message reached the MIDI input callback
    Handle,       // the program's handler took it up
    SlotWritten,  // the editor's slot file of a preset is written
    Sent,         // a message went to the MIDI output
};

// The word a stamp has in the file.
const char* stampName(Stamp stamp);

// Reads VORNIX_TIMING_STAMPS once; the file is written at exit. Without the
// variable every stamp() is one relaxed load.
void startTimingStamps();
void stamp(Stamp point);
// Writes what was stamped so far to `path`.
bool writeTimingStamps(const std::string& path);

}  // namespace vornix::host
