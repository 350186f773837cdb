// Files the user hands the editor, played against the simulated pedal:
// preset files with their user IRs, bank files and firmware files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "scenario.hpp"
#include "storage/file_io.hpp"

namespace vornix::testing {
namespace {

using sysex::Bytes;

Bytes dataFile(const std::string& name) {
    return storage::readFile(testDataPath(name));
}

std::size_t indexOf(const Scenario& s, int key, std::size_t nth = 0) {
    for (std::size_t i = 0; i < s.port.sent.size(); ++i)
        if (commandKey(s.port.sent[i].bytes) == key && nth-- == 0) return i;
    return s.port.sent.size();
}

// ---- preset files --------------------------------------------------------------------------

// The whole chain of an import: IR 7 uploaded, the pedal's "stored" starts
// IR 8, the second "stored" sends the preset.
void expectUploadChain(Scenario& s, unsigned ir7, unsigned ir8) {
    ASSERT_EQ(s.sentCount(sysex::cmd::IrFirst), 2u);
    const std::size_t first7 = indexOf(s, sysex::cmd::IrFirst, 0);
    const std::size_t last7 = indexOf(s, sysex::cmd::IrLast, 0);
    const std::size_t first8 = indexOf(s, sysex::cmd::IrFirst, 1);
    const std::size_t last8 = indexOf(s, sysex::cmd::IrLast, 1);
    const std::size_t preset = indexOf(s, sysex::cmd::EditBuffer);
    EXPECT_EQ(sysex::read14(s.port.sent[first7].bytes, sysex::at::IrNumber), ir7);
    EXPECT_EQ(sysex::read14(s.port.sent[first8].bytes, sysex::at::IrNumber), ir8);
    EXPECT_EQ(last7 - first7, 10u) << "eleven chunks";
    EXPECT_EQ(last8 - first8, 10u);
    EXPECT_LT(last7, first8) << "one upload at a time";
    ASSERT_LT(preset, s.port.sent.size());
    EXPECT_LT(last8, preset) << "the preset goes last";
    EXPECT_EQ(s.sentCount(sysex::cmd::EditBuffer), 1u);
    const auto cached7 = storage::readFile(s.editor->cache().folder().irFile(ir7));
    const auto cached8 = storage::readFile(s.editor->cache().folder().irFile(ir8));
    ASSERT_NE(s.pedal.ir(ir7), nullptr);
    ASSERT_NE(s.pedal.ir(ir8), nullptr);
    EXPECT_EQ(*s.pedal.ir(ir7), cached7);
    EXPECT_EQ(*s.pedal.ir(ir8), cached8);
    ASSERT_FALSE(s.events.importResults.empty());
    EXPECT_EQ(s.events.importResults.back(), "ok") << "the chain ended with the preset";
}

TEST(PresetFileRoundTrip, ExportedWithTwoUserIrsAndImportedIntoAnotherSlot) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    const int from = s.editor->sound().currentPreset;
    s.editor->presetFiles().importPresetFile(testDataPath("presets/both_irs.kvp"));
    s.loop.advance(5000);
    {
        SCOPED_TRACE("import into the current slot");
        expectUploadChain(s, static_cast<unsigned>(from), static_cast<unsigned>(128 + from));
    }
    EXPECT_EQ(s.pedal.editBuffer()[sysex::record::Params + param::Level], 70);

    const auto file = s.dir.path() / "Travel.kvp";
    ASSERT_TRUE(s.editor->presetFiles().exportPresetFile(file));
    EXPECT_EQ(storage::readFile(file).size(), 5134u);

