// vornixctl library and setlist against the built-in pedal and real files.
#include <gtest/gtest.h>

#include "storage/file_io.hpp"
#include "vornixctl_runner.hpp"

namespace vornix::testing {
namespace {

class LibraryCommandLine : public ::testing::Test {
  protected:
    ProgramRun ctl(std::vector<std::string> args, bool pedal = false) {
        args.insert(args.begin(), {"--data-dir", run_.dataDir()});
        if (pedal) args.insert(args.begin(), "--simulator");
        return run_.run(args);
    }
    Vornixctl run_;
};

TEST_F(LibraryCommandLine, PedalSlotsFilesAndDuplicatesAreAddedAndSaidSo) {
    const ProgramRun all = ctl({"library", "add", "all", "edit"}, true);
    ASSERT_EQ(all.exitCode, 0) << all.err;
    const auto lines = linesOf(all.out);
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[0].substr(0, 2), "1 ");
    EXPECT_NE(lines[128].find("duplicate of"), std::string::npos) << "the edit is a stored preset";

    const ProgramRun exported = ctl({"library", "export", "12", run_.path("twelve.kvp").string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const ProgramRun again = ctl({"library", "add", run_.path("twelve.kvp").string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.out.find("duplicate of 12"), std::string::npos) << again.out;
}

TEST_F(LibraryCommandLine, AuditionSendsOnlyTheSoundAndStoreUploadsItsIrsIntoTheSlot) {
    const std::string file = testDataPath("presets/both_irs.kvp").string();
    ASSERT_EQ(ctl({"library", "add", file}).exitCode, 0);
    const ProgramRun played = ctl({"--trace", "library", "audition", "1"}, true);
    ASSERT_EQ(played.exitCode, 0) << played.err;
    EXPECT_NE(played.out.find("user IRs 7 and 8 differ on the pedal"), std::string::npos)
        << played.out;
    EXPECT_NE(played.err.find("> F0 00 51 21 05 20 0A"), std::string::npos) << "the whole sound";
    EXPECT_EQ(played.err.find("> F0 00 51 21 05 60 0A"), std::string::npos) << "no IR upload";
    EXPECT_EQ(played.err.find("> F0 00 51 21 05 50 0A 12"), std::string::npos) << "no store";

    const ProgramRun stored = ctl({"--yes", "library", "store", "1", "40"}, true);
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_EQ(stored.out, "stored 1 \"Both Irs\" into 40\n");
    const ProgramRun back = ctl({"library", "add", "40"}, true);
    EXPECT_EQ(back.out, "2 \"Both Irs\" duplicate of 1\n") << "the same sound and IR samples";
    const ProgramRun kept = ctl({"history", "40"});
    EXPECT_NE(kept.out.find(" library "), std::string::npos) << "kept as replaced by the library\n"
                                                             << kept.out;
}

TEST_F(LibraryCommandLine, ASetlistIsWrittenFromASlotAfterABackupAndOnlyWhereItDiffers) {
    ASSERT_EQ(ctl({"library", "add", "60", "61"}, true).exitCode, 0);
    ASSERT_EQ(ctl({"library", "add", testDataPath("presets/both_irs.kvp").string()}).exitCode, 0);
    ASSERT_EQ(ctl({"setlist", "create", "gig"}).exitCode, 0);
    ASSERT_EQ(ctl({"setlist", "add", "gig", "1", "2", "3"}).exitCode, 0);

    const ProgramRun refused = ctl({"setlist", "write", "gig", "--from", "60"}, true);
    EXPECT_EQ(refused.exitCode, 1) << "overwriting asks first";
    EXPECT_EQ(refused.err.find("backing up"), std::string::npos);

    const ProgramRun written = ctl({"--yes", "setlist", "write", "gig", "--from", "60"}, true);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "1 slot written and read back; 2 slots hold their songs already.\n");
    EXPECT_NE(written.err.find("62: "), std::string::npos);
    EXPECT_NE(written.err.find(" -> Both Irs"), std::string::npos) << written.err;
    EXPECT_NE(written.err.find("backup: "), std::string::npos) << "the pedal is backed up first";

    const ProgramRun again = ctl({"--yes", "setlist", "write", "gig", "--from", "60"}, true);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "0 slots written and read back; 3 slots hold their songs already.\n");
    EXPECT_EQ(again.err.find("backing up"), std::string::npos) << "nothing to overwrite";

    const ProgramRun beyond = ctl({"--yes", "setlist", "write", "gig", "--from", "126"}, true);
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_NE(beyond.err.find("do not fit from slot 126"), std::string::npos) << beyond.err;
}

TEST_F(LibraryCommandLine, AFolderWithHostileFilesAddsTheRestAndNamesEachRefusal) {
    const ProgramRun run = ctl({"library", "add", testDataPath("presets").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto refused = linesOf(run.err);
    EXPECT_GE(refused.size(), 5u);
    for (const std::string& line : refused)
        EXPECT_NE(line.find("Not added."), std::string::npos) << line;
    EXPECT_NE(run.err.find("empty.kvp: Unknown file format."), std::string::npos);
    const ProgramRun list = ctl({"library", "list"});
    EXPECT_EQ(linesOf(list.out).size(), linesOf(run.out).size());
    EXPECT_FALSE(linesOf(run.out).empty());
}

TEST_F(LibraryCommandLine, TagsFavouritesSearchAndSetlistsWithoutADevice) {
    ASSERT_EQ(ctl({"library", "add", testDataPath("banks/whole_bank.kvb").string()}).exitCode, 0);
    EXPECT_EQ(ctl({"library", "tag", "3", "live", "loud"}).out, "3 tags: live loud\n");
    EXPECT_EQ(ctl({"library", "tag", "3", "-loud"}).out, "3 tags: live\n");
    ASSERT_EQ(ctl({"library", "fav", "3"}).exitCode, 0);
    const ProgramRun json = ctl({"library", "search", "fav", "live", "--format", "json"});
    EXPECT_NE(json.out.find("\"id\": 3,"), std::string::npos) << json.out;
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '{'), 1);

    ASSERT_EQ(ctl({"setlist", "create", "Friday"}).exitCode, 0);
    ASSERT_EQ(ctl({"setlist", "add", "Friday", "7", "3"}).exitCode, 0);
    const auto songs = linesOf(ctl({"setlist", "show", "Friday", "--from", "10"}).out);
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(songs[0].substr(0, 4), "11  ");
    EXPECT_NE(songs[1].find("(entry 3)"), std::string::npos);
    const ProgramRun keep = ctl({"library", "delete", "7"});
    EXPECT_NE(keep.exitCode, 0);
    EXPECT_NE(keep.err.find("setlist"), std::string::npos) << keep.err;
}

TEST_F(LibraryCommandLine, ADamagedLibraryIsMovedAsideAndSaidSo) {
    std::filesystem::create_directories(run_.dataDir());
    storage::writeFile(std::filesystem::path(run_.dataDir()) / "library.sqlite3",
                       std::vector<std::uint8_t>(4096, 0x55));
    const ProgramRun run = ctl({"library", "list"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("was damaged. It was moved to library-damaged-"), std::string::npos)
        << run.err;
}

TEST_F(LibraryCommandLine, UnknownEntriesAndVerbsAreRefusedClearly) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {{"library", "show", "42"}, "the library holds no entry 42"},
             {{"library", "show", "x"}, "'x' is not an entry's ID"},
             {{"library", "frobnicate"}, "unknown library command 'frobnicate'"},
             {{"library", "add", "/no/such.kvp"}, "Cannot open the preset file /no/such.kvp"},
             {{"setlist", "show", "Nope"}, "there is no setlist 'Nope'"},
             {{"setlist", "write", "Nope"}, "usage: setlist write NAME --from SLOT"},
         }) {
        const ProgramRun run = ctl(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.error;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace vornix::testing
