// A restore over a JACK server in its default asynchronous mode at 64 frames
// (with_jack.sh --async), with the machine kept busy: a client that is late
// for a cycle loses the MIDI that cycle carried, a message or its
// acknowledgement. The restore must make up for what is lost.
#ifdef VORNIXCTL_PATH
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <iterator>
#include <thread>

#include "child_process.hpp"
#include "simulator_on_jack.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {
namespace {

constexpr int CommandTimeoutMs = 180000;
// Threads that only compute, as many as the machine has cores: the server and
// its clients, without realtime scheduling, now and then miss their cycle.
constexpr int LoadThreads = 2;

class MachineLoad {
  public:
    MachineLoad() {
        for (int i = 0; i < LoadThreads; ++i)
            threads_.emplace_back([this] {
                double x = 1.0;
                while (!stop_.load(std::memory_order_relaxed)) x = std::sqrt(x + 1.0);
                sink_.store(x);
            });
    }
    ~MachineLoad() {
        stop_.store(true);
        for (std::thread& t : threads_) t.join();
    }
    MachineLoad(const MachineLoad&) = delete;
    MachineLoad& operator=(const MachineLoad&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::atomic<double> sink_{0.0};
    std::vector<std::thread> threads_;
};

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class OnAsynchronousJack : public ::testing::Test {
  protected:
    std::unique_ptr<ChildProcess> startSimulator(const std::vector<std::string>& options) {
        std::vector<std::string> argv{vornix::testing::besideTestProgram(VORNIX_SIM_PATH)};
        argv.insert(argv.end(), options.begin(), options.end());
        auto sim = std::make_unique<ChildProcess>(argv);
        if (!sim->waitForLine("ready", 10000)) return nullptr;
        return sim;
    }
    // Runs one vornixctl command with --trace; its exit status.
    int run(const std::vector<std::string>& command) {
        std::vector<std::string> options{"--trace"};
        options.insert(options.end(), command.begin(), command.end());
        ChildProcess ctl(vornixctlOnSimulator(data.path(), options),
                         ChildProcess::Capture::StdoutAndStderr);
        const int status = ctl.finish(CommandTimeoutMs);
        lastOutput = ctl.output();
        return status;
    }
    std::string tail() const {
        constexpr std::size_t Shown = 3000;
        return lastOutput.size() <= Shown ? lastOutput
                                          : "..." + lastOutput.substr(lastOutput.size() - Shown);
    }
    std::filesystem::path file(const char* name) const { return files.path() / name; }

    TempDir data;
    TempDir files;
    std::string lastOutput;
};

// The pedal's IR dumps carry a checksum of its own, so the backups also
// take the device's convention over real ports.
TEST_F(OnAsynchronousJack, ABackupRestoredBesideABusyMachineReadsBackTheSame) {
    const std::vector<std::string> pedal{"--ir-dump-checksum-offset", "3"};
    auto sim = startSimulator(pedal);
    ASSERT_TRUE(sim) << "vornix-sim did not start";
    // Something a factory pedal does not have.
    ASSERT_EQ(run({"set", "5", "77"}), 0) << tail();
    ASSERT_EQ(run({"store", "10"}), 0) << tail();
    ASSERT_EQ(run({"backup", file("before.kvb").string()}), 0) << tail();
    EXPECT_EQ(sim->stop(), 0);

    // A new simulator without --state starts from the factory presets.
    sim = startSimulator(pedal);
    ASSERT_TRUE(sim);
    {
        MachineLoad load;
        ASSERT_EQ(run({"--yes", "restore", file("before.kvb").string()}), 0) << tail();
    }
    const std::size_t resent = count(lastOutput, " sent again");
    RecordProperty("messages sent again", static_cast<int>(resent));
    std::cout << "the restore sent " << resent << " messages again\n";
    ASSERT_EQ(run({"backup", file("after.kvb").string()}), 0) << tail();
    const std::string before = contentsOf(file("before.kvb"));
    EXPECT_GT(before.size(), 128u * 267);
    EXPECT_TRUE(contentsOf(file("after.kvb")) == before) << "the pedal holds what the bank held";
    EXPECT_EQ(sim->stop(), 0);
}

}  // namespace
}  // namespace vornix::testing
#endif
