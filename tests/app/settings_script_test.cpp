// The settings, MIDI, About and firmware pages driven through the script
// interface against the built-in pedal, as a user's own checks would: what
// the window shows, what goes to the pedal (read from --trace) and the files
// left in the data folder. Every test renders its pages into
// build/tests/app/pages/ for review.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/script_runner.hpp"
#include "device/sysex.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

namespace fs = std::filesystem;

struct ScriptRun {
    int status = -1;
    std::vector<std::string> lines;  // what the script printed
    std::vector<std::string> sent;   // the messages to the pedal, as hex
    std::string err;
};

// Runs with --trace, whose lines go to the process's stderr.
ScriptRun run(const testing::TempDir& dir, std::initializer_list<std::string> script) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.trace = host::TraceMode::Plain;
    options.dataDir = (dir.path() / "data").string();
    std::string source;
    for (const std::string& line : script) source += line + "\n";
    std::ostringstream out, err, trace;
    std::streambuf* saved = std::cerr.rdbuf(trace.rdbuf());
    ScriptRun r;
    r.status = runScript(options, source, out, err);
    std::cerr.rdbuf(saved);
    r.err = err.str();
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) r.lines.push_back(line);
    std::istringstream traced(trace.str());
    for (std::string line; std::getline(traced, line);)
        if (line.rfind("> ", 0) == 0) r.sent.push_back(line.substr(2));
    return r;
}

std::string render(const std::string& name) {
    fs::create_directories("pages");
    return "render " + (fs::current_path() / "pages" / name).string();
}

// The global pages written, in order: "page N: first bytes ...".
std::vector<std::string> pageWrites(const ScriptRun& r, int page, int bytes = 1) {
    const std::string prefix =
        sysex::toHex(sysex::Bytes{0xF0, 0x00, 0x51, 0x21, 0x05, sysex::cmd::GlobalPage, 0x0A,
                                  static_cast<std::uint8_t>(page)});
    std::vector<std::string> out;
    for (const std::string& hex : r.sent)
        if (hex.rfind(prefix, 0) == 0) out.push_back(hex.substr(prefix.size() + 1, bytes * 3 - 1));
    return out;
}

std::size_t datFiles(const fs::path& folder) {
    std::size_t n = 0;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            n += entry.path().extension() == ".dat" ? 1 : 0;
    return n;
}

constexpr const char* OpenSettings = "menu global-settings";
constexpr const char* PatchOffsetCaption = "click 860 300";
constexpr const char* ProgramMapSetup = "click 1250 303";
constexpr const char* MidiCcSetup = "click 1250 503";
constexpr const char* Back = "click 1100 275";
constexpr const char* EmptyArea = "click 300 1000";

TEST(SettingsScript, ProgramMapFollowsThePatchOffsetAndBackSendsTheEditedMap) {
    testing::TempDir dir;
    const ScriptRun r = run(dir, {
                                     "until online",
                                     "wait 3000",
                                     OpenSettings,
                                     "wait 500",
                                     render("settings.png"),
                                     PatchOffsetCaption,
                                     "key Down",
                                     "key Down",
                                     "key Return   # 1-128",
                                     "wait 200",
                                     ProgramMapSetup,
                                     "wait 500",
                                     "group midiprogramcontrolsofs1",
                                     "param 111",
                                     "param 112",
                                     "dblclick 1225 537   # the Vornix Program box",
                                     "type 5",
                                     "key Return",
                                     "param 112",
                                     render("program_map.png"),
                                     Back,
                                     "wait 200",
                                     "group midiprogramcontrols",
                                 });
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0].rfind("group midiprogramcontrolsofs1 shown=2 hidden=0", 0), 0u)
        << r.lines[0];
    EXPECT_EQ(r.lines[1].rfind("param 111 value=1 ", 0), 0u) << r.lines[1];
    EXPECT_EQ(r.lines[2].rfind("param 112 value=1 ", 0), 0u) << "the identity map";
    EXPECT_EQ(r.lines[3].rfind("param 112 value=5 ", 0), 0u) << r.lines[3];
    EXPECT_EQ(r.lines[4].rfind("group midiprogramcontrols shown=0 ", 0), 0u) << r.lines[4];
    // The choice went out as page 0; BACK sent the map, entry 0 first.
    const auto settings = pageWrites(r, sysex::page::Settings, 4);
    ASSERT_FALSE(settings.empty());
    EXPECT_EQ(settings.back().substr(9), "01") << "PATCH OFFSET's byte: " << settings.back();
    EXPECT_EQ(pageWrites(r, sysex::page::ProgramMap, 3), (std::vector<std::string>{"04 01 02"}));
}

TEST(SettingsScript, CcPageClampsTypedNumbersAndBackAlwaysSendsItsPage) {
    testing::TempDir dir;
    const ScriptRun r = run(dir, {
                                     "until online",
                                     "wait 3000",
                                     OpenSettings,
                                     "wait 500",
                                     MidiCcSetup,
                                     "wait 500",
                                     Back,
                                     "wait 200   # unchanged, and still sent",
                                     MidiCcSetup,
                                     "wait 500",
                                     "dblclick 1160 387   # the first box, DRIVE",
                                     "type 200",
                                     "key Return",
                                     "param 101",
                                     render("midi_cc.png"),
                                     Back,
                                     "wait 200",
                                     "group globalsettingscontrols",
                                 });
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].rfind("param 101 value=127 ", 0), 0u) << r.lines[0];
    EXPECT_EQ(r.lines[1].rfind("group globalsettingscontrols shown=32 ", 0), 0u) << r.lines[1];
    EXPECT_EQ(pageWrites(r, sysex::page::MidiAssign, 8),
              (std::vector<std::string>{"00 01 02 03 04 05 06 07", "7F 01 02 03 04 05 06 07"}));
}

