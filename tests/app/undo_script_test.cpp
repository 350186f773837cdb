// Undo, Redo and Bring Back through the script interface against the built-in
// pedal: what each sends, in order with what the script prints, and what the
// window then shows.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "app/script_runner.hpp"
#include "device/sysex.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

// The script's printed lines and the messages to the pedal ("> hex"), in the
// order they happened.
std::vector<std::string> run(std::initializer_list<std::string> script) {
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
    const int status = runScript(options, source, both, err);
    std::cerr.rdbuf(saved);
    EXPECT_EQ(status, 0) << err.str();
    std::vector<std::string> lines;
    std::istringstream in(both.str());
    for (std::string line; std::getline(in, line);)
        if (!line.starts_with("< ")) lines.push_back(line);
    return lines;
}

std::string prefixOf(std::uint8_t command) {
    return "> " +
           sysex::toHex(sysex::Bytes{sysex::Start, sysex::Manufacturer[0], sysex::Manufacturer[1],
                                     sysex::Manufacturer[2], sysex::family::Editor, command});
}

// The sound-changing messages (0x50 and 0x20) sent after the printed line
// `from` and before the printed line `to` (counted among printed lines only).
std::vector<std::string> soundSentBetween(const std::vector<std::string>& lines, std::size_t from,
                                          std::size_t to) {
    std::vector<std::string> sent;
    std::size_t printedSoFar = 0;
    for (const std::string& line : lines) {
        if (!line.starts_with("> ")) {
            ++printedSoFar;
            continue;
        }
        const bool sound = line.starts_with(prefixOf(sysex::cmd::SetParameter)) ||
                           line.starts_with(prefixOf(sysex::cmd::EditBuffer));
        if (sound && printedSoFar > from && printedSoFar <= to) sent.push_back(line);
    }
    return sent;
}

std::vector<std::string> printed(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        if (!line.starts_with("> ")) out.push_back(line);
    return out;
}

constexpr const char* DriveUp = "drag 769.5 189 769.5 129 10";  // the faceplate's DRIVE knob
constexpr const char* Kestrin = "click 540 745";  // on the amplifier page the knob brought up
constexpr const char* Preset05 = "click 130 502";
constexpr const char* Preset06 = "click 130 552";

TEST(UndoScript, ADragIsOneStepTakenBackByOneParameterMessage) {
    const auto lines = run({"until online", "wait 3000", "param 5", DriveUp, "param 5", "edit-menu",
                            "key ctrl+z", "print 1", "param 5", "edit-menu", "key ctrl+shift+z",
                            "print 1", "param 5", "key ctrl+z", "key ctrl+y", "param 5"});
    const auto out = printed(lines);
    ASSERT_EQ(out.size(), 13u);
    const std::string before = out[0].substr(out[0].find("value="));
    const std::string after = out[1].substr(out[1].find("value="));
    EXPECT_EQ(out[2], "menu undo enabled=1 text=\"Undo Drive 12 % \u2192 26 %\"");
    EXPECT_EQ(out[3], "menu redo enabled=0 text=\"Redo\"");
    EXPECT_EQ(out[6], "param 5 " + before);
    EXPECT_EQ(out[7], "menu undo enabled=0 text=\"Undo\"");
    EXPECT_EQ(out[8], "menu redo enabled=1 text=\"Redo Drive 12 % \u2192 26 %\"");
    EXPECT_EQ(out[11], "param 5 " + after);
    EXPECT_EQ(out[12], "param 5 " + after);
    const auto undone = soundSentBetween(lines, 4, 5);
    EXPECT_EQ(undone,
              std::vector<std::string>{prefixOf(sysex::cmd::SetParameter) + " 0A 05 0F F7"});
    const auto redone = soundSentBetween(lines, 9, 10);
    EXPECT_EQ(redone,
              std::vector<std::string>{prefixOf(sysex::cmd::SetParameter) + " 0A 05 21 F7"});
}

