// Single-preset files through the editor: the checks and questions of an
// import, the re-targeting of its user IRs, and what an export writes.
#include <gtest/gtest.h>

#include "editor_harness.hpp"
#include "ir/ir_slot_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix::testing {
namespace {

namespace pf = storage::presetfile;

const char* const NotSaved = "Current Preset not saved. \nContinue without saving?";
const char* const OverwritesIr =
    "This operation will overwrite the currently selected User IR. \nContinue without saving?";
const char* const NewerVersion =
    "Unsupported file version. \nPlease update the Vornix Editor \nto the latest version.";

std::filesystem::path presetData(const std::string& name) {
    return testDataPath("presets/" + name);
}
Bytes dataFile(const std::string& name) {
    return storage::readFile(presetData(name));
}

// The IR a slot file holds, as the editor will play it.
std::optional<ir::DecodedIrSlot> irAt(const VornixControl& editor, unsigned number) {
    return ir::readIrSlotFile(editor.cache().folder().irFile(number));
}

void expectSameIr(const std::optional<ir::DecodedIrSlot>& stored, const std::string& dataName) {
    const auto expected = ir::decodeIrSlotFile(dataFile(dataName));
    ASSERT_TRUE(expected);
    ASSERT_TRUE(stored) << "no IR stored for " << dataName;
    EXPECT_EQ(stored->samples, expected->samples);
    // The store encodes the decoded samples again; the gain it derives may
    // differ in the last bits.
    EXPECT_NEAR(stored->gain, expected->gain, 1e-3);
}

// Offline at preset `slot`: the device's preset applied, then the link gone.
void offlineAt(EditorHarness& h, int slot) {
    h.goOnlineWithPreset(slot);
    h.editor.reconnect();
    h.sent.clear();
}

// The device's current preset with these values, and the user's edits on top.
void deviceSound(EditorHarness& h, bool playsUserIr7, bool modified) {
    auto rec = recordWith(5);
    rec[sysex::record::Ir7Mode] = playsUserIr7 ? 1 : 0;
    h.goOnline();
    h.receivePreset(0, rec);
    if (modified) h.editor.setParameterFromUser(param::Level, 6);
    h.editor.reconnect();
    h.sent.clear();
}

// ---- checks before anything changes -----------------------------------------------------

TEST(PresetFileImport, PlainFileOfflineChangesOnlyTheEditor) {
    EditorHarness h;
    h.openWindow();
    h.editor.presetFiles().importPresetFile(presetData("plain.kvp"));
    EXPECT_EQ(h.editor.intValue(param::Level), 70);
    EXPECT_EQ(h.editor.intValue(param::Gain), 33);
    EXPECT_EQ(h.editor.intValue(param::Ir), 112);
    EXPECT_TRUE(h.editor.sound().ModifiedFlag);
    EXPECT_TRUE(h.view.modified);
    EXPECT_EQ(h.view.presetName, "Plain Tone");
    EXPECT_EQ(h.editor.sound().presetName, "Plain Tone");
    EXPECT_EQ(h.events.importResults, std::vector<std::string>{"ok"});
    h.loop.advance(1000);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_TRUE(h.platform.boxes.empty());
}

TEST(PresetFileImport, PlainFileOnlineSendsThePresetOnce) {
    EditorHarness h;
    h.goOnlineWithPreset(3);
    h.editor.presetFiles().importPresetFile(presetData("plain.kvp"));
    h.loop.advance(500);
    const auto presets = h.sentWith(sysex::cmd::EditBuffer);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0][sysex::at::Number], 3) << "the edit buffer of the current slot";
    EXPECT_EQ(presets[0][sysex::at::Block + sysex::record::Params + param::Level], 70);
    EXPECT_TRUE(h.sentWith(sysex::cmd::IrFirst).empty());
    EXPECT_EQ(h.events.importResults, std::vector<std::string>{"ok"});
}