TEST(SettingsScript, TheShownValueChosenAgainIsSentAgainAndTheEmptyAreaCloses) {
    testing::TempDir dir;
    const ScriptRun r = run(dir, {
                                     "until online",
                                     "wait 3000",
                                     OpenSettings,
                                     "wait 500",
                                     PatchOffsetCaption,
                                     "key Down",
                                     "key Return   # 0-127, as shown",
                                     EmptyArea,
                                     "group globalsettingscontrols",
                                     "wait 100",
                                     "group globalsettingscontrols",
                                 });
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].rfind("group globalsettingscontrols shown=32 ", 0), 0u) << r.lines[0];
    EXPECT_EQ(r.lines[1].rfind("group globalsettingscontrols shown=0 ", 0), 0u) << r.lines[1];
    EXPECT_EQ(pageWrites(r, sysex::page::Settings, 4), (std::vector<std::string>{"00 00 00 00"}));
}

TEST(SettingsScript, TheSettingsResetKeepsTheCacheWhileThePresetsResetEmptiesIt) {
    testing::TempDir dir;
    const fs::path data = dir.path() / "data";
    const ScriptRun settings = run(dir, {
                                            "until online",
                                            "wait 60000   # every preset cached",
                                            OpenSettings,
                                            "wait 500",
                                            "answer ok",
                                            "click 1300 825   # SETTINGS",
                                            "wait 2000",
                                            "print 1000",
                                        });
    ASSERT_EQ(settings.status, 0) << settings.err;
    EXPECT_EQ(settings.lines, (std::vector<std::string>{R"(messagebox "Are you sure?")",
                                                        R"(messagebox "Finished successfully!")",
                                                        settings.lines.back()}));
    EXPECT_EQ(settings.lines.back().rfind(R"(tag 1000 text=" 00 Warm Vintage)", 0), 0u)
        << "the row kept its name: " << settings.lines.back();
    EXPECT_EQ(datFiles(data / "Presets"), 128u);

    const ScriptRun presets = run(dir, {
                                           "until online",
                                           "wait 3000",
                                           OpenSettings,
                                           "wait 500",
                                           "answer ok",
                                           "click 1080 825   # PRESETS",
                                           "wait 200",
                                           "print 1000",
                                           "print 1005",
                                       });
    ASSERT_EQ(presets.status, 0) << presets.err;
    // Row 0 names the device's current preset as it came back after the reset.
    EXPECT_EQ(presets.lines.back(), R"(tag 1005 text=" 05 " value=0 visible=1 enabled=1)")
        << ::testing::PrintToString(presets.lines);
    EXPECT_EQ(datFiles(data / "Presets"), 0u);
}

TEST(SettingsScript, AFirmwareUpdateReachesAHundredPercentBeforeTheDeviceConfirms) {
    testing::TempDir dir;
    const fs::path image = dir.path() / "vornix.bin";
    {
        std::ofstream out(image, std::ios::binary);
        for (int i = 0; i < 3000; ++i) out.put(static_cast<char>(i * 7));
    }
    const ScriptRun r = run(dir, {
                                     "until online",
                                     "wait 3000",
                                     "menu firmware",
                                     "wait 200",
                                     render("firmware.png"),
                                     "file " + image.string(),
                                     "click 1100 682   # UPDATE FIRMWARE",
                                     "wait 800",
                                     "print 149",
                                     render("firmware_progress.png"),
                                     "wait 1200   # the device confirmed; it restarts",
                                     "print 149",
                                     "group fwbgcontrols",
                                     "group maincontrols",
                                     "group bcontrols",
                                     "until online 20000",
                                     "group bcontrols",
                                 });
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 8u) << ::testing::PrintToString(r.lines);
    EXPECT_EQ(r.lines[0], "filedialog open bin");
    EXPECT_EQ(r.lines[1].rfind("tag 149 text=\"", 0), 0u);
    EXPECT_NE(r.lines[1], R"(tag 149 text="0 %" value=0 visible=1 enabled=1)") << "under way";
    EXPECT_NE(r.lines[1].find("visible=1"), std::string::npos) << r.lines[1];
    EXPECT_EQ(r.lines[2], R"(messagebox "Firmware update finished.")");
    EXPECT_EQ(r.lines[3], R"(tag 149 text="100 %" value=0 visible=0 enabled=1)");
    EXPECT_EQ(r.lines[4].rfind("group fwbgcontrols shown=0 ", 0), 0u) << r.lines[4];
    EXPECT_NE(r.lines[5].find(" disabled=0"), std::string::npos) << r.lines[5];
    EXPECT_NE(r.lines[6].find(" enabled=0 "), std::string::npos)
        << "greyed until the pedal is back";
    EXPECT_NE(r.lines[7].find(" disabled=0"), std::string::npos) << r.lines[7];
    // The success came after the last chunk, not with it.
    const std::string lastChunkPrefix = "F0 00 51 21 04 20";
    std::size_t chunks = 0;
    for (const std::string& hex : r.sent) chunks += hex.rfind(lastChunkPrefix, 0) == 0 ? 1 : 0;
    EXPECT_GT(chunks, 10u);
}

}  // namespace
}  // namespace vornix::app
