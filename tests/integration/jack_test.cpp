// The host's real MIDI and audio paths on a JACK server (see with_jack.sh).
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "child_process.hpp"
#include "device/sysex.hpp"
#include "host/audio_stream.hpp"
#include "host/device_connection.hpp"
#include "host/host.hpp"
#include "host/plain_event_loop.hpp"
#include "host/rtmidi_port.hpp"
#include "identify_until_answered.hpp"
#include "temp_dir.hpp"

namespace vornix::host {
namespace {

constexpr const char* SimInput = "Vornix Simulator In:Vornix Simulator";
constexpr const char* SimOutput = "Vornix Simulator Out:Vornix Simulator";
constexpr const char* Serial = "VX1-INTEGRATE";
constexpr int ReplyTimeoutMs = 3000;

std::unique_ptr<testing::ChildProcess> startSimulator(std::vector<std::string> extra = {}) {
    std::vector<std::string> argv{vornix::testing::besideTestProgram(VORNIX_SIM_PATH), "--serial",
                                  Serial, "--version", "1.4"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    auto sim = std::make_unique<testing::ChildProcess>(argv);
    if (!sim->waitForLine("ready", 10000)) return nullptr;
    return sim;
}

// settings.ini choosing the simulator's ports, on JACK.
void storeSimulatorPorts(const std::filesystem::path& folder) {
    HostSettings stored;
    stored.driver = 1;
    stored.midiInput = SimOutput;
    stored.midiOutput = SimInput;
    SettingsFile(folder).save(stored);
}

TEST(AudioOnJack, RendersSilenceInChunksOfAtMost64Frames) {
    AudioStream stream(1);
    std::atomic<int> chunks{0};
    std::atomic<bool> silent{true};
    std::atomic<unsigned> largest{0};
    stream.setRenderHook([&](std::span<double> samples, unsigned frames) {
        for (double s : samples) silent = silent && s == 0.0;
        if (samples.size() != frames * AudioStream::OutputChannels) silent = false;
        if (frames > largest) largest = frames;
        ++chunks;
    });
    const auto devices = stream.outputDevices();
    ASSERT_FALSE(devices.empty());
    HostSettings settings;
    settings.driver = AudioDriverJack;
    settings.audioOutput = devices.front().name;
    settings.sampleRate = 96000;  // not the server's: the server's rate wins
    ASSERT_TRUE(stream.open(settings));
    for (int i = 0; i < 200 && chunks < 20; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GE(chunks.load(), 20);
    EXPECT_TRUE(silent.load());
    EXPECT_LE(largest.load(), AudioStream::ChunkFrames);
    EXPECT_NE(stream.running().sampleRate, 96000);
    stream.close();
    EXPECT_FALSE(stream.isRunning());
}

TEST(SimulatorOnJack, AnswersIdentificationThroughRealPorts) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    PlainEventLoop loop;
    RtMidiPort port;
    ASSERT_TRUE(port.openInput(SimOutput)) << sim->output();
    ASSERT_TRUE(port.openOutput(SimInput)) << sim->output();
    std::vector<sysex::Bytes> replies;
    DeviceConnection connection(loop, port,
                                [&](auto m) { replies.emplace_back(m.begin(), m.end()); });
    ASSERT_TRUE(connection.send(sysex::requestPage(sysex::page::Identify)));
    ASSERT_TRUE(loop.runUntil([&] { return !replies.empty(); }, ReplyTimeoutMs));
    EXPECT_EQ(replies[0], sysex::identificationReply(14, Serial));

    // A whole preset (267 bytes) arrives in one piece.
    replies.clear();
    connection.send(sysex::requestPreset(5));
    ASSERT_TRUE(loop.runUntil([&] { return !replies.empty(); }, ReplyTimeoutMs));
    EXPECT_EQ(replies[0].size(), sysex::BlockMessageSize);
    EXPECT_TRUE(sysex::parseBlockMessage(replies[0]).view.checksumOk);
    EXPECT_EQ(sim->stop(), 0);
}

TEST(SimulatorOnJack, PortsVanishingWhileOpenCostNothing) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim);
    PlainEventLoop loop;
    auto port = std::make_unique<RtMidiPort>();
    ASSERT_TRUE(port->openInput(SimOutput));
    ASSERT_TRUE(port->openOutput(SimInput));
    EXPECT_EQ(sim->stop(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (int i = 0; i < 10; ++i) port->send(sysex::requestPage(sysex::page::Identify));
    const auto inputs = port->inputPorts();
    EXPECT_EQ(std::find(inputs.begin(), inputs.end(), SimOutput), inputs.end());
    EXPECT_FALSE(port->openInput(SimOutput));
    port->shutDown();
    port.reset();
}

TEST(HostOnJack, OpensStoredPortsAndKeepsTheirNames) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim);
    testing::TempDir temp;
    storeSimulatorPorts(temp.path());