TEST(PresetFileImport, VersionsUpToOnePointZeroAreRead) {
    struct Case {
        const char* file;
        bool accepted;
    };
    for (const Case c : {Case{"version_0_9.kvp", true}, Case{"plain.kvp", true},
                         Case{"version_1_1.kvp", false}, Case{"version_2_0.kvp", false}}) {
        SCOPED_TRACE(c.file);
        EditorHarness h;
        h.openWindow();
        h.editor.presetFiles().importPresetFile(presetData(c.file));
        EXPECT_EQ(h.editor.sound().ModifiedFlag, c.accepted);
        EXPECT_EQ(h.events.importResults,
                  std::vector<std::string>{c.accepted ? "ok" : NewerVersion});
        EXPECT_EQ(h.editor.intValue(param::Level), c.accepted ? 70 : 64);
        const std::vector<std::string> expected =
            c.accepted ? std::vector<std::string>{} : std::vector<std::string>{NewerVersion};
        EXPECT_EQ(h.platform.texts(), expected);
    }
}

TEST(PresetFileImport, ShortFileOrOtherMagicIsUnknownAtTheNextIdleTick) {
    for (const char* file : {"short.kvp", "other_magic.kvp", "empty.kvp"}) {
        SCOPED_TRACE(file);
        EditorHarness h;
        h.openWindow();
        h.editor.presetFiles().importPresetFile(presetData(file));
        EXPECT_TRUE(h.platform.boxes.empty()) << "deferred, not shown inside the import";
        EXPECT_EQ(h.events.importResults, std::vector<std::string>{"Unknown file format."});
        h.loop.advance(20);
        EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Unknown file format."});
        EXPECT_FALSE(h.editor.sound().ModifiedFlag);
        EXPECT_EQ(h.editor.intValue(param::Level), 64);
    }
}

