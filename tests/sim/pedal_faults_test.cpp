// Fault injection, malformed input and the order of replies.
#include <gtest/gtest.h>

#include "pedal_harness.hpp"

namespace vornix::sim::testing {
namespace {

using namespace sysex;

TEST(PedalFaults, DropsOnlyTheNthReplyOfACommandCountedFromWhenTheRuleIsAdded) {
    PedalHarness h;
    h.send(requestPreset(0));  // before the rule: not counted
    h.pedal.faults().dropReply(cmd::PresetDump, 2);
    EXPECT_EQ(h.send(requestPreset(1)).size(), 1u);
    EXPECT_TRUE(h.send(requestPreset(2)).empty());
    EXPECT_EQ(h.send(requestPreset(3)).size(), 1u);
    EXPECT_EQ(h.send(requestPage(page::Settings)).size(), 1u);  // other commands untouched
}

TEST(PedalFaults, NthZeroHitsEveryReply) {
    PedalHarness h;
    h.pedal.faults().dropReply(cmd::GlobalPage, 0);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(h.send(requestPage(page::Identify)).empty());
}

TEST(PedalFaults, DroppedReplyStillChangesState) {
    PedalHarness h;
    h.pedal.faults().dropReply(cmd::PresetDump, 1);
    EXPECT_TRUE(h.send(selectPreset(30)).empty());
    EXPECT_EQ(h.pedal.currentPreset(), 30);
}

// A message lost on the way is neither answered nor acted on.
TEST(PedalFaults, LosesOnlyTheNthMessageOfACommandFromTheEditor) {
    PedalHarness h;
    h.pedal.faults().loseMessage(cmd::SelectPreset, 2);
    EXPECT_EQ(h.send(selectPreset(10)).size(), 1u);
    EXPECT_TRUE(h.send(selectPreset(20)).empty());
    EXPECT_EQ(h.pedal.currentPreset(), 10);
    EXPECT_EQ(h.send(selectPreset(30)).size(), 1u);
    EXPECT_EQ(h.pedal.currentPreset(), 30);
}

TEST(PedalFaults, CorruptedBlockFailsItsChecksumOnce) {
    PedalHarness h;
    h.pedal.faults().corruptReply(cmd::PresetDump, 1);
    auto replies = h.send(requestPreset(8));
    ASSERT_EQ(replies.size(), 1u);
    BlockParse parsed = parseBlockMessage(replies[0]);
    EXPECT_EQ(parsed.error, ParseError::None);
    EXPECT_FALSE(parsed.view.checksumOk);
    EXPECT_TRUE(isFramed(replies[0]));
    replies = h.send(requestPreset(8));
    EXPECT_TRUE(parseBlockMessage(replies[0]).view.checksumOk);
}

TEST(PedalFaults, CorruptedIrChunkFailsTheStreamChecksum) {
    for (std::uint8_t command : {cmd::IrFirst, cmd::IrMiddle, cmd::IrLast}) {
        PedalHarness h;
        h.pedal.faults().corruptReply(command, 1);
        const DecodedIr decoded = decodeIrDownload(h.send(requestIr(384)));
        EXPECT_FALSE(decoded.ok) << int(command);
    }
}

TEST(PedalFaults, CorruptionLeavesStatusRepliesAlone) {
    PedalHarness h;
    h.pedal.faults().corruptReply(cmd::Completion, 0);
    EXPECT_EQ(h.send(factoryReset(reset::Settings)), std::vector<Bytes>{status(cmd::Completion)});
}

TEST(PedalFaults, DuplicatesTheNthReply) {
    PedalHarness h;
    h.pedal.faults().duplicateReply(cmd::ParameterAck, 1);
    const auto replies = h.send(setParameter(57, 0));
    EXPECT_EQ(replies, (std::vector<Bytes>{status(cmd::ParameterAck), status(cmd::ParameterAck)}));
    EXPECT_EQ(h.send(setParameter(57, 0)).size(), 1u);
}

TEST(PedalFaults, DelaysTheNthReplyOnly) {
    PedalHarness h;
    h.pedal.faults().delayReply(cmd::IrMiddle, 3, 250);
    h.send(requestIr(384));
    ASSERT_EQ(h.replies.size(), 11u);
    for (std::size_t i = 0; i < h.replies.size(); ++i)
        EXPECT_EQ(h.replies[i].delayMs, i == 3 ? 250 : 0) << i;  // the third middle chunk
}

TEST(PedalFaults, SilentPedalNeitherAnswersNorActs) {
    PedalHarness h;
    h.pedal.faults().setSilent(true);
    EXPECT_TRUE(h.send(requestPage(page::Identify)).empty());
    EXPECT_TRUE(h.send(selectPreset(20)).empty());
    EXPECT_EQ(h.pedal.currentPreset(), 0);
    h.pedal.faults().setSilent(false);
    EXPECT_EQ(h.send(requestPage(page::Identify)).size(), 1u);
}

TEST(PedalFaults, FirmwareVersionOverrideShowsInIdentification) {
    PedalHarness h;
    h.pedal.faults().setFirmwareVersion(9);
    const auto replies = h.send(requestPage(page::Identify));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][at::Device], 9);
    h.pedal.faults().clear();
    EXPECT_EQ(h.send(requestPage(page::Identify))[0][at::Device], 13);
}