    s.editor->selectPreset(20);
    s.loop.advance(500);
    ASSERT_EQ(s.editor->sound().currentPreset, 20);
    s.port.sent.clear();
    s.platform.boxes.clear();
    s.editor->presetFiles().importPresetFile(file);
    s.loop.advance(5000);
    {
        SCOPED_TRACE("import into slot 20");
        expectUploadChain(s, 20, 148);
    }
    EXPECT_EQ(*s.pedal.ir(20), *s.pedal.ir(static_cast<unsigned>(from)));
    EXPECT_EQ(*s.pedal.ir(148), *s.pedal.ir(static_cast<unsigned>(128 + from)));
    const auto& edit = s.pedal.editBuffer();
    EXPECT_EQ(edit[sysex::record::Ir7Bank], 0);
    EXPECT_EQ(edit[sysex::record::Ir7Number], 20);
    EXPECT_EQ(edit[sysex::record::Ir8Bank], 1);
    EXPECT_EQ(edit[sysex::record::Ir8Number], 20);
    EXPECT_EQ(s.editor->sound().presetName, "Travel");
}

TEST(PresetFileRoundTrip, OfflineImportWritesBothIrFilesAndSendsNothing) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.editor->selectPreset(9);
    s.loop.advance(500);
    ASSERT_EQ(s.editor->sound().currentPreset, 9);
    s.pedal.faults().setSilent(true);
    s.editor->reconnect();
    s.loop.advance(4000);
    ASSERT_FALSE(s.editor->connection().online());
    s.port.sent.clear();
    const Bytes* before = s.pedal.ir(9);
    const Bytes pedalIr9 = before ? *before : Bytes{};
    s.editor->presetFiles().importPresetFile(testDataPath("presets/both_irs.kvp"));
    s.loop.advance(1000);
    for (unsigned n : {9u, 137u})
        EXPECT_EQ(storage::readFile(s.editor->cache().folder().irFile(n)).size(), 2436u) << n;
    for (const auto& m : s.port.sent)
        EXPECT_EQ(commandKey(m.bytes), sysex::cmd::Request)
            << "only the keep-alive: " << sysex::toHex(m.bytes);
    EXPECT_EQ(s.pedal.ir(9) ? *s.pedal.ir(9) : Bytes{}, pedalIr9);
}

// ---- bank files ------------------------------------------------------------------------------

struct BankScenario : Scenario {
    BankScenario() {
        openWindow();
        EXPECT_TRUE(runUntilSynced());
        port.sent.clear();
        platform.boxes.clear();
    }
    Result import(const std::string& name) {
        return editor->wholeDevice().startBankImport(testDataPath("banks/" + name));
    }
};

// A whole bank, and where one message of it ends the next begins.
std::vector<Bytes> messagesOf(const Bytes& bank) {
    std::vector<Bytes> out;
    for (auto at = bank.begin(); at != bank.end();) {
        const auto end = std::find(at, bank.end(), sysex::End) + 1;
        out.emplace_back(at, end);
        at = end;
    }
    return out;
}

TEST(BankFileImport, AWholeBankIsRestoredBetweenBeginAndEnd) {
    BankScenario s;
    const Result started = s.import("whole_bank.kvb");
    ASSERT_TRUE(started.ok()) << started.error();
    const std::vector<Bytes> bank = messagesOf(dataFile("banks/whole_bank.kvb"));
    EXPECT_EQ(s.editor->wholeDevice().bankImportSize(), 150);
    s.loop.advance(40000);
    EXPECT_FALSE(s.events.isActive(Transfer::BankImport));
    EXPECT_EQ(s.platform.texts().front(), "Finished successfully!");
    ASSERT_GE(s.port.sent.size(), bank.size() + 2);
    EXPECT_EQ(commandKey(s.port.sent[0].bytes), sysex::cmd::BeginTransfer);
    EXPECT_EQ(commandKey(s.port.sent[bank.size() + 1].bytes), sysex::cmd::EndTransfer);
    // Only the command byte changes: slot, record and checksum go as stored.
    for (int slot = 0; slot < NumPresets; ++slot) {
        Bytes expected = bank[static_cast<std::size_t>(slot)];
        expected[sysex::at::Command] = sysex::cmd::RestorePreset;
        EXPECT_EQ(s.port.sent[static_cast<std::size_t>(slot) + 1].bytes, expected) << slot;
        const auto& rec = s.pedal.preset(slot);
        EXPECT_TRUE(std::equal(rec.begin(), rec.end(), expected.begin() + sysex::at::Block))
            << slot;
    }
    ASSERT_NE(s.pedal.ir(5), nullptr);
    ASSERT_NE(s.pedal.ir(130), nullptr);
    EXPECT_EQ(*s.pedal.ir(5), dataFile("presets/ir_first.dat"));
    EXPECT_EQ(*s.pedal.ir(130), dataFile("presets/ir_second.dat"));
}