// A damaged file once came through as the sound: its name in bytes above
// 127, both IR modes on without IRs, the gains at their ends. Now it is
// refused with its reason before anything changes or goes to the device.
TEST(PresetFileImport, DamagedFilesAreRefusedWithTheirReasonAndApplyNothing) {
    struct Case {
        const char* file;
        const char* reason;
    };
    const Case cases[] = {
        {"noise_after_header.kvp", "parameter 1 \"Gain\" holds 208, not a 7-bit value"},
        {"cut_in_block.kvp", "it ends inside its second IR block"},
        {"extension_zero.kvp", "parameter 19 \"Reverb Extension Factor\" is 0, outside 2 to 5"},
        {"latin1_name.kvp",
         "byte 233 at position 4 of the preset name is not a printable character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EditorHarness h;
        h.openWindow();
        h.goOnlineWithPreset(2, 64);
        const std::string refusal =
            std::string("The preset file is damaged: ") + c.reason + ". Nothing was changed.";
        h.editor.presetFiles().importPresetFile(presetData(c.file));
        h.loop.advance(1000);
        EXPECT_EQ(h.platform.texts(), std::vector<std::string>{refusal});
        EXPECT_EQ(h.events.importResults, std::vector<std::string>{refusal});
        EXPECT_TRUE(h.sent.empty());
        EXPECT_FALSE(h.editor.sound().ModifiedFlag);
        for (int i = 0; i < NumPresetParams; ++i)
            ASSERT_EQ(h.editor.sound().EditValues[static_cast<std::size_t>(i)],
                      h.editor.sound().StoredValues[static_cast<std::size_t>(i)])
                << "parameter " << i;
        EXPECT_EQ(h.editor.sound().presetName.substr(0, 4), "Test");
        EXPECT_FALSE(irAt(h.editor, 2)) << "no user IR was stored";
        EXPECT_FALSE(irAt(h.editor, 130));
    }
}

TEST(PresetFileImport, FilesOf8192BytesOrMoreAreRefusedWithoutABox) {
    EditorHarness h;
    h.openWindow();
    Bytes big = dataFile("plain.kvp");
    big.resize(8192, 0);
    const auto path = h.dir.path() / "big.kvp";
    storage::writeFile(path, big);
    h.editor.presetFiles().importPresetFile(path);
    h.loop.advance(100);
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_TRUE(h.platform.boxes.empty());
    EXPECT_EQ(h.events.importResults, std::vector<std::string>{"Unknown file format."});
    // One byte less is a preset file like any other.
    big.resize(8191);
    storage::writeFile(path, big);
    h.editor.presetFiles().importPresetFile(path);
    EXPECT_TRUE(h.editor.sound().ModifiedFlag);
    EXPECT_EQ(h.editor.intValue(param::Level), 70);
}

TEST(PresetFileImport, MissingFileChangesNothingAndSaysWhy) {
    EditorHarness h;
    h.openWindow();
    const auto path = h.dir.path() / "absent.kvp";
    h.editor.presetFiles().importPresetFile(path);
    h.loop.advance(100);
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_TRUE(h.platform.boxes.empty());
    EXPECT_EQ(h.events.importResults,
              std::vector<std::string>{"Cannot open the preset file " + path.string()});
}

// ---- questions ---------------------------------------------------------------------------

struct QuestionCase {
    bool modified;
    bool usesUserIr;
    std::vector<Answer> answers;
    std::vector<std::string> asked;
    bool applied;
};

TEST(PresetFileImport, AsksBeforeDiscardingEditsOrAUserIrAndCancelStops) {
    const std::vector<QuestionCase> cases = {
        {false, false, {}, {}, true},
        {true, false, {Answer::Cancel}, {NotSaved}, false},
        {true, false, {Answer::Ok}, {NotSaved}, true},
        {false, true, {Answer::Cancel}, {OverwritesIr}, false},
        {true, true, {Answer::Ok, Answer::Cancel}, {NotSaved, OverwritesIr}, false},
        {true, true, {Answer::Cancel}, {NotSaved}, false},
        {true, true, {Answer::Ok, Answer::Ok}, {NotSaved, OverwritesIr}, true},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const QuestionCase& c = cases[i];
        SCOPED_TRACE(i);
        EditorHarness h;
        deviceSound(h, c.usesUserIr, c.modified);
        const int level = h.editor.intValue(param::Level);
        for (Answer a : c.answers) h.platform.answers.push_back(a);
        h.editor.presetFiles().importPresetFile(presetData("ir7_only.kvp"));
        EXPECT_EQ(h.platform.texts(), c.asked);
        EXPECT_EQ(h.events.importResults, std::vector<std::string>{c.applied ? "ok" : "cancelled"});
        EXPECT_EQ(h.editor.intValue(param::Level), c.applied ? 70 : level);
        EXPECT_EQ(std::filesystem::exists(h.editor.cache().folder().irFile(0)), c.applied);
        for (const auto& box : h.platform.boxes) EXPECT_EQ(box.buttons, Buttons::OkCancel);
    }
}

TEST(PresetFileImport, NoIrQuestionWhenTheFileBringsNoUserIr) {
    EditorHarness h;
    deviceSound(h, true, false);
    h.editor.presetFiles().importPresetFile(presetData("plain.kvp"));
    EXPECT_TRUE(h.platform.boxes.empty());
    EXPECT_EQ(h.editor.intValue(param::Ir7Mode), 0);
}

// ---- re-targeting --------------------------------------------------------------------------

TEST(PresetFileImport, UserIrsLandUnderTheCurrentSlotsOwnNumbers) {
    EditorHarness h;
    h.openWindow();
    offlineAt(h, 5);
    h.editor.presetFiles().importPresetFile(presetData("both_irs.kvp"));
    EXPECT_EQ(h.editor.intValue(param::Ir7SlotHigh), 0);
    EXPECT_EQ(h.editor.intValue(param::Ir7SlotLow), 5);
    EXPECT_EQ(h.editor.intValue(param::Ir8SlotHigh), 1);
    EXPECT_EQ(h.editor.intValue(param::Ir8SlotLow), 5);
    expectSameIr(irAt(h.editor, 5), "ir_first.dat");
    expectSameIr(irAt(h.editor, 133), "ir_second.dat");
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(9)))
        << "the numbers in the file belong to the exporting slot";
    EXPECT_EQ(h.editor.userIrs().userIrName(7), "First Cab");
    EXPECT_EQ(h.editor.userIrs().userIrName(8), "Second Cab");
    EXPECT_EQ(h.view.positionNames[7], "First Cab");
    EXPECT_EQ(h.view.positionNames[8], "Second Cab");
    EXPECT_EQ(h.events.importResults, std::vector<std::string>{"ok"});
    EXPECT_TRUE(h.sent.empty()) << "offline: the IRs are cached, nothing goes out";
    // The chain ended with the cached files: a later "stored" is not taken for it.
    h.goOnline();
    h.sent.clear();
    h.receive(sysex::status(sysex::cmd::IrStored));
    EXPECT_TRUE(h.sentWith(sysex::cmd::EditBuffer).empty());
}

