// vornixctl against vornix-sim, both on real JACK MIDI ports.
#ifdef VORNIXCTL_PATH
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "child_process.hpp"
#include "device/message_decoder.hpp"
#include "device/sysex.hpp"
#include "sim/pedal.hpp"
#include "simulator_on_jack.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {
namespace {

constexpr int CommandTimeoutMs = 60000;
// The simulator saves its state half a second after the traffic.
constexpr int StateSavePollMs = 100;
constexpr int StateSaveWaits = 100;

// The end of what a program printed, for a failure message: monitor prints
// every message both ways.
std::string tailOf(const ChildProcess& child) {
    constexpr std::size_t Shown = 3000;
    const std::string& all = child.output();
    return all.size() <= Shown ? all : "..." + all.substr(all.size() - Shown);
}

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CommandLineOnJack : public ::testing::Test {
  protected:
    std::unique_ptr<ChildProcess> startSimulator(std::vector<std::string> options = {}) {
        options.insert(options.begin(), vornix::testing::besideTestProgram(VORNIX_SIM_PATH));
        auto sim = std::make_unique<ChildProcess>(options);
        if (!sim->waitForLine("ready", 10000)) return nullptr;
        return sim;
    }
    std::vector<std::string> commandLine(const std::vector<std::string>& command) const {
        return vornixctlOnSimulator(data.path(), command);
    }
    // Runs one vornixctl command; its exit status.
    int run(const std::vector<std::string>& command) {
        ChildProcess ctl(commandLine(command));
        const int status = ctl.finish(CommandTimeoutMs);
        lastOutput = ctl.output();
        return status;
    }
    // Starts one vornixctl command; what it prints and what it reports are read together.
    std::unique_ptr<ChildProcess> start(const std::vector<std::string>& command) const {
        return std::make_unique<ChildProcess>(commandLine(command),
                                              ChildProcess::Capture::StdoutAndStderr);
    }
    std::filesystem::path file(const char* name) const { return files.path() / name; }

    TempDir data;
    TempDir files;
    std::string lastOutput;
};

TEST_F(CommandLineOnJack, BackupRestoredIntoAResetPedalReadsBackTheSame) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    ASSERT_EQ(run({"sync"}), 0) << lastOutput;
    // Something a factory pedal does not have.
    ASSERT_EQ(run({"set", "5", "77"}), 0) << lastOutput;
    ASSERT_EQ(run({"store", "10"}), 0) << lastOutput;
    ASSERT_EQ(run({"backup", file("before.kvb").string()}), 0) << lastOutput;
    EXPECT_EQ(sim->stop(), 0);

    // A new simulator without --state starts from the factory presets.
    sim = startSimulator();
    ASSERT_TRUE(sim);
    ASSERT_EQ(run({"select", "10"}), 0) << lastOutput;
    ASSERT_EQ(run({"get", "5"}), 0) << lastOutput;
    EXPECT_NE(lastOutput.find("Drive: "), std::string::npos) << lastOutput;
    EXPECT_EQ(lastOutput.find("Drive: 77"), std::string::npos) << lastOutput;

    ASSERT_EQ(run({"--yes", "restore", file("before.kvb").string()}), 0) << lastOutput;
    ASSERT_EQ(run({"backup", file("after.kvb").string()}), 0) << lastOutput;
    const std::string before = contentsOf(file("before.kvb"));
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(contentsOf(file("after.kvb")), before);
    EXPECT_EQ(sim->stop(), 0);
}

