// Opening a port by name over RtMidi's positions, against ports that come
// and go while RtMidi lists them again inside its open.
#include <RtMidi.h>
#include <gtest/gtest.h>

#include "host/midi_api.hpp"

namespace vornix::host {
namespace {

using Names = std::vector<std::string>;

// RtMidi's side as the system changes under it: before the n-th open reads
// its own list, `changes[n]` (when given) becomes the list.
class ChangingPorts : public RtMidi {
  public:
    explicit ChangingPorts(Names ports, std::vector<Names> changes = {})
        : listed_(std::move(ports)), changes_(std::move(changes)) {}

    void openPort(unsigned int number, const std::string&) override {
        if (opens < changes_.size()) listed_ = changes_[opens];
        ++opens;
        connected = number < listed_.size() ? listed_[number] : "";
    }
    void openVirtualPort(const std::string&) override {}
    unsigned int getPortCount() override { return static_cast<unsigned>(listed_.size()); }
    std::string getPortName(unsigned int number) override {
        return number < listed_.size() ? listed_[number] : "";
    }
    void closePort() override { connected.clear(); }
    bool isPortOpen() const override { return !connected.empty(); }
    void setErrorCallback(RtMidiErrorCallback, void*) override {}

    std::size_t opens = 0;
    std::string connected;

  private:
    Names listed_;
    std::vector<Names> changes_;
};

TEST(OpenPortNamed, ConnectsTheNamedPortOrNone) {
    struct Case {
        const char* what;
        Names ports;
        std::vector<Names> changes;
        bool opened;
        std::string connected;
        std::size_t opens;
    };
    const Names three{"Keys", "Synth", "Pedal"};
    const std::vector<Case> cases{
        {"a steady list", three, {}, true, "Pedal", 1},
        {"a port before it went during the open", three, {{"Keys", "Pedal"}}, true, "Pedal", 2},
        {"a port came in its place during the open",
         {"Keys", "Pedal"},
         {{"Keys", "Drums", "Pedal"}},
         true,
         "Pedal",
         2},
        {"the port itself went during the open", three, {{"Keys", "Synth"}}, false, "", 1},
        {"a list that changes at every open",
         three,
         {{"Pedal", "Keys"},
          {"Keys", "Pedal", "Synth"},
          {"Pedal", "Synth"},
          {"Synth", "Keys", "Pedal"}},
         false,
         "",
         4},
        {"not there at all", {"Keys"}, {}, false, "", 0},
    };
    for (const Case& c : cases) {
        ChangingPorts midi(c.ports, c.changes);
        EXPECT_EQ(openPortNamed(midi, "Pedal", "Ours"), c.opened) << c.what;
        EXPECT_EQ(midi.connected, c.connected) << c.what;
        EXPECT_EQ(midi.opens, c.opens) << c.what;
    }
}

}  // namespace
}  // namespace vornix::host
