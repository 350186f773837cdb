#include <gtest/gtest.h>

#include "editor_harness.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::testing {
namespace {

using sysex::page::Checksums;

sysex::PresetRecord recordWithAmpRow(int model, const std::string& name) {
    sysex::PresetRecord rec = recordWith(10, name);
    for (int c = 0; c < VoicingColumns; ++c)
        rec[sysex::record::Params +
            static_cast<std::size_t>(AmpVoicingParams[static_cast<std::size_t>(c)])] =
            static_cast<std::uint8_t>(
                AmpVoicingTable[static_cast<std::size_t>(model)][static_cast<std::size_t>(c)]);
    return rec;
}

Bytes checksumPage(const std::map<int, sysex::Checksum>& differing) {
    std::array<std::uint8_t, 256> block{};
    for (const auto& [slot, sum] : differing) {
        block[2 * static_cast<std::size_t>(slot)] = sum.high;
        block[2 * static_cast<std::size_t>(slot) + 1] = sum.low;
    }
    return sysex::blockMessage(sysex::cmd::GlobalPage, Checksums, block);
}

TEST(CurrentPreset, AppliedWithTheWindowOpen) {
    EditorHarness h;
    h.openWindow();
    h.goOnline();
    h.sent.clear();
    sysex::PresetRecord rec = recordWithAmpRow(3, "Round Tone");
    rec[sysex::record::Params + 19] = 1;  // extension factor clamps to 2
    h.receivePreset(6, rec);
    EXPECT_TRUE(h.sent.empty()) << "nothing is echoed";
    EXPECT_FALSE(h.editor.sound().BulkUpdate);
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_EQ(h.editor.sound().currentPreset, 6);
    EXPECT_EQ(h.editor.intValue(param::Gain), AmpVoicingTable[3][0]);
    EXPECT_EQ(h.editor.intValue(19), 2);
    EXPECT_EQ(h.editor.sound().StoredValues[static_cast<std::size_t>(19)], 2);
    EXPECT_EQ(h.editor.sound().EditValues[static_cast<std::size_t>(param::Buzz)],
              AmpVoicingTable[3][1]);
    ASSERT_EQ(h.view.applied.size(), 1u);
    const AppliedPreset& applied = h.view.applied[0];
    EXPECT_EQ(applied.slot, 6);
    EXPECT_EQ(applied.displayNumber, 6);
    EXPECT_EQ(applied.name.substr(0, 10), "Round Tone");
    EXPECT_EQ(applied.ampModel, 3);
    EXPECT_EQ(applied.ir7Label,
              h.editor.userIrs().irNames().cabinetName(7));  // position 7 plays its cabinet
    EXPECT_EQ(h.editor.sound().presetName.substr(0, 10), "Round Tone");
    EXPECT_EQ(h.view.presetRows[6], " 06 Round Tone" + std::string(22, ' '));
    EXPECT_EQ(h.view.selectedSlot, 6);
}

TEST(CurrentPreset, PatchOffsetShiftsTheReadout) {
    EditorHarness h;
    h.openWindow();
    h.goOnline();
    h.receive(sysex::parameterChanged(param::PatchOffset, 1));
    h.receivePreset(5, recordWith(64, "X"));
    EXPECT_EQ(h.view.applied.back().displayNumber, 6);
    EXPECT_EQ(h.view.presetRows[5].substr(0, 4), " 06 ");
}

TEST(CurrentPreset, UnmatchedVoicingWithBuzz62IsModel12) {
    EditorHarness h;
    h.goOnline();
    sysex::PresetRecord rec = recordWith(10);
    rec[sysex::record::Params + param::Buzz] = 62;
    h.receivePreset(0, rec);
    ASSERT_EQ(h.events.applied.size(), 1u);
    EXPECT_EQ(h.events.applied[0].ampModel, 12);
    EXPECT_EQ(h.events.applied[0].ambienceType, 7);
}

// The window closed: nothing resets the flag but the preset itself.
TEST(CurrentPreset, APresetJustReceivedIsNotModified) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 64);
    h.editor.setParameterFromUser(param::Gain, 65);
    ASSERT_TRUE(h.editor.sound().ModifiedFlag);
    h.receivePreset(1, recordWith(30));
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_FALSE(h.events.modified);
}

