// The host against a MIDI and audio system with no ports and no devices: a
// JACK server name that no server has (RtMidi falls back to JACK where ALSA
// is missing; with ALSA present there is still no port of these names).
#include "host/host.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "framework/virtual_event_loop.hpp"
#include "temp_dir.hpp"

namespace vornix::host {
namespace {

class HostWithoutDevices : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("JACK_DEFAULT_SERVER", "vornix-test-no-server", 1); }
    void TearDown() override { ::unsetenv("JACK_DEFAULT_SERVER"); }

    std::unique_ptr<Host> makeHost(HostOptions options = {.audio = false}) {
        return std::make_unique<Host>(
            folder(), loop, [](auto) {},
            [this](const std::string& text, const std::string& caption) {
                messages.push_back(caption + ": " + text);
            },
            options);
    }
    std::filesystem::path folder() const { return temp.path() / "VornixControl"; }

    testing::TempDir temp;
    VirtualEventLoop loop;
    std::vector<std::string> messages;
};

TEST_F(HostWithoutDevices, FirstStartEndsWithBothPortsOffListedFirstAndSaved) {
    auto host = makeHost();
    host->initialise();
    EXPECT_EQ(host->settings().midiInput, "off");
    EXPECT_EQ(host->settings().midiOutput, "off");
    const HostSettings saved = SettingsFile(folder()).read();
    EXPECT_EQ(saved.midiInput, "off");
    EXPECT_EQ(saved.midiOutput, "off");
    EXPECT_EQ(saved.sampleRate, 44100);
    EXPECT_EQ(host->portList(PortDirection::Input).front(), "off");
    EXPECT_EQ(host->portList(PortDirection::Output).front(), "off");
}

// Nothing stored and no port to ask: the search ends quietly and the editor
// shows its plain connecting text.
TEST_F(HostWithoutDevices, FirstStartLooksForThePedalAndEndsQuietlyWithoutPorts) {
    auto host = makeHost({.audio = false, .findPedal = true});
    std::vector<std::string> statuses;
    host->setStatusHook([&](const std::string& text) { statuses.push_back(text); });
    host->initialise();
    EXPECT_TRUE(host->searching());
    EXPECT_EQ(statuses.back(), "Looking for the pedal...");
    loop.advance(PedalFinder::AnswerWindowMs);
    EXPECT_FALSE(host->searching());
    EXPECT_EQ(statuses.back(), "");
    EXPECT_EQ(host->settings().midiOutput, "off");
    EXPECT_TRUE(messages.empty());
}

// The pedal unplugged between runs: its names are what it will come back
// under, so they stay stored and are waited for.
TEST_F(HostWithoutDevices, StoredPortsThatAreNotThereAreKeptAndWaitedFor) {
    std::filesystem::create_directories(folder());
    HostSettings stored;
    stored.midiInput = "Bass Pedal:MIDI 1 24:0";
    stored.midiOutput = "Bass Pedal:MIDI 1 24:0";
    stored.sampleRate = 48000;
    SettingsFile(folder()).save(stored);
    SettingsFile(folder()).saveScale(2.0);

    auto host = makeHost({.audio = false, .findPedal = true});
    std::vector<std::string> statuses;
    host->setStatusHook([&](const std::string& text) { statuses.push_back(text); });
    host->initialise();
    EXPECT_EQ(host->settings().midiInput, stored.midiInput);
    EXPECT_FALSE(host->searching());  // a stored pedal is waited for, not looked for
    EXPECT_FALSE(host->deviceReachable());
    EXPECT_EQ(statuses.back(), "Waiting for the MIDI ports of the pedal...");
    const SettingsFile file(folder());
    EXPECT_EQ(file.read().midiInput, stored.midiInput);
    EXPECT_EQ(file.read().midiOutput, stored.midiOutput);
    EXPECT_EQ(file.read().sampleRate, 48000);
    EXPECT_DOUBLE_EQ(file.scale(), 2.0);
}

TEST_F(HostWithoutDevices, RunsTheNotificationHookAfterOpeningPorts) {
    auto host = makeHost();
    bool notified = false;
    host->initialise([&] {
        notified = true;
        EXPECT_EQ(host->settings().midiInput, "off");
    });
    EXPECT_TRUE(notified);
}

TEST_F(HostWithoutDevices, SendingWithNoPortOpenGoesNowhereButSucceeds) {
    auto host = makeHost();
    host->initialise();
    const std::vector<std::uint8_t> identify{0xF0, 0x00, 0x51, 0x21, 0x05, 0x55, 0x0A, 0x0F, 0xF7};
    EXPECT_EQ(host->sendToDevice(identify), host->midi()->hasOutputObject());
}

TEST_F(HostWithoutDevices, NoAudioDeviceIsOpenedOrAskedForByDefault) {
    auto host = makeHost({.audio = true});
    host->initialise();
    EXPECT_FALSE(host->openAudio());
    EXPECT_EQ(host->audio(), nullptr);
    EXPECT_TRUE(messages.empty());
}

// A chosen device that fails is said once: not again at the next start while
// it is still the one that failed, and again once another was chosen.
TEST_F(HostWithoutDevices, AChosenAudioDeviceThatFailsIsReportedOnceAcrossStarts) {
    std::filesystem::create_directories(folder());
    HostSettings stored;
    stored.audioEnabled = true;
    stored.driver = 1;  // JACK, whose server is not there
    stored.audioOutput = "system";
    SettingsFile(folder()).save(stored);
    const std::string told =
        "Error: The audio device \"system\" could not be opened. The editor works without "
        "it; choose another in MIDI Settings.";
    for (int start = 0; start < 2; ++start) {
        auto host = makeHost({.audio = true});
        host->initialise();
        EXPECT_FALSE(host->openAudio());
        EXPECT_FALSE(host->openAudio());
        EXPECT_EQ(host->settings().midiOutput, "off");
    }
    EXPECT_EQ(messages, std::vector<std::string>{told});
    EXPECT_TRUE(SettingsFile(folder()).read().audioEnabled);

    auto host = makeHost({.audio = true});
    host->initialise();
    host->settings().audioOutput = "another";
    EXPECT_FALSE(host->openAudio());
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(HostWithoutDevices, ShutdownTwiceAndAfterwardsIsHarmless) {
    auto host = makeHost();
    host->initialise();
    host->shutDown();
    host->shutDown();
    host->selectMidiPort(PortDirection::Input, "anything");
    EXPECT_FALSE(host->sendToDevice(std::vector<std::uint8_t>{0xF0, 0xF7}));
}

}  // namespace
}  // namespace vornix::host
