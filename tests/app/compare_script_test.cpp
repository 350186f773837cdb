// A/B, the differences and Copy as Text through the script interface against
// the built-in pedal: the button, the list, and what each switch sends.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "app/script_runner.hpp"
#include "device/sysex.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

struct ScriptRun {
    int status = 0;
    std::vector<std::string> printed;  // the script's own lines
    std::vector<std::string> sent;     // "> hex" lines
    std::string errors;
};

ScriptRun run(std::initializer_list<std::string> script) {
    testing::TempDir dir;
    Options options;
    options.headless = true;
    options.simulator = true;
    options.trace = host::TraceMode::Plain;
    options.dataDir = (dir.path() / "data").string();
    std::string source;
    for (const std::string& line : script) source += line + "\n";
    std::ostringstream both, err;
    std::streambuf* saved = std::cerr.rdbuf(both.rdbuf());
    ScriptRun result;
    result.status = runScript(options, source, both, err);
    std::cerr.rdbuf(saved);
    result.errors = err.str();
    std::istringstream in(both.str());
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("< ")) continue;
        (line.starts_with("> ") ? result.sent : result.printed).push_back(line);
    }
    return result;
}

std::string prefixOf(std::uint8_t command) {
    return "> " +
           sysex::toHex(sysex::Bytes{sysex::Start, sysex::Manufacturer[0], sysex::Manufacturer[1],
                                     sysex::Manufacturer[2], sysex::family::Editor, command});
}

constexpr const char* DriveUp = "drag 769.5 189 769.5 129 10";  // the faceplate's DRIVE knob

TEST(CompareScript, TheButtonIsLitWhileBPlaysAndTheListNamesTheEdit) {
    const ScriptRun r =
        run({"until online", "wait 3000", DriveUp, "monitor clear", "print 160", "menu compare",
             "print 160", "differences", "key ctrl+b", "print 160"});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_GE(r.printed.size(), 5u);
    EXPECT_EQ(r.printed[0], "tag 160 text=\"COMPARE\" value=0 visible=1 enabled=1");
    EXPECT_EQ(r.printed[1], "tag 160 text=\"B: STORED\" value=1 visible=1 enabled=1");
    EXPECT_EQ(r.printed[2], "A: Edit  B: Stored");
    EXPECT_NE(std::find_if(r.printed.begin(), r.printed.end(),
                           [](const std::string& line) { return line.starts_with("  Drive "); }),
              r.printed.end());
    EXPECT_EQ(r.printed.back(), "tag 160 text=\"COMPARE\" value=0 visible=1 enabled=1");
}

// After the drag only whole presets go out: B, then the edit again.
TEST(CompareScript, SwitchingSendsOnlyWholePresets) {
    const ScriptRun before = run({"until online", "wait 3000", DriveUp});
    ASSERT_EQ(before.status, 0) << before.errors;
    const ScriptRun r = run({"until online", "wait 3000", DriveUp, "menu compare", "menu compare",
                             "menu compare", "menu compare"});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(r.sent.size(), before.sent.size() + 4);
    std::vector<std::string> switches(r.sent.begin() + static_cast<long>(before.sent.size()),
                                      r.sent.end());
    for (const std::string& line : switches)
        EXPECT_TRUE(line.starts_with(prefixOf(sysex::cmd::EditBuffer))) << line;
    EXPECT_EQ(switches[0], switches[2]) << "B both times";
    EXPECT_EQ(switches[1], switches[3]) << "A both times";
    EXPECT_NE(switches[0], switches[1]);
}

// Take from B is one step: one Undo brings the whole difference back.
TEST(CompareScript, TakeFromBIsOneStepOfTheHistory) {
    const ScriptRun r = run({"until online", "wait 3000", DriveUp, "take-from-b all", "differences",
                             "menu undo", "differences"});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_GE(r.printed.size(), 6u);
    EXPECT_EQ(r.printed[0], "A: Edit  B: Stored");
    EXPECT_EQ(r.printed[1], "The presets are the same.");
    EXPECT_EQ(r.printed[2], "A: Edit  B: Stored");
    EXPECT_NE(std::find_if(r.printed.begin() + 3, r.printed.end(),
                           [](const std::string& line) { return line.starts_with("  Drive "); }),
              r.printed.end());
}

TEST(CompareScript, CompareWithASlotAndARefusedSource) {
    const ScriptRun slot = run({"until online", "wait 3000", "compare-with 12", "print 160"});
    ASSERT_EQ(slot.status, 0) << slot.errors;
    EXPECT_EQ(slot.printed.back(), "tag 160 text=\"B: SLOT 12\" value=1 visible=1 enabled=1");
    const ScriptRun refused = run({"until online", "wait 3000", "compare-with nothing.wav"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.errors.find("'nothing.wav' is no preset"), std::string::npos)
        << refused.errors;
}

TEST(CompareScript, CopyAsTextPutsTheWholeSoundOnTheClipboard) {
    const ScriptRun r = run({"until online", "wait 3000", "menu copy-as-text", "clipboard"});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_FALSE(r.printed.empty());
    EXPECT_TRUE(r.printed[0].starts_with("Name: ")) << r.printed[0];
    EXPECT_NE(std::find(r.printed.begin(), r.printed.end(), "Amplifier"), r.printed.end());
    EXPECT_NE(std::find(r.printed.begin(), r.printed.end(), "Chorus"), r.printed.end());
}

}  // namespace
}  // namespace vornix::app
