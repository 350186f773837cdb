#include "ir/ir_library.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::ir {
namespace {

using vornix::testing::testDataPath;

std::string text(const IrName& name) {
    return std::string(name.begin(), name.end());
}

IrSlotBytes slotNamed(std::string_view name, double firstSample = 0.5) {
    std::vector<double> samples(IrSlotSamples, 0.0);
    samples[0] = firstSample;
    return encodeIrSlotFile(sysex::padName(name), samples).bytes;
}

class IrLibraryFolder : public ::testing::Test {
  protected:
    vornix::testing::TempDir dir_;
    storage::DataFolder folder_{dir_.path()};
};

// ---- numbering -------------------------------------------------------------------

TEST(IrNumbering, BanksAndRows) {
    struct Case {
        unsigned number;
        const char* bank;
        unsigned row;
    };
    for (const auto& c : {Case{0, "Custom Bank 1", 0}, Case{31, "Custom Bank 1", 31},
                          Case{33, "Custom Bank 2", 1}, Case{255, "Custom Bank 8", 31},
                          Case{256, "Factory Bank", 0}, Case{287, "Factory Bank", 31}}) {
        EXPECT_EQ(irBankName(irBankOf(c.number)), c.bank) << c.number;
        EXPECT_EQ(irRowOf(c.number), c.row) << c.number;
    }
    EXPECT_EQ(emptySlotName(33), "Empty Slot 2");
}

TEST(IrNumbering, OnlyUserAndCabinetNumbersAreValid) {
    for (unsigned n : {0u, 287u, 384u, 391u}) EXPECT_TRUE(isValidIrNumber(n)) << n;
    for (unsigned n : {288u, 383u, 392u, 511u}) EXPECT_FALSE(isValidIrNumber(n)) << n;
}

// ---- names -----------------------------------------------------------------------

TEST_F(IrLibraryFolder, NameTableReadsValidCacheFilesAndFallsBackOtherwise) {
    ASSERT_TRUE(storeIrFile(folder_, 5, slotNamed("Bass DI")));
    ASSERT_TRUE(storeIrFile(folder_, 386, slotNamed("Dalvin Tweaked")));
    // A file of the wrong size is not an IR slot file.
    ASSERT_TRUE(storage::writeFile(folder_.irFile(6), std::vector<std::uint8_t>(100, 'A')));

    IrNameTable names;
    names.loadFromFolder(folder_);
    EXPECT_EQ(names.userName(5), "Bass DI");
    EXPECT_EQ(names.userName(6), "Empty Slot 7");
    EXPECT_EQ(names.userName(33), "Empty Slot 2");
    EXPECT_EQ(names.cabinetName(0), "Flat Response");
    EXPECT_EQ(names.cabinetName(2), "Brannow");
    EXPECT_EQ(names.nameOf(386), "Dalvin Tweaked");

    // Storing under 390 writes factory file 7 and relabels cabinet 7.
    ASSERT_TRUE(storeIrFile(folder_, 390, slotNamed("New Seven")));
    EXPECT_TRUE(std::filesystem::exists(folder_.factoryIrFolder() / "007.dat"));
    names.refresh(folder_, 390);
    EXPECT_EQ(names.cabinetName(7), "New Seven");
}

TEST_F(IrLibraryFolder, StoreCreatesTheFolderAndRefusesWhatTheDeviceNeverSends) {
    ASSERT_TRUE(storeIrFile(folder_, 287, slotNamed("Last")));
    EXPECT_EQ(storage::readFile(folder_.userIrFolder() / "288.dat").size(), IrSlotFileBytes);
    EXPECT_FALSE(storeIrFile(folder_, 300, slotNamed("x")));
    EXPECT_FALSE(storeIrFile(folder_, 392, slotNamed("x")));
    EXPECT_FALSE(storeIrFile(folder_, 1, std::vector<std::uint8_t>(IrSlotFileBytes - 1)));
    EXPECT_FALSE(std::filesystem::exists(folder_.irFile(1)));
}

struct WavPathCase {
    const char* path;
    const char* name;
};

class WavNames : public ::testing::TestWithParam<WavPathCase> {};

TEST_P(WavNames, ComeFromTheFileNameWithoutItsExtension) {
    const auto expected = sysex::padName(GetParam().name);
    EXPECT_EQ(text(wavNameFromPath(GetParam().path)), text(expected)) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WavNames,
    ::testing::Values(WavPathCase{"/home/bass/IRs/My Cab.wav", "My Cab"},
                      WavPathCase{"C:\\IRs\\Old\\Warm.WAV", "Warm"},
                      // Any extension costs four characters, whatever its length.
                      WavPathCase{"/tmp/Cab.wave", "Cab."}, WavPathCase{"/tmp/abc", ""},
                      WavPathCase{"/tmp/dir.wav/", ""},
                      WavPathCase{"/x/A name much longer than thirty-two characters.wav",
                                  "A name much longer than thirty-t"},
                      // UTF-8 would not survive the 7-bit messages the name travels in.
                      WavPathCase{"/x/Caf\xC3\xA9 1.wav", "Caf__ 1"}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

// ---- factory WAV files -----------------------------------------------------------

class FactoryWavs : public IrLibraryFolder {
  protected:
    FactoryWavs() {
        for (int i = 0; i < CabinetCount; ++i)
            contents_.push_back(std::vector<std::uint8_t>(10 + i, static_cast<std::uint8_t>(i)));
    }
    FactoryWavProvider provider() {
        return [this](int index) {
            ++requests_;
            return std::span<const std::uint8_t>(contents_.at(index));
        };
    }
    std::vector<std::vector<std::uint8_t>> contents_;
    int requests_ = 0;
};

TEST_F(FactoryWavs, WritesAllEightFilesUnchanged) {
    EXPECT_EQ(extractFactoryWavs(folder_, provider()), CabinetCount);
    for (int k = 1; k <= CabinetCount; ++k)
        EXPECT_EQ(storage::readFile(factoryWavPath(folder_, k)), contents_[k - 1]) << k;
    EXPECT_EQ(factoryWavPath(folder_, 8).filename(), "08-Aldric V30.wav");
}

TEST_F(FactoryWavs, DoNotReturnOnceTheFirstFileExists) {
    extractFactoryWavs(folder_, provider());
    std::filesystem::remove(factoryWavPath(folder_, 3));
    requests_ = 0;
    EXPECT_EQ(extractFactoryWavs(folder_, provider()), 0);
    EXPECT_EQ(requests_, 0);
    EXPECT_FALSE(std::filesystem::exists(factoryWavPath(folder_, 3)));
}

TEST_F(FactoryWavs, MissingResourceWritesNoEmptyFile) {
    contents_[0].clear();
    EXPECT_EQ(extractFactoryWavs(folder_, provider()), CabinetCount - 1);
    EXPECT_FALSE(std::filesystem::exists(factoryWavPath(folder_, 1)));
}

// ---- selector positions ----------------------------------------------------------

// Cabinet k fills the whole buffer with the value k.
struct RecordingLoader {
    std::vector<int> calls;
    CabinetLoader loader() {
        return [this](int cabinet, IrSampleBuffer& buffer) {
            calls.push_back(cabinet);
            buffer.fill(cabinet);
        };
    }
};

struct SelectionCase {
    int value;
    std::vector<int> cabinetsLoaded;
    double impulse;  // entry 0
    double tail;     // any later entry
};

class IrSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(IrSelection, CrossFadesNeighbouringCabinets) {
    const auto& c = GetParam();
    RecordingLoader recorder;
    IrSampleBuffer buffer;
    buffer.fill(9.0);
    crossFadeIrSelection(c.value, recorder.loader(), buffer);
    EXPECT_EQ(recorder.calls, c.cabinetsLoaded) << c.value;
    EXPECT_NEAR(buffer[0], c.impulse, 1e-6) << c.value;
    EXPECT_NEAR(buffer[100], c.tail, 1e-6) << c.value;
    EXPECT_NEAR(buffer[4095], c.tail, 1e-6) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Parameter14, IrSelection,
    ::testing::Values(SelectionCase{0, {}, 1.0, 0.0},  // Flat Response
                      SelectionCase{1, {}, 1.0, 0.0},
                      // v = 0.1: 90 % unit impulse, 10 % cabinet 1.
                      SelectionCase{2, {1}, 1.0, 0.1}, SelectionCase{16, {1}, 1.0, 1.0},
                      // v = 1.2: 80 % cabinet 1, 20 % cabinet 2.
                      SelectionCase{20, {1, 2}, 1.2, 1.2}, SelectionCase{64, {4}, 4.0, 4.0},
                      SelectionCase{127, {8}, 8.0, 8.0},
                      // Values outside 0..127 must not ask for cabinet 9.
                      SelectionCase{200, {8}, 8.0, 8.0}, SelectionCase{-3, {}, 1.0, 0.0}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

// ---- loading cabinets and user IRs -----------------------------------------------

TEST_F(IrLibraryFolder, CabinetComesFromItsCacheFileFirst) {
    ASSERT_TRUE(storeIrFile(folder_, 384, slotNamed("Cached", 0.25)));
    IrSampleBuffer buffer;
    buffer.fill(0.5);
    ASSERT_TRUE(loadCabinetIr(folder_, 1, buffer));
    EXPECT_EQ(buffer[0], 0.25);
    EXPECT_EQ(buffer[IrSlotSamples], 0.5);  // beyond the slot file: untouched
}

TEST_F(IrLibraryFolder, CabinetFallsBackToItsFactoryWav) {
    storage::ensureFolder(folder_.factoryIrFolder());
    std::filesystem::copy_file(testDataPath("wav/pcm16_mono_44100.wav"),
                               factoryWavPath(folder_, 1));
    // A wrongly sized cache file does not hide the WAV.
    ASSERT_TRUE(storage::writeFile(folder_.irFile(384), std::vector<std::uint8_t>(10)));
    IrSampleBuffer buffer;
    buffer.fill(0.5);
    ASSERT_TRUE(loadCabinetIr(folder_, 1, buffer));
    EXPECT_EQ(buffer[0], readWav(factoryWavPath(folder_, 1)).samples[0]);
    EXPECT_EQ(buffer[1000], 0.0);
}

TEST_F(IrLibraryFolder, NothingToLoadLeavesTheBufferAlone) {
    IrSampleBuffer buffer;
    buffer.fill(0.5);
    EXPECT_FALSE(loadCabinetIr(folder_, 2, buffer));
    EXPECT_FALSE(loadUserIr(folder_, 7, buffer));
    EXPECT_FALSE(loadCabinetIr(folder_, 9, buffer));
    EXPECT_EQ(buffer[0], 0.5);

    ASSERT_TRUE(storeIrFile(folder_, 7, slotNamed("Seven", -0.5)));
    EXPECT_TRUE(loadUserIr(folder_, 7, buffer));
    EXPECT_EQ(buffer[0], -0.5);
}

}  // namespace
}  // namespace vornix::ir
