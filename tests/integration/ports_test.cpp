// The pedal on JACK as a user meets it: no audio device unless chosen, the
// pedal found among other ports, its stored ports waited for, and the editor
// online whichever of the two comes first (see with_jack.sh).
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "child_process.hpp"
#include "device/sysex.hpp"
#include "host/host.hpp"
#include "host/plain_event_loop.hpp"
#include "identify_until_answered.hpp"
#include "temp_dir.hpp"

namespace vornix::host {
namespace {

constexpr int StartMs = 10000;
constexpr int SearchMs = 20000;
constexpr const char* JackLsp = "/usr/bin/jack_lsp";

struct Pedal {
    std::string name;
    std::string input() const { return name + " Out:" + name; }  // the editor's input
    std::string output() const { return name + " In:" + name; }  // the editor's output
};

std::string jackPorts() {
    testing::ChildProcess lsp({JackLsp});
    lsp.finish(StartMs);
    return lsp.output();
}

// Sound devices this process holds open.
int openPcmDevices() {
    int count = 0;
    DIR* fds = ::opendir("/proc/self/fd");
    if (!fds) return -1;
    while (const dirent* entry = ::readdir(fds)) {
        char target[256] = {};
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        if (::readlink(link.c_str(), target, sizeof target - 1) > 0 &&
            std::string(target).starts_with("/dev/snd/pcm"))
            ++count;
    }
    ::closedir(fds);
    return count;
}

// Each test names its pedals its own way: a JACK client that has just gone
// may still be listed, and a new one of its name would be renamed.
class PortsOnJack : public ::testing::Test {
  protected:
    // Stopped as a pedal's driver takes its ports down, not killed: a killed
    // JACK client holds up the graph until the server gives up on it.
    void TearDown() override {
        for (auto& sim : sims) sim->stop();
    }
    testing::ChildProcess* startPedal(const Pedal& pedal, std::vector<std::string> extra = {}) {
        std::vector<std::string> argv{vornix::testing::besideTestProgram(VORNIX_SIM_PATH), "--name",
                                      pedal.name};
        argv.insert(argv.end(), extra.begin(), extra.end());
        sims.push_back(std::make_unique<testing::ChildProcess>(
            argv, testing::ChildProcess::Capture::StdoutAndStderr));
        return sims.back()->waitForLine("ready", StartMs) ? sims.back().get() : nullptr;
    }
    std::unique_ptr<Host> makeHost(HostOptions options = {.audio = false, .findPedal = true}) {
        auto host = std::make_unique<Host>(
            temp.path(), loop, [this](auto m) { replies.emplace_back(m.begin(), m.end()); },
            [this](const std::string& text, const std::string&) { messages.push_back(text); },
            options);
        host->setStatusHook([this](const std::string& text) { status = text; });
        host->setReachableHook([this] { ++reachable; });
        host->setPedalsHook([this](const std::vector<FoundPedal>& found) { offered = found; });
        return host;
    }
    void store(const Pedal& pedal, bool audio = false, const std::string& audioOutput = {}) {
        HostSettings stored;
        stored.audioEnabled = audio;
        stored.driver = AudioDriverJack;
        if (!audioOutput.empty()) stored.audioOutput = audioOutput;
        stored.midiInput = pedal.input();
        stored.midiOutput = pedal.output();
        SettingsFile(temp.path()).save(stored);
    }
    bool searchEnds(Host& host) {
        return loop.runUntil([&] { return !host.searching(); }, SearchMs);
    }

