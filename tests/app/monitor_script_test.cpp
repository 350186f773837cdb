// The MIDI monitor through the script interface, against the built-in pedal
// on virtual time: a cold sync's decoded lines are the same every run (kept
// in tests/data/traces), `monitor print` goes on where it stopped, and a
// saved .syx holds the same messages as the lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/script_runner.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

struct ScriptRun {
    int status = -1;
    std::string out;
    std::string err;
};

ScriptRun runScript(const testing::TempDir& dir, const std::string& source) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.dataDir = (dir.path() / "data").string();
    std::ostringstream out, err;
    ScriptRun run;
    run.status = app::runScript(options, source, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(MonitorScript, ColdSyncTraceMatchesTheStoredOne) {
    testing::TempDir dir;
    const ScriptRun run = runScript(dir, "until online\nwait 2000\nmonitor print\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string expected = fileText(testing::testDataPath("traces/cold_sync_decoded.txt"));
    ASSERT_FALSE(expected.empty());
    if (run.out == expected) return;
    // The whole text is long: name the first line that differs, and keep
    // what came for a look (or to replace the stored one when that is right).
    const auto got = linesOf(run.out);
    const auto want = linesOf(expected);
    std::size_t line = 0;
    while (line < got.size() && line < want.size() && got[line] == want[line]) ++line;
    std::ofstream("cold_sync_decoded.actual.txt") << run.out;
    FAIL() << "line " << line + 1 << " differs (" << got.size() << " lines, " << want.size()
           << " expected; written to cold_sync_decoded.actual.txt)\n got: "
           << (line < got.size() ? got[line] : "(none)")
           << "\nwant: " << (line < want.size() ? want[line] : "(none)");
}

TEST(MonitorScript, PrintGoesOnWhereItStoppedAndClearEmpties) {
    testing::TempDir dir;
    const ScriptRun run =
        runScript(dir,
                  "until online\nwait 2000\nmonitor print\nmonitor clear\n"
                  "drag 769.5 189 769.5 129 10\nwait 500\nmonitor print\nmonitor print\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = linesOf(run.out);
    const std::size_t sync = linesOf(fileText(testing::testDataPath("traces/"
                                                                    "cold_sync_decoded.txt")))
                                 .size();
    ASSERT_GT(lines.size(), sync);
    // Only what turning the knob sent after the clear, printed once.
    for (std::size_t i = sync; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find(" > parameter Drive (index 5, device "), std::string::npos)
            << lines[i];
}

TEST(MonitorScript, SavedSyxSplitsIntoTheMessagesOfTheLines) {
    testing::TempDir dir;
    const auto syx = dir.path() / "sync.syx";
    const auto text = dir.path() / "sync.txt";
    const ScriptRun run = runScript(dir, "until online\nwait 2000\nmonitor save " + syx.string() +
                                             "\nmonitor save " + text.string() + "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = linesOf(fileText(text));
    const auto bytes = storage::readFile(syx);
    const storage::BankFileSplit split = storage::splitBankFile(bytes);
    ASSERT_TRUE(split.ok()) << split.error;
    ASSERT_EQ(split.starts.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t end = i + 1 < split.starts.size() ? split.starts[i + 1] : bytes.size();
        const std::span<const std::uint8_t> message(bytes.data() + split.starts[i],
                                                    end - split.starts[i]);
        const std::string hex = lines[i].substr(lines[i].find("  F0 ") + 2);
        EXPECT_EQ(sysex::toHex(message), hex) << "message " << i;
    }
}

TEST(MonitorScript, SaveWithoutAFileNameStopsTheScript) {
    testing::TempDir dir;
    const ScriptRun run = runScript(dir, "monitor save\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("monitor save needs a file name"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace vornix::app