// The simulator answers on its MIDI thread and saves its state from the main
// loop a little after the traffic: a save taken while it answers must hold
// what it answered, for a simulator killed before it could save at exit.
TEST_F(CommandLineOnJack, StateSavedWhileThePedalRunsOutlivesAKill) {
    TempDir state;
    auto sim = startSimulator({"--state", state.path().string()});
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    ASSERT_EQ(run({"set", "5", "77"}), 0) << lastOutput;
    ASSERT_EQ(run({"store", "10"}), 0) << lastOutput;
    ASSERT_EQ(run({"backup", file("before.kvb").string()}), 0) << lastOutput;
    const sim::Pedal factory;
    const std::string factorySlot(factory.preset(10).begin(), factory.preset(10).end());
    auto savedSlot = [&] {
        return contentsOf(state.path() / "presets.bin")
            .substr(10 * sysex::BlockSize, sysex::BlockSize);
    };
    for (int wait = 0; wait < StateSaveWaits && savedSlot() == factorySlot; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(StateSavePollMs));
    sim->kill();

    sim = startSimulator({"--state", state.path().string()});
    ASSERT_TRUE(sim);
    ASSERT_EQ(run({"backup", file("after.kvb").string()}), 0) << lastOutput;
    EXPECT_EQ(contentsOf(file("after.kvb")), contentsOf(file("before.kvb")));
    EXPECT_EQ(sim->stop(), 0);
}

// Late and doubled replies come from the simulator's main loop and its MIDI
// thread at once; the sync still reads every preset.
TEST_F(CommandLineOnJack, SyncReadsEveryPresetDespiteALateOrDoubledReply) {
    const std::vector<std::vector<std::string>> faults = {
        {"--delay", "41:3:300"},
        {"--duplicate", "41:5"},
        {"--delay", "41:0:2"},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault[0] + " " + fault[1]);
        TempDir cache;
        auto sim = startSimulator(fault);
        ASSERT_TRUE(sim) << "vornix-sim did not start";
        ChildProcess ctl({vornix::testing::besideTestProgram(VORNIXCTL_PATH), "--in", SimOutput,
                          "--out", SimInput, "--data-dir", cache.path().string(), "sync"});
        ASSERT_EQ(ctl.finish(CommandTimeoutMs), 0) << ctl.output();
        int slotFiles = 0;
        for (const auto& entry : std::filesystem::directory_iterator(cache.path() / "Presets"))
            slotFiles += entry.path().extension() == ".dat" ? 1 : 0;
        EXPECT_EQ(slotFiles, NumPresets);
        EXPECT_EQ(sim->stop(), 0);
    }
}

// Pulling the pedal out in the middle of a backup ends the command with the
// reason, before the export's own 5 s wait would end it with "Communication
// error!".
// The pedals that most need an update are those whose firmware this program
// refuses: every command but the update ends with exit code 3, and the update
// itself needs no identification.
TEST_F(CommandLineOnJack, APedalWithARefusedFirmwareIsRefusedButCanBeUpdated) {
    auto sim = startSimulator({"--version", "0.9"});
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    auto sync = start({"sync"});
    EXPECT_EQ(sync->finish(CommandTimeoutMs), 3) << sync->output();
    EXPECT_NE(sync->output().find("Please upgrade Vornix to actual version 10."), std::string::npos)
        << sync->output();
    const auto image = file("fw.bin");
    std::ofstream(image, std::ios::binary) << std::string(3000, 'f');
    EXPECT_EQ(run({"firmware", image.string()}), 0) << lastOutput;
    EXPECT_EQ(sim->stop(), 0);
}

TEST_F(CommandLineOnJack, ABackupEndsAtOnceWhenThePedalGoesAway) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    auto ctl = start({"backup", file("cut.kvb").string()});
    ASSERT_TRUE(ctl->waitForText("backing up", CommandTimeoutMs)) << tailOf(*ctl);
    ASSERT_TRUE(ctl->waitForText("progress: ", CommandTimeoutMs, ctl->output().size()));
    sim->kill();
    EXPECT_EQ(ctl->finish(CommandTimeoutMs), 1);
    const std::string& output = ctl->output();
    EXPECT_NE(output.find("vornixctl: the MIDI port"), std::string::npos) << output;
    EXPECT_NE(output.find("went away"), std::string::npos) << output;
    EXPECT_EQ(output.find("Communication error!"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(file("cut.kvb")));
}