TEST(PresetFileImport, SiblingMagicImportsLikeOwn) {
    EditorHarness own, sibling;
    offlineAt(own, 40);
    offlineAt(sibling, 40);
    own.editor.presetFiles().importPresetFile(presetData("ir7_only.kvp"));
    sibling.editor.presetFiles().importPresetFile(presetData("sibling.kvp"));
    for (int i = 0; i < NumPresetParams; ++i)
        EXPECT_EQ(sibling.editor.intValue(i), own.editor.intValue(i)) << "parameter " << i;
    EXPECT_EQ(sibling.editor.sound().presetName, "Sibling Tone");
    EXPECT_EQ(storage::readFile(sibling.editor.cache().folder().irFile(40)),
              storage::readFile(own.editor.cache().folder().irFile(40)));
    expectSameIr(irAt(sibling.editor, 40), "ir_first.dat");
}

// A 2,698-byte file whose position 7 refers to the factory bank carries the
// block of position 8: it must not be stored as the factory IR of position 7.
TEST(PresetFileImport, SingleBlockGoesToThePositionThatOwnsIt) {
    EditorHarness h;
    offlineAt(h, 5);
    h.editor.presetFiles().importPresetFile(presetData("ir8_with_factory7.kvp"));
    EXPECT_EQ(h.editor.intValue(param::Ir7SlotHigh), 2) << "factory reference kept";
    EXPECT_EQ(h.editor.intValue(param::Ir7SlotLow), 3);
    EXPECT_EQ(h.editor.intValue(param::Ir8SlotHigh), 1);
    EXPECT_EQ(h.editor.intValue(param::Ir8SlotLow), 5);
    expectSameIr(irAt(h.editor, 133), "ir_second.dat");
    for (unsigned n : {5u, 259u})
        EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(n))) << n;
    EXPECT_EQ(h.editor.userIrs().userIrName(7), "Factory Three");
    EXPECT_EQ(h.editor.userIrs().userIrName(8), "Second Cab");
}

// ---- export -----------------------------------------------------------------------------------

// Online at preset `slot`, whose record names user IRs for both positions.
struct ExportHarness : EditorHarness {
    explicit ExportHarness(int slot = 0, const std::string& ir7Name = "",
                           const std::string& ir8Name = "") {
        auto rec = recordWith(64);
        rec[sysex::record::Ir7Mode] = rec[sysex::record::Ir8Mode] = 1;
        const auto name7 = sysex::padName(ir7Name), name8 = sysex::padName(ir8Name);
        std::copy(name7.begin(), name7.end(), rec.begin() + sysex::record::Ir7Name);
        std::copy(name8.begin(), name8.end(), rec.begin() + sysex::record::Ir8Name);
        goOnline();
        receivePreset(slot, rec);
        editor.setParameterFromUser(param::Ir7Mode, 0);
        editor.setParameterFromUser(param::Ir8Mode, 0);
    }
    void useIr(int mode, int high, int low, int value) {
        editor.setParameterFromUser(mode, value >= 0 ? 1 : 0);
        editor.setParameterFromUser(high, value >= 0 ? (value >> 7) : 0);
        editor.setParameterFromUser(low, value >= 0 ? (value & 0x7F) : 0);
    }
    void cache(unsigned number, const Bytes& bytes) {
        std::filesystem::create_directories(editor.cache().folder().irFolderFor(number));
        storage::writeFile(editor.cache().folder().irFile(number), bytes);
    }
    Bytes exportTo(const std::string& name) {
        const auto path = dir.path() / name;
        EXPECT_TRUE(editor.presetFiles().exportPresetFile(path));
        return storage::readFile(path);
    }
};

