// The built vornixctl program, run as a user or a script runs it: exit codes,
// what goes to stdout and what to stderr, each run on a fresh data folder.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>

#include "device/sysex.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"
#include "vornixctl_runner.hpp"

namespace vornix::testing {
namespace {

TEST(CommandLineSync, SimulatorListsAllPresetsAndASecondRunReadsTheCache) {
    Vornixctl ctl;
    const ProgramRun first = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "sync"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto rows = linesOf(first.out);
    ASSERT_EQ(rows.size(), 128u);
    EXPECT_EQ(rows[0].substr(0, 4), " 00 ");
    EXPECT_EQ(rows[127].substr(0, 5), " 127 ");
    const ProgramRun second = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "sync"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.out, first.out);
    EXPECT_LT(second.seconds, 2.0) << "nothing changed: only the current preset is read";
    // The cache alone, with no device at all.
    const ProgramRun cached = ctl.run({"--data-dir", ctl.dataDir(), "presets"});
    ASSERT_EQ(cached.exitCode, 0) << cached.err;
    EXPECT_EQ(cached.out, first.out);
}

TEST(CommandLineSync, PresetsWithoutADeviceOrACache) {
    Vornixctl ctl;
    const ProgramRun run = ctl.run({"--data-dir", ctl.dataDir(), "presets"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(linesOf(run.out).size(), 128u);
}

TEST(CommandLineStdio, InputClosedAtOnceEndsWithExitTwoAndOnlyHexOnStdout) {
    Vornixctl ctl;
    const ProgramRun run = ctl.run({"--stdio", "--data-dir", ctl.dataDir(), "sync"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    const auto lines = linesOf(run.out);
    EXPECT_FALSE(lines.empty()) << "the identification request goes out";
    const std::regex hex("F0( [0-9A-F]{2})* F7");
    for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, hex)) << line;
    const auto errors = linesOf(run.err);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("vornixctl: ", 0), 0u) << errors.back();
}

// A device whose firmware this program refuses once kept every command
// waiting for good: it answers every identification request.
TEST(CommandLineStdio, ARefusedFirmwareVersionEndsWithExitThreeAndTheReason) {
    Vornixctl ctl;
    const auto device = ctl.path("device.hex");
    std::ofstream(device) << sysex::toHex(sysex::identificationReply(9, "OLD")) << '\n';
    const ProgramRun run =
        ctl.run({"--stdio", "--data-dir", ctl.dataDir(), "sync"}, device.string());
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(run.err, "vornixctl: Please upgrade Vornix to actual version 10.\n");
    EXPECT_LT(run.seconds, 10.0);
}

TEST(CommandLineErrors, FilesAreCheckedBeforeTheDeviceHearsAnything) {
    Vornixctl ctl;
    const auto big = ctl.path("big.bin");
    storage::writeFile(big, std::vector<std::uint8_t>(65536, 1));
    const auto missingFolder = ctl.path("no such folder") / "b.kvb";
    const std::vector<std::vector<std::string>> commands = {
        {"firmware", big.string()},
        {"backup", missingFolder.string()},
        {"--yes", "preset-import", testDataPath("presets/short.kvp").string()},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> args{"--stdio", "--data-dir", ctl.dataDir()};
        args.insert(args.end(), command.begin(), command.end());
        const ProgramRun run = ctl.run(args);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(run.out, "") << "nothing went to the device";
    }
}

// A refused preset file once printed "Unknown file format.", then "imported"
// and exited 0.
TEST(CommandLinePresetImport, ARefusedFileFailsAndSendsNoPreset) {
    Vornixctl ctl;
    const ProgramRun run = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "--trace", "--yes",
                                    "preset-import", testDataPath("presets/short.kvp").string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("vornixctl: Unknown file format."), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("> F0 00 51 21 05 20 0A"), std::string::npos) << "no preset was sent";
    EXPECT_EQ(run.out, "");
}

TEST(CommandLineFirmware, UpdatesTheSimulatorAndSaysSoOnce) {
    Vornixctl ctl;
    const auto image = ctl.path("fw.bin");
    storage::writeFile(image, std::vector<std::uint8_t>(3000, 0x42));
    const ProgramRun run =
        ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "firmware", image.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "firmware " + image.string() + " installed\n");
    const std::string both = run.out + run.err;
    const auto first = both.find("Firmware update finished.");
    ASSERT_NE(first, std::string::npos) << run.err;
    EXPECT_EQ(both.find("Firmware update finished.", first + 1), std::string::npos) << run.err;
}