TEST(BankFileImport, IrDataGoesOutOnConsecutiveTicksAndTheEndChecksumIsRewritten) {
    BankScenario s;
    // The first IR's end message carries 00 00; the restore sends the stream's sum.
    std::vector<Bytes> bank = messagesOf(dataFile("banks/whole_bank.kvb"));
    Bytes& firstEnd = *std::find_if(bank.begin(), bank.end(), [](const Bytes& m) {
        return m[sysex::at::Command] == sysex::cmd::IrLast;
    });
    firstEnd[firstEnd.size() - 3] = firstEnd[firstEnd.size() - 2] = 0;
    const auto file = s.dir.path() / "zeroed.kvb";
    storage::writeFile(file, [&] {
        Bytes all;
        for (const Bytes& m : bank) all.insert(all.end(), m.begin(), m.end());
        return all;
    }());
    const Result started = s.editor->wholeDevice().startBankImport(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.loop.advance(40000);
    EXPECT_FALSE(s.events.isActive(Transfer::BankImport));
    ASSERT_EQ(s.sentCount(sysex::cmd::RestoreIrMiddle), 18u);
    const std::size_t header = indexOf(s, sysex::cmd::RestoreIrFirst);
    const std::size_t end = indexOf(s, sysex::cmd::RestoreIrLast);
    ASSERT_EQ(end - header, 10u);
    for (std::size_t i = header + 2; i <= end; ++i)
        EXPECT_EQ(s.port.sent[i].at - s.port.sent[i - 1].at, 100) << "message " << i;
    Bytes stream;
    for (std::size_t i = header; i <= end; ++i) {
        const Bytes& m = s.port.sent[i].bytes;
        const std::size_t from = i == header ? sysex::at::IrFirstData : sysex::at::IrChunkData;
        stream.insert(stream.end(), m.begin() + static_cast<std::ptrdiff_t>(from),
                      m.end() - (i == end ? 3 : 1));
    }
    const Bytes& last = s.port.sent[end].bytes;
    const sysex::Checksum sum = sysex::checksumOf(stream);
    EXPECT_EQ(last[last.size() - 3], sum.high);
    EXPECT_EQ(last[last.size() - 2], sum.low);
    EXPECT_NE(sum, (sysex::Checksum{0, 0}));
    ASSERT_NE(s.pedal.ir(5), nullptr);
    EXPECT_EQ(*s.pedal.ir(5), dataFile("presets/ir_first.dat"));
}

// Files cut inside a message or at a message boundary, and banks that lack
// presets or the IRs they play, are refused before the device hears anything.
TEST(BankFileImport, BrokenAndPartialFilesAreRefusedAndNothingIsSent) {
    struct Case {
        const char* file;
        const char* error;
    };
    const Case cases[] = {
        {"cut_inside_preset_21.kvb", "Not a bank file: the last message has no end"},
        {"last_message_cut.kvb", "Not a bank file: the last message has no end"},
        {"data_between.kvb", "Not a bank file: data outside a SysEx message"},
        {"cut_after_20_presets.kvb", "Not a whole bank file: 20 of 128 presets."},
        {"two_presets.kvb", "Not a whole bank file: 2 of 128 presets."},
        {"ir_130_missing.kvb", "Not a whole bank file: IR 130 is missing."},
        {"ir_130_cut.kvb", "Not a whole bank file: IR 130 is cut short."},
    };
    BankScenario s;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(s.import(c.file).error(), c.error);
        EXPECT_FALSE(s.events.isActive(Transfer::BankImport));
    }
    s.loop.advance(1000);
    EXPECT_EQ(s.sentCount(sysex::cmd::BeginTransfer), 0u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 0u);
}

