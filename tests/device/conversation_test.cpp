// The conversation decoder follows both directions: an IR's chunks take the
// number and count of their first chunk, acknowledgements name what they
// answer, and the trace line has its fixed form.
#include <gtest/gtest.h>

#include "device/message_decoder.hpp"
#include "device/preset_record.hpp"
#include "device/trace_lines.hpp"
#include "device/transfer_buffer.hpp"

namespace vornix::sysex {
namespace {

// An IR dump as the device sends it: first chunk, middle chunks, last chunk.
std::vector<Bytes> irDump(unsigned number, std::uint8_t command0, std::uint8_t command1,
                          std::uint8_t command2, bool badChecksum = false) {
    TransferBuffer buffer;
    buffer.load(Bytes(2436, 0x5A));
    std::vector<Bytes> chunks;
    chunks.push_back(
        irFirstChunk(command0, number, unsigned(buffer.total()), buffer.take(IrChunkBytes)));
    while (buffer.remaining() > IrChunkBytes)
        chunks.push_back(irMiddleChunk(command1, buffer.take(IrChunkBytes)));
    Checksum sum = buffer.checksum();
    if (badChecksum) sum.low ^= 1;
    chunks.push_back(irLastChunk(command2, buffer.take(IrChunkBytes), sum));
    return chunks;
}

std::vector<std::string> namesOf(Conversation& conversation, Sender sender,
                                 const std::vector<Bytes>& messages) {
    std::vector<std::string> out;
    for (const Bytes& m : messages) out.push_back(conversation.decode(sender, m).name);
    return out;
}

TEST(Conversation, NamesEveryChunkOfAnIrByTheFirstChunk) {
    Conversation conversation;
    const auto dump = irDump(130, cmd::IrFirst, cmd::IrMiddle, cmd::IrLast);
    ASSERT_EQ(dump.size(), 11u);
    const auto names = namesOf(conversation, Sender::Device, dump);
    EXPECT_EQ(names.front(), "IR 130 first chunk");
    EXPECT_EQ(names[1], "IR 130 chunk 2 of 11");
    EXPECT_EQ(names[2], "IR 130 chunk 3 of 11");
    EXPECT_EQ(names[9], "IR 130 chunk 10 of 11");
    EXPECT_EQ(names.back().rfind("IR 130 last chunk, checksum 0x", 0), 0u) << names.back();
    // The chunk after the last belongs to no IR any more.
    EXPECT_EQ(conversation.decode(Sender::Device, dump[1]).name, "IR middle chunk");
}

TEST(Conversation, AnIrWhoseChunksDoNotAddUpToItsChecksumIsFlagged) {
    Conversation conversation;
    const auto dump = irDump(7, cmd::IrFirst, cmd::IrMiddle, cmd::IrLast, true);
    Decoded last;
    for (const Bytes& m : dump) last = conversation.decode(Sender::Device, m);
    EXPECT_EQ(last.verdict, Verdict::BadChecksum);
    EXPECT_NE(last.name.find("bad checksum (the chunks add up to 0x"), std::string::npos)
        << last.name;
}

TEST(Conversation, EachDirectionFollowsItsOwnIr) {
    Conversation conversation;
    const auto upload = irDump(300, cmd::IrFirst, cmd::IrMiddle, cmd::IrLast);
    const auto download = irDump(5, cmd::IrFirst, cmd::IrMiddle, cmd::IrLast);
    conversation.decode(Sender::Editor, upload[0]);
    conversation.decode(Sender::Device, download[0]);
    EXPECT_EQ(conversation.decode(Sender::Editor, upload[1]).name, "IR 300 chunk 2 of 11");
    EXPECT_EQ(conversation.decode(Sender::Device, download[1]).name, "IR 5 chunk 2 of 11");
}

TEST(Conversation, AcknowledgementsNameTheRestoreMessageTheyAnswer) {
    Conversation conversation;
    conversation.decode(Sender::Editor, beginTransfer());
    const PresetRecord record{};
    for (int slot = 0; slot < 36; ++slot)
        conversation.decode(Sender::Editor, blockMessage(cmd::RestorePreset, slot, record));
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::RestoreAck)).name,
              "acknowledge (restore message 36)");
    const auto ir = irDump(130, cmd::RestoreIrFirst, cmd::RestoreIrMiddle, cmd::RestoreIrLast);
    const auto names = namesOf(conversation, Sender::Editor, ir);
    EXPECT_EQ(names[0], "restore IR 130 first chunk");
    EXPECT_EQ(names[4], "restore IR 130 chunk 5 of 11");
    const Decoded refused = conversation.decode(Sender::Device, status(cmd::RestoreRefusedAlt));
    EXPECT_EQ(refused.name, "refuse (restore message 47)");
    EXPECT_EQ(refused.verdict, Verdict::Refusal);
    conversation.decode(Sender::Editor, endTransfer());
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::RestoreAck)).name, "acknowledge");
}