TEST(PresetFileExport, HeaderWithBothOwnIrBlocks) {
    ExportHarness h(0, "First Cab", "Second Cab");
    h.openWindow();
    h.editor.setParameterFromUser(param::Level, 77);
    h.useIr(param::Ir7Mode, param::Ir7SlotHigh, param::Ir7SlotLow, 9);
    h.useIr(param::Ir8Mode, param::Ir8SlotHigh, param::Ir8SlotLow, 137);
    h.cache(9, dataFile("ir_first.dat"));
    h.cache(137, dataFile("ir_second.dat"));
    ASSERT_TRUE(h.editor.sound().ModifiedFlag);
    const Bytes file = h.exportTo("Night Tone.kvp");
    ASSERT_EQ(file.size(), 5134u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "VNXP");
    EXPECT_EQ(file[pf::MajorVersion], 1);
    EXPECT_EQ(file[pf::MinorVersion], 0);
    EXPECT_EQ(std::string(file.begin() + pf::Name, file.begin() + pf::Name + 32),
              "Night Tone" + std::string(22, ' '));
    for (int i = 0; i < NumPresetParams; ++i)
        EXPECT_EQ(file[pf::Params + static_cast<std::size_t>(i)], h.editor.intValue(i)) << i;
    for (std::size_t i = 112; i < 198; ++i) EXPECT_EQ(file[i], 0) << i;
    EXPECT_EQ(std::string(file.begin() + pf::Ir7Name, file.begin() + pf::Ir7Name + 9), "First Cab");
    EXPECT_EQ(std::string(file.begin() + pf::Ir8Name, file.begin() + pf::Ir8Name + 10),
              "Second Cab");
    EXPECT_EQ(Bytes(file.begin() + 262, file.begin() + 2698), dataFile("ir_first.dat"));
    EXPECT_EQ(Bytes(file.begin() + 2698, file.end()), dataFile("ir_second.dat"));
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_EQ(h.view.presetName, "Night Tone");
}

TEST(PresetFileExport, IrBlocksOnlyForOwnBanksWithCompleteSlotFiles) {
    struct Case {
        const char* what;
        int ir7;  // user IR number of position 7, -1 for cabinet mode
        int ir8;
        bool cache7;
        std::size_t cachedBytes;
        std::size_t size;
    };
    const Case cases[] = {
        {"position 7 off", -1, -1, true, 2436, 262},
        {"factory bank", 2 * 128 + 3, -1, true, 2436, 262},
        {"slot file missing", 9, -1, false, 2436, 262},
        {"slot file one byte short", 9, -1, true, 2435, 262},
        {"slot file one byte long", 9, -1, true, 2437, 262},
        {"own bank 1", 128 + 9, -1, true, 2436, 2698},
        {"7 missing, 8 present", 9, 200, false, 2436, 2698},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExportHarness h;
        h.useIr(param::Ir7Mode, param::Ir7SlotHigh, param::Ir7SlotLow, c.ir7);
        h.useIr(param::Ir8Mode, param::Ir8SlotHigh, param::Ir8SlotLow, c.ir8);
        Bytes first = dataFile("ir_first.dat");
        first.resize(c.cachedBytes, 0);
        if (c.cache7 && c.ir7 >= 0) h.cache(static_cast<unsigned>(c.ir7), first);
        if (c.ir8 >= 0) h.cache(static_cast<unsigned>(c.ir8), dataFile("ir_second.dat"));
        const Bytes file = h.exportTo("p.kvp");
        EXPECT_EQ(file.size(), c.size);
        if (c.size == 2698) {
            EXPECT_EQ(Bytes(file.begin() + 262, file.end()),
                      dataFile(c.ir8 >= 0 ? "ir_second.dat" : "ir_first.dat"));
        }
    }
}

TEST(PresetFileExport, IrNameWrittenOnlyWhenThePositionPlaysAUserIr) {
    ExportHarness h(0, "Kept Out", "Written");
    h.editor.setParameterFromUser(param::Ir8Mode, 1);
    const Bytes file = h.exportTo("names.kvp");
    EXPECT_EQ(std::string(file.begin() + pf::Ir7Name, file.begin() + pf::Ir7Name + 32),
              std::string(32, ' '));
    EXPECT_EQ(std::string(file.begin() + pf::Ir8Name, file.begin() + pf::Ir8Name + 32),
              "Written" + std::string(25, ' '));
}

