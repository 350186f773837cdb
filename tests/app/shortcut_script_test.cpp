// The window's keyboard shortcuts and its links through the script's "key"
// and clicks, against the built-in pedal: Escape closes the page on top as
// its X or BACK does, F1 opens the manual, Ctrl+Q quits; without a viewer a
// message gives the path or the address.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

#include "app/script_runner.hpp"
#include "device/sysex.hpp"
#include "resources/resources.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

struct KeyRun {
    int status = -1;
    std::vector<std::string> lines;
    std::vector<std::string> sent;  // messages to the pedal, as hex
    std::string err;
};

KeyRun run(const testing::TempDir& dir, std::initializer_list<std::string> script) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.trace = host::TraceMode::Plain;
    options.dataDir = (dir.path() / "data").string();
    std::string source;
    for (const std::string& line : script) source += line + "\n";
    std::ostringstream out, err, trace;
    std::streambuf* saved = std::cerr.rdbuf(trace.rdbuf());
    KeyRun r;
    r.status = runScript(options, source, out, err);
    std::cerr.rdbuf(saved);
    r.err = err.str() + trace.str();
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) r.lines.push_back(line);
    std::istringstream traced(trace.str());
    for (std::string line; std::getline(traced, line);)
        if (line.rfind("> ", 0) == 0) r.sent.push_back(line.substr(2));
    return r;
}

// "group NAME shown=S ..." -> S
int shown(const KeyRun& r, std::size_t line) {
    const std::string& text = r.lines.at(line);
    const auto at = text.find("shown=");
    return std::stoi(text.substr(at + 6));
}

bool wroteGlobalPage(const KeyRun& r, int page) {
    const std::string prefix =
        sysex::toHex(sysex::Bytes{0xF0, 0x00, 0x51, 0x21, 0x05, sysex::cmd::GlobalPage, 0x0A,
                                  static_cast<std::uint8_t>(page)});
    for (const std::string& hex : r.sent)
        if (hex.rfind(prefix, 0) == 0) return true;
    return false;
}

constexpr const char* MidiCcSetup = "click 1250 503";
constexpr const char* FirstCcBox = "dblclick 1160 375";
// The X and BACK act when their press animation ends.
constexpr const char* Settle = "wait 200";

TEST(EscapeKey, ClosesThePagesOnTopOneAtATime) {
    testing::TempDir dir;
    const KeyRun r = run(dir, {"until online",
                               "menu global-settings",
                               MidiCcSetup,
                               Settle,
                               "key Escape",
                               Settle,
                               "group midicccontrols",
                               "group globalsettingscontrols",
                               "key Escape",
                               Settle,
                               "group globalsettingscontrols",
                               "menu about",
                               "key Escape",
                               Settle,
                               "group aboutcontrols",
                               "menu firmware",
                               "key Escape",
                               Settle,
                               "group fwupdatecontrols",
                               "group fwbgcontrols"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 6u);
    EXPECT_EQ(shown(r, 0), 0) << "the MIDI CC page stays open";
    EXPECT_GT(shown(r, 1), 0) << "BACK returns to the settings page";
    EXPECT_TRUE(wroteGlobalPage(r, sysex::page::MidiAssign)) << "BACK sends the table";
    EXPECT_EQ(shown(r, 2), 0) << "the settings page stays open";
    EXPECT_EQ(shown(r, 3), 0) << "the About page stays open";
    EXPECT_EQ(shown(r, 4), 0) << "the firmware page stays open";
    EXPECT_EQ(shown(r, 5), 0) << "the firmware page's picture stays";
}

TEST(EscapeKey, CancelsAnOpenTextEntryBeforeItClosesAPage) {
    testing::TempDir dir;
    const KeyRun r =
        run(dir, {"until online", "menu global-settings", MidiCcSetup, Settle, FirstCcBox,
                  "type 99", "key Escape", Settle, "group midicccontrols", "param 101"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_GT(shown(r, 0), 0);
    EXPECT_EQ(r.lines[1].find("value=99"), std::string::npos) << r.lines[1];
}

TEST(EscapeKey, DoesNothingOnTheMainPage) {
    testing::TempDir dir;
    const KeyRun r =
        run(dir, {"until online", "group ircontrols", "key Escape", Settle, "group ircontrols"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], r.lines[1]);
}

TEST(ManualKey, WithoutAViewerSaysWhereTheManualIs) {
    testing::TempDir dir;
    const KeyRun r = run(dir, {"key F1", "menu manual"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto manual = dir.path() / "data" / std::string(resources::manualFileName());
    const std::string box = "messagebox \"No program could open " +
                            std::string(resources::manualFileName()) + ".\\nThe file is:\\n" +
                            manual.string() + "\"";
    EXPECT_EQ(r.lines, (std::vector<std::string>{box, box}));
    EXPECT_EQ(std::filesystem::file_size(manual), resources::manualPdf().size());
}

TEST(FirmwarePageLink, WithoutABrowserGivesTheAddress) {
    testing::TempDir dir;
    const KeyRun r = run(dir, {"menu firmware", "click 848 361"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.lines, (std::vector<std::string>{
                           "messagebox \"No web browser could be started.\\nThe page's address "
                           "is:\\nhttps://www.quellix.example/downloads/\""}));
}

TEST(QuitKey, EndsTheScriptAsFileQuitDoes) {
    testing::TempDir dir;
    const KeyRun r = run(dir, {"key ctrl+q", "print 1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.lines.empty());
}

TEST(ScriptKeys, AnUnknownChordStopsTheScriptAndNamesTheShortcuts) {
    testing::TempDir dir;
    const KeyRun r = run(dir, {"key ctrl+j"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("script line 1: unknown key \"ctrl+j\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("shortcuts: ctrl+comma, ctrl+q, Escape, F1"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vornix::app
