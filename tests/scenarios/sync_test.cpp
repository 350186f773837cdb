#include <gtest/gtest.h>

#include "scenario.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::testing {
namespace {

using sysex::Bytes;

void expectCurrentSoundIsThePedals(const Scenario& s) {
    const auto& rec = s.pedal.preset(s.pedal.currentPreset());
    EXPECT_EQ(s.editor->sound().currentPreset, s.pedal.currentPreset());
    for (int i = 0; i < NumPresetParams; ++i) {
        const iplug::IParam& p = *s.editor->param(i);
        const int expected =
            static_cast<int>(p.constrain(rec[sysex::record::Params + static_cast<std::size_t>(i)]));
        EXPECT_EQ(s.editor->intValue(i), expected) << "parameter " << i;
        // Stored as the editor holds it, clamped or derived: no edit of the user's.
        EXPECT_EQ(s.editor->sound().StoredValues[static_cast<std::size_t>(i)],
                  s.editor->sound().EditValues[static_cast<std::size_t>(i)])
            << "parameter " << i;
    }
    EXPECT_FALSE(s.editor->sound().ModifiedFlag);
}

TEST(FirstStart, GoesOnlineAndFillsTheWholeCache) {
    Scenario s;
    s.loop.advance(3299);
    EXPECT_FALSE(s.editor->connection().online());
    ASSERT_TRUE(s.runUntilSynced());
    EXPECT_EQ(s.sentCount(sysex::cmd::BeginTransfer), 1u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 129u);  // 128 slots, then the current preset
    expectCacheMatchesPedal(s);
    expectCurrentSoundIsThePedals(s);
    EXPECT_EQ(s.editor->cache().rows()[1].substr(0, 4), " 01 ");
    // PATCH OFFSET counts the rows from 1.
    s.editor->setParameterFromUser(param::PatchOffset, 1);
    EXPECT_EQ(s.editor->cache().rows()[1].substr(0, 4), " 02 ");
    EXPECT_EQ(s.editor->cache().rows()[127].substr(0, 5), " 128 ");
}

TEST(SecondStart, FetchesNothingButTheCurrentPreset) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.loop.advance(1000);
    s.start();
    ASSERT_TRUE(s.runUntilSynced());
    EXPECT_EQ(s.sentCount(sysex::cmd::BeginTransfer), 0u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 1u);
    expectCurrentSoundIsThePedals(s);
}

TEST(SecondStart, FetchesOnlyTheSlotThatChanged) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    auto rec = s.pedal.preset(40);
    rec[sysex::record::Params] = static_cast<std::uint8_t>((rec[sysex::record::Params] + 1) & 0x7F);
    s.pedal.setPreset(40, rec);
    s.start();
    ASSERT_TRUE(s.runUntilSynced());
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 2u);
    expectCacheMatchesPedal(s);
}

TEST(Edits, KnobSendsOneMessageAndDeviceChangesAreNotEchoed) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.loop.advance(500);
    s.port.sent.clear();
    const int gain = s.editor->intValue(param::Gain);
    s.editor->setParameterFromUser(param::Gain, gain == 100 ? 101 : 100);
    s.loop.advance(500);
    ASSERT_EQ(s.port.sent.size(), 1u);
    EXPECT_EQ(s.port.sent[0].bytes[sysex::at::Command], sysex::cmd::SetParameter);
    EXPECT_EQ(s.pedal.editBuffer()[sysex::record::Params + param::Gain], gain == 100 ? 101 : 100);
    s.port.sent.clear();
    s.editor->sysExReceived(sysex::parameterChanged(param::Drive, 33));
    s.loop.advance(500);
    EXPECT_EQ(s.editor->intValue(param::Drive), 33);
    EXPECT_TRUE(s.port.sent.empty());
}

TEST(Edits, SelectingAPresetAppliesTheDevicesAnswer) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.editor->selectPreset(17);
    s.loop.advance(200);
    EXPECT_EQ(s.pedal.currentPreset(), 17);
    expectCurrentSoundIsThePedals(s);
}

TEST(Reconnect, DuringASyncRestartsAndEndsWithTheRightCache) {
    Scenario s(50);  // each reply takes 50 ms, so the read spans several seconds
    s.loop.advance(3300 + 2000);
    ASSERT_TRUE(s.events.isActive(Transfer::BulkRead));
    s.editor->reconnect();
    const std::size_t requestsAtReconnect = s.sentCount(sysex::cmd::RequestPreset);
    s.loop.advance(3000);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), requestsAtReconnect)
        << "replies offline are ignored";
    EXPECT_FALSE(s.editor->connection().online());
    ASSERT_TRUE(s.runUntilSynced(30000));
    expectCacheMatchesPedal(s);
}

}  // namespace
}  // namespace vornix::testing