TEST(Conversation, AnswersToAnUploadNameTheIr) {
    Conversation conversation;
    const auto upload = irDump(130, cmd::IrFirst, cmd::IrMiddle, cmd::IrLast);
    conversation.decode(Sender::Editor, upload[0]);
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::IrHeaderAccepted)).name,
              "IR 130 header accepted, send the data");
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::IrStored)).name, "IR 130 stored");
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::IrError)).name,
              "error: IR 130 not stored");
}

TEST(Conversation, TheHighHalfOfAUserIrNumberIsAcknowledgedByName) {
    Conversation conversation;
    conversation.decode(Sender::Editor, setParameter(devmap::Ir8High, 1));
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::ParameterAck)).name,
              "acknowledge (IR 8 number, high half)");
    EXPECT_EQ(conversation.decode(Sender::Device, status(cmd::ParameterAck)).name,
              "acknowledge parameter");
}

// 718 stream bytes: 240 in the first chunk, 240 in the middle one, and a last
// chunk of 238 bytes whose length is that of a middle chunk.
TEST(Conversation, ALastFirmwareChunkAsLongAsAMiddleOneIsNamedByTheCount) {
    TransferBuffer image;
    image.load(Bytes(628, 0x33));
    ASSERT_EQ(image.total(), 718u);
    Conversation conversation;
    EXPECT_EQ(conversation
                  .decode(Sender::Editor, firmwareFirstChunk(unsigned(image.total()),
                                                             image.take(FirmwareChunkBytes)))
                  .name,
              "firmware chunk 1 of 3");
    EXPECT_EQ(
        conversation.decode(Sender::Editor, firmwareMiddleChunk(image.take(FirmwareChunkBytes)))
            .name,
        "firmware chunk 2 of 3");
    const Bytes last = firmwareLastChunk(image.take(FirmwareChunkBytes), image.checksum());
    ASSERT_EQ(last.size(), FirmwareMiddleSize);
    const Decoded decoded = conversation.decode(Sender::Editor, last);
    EXPECT_EQ(decoded.name.rfind("firmware last chunk, checksum 0x", 0), 0u) << decoded.name;
    EXPECT_EQ(decoded.verdict, Verdict::Ok);
    EXPECT_EQ(decodeAlone(Sender::Editor, last).name, "firmware chunk");
}

TEST(TraceLine, DecodedLinesHaveTheTimeTheArrowTheNameAndTheBytes) {
    EXPECT_EQ(decodedTraceLine(12345, Direction::Sent, "request preset 12", requestPreset(12)),
              "12.345 > request preset 12  F0 00 51 21 05 40 0A 0C F7");
    EXPECT_EQ(decodedTraceLine(7, Direction::Received, "end transfer", endTransfer()),
              "0.007 < end transfer  F0 00 51 21 05 5B 0A F7");
    EXPECT_EQ(plainTraceLine(Direction::Received, endTransfer()), "< F0 00 51 21 05 5B 0A F7");
}

}  // namespace
}  // namespace vornix::sysex