    testing::TempDir temp;
    PlainEventLoop loop;
    std::vector<sysex::Bytes> replies;
    std::vector<std::string> messages;
    std::string status;
    int reachable = 0;
    std::vector<FoundPedal> offered;
    std::vector<std::unique_ptr<testing::ChildProcess>> sims;
};

// ---- audio ------------------------------------------------------------------------------

TEST_F(PortsOnJack, ByDefaultTheEditorHoldsNoAudioDeviceAndSaysNothing) {
    store({"Audio Pedal A"});
    auto host = makeHost({.audio = true});
    host->initialise();
    EXPECT_FALSE(host->openAudio());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(jackPorts().find("VornixControl:"), std::string::npos);
    EXPECT_EQ(openPcmDevices(), 0);
}

TEST_F(PortsOnJack, AChosenJackDeviceRegistersTheStreamsPorts) {
    const auto devices = AudioStream(AudioDriverJack).outputDevices();
    ASSERT_FALSE(devices.empty());
    store({"Chosen Pedal A"}, true, devices.front().name);
    auto host = makeHost({.audio = true});
    host->initialise();
    ASSERT_TRUE(host->openAudio());
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(jackPorts().find("VornixControl:"), std::string::npos);
    host->shutDown();
    EXPECT_EQ(jackPorts().find("VornixControl:"), std::string::npos);
}

// ---- the search for the pedal -------------------------------------------------------------

TEST_F(PortsOnJack, OnePedalBesideASilentPortIsFoundAndStored) {
    const Pedal pedal{"Lone Pedal A"};
    auto* sim = startPedal(pedal);
    auto* quiet = startPedal({"Lone Quiet Box"}, {"--silent", "--trace"});
    ASSERT_TRUE(sim && quiet);
    auto host = makeHost();
    host->initialise();
    ASSERT_TRUE(searchEnds(*host));
    EXPECT_EQ(host->settings().midiInput, pedal.input());
    EXPECT_EQ(host->settings().midiOutput, pedal.output());
    EXPECT_EQ(SettingsFile(temp.path()).read().midiOutput, pedal.output());
    EXPECT_TRUE(host->deviceReachable());
    EXPECT_EQ(reachable, 1);
    EXPECT_EQ(status, "");
    // The silent box was asked once, and only to identify itself.
    const std::string identify = "< " + sysex::toHex(sysex::requestPage(sysex::page::Identify));
    ASSERT_TRUE(quiet->waitForText(identify, StartMs)) << quiet->output();
    const std::size_t after = quiet->output().find(identify) + identify.size();
    EXPECT_FALSE(quiet->waitForText("< ", PedalFinder::AnswerWindowMs, after)) << quiet->output();
}

TEST_F(PortsOnJack, TwoPedalsAreOfferedForTheUserToChooseAndNeitherIsStored) {
    auto* a = startPedal({"Twin Pedal A"}, {"--serial", "VX1-A"});
    auto* b = startPedal({"Twin Pedal B"}, {"--serial", "VX1-B"});
    ASSERT_TRUE(a && b);
    auto host = makeHost();
    host->initialise();
    ASSERT_TRUE(searchEnds(*host));
    ASSERT_EQ(offered.size(), 2u);
    std::vector<std::string> serials{offered[0].serial(), offered[1].serial()};
    std::sort(serials.begin(), serials.end());
    EXPECT_EQ(serials, (std::vector<std::string>{"VX1-A", "VX1-B"}));
    for (const FoundPedal& pedal : offered)
        EXPECT_EQ(pedal.input, Pedal{pedal.output.substr(0, pedal.output.find(" In:"))}.input());
    EXPECT_EQ(host->settings().midiInput, "off");
    EXPECT_EQ(SettingsFile(temp.path()).read().midiInput, "off");
    EXPECT_EQ(status, "2 pedals answered: see MIDI Settings");
    EXPECT_EQ(reachable, 0);

    host->usePedal(offered[1]);
    EXPECT_EQ(SettingsFile(temp.path()).read().midiOutput, offered[1].output);
    EXPECT_EQ(reachable, 1);
}

TEST_F(PortsOnJack, StoredPortsAreUsedAndNoOtherPortIsAsked) {
    const Pedal pedal{"Stored Pedal A"};
    auto* sim = startPedal(pedal);
    auto* other = startPedal({"Stored Pedal B"}, {"--trace"});
    ASSERT_TRUE(sim && other);
    store(pedal);
    auto host = makeHost();
    host->initialise();
    EXPECT_FALSE(host->searching());
    EXPECT_TRUE(host->deviceReachable());
    ASSERT_TRUE(testing::identifyUntilAnswered(*host, loop, replies, StartMs));
    EXPECT_FALSE(other->waitForText("< ", PedalFinder::AnswerWindowMs)) << other->output();
}

// A first start with nothing plugged in: the pedal plugged in later is found.
TEST_F(PortsOnJack, APedalPluggedInAfterAFruitlessSearchIsFound) {
    auto host = makeHost();
    host->initialise();
    ASSERT_TRUE(searchEnds(*host));
    EXPECT_EQ(host->settings().midiOutput, "off");
    const Pedal pedal{"Late Pedal A"};
    auto* sim = startPedal(pedal);
    ASSERT_TRUE(sim);
    ASSERT_TRUE(loop.runUntil([&] { return reachable > 0; }, SearchMs)) << status;
    EXPECT_EQ(SettingsFile(temp.path()).read().midiInput, pedal.input());
}

// ---- stored ports waited for -------------------------------------------------------------

TEST_F(PortsOnJack, StoredPortsAbsentAtStartAreKeptAndOpenedWhenTheyAppear) {
    const Pedal pedal{"Absent Pedal A"};
    store(pedal);
    auto host = makeHost();
    host->initialise();
    EXPECT_EQ(status, "Waiting for the MIDI ports of the pedal...");
    EXPECT_FALSE(host->searching());
    EXPECT_EQ(SettingsFile(temp.path()).read().midiInput, pedal.input());

    auto* sim = startPedal(pedal);
    ASSERT_TRUE(sim);
    ASSERT_TRUE(loop.runUntil([&] { return reachable > 0; }, StartMs));
    EXPECT_EQ(status, "");
    ASSERT_TRUE(testing::identifyUntilAnswered(*host, loop, replies, StartMs));
    host->shutDown();
    const HostSettings saved = SettingsFile(temp.path()).read();
    EXPECT_EQ(saved.midiInput, pedal.input());
    EXPECT_EQ(saved.midiOutput, pedal.output());
}

}  // namespace
}  // namespace vornix::host