// The values the editor holds after applying a preset are the stored sound,
// whether it clamped them or derived them from another: the list's scroll
// bar then leaves the readout lit, and a knob dims it until it is turned back.
TEST(CurrentPreset, ClampedAndDerivedValuesAreNoEdit) {
    struct Case {
        const char* what;
        int index;
        std::uint8_t value;
        int knob;
    };
    const Case cases[] = {
        {"extension factor below its range", 19, 1, param::Gain},
        {"auto filter level without its switch", param::AutoFilterLevel, 90, param::Gain},
        {"chorus level without its switch", param::ChorusLevel, 40, param::Drive},
        {"every byte at its highest", -1, 127, param::Drive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorHarness h;
        h.goOnlineWithPreset(0, 64);
        sysex::PresetRecord rec = recordWith(c.index < 0 ? c.value : 0);
        if (c.index >= 0) rec[sysex::record::Params + static_cast<std::size_t>(c.index)] = c.value;
        h.receivePreset(4, rec);
        for (int i = 0; i < NumPresetParams; ++i)
            ASSERT_EQ(h.editor.sound().StoredValues[static_cast<std::size_t>(i)],
                      h.editor.sound().EditValues[static_cast<std::size_t>(i)])
                << "parameter " << i;
        for (int scroll : {100, 97, 40}) h.editor.setParameterFromUser(param::Scroll, scroll);
        EXPECT_FALSE(h.editor.sound().ModifiedFlag);
        const int before = h.editor.intValue(c.knob);
        h.editor.setParameterFromUser(c.knob, before == 10 ? 11 : 10);
        EXPECT_TRUE(h.editor.sound().ModifiedFlag);
        h.editor.setParameterFromUser(c.knob, before);
        EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    }
}

TEST(CurrentPreset, BadChecksumMovesOnlyTheSelection) {
    EditorHarness h;
    h.openWindow();
    h.goOnlineWithPreset(0, 64);
    Bytes m = sysex::blockMessage(sysex::cmd::PresetDump, 9, recordWith(3));
    m[100] ^= 1;
    h.receive(m);
    EXPECT_EQ(h.editor.sound().currentPreset, 9);
    EXPECT_EQ(h.view.selectedSlot, 9);
    EXPECT_EQ(h.editor.intValue(param::Gain), 64);
    EXPECT_EQ(h.view.applied.size(), 1u) << "only the first preset was applied";
}

TEST(CurrentPreset, IgnoredWhileOffline) {
    EditorHarness h;
    h.receivePreset(9, recordWith(3));
    EXPECT_EQ(h.editor.sound().currentPreset, 0);
    EXPECT_EQ(h.editor.intValue(param::Gain), 64);
}

TEST(CurrentPreset, AfterAStoreTheSlotFileIsWritten) {
    EditorHarness h;
    h.goOnlineWithPreset(2);
    std::filesystem::create_directories(h.editor.cache().folder().presetsFolder());
    h.editor.storePreset(2);
    const auto rec = recordWith(33, "Stored");
    h.receivePreset(2, rec);
    EXPECT_EQ(storage::readFile(h.editor.cache().folder().presetSlotFile(2)),
              Bytes(rec.begin(), rec.end()));
    EXPECT_EQ(h.events.storedSlots, std::vector<int>{2});
    // Once: the next preset of that slot is the device's, not a store.
    h.receivePreset(2, recordWith(34, "Other"));
    EXPECT_EQ(h.events.storedSlots, std::vector<int>{2});
}

TEST(GlobalPages, PageZeroAppliesSettingsEndsTheTransferAndAsksForTheCurrentPreset) {
    EditorHarness h;
    h.goOnline();
    h.sent.clear();
    std::array<std::uint8_t, 256> block{};
    block[0] = 17;
    block[3] = 1;   // patch offset
    block[6] = 2;   // edit pot display mode: non-zero reads as 1
    block[8] = 20;  // tuner frequency
    block[12] = 50;
    block[17] = 1;
    h.receive(sysex::blockMessage(sysex::cmd::GlobalPage, 0, block));
    EXPECT_EQ(h.editor.intValue(param::PatchOffset), 1);
    EXPECT_EQ(h.editor.intValue(param::EditPotDisplayMode), 1);
    EXPECT_EQ(h.editor.intValue(param::TunerFrequency), 20);
    EXPECT_EQ(h.editor.intValue(param::AnalogSimGain), 50);
    EXPECT_EQ(h.editor.intValue(param::SafeLevel), 1);
    EXPECT_EQ(h.sentHex(),
              (std::vector<std::string>{"F0 00 51 21 05 5B 0A F7", "F0 00 51 21 05 40 0A 11 F7"}));
}

TEST(GlobalPages, PageOneReadsOneBasedProgramsAndPageWithBadChecksumIsIgnored) {
    EditorHarness h;
    h.goOnline();
    std::array<std::uint8_t, 256> block{};
    block[0] = 40;
    block[10] = 127;
    Bytes m = sysex::blockMessage(sysex::cmd::GlobalPage, 1, block);
    Bytes damaged = m;
    damaged[8] = 41;
    h.receive(damaged);
    EXPECT_EQ(h.editor.intValue(101), 0);
    h.receive(m);
    EXPECT_EQ(h.editor.intValue(101), 40);
    EXPECT_EQ(h.editor.intValue(param::ControllerProgram1), 127);
}

// The device's map, with the window open: the boxes show the entries of the
// controller programs they are on, in both numberings.
TEST(GlobalPages, TheProgramMapPageFillsTheMapAndTheBoxesShowIt) {
    EditorHarness h;
    h.goOnline();
    h.openWindow();
    h.editor.setParameterFromUser(param::ControllerProgram, 3);
    h.editor.setParameterFromUser(param::ControllerProgram1, 8);
    std::array<std::uint8_t, 256> block{};
    for (int i = 0; i < NumPresets; ++i) block[static_cast<std::size_t>(i)] = (i * 5) % 128;
    h.receive(sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::ProgramMap, block));
    for (int i = 0; i < NumPresets; ++i)
        ASSERT_EQ(h.editor.programMap()[static_cast<std::size_t>(i)], (i * 5) % 128) << i;
    EXPECT_EQ(h.editor.intValue(param::DeviceProgram), 15);
    EXPECT_EQ(h.editor.intValue(param::DeviceProgram1), 36);  // entry 7, counted from 1
}

