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

TEST_F(HostWithoutDevices, PortThatNoLongerExistsComesUpOffAndOthersStay) {
    std::filesystem::create_directories(folder());
    HostSettings stored;
    stored.midiInput = "Bass Pedal:MIDI 1";
    stored.midiOutput = "off";
    stored.sampleRate = 48000;
    SettingsFile(folder()).save(stored);
    SettingsFile(folder()).saveScale(2.0);

    auto host = makeHost();
    host->initialise();
    EXPECT_EQ(host->settings().midiInput, "off");
    const SettingsFile file(folder());
    EXPECT_EQ(file.read().midiInput, "off");
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

TEST_F(HostWithoutDevices, MissingSoundcardIsReportedOnceAndMidiStillWorks) {
    std::filesystem::create_directories(folder());
    HostSettings stored;
    stored.driver = 1;  // JACK, whose server is not there
    SettingsFile(folder()).save(stored);
    auto host = makeHost({.audio = true});
    host->initialise();
    EXPECT_FALSE(host->openAudio());
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Error: Please check your soundcard settings in Preferences"});
    EXPECT_EQ(host->settings().midiOutput, "off");
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