// ---- reply order --------------------------------------------------------------------

TEST(PedalReplies, EditorAnsweringInsideTheEmitterKeepsReplyOrder) {
    Pedal pedal;
    std::vector<std::uint8_t> seen;
    bool askedOnce = false;
    pedal.setEmitter([&](Bytes message, int) {
        seen.push_back(commandOf(message));
        // An editor that reacts to the first chunk at once, as a synchronous
        // transport lets it.
        if (!askedOnce) {
            askedOnce = true;
            pedal.receive(requestPreset(5));
        }
    });
    pedal.receive(requestIr(384));
    ASSERT_EQ(seen.size(), 12u);
    EXPECT_EQ(seen[0], cmd::IrFirst);
    EXPECT_EQ(seen[10], cmd::IrLast);
    EXPECT_EQ(seen[11], cmd::PresetDump);
}

TEST(PedalReplies, ThrowingEmitterDoesNotEscapeReceive) {
    Pedal pedal;
    int calls = 0;
    pedal.setEmitter([&](Bytes, int) {
        ++calls;
        throw std::runtime_error("port closed");
    });
    EXPECT_NO_THROW(pedal.receive(requestIr(384)));
    EXPECT_EQ(calls, 1);
    EXPECT_NO_THROW(pedal.receive(requestPreset(1)));  // not stuck in the previous delivery
    EXPECT_EQ(calls, 2);
}

// ---- malformed input ------------------------------------------------------------------

TEST(PedalMalformedInput, IsIgnoredWithoutAnswer) {
    Bytes good = requestPreset(4);
    Bytes noEnd = good;
    noEnd.back() = 0x00;
    Bytes highByte = good;
    highByte[7] = 0x84;
    Bytes otherMaker = good;
    otherMaker[2] = 0x52;
    Bytes otherDevice = good;
    otherDevice[at::Device] = 0x0B;
    Bytes longer = good;
    longer.insert(longer.end() - 1, 0x01);
    Bytes shorter = setParameter(1, 2);
    shorter.erase(shorter.begin() + 8);
    Bytes truncatedBlock = blockMessage(cmd::EditBuffer, 0, Pedal().preset(0));
    truncatedBlock.erase(truncatedBlock.begin() + 100);
    Bytes shortIrFirst = irUpload(5, sampleIrFile("x", 1)).front();
    shortIrFirst.erase(shortIrFirst.begin() + 20);

    const std::vector<Bytes> cases{{},
                                   {0xF0},
                                   {0xF0, 0xF7},
                                   {0xF0, 0x00, 0x51, 0x21, 0x05, 0xF7},
                                   noEnd,
                                   highByte,
                                   otherMaker,
                                   otherDevice,
                                   longer,
                                   shorter,
                                   truncatedBlock,
                                   shortIrFirst,
                                   Bytes(300, 0xF0),
                                   Bytes(600, 0x00)};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        PedalHarness h;
        const PresetRecord before = h.pedal.editBuffer();
        EXPECT_TRUE(h.send(cases[i]).empty()) << "case " << i;
        EXPECT_EQ(h.pedal.editBuffer(), before) << "case " << i;
    }
}

TEST(PedalMalformedInput, EveryPrefixOfEveryMessageIsSafe) {
    // Bounds are checked before every read: no prefix of a real message
    // (with an F7 put at its end) may crash or be taken as the whole.
    std::vector<Bytes> messages{requestPage(page::Identify), setParameter(18, 3), requestIr(300),
                                blockMessage(cmd::RestorePreset, 2, Pedal().preset(2)),
                                firmwareEnterUpdate()};
    for (Bytes& chunk : irUpload(6, sampleIrFile("Prefix", 6))) messages.push_back(chunk);
    PedalHarness h;
    h.send(firmwareEnterUpdate());
    const PresetRecord stored = h.pedal.preset(2);
    for (const Bytes& message : messages) {
        for (std::size_t size = 1; size < message.size(); ++size) {
            Bytes prefix(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(size));
            prefix.back() = End;
            h.send(prefix);
        }
    }
    EXPECT_EQ(h.pedal.preset(2), stored);
    EXPECT_EQ(h.send(requestPreset(2)).size(), 1u);  // still answering
}

}  // namespace
}  // namespace vornix::sim::testing