TEST(PresetFileExport, LongBaseNameKeeps32CharactersInTheFileAndAllOnScreen) {
    ExportHarness h;
    h.openWindow();
    const std::string base = "A very long preset name.with dots beyond 32";
    const Bytes file = h.exportTo(base + ".kvp");
    EXPECT_EQ(std::string(file.begin() + pf::Name, file.begin() + pf::Name + 32),
              base.substr(0, 32));
    EXPECT_EQ(h.editor.sound().presetName, base);
}

TEST(PresetFileExport, UnwritableFileKeepsThePresetModifiedAndSaysSo) {
    ExportHarness h;
    h.openWindow();
    h.editor.setParameterFromUser(param::Level, 12);
    ASSERT_TRUE(h.editor.sound().ModifiedFlag);
    const auto path = h.dir.path() / "no such folder" / "p.kvp";
    EXPECT_FALSE(h.editor.presetFiles().exportPresetFile(path));
    EXPECT_TRUE(h.editor.sound().ModifiedFlag);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(h.platform.boxes.size(), 1u);
    EXPECT_NE(h.platform.boxes[0].text.find(path.string()), std::string::npos);
    EXPECT_NE(h.editor.sound().presetName, "p");
}

TEST(PresetFileExport, DialogNameFollowsTheLastPathAndBecomesIt) {
    ExportHarness h;
    h.openWindow();
    h.editor.renamePreset("Warm");
    h.platform.files.push_back((h.dir.path() / "first.kvp").string());
    h.editor.presetFiles().chooseAndExportPreset();
    ASSERT_EQ(h.platform.requests.size(), 1u);
    EXPECT_EQ(h.platform.requests[0].initialName, "Warm");
    EXPECT_EQ(h.platform.requests[0].extension, "kvp");
    EXPECT_TRUE(std::filesystem::exists(h.dir.path() / "first.kvp"));
    // The name field now reads "first"; the next dialog starts in the same folder.
    h.platform.files.push_back(std::nullopt);
    h.editor.presetFiles().chooseAndExportPreset();
    EXPECT_EQ(h.platform.requests[1].initialName, (h.dir.path() / "first").string());
}

// ---- round trip -------------------------------------------------------------------------------

// Exported from slot 9 with position 7 on the factory bank, imported into
// slot 30: the one block is position 8's and lands under 128 + 30.
TEST(PresetFileRoundTrip, FactoryPosition7AndOwnPosition8) {
    ExportHarness from(9);
    from.useIr(param::Ir7Mode, param::Ir7SlotHigh, param::Ir7SlotLow, 2 * 128 + 1);
    from.useIr(param::Ir8Mode, param::Ir8SlotHigh, param::Ir8SlotLow, 128 + 9);
    from.cache(128 + 9, dataFile("ir_second.dat"));
    from.cache(2 * 128 + 1, dataFile("ir_first.dat"));
    from.editor.setParameterFromUser(param::Gain, 99);
    const Bytes file = from.exportTo("round.kvp");
    ASSERT_EQ(file.size(), 2698u);

    EditorHarness to;
    offlineAt(to, 30);
    to.editor.presetFiles().importPresetFile(from.dir.path() / "round.kvp");
    EXPECT_EQ(to.editor.intValue(param::Gain), 99);
    EXPECT_EQ(to.editor.intValue(param::Ir7SlotHigh), 2);
    EXPECT_EQ(to.editor.intValue(param::Ir7SlotLow), 1);
    EXPECT_EQ(to.editor.intValue(param::Ir8SlotLow), 30);
    expectSameIr(irAt(to.editor, 158), "ir_second.dat");
    EXPECT_FALSE(std::filesystem::exists(to.editor.cache().folder().irFile(30)));
    EXPECT_FALSE(std::filesystem::exists(to.editor.cache().folder().irFile(257)));
}

}  // namespace
}  // namespace vornix::testing
