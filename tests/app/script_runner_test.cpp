// Scripts run in-process against the built-in pedal on virtual time, each in
// a data folder of its own: what they print, the files they leave, and where
// they stop.
#include "app/script_runner.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "device/value_texts.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

struct ScriptResult {
    int status = -1;
    std::vector<std::string> lines;  // stdout
    std::string out;
    std::string err;
};

ScriptResult run(const testing::TempDir& dir, const std::string& source, bool simulator = true) {
    Options options;
    options.headless = true;
    options.simulator = simulator;
    options.dataDir = (dir.path() / "data").string();
    std::ostringstream out, err;
    ScriptResult result;
    result.status = runScript(options, source, out, err);
    result.out = out.str();
    result.err = err.str();
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
    return result;
}

std::string lines(std::initializer_list<std::string> each) {
    std::string script;
    for (const std::string& line : each) script += line + "\n";
    return script;
}

// Width and height from the PNG header.
std::pair<int, int> pngSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto word = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {word(16), word(20)};
}

TEST(ScriptRun, ReadsTheWindowBackOnceThePedalIsOnline) {
    testing::TempDir dir;
    const auto picture = dir.path() / "out.png";
    const ScriptResult r = run(dir, lines({
                                        "until online",
                                        "wait 3000",
                                        "print 1",
                                        "param 0",
                                        "param 3",
                                        "param 2",
                                        "group drivecontrols",
                                        "click 1500 900   # the graph panel: nothing to see yet",
                                        "menu about   # the page, no message box",
                                        "group aboutcontrols",
                                        "render " + picture.string(),
                                        "render " + (dir.path() / "small.png").string() + " 0.25",
                                    }));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 6u) << r.out;
    EXPECT_EQ(r.lines[0], R"(tag 1 text="00" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[1].rfind("param 0 value=", 0), 0u) << r.lines[1];
    EXPECT_NE(r.lines[1].find(" text=\""), std::string::npos);
    EXPECT_NE(r.lines[1].find("%\""), std::string::npos) << "the level shows in percent";
    // A filter band's gain, and a parameter shown in no value text.
    EXPECT_EQ(r.lines[2].rfind("param 3 value=", 0), 0u) << r.lines[2];
    EXPECT_EQ(r.lines[2].find(R"(text="")"), std::string::npos) << r.lines[2];
    EXPECT_EQ(r.lines[3].substr(r.lines[3].size() - 8), R"( text="")") << r.lines[3];
    // The amplifier page waits hidden until one of its parameters is edited.
    EXPECT_TRUE(std::regex_match(
        r.lines[4], std::regex("group drivecontrols shown=0 hidden=[1-9][0-9]* enabled=[0-9]+ "
                               "disabled=[0-9]+")))
        << r.lines[4];
    EXPECT_EQ(r.lines[5].rfind("group aboutcontrols shown=3 ", 0), 0u) << r.lines[5];
    EXPECT_EQ(pngSize(picture), std::make_pair(960, 600));
    EXPECT_EQ(pngSize(dir.path() / "small.png"), std::make_pair(480, 300));
}

TEST(ScriptRun, TheSameScriptPrintsTheSameOnVirtualTime) {
    const std::string script =
        "until online\nwait 60000\nprint 152\nprint 153\nparam 0\n"
        "file cancel\nmenu export-bank\nwait 1000\nprint 58\n";
    testing::TempDir first, second;
    const ScriptResult a = run(first, script);
    const ScriptResult b = run(second, script);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.lines.size(), 5u) << a.out;
    EXPECT_EQ(a.out, b.out);
}

TEST(ScriptRun, DialogsTakeTheQueuedAnswersAndNeverWait) {
    testing::TempDir dir;
    const auto bank = dir.path() / "bank.kvb";
    const ScriptResult r = run(dir, lines({
                                        "until online",
                                        "wait 3000   # the start-up reads are done",
                                        "file " + bank.string(),
                                        "menu export-bank",
                                        "wait 60000",
                                        "answer cancel",
                                        "menu import-bank   # asked first, and told no",
                                        "menu import-bank   # agreed; the file dialog cancels",
                                    }));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string question =
        R"(messagebox "This operation will overwrite the current Presets!\nAre you sure to continue?")";
    EXPECT_EQ(r.lines, (std::vector<std::string>{"filedialog save kvb",
                                                 R"(messagebox "Finished successfully!")", question,
                                                 question, "filedialog open kvb"}));
    EXPECT_GT(std::filesystem::file_size(bank), 10000u);
}

