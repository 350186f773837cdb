#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "storage/data_folder.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void put(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

sysex::PresetRecord namedRecord(const std::string& name, std::uint8_t fill = 3) {
    sysex::PresetRecord rec{};
    rec.fill(fill);
    const auto padded = sysex::padName(name);
    std::copy(padded.begin(), padded.end(), rec.begin() + sysex::record::Name);
    return rec;
}

// ---- data folder ------------------------------------------------------------------

TEST(DataFolderPaths, SlotAndIrFileNames) {
    const DataFolder folder("/data");
    EXPECT_EQ(folder.presetSlotFile(0), fs::path("/data/Presets/001.dat"));
    EXPECT_EQ(folder.presetSlotFile(127), fs::path("/data/Presets/128.dat"));
    EXPECT_EQ(folder.irFile(0), fs::path("/data/User IRs/001.dat"));
    EXPECT_EQ(folder.irFile(383), fs::path("/data/User IRs/384.dat"));
    EXPECT_EQ(folder.irFile(384), fs::path("/data/Factory IRs/001.dat"));
    EXPECT_EQ(folder.irFile(391), fs::path("/data/Factory IRs/008.dat"));
    EXPECT_EQ(DataFolder::slotFileName(1000), "1000.dat");
}

TEST(ClearCache, DeletesOnlyFilesEndingExactlyInDat) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    put(folder.presetsFolder() / "001.dat", {1});
    put(folder.presetsFolder() / "001.dat.bak", {1});
    put(folder.presetsFolder() / "notes.DAT", {1});
    put(folder.presetsFolder() / "x.dat" / "inside.dat", {1});  // a folder named x.dat
    put(folder.userIrFolder() / "200.dat", {1});
    put(folder.factoryIrFolder() / "001.dat", {1});
    put(folder.factoryIrFolder() / "01-Tarmilo.wav", {1});
    put(dir.path() / "settings.ini", {1});

    clearCache(folder);

    EXPECT_EQ(namesIn(folder.presetsFolder()),
              (std::set<std::string>{"001.dat.bak", "notes.DAT", "x.dat"}));
    EXPECT_TRUE(
        fs::exists(folder.presetsFolder() / "x.dat" / "inside.dat"));  // sub-folders are skipped
    EXPECT_TRUE(namesIn(folder.userIrFolder()).empty());
    EXPECT_EQ(namesIn(folder.factoryIrFolder()), (std::set<std::string>{"01-Tarmilo.wav"}));
    EXPECT_TRUE(fs::exists(dir.path() / "settings.ini"));
}

TEST(ClearCache, MissingFoldersAreNotAnError) {
    testing::TempDir dir;
    clearCache(DataFolder(dir.path() / "nowhere"));
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
}

// ---- file helpers ----------------------------------------------------------------------

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryFiles) {
    testing::TempDir dir;
    const fs::path target = dir.path() / "001.dat";
    ASSERT_TRUE(writeFile(target, Bytes(300, 1)));
    ASSERT_TRUE(writeFile(target, Bytes(10, 2)));  // truncates: the old content is gone
    EXPECT_EQ(readFile(target), Bytes(10, 2));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"001.dat"});
}

TEST(AtomicWrite, FailedRenameKeepsTheOldTargetAndRemovesTheTemporaryFile) {
    testing::TempDir dir;
    // A non-empty folder cannot be replaced by a file: the rename fails.
    const fs::path target = dir.path() / "busy.dat";
    put(target / "keep", {7});
    EXPECT_FALSE(writeFile(target, Bytes(4, 1)));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(readFile(target / "keep"), Bytes{7});
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"busy.dat"});
}

TEST(AtomicWrite, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    testing::TempDir dir;
    const fs::path folder = dir.path() / "ro";
    put(folder / "001.dat", {1, 2, 3});
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeFile(folder / "001.dat", Bytes(256, 9)));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(readFile(folder / "001.dat"), (Bytes{1, 2, 3}));
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"001.dat"});
}

TEST(AtomicWrite, MissingFolderIsNotCreated) {
    testing::TempDir dir;
    EXPECT_FALSE(writeFile(dir.path() / "Presets" / "001.dat", Bytes(256, 0)));
    EXPECT_FALSE(fs::exists(dir.path() / "Presets"));
}