TEST(CommandLineErrors, ParameterOutOfRangeFailsWithOneLine) {
    Vornixctl ctl;
    const ProgramRun run = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "get", "200"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty());
    const auto lines = linesOf(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_NE(lines[0].find("INDEX"), std::string::npos) << lines[0];
}

TEST(CommandLineIrConvert, WavBecomesASlotFileAndABrokenWavIsRefused) {
    Vornixctl ctl;
    const auto out = ctl.path("cab.dat");
    const ProgramRun ok = ctl.run({"ir-convert", testDataPath("wav/pcm16_mono_44100.wav").string(),
                                   out.string(), "--name", "First Cab"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(std::filesystem::file_size(out), 2436u);
    EXPECT_EQ(storage::readFile(out), storage::readFile(testDataPath("presets/ir_first.dat")))
        << "the slot file the preset tests were made with";
    const auto refusedOut = ctl.path("broken.dat");
    const ProgramRun refused = ctl.run(
        {"ir-convert", testDataPath("wav/no_data_chunk.wav").string(), refusedOut.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("not a WAV file: no 'data' chunk"), std::string::npos)
        << refused.err;
    EXPECT_EQ(linesOf(refused.err).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(refusedOut));
}

TEST(CommandLineIrConvert, AWavThatEndsEarlyIsConvertedWithAWarning) {
    Vornixctl ctl;
    const std::string wav = testDataPath("wav/truncated_data.wav").string();
    const ProgramRun run = ctl.run({"ir-convert", wav, ctl.path("cab.dat").string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "vornixctl: warning: " + wav +
                           ": the 'data' chunk is declared longer than the file: read 78 whole "
                           "frames\n");
}

TEST(CommandLineIrUpload, ABrokenWavIsRefusedBeforeAnythingIsSent) {
    Vornixctl ctl;
    const ProgramRun run =
        ctl.run({"--stdio", "--data-dir", ctl.dataDir(), "ir-upload",
                 testDataPath("wav/no_whole_frame.wav").string(), "--position", "7"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "") << "no message went to the device";
    EXPECT_NE(run.err.find("not one whole frame"), std::string::npos) << run.err;
}

// Hostile files through every import of the command line: each is refused
// with its reason on one line, before the device hears anything, and
// ir-convert writes nothing.
TEST(CommandLineHostileFiles, AreRefusedBeforeAnythingIsSentOrWritten) {
    struct Case {
        const char* command;
        const char* file;
        const char* reason;
    };
    const Case cases[] = {
        {"preset-import", "presets/cut_in_block.kvp", "it ends inside its second IR block"},
        {"preset-import", "presets/noise_after_header.kvp",
         "parameter 1 \"Gain\" holds 208, not a 7-bit value"},
        {"preset-import", "presets/latin1_name.kvp", "of the preset name is not a printable"},
        {"preset-import", "presets/empty.kvp", "Unknown file format."},
        {"ir-convert", "wav/header_only.wav", "The WAV file holds no samples."},
        {"ir-convert", "wav/text_named.wav", "not a WAV file: no 'RIFF' header"},
        {"ir-upload", "wav/header_only.wav", "The WAV file holds no samples."},
        {"ir-upload", "wav/text_named.wav", "not a WAV file: no 'RIFF' header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.file);
        Vornixctl ctl;
        const std::string file = testDataPath(c.file).string();
        const auto converted = ctl.path("out.dat");
        std::vector<std::string> args{"--stdio",     "--yes",   "--data-dir",
                                      ctl.dataDir(), c.command, file};
        if (std::string_view(c.command) == "ir-convert")
            args = {c.command, file, converted.string()};
        if (std::string_view(c.command) == "ir-upload")
            args.insert(args.end(), {"--position", "7"});
        const ProgramRun run = ctl.run(args);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(run.out, "") << "nothing went to the device";
        EXPECT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(converted));
    }
}

TEST(CommandLineIrUpload, AWavThatEndsEarlyIsUploadedWithAWarning) {
    Vornixctl ctl;
    const ProgramRun run =
        ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "ir-upload",
                 testDataPath("wav/data_size_zero.wav").string(), "--position", "8"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("warning: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("read 50 whole frames to the end of the file"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("uploaded to position 8"), std::string::npos) << run.out;
}

TEST(CommandLinePorts, UseStoresTheChoiceAndKeepsTheRestOfSettingsIni) {
    Vornixctl ctl;
    const auto settings = std::filesystem::path(ctl.dataDir()) / "settings.ini";
    std::filesystem::create_directories(settings.parent_path());
    std::ofstream(settings) << "[midi]\nindev=Pedal Out\noutdev=Pedal In\n[GUI]\nscale=1.5\n";
    const ProgramRun run = ctl.run({"--data-dir", ctl.dataDir(), "ports", "--use", "off", "off"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string text = slurp(settings);
    EXPECT_NE(text.find("indev=off\n"), std::string::npos) << text;
    EXPECT_NE(text.find("outdev=off\n"), std::string::npos) << text;
    EXPECT_NE(text.find("scale=1.5\n"), std::string::npos) << text;
}

TEST(CommandLinePorts, UseRefusesAPortThatIsNotThere) {
    Vornixctl ctl;
    const ProgramRun run =
        ctl.run({"--data-dir", ctl.dataDir(), "ports", "--use", "No Such Port", "off"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "vornixctl: no MIDI input named \"No Such Port\": see 'vornixctl ports'\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(ctl.dataDir()) / "settings.ini"));
    const ProgramRun half = ctl.run({"--data-dir", ctl.dataDir(), "ports", "--use", "off"});
    EXPECT_EQ(half.exitCode, 1);
    EXPECT_NE(half.err.find("usage: ports --use IN OUT"), std::string::npos) << half.err;
}

TEST(CommandLineBackup, BackupThenRestoreIntoTheSimulator) {
    Vornixctl ctl;
    const auto bank = ctl.path("all.kvb");
    const ProgramRun backup =
        ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "backup", bank.string()});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const auto size = std::filesystem::file_size(bank);
    EXPECT_GT(size, 128u * 267) << "the presets and the user IRs they use";
    const ProgramRun restore =
        ctl.run({"--simulator", "--yes", "--data-dir", ctl.dataDir(), "restore", bank.string()});
    EXPECT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_NE(restore.out.find("restored"), std::string::npos);
    // Without --yes and nobody to ask, the restore is refused before anything is sent.
    const ProgramRun refused =
        ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "restore", bank.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("restore cancelled"), std::string::npos) << refused.err;
}

// A bank file cut inside a message or at a message boundary, or one that
// lacks the IRs its presets play, once restored 20 presets and said so.
TEST(CommandLineBackup, ABankThatIsNotWholeIsRefusedBeforeAnythingIsSent) {
    struct Case {
        const char* file;
        const char* error;
    };
    const Case cases[] = {
        {"cut_inside_preset_21.kvb", "Not a bank file: the last message has no end"},
        {"cut_after_20_presets.kvb", "Not a whole bank file: 20 of 128 presets."},
        {"ir_130_missing.kvb", "Not a whole bank file: IR 130 is missing."},
        {"ir_130_cut.kvb", "Not a whole bank file: IR 130 is cut short."},
    };
    Vornixctl ctl;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ProgramRun run =
            ctl.run({"--simulator", "--yes", "--trace", "--data-dir", ctl.dataDir(), "restore",
                     testDataPath("banks/" + std::string(c.file)).string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "vornixctl: " + std::string(c.error) + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(CommandLineHistory, AStoreIsKeptListedAndPutBack) {
    Vornixctl ctl;
    const std::string data = ctl.dataDir();
    ASSERT_EQ(ctl.run({"--simulator", "--data-dir", data, "store", "40"}).exitCode, 0);
    const ProgramRun listed = ctl.run({"--data-dir", data, "history", "40"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    const auto lines = linesOf(listed.out);
    ASSERT_EQ(lines.size(), 1u) << listed.out;
    EXPECT_TRUE(std::regex_match(
        lines[0], std::regex(R"( 40   0  \d{4}-\d\d-\d\d \d\d:\d\d:\d\d UTC  store  ".*")")))
        << lines[0];
    const ProgramRun putBack =
        ctl.run({"--simulator", "--data-dir", data, "history", "put-back", "40"});
    EXPECT_EQ(putBack.exitCode, 0) << putBack.err;
    EXPECT_EQ(putBack.out, "slot 40 holds version 0 again\n");
    const ProgramRun missing =
        ctl.run({"--simulator", "--data-dir", data, "history", "put-back", "41", "0"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "vornixctl: slot 41 has no kept version 0\n");
}

TEST(CommandLineHistory, AResetBacksThePedalUpFirstUnlessToldNotTo) {
    Vornixctl ctl;
    const std::string data = ctl.dataDir();
    const ProgramRun skipped =
        ctl.run({"--simulator", "--yes", "--no-backup", "--data-dir", data, "reset", "settings"});
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
    EXPECT_EQ(skipped.err.find("backing up"), std::string::npos) << skipped.err;
    EXPECT_EQ(ctl.run({"--data-dir", data, "backups"}).out, "");
    const ProgramRun reset =
        ctl.run({"--simulator", "--yes", "--data-dir", data, "reset", "settings"});
    EXPECT_EQ(reset.exitCode, 0) << reset.err;
    EXPECT_TRUE(std::regex_search(
        reset.err, std::regex(R"(backing up the pedal first\.\.\.\n(.*\n)*backup: .*/Backups/)"
                              R"(\d{8}-\d{6}-VX1-000417\.kvb\n)")))
        << reset.err;
    const auto backups = linesOf(ctl.run({"--data-dir", data, "backups"}).out);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(backups[0].find("VX1-000417"), std::string::npos) << backups[0];
}

}  // namespace
}  // namespace vornix::testing

namespace vornix::testing {
namespace {

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Files need no device: diff's exit code says whether the two differ, and a
// file that cannot be read says why with exit code 4.
TEST(CommandLineShowDiff, FilesAreComparedWithoutADevice) {
    Vornixctl ctl;
    const std::string bank = testDataPath("banks/whole_bank.kvb").string();
    const std::string plain = testDataPath("presets/plain.kvp").string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"diff", bank + ":2", bank + ":2"}, 0},
        {{"diff", plain, testDataPath("presets/model_8_hall.kvp").string()}, 1},
        {{"diff", plain, ctl.path("missing.kvp").string()}, 4},
        {{"show", testDataPath("presets/short.kvp").string()}, 4},
        {{"show", bank + ":200"}, 1},
        {{"show", plain, "--format", "xml"}, 1},
        {{"diff", plain}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        std::vector<std::string> args{"--data-dir", ctl.dataDir()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProgramRun run = ctl.run(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.exitCode > 1) {
            EXPECT_EQ(linesOf(run.err).size(), 1u) << run.err;
        }
    }
    const ProgramRun same = ctl.run({"diff", bank + ":2", bank + ":2"});
    EXPECT_EQ(same.out, "The presets are the same.\n");
}

TEST(CommandLineShowDiff, ShowPrintsEveryParameterInEachFormat) {
    Vornixctl ctl;
    const std::string preset = testDataPath("banks/whole_bank.kvb").string() + ":5";
    const ProgramRun json = ctl.run({"show", preset, "--format", "json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(countOf(json.out, "\"raw\": "), 74u);
    EXPECT_NE(json.out.find("\"slot\": 5"), std::string::npos);
    const ProgramRun csv = ctl.run({"show", preset, "--format", "csv"});
    EXPECT_EQ(linesOf(csv.out).size(), 75u) << "a header and 74 rows";
    const ProgramRun again = ctl.run({"show", preset, "--format", "csv"});
    EXPECT_EQ(again.out, csv.out) << "stable output";
}

TEST(CommandLineShowDiff, SlotsAndTheEditComeFromTheDevice) {
    Vornixctl ctl;
    const ProgramRun same = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "diff", "3", "3"});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    const ProgramRun differ = ctl.run(
        {"--simulator", "--data-dir", ctl.dataDir(), "diff", "3", "4", "--format", "markdown"});
    EXPECT_EQ(differ.exitCode, 1) << differ.err;
    EXPECT_NE(differ.out.find("## "), std::string::npos) << differ.out;
    const ProgramRun edit = ctl.run({"--simulator", "--data-dir", ctl.dataDir(), "show", "edit"});
    EXPECT_EQ(edit.exitCode, 0) << edit.err;
    EXPECT_TRUE(edit.out.starts_with("Name: ")) << edit.out;
    const ProgramRun silent = ctl.run({"--stdio", "--data-dir", ctl.dataDir(), "show", "edit"});
    EXPECT_EQ(silent.exitCode, 2) << silent.err;
}

}  // namespace
}  // namespace vornix::testing