// Import All Presets with bank files cut inside a message, at a message
// boundary, or without an IR their presets play: each is refused with what is
// wrong and the pedal keeps every preset; a whole bank is restored.
TEST(ScriptRun, OnlyAWholeBankIsRestored) {
    testing::TempDir dir;
    const char* const refused[] = {"cut_inside_preset_21.kvb", "cut_after_20_presets.kvb",
                                   "ir_130_missing.kvb", "ir_130_cut.kvb"};
    std::string script = "until online\nwait 3000\n";
    for (const char* file : refused)
        script += "answer ok\nfile \"" + testing::testDataPath("banks/").string() + file +
                  "\"\nmenu import-bank\nwait 500\n";
    const std::string statePresets = (dir.path() / "data" / "Simulator" / "presets.bin").string();
    const ScriptResult r = run(dir, script);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string question =
        R"(messagebox "This operation will overwrite the current Presets!\nAre you sure to continue?")";
    EXPECT_EQ(
        r.lines,
        (std::vector<std::string>{
            question, "filedialog open kvb",
            R"(messagebox "Not a bank file: the last message has no end")", question,
            "filedialog open kvb", R"(messagebox "Not a whole bank file: 20 of 128 presets.")",
            question, "filedialog open kvb",
            R"(messagebox "Not a whole bank file: IR 130 is missing.")", question,
            "filedialog open kvb", R"(messagebox "Not a whole bank file: IR 130 is cut short.")"}));
    std::ifstream presets(statePresets, std::ios::binary);
    const std::string stored{std::istreambuf_iterator<char>(presets), {}};
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.find("Whole 0"), std::string::npos)
        << "no preset of the banks reached the pedal";

    const ScriptResult whole = run(dir, "until online\nwait 3000\nanswer ok\nfile \"" +
                                            testing::testDataPath("banks/whole_bank.kvb").string() +
                                            "\"\nmenu import-bank\nwait 40000\n");
    ASSERT_EQ(whole.status, 0) << whole.err;
    ASSERT_EQ(whole.lines.size(), 3u) << whole.out;
    EXPECT_EQ(whole.lines[2], R"(messagebox "Finished successfully!")");
    std::ifstream after(statePresets, std::ios::binary);
    const std::string restored{std::istreambuf_iterator<char>(after), {}};
    EXPECT_NE(restored.find("Whole 127"), std::string::npos);
}

TEST(ScriptRun, TheReconnectButtonActsAfterItsPressAnimation) {
    testing::TempDir dir;
    const ScriptResult r = run(dir,
                               "until online\nclick 597 40\nwait 200\nprint 152\n"
                               "until online\nprint 152\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u) << r.out;
    EXPECT_NE(r.lines[0].find("Connecting"), std::string::npos) << r.lines[0];
    EXPECT_NE(r.lines[1].find("VERSION: "), std::string::npos) << r.lines[1];
}

TEST(ScriptRun, StopsAtTheFirstBadLineWithItsNumber) {
    testing::TempDir dir;
    // A mistake found by reading: nothing runs, not even the lines before it.
    ScriptResult r = run(dir, "menu about\nprint 1\nclik 1 2\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "vornix-control: script line 3: unknown command \"clik\"\n");

    // Mistakes only the window can tell: what came before has run.
    r = run(dir, "print 1\nprint 9999\nprint 1\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.err, "vornix-control: script line 2: no control has tag 9999\n");
    r = run(dir, "param 500\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("script line 1: no parameter 500 (0 to "), std::string::npos) << r.err;
    r = run(dir, "type x\n");
    EXPECT_EQ(r.err, "vornix-control: script line 1: no text entry is open\n");

    // menu quit ends the script as its end does.
    r = run(dir, "print 1\nmenu quit\nprint 9999\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.lines.size(), 1u);
}

TEST(ScriptRun, UntilOnlineGivesUpAtItsLimit) {
    testing::TempDir dir;
    // No pedal and no ports chosen: real time, so the limit is kept short.
    const ScriptResult r = run(dir, "print 1\nuntil online 200\nprint 1\n", false);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.err,
              "vornix-control: script line 2: the device did not come online within 200 ms\n");
}

}  // namespace
}  // namespace vornix::app

namespace vornix::app {
namespace {

// The faceplate's DRIVE knob dragged by its coordinates brings up the
// amplifier page with the value in its text, and the pedal hears it; a click
// on the graph panel goes back to the impulse-response page.
TEST(ScriptRun, AFaceplateKnobBringsItsPageAndTheGraphPanelTheIrPage) {
    testing::TempDir dir;
    const ScriptResult r = run(dir, lines({
                                        "until online",
                                        "wait 3000",
                                        "group drivecontrols",
                                        "drag 769.5 189 769.5 129 10",
                                        "wait 100",
                                        "param 5",
                                        "group drivecontrols",
                                        "click 1500 900",
                                        "group drivecontrols",
                                        "group ircontrols",
                                    }));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 5u) << r.out;
    EXPECT_EQ(r.lines[0], "group drivecontrols shown=0 hidden=26 enabled=26 disabled=0");
    const std::regex param(R"re(param 5 value=(\d+) text="(\d+)")re");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r.lines[1], m, param)) << r.lines[1];
    EXPECT_EQ(m[2], display::atLeastOnePercent(std::stoi(m[1])));
    EXPECT_EQ(r.lines[2], "group drivecontrols shown=26 hidden=0 enabled=26 disabled=0");
    EXPECT_EQ(r.lines[3], "group drivecontrols shown=0 hidden=26 enabled=26 disabled=0");
}

}  // namespace
}  // namespace vornix::app