TEST(FileWriterLifetime, DiscardLeavesTargetAndDestructorCommits) {
    testing::TempDir dir;
    const fs::path target = dir.path() / "a.dat";
    put(target, {5});
    {
        FileWriter writer(target);
        ASSERT_TRUE(writer.isOpen());
        writer.write(Bytes(3, 6));
        // Until the writer closes, readers still see the old file.
        EXPECT_EQ(readFile(target), Bytes{5});
        writer.discard();
    }
    EXPECT_EQ(readFile(target), Bytes{5});
    {
        FileWriter writer(target);
        writer.write(Bytes(3, 6));
    }
    EXPECT_EQ(readFile(target), Bytes(3, 6));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"a.dat"});
}

TEST(FileReaderBounds, ReadSeekAndAbsentFiles) {
    testing::TempDir dir;
    put(dir.path() / "f", {1, 2, 3, 4, 5});
    FileReader reader(dir.path() / "f");
    ASSERT_TRUE(reader.isOpen());
    EXPECT_EQ(reader.size(), 5u);
    std::uint8_t buffer[8]{};
    EXPECT_EQ(reader.read(buffer, 3), 3u);
    EXPECT_EQ(reader.read(buffer, 8), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(reader.read(buffer, 8), 0u);
    reader.seek(100);
    EXPECT_EQ(reader.position(), 5u);
    reader.seek(1);
    EXPECT_EQ(reader.read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_FALSE(FileReader(dir.path() / "missing").isOpen());
    EXPECT_FALSE(FileReader(dir.path()).isOpen());  // a folder is not a file
    EXPECT_EQ(readFile(dir.path() / "f", 2), (Bytes{1, 2}));
}

TEST(EnsureFolder, CreatesOneLevelOnly) {
    testing::TempDir dir;
    ensureFolder(dir.path() / "a" / "b");
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
    ensureFolder(dir.path() / "a");
    ensureFolder(dir.path() / "a");  // existing: ignored
    EXPECT_TRUE(fs::is_directory(dir.path() / "a"));
}

// ---- preset records and slot files ------------------------------------------------------

TEST(RecordChecksum, KnownAnswers) {
    sysex::PresetRecord all127;
    all127.fill(127);
    EXPECT_EQ(recordChecksum(all127), (sysex::Checksum{0x7E, 0x00}));
    EXPECT_EQ(recordChecksum(sysex::PresetRecord{}), (sysex::Checksum{0, 0}));
    sysex::PresetRecord two{};
    two[0] = two[200] = 127;
    EXPECT_EQ(recordChecksum(two), (sysex::Checksum{0x01, 0x7E}));
}

TEST(BuildPresetRecord, LayoutAsTheDeviceExpects) {
    std::vector<int> values(74, 0);
    values[0] = 64;
    values[73] = 0x1FF;  // only the low 8 bits travel
    values[40] = 1;      // IR 7 in use, IR 8 not
    const sysex::PresetRecord rec = buildPresetRecord(values, "Slap", "My Cab", "Other Cab");
    EXPECT_EQ(rec[0], 1);
    EXPECT_EQ(rec[1], 0);
    EXPECT_EQ(std::string(rec.begin() + 2, rec.begin() + 34), "Slap" + std::string(28, ' '));
    EXPECT_EQ(rec[34], 64);
    EXPECT_EQ(rec[107], 0xFF);
    EXPECT_TRUE(std::all_of(rec.begin() + 108, rec.begin() + 192, [](auto b) { return b == 0; }));
    EXPECT_EQ(std::string(rec.begin() + 192, rec.begin() + 224), "My Cab" + std::string(26, ' '));
    EXPECT_EQ(std::string(rec.begin() + 224, rec.end()), std::string(32, ' '));
}

TEST(PresetRows, NumberBetweenSpacesThenTheNameAsStored) {
    const auto name = sysex::padName("Deep");
    EXPECT_EQ(presetRowText(0, name), " 00 Deep" + std::string(28, ' '));
    EXPECT_EQ(presetRowText(1, name), " 01 Deep" + std::string(28, ' '));
    EXPECT_EQ(presetRowText(128, name).substr(0, 5), " 128 ");
    const std::uint8_t withZero[32] = {'A', 'b', 0, 'x'};
    EXPECT_EQ(presetRowText(5, withZero), " 05 Ab");
}

TEST(PresetSlotFiles, ChecksumsAndNamesFromTheFiles) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    fs::create_directory(folder.presetsFolder());
    const sysex::PresetRecord rec = namedRecord("First");
    ASSERT_TRUE(writePresetSlotFile(folder, 0, rec));
    ASSERT_TRUE(
        writePresetSlotFile(folder, 1, sysex::PresetRecord{}));  // zero record: same as missing
    put(folder.presetSlotFile(2), Bytes(10, 1));                 // short: padded with zeros
    Bytes longFile(300, 1);
    put(folder.presetSlotFile(3), longFile);  // long: only 256 bytes count
    EXPECT_FALSE(writePresetSlotFile(folder, 128, rec));

    const auto slots = readPresetSlots(folder);
    EXPECT_TRUE(slots[0].present);
    EXPECT_EQ(slots[0].name, "First" + std::string(27, ' '));
    EXPECT_EQ(slots[0].checksum, recordChecksum(rec));
    EXPECT_TRUE(slots[1].present);
    EXPECT_EQ(slots[1].checksum, (sysex::Checksum{0, 0}));
    EXPECT_EQ(slots[2].checksum, sysex::checksumOfSum(10));
    EXPECT_EQ(slots[3].checksum, sysex::checksumOfSum(256));
    EXPECT_FALSE(slots[4].present);
    EXPECT_EQ(slots[4].checksum, slots[1].checksum);
    EXPECT_EQ(slots[4].name, "");
    EXPECT_EQ(readFile(folder.presetSlotFile(0)), Bytes(rec.begin(), rec.end()));
}

TEST(ListPresetFolder, StopsAfterEnsuringTheFolderWhenTheFirstSlotIsMissing) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    EXPECT_TRUE(listPresetFolder(folder).firstSlotMissing);
    EXPECT_TRUE(fs::is_directory(folder.presetsFolder()));

    ASSERT_TRUE(writePresetSlotFile(folder, 1, namedRecord("Second")));
    const PresetFolderListing listing = listPresetFolder(folder);
    EXPECT_TRUE(listing.firstSlotMissing);
    EXPECT_TRUE(listing.rows.empty());
    // The slot reader still finds slot 2.
    EXPECT_TRUE(readPresetSlots(folder)[1].present);
}

