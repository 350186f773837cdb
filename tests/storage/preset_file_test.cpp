// The preset file format alone: what it accepts and which position each IR
// block of a file belongs to.
#include <gtest/gtest.h>

#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace pf = presetfile;

Bytes dataFile(const std::string& name) {
    return readFile(testing::testDataPath("presets/" + name));
}

TEST(PresetFileCheck, MagicLengthAndVersion) {
    struct Case {
        const char* file;
        PresetFileCheck expected;
    };
    const Case cases[] = {
        {"plain.kvp", PresetFileCheck::Ok},
        {"sibling.kvp", PresetFileCheck::Ok},
        {"both_irs.kvp", PresetFileCheck::Ok},
        {"version_0_9.kvp", PresetFileCheck::Ok},
        {"version_1_1.kvp", PresetFileCheck::UnsupportedVersion},
        {"version_2_0.kvp", PresetFileCheck::UnsupportedVersion},
        {"short.kvp", PresetFileCheck::UnknownFormat},
        {"other_magic.kvp", PresetFileCheck::UnknownFormat},
    };
    for (const Case& c : cases) EXPECT_EQ(checkPresetFile(dataFile(c.file)), c.expected) << c.file;
}

TEST(PresetFileCheck, VersionBytesAreSigned) {
    Bytes file = dataFile("plain.kvp");
    file[pf::MajorVersion] = 0xFF;  // -1 x 10 + 20 = 10: still readable
    file[pf::MinorVersion] = 20;
    EXPECT_EQ(checkPresetFile(file), PresetFileCheck::Ok);
    file[pf::MinorVersion] = 21;
    EXPECT_EQ(checkPresetFile(file), PresetFileCheck::UnsupportedVersion);
}

TEST(BuildPresetFile, ReproducesTheCommittedFiles) {
    PresetFileContent content;
    content.name = "Both Irs";
    content.values[0] = 70;
    content.values[1] = 33;
    content.values[14] = 112;
    content.values[19] = 2;
    content.values[42] = 90;
    content.values[43] = 20;
    content.values[40] = content.values[41] = 1;
    content.values[55] = 1;
    content.values[54] = content.values[56] = 9;
    content.ir7Name = "First Cab";
    content.ir8Name = "Second Cab";
    content.ir7Block = dataFile("ir_first.dat");
    content.ir8Block = dataFile("ir_second.dat");
    EXPECT_EQ(buildPresetFile(content), dataFile("both_irs.kvp"));
    // Without IR modes the names stay blank and only complete blocks are written.
    content.values[40] = content.values[41] = 0;
    content.ir8Block->pop_back();
    const Bytes file = buildPresetFile(content);
    ASSERT_EQ(file.size(), 2698u);
    EXPECT_EQ(Bytes(file.begin() + pf::Ir7Name, file.begin() + pf::HeaderBytes), Bytes(64, ' '));
}

TEST(BuildPresetFile, NameIsCutAt32AndValuesKeepTheirLowByte) {
    PresetFileContent content;
    content.name = std::string(40, 'x');
    content.values[3] = -1;
    const Bytes file = buildPresetFile(content);
    ASSERT_EQ(file.size(), 262u);
    EXPECT_EQ(std::string(file.begin() + pf::Name, file.begin() + pf::Params),
              std::string(32, 'x'));
    EXPECT_EQ(file[pf::Params + 3], 0xFF);
}

