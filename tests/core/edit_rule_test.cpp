#include <gtest/gtest.h>

#include "editor_harness.hpp"

namespace vornix::testing {
namespace {

using sysex::cmd::SetParameter;

// A knob turned there and back sends both values; index 16 goes out as device number 20.
TEST(EditRule, EveryChangeIsSentUnderItsDeviceNumber) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 64);
    h.editor.setParameterFromUser(param::Gain, 65);
    h.editor.setParameterFromUser(param::Gain, 64);
    h.editor.setParameterFromUser(16, 0);
    EXPECT_EQ(h.sentHex(), (std::vector<std::string>{"F0 00 51 21 05 50 0A 01 41 F7",
                                                     "F0 00 51 21 05 50 0A 01 40 F7",
                                                     "F0 00 51 21 05 50 0A 14 00 F7"}));
}

TEST(EditRule, ValueTheDeviceReportedIsNotSentBack) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 64);
    h.editor.setParameterFromUser(param::Drive, 64);
    h.receive(sysex::parameterChanged(param::Drive, 30));
    EXPECT_EQ(h.editor.intValue(param::Drive), 30);
    EXPECT_EQ(h.editor.sound().EditValues[static_cast<std::size_t>(param::Drive)], 30);
    h.editor.setParameterFromUser(param::Drive, 30);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_FALSE(h.editor.sound().BulkUpdate);
}

// The list, the settings and the pages are no part of the sound: an edit of
// the sound stays unsaved while they move, and they do not make one.
TEST(EditRule, ParametersOutsideTheSoundLeaveTheModifiedStateAlone) {
    const int outside[] = {param::Scroll, param::PatchOffset, param::GraphPanel,
                           param::EditPotDisplayMode};
    for (bool edited : {false, true}) {
        EditorHarness h;
        h.goOnlineWithPreset(0, 64);
        if (edited) h.editor.setParameterFromUser(param::Gain, 70);
        for (int index : outside) {
            SCOPED_TRACE(index);
            const int v = h.editor.intValue(index);
            h.editor.setParameterFromUser(index, v == 1 ? 2 : 1);
            EXPECT_EQ(h.editor.sound().ModifiedFlag, edited);
        }
    }
}

TEST(EditRule, BulkUpdateSendsNothingButEditValuesFollow) {
    EditorHarness h;
    h.goOnline();  // the editor starts in a bulk update, which nothing has ended yet
    h.sent.clear();
    ASSERT_TRUE(h.editor.sound().BulkUpdate);
    h.editor.setParameterFromUser(param::Buzz, 10);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.editor.sound().EditValues[static_cast<std::size_t>(param::Buzz)], 10);
    // Once released, the same value is not sent late.
    h.endBulkUpdate();
    ASSERT_FALSE(h.editor.sound().BulkUpdate);
    h.editor.setParameterFromUser(param::Buzz, 10);
    EXPECT_TRUE(h.sent.empty());
}

TEST(EditRule, OfflineEditsAreNeitherSentNorRecorded) {
    EditorHarness h;
    h.endBulkUpdate();
    h.editor.setParameterFromUser(param::Gain, 100);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.editor.sound().EditValues[static_cast<std::size_t>(param::Gain)], 0);
    h.editor.selectPreset(3);
    h.editor.storePreset(3);
    EXPECT_TRUE(h.sent.empty());
}

TEST(EditRule, UserIrSlotHalvesAreSentEvenWhenUnchanged) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 0);
    for (int index : {53, 54, 55, 56}) {
        h.editor.setParameterFromUser(index, 0);
        h.editor.setParameterFromUser(index, 0);
    }
    EXPECT_EQ(h.sentWith(SetParameter).size(), 8u);
}