TEST(ListPresetFolder, RowsFromEveryDatFileAndNothingElse) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    fs::create_directory(folder.presetsFolder());
    ASSERT_TRUE(writePresetSlotFile(folder, 0, namedRecord("One")));
    ASSERT_TRUE(writePresetSlotFile(folder, 1, namedRecord("Two")));
    put(folder.presetsFolder() / "readme.txt", {1});
    put(folder.presetsFolder() / "003.dat.bak", {1});
    fs::create_directory(folder.presetsFolder() / "old.dat");
    const PresetFolderListing listing = listPresetFolder(folder);
    EXPECT_FALSE(listing.firstSlotMissing);
    EXPECT_EQ(listing.cacheFiles, 2);
    ASSERT_EQ(listing.rows.size(), 2u);
    std::set<std::string> names;
    for (const auto& row : listing.rows) names.insert(row.name);
    EXPECT_EQ(names,
              (std::set<std::string>{"One" + std::string(29, ' '), "Two" + std::string(29, ' ')}));
}

// Regression: rows came out in the folder's hash order on ext4 and tmpfs, so
// after a sync the list showed each slot under another slot's name.
TEST(ListPresetFolder, RowsInSlotOrderWhateverOrderTheFilesWereWritten) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    std::filesystem::create_directories(folder.presetsFolder());
    for (int slot = 127; slot >= 0; --slot) {
        std::array<std::uint8_t, 256> rec{};
        const std::string name = "Slot " + std::to_string(slot);
        std::copy(name.begin(), name.end(), rec.begin() + sysex::record::Name);
        ASSERT_TRUE(writePresetSlotFile(folder, slot, rec));
    }
    const PresetFolderListing listing = listPresetFolder(folder);
    ASSERT_EQ(listing.rows.size(), 128u);
    EXPECT_EQ(listing.cacheFiles, 128);
    for (int slot = 0; slot < 128; ++slot) {
        const auto& row = listing.rows[static_cast<std::size_t>(slot)];
        EXPECT_EQ(row.row, slot);
        EXPECT_EQ(row.name.substr(0, row.name.find('\0')), "Slot " + std::to_string(slot)) << slot;
    }
}

}  // namespace
}  // namespace vornix::storage