TEST(AssignIrBlocks, EachBlockToThePositionThatOwnsIt) {
    struct Case {
        const char* file;
        const char* ir7;  // data file of the block for position 7, or null
        const char* ir8;
    };
    const Case cases[] = {
        {"plain.kvp", nullptr, nullptr},
        {"ir7_only.kvp", "ir_first.dat", nullptr},
        {"both_irs.kvp", "ir_first.dat", "ir_second.dat"},
        {"ir8_with_factory7.kvp", nullptr, "ir_second.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = dataFile(c.file);
        const PresetFileBlocks blocks = assignIrBlocks(file);
        ASSERT_EQ(blocks.ir7.has_value(), c.ir7 != nullptr);
        ASSERT_EQ(blocks.ir8.has_value(), c.ir8 != nullptr);
        if (c.ir7) {
            EXPECT_EQ(Bytes(blocks.ir7->begin(), blocks.ir7->end()), dataFile(c.ir7));
        }
        if (c.ir8) {
            EXPECT_EQ(Bytes(blocks.ir8->begin(), blocks.ir8->end()), dataFile(c.ir8));
        }
    }
}

TEST(AssignIrBlocks, PositionsWithoutABlockGetNothing) {
    // Both positions own user IRs but the export found only one slot file:
    // the block goes to position 7, position 8 gets none rather than a copy.
    Bytes file = dataFile("both_irs.kvp");
    file.resize(2698);
    const PresetFileBlocks blocks = assignIrBlocks(file);
    ASSERT_TRUE(blocks.ir7);
    EXPECT_FALSE(blocks.ir8);
    file.resize(262 + 2435);
    EXPECT_FALSE(assignIrBlocks(file).ir7) << "a cut block is no block";
}

// A block the positions call for that starts in the file and ends past it
// was cut off; bytes after the blocks the file needs are no cut block.
TEST(AssignIrBlocks, NamesTheBlockAFileEndsIn) {
    struct Case {
        const char* file;
        std::size_t size;
        int cut;
    };
    const Case cases[] = {
        {"both_irs.kvp", 262, 0},        {"both_irs.kvp", 263, 1},  {"both_irs.kvp", 2698, 0},
        {"both_irs.kvp", 4000, 2},       {"both_irs.kvp", 5133, 2}, {"both_irs.kvp", 5134, 0},
        {"ir7_only.kvp", 2698 + 100, 0}, {"plain.kvp", 1000, 0},
    };
    for (const Case& c : cases) {
        Bytes file = dataFile(c.file);
        file.resize(c.size, 0);
        EXPECT_EQ(assignIrBlocks(file).cut, c.cut) << c.file << " cut at " << c.size;
    }
}

TEST(PresetFileNames, EveryNameTheImportUsesMustBePrintableAscii) {
    struct Case {
        const char* what;
        std::size_t at;      // where a byte of 200 goes, or 0 for none
        std::size_t mode;    // an IR mode byte set to 0, or 0 for none
        const char* reason;  // empty when the names are fine
    };
    const std::size_t firstBlockName = pf::HeaderBytes + pf::IrBlockName;
    const std::size_t secondBlockName = firstBlockName + pf::IrBlockBytes;
    const Case cases[] = {
        {"untouched", 0, 0, ""},
        {"first name byte", pf::Name, 0,
         "byte 200 at position 1 of the preset name is not a printable character"},
        {"last name byte", pf::Name + 31, 0, "at position 32 of the preset name"},
        {"IR 7 name", pf::Ir7Name + 2, 0, "at position 3 of the IR 7 name"},
        {"IR 8 name of a position that is off", pf::Ir8Name, pf::Ir8Mode, ""},
        {"name in the IR 7 block", firstBlockName + 5, 0, "at position 6 of the IR 7 block"},
        {"name in the IR 8 block", secondBlockName, 0, "at position 1 of the IR 8 block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = dataFile("both_irs.kvp");
        if (c.at) file[c.at] = 200;
        if (c.mode) file[c.mode] = 0;
        const std::string reason = unprintableNameIn(file);
        if (*c.reason == '\0')
            EXPECT_EQ(reason, "");
        else
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
    Bytes file = dataFile("plain.kvp");
    for (std::uint8_t control : {std::uint8_t{0}, std::uint8_t{9}, std::uint8_t{127}}) {
        file[pf::Name + 4] = control;
        EXPECT_NE(unprintableNameIn(file), "") << int(control);
    }
}

}  // namespace
}  // namespace vornix::storage
