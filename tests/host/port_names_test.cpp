// Port names in the forms RtMidi hands them over on ALSA, on JACK and through
// the JACK bridges, and which stored names they answer to.
#include "host/port_names.hpp"

#include <gtest/gtest.h>

namespace vornix::host {
namespace {

TEST(PortIdentity, EveryFormReducesToItsClientAndPort) {
    struct Case {
        const char* form;
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"ALSA", "Vornix:Vornix MIDI 1 24:0", "Vornix:Vornix MIDI 1"},
        {"ALSA, another boot", "Vornix:Vornix MIDI 1 28:0", "Vornix:Vornix MIDI 1"},
        {"ALSA, through port", "Midi Through:Midi Through Port-0 14:0",
         "Midi Through:Midi Through Port-0"},
        {"ALSA, name ending in a number", "Synth:Synth 2 130:1", "Synth:Synth 2"},
        {"JACK", "Vornix Simulator Out:Vornix Simulator", "Vornix Simulator Out:Vornix Simulator"},
        {"JACK, hardware", "system:midi_capture_1", "system:midi_capture_1"},
        {"a2j, capture", "a2j:Vornix [24] (capture): Vornix MIDI 1", "Vornix:Vornix MIDI 1"},
        {"a2j, playback", "a2j:Vornix [24] (playback): Vornix MIDI 1", "Vornix:Vornix MIDI 1"},
        {"a2j -u", "a2j:Vornix (capture): Vornix MIDI 1", "Vornix:Vornix MIDI 1"},
        {"a2j, through port", "a2j:Midi Through [14] (playback): Midi Through Port-0",
         "Midi Through:Midi Through Port-0"},
        {"PipeWire", "Midi-Bridge:Vornix:(capture_0) Vornix MIDI 1", "Vornix:Vornix MIDI 1"},
        {"PipeWire, playback", "Midi-Bridge:Vornix:(playback_0) Vornix MIDI 1",
         "Vornix:Vornix MIDI 1"},
        {"no client", "Vornix MIDI 1", ":Vornix MIDI 1"},
        // Numbers that are part of a name stay.
        {"JACK, numbered client", "Pedal 2:out 3", "Pedal 2:out 3"},
        {"a2j, bracket without a number", "a2j:Box [A] (capture): In", "Box [A]:In"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        EXPECT_EQ(identityOf(c.name).key(), c.key) << c.name;
    }
}

TEST(PortMatch, AStoredNameFindsItsPortUnderTheNumbersOfToday) {
    struct Case {
        const char* situation;
        const char* stored;
        std::vector<std::string> listed;
        const char* opened;
        std::size_t count;
    };
    const Case cases[] = {
        {"exact",
         "Vornix:Vornix MIDI 1 24:0",
         {"Other:x 20:0", "Vornix:Vornix MIDI 1 24:0"},
         "Vornix:Vornix MIDI 1 24:0",
         1},
        {"renumbered",
         "Vornix:Vornix MIDI 1 24:0",
         {"Vornix:Vornix MIDI 1 28:0"},
         "Vornix:Vornix MIDI 1 28:0",
         1},
        {"stored on ALSA, now through a2j",
         "Vornix:Vornix MIDI 1 24:0",
         {"system:midi_capture_1", "a2j:Vornix [28] (capture): Vornix MIDI 1"},
         "a2j:Vornix [28] (capture): Vornix MIDI 1",
         1},
        {"two of the same pedal: the first",
         "Vornix:Vornix MIDI 1 24:0",
         {"Vornix:Vornix MIDI 1 28:0", "Vornix:Vornix MIDI 1 32:0"},
         "Vornix:Vornix MIDI 1 28:0",
         2},
        {"exact beats its twin",
         "Vornix:Vornix MIDI 1 32:0",
         {"Vornix:Vornix MIDI 1 28:0", "Vornix:Vornix MIDI 1 32:0"},
         "Vornix:Vornix MIDI 1 32:0",
         1},
        {"another port of the client is not it",
         "Vornix:Vornix MIDI 1 24:0",
         {"Vornix:Vornix MIDI 2 24:1"},
         "",
         0},
        {"absent", "Vornix Simulator Out:Vornix Simulator", {}, "", 0},
        {"nothing stored", "", {"Vornix:Vornix MIDI 1 24:0"}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        const PortMatch match = matchStoredPort(c.listed, c.stored);
        EXPECT_EQ(match.name, c.opened);
        EXPECT_EQ(match.count, c.count);
    }
}

TEST(PortKinds, ThroughPortsAndOurOwnClientsAreNeverAPedal) {
    for (const char* name : {"Midi Through:Midi Through Port-0 14:0",
                             "a2j:Midi Through [14] (playback): Midi Through Port-0"})
        EXPECT_TRUE(isThroughPort(name)) << name;
    for (const char* name :
         {"RtMidi Input Client:RtMidi Input", "RtMidi Input Client-01:RtMidi Input",
          "RtMidi Output Client:RtMidi Output 130:0", "Vornix Finder In:Vornix Finder"})
        EXPECT_TRUE(isOwnPort(name)) << name;
    for (const char* name : {"Vornix Simulator In:Vornix Simulator", "Vornix:Vornix MIDI 1 24:0"}) {
        EXPECT_FALSE(isThroughPort(name)) << name;
        EXPECT_FALSE(isOwnPort(name)) << name;
    }
}

}  // namespace
}  // namespace vornix::host
