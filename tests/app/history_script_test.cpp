// The slot history and Back Up Now through the script interface against the
// built-in pedal.
#include <gtest/gtest.h>

#include <iostream>
#include <regex>
#include <sstream>

#include "app/script_runner.hpp"
#include "sim/factory_content.hpp"
#include "storage/device_backups.hpp"
#include "storage/slot_history.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

struct ScriptRun {
    int status = 0;
    std::vector<std::string> lines;
    std::string err;
};

ScriptRun run(const std::filesystem::path& data, const std::string& source) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.dataDir = data.string();
    std::ostringstream out, err;
    ScriptRun result;
    result.status = runScript(options, source, out, err);
    result.err = err.str();
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) result.lines.push_back(line);
    return result;
}

// A version of slot 40 under another name, as a store would have kept it.
void keepRenamedSlot40(const std::filesystem::path& data) {
    std::filesystem::create_directories(data);
    storage::KeptFiles files;
    auto record = sim::factoryPreset(40);
    std::copy_n("Kept Forty", 10, record.begin() + 2);
    files.record.assign(record.begin(), record.end());
    files.presetFile.assign(262, 0);
    storage::SlotHistory history(storage::DataFolder(data), storage::systemClock());
    ASSERT_TRUE(history.keep(40, files, storage::KeepReason::Store));
}

TEST(HistoryScript, MenuHistoryListsAndPutBackWritesTheSlot) {
    testing::TempDir dir;
    const auto data = dir.path() / "data";
    keepRenamedSlot40(data);
    const ScriptRun r = run(data,
                            "until online\nwait 3000\nmenu history\n"
                            "history-put-back 40 0\nwait 10000\nmenu history\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::regex line(R"re(history 40 \d{8}-\d{6} (store|restore) "(.*)")re");
    std::vector<std::string> history;
    for (const std::string& l : r.lines)
        if (l.starts_with("history ")) history.push_back(l);
    ASSERT_EQ(history.size(), 3u) << r.lines.size();
    for (const std::string& l : history) EXPECT_TRUE(std::regex_match(l, line)) << l;
    EXPECT_NE(history[0].find("store \"Kept Forty"), std::string::npos) << history[0];
    // Within the same second the two versions of the second listing come in either order.
    EXPECT_NE((history[1] + history[2]).find(" restore "), std::string::npos)
        << "Put Back kept slot 40 first";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "messagebox \"Finished successfully!\""),
              r.lines.end());
}

TEST(HistoryScript, PutBackOfAVersionThatIsNotThereStopsTheScript) {
    testing::TempDir dir;
    const ScriptRun r = run(dir.path() / "data", "until online\nhistory-put-back 3 0\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("slot 3 has no kept version 0"), std::string::npos) << r.err;
}

TEST(HistoryScript, BackUpNowWritesAVerifiedBackupWithoutAQuestion) {
    testing::TempDir dir;
    const auto data = dir.path() / "data";
    const ScriptRun r = run(data, "until online\nwait 3000\nmenu back-up-now\nwait 60000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(storage::listBackups(storage::DataFolder(data)).size(), 1u);
    for (const std::string& l : r.lines)
        EXPECT_EQ(l.find("A backup of the pedal"), std::string::npos) << l;
}

}  // namespace
}  // namespace vornix::app