TEST(EditRule, UserIrForPosition8WithPreset72GoesOutInTwoHalves) {
    EditorHarness h;
    h.goOnlineWithPreset(72, 0);
    const int n = h.editor.sound().currentPreset + 128;
    ASSERT_EQ(n, 200);
    h.editor.userIrs().assignUserIr(UserIrTarget::Ir8, n);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 50 0A 3B 01 F7"});
    h.sent.clear();
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 50 0A 3C 48 F7"});
    EXPECT_EQ(h.events.assigned, (std::vector<std::pair<int, unsigned>>{{8, 200u}}));
    // A second acknowledgement sends nothing more.
    h.sent.clear();
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    EXPECT_TRUE(h.sent.empty());
}

TEST(EditRule, GlobalSettingsGoOutAsPageZeroOnlyWithTheWindowOpen) {
    EditorHarness h;
    h.goOnlineWithPreset(5);
    h.editor.setParameterFromUser(param::PatchOffset, 1);
    EXPECT_TRUE(h.sent.empty()) << "window closed";

    h.openWindow();
    h.editor.setParameterFromUser(param::EditPotDisplayMode, 1);
    EXPECT_TRUE(h.sent.empty()) << "parameter 94 never writes the page";
    h.editor.setParameterFromUser(param::PatchOffset, 0);
    const auto pages = h.sentWith(sysex::cmd::GlobalPage);
    ASSERT_EQ(pages.size(), 1u);
    const auto parsed = sysex::parseBlockMessage(pages[0]);
    ASSERT_EQ(parsed.error, sysex::ParseError::None);
    EXPECT_TRUE(parsed.view.checksumOk);
    EXPECT_EQ(parsed.view.number, 0);
    EXPECT_EQ(parsed.view.block[0], 5);   // the current preset
    EXPECT_EQ(parsed.view.block[6], 2);   // edit pot mode written as a constant
    EXPECT_EQ(parsed.view.block[8], 12);  // tuner frequency default
}

TEST(EditRule, GlobalSettingsAreWrittenOfflineToo) {
    EditorHarness h;
    h.openWindow();
    h.endBulkUpdate();
    h.editor.setParameterFromUser(param::SafeLevel, 1);
    ASSERT_EQ(h.sentWith(sysex::cmd::GlobalPage).size(), 1u);
    EXPECT_EQ(sysex::parseBlockMessage(h.sent[0].bytes).view.block[17], 1);
}

TEST(EditRule, StoreAndSelectWhileOnline) {
    EditorHarness h;
    h.goOnlineWithPreset();
    h.editor.selectPreset(9);
    h.editor.storePreset(9);
    h.editor.faceplate().press(FaceSwitch::LayerB);
    EXPECT_EQ(h.sentHex(), (std::vector<std::string>{"F0 00 51 21 05 23 0A 09 F7",
                                                     "F0 00 51 21 05 50 0A 12 09 F7",
                                                     "F0 00 51 21 05 50 0A 13 01 F7"}));
}

TEST(EditRule, SendPresetBuildsTheRecordFromEditValues) {
    EditorHarness h;
    h.goOnlineWithPreset(4, 20);
    h.editor.setParameterFromUser(param::Level, 99);
    h.sent.clear();
    h.editor.sendPreset();
    ASSERT_EQ(h.sent.size(), 1u);
    const auto parsed = sysex::parseBlockMessage(h.sent[0].bytes);
    EXPECT_EQ(parsed.view.command, sysex::cmd::EditBuffer);
    EXPECT_EQ(parsed.view.number, 4);
    EXPECT_TRUE(parsed.view.checksumOk);
    EXPECT_EQ(parsed.view.block[0], 1);
    EXPECT_EQ(parsed.view.block[34], 99);
    EXPECT_EQ(parsed.view.block[35], 20);
    EXPECT_EQ(std::string(parsed.view.block.begin() + 2, parsed.view.block.begin() + 6), "Test");
}

TEST(EditRule, EditorClosingTellsTheDeviceOnlyWhenOnline) {
    EditorHarness h;
    h.openWindow();
    h.editor.uiClosed();
    EXPECT_TRUE(h.sent.empty());
    h.openWindow();
    h.goOnlineWithPreset();
    h.editor.uiClosed();
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 5F 0A F7"});
    EXPECT_FALSE(h.editor.link().windowOpen());
}

}  // namespace
}  // namespace vornix::testing
