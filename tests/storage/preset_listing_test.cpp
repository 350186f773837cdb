// The preset list read from the slot files alone.
#include <gtest/gtest.h>

#include "storage/data_folder.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_record.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

// Regression: rows came out in the folder's hash order on ext4 and tmpfs, so
// after a sync the list showed each slot under another slot's name.
TEST(ListPresetFolder, RowsInSlotOrderWhateverOrderTheFilesWereWritten) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    std::filesystem::create_directories(folder.presetsFolder());
    for (int slot = 127; slot >= 0; --slot) {
        std::array<std::uint8_t, 256> rec{};
        const std::string name = "Slot " + std::to_string(slot);
        std::copy(name.begin(), name.end(), rec.begin() + record::Name);
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