TEST(UndoScript, AVoicingIsTakenBackByOneWholePreset) {
    const auto lines = run({"until online", "wait 3000", DriveUp, "param 5", Kestrin, "param 5",
                            "edit-menu", "menu undo", "print 1", "param 5", "edit-menu"});
    const auto out = printed(lines);
    ASSERT_EQ(out.size(), 10u);
    EXPECT_NE(out[0], out[1]);
    EXPECT_EQ(out[2], "menu undo enabled=1 text=\"Undo Amplifier Model Kestrin\"");
    EXPECT_EQ(out[6], out[0]);
    EXPECT_EQ(out[7], "menu undo enabled=1 text=\"Undo Drive 12 % \u2192 26 %\"");
    EXPECT_EQ(out[8], "menu redo enabled=1 text=\"Redo Amplifier Model Kestrin\"");
    const auto undone = soundSentBetween(lines, 4, 5);
    ASSERT_EQ(undone.size(), 1u);
    EXPECT_TRUE(undone[0].starts_with(prefixOf(sysex::cmd::EditBuffer)));
}

// The preset recalled again comes from the pedal and replaces the edit: redo
// has nothing left to make again.
TEST(UndoScript, RedoIsGreyedAfterTheDeviceChangedTheSound) {
    const auto lines = run({"until online", "wait 3000", Preset05, "wait 500", DriveUp,
                            "drag 769.5 189 769.5 169 5", "key ctrl+z", "edit-menu", Preset05,
                            "wait 500", "edit-menu"});
    const auto out = printed(lines);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_TRUE(out[1].starts_with("menu redo enabled=1 text=\"Redo Drive 22 % ")) << out[1];
    EXPECT_EQ(out[4], "menu redo enabled=0 text=\"Redo\"");
}

TEST(UndoScript, AnEditARecallThrewAwayComesBackWithItsHistory) {
    const auto lines = run({"until online", "wait 3000", Preset05, "wait 500", "param 5", DriveUp,
                            "param 5", Preset06, "wait 500", "edit-menu", "menu bring-back",
                            "wait 500", "print 1", "param 5", "edit-menu", "menu undo", "param 5"});
    const auto out = printed(lines);
    ASSERT_EQ(out.size(), 11u);
    EXPECT_EQ(out[4],
              "menu bring-back enabled=1 text=\"Bring Back Unsaved Edit of 05 Smooth "
              "Vintage\"");
    EXPECT_EQ(out[5], R"(tag 1 text="05" value=0 visible=1 enabled=1)");
    EXPECT_EQ(out[6], out[1]);
    EXPECT_EQ(out[7], "menu undo enabled=1 text=\"Undo Drive 8 % \u2192 22 %\"");
    EXPECT_EQ(out[9], "menu bring-back enabled=0 text=\"Bring Back Unsaved Edit\"");
    EXPECT_EQ(out[10], out[0]);
    // The edited sound went to preset 5 as a whole, and nothing was stored.
    const auto brought = soundSentBetween(lines, 4, 5);
    ASSERT_EQ(brought.size(), 1u);
    EXPECT_TRUE(brought[0].starts_with(prefixOf(sysex::cmd::EditBuffer) + " 0A 05"));
    const std::string store = prefixOf(sysex::cmd::SetParameter) + " 0A " +
                              sysex::toHex(sysex::Bytes{sysex::devnum::StorePreset});
    for (const std::string& line : lines) EXPECT_FALSE(line.starts_with(store)) << line;
}

// Ctrl+Z in the name field belongs to the text being typed, not to the sound.
TEST(UndoScript, TheShortcutsLeaveAnOpenTextEntryAlone) {
    const auto lines = run({"until online", "wait 3000", DriveUp, "click 140 132", "key ctrl+z",
                            "key Escape", "edit-menu"});
    const auto out = printed(lines);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], "menu undo enabled=1 text=\"Undo Drive 12 % \u2192 26 %\"");
}

}  // namespace
}  // namespace vornix::app
