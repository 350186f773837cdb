// vornixctl against vornix-sim, both on real JACK MIDI ports.
#ifdef VORNIXCTL_PATH
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "child_process.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {
namespace {

constexpr const char* SimInput = "Vornix Simulator In:Vornix Simulator";
constexpr const char* SimOutput = "Vornix Simulator Out:Vornix Simulator";
constexpr int CommandTimeoutMs = 60000;

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CommandLineOnJack : public ::testing::Test {
  protected:
    std::unique_ptr<ChildProcess> startSimulator() {
        auto sim = std::make_unique<ChildProcess>(std::vector<std::string>{VORNIX_SIM_PATH});
        if (!sim->waitForLine("ready", 10000)) return nullptr;
        return sim;
    }
    // Runs one vornixctl command; its exit status.
    int run(std::vector<std::string> command) {
        std::vector<std::string> argv{VORNIXCTL_PATH, "--in",       SimOutput,           "--out",
                                      SimInput,       "--data-dir", data.path().string()};
        argv.insert(argv.end(), command.begin(), command.end());
        ChildProcess ctl(argv);
        const int status = ctl.finish(CommandTimeoutMs);
        lastOutput = ctl.output();
        return status;
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
    ASSERT_EQ(run({"backup", file("factory.kvb").string()}), 0) << lastOutput;
    EXPECT_NE(contentsOf(file("factory.kvb")), contentsOf(file("before.kvb")));

    ASSERT_EQ(run({"--yes", "restore", file("before.kvb").string()}), 0) << lastOutput;
    ASSERT_EQ(run({"backup", file("after.kvb").string()}), 0) << lastOutput;
    const std::string before = contentsOf(file("before.kvb"));
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(contentsOf(file("after.kvb")), before);
    EXPECT_EQ(sim->stop(), 0);
}

}  // namespace
}  // namespace vornix::testing
#endif
