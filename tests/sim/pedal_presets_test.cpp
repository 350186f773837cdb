// Identification, presets, the edit buffer, parameters, global pages, resets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pedal_harness.hpp"
#include "sim/factory_content.hpp"

namespace vornix::sim::testing {
namespace {

using namespace sysex;

// One 267-byte reply, copied out of the message it came in.
struct BlockReply {
    std::uint8_t command = 0;
    std::uint8_t deviceByte = 0;
    std::uint8_t number = 0;
    PresetRecord block{};
};

BlockReply onlyBlock(const std::vector<Bytes>& replies, std::uint8_t command) {
    EXPECT_EQ(replies.size(), 1u);
    if (replies.size() != 1) return {};
    const BlockParse parsed = parseBlockMessage(replies[0]);
    EXPECT_EQ(parsed.error, ParseError::None);
    EXPECT_EQ(parsed.view.command, command);
    EXPECT_TRUE(parsed.view.checksumOk);
    BlockReply out{parsed.view.command, parsed.view.deviceByte, parsed.view.number, {}};
    std::copy(parsed.view.block.begin(), parsed.view.block.end(), out.block.begin());
    return out;
}

std::string presetName(const PresetRecord& rec) {
    return trimDeviceName(ByteSpan(rec).subspan(record::Name, NameBytes));
}

TEST(PedalIdentification, RepliesWithVersionSerialAndChecksum) {
    PedalHarness h({42, "VX1-123456"});
    const auto replies = h.send(requestPage(page::Identify));
    const BlockReply view = onlyBlock(replies, cmd::GlobalPage);
    EXPECT_EQ(replies[0].size(), BlockMessageSize);
    EXPECT_EQ(view.number, page::Identify);
    EXPECT_EQ(view.deviceByte, 42);
    EXPECT_EQ(trimDeviceName(ByteSpan(view.block).subspan(SerialOffsetInBlock, NameBytes)),
              "VX1-123456");
}

TEST(PedalGlobalPages, ChecksumPageMatchesEveryStoredRecord) {
    PedalHarness h;
    PresetRecord odd{};
    odd.fill(127);  // sums past 0x3FFF: only 14 bits travel
    h.pedal.setPreset(5, odd);
    const BlockReply view = onlyBlock(h.send(requestPage(page::Checksums)), cmd::GlobalPage);
    ASSERT_EQ(view.number, page::Checksums);
    for (int slot = 0; slot < NumPresets; ++slot) {
        const Checksum expected = checksumOf(h.pedal.preset(slot));
        EXPECT_EQ(view.block[2 * slot], expected.high) << slot;
        EXPECT_EQ(view.block[2 * slot + 1], expected.low) << slot;
    }
    EXPECT_EQ(view.block[10], 0x7E);
    EXPECT_EQ(view.block[11], 0x00);
}

TEST(PedalGlobalPages, SettingsPageReportsCurrentPresetAndWritesDoNotSelect) {
    PedalHarness h;
    h.send(selectPreset(9));
    BlockReply view = onlyBlock(h.send(requestPage(page::Settings)), cmd::GlobalPage);
    EXPECT_EQ(view.block[0], 9);
    EXPECT_EQ(view.block[6], 2);
    EXPECT_EQ(view.block[8], 12);

    PageBlock written = h.pedal.globalPage(page::Settings);
    written[0] = 44;
    written[8] = 20;
    EXPECT_TRUE(h.send(blockMessage(cmd::GlobalPage, page::Settings, written)).empty());
    EXPECT_EQ(h.pedal.currentPreset(), 9);
    view = onlyBlock(h.send(requestPage(page::Settings)), cmd::GlobalPage);
    EXPECT_EQ(view.block[0], 9);
    EXPECT_EQ(view.block[8], 20);
}

TEST(PedalGlobalPages, WriteWithBadChecksumIsIgnored) {
    PedalHarness h;
    PageBlock map = h.pedal.globalPage(page::ProgramMap);
    map[3] = 99;
    Bytes message = blockMessage(cmd::GlobalPage, page::ProgramMap, map);
    message[at::BlockChecksum + 1] ^= 1;
    h.send(message);
    EXPECT_EQ(h.pedal.globalPage(page::ProgramMap)[3], 3);
    message[at::BlockChecksum + 1] ^= 1;
    h.send(message);
    EXPECT_EQ(h.pedal.globalPage(page::ProgramMap)[3], 99);
}

TEST(PedalGlobalPages, AssignmentWriteKeepsTheDevicesOwnBytes) {
    PedalHarness h;
    const PageBlock before = h.pedal.globalPage(page::MidiAssign);
    ASSERT_EQ(before[12], 1);  // jack 2 mode, reported by the device only
    PageBlock fromEditor{};
    fromEditor[0] = 33;  // the editor sends zeros in bytes 8-15
    h.send(blockMessage(cmd::GlobalPage, page::MidiAssign, fromEditor));
    const PageBlock after = h.pedal.globalPage(page::MidiAssign);
    EXPECT_EQ(after[0], 33);
    EXPECT_EQ(after[12], 1);
}

TEST(PedalPresets, RequestAnswersStoredRecordWithDeviceCode) {
    PedalHarness h;
    const BlockReply view = onlyBlock(h.send(requestPreset(77)), cmd::PresetDump);
    EXPECT_EQ(view.number, 77);
    EXPECT_EQ(view.deviceByte, DeviceCode);
    EXPECT_EQ(view.block, h.pedal.preset(77));
}

TEST(PedalPresets, SelectMakesPresetCurrentAndLoadsEditBuffer) {
    PedalHarness h;
    const BlockReply view = onlyBlock(h.send(selectPreset(12)), cmd::PresetDump);
    EXPECT_EQ(view.number, 12);
    EXPECT_EQ(h.pedal.currentPreset(), 12);
    EXPECT_EQ(h.pedal.editBuffer(), h.pedal.preset(12));
}

TEST(PedalPresets, EditThenStoreRoundTripsThroughAnotherSlot) {
    PedalHarness h;
    h.send(selectPreset(3));
    EXPECT_TRUE(h.send(setParameter(1, 100)).empty());    // Gain
    EXPECT_TRUE(h.send(setParameter(20, 5)).empty());     // device 20 is parameter 16
    EXPECT_NE(parameterByte(h.pedal.preset(3), 1), 100);  // stored only by the store command
    const auto storeReplies = h.send(storePreset(40));
    const BlockReply view = onlyBlock(storeReplies, cmd::PresetDump);
    EXPECT_EQ(view.number, 40);
    EXPECT_EQ(h.pedal.currentPreset(), 40);
    const PresetRecord stored = view.block;
    EXPECT_EQ(stored, h.pedal.preset(40));
    EXPECT_EQ(parameterByte(stored, 1), 100);
    EXPECT_EQ(parameterByte(stored, 16), 5);
    EXPECT_EQ(presetName(stored), presetName(h.pedal.preset(3)));
    EXPECT_EQ(h.send(requestPreset(40)), storeReplies);
}

TEST(PedalPresets, ParameterValuesAreClampedToTheirRange) {
    PedalHarness h;
    h.send(setParameter(23, 1));  // parameter 19 runs 2..5
    h.send(setParameter(44, 9));  // parameter 40 is a switch
    EXPECT_EQ(parameterByte(h.pedal.editBuffer(), 19), 2);
    EXPECT_EQ(parameterByte(h.pedal.editBuffer(), 40), 1);
}

TEST(PedalPresets, DeviceNumbersWithoutParameterChangeNothing) {
    PedalHarness h;
    const PresetRecord before = h.pedal.editBuffer();
    for (std::uint8_t d : {16, 17, 78, 127})
        EXPECT_TRUE(h.send(setParameter(d, 1)).empty()) << int(d);
    EXPECT_EQ(h.pedal.editBuffer(), before);
}

TEST(PedalPresets, HighHalfOfUserIrNumberIsAcknowledged) {
    PedalHarness h;
    for (std::uint8_t d : {57, 59}) {
        const auto replies = h.send(setParameter(d, 1));
        ASSERT_EQ(replies.size(), 1u) << int(d);
        EXPECT_EQ(replies[0], status(cmd::ParameterAck));
        EXPECT_NE(replies[0][at::Device], DeviceCode);
    }
    EXPECT_EQ(parameterByte(h.pedal.editBuffer(), 53), 1);
    EXPECT_EQ(parameterByte(h.pedal.editBuffer(), 55), 1);
    EXPECT_TRUE(h.send(setParameter(58, 72)).empty());  // the low half needs no answer
    EXPECT_EQ(parameterByte(h.pedal.editBuffer(), 54), 72);
}

TEST(PedalPresets, LayerSwitchIsEchoedUnderIndex77) {
    PedalHarness h;
    EXPECT_EQ(h.send(switchLayer(true)), std::vector<Bytes>{parameterChanged(77, 1)});
    EXPECT_TRUE(h.pedal.layerB());
    EXPECT_EQ(h.send(switchLayer(false)), std::vector<Bytes>{parameterChanged(77, 0)});
    EXPECT_FALSE(h.pedal.layerB());
}

TEST(PedalPresets, EditBufferIsReplacedOnlyWithAGoodChecksum) {
    PedalHarness h;
    PresetRecord sound = h.pedal.preset(0);
    sound[record::Name] = 'Z';
    Bytes message = blockMessage(cmd::EditBuffer, 0, sound);
    message[at::BlockChecksum] ^= 1;
    EXPECT_TRUE(h.send(message).empty());
    EXPECT_NE(h.pedal.editBuffer(), sound);
    message[at::BlockChecksum] ^= 1;
    EXPECT_TRUE(h.send(message).empty());
    EXPECT_EQ(h.pedal.editBuffer(), sound);
    EXPECT_NE(h.pedal.preset(0), sound);  // nothing stored until the store command
}

TEST(PedalReset, EachTargetRestoresItsPartAndReportsCompletion) {
    struct Case {
        std::uint8_t target;
        bool presetsBack;
        bool settingsBack;
    };
    for (const Case c : {Case{reset::All, true, true}, Case{reset::Presets, true, false},
                         Case{reset::Settings, false, true}}) {
        PedalHarness h;
        const PresetRecord factory = h.pedal.preset(2);
        h.send(selectPreset(2));
        h.send(setParameter(0, 1));
        h.send(storePreset(2));
        PageBlock settings = h.pedal.globalPage(page::Settings);
        settings[8] = 3;
        h.send(blockMessage(cmd::GlobalPage, page::Settings, settings));
        h.pedal.setIr(100, sampleIrFile("Mine", 1));

        EXPECT_EQ(h.send(factoryReset(c.target)), std::vector<Bytes>{status(cmd::Completion)});
        EXPECT_EQ(h.pedal.preset(2) == factory, c.presetsBack) << int(c.target);
        EXPECT_EQ(h.pedal.ir(100) == nullptr, c.presetsBack) << int(c.target);
        EXPECT_EQ(h.pedal.globalPage(page::Settings)[8] == 12, c.settingsBack) << int(c.target);
    }
}

TEST(PedalFactoryContent, PresetsHaveDistinctNamesAndInRangeValues) {
    PedalHarness h;
    std::set<std::string> names;
    for (int slot = 0; slot < NumPresets; ++slot) {
        const PresetRecord& rec = h.pedal.preset(slot);
        EXPECT_EQ(rec[0], 1);
        EXPECT_EQ(rec[1], 0);
        const std::string name = presetName(rec);
        EXPECT_FALSE(name.empty());
        names.insert(name);
        for (int i = 0; i < NumPresetParams; ++i)
            EXPECT_EQ(parameterByte(rec, i), clampParameter(i, parameterByte(rec, i)))
                << slot << ":" << i;
        for (std::uint8_t b : rec) ASSERT_LT(b, 0x80);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(NumPresets));
}

TEST(PedalFactoryContent, UserIrsReferencedByPresetsExistWithTheirNames) {
    PedalHarness h;
    int users = 0;
    for (int slot = 0; slot < NumPresets; ++slot) {
        const PresetRecord& rec = h.pedal.preset(slot);
        const struct {
            int mode, high, low;
            std::size_t nameAt;
        } positions[] = {{40, 53, 54, record::Ir7Name}, {41, 55, 56, record::Ir8Name}};
        bool uses = false;
        for (const auto& p : positions) {
            if (parameterByte(rec, p.mode) == 0) continue;
            uses = true;
            const unsigned number = parameterByte(rec, p.high) * 128u + parameterByte(rec, p.low);
            const Bytes* ir = h.pedal.ir(number);
            ASSERT_NE(ir, nullptr) << slot;
            EXPECT_TRUE(std::equal(ir->begin() + irfile::NameAt, ir->begin() + irfile::NameAt + 32,
                                   rec.begin() + static_cast<std::ptrdiff_t>(p.nameAt)));
        }
        users += uses;
    }
    EXPECT_GE(users, 12);
    EXPECT_LE(users, 24);
    for (unsigned k = 0; k < irnum::CabinetCount; ++k) {
        const Bytes* cabinet = h.pedal.ir(irnum::FirstCabinet + k);
        ASSERT_NE(cabinet, nullptr);
        EXPECT_EQ(trimDeviceName(ByteSpan(*cabinet).subspan(irfile::NameAt, NameBytes)),
                  CabinetNames[k]);
    }
}

TEST(PedalFactoryContent, TwoPedalsAreIdentical) {
    Pedal a, b;
    for (int slot = 0; slot < NumPresets; ++slot) EXPECT_EQ(a.preset(slot), b.preset(slot));
    EXPECT_EQ(*a.ir(384), *b.ir(384));
}

}  // namespace
}  // namespace vornix::sim::testing
