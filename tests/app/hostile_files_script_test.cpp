// Hostile files through the window's imports, driven by the script interface
// against the built-in pedal: each is refused in a message box with its
// reason and leaves the sound, the names and the IR cache as they were. And
// the name field's limits as a user meets them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/script_runner.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

std::vector<std::string> runLines(const testing::TempDir& dir, const std::string& source,
                                  std::string& err) {
    Options options;
    options.headless = true;
    options.simulator = true;
    options.dataDir = (dir.path() / "data").string();
    std::ostringstream out, errors;
    EXPECT_EQ(runScript(options, source, out, errors), 0) << errors.str();
    err = errors.str();
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string quotedPath(const std::string& dataFile) {
    return "\"" + testing::testDataPath(dataFile).string() + "\"";
}

constexpr const char* Online = "until online\nwait 3000\n";
constexpr const char* ReadBack = "print 148\nprint 75\nparam 0\nparam 41\n";

TEST(HostileFiles, ThePresetImportRefusesThemAndChangesNothing) {
    struct Case {
        const char* file;
        const char* box;
    };
    const Case cases[] = {
        {"presets/noise_after_header.kvp",
         "messagebox \"The preset file is damaged: parameter 1 \\\"Gain\\\" holds 208, not a "
         "7-bit value. Nothing was changed.\""},
        {"presets/cut_in_block.kvp",
         "messagebox \"The preset file is damaged: it ends inside its second IR block. Nothing "
         "was changed.\""},
        {"presets/latin1_name.kvp",
         "messagebox \"The preset file is damaged: byte 233 at position 4 of the preset name is "
         "not a printable character. Nothing was changed.\""},
        {"presets/empty.kvp", "messagebox \"Unknown file format.\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testing::TempDir dir;
        std::string err;
        const auto lines = runLines(dir,
                                    std::string(Online) + ReadBack + "file " + quotedPath(c.file) +
                                        "\nclick 70 190\nwait 500\n" + ReadBack,
                                    err);
        ASSERT_EQ(lines.size(), 10u) << err;
        EXPECT_EQ(lines[4], "filedialog open kvp");
        EXPECT_EQ(lines[5], c.box);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[6 + i], lines[i]);
    }
}

TEST(HostileFiles, TheIrPageImportRefusesWavsWithoutSamples) {
    struct Case {
        const char* file;
        const char* box;
    };
    const Case cases[] = {
        {"wav/header_only.wav", "messagebox \"The WAV file holds no samples.\""},
        {"wav/text_named.wav", "messagebox \"not a WAV file: no 'RIFF' header\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testing::TempDir dir;
        std::string err;
        const auto lines =
            runLines(dir,
                     std::string(Online) + "click 130 502\nwait 500\nclick 770 1136\n" + ReadBack +
                         "file " + quotedPath(c.file) + "\nclick 1019 1137\nwait 3000\n" + ReadBack,
                     err);
        ASSERT_EQ(lines.size(), 10u) << err;
        EXPECT_EQ(lines[4], "filedialog open wav");
        EXPECT_EQ(lines[5], c.box);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[6 + i], lines[i]);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "data" / "User IRs" / "133.dat"));
        EXPECT_FALSE(
            std::filesystem::exists(dir.path() / "data" / "Simulator" / "irs" / "133.dat"));
    }
}

// The record holds 32 printable ASCII characters: more rings the bell, and
// what reaches the list is what the entry showed.
TEST(HostileFiles, TheNameFieldTakesThirtyTwoCharactersAndRingsForMore) {
    testing::TempDir dir;
    std::string err;
    const std::string name40 = "Forty Characters Of A Name That Go On Up";
    const auto lines = runLines(dir,
                                std::string(Online) + "click 140 132\ntype \"" + name40 +
                                    "\"\nkey ctrl+a\nkey ctrl+c\nkey End\nkey BackSpace\n"
                                    "key ctrl+v\nkey Return\nwait 500\nprint 148\n",
                                err);
    ASSERT_EQ(lines.size(), 3u) << err;
    EXPECT_EQ(lines[0], "bell");
    EXPECT_EQ(lines[1], "bell") << "the pasted 32 do not fit beside 31";
    EXPECT_EQ(lines[2].rfind("tag 148 text=\"" + name40.substr(0, 31) + "F\"", 0), 0u) << lines[2];
}

}  // namespace
}  // namespace vornix::app
