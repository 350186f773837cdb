// Every command of both directions, built with the project's own builders,
// decodes to its name and fields; broken input is named, never dropped; the
// conversation names what a message carries no number for.
#include "device/message_decoder.hpp"

#include <gtest/gtest.h>

#include <set>

#include "device/global_pages.hpp"
#include "device/preset_record.hpp"
#include "device/trace_lines.hpp"
#include "sent_log.hpp"

namespace vornix::sysex {
namespace {

using vornix::testing::bytesOf;

std::string names(int index) {
    return index == param::Drive ? "Drive" : index == param::PatchOffset ? "Patch Offset" : "";
}

Bytes recordNamed(std::string_view name) {
    PresetRecord record{};
    const auto padded = padName(name);
    std::copy(padded.begin(), padded.end(), record.begin() + record::Name);
    return Bytes(record.begin(), record.end());
}

Bytes bytesOfLength(std::size_t n, std::uint8_t value = 1) {
    return Bytes(n, value);
}

// 0x1A2B sent as its two 7-bit halves.
constexpr Checksum Sum1A2B{0x34, 0x2B};

struct Sample {
    Sender sender;
    Bytes message;
    std::string name;
    Verdict verdict = Verdict::Ok;
};

std::vector<Sample> editorSamples() {
    const Bytes preset = recordNamed("Smooth Vintage");
    const auto settings = buildSettingsPage(12, [](int) { return 0; });
    return {
        {Sender::Editor, blockMessage(cmd::EditBuffer, 12, preset),
         "current sound for preset 12 \"Smooth Vintage\""},
        {Sender::Editor, selectPreset(12), "select preset 12"},
        {Sender::Editor, requestPreset(12), "request preset 12"},
        {Sender::Editor, setParameter(5, 77), "parameter Drive (index 5, device 5) = 77"},
        {Sender::Editor, storePreset(40), "store into 40"},
        {Sender::Editor, switchLayer(true), "layer B on"},
        {Sender::Editor, blockMessage(cmd::GlobalPage, page::Settings, settings),
         "write global page 0: preset 12, parameter 89 0, parameter 90 0, Patch Offset 0, "
         "parameter 92 0, parameter 93 0, parameter 94 1, parameter 95 0, parameter 96 0, "
         "parameter 97 0, parameter 98 0, parameter 33 0, parameter 34 0, parameter 35 0, "
         "parameter 99 0, parameter 100 0"},
        {Sender::Editor, requestPage(page::Identify), "identify"},
        {Sender::Editor, requestPage(page::Checksums), "request preset checksums"},
        {Sender::Editor, requestPage(page::MidiAssign), "request global page 1"},
        {Sender::Editor, factoryReset(reset::Presets), "factory reset: presets"},
        {Sender::Editor, beginTransfer(), "begin transfer"},
        {Sender::Editor, endTransfer(), "end transfer"},
        {Sender::Editor, editorClosed(), "editor closed"},
        {Sender::Editor, irFirstChunk(cmd::IrFirst, 130, 2785, bytesOfLength(IrChunkBytes)),
         "IR 130 first chunk"},
        {Sender::Editor, irMiddleChunk(cmd::IrMiddle, bytesOfLength(IrChunkBytes)),
         "IR middle chunk"},
        {Sender::Editor, irLastChunk(cmd::IrLast, bytesOfLength(33), Sum1A2B),
         "IR last chunk, checksum 0x1A2B"},
        {Sender::Editor, requestIr(130), "request IR 130"},
        {Sender::Editor, requestIrNames(5), "request IR names page 5"},
        {Sender::Editor, blockMessage(cmd::RestorePreset, 12, preset),
         "restore preset 12 \"Smooth Vintage\""},
        {Sender::Editor, irFirstChunk(cmd::RestoreIrFirst, 130, 2785, bytesOfLength(256)),
         "restore IR 130 first chunk"},
        {Sender::Editor, irMiddleChunk(cmd::RestoreIrMiddle, bytesOfLength(256)),
         "restore IR middle chunk"},
        {Sender::Editor, irLastChunk(cmd::RestoreIrLast, bytesOfLength(33), Sum1A2B),
         "restore IR last chunk, checksum 0x1A2B"},
        {Sender::Editor, firmwareEnterUpdate(), "enter firmware update"},
        {Sender::Editor, firmwareFirstChunk(33 * 240, bytesOfLength(FirmwareChunkBytes)),
         "firmware chunk 1 of 33"},
        {Sender::Editor, firmwareMiddleChunk(bytesOfLength(FirmwareChunkBytes)), "firmware chunk"},
        {Sender::Editor, firmwareLastChunk(bytesOfLength(100), Sum1A2B),
         "firmware last chunk, checksum 0x1A2B"},
    };
}

std::vector<Sample> deviceSamples() {
    std::array<std::uint8_t, BlockSize> names{};
    names.fill(' ');
    return {
        {Sender::Device, blockMessage(cmd::PresetDump, 12, recordNamed("Smooth Vintage")),
         "preset 12 \"Smooth Vintage\""},
        {Sender::Device, identificationReply(13, "VX1-000417"),
         "identification: firmware 1.3, serial VX1-000417"},
        {Sender::Device, blockMessage(cmd::GlobalPage, page::Checksums, PresetRecord{}),
         "global page 3: preset checksums"},
        {Sender::Device, blockMessage(cmd::IrNamePage, 5, names),
         "IR names page 5: bank 1, positions 8-15"},
        {Sender::Device, textMessage("HELLO"), "text \"HELLO\""},
        {Sender::Device, parameterChanged(5, 77), "parameter Drive (index 5) changed to 77"},
        {Sender::Device, parameterChanged(LayerBReportNumber, 1), "layer B on"},
        {Sender::Device, status(cmd::Completion), "completion"},
        {Sender::Device, status(cmd::IrStored), "IR stored"},
        {Sender::Device, status(cmd::IrError), "error", Verdict::Refusal},
        {Sender::Device, status(cmd::IrHeaderAccepted), "IR header accepted, send the data"},
        {Sender::Device, status(cmd::RestoreContinue), "acknowledge, continue"},
        {Sender::Device, status(cmd::ParameterAck), "acknowledge parameter"},
        {Sender::Device, status(cmd::RestoreAck), "acknowledge"},
        {Sender::Device, status(cmd::RestoreAckAlt), "acknowledge"},
        {Sender::Device, status(cmd::RestoreRefused), "refuse", Verdict::Refusal},
        {Sender::Device, status(cmd::RestoreRefusedAlt), "refuse", Verdict::Refusal},
        {Sender::Device, irFirstChunk(cmd::IrFirst, 130, 2785, bytesOfLength(256), 0),
         "IR 130 first chunk"},
        {Sender::Device, irMiddleChunk(cmd::IrMiddle, bytesOfLength(256), 0), "IR middle chunk"},
        {Sender::Device, irLastChunk(cmd::IrLast, bytesOfLength(33), Sum1A2B, 0),
         "IR last chunk, checksum 0x1A2B"},
        {Sender::Device, firmwareStatus(fwcmd::Ready), "ready for firmware"},
        {Sender::Device, firmwareStatus(fwcmd::Finished), "firmware update finished"},
        {Sender::Device, firmwareStatus(fwcmd::Failed), "firmware update failed", Verdict::Refusal},
    };
}

void expectEveryEntryHasASample(Sender sender, const std::vector<Sample>& samples) {
    std::set<std::pair<int, int>> built;
    for (const Sample& s : samples) built.insert({s.message[at::Family], s.message[at::Command]});
    for (const CommandEntry& entry : commandsOf(sender))
        EXPECT_TRUE(built.count({entry.family, entry.command}))
            << entry.name << " has no message built by a builder in this test";
}

void expectSamplesDecode(const std::vector<Sample>& samples) {
    const ParameterNamer namer = names;
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        const Decoded decoded = decodeAlone(s.sender, s.message, namer);
        EXPECT_EQ(decoded.name, s.name);
        EXPECT_EQ(decoded.verdict, s.verdict);
    }
}

TEST(MessageTable, EveryEditorCommandDecodesToItsNameAndFields) {
    const auto samples = editorSamples();
    expectSamplesDecode(samples);
    expectEveryEntryHasASample(Sender::Editor, samples);
}

TEST(MessageTable, EveryDeviceCommandDecodesToItsNameAndFields) {
    const auto samples = deviceSamples();
    expectSamplesDecode(samples);
    expectEveryEntryHasASample(Sender::Device, samples);
}

TEST(MessageTable, ACommandOfOneDirectionIsUnknownInTheOther) {
    EXPECT_EQ(decodeAlone(Sender::Device, requestPreset(3)).name, "unknown command 0x40, 9 bytes");
    EXPECT_EQ(decodeAlone(Sender::Editor, firmwareStatus(fwcmd::Ready)).name,
              "unknown firmware command 0x12, 7 bytes");
}

TEST(MessageDecoder, NamesMalformedAndUnknownInput) {
    Bytes badChecksum = blockMessage(cmd::PresetDump, 12, recordNamed("Smooth Vintage"));
    badChecksum[at::BlockChecksum + 1] ^= 1;
    Bytes withDeviceCode = status(cmd::IrStored);
    withDeviceCode[at::Device] = DeviceCode;
    Bytes highByte = requestPreset(3);
    highByte[at::Number] = 0x90;
    Bytes unterminated = requestPreset(3);
    unterminated.pop_back();
    Bytes tooLong = setParameter(5, 1);
    tooLong.insert(tooLong.end() - 1, 0);
    const std::vector<Sample> cases{
        {Sender::Device, {}, "malformed: empty message", Verdict::Malformed},
        {Sender::Device, bytesOf({0x90, 0x40, 0x7F}), "not SysEx: 3 bytes", Verdict::Unknown},
        {Sender::Editor, unterminated, "malformed: 8 bytes without F7 at the end",
         Verdict::Malformed},
        {Sender::Editor, highByte, "malformed: byte 0x90 at offset 7", Verdict::Malformed},
        {Sender::Editor, tooLong, "malformed: 11 bytes, expected 10 (set parameter)",
         Verdict::Malformed},
        {Sender::Device, bytesOf({0xF0, 0x00, 0x51, 0x21, 0x05, 0x4E, 0x0A, 1, 2, 3, 4, 0xF7}),
         "unknown command 0x4E, 12 bytes", Verdict::Unknown},
        {Sender::Device, bytesOf({0xF0, 0x7E, 0x7F, 0x06, 0x02, 0xF7}),
         "SysEx of another maker, 6 bytes", Verdict::Unknown},
        {Sender::Device, bytesOf({0xF0, 0x00, 0x51, 0x21, 0x03, 0x40, 0x00, 0xF7}),
         "unknown family 0x03, 8 bytes", Verdict::Unknown},
        {Sender::Device, bytesOf({0xF0, 0x00, 0x51, 0x21, 0xF7}), "malformed: 5 bytes, too short",
         Verdict::Malformed},
        {Sender::Device, bytesOf({0xF0, 0xF7}), "malformed: 2 bytes, too short",
         Verdict::Malformed},
        {Sender::Device, badChecksum, "preset 12 \"Smooth Vintage\", bad checksum",
         Verdict::BadChecksum},
        {Sender::Device, withDeviceCode, "malformed: status 0x61 with the device code, ignored",
         Verdict::Malformed},
        {Sender::Editor, requestPage(9), "request global page 9 (no such page)", Verdict::Unknown},
        {Sender::Device, parameterChanged(120, 3), "parameter 120 changed to 3"},
        {Sender::Editor, setParameter(16, 3), "set unknown device number 16 = 3", Verdict::Unknown},
        {Sender::Editor, setParameter(24, 3), "parameter 20 (device 24) = 3"},
    };
    for (const Sample& s : cases) {
        SCOPED_TRACE(s.name);
        const Decoded decoded = decodeAlone(s.sender, s.message);
        EXPECT_EQ(decoded.name, s.name);
        EXPECT_EQ(decoded.verdict, s.verdict);
    }
}

}  // namespace
}  // namespace vornix::sysex
