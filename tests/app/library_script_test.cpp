// The preset library through the script interface, against the built-in
// pedal: Library > Show Library lists the entries, an audition makes an
// entry the sound, and Escape puts the sound before back as it was.
#include <gtest/gtest.h>

#include <sstream>

#include "app/script_runner.hpp"
#include "library/preset_content.hpp"
#include "library/preset_library.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

std::string runLibraryScript(const testing::TempDir& dir, const std::string& source, int& status) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.dataDir = (dir.path() / "data").string();
    std::ostringstream out, err;
    status = app::runScript(options, source, out, err);
    return out.str() + err.str();
}

// A library in the scripts' data folder holding these preset files, in order.
std::unique_ptr<library::PresetLibrary> libraryWith(const testing::TempDir& dir,
                                                    std::initializer_list<const char*> files) {
    std::filesystem::create_directories(dir.path() / "data");
    auto opened = library::PresetLibrary::open(dir.path() / "data" / library::LibraryFileName,
                                               "2026-12-11 12:00:00");
    EXPECT_TRUE(opened.library) << opened.message;
    if (!opened.library) return nullptr;
    for (const char* name : files) {
        const auto file = library::contentOfPresetFile(testing::testDataPath(name));
        EXPECT_EQ(file.refusal, "") << name;
        EXPECT_TRUE(opened.library->add({{file.content, {}, "2026-12-11 12:00:00"}}));
    }
    return std::move(opened.library);
}

TEST(LibraryScript, AnAuditionPlaysTheEntryAndEscapePutsTheSoundBack) {
    testing::TempDir dir;
    ASSERT_TRUE(libraryWith(dir, {"presets/model_8_hall.kvp"}));
    std::string params;
    for (int index = 1; index <= 9; ++index) params += "param " + std::to_string(index) + "\n";
    int status = -1;
    const std::string out =
        runLibraryScript(dir,
                         "until online\nwait 2000\nmenu library\n" + params +
                             "library-audition 1\n" + params + "library-escape\n" + params,
                         status);
    ASSERT_EQ(status, 0) << out;
    std::istringstream lines(out);
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first, "library 1 \"Model Eight Hall\" \"Drennic\" \"Hall\"");
    std::vector<std::string> values;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("param ")) values.push_back(line);
    ASSERT_EQ(values.size(), 27u) << out;
    const std::vector<std::string> before(values.begin(), values.begin() + 9);
    const std::vector<std::string> played(values.begin() + 9, values.begin() + 18);
    const std::vector<std::string> back(values.begin() + 18, values.end());
    EXPECT_NE(played, before);
    EXPECT_EQ(back, before);
}

TEST(LibraryScript, SetlistWriteListsTheSlotsAndWritesThoseThatDiffer) {
    testing::TempDir dir;
    {
        const auto lib = libraryWith(dir, {"presets/model_8_hall.kvp", "presets/both_irs.kvp"});
        ASSERT_TRUE(lib);
        ASSERT_TRUE(lib->createSetlist("gig", "2026-12-11 12:00:00"));
        ASSERT_TRUE(lib->appendToSetlist("gig", {1, 2}));
    }
    int status = -1;
    const std::string out = runLibraryScript(
        dir, "until online\nwait 2000\nsetlist-write gig 90\nsetlist-write gig 90\n", status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("setlist-slot 90 \"Gritty Stage\" \"Model Eight Hall\" write\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("2 slots written and read back.\n"), std::string::npos) << out;
    EXPECT_NE(out.find("setlist-slot 91 \"Both Irs\" \"Both Irs\" same\n"), std::string::npos)
        << "the second time nothing changes\n"
        << out;
}

TEST(LibraryScript, AnUnknownEntryStopsTheScriptWithItsReason) {
    testing::TempDir dir;
    int status = -1;
    const std::string out = runLibraryScript(dir, "until online\nlibrary-audition 7\n", status);
    EXPECT_NE(status, 0);
    EXPECT_NE(out.find("the library holds no entry 7"), std::string::npos) << out;
}

}  // namespace
}  // namespace vornix::app
