// The library's database: entries in and out whole, duplicates by sound,
// search, setlists, the schema's migrations and a damaged file moved aside.
#include <gtest/gtest.h>

#include <fstream>

#include "library/preset_content.hpp"
#include "library/preset_library.hpp"
#include "library/schema.hpp"
#include "library/sqlite.hpp"
#include "storage/preset_slot_files.hpp"
#include "temp_dir.hpp"

namespace vornix::library {
namespace {

using testing::TempDir;

constexpr const char* Now = "2026-12-10 15:30:00";

// A record with a name and one parameter byte set apart from the others.
PresetContent contentNamed(const std::string& name, int drive = 40) {
    std::array<int, NumPresetParams> values{};
    values.fill(64);
    values[param::Drive] = drive;
    return {storage::buildPresetRecord(values, name, "", ""), std::nullopt, std::nullopt};
}

NewEntry fromFile(const std::string& name, int drive = 40) {
    return {contentNamed(name, drive),
            {EntrySource::Kind::PresetFile, "/x/" + name + ".kvp", -1, {}},
            Now};
}

class LibraryTest : public ::testing::Test {
  protected:
    std::filesystem::path file() const { return dir_.path() / LibraryFileName; }
    std::unique_ptr<PresetLibrary> open() {
        auto opened = PresetLibrary::open(file(), Now);
        EXPECT_TRUE(opened.library) << opened.message;
        return std::move(opened.library);
    }
    std::vector<EntryId> ids(const std::vector<EntrySummary>& rows) {
        std::vector<EntryId> out;
        for (const auto& row : rows) out.push_back(row.id);
        return out;
    }

