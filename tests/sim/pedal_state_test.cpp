// The pedal's memory on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "pedal_harness.hpp"
#include "sim/factory_content.hpp"
#include "temp_dir.hpp"

namespace vornix::sim::testing {
namespace {

using namespace sysex;
namespace fs = std::filesystem;

// A pedal that differs from a factory one in every kind of state.
void changeEverything(PedalHarness& h) {
    PresetRecord rec = h.pedal.preset(0);
    rec[record::Name] = 'S';
    h.send(blockMessage(cmd::RestorePreset, 60, rec));
    h.send(selectPreset(60));
    h.send(switchLayer(true));
    PageBlock settings = h.pedal.globalPage(page::Settings);
    settings[10] = 2;
    h.send(blockMessage(cmd::GlobalPage, page::Settings, settings));
    h.sendAll(irUpload(250, sampleIrFile("Saved IR", 4)));
}

void expectSameState(const Pedal& a, const Pedal& b) {
    for (int slot = 0; slot < NumPresets; ++slot) EXPECT_EQ(a.preset(slot), b.preset(slot));
    for (int page = 0; page < GlobalPageCount; ++page)
        EXPECT_EQ(a.globalPage(page), b.globalPage(page)) << page;
    EXPECT_EQ(a.currentPreset(), b.currentPreset());
    EXPECT_EQ(a.layerB(), b.layerB());
    EXPECT_EQ(a.editBuffer(), b.editBuffer());
    for (unsigned n = 0; n < 400; ++n) {
        ASSERT_EQ(a.ir(n) == nullptr, b.ir(n) == nullptr) << n;
        if (a.ir(n)) {
            EXPECT_EQ(*a.ir(n), *b.ir(n)) << n;
        }
    }
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(PedalState, SaveThenLoadRestoresEverything) {
    vornix::testing::TempDir dir;
    PedalHarness saved;
    changeEverything(saved);
    ASSERT_TRUE(saved.pedal.saveState(dir.path()));
    Pedal loaded;
    ASSERT_TRUE(loaded.loadState(dir.path()));
    expectSameState(saved.pedal, loaded);
    EXPECT_EQ(loaded.currentPreset(), 60);
    ASSERT_NE(loaded.ir(250), nullptr);
}

TEST(PedalState, SavingLeavesNoTemporaryFiles) {
    vornix::testing::TempDir dir;
    PedalHarness h;
    changeEverything(h);
    ASSERT_TRUE(h.pedal.saveState(dir.path()));
    ASSERT_TRUE(h.pedal.saveState(dir.path()));  // over the files of the first save
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"globals.bin", "presets.bin", "irs"}));
    const std::regex irFile("[0-9]{3}\\.dat");
    for (const auto& entry : fs::directory_iterator(dir.path() / "irs"))
        EXPECT_TRUE(std::regex_match(entry.path().filename().string(), irFile)) << entry.path();
}

TEST(PedalState, IrsRemovedSinceTheLastSaveStayRemoved) {
    vornix::testing::TempDir dir;
    PedalHarness h;
    h.pedal.setIr(200, sampleIrFile("Temporary", 1));
    ASSERT_TRUE(h.pedal.saveState(dir.path()));
    h.send(factoryReset(reset::Presets));
    ASSERT_TRUE(h.pedal.saveState(dir.path()));
    Pedal loaded;
    ASSERT_TRUE(loaded.loadState(dir.path()));
    EXPECT_EQ(loaded.ir(200), nullptr);
}

TEST(PedalState, MissingFolderKeepsFactoryState) {
    vornix::testing::TempDir dir;
    PedalHarness h;
    EXPECT_FALSE(h.pedal.loadState(dir.path() / "nothing-here"));
    expectSameState(h.pedal, Pedal());
}

TEST(PedalState, DamagedFilesAreRefusedAsAWhole) {
    struct Case {
        const char* what;
        void (*damage)(const fs::path& folder);
    };
    const Case cases[] = {
        {"presets cut short", [](const fs::path& f) { fs::resize_file(f / "presets.bin", 1000); }},
        {"globals missing", [](const fs::path& f) { fs::remove(f / "globals.bin"); }},
        {"8-bit byte in a preset",
         [](const fs::path& f) {
             Bytes bytes(NumPresets * BlockSize, 0x20);
             bytes[77] = 0x80;
             writeFile(f / "presets.bin", bytes);
         }},
        {"layer state neither 0 nor 1",
         [](const fs::path& f) {
             Bytes bytes(GlobalPageCount * BlockSize + 2, 0);
             bytes.back() = 2;
             writeFile(f / "globals.bin", bytes);
         }},
        {"IR file of wrong size",
         [](const fs::path& f) { writeFile(f / "irs" / "010.dat", Bytes(100)); }},
        {"IR number outside the library",
         [](const fs::path& f) { writeFile(f / "irs" / "300.dat", sampleIrFile("x", 1)); }},
        {"IR folder missing", [](const fs::path& f) { fs::remove_all(f / "irs"); }},
    };
    for (const Case& c : cases) {
        vornix::testing::TempDir dir;
        PedalHarness saved;
        changeEverything(saved);
        ASSERT_TRUE(saved.pedal.saveState(dir.path()));
        c.damage(dir.path());
        PedalHarness h;
        EXPECT_FALSE(h.pedal.loadState(dir.path())) << c.what;
        expectSameState(h.pedal, Pedal());
    }
}

TEST(PedalState, LeftoverTemporaryFilesAreNotLoaded) {
    vornix::testing::TempDir dir;
    ASSERT_TRUE(Pedal().saveState(dir.path()));
    // What a pedal killed while saving IR 200 leaves behind.
    writeFile(dir.path() / "irs" / ".200.dat.tmp-4242-0", sampleIrFile("Half", 1));
    Pedal loaded;
    EXPECT_TRUE(loaded.loadState(dir.path()));
    EXPECT_EQ(loaded.ir(200), nullptr);
}

}  // namespace
}  // namespace vornix::sim::testing