TEST(GlobalPages, ChecksumPageEqualToTheCacheAsksForPageZero) {
    EditorHarness h;
    h.goOnline();
    h.sent.clear();
    h.receive(checksumPage({}));  // a fresh cache is all (0, 0)
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 00 F7"});
    EXPECT_FALSE(h.events.isActive(Transfer::BulkRead));
}

TEST(BulkRead, TwoPendingSlotsReadInOrderWithProgress) {
    EditorHarness h;
    h.openWindow();
    h.goOnline();
    std::filesystem::create_directories(h.editor.cache().folder().presetsFolder());
    const auto rec3 = recordWith(3, "Three");
    const auto rec7 = recordWith(7, "Seven");
    h.receive(
        checksumPage({{3, storage::recordChecksum(rec3)}, {7, storage::recordChecksum(rec7)}}));
    h.sent.clear();
    h.loop.advance(200);
    EXPECT_EQ(h.sentHex(),
              (std::vector<std::string>{"F0 00 51 21 05 5A 0A F7", "F0 00 51 21 05 40 0A 03 F7"}));
    EXPECT_TRUE(h.view.isActive(Transfer::BulkRead));
    h.sent.clear();
    h.receivePreset(3, rec3);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 40 0A 07 F7"});
    EXPECT_DOUBLE_EQ(h.view.progressOf(Transfer::BulkRead), 0.5);
    h.sent.clear();
    h.receivePreset(7, rec7);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 00 F7"});
    EXPECT_DOUBLE_EQ(h.view.progressOf(Transfer::BulkRead), 1.0);
    EXPECT_EQ(h.view.result(Transfer::BulkRead), 1);
    EXPECT_EQ(storage::readFile(h.editor.cache().folder().presetSlotFile(7)),
              Bytes(rec7.begin(), rec7.end()));
    EXPECT_EQ(h.view.presetRows[3].substr(0, 9), " 03 Three");
}

TEST(BulkRead, RequestsSlotAgainAfterBadChecksum) {
    EditorHarness h;
    h.goOnline();
    std::filesystem::create_directories(h.editor.cache().folder().presetsFolder());
    const auto rec = recordWith(3, "Three");
    h.receive(checksumPage({{3, storage::recordChecksum(rec)}}));
    h.loop.advance(200);
    h.sent.clear();
    Bytes damaged = sysex::blockMessage(sysex::cmd::PresetDump, 3, rec);
    damaged[50] ^= 2;
    h.receive(damaged);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 40 0A 03 F7"});
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().presetSlotFile(3)));
    EXPECT_TRUE(h.events.isActive(Transfer::BulkRead));
}