    PlainEventLoop loop;
    std::vector<sysex::Bytes> replies;
    std::vector<std::string> messages;
    Host host(
        temp.path(), loop, [&](auto m) { replies.emplace_back(m.begin(), m.end()); },
        [&](const std::string& text, const std::string&) { messages.push_back(text); });
    host.initialise();
    EXPECT_FALSE(host.openAudio());  // no audio device was chosen
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(host.settings().midiInput, SimOutput);
    const auto& inputs = host.portList(PortDirection::Input);
    EXPECT_NE(std::find(inputs.begin(), inputs.end(), SimOutput), inputs.end());
    ASSERT_TRUE(testing::identifyUntilAnswered(host, loop, replies, ReplyTimeoutMs));
    host.shutDown();
    EXPECT_EQ(SettingsFile(temp.path()).read().midiOutput, SimInput);
    EXPECT_EQ(sim->stop(), 0);
}

// The editor's side of unplugging: the chosen ports are closed when they go
// and opened again when a simulator of the same name is back; the stored
// names never change on the way.
TEST(HostOnJack, OpensTheChosenPortsAgainWhenTheDeviceIsBack) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim);
    testing::TempDir temp;
    storeSimulatorPorts(temp.path());

    PlainEventLoop loop;
    std::vector<sysex::Bytes> replies;
    std::map<PortDirection, bool> present{{PortDirection::Input, true},
                                          {PortDirection::Output, true}};
    std::vector<std::string> reports;
    Host host(
        temp.path(), loop, [&](auto m) { replies.emplace_back(m.begin(), m.end()); },
        [](const std::string&, const std::string&) {}, HostOptions{.audio = false});
    host.setPortHook([&](const std::vector<PortChange>& changes) {
        for (const auto& change : changes) present[change.direction] = change.present;
        reports.push_back(describePortChanges(changes));
    });
    host.initialise();
    auto both = [&](bool value) {
        return present[PortDirection::Input] == value && present[PortDirection::Output] == value;
    };

    sim->kill();
    ASSERT_TRUE(loop.runUntil([&] { return both(false); }, ReplyTimeoutMs * 2));
    EXPECT_FALSE(host.midi()->inputOpen());
    EXPECT_FALSE(host.midi()->outputOpen());
    EXPECT_NE(reports.front().find("went away"), std::string::npos) << reports.front();
    // Our input port stays registered, unconnected: unregistering it while
    // the server sends the new latencies races libjack's own thread.
    const auto inputsOfAll = host.midi()->outputPorts();
    EXPECT_NE(std::find(inputsOfAll.begin(), inputsOfAll.end(),
                        std::string(RtMidiPort::InputClient) + ":" + RtMidiPort::InputPortName),
              inputsOfAll.end());

    sim = startSimulator();
    ASSERT_TRUE(sim);
    ASSERT_TRUE(loop.runUntil([&] { return both(true); }, ReplyTimeoutMs * 2));
    EXPECT_NE(reports.back().find(" back"), std::string::npos) << reports.back();
    ASSERT_TRUE(testing::identifyUntilAnswered(host, loop, replies, ReplyTimeoutMs));
    EXPECT_EQ(replies[0], sysex::identificationReply(14, Serial));
    EXPECT_EQ(host.settings().midiInput, SimOutput);
    host.shutDown();
    EXPECT_EQ(SettingsFile(temp.path()).read().midiOutput, SimInput);
    EXPECT_EQ(sim->stop(), 0);
}

}  // namespace
}  // namespace vornix::host
