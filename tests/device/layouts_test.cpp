#include <gtest/gtest.h>

#include "device/global_pages.hpp"
#include "device/preset_record.hpp"

namespace vornix::sysex {
namespace {

TEST(DeviceNumbers, IndexThenIndexPlusFourAndBack) {
    const std::pair<int, int> known[] = {{0, 0}, {15, 15}, {16, 20}, {53, 57}, {55, 59}, {73, 77}};
    for (const auto& [index, number] : known) {
        EXPECT_EQ(deviceNumber(index), number) << index;
        EXPECT_EQ(parameterOfDeviceNumber(number), index) << number;
    }
    // Numbers 16-19 are commands, never parameters, and nothing past 77 is one.
    for (int number : {16, 17, 18, 19, 78, 127}) EXPECT_EQ(parameterOfDeviceNumber(number), -1);
    for (int index = 0; index < NumPresetParams; ++index)
        EXPECT_EQ(parameterOfDeviceNumber(deviceNumber(index)), index);
}

TEST(RecordIrNumbers, OnlyForPositionsInUse) {
    PresetRecord rec{};
    rec[record::Ir7Bank] = 1;
    rec[record::Ir7Number] = 72;
    EXPECT_EQ(recordIrNumber(rec, 7), -1);  // mode byte 0: the number is not in use
    rec[record::Ir7Mode] = 1;
    EXPECT_EQ(recordIrNumber(rec, 7), 200);
    rec[record::Ir8Mode] = 1;
    rec[record::Ir8Bank] = 2;
    rec[record::Ir8Number] = 5;
    EXPECT_EQ(recordIrNumber(rec, 8), 261);
    EXPECT_EQ(recordIrNumber(std::span(rec).first(100), 8), -1);  // too short to hold one
}

TEST(SettingsPage, LayoutAndTheEditPotRule) {
    const PageBlock block = buildSettingsPage(42, [](int parameter) { return parameter - 80; });
    EXPECT_EQ(block[0], 42);
    EXPECT_EQ(block[1], 9);               // DEFINE MIDI MAPPING (89)
    EXPECT_EQ(block[3], 11);              // PATCH OFFSET (91)
    EXPECT_EQ(block[6], 2);               // the edit pot display mode always goes out as 2
    EXPECT_EQ(block[10], 18);             // TUNER DETUNE (98)
    EXPECT_EQ(block[11], 33 - 80 + 256);  // SOFT CLIPPING: the low 8 bits of what it holds
    EXPECT_EQ(block[16], 19);             // CABINET BYPASS (99)
    EXPECT_EQ(block[17], 20);             // SAFE LEVEL (100)
    EXPECT_EQ(block[14], 0);
    EXPECT_EQ(block[15], 0);
    // Reading it back: any nonzero edit pot mode is the parameter's 1.
    const PageField editPot{param::EditPotDisplayMode, 6};
    EXPECT_EQ(fieldValue(block, editPot), 1);
    EXPECT_EQ(fieldValue(PageBlock{}, editPot), 0);
    EXPECT_EQ(pageByteOf(SettingsPageFields, param::TunerFrequency), 8);
    EXPECT_EQ(pageByteOf(SettingsPageFields, param::Level), -1);
}

TEST(MidiAssignPage, EditorWritesOnlyTheControllers) {
    const PageBlock block = buildMidiAssignPage([](int parameter) { return parameter; });
    for (int i = 0; i < 8; ++i) EXPECT_EQ(block[static_cast<std::size_t>(i)], 101 + i);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(block[static_cast<std::size_t>(i)], 0);
    EXPECT_EQ(midiAssignField(15).parameter, param::LastMidiPage);
}

TEST(ChecksumPage, HighThenLowPerSlot) {
    PresetChecksums sums{};
    sums[0] = {1, 2};
    sums[127] = {0x7F, 0x40};
    const PageBlock block = buildChecksumPage(sums);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[1], 2);
    EXPECT_EQ(block[254], 0x7F);
    EXPECT_EQ(block[255], 0x40);
    EXPECT_EQ(readChecksumPage(block), sums);
}

TEST(Identification, VersionAndSerialFromTheReply) {
    const Bytes reply = identificationReply(109, "VX1-7");
    const BlockParse parsed = parseBlockMessage(reply);
    ASSERT_EQ(parsed.error, ParseError::None);
    const Identification id = readIdentification(parsed.view);
    EXPECT_EQ(id.versionTimesTen, 109);
    EXPECT_EQ(id.major(), 10);
    EXPECT_DOUBLE_EQ(id.version(), 10.9);
    // The serial is padded with spaces on the wire and kept as sent.
    EXPECT_EQ(id.serial, "VX1-7" + std::string(27, ' '));
}

TEST(ParameterChanged, IndexAndValueOfTheTenByteMessage) {
    const auto report = parseParameterChanged(parameterChanged(77, 1));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->index, 77);
    EXPECT_EQ(report->value, 1);
    Bytes longer = parameterChanged(5, 6);
    longer.insert(longer.end() - 1, 0);
    EXPECT_FALSE(parseParameterChanged(longer));
}

}  // namespace
}  // namespace vornix::sysex