// ---- firmware files ----------------------------------------------------------------------------

struct FirmwareCase {
    std::size_t fileBytes;
    std::size_t imageBytes;
    std::size_t lastChunkBytes;  // whole message
};

// (8 L + 7) div 7 image bytes. An image is never a multiple of 8 bytes long,
// so a last chunk of exactly 240 data bytes cannot occur; 239 and 1 are the
// nearest edges.
TEST(FirmwareFiles, ChunkBoundariesAgainstThePedal) {
    const FirmwareCase cases[] = {
        {211, 242, 2 + 9},       // smallest accepted file: two chunks
        {419, 479, 239 + 9},     // fullest possible last chunk
        {420, 481, 1 + 9},       // one byte past two full chunks
        {57343, 65535, 15 + 9},  // 273 full chunks
        {65535, 74898, 18 + 9},  // largest accepted file
    };
    for (const FirmwareCase& c : cases) {
        SCOPED_TRACE(c.fileBytes);
        Scenario s;
        s.openWindow();
        Bytes image(c.fileBytes);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 31 + i / 251);
        const auto file = s.dir.path() / "fw.bin";
        ASSERT_TRUE(storage::writeFile(file, image));
        s.editor->firmware().openPage();
        const Result started = s.editor->firmware().load(file);
        ASSERT_TRUE(started.ok()) << started.error();
        ASSERT_EQ(sysex::packedLength(c.fileBytes), c.imageBytes);
        s.loop.advance(static_cast<std::int64_t>(c.imageBytes / 240 + 20) * 100);
        const std::size_t chunks = (c.imageBytes + 239) / 240;
        EXPECT_EQ(s.sentCount(0x100 + sysex::fwcmd::FirstChunk), 1u);
        EXPECT_EQ(s.sentCount(0x100 + sysex::fwcmd::FirstChunk) +
                      s.sentCount(0x100 + sysex::fwcmd::Chunk),
                  chunks);
        std::vector<Bytes> sentChunks;
        for (const auto& m : s.port.sent)
            if (commandKey(m.bytes) == 0x100 + sysex::fwcmd::Chunk) sentChunks.push_back(m.bytes);
        ASSERT_FALSE(sentChunks.empty());
        EXPECT_EQ(sentChunks.back().size(), c.lastChunkBytes);
        EXPECT_EQ(s.pedal.lastFirmwareImage(), image);
        EXPECT_EQ(s.platform.texts(), std::vector<std::string>{"Firmware update finished."});
    }
}

TEST(FirmwareFiles, FinishedIsShownOnlyWhenThePedalSaysSo) {
    Scenario s;
    s.openWindow();
    s.pedal.faults().delayReply(sysex::fwcmd::Finished, 1, 5000);
    Bytes image(1000, 0x42);
    const auto file = s.dir.path() / "fw.bin";
    ASSERT_TRUE(storage::writeFile(file, image));
    s.editor->firmware().openPage();
    const Result started = s.editor->firmware().load(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.loop.advance(1500);  // 1,143 image bytes: five chunks, long sent
    EXPECT_EQ(
        s.sentCount(0x100 + sysex::fwcmd::FirstChunk) + s.sentCount(0x100 + sysex::fwcmd::Chunk),
        5u);
    EXPECT_TRUE(s.platform.boxes.empty());
    s.loop.advance(5000);
    EXPECT_EQ(s.platform.texts(), std::vector<std::string>{"Firmware update finished."});
}

}  // namespace
}  // namespace vornix::testing