namespace vornix::app {
namespace {

// The faceplate's switches clicked at their places: the footswitches step and
// select on the pedal, SAVE twice stores into the number shown, and the
// layer-B switch lights the lamp and the second-function knobs.
TEST(ScriptRun, TheFaceplateSwitchesPlayThePedal) {
    testing::TempDir dir;
    const ScriptResult r =
        run(dir, lines({
                     "until online",   "wait 3000",
                     "click 1497 547",  // up
                     "wait 500",       "print 1",
                     "click 770 547",  // down, twice
                     "click 770 547",  "wait 500",      "print 1",
                     "click 893 338",  // SAVE, down, SAVE
                     "click 770 547",  "click 893 338", "wait 3000",        "print 1", "print 61",
                     "click 1496 359",  // layer B
                     "wait 100",       "print 64",      "group bcontrolsb",
                 }));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 6u) << r.out;
    EXPECT_EQ(r.lines[0], R"(tag 1 text="01" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[1], R"(tag 1 text="127" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[2], R"(tag 1 text="126" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[3], R"(tag 61 text="" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[4], R"(tag 64 text="" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[5], "group bcontrolsb shown=5 hidden=0 enabled=5 disabled=0");
}

}  // namespace
}  // namespace vornix::app

namespace vornix::app {
namespace {

// The preset list against the pedal: the wheel scrolls it, a click recalls
// the row under the pointer, SAVE then a row stores there, and a name typed
// into the name field is what the pedal stores next.
TEST(ScriptRun, ThePresetListRecallsRenamesAndStores) {
    testing::TempDir dir;
    const ScriptResult r = run(dir, lines({
                                        "until online",
                                        "wait 3000",
                                        "wheel 130 600 -4",  // towards the user: row 12 on top
                                        "click 130 252",
                                        "wait 500",
                                        "print 1",
                                        "click 140 132",
                                        "type Thunder",
                                        "key Return",
                                        "click 893 338",  // SAVE, then the row below
                                        "click 130 302",
                                        "wait 3000",
                                        "print 1",
                                        "print 1013",
                                    }));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 3u) << r.out;
    EXPECT_EQ(r.lines[0], R"(tag 1 text="12" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[1], R"(tag 1 text="13" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[2].rfind(R"(tag 1013 text=" 13 Thunder)", 0), 0u) << r.lines[2];
}

}  // namespace
}  // namespace vornix::app

namespace vornix::app {
namespace {

// The impulse-response page against the pedal: IMPORT of position 8 while
// preset 5 is current makes the WAV user IR 133, which the pedal stores and
// the position names; the last cabinet row reads 80.
TEST(ScriptRun, TheIrPageImportsAUserIrIntoThePedal) {
    testing::TempDir dir;
    const std::string wav = testing::testDataPath("wav/pcm16_mono_44100.wav").string();
    const ScriptResult r = run(dir, lines({
                                        "until online",
                                        "wait 3000",
                                        "click 130 502",  // preset 5 in the list
                                        "wait 500",
                                        "click 770 1136",  // MODE of position 8
                                        "file \"" + wav + "\"",
                                        "click 1019 1137",  // its IMPORT
                                        "wait 3000",
                                        "print 75",
                                        "param 55",
                                        "param 56",
                                        "click 600 1135",  // the last cabinet row
                                        "print 1",
                                    }));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 5u) << r.out;
    EXPECT_EQ(r.lines[0], "filedialog open wav");
    EXPECT_EQ(r.lines[1], R"(tag 75 text="pcm16_mono_44100" value=0 visible=1 enabled=1)");
    EXPECT_EQ(r.lines[2], R"(param 55 value=1 text="")");
    EXPECT_EQ(r.lines[3], R"(param 56 value=5 text="")");
    EXPECT_EQ(r.lines[4], R"(tag 1 text="80" value=0 visible=1 enabled=1)");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "data" / "Simulator" / "irs" / "133.dat"));
}

}  // namespace
}  // namespace vornix::app
