// The editor (its window content, driven by a script) and a simulated pedal
// on JACK, in every order a user plugs them: the pedal first, the editor
// first, the pedal pulled out and plugged in again, and the first start
// with nothing stored.
#ifdef VORNIX_CONTROL_PATH
#include <gtest/gtest.h>

#include <fstream>

#include "child_process.hpp"
#include "host/host_settings.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {
namespace {

constexpr int StartMs = 10000;
constexpr int RunMs = 60000;
// A name of its own for each test's pedal: a JACK client that has just gone
// may still be listed, and a new one of its name would be renamed.
std::string freshPedalName() {
    static int count = 0;
    return "Plug Pedal " + std::to_string(++count);
}

class EditorOnJack : public ::testing::Test {
  protected:
    void TearDown() override {
        if (editor) editor->stop();
        for (auto& sim : sims) sim->stop();
    }
    ChildProcess* startPedal() {
        sims.push_back(std::make_unique<ChildProcess>(std::vector<std::string>{
            vornix::testing::besideTestProgram(VORNIX_SIM_PATH), "--name", name}));
        return sims.back()->waitForLine("ready", StartMs) ? sims.back().get() : nullptr;
    }
    void storePorts() {
        host::HostSettings stored;
        stored.midiInput = PedalIn;
        stored.midiOutput = PedalOut;
        host::SettingsFile(data.path()).save(stored);
    }
    void startEditor(const std::string& script) {
        const auto path = data.path() / "script.txt";
        std::ofstream(path) << script;
        editor = std::make_unique<ChildProcess>(
            std::vector<std::string>{vornix::testing::besideTestProgram(VORNIX_CONTROL_PATH),
                                     "--headless", "--data-dir", data.path().string(), "--script",
                                     path.string()},
            ChildProcess::Capture::StdoutAndStderr);
    }
    host::HostSettings stored() const { return host::SettingsFile(data.path()).read(); }

    const std::string name = freshPedalName();
    const std::string PedalIn = name + " Out:" + name;
    const std::string PedalOut = name + " In:" + name;
    TempDir data;
    std::unique_ptr<ChildProcess> editor;
    std::vector<std::unique_ptr<ChildProcess>> sims;
};

TEST_F(EditorOnJack, PedalFirst) {
    ASSERT_TRUE(startPedal());
    storePorts();
    startEditor("until online\nprint 152\n");
    ASSERT_EQ(editor->finish(RunMs), 0) << editor->output();
    EXPECT_NE(editor->output().find("text=\"VERSION: 1.3\""), std::string::npos)
        << editor->output();
}

TEST_F(EditorOnJack, EditorFirstWaitsForThePedalsPortsUnderTheirStoredNames) {
    storePorts();
    startEditor("print 152\nuntil online 30000\nprint 152\n");
    ASSERT_TRUE(
        editor->waitForText("tag 152 text=\"Waiting for the MIDI ports of the pedal...\"", StartMs))
        << editor->output();
    EXPECT_EQ(stored().midiInput, PedalIn);
    ASSERT_TRUE(startPedal());
    ASSERT_EQ(editor->finish(RunMs), 0) << editor->output();
    EXPECT_NE(editor->output().find("text=\"VERSION: 1.3\""), std::string::npos)
        << editor->output();
    EXPECT_EQ(stored().midiInput, PedalIn);
    EXPECT_EQ(stored().midiOutput, PedalOut);
}

TEST_F(EditorOnJack, UnpluggedAndPluggedInAgain) {
    auto* pedal = startPedal();
    ASSERT_TRUE(pedal);
    storePorts();
    // The wait leaves the editor time to notice the pedal going.
    startEditor("until online\nprint 153\nwait 4000\nuntil online 30000\nprint 152\n");
    ASSERT_TRUE(editor->waitForText("tag 153", RunMs)) << editor->output();
    ASSERT_EQ(pedal->stop(), 0);
    ASSERT_TRUE(editor->waitForText("went away", StartMs)) << editor->output();
    ASSERT_TRUE(startPedal());
    ASSERT_EQ(editor->finish(RunMs), 0) << editor->output();
    const std::string& out = editor->output();
    EXPECT_NE(out.find("are back"), std::string::npos) << out;
    EXPECT_NE(out.find("text=\"VERSION: 1.3\""), std::string::npos) << out;
}

TEST_F(EditorOnJack, FirstStartFindsThePedalAndStoresItsPorts) {
    ASSERT_TRUE(startPedal());
    startEditor("until online 30000\nprint 153\n");
    ASSERT_EQ(editor->finish(RunMs), 0) << editor->output();
    EXPECT_NE(editor->output().find("SERIAL: VX1-000417"), std::string::npos) << editor->output();
    EXPECT_EQ(stored().midiInput, PedalIn);
    EXPECT_EQ(stored().midiOutput, PedalOut);
}

}  // namespace
}  // namespace vornix::testing
#endif
