// A/B against the simulated pedal: what each switch sends, what the pedal
// then plays, and that the edit comes out of any number of switches as it
// went in.
#include <gtest/gtest.h>

#include "core/preset_sources.hpp"
#include "scenario.hpp"

namespace vornix::testing {
namespace {

using Record = std::array<std::uint8_t, 256>;

std::array<int, NumPresetParams> paramsOf(const Record& record) {
    std::array<int, NumPresetParams> values{};
    for (int i = 0; i < NumPresetParams; ++i)
        values[static_cast<std::size_t>(i)] = record[sysex::record::paramByte(i)];
    return values;
}

std::string differing(const std::array<int, NumPresetParams>& a,
                      const std::array<int, NumPresetParams>& b) {
    std::string text;
    for (int i = 0; i < NumPresetParams; ++i)
        if (a[i] != b[i])
            text +=
                " " + std::to_string(i) + ": " + std::to_string(a[i]) + "/" + std::to_string(b[i]);
    return text;
}

std::array<int, NumPresetParams> editOf(const VornixControl& editor) {
    std::array<int, NumPresetParams> values{};
    // As the editor sends it: a switch derived from its level included.
    std::copy_n(editor.sound().EditValues.begin(), NumPresetParams, values.begin());
    return values;
}

// Online and in step, with Drive and Level turned away from the stored preset.
struct Edited : Scenario {
    Edited() {
        EXPECT_TRUE(runUntilSynced());
        slot = editor->sound().currentPreset;
        stored = pedal.preset(slot);
        editor->setParameterFromUser(param::Drive,
                                     (stored[sysex::record::paramByte(param::Drive)] + 40) % 128);
        editor->setParameterFromUser(param::Level,
                                     (stored[sysex::record::paramByte(param::Level)] + 7) % 128);
        loop.advance(100);
        port.sent.clear();
    }
    int slot = 0;
    Record stored{};
};

TEST(CompareWithStored, FiftySwitchesSendOnlyWholePresetsAndLeaveTheEditAsItWas) {
    Edited s;
    const auto editBefore = s.editor->sound().EditValues;
    const std::string nameBefore = s.editor->sound().presetName;
    ASSERT_TRUE(s.editor->sound().ModifiedFlag);
    std::array<Record, NumPresets> presetsBefore{};
    for (int i = 0; i < NumPresets; ++i) presetsBefore[i] = s.pedal.preset(i);

    for (int i = 1; i <= 50; ++i) {
        ASSERT_TRUE(s.editor->toggleComparison());
        s.loop.advance(20);
        const bool inB = i % 2 == 1;
        ASSERT_EQ(s.editor->comparison().playingB(), inB) << "switch " << i;
        const auto expected = inB ? paramsOf(s.stored) : editOf(*s.editor);
        EXPECT_EQ(paramsOf(s.pedal.editBuffer()), expected)
            << "switch " << i << differing(paramsOf(s.pedal.editBuffer()), expected);
    }
    EXPECT_EQ(s.sentCount(sysex::cmd::EditBuffer), 50u);
    EXPECT_EQ(s.sentCount(sysex::cmd::SetParameter), 0u) << "no parameter message, no store";
    EXPECT_EQ(s.editor->sound().EditValues, editBefore);
    EXPECT_EQ(s.editor->sound().presetName, nameBefore);
    EXPECT_TRUE(s.editor->sound().ModifiedFlag);
    for (int i = 0; i < NumPresets; ++i) EXPECT_EQ(s.pedal.preset(i), presetsBefore[i]) << i;
}

TEST(CompareWithStored, AGestureWhileBPlaysSendsTheEditFirst) {
    Edited s;
    s.editor->toggleComparison();
    s.loop.advance(20);
    s.port.sent.clear();
    s.editor->setParameterFromUser(param::Gain, 99);
    s.loop.advance(20);
    ASSERT_EQ(s.port.sent.size(), 2u);
    EXPECT_EQ(commandKey(s.port.sent[0].bytes), sysex::cmd::EditBuffer);
    EXPECT_EQ(commandKey(s.port.sent[1].bytes), sysex::cmd::SetParameter);
    EXPECT_FALSE(s.editor->comparison().playingB());
    EXPECT_EQ(paramsOf(s.pedal.editBuffer()), editOf(*s.editor));
}

TEST(CompareWithStored, AStoreWhileBPlaysStoresTheEdit) {
    Edited s;
    s.editor->toggleComparison();
    s.loop.advance(20);
    s.editor->storePreset(s.slot);
    s.loop.advance(500);
    EXPECT_EQ(paramsOf(s.pedal.preset(s.slot)), editOf(*s.editor));
    EXPECT_FALSE(s.editor->comparison().chosen());
}

TEST(CompareWithStored, ARecallOrLosingTheDeviceEndsTheComparison) {
    Edited s;
    s.editor->toggleComparison();
    s.loop.advance(20);
    s.port.sent.clear();
    s.editor->selectPreset(7);
    s.loop.advance(500);
    EXPECT_EQ(s.sentCount(sysex::cmd::EditBuffer), 0u) << "the recalled preset replaces both";
    EXPECT_FALSE(s.editor->comparison().chosen());

    s.editor->toggleComparison();
    ASSERT_TRUE(s.editor->comparison().playingB());
    s.editor->link().events().emit(&LinkEvents::onlineChanged, false);
    EXPECT_FALSE(s.editor->comparison().chosen());
    EXPECT_EQ(s.editor->comparison().buttonText(), "COMPARE");
}

TEST(CompareWith, ASlotOrABankSlotPlaysAsBAndIsNamedOnTheButton) {
    Edited s;
    ASSERT_TRUE(s.editor->compareWith(slotSource(12)));
    s.loop.advance(20);
    EXPECT_EQ(s.editor->comparison().buttonText(), "B: SLOT 12");
    EXPECT_EQ(paramsOf(s.pedal.editBuffer()), paramsOf(s.pedal.preset(12)));
    s.editor->toggleComparison();
    s.loop.advance(20);
    EXPECT_EQ(paramsOf(s.pedal.editBuffer()), editOf(*s.editor));

    ASSERT_TRUE(s.editor->compareWith(bankSlotSource(testDataPath("banks/whole_bank.kvb"), 1)));
    EXPECT_EQ(s.editor->comparison().buttonText(), "B: FILE");
    EXPECT_FALSE(s.editor->compareWith(editSource()));
    EXPECT_FALSE(s.editor->compareWith(presetFileSource(testDataPath("presets/short.kvp"))));
}

// The list the Differences window and `vornixctl diff` show names exactly the
// parameters whose bytes differ.
TEST(PresetDifferences, EveryPairOfThePedalsPresetsListsExactlyTheBytesThatDiffer) {
    Scenario s;
    std::vector<PresetSnapshot> presets;
    for (int slot = 0; slot < NumPresets; ++slot)
        presets.push_back(snapshotOfRecord(s.pedal.preset(slot)));
    for (int a = 0; a < NumPresets; ++a)
        for (int b = 0; b < NumPresets; ++b) {
            if (a == b) continue;
            std::vector<int> expected;
            for (int i = 0; i < NumPresetParams; ++i)
                if (presets[a].values[i] != presets[b].values[i]) expected.push_back(i);
            std::vector<int> listed;
            for (const DifferenceRow& row : presetDifferences(presets[a], presets[b]).rows) {
                listed.push_back(row.index);
                EXPECT_EQ(row.rawA, presets[a].values[row.index]);
                EXPECT_EQ(row.rawB, presets[b].values[row.index]);
            }
            std::sort(listed.begin(), listed.end());
            ASSERT_EQ(listed, expected) << "slots " << a << " and " << b;
        }
}

}  // namespace
}  // namespace vornix::testing