TEST(IrNamePages, FillRowsAndAskForTheRestOfTheBank) {
    EditorHarness h;
    h.openWindow();
    h.goOnline();
    h.sent.clear();
    std::array<std::uint8_t, 256> block;
    block.fill(' ');
    const auto name = sysex::padName("Fridge 4x10");
    std::copy(name.begin(), name.end(), block.begin() + 32);
    h.receive(sysex::blockMessage(sysex::cmd::IrNamePage, 5, block));
    EXPECT_EQ(h.view.userIrRows[8], "Empty Slot 9");
    EXPECT_EQ(h.view.userIrRows[9], "Fridge 4x10");
    EXPECT_EQ(h.view.userIrRows[15], "Empty Slot 16");
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 6A 0A 06 F7"});
    h.sent.clear();
    h.receive(sysex::blockMessage(sysex::cmd::IrNamePage, 7, block));
    EXPECT_TRUE(h.sent.empty());
}

TEST(ParameterMessages, LayerReportAndOutOfRangeIndex) {
    EditorHarness h;
    h.receive(sysex::parameterChanged(77, 1));
    EXPECT_TRUE(h.editor.sound().LayerB) << "kept with the window closed";
    h.openWindow();
    h.receive(sysex::parameterChanged(77, 0));
    EXPECT_FALSE(h.editor.sound().LayerB);
    h.receive(sysex::parameterChanged(77, 1));
    EXPECT_TRUE(h.view.layerB);
    // 127 is past the catalogue: nothing is applied, nothing is sent.
    h.receive(sysex::parameterChanged(127, 5));
    EXPECT_TRUE(h.sent.empty());
    // Parameter messages apply while offline as well.
    h.receive(sysex::parameterChanged(param::Drive, 12));
    EXPECT_EQ(h.editor.intValue(param::Drive), 12);
}

TEST(ShortMessages, DeviceCodeAtOffsetSixMeansParameterOnly) {
    EditorHarness h;
    h.receive(Bytes{0xF0, 0x00, 0x51, 0x21, 0x05, 0x57, 0x0A, 0xF7});
    h.loop.advance(100);
    EXPECT_FALSE(h.events.logged("factory reset finished"));
    h.receive(sysex::status(sysex::cmd::Completion));
    h.loop.advance(100);
    EXPECT_TRUE(h.events.logged("factory reset finished"));
}

TEST(ShortMessages, CompletionShowsSuccessAndAsksForPageZero) {
    EditorHarness h;
    h.openWindow();
    h.receive(sysex::status(sysex::cmd::Completion));
    h.loop.advance(100);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 00 F7"});
}

TEST(ShortMessages, IrErrorShowsErrorWithTheWindowOpen) {
    EditorHarness h;
    h.receive(sysex::status(sysex::cmd::IrError));
    EXPECT_TRUE(h.platform.boxes.empty());
    h.openWindow();
    h.receive(sysex::status(sysex::cmd::IrError));
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"ERROR!"});
}

TEST(ShortMessages, RestoreAnswersWithoutAnImportAreIgnored) {
    EditorHarness h;
    h.openWindow();
    for (std::uint8_t c : {0x71, 0x72, 0x73, 0x7D, 0x7E}) h.receive(sysex::status(c));
    EXPECT_TRUE(h.sent.empty());
    EXPECT_TRUE(h.platform.boxes.empty());
    h.loop.advance(100);
    EXPECT_TRUE(h.view.results.empty());
}

TEST(Dispatch, ForeignAndMalformedMessagesChangeNothing) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 64);
    Bytes otherFamily = sysex::blockMessage(sysex::cmd::PresetDump, 4, recordWith(1));
    otherFamily[sysex::at::Family] = 0x06;
    h.receive(otherFamily);
    Bytes high = sysex::blockMessage(sysex::cmd::PresetDump, 4, recordWith(1));
    high[40] = 0x90;
    h.receive(high);
    h.receive(Bytes{0xF0, 0xF7});
    h.receive(Bytes{});
    EXPECT_EQ(h.editor.sound().currentPreset, 0);
    EXPECT_EQ(h.editor.intValue(param::Gain), 64);
    EXPECT_TRUE(h.sent.empty());
}

TEST(TextMessage, TrimmedIntoTheDeviceText) {
    EditorHarness h;
    h.openWindow();
    h.receive(sysex::textMessage("Hello pedal"));
    EXPECT_EQ(h.editor.sound().deviceText, "Hello pedal");
    EXPECT_EQ(h.view.deviceText, "Hello pedal");
}

}  // namespace
}  // namespace vornix::testing