    TempDir dir_;
};

TEST_F(LibraryTest, AnEntryComesBackWithItsRecordIrsAndWhatItWasRecognisedAs) {
    auto library = open();
    NewEntry entry = fromFile("Round Trip");
    entry.content.ir8 = std::vector<std::uint8_t>(2436, 7);
    const auto added = library->add({entry});
    ASSERT_TRUE(added);
    const auto found = library->find(added->at(0).id);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->content.record, entry.content.record);
    EXPECT_FALSE(found->content.ir7);
    EXPECT_EQ(found->content.ir8, entry.content.ir8);
    EXPECT_EQ(found->summary.name, "Round Trip");
    EXPECT_EQ(found->summary.source.path, "/x/Round Trip.kvp");
    EXPECT_EQ(found->summary.added, Now);
    EXPECT_EQ(library->count(), 1);
}

TEST_F(LibraryTest, TheSameSoundUnderAnotherNameIsAMarkedDuplicateUntilTheOriginalGoes) {
    auto library = open();
    const auto added =
        library->add({fromFile("First"), fromFile("Renamed copy"), fromFile("Other", 90)});
    ASSERT_TRUE(added);
    EXPECT_EQ(added->at(0).duplicateOf, 0);
    EXPECT_EQ(added->at(1).duplicateOf, added->at(0).id);
    EXPECT_EQ(added->at(2).duplicateOf, 0);
    ASSERT_TRUE(library->remove(added->at(0).id));
    EXPECT_EQ(library->find(added->at(1).id)->summary.duplicateOf, 0);
    EXPECT_FALSE(library->remove(added->at(0).id)) << "gone already";
}

TEST_F(LibraryTest, SearchFindsByWordPrefixTagNoteAndFilters) {
    auto library = open();
    const auto added = library->add(
        {fromFile("Warm Vintage"), fromFile("Slap Bright", 1), fromFile("Warmth Pad", 2)});
    ASSERT_TRUE(added);
    const EntryId warm = added->at(0).id, slap = added->at(1).id, pad = added->at(2).id;
    library->setTags(slap, "funk live");
    library->setNotes(pad, "for the ballad");
    library->setFavourite(warm, true);
    const std::string amp = library->find(warm)->summary.ampModel;
    struct Case {
        std::string query;
        std::vector<EntryId> expected;
    };
    const std::vector<Case> cases{
        {"warm", {warm, pad}},
        {"WARM vint", {warm}},
        {"fun", {slap}},
        {"ballad", {pad}},
        {"fav", {warm}},
        {"fav slap", {}},
        {"amp:" + amp, {warm, slap, pad}},
        {"ambience:nothing", {}},
        {"ir:\"Eskar 2x15\"", {warm, slap, pad}},
        {"\"a-b NEAR(\" *", {}},
        {"", {warm, slap, pad}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ids(library->search(parseSearchQuery(c.query))), c.expected) << c.query;
}

TEST_F(LibraryTest, SetlistsKeepTheirOrderAndHoldOnToTheirEntries) {
    auto library = open();
    const auto added = library->add({fromFile("A"), fromFile("B", 1), fromFile("C", 2)});
    ASSERT_TRUE(added);
    const EntryId a = added->at(0).id, b = added->at(1).id, c = added->at(2).id;
    ASSERT_TRUE(library->createSetlist("Friday", Now));
    EXPECT_FALSE(library->createSetlist("Friday", Now)) << "names are unique";
    ASSERT_TRUE(library->appendToSetlist("Friday", {a, b, c}));
    ASSERT_TRUE(library->moveInSetlist("Friday", 2, 0));
    ASSERT_TRUE(library->removeFromSetlist("Friday", 1));
    const auto songs = library->setlist("Friday");
    ASSERT_TRUE(songs);
    ASSERT_EQ(songs->size(), 2u);
    EXPECT_EQ(songs->at(0).summary.name, "C");
    EXPECT_EQ(songs->at(1).summary.name, "B");
    EXPECT_FALSE(library->remove(c)) << "a song of a setlist";
    EXPECT_FALSE(library->appendToSetlist("Friday", {999})) << "no such entry";
    EXPECT_EQ(library->setlist("Friday")->size(), 2u);
    EXPECT_FALSE(library->setlist("Saturday"));
}

// library-v1.sqlite3 was written by the first schema: two entries, one a
// favourite with tags and notes, its record a preset of the simulated pedal.
TEST_F(LibraryTest, AFirstVersionLibraryIsMigratedWithItsEntriesAndTheirWords) {
    std::filesystem::copy_file(testing::testDataPath("library/library-v1.sqlite3"), file());
    auto library = open();
    ASSERT_TRUE(library);
    EXPECT_EQ(library->schemaVersion(), static_cast<int>(schemaMigrations().size()));
    ASSERT_EQ(library->count(), 2);
    const auto kept = library->search(parseSearchQuery("dub fav"));
    ASSERT_EQ(kept.size(), 1u) << "the full-text words came along";
    EXPECT_EQ(kept[0].name, "Growl Bright");
    EXPECT_EQ(kept[0].notes, "kept from the first version");
    EXPECT_EQ(kept[0].added, "2025-03-01 10:00:00");
    const auto entry = library->find(kept[0].id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(recognise(entry->content.record).name, "Growl Bright") << "the record is whole";
    EXPECT_TRUE(library->createSetlist("After the migration", Now));
    EXPECT_TRUE(library->appendToSetlist("After the migration", {kept[0].id}));
    library.reset();
    EXPECT_EQ(open()->schemaVersion(), static_cast<int>(schemaMigrations().size()))
        << "opened again, nothing is migrated twice";
}

TEST_F(LibraryTest, ADamagedFileIsMovedAsideUnderItsTimeAndANewLibraryStarts) {
    std::ofstream(file()) << std::string(8192, 'x');
    auto opened = PresetLibrary::open(file(), Now);
    ASSERT_TRUE(opened.library);
    EXPECT_NE(opened.message.find("library-damaged-20261210-153000.sqlite3"), std::string::npos)
        << opened.message;
    EXPECT_EQ(opened.library->count(), 0);
    EXPECT_EQ(std::filesystem::file_size(dir_.path() / "library-damaged-20261210-153000.sqlite3"),
              8192u)
        << "kept as it was";
}

TEST_F(LibraryTest, ALibraryOfANewerProgramIsLeftAlone) {
    {
        std::string error;
        auto db = Database::open(file(), error);
        ASSERT_TRUE(db && db->exec("PRAGMA user_version = 99"));
    }
    const auto opened = PresetLibrary::open(file(), Now);
    EXPECT_FALSE(opened.library);
    EXPECT_NE(opened.message.find("newer"), std::string::npos) << opened.message;
    std::string error;
    auto db = Database::open(file(), error);
    Statement version(*db, "PRAGMA user_version");
    ASSERT_TRUE(version.step());
    EXPECT_EQ(version.integer(0), 99);
}

TEST(SearchQuery, FiltersWordsAndQuotes) {
    const SearchQuery q = parseSearchQuery("fav amp:kes ir:\"Dalvin 8x10\" warm \"big bottom\"");
    EXPECT_TRUE(q.favouritesOnly);
    EXPECT_EQ(q.amp, "kes");
    EXPECT_EQ(q.ir, "Dalvin 8x10");
    EXPECT_EQ(q.words, (std::vector<std::string>{"warm", "big bottom"}));
    EXPECT_EQ(fullTextExpression({"say \"hi\"", "x"}), "\"say \"\"hi\"\"\"* \"x\"*");
}

}  // namespace
}  // namespace vornix::library