TEST_F(CommandLineOnJack, MonitorTellsThePedalWentAwayAndTalksToItAgainWhenBack) {
    auto sim = startSimulator();
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    auto ctl = start({"monitor"});
    ASSERT_TRUE(ctl->waitForText("online; press Ctrl+C to stop", CommandTimeoutMs)) << tailOf(*ctl);
    // Stopped, it takes its ports down as a pedal's driver does when unplugged.
    const std::size_t beforeStop = ctl->output().size();
    EXPECT_EQ(sim->stop(), 0);
    // Both ports, in one line or two; only then are the names free for a new simulator.
    ASSERT_TRUE(ctl->waitForText("went away", CommandTimeoutMs, beforeStop)) << tailOf(*ctl);
    ASSERT_TRUE(ctl->waitForText(SimInput, CommandTimeoutMs, beforeStop)) << tailOf(*ctl);
    ASSERT_TRUE(ctl->waitForText(SimOutput, CommandTimeoutMs, beforeStop)) << tailOf(*ctl);

    sim = startSimulator();
    ASSERT_TRUE(sim) << "vornix-sim did not start again";
    ASSERT_TRUE(ctl->waitForText(" back", CommandTimeoutMs, beforeStop)) << tailOf(*ctl);
    // The editor went offline, and asks the pedal again as soon as it is back.
    const sim::PedalOptions pedal;
    // Decoded: the direction, the message in words, two spaces, the bytes.
    const sysex::Bytes reply =
        sysex::identificationReply(pedal.firmwareVersionTimesTen, pedal.serialNumber);
    const std::string identified = " < " + sysex::decodeAlone(sysex::Sender::Device, reply).name +
                                   "  " + sysex::toHex(reply) + "\n";
    EXPECT_TRUE(ctl->waitForText(identified, CommandTimeoutMs, beforeStop)) << tailOf(*ctl);
    EXPECT_EQ(ctl->stop(), 0) << tailOf(*ctl);
    EXPECT_EQ(sim->stop(), 0);
}

// Two pedals and a silent box: both pedals are printed with what they said
// of themselves, the box is not, and nothing is stored without --use.
TEST_F(CommandLineOnJack, DetectPrintsEveryPedalThatAnswersAndStoresNothing) {
    auto a = startSimulator({"--name", "Detect A", "--serial", "VX1-DA", "--version", "1.4"});
    auto b = startSimulator({"--name", "Detect B", "--serial", "VX1-DB"});
    auto quiet = startSimulator({"--name", "Detect Quiet", "--silent"});
    ASSERT_TRUE(a && b && quiet) << "vornix-sim did not start";
    ChildProcess ctl({vornix::testing::besideTestProgram(VORNIXCTL_PATH), "--data-dir",
                      data.path().string(), "ports", "--detect"});
    ASSERT_EQ(ctl.finish(CommandTimeoutMs), 0) << ctl.output();
    const std::string& out = ctl.output();
    for (const char* line :
         {"  input:    Detect A Out:Detect A\n", "  output:   Detect A In:Detect A\n",
          "  firmware: 1.4\n", "  serial:   VX1-DA\n", "  input:    Detect B Out:Detect B\n",
          "  serial:   VX1-DB\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
    EXPECT_EQ(out.find("Quiet"), std::string::npos) << out;
    EXPECT_NE(out.find("pedal 2:"), std::string::npos) << out;
    EXPECT_FALSE(std::filesystem::exists(data.path() / "settings.ini"));

    ChildProcess choose({vornix::testing::besideTestProgram(VORNIXCTL_PATH), "--data-dir",
                         data.path().string(), "ports", "--detect", "--use"});
    EXPECT_EQ(choose.finish(CommandTimeoutMs), 1) << choose.output();
    EXPECT_FALSE(std::filesystem::exists(data.path() / "settings.ini"));
    EXPECT_EQ(b->stop(), 0);

    ChildProcess use({vornix::testing::besideTestProgram(VORNIXCTL_PATH), "--data-dir",
                      data.path().string(), "ports", "--detect", "--use"});
    ASSERT_EQ(use.finish(CommandTimeoutMs), 0) << use.output();
    const std::string settings = contentsOf(data.path() / "settings.ini");
    EXPECT_NE(settings.find("indev=Detect A Out:Detect A"), std::string::npos) << settings;
    EXPECT_NE(settings.find("outdev=Detect A In:Detect A"), std::string::npos) << settings;
    EXPECT_EQ(a->stop(), 0);
    EXPECT_EQ(quiet->stop(), 0);
}

}  // namespace
}  // namespace vornix::testing
#endif
