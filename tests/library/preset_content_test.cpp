// What the library reads out of preset files, bank files and the cache.
#include <gtest/gtest.h>

#include "library/preset_content.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"
#include "temp_dir.hpp"

namespace vornix::library {
namespace {

using testing::TempDir;
using testing::testDataPath;

TEST(PresetContent, APresetFileKeepsItsValuesNamesAndIrsAndExportsTheSameSound) {
    const FileContent read = contentOfPresetFile(testDataPath("presets/both_irs.kvp"));
    ASSERT_EQ(read.refusal, "");
    const auto file = storage::readFile(testDataPath("presets/both_irs.kvp"));
    for (int i = 0; i < NumPresetParams; ++i)
        EXPECT_EQ(read.content.record[sysex::record::paramByte(i)],
                  file[storage::presetfile::Params + static_cast<std::size_t>(i)])
            << "parameter " << i;
    EXPECT_TRUE(read.content.ir7);
    EXPECT_TRUE(read.content.ir8);

    TempDir dir;
    const auto exported = dir.path() / "again.kvp";
    ASSERT_TRUE(storage::writeFile(exported, presetFileOf(read.content)));
    const FileContent again = contentOfPresetFile(exported);
    ASSERT_EQ(again.refusal, "");
    EXPECT_EQ(fingerprintOf(again.content), fingerprintOf(read.content));
    EXPECT_EQ(recognise(again.content.record).name, recognise(read.content.record).name);
}

TEST(PresetContent, TheFingerprintIgnoresTheNameButNotAParameterOrASample) {
    PresetContent a = contentOfPresetFile(testDataPath("presets/both_irs.kvp")).content;
    PresetContent renamed = a;
    renamed.record[sysex::record::Name] = 'Z';
    EXPECT_EQ(fingerprintOf(renamed), fingerprintOf(a));
    PresetContent changed = a;
    changed.record[sysex::record::paramByte(param::Drive)] ^= 1;
    EXPECT_NE(fingerprintOf(changed), fingerprintOf(a));
    PresetContent otherSlot = a;
    otherSlot.record[sysex::record::paramByte(param::Ir7SlotLow)] ^= 5;
    EXPECT_EQ(fingerprintOf(otherSlot), fingerprintOf(a)) << "its samples stand for the IR";
    PresetContent otherSample = a;
    otherSample.ir7->back() ^= 1;
    EXPECT_NE(fingerprintOf(otherSample), fingerprintOf(a));
}

TEST(PresetContent, AWholeBankGivesItsSlotsWithTheIrsTheyPlay) {
    const BankContent bank = contentOfBankFile(testDataPath("banks/whole_bank.kvb"));
    ASSERT_EQ(bank.refusal, "");
    ASSERT_EQ(bank.slots.size(), 128u);
    int withIrs = 0;
    for (const PresetContent& slot : bank.slots) {
        for (int position : {7, 8}) {
            const int number = sysex::recordIrNumber(slot.record, position);
            const auto& ir = position == 7 ? slot.ir7 : slot.ir8;
            if (number >= 0 && number < 256) {
                ASSERT_TRUE(ir) << "user IR " << number;
                EXPECT_EQ(ir->size(), 2436u);
                ++withIrs;
            } else {
                EXPECT_FALSE(ir);
            }
        }
    }
    EXPECT_GT(withIrs, 0);
    EXPECT_NE(contentOfBankFile(testDataPath("banks/ir_130_cut.kvb")).refusal, "");
}

TEST(PresetContent, AFolderIsSearchedThroughInAFixedOrder) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "b" / "deeper");
    for (const char* name : {"b/deeper/x.KVP", "a.kvp", "b/notes.txt", "b/y.kvp"})
        storage::writeFile(dir.path() / name, std::vector<std::uint8_t>{1});
    const auto files = presetFilesUnder(dir.path());
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].filename(), "a.kvp");
    EXPECT_EQ(files[1].filename(), "x.KVP");
    EXPECT_EQ(files[2].filename(), "y.kvp");
}

}  // namespace
}  // namespace vornix::library
