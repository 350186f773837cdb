// Bank restore and the firmware loader.
#include <gtest/gtest.h>

#include "pedal_harness.hpp"
#include "sim/factory_content.hpp"

namespace vornix::sim::testing {
namespace {

using namespace sysex;

PresetRecord namedRecord(char letter) {
    PresetRecord rec = Pedal().preset(0);
    rec[record::Name] = static_cast<std::uint8_t>(letter);
    return rec;
}

std::vector<std::uint8_t> commands(const std::vector<Bytes>& replies) {
    std::vector<std::uint8_t> out;
    for (const Bytes& r : replies) out.push_back(commandOf(r));
    return out;
}

// ---- bank restore ---------------------------------------------------------------------

TEST(PedalRestore, PresetWithGoodChecksumIsStoredAndAcknowledged) {
    PedalHarness h;
    const PresetRecord rec = namedRecord('Q');
    EXPECT_EQ(h.send(blockMessage(cmd::RestorePreset, 90, rec)),
              std::vector<Bytes>{status(cmd::RestoreAck)});
    EXPECT_EQ(h.pedal.preset(90), rec);
}

TEST(PedalRestore, RefusedPresetIsNotStored) {
    for (bool badChecksum : {true, false}) {
        SCOPED_TRACE(badChecksum ? "bad checksum" : "every restore refused");
        PedalHarness h;
        if (!badChecksum) h.pedal.faults().refuseRestore(0);
        const PresetRecord before = h.pedal.preset(90);
        Bytes message = blockMessage(cmd::RestorePreset, 90, namedRecord('Q'));
        if (badChecksum) message[at::BlockChecksum] ^= 1;
        EXPECT_EQ(h.send(message), std::vector<Bytes>{status(cmd::RestoreRefused)});
        EXPECT_EQ(h.pedal.preset(90), before);
    }
}

TEST(PedalRestore, IrIsAcknowledgedAtFirstAndLastChunkOnly) {
    PedalHarness h;
    const Bytes file = sampleIrFile("Restored", 21);
    const auto chunks = irRestore(77, file);
    std::vector<std::size_t> answered;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const auto replies = h.send(chunks[i]);
        if (!replies.empty()) {
            EXPECT_EQ(replies, std::vector<Bytes>{status(cmd::RestoreAck)});
            answered.push_back(i);
        }
    }
    EXPECT_EQ(answered, (std::vector<std::size_t>{0, chunks.size() - 1}));
    ASSERT_NE(h.pedal.ir(77), nullptr);
    EXPECT_EQ(*h.pedal.ir(77), file);
}

TEST(PedalRestore, IrWithWrongChecksumIsRefusedAtTheEnd) {
    PedalHarness h;
    const auto replies = h.sendAll(irRestore(78, sampleIrFile("Bad", 1), 5));
    EXPECT_EQ(commands(replies), (std::vector<std::uint8_t>{cmd::RestoreAck, cmd::RestoreRefused}));
    EXPECT_EQ(h.pedal.ir(78), nullptr);
}

TEST(PedalRestore, UploadChunksDoNotFinishARestore) {
    PedalHarness h;
    const Bytes file = sampleIrFile("Mixed", 2);
    auto chunks = irRestore(79, file);
    chunks.back() = irUpload(79, file).back();  // 0x66 where 0x79 belongs
    const auto replies = h.sendAll(chunks);
    EXPECT_EQ(commands(replies), (std::vector<std::uint8_t>{cmd::RestoreAck, cmd::IrError}));
    EXPECT_EQ(h.pedal.ir(79), nullptr);
}

TEST(PedalRestore, AcknowledgementByteIsConfigurable) {
    for (std::uint8_t ack : {cmd::RestoreAck, cmd::RestoreAckAlt, cmd::RestoreContinue}) {
        PedalHarness h;
        h.pedal.faults().setRestoreAck(ack);
        EXPECT_EQ(h.send(blockMessage(cmd::RestorePreset, 1, namedRecord('A'))),
                  std::vector<Bytes>{status(ack)});
    }
    PedalHarness h;
    h.pedal.faults().setRestoreAck(0x42);  // not an acknowledgement: keeps 71
    EXPECT_EQ(h.send(blockMessage(cmd::RestorePreset, 1, namedRecord('A'))),
              std::vector<Bytes>{status(cmd::RestoreAck)});
}

TEST(PedalRestore, RefusalHitsOnlyTheNthAnsweredMessage) {
    PedalHarness h;
    h.pedal.faults().refuseRestore(2);
    // Messages answered: preset, IR first, IR last. The second is the IR first chunk.
    std::vector<Bytes> bank{blockMessage(cmd::RestorePreset, 4, namedRecord('R'))};
    for (Bytes& chunk : irRestore(90, sampleIrFile("Refused", 3))) bank.push_back(chunk);
    const auto replies = h.sendAll(bank);
    EXPECT_EQ(commands(replies), (std::vector<std::uint8_t>{cmd::RestoreAck, cmd::RestoreRefused,
                                                            cmd::RestoreRefused}));
    EXPECT_EQ(h.pedal.preset(4), namedRecord('R'));
    EXPECT_EQ(h.pedal.ir(90), nullptr);
}

// ---- firmware loader ------------------------------------------------------------------

Bytes firmwareFile(std::size_t size) {
    Bytes file(size);
    for (std::size_t i = 0; i < size; ++i) file[i] = static_cast<std::uint8_t>(i * 31 + 7);
    return file;
}

// The chunks as the editor's firmware step sends them; a stream shorter than
// one chunk goes out zero-padded and is followed by an empty last chunk.
std::vector<Bytes> firmwareChunks(const Bytes& file, int checksumDelta = 0) {
    const Bytes stream = packStream(file);
    const unsigned sum = (checksumOf(stream).value() + checksumDelta) & 0x3FFF;
    Bytes first(stream.begin(), stream.begin() + std::min(stream.size(), FirmwareChunkBytes));
    first.resize(FirmwareChunkBytes, 0);
    std::vector<Bytes> out{firmwareFirstChunk(static_cast<unsigned>(stream.size()), first)};
    std::size_t sent = FirmwareChunkBytes;
    while (stream.size() > sent && stream.size() - sent > FirmwareChunkBytes) {
        out.push_back(firmwareMiddleChunk(ByteSpan(stream).subspan(sent, FirmwareChunkBytes)));
        sent += FirmwareChunkBytes;
    }
    const std::size_t rest = stream.size() > sent ? stream.size() - sent : 0;
    out.push_back(firmwareLastChunk(ByteSpan(stream).subspan(std::min(sent, stream.size()), rest),
                                    checksumOfSum(sum)));
    return out;
}

TEST(PedalFirmware, AcceptsImageAndKeepsTheDecodedFile) {
    // 7000 bytes: an image with a final zero byte; 210 leaves one byte after
    // the first chunk; 209 and 100 are shorter than the first chunk.
    for (std::size_t size : {7000u, 210u, 209u, 100u}) {
        PedalHarness h;
        const Bytes file = firmwareFile(size);
        EXPECT_EQ(h.send(firmwareEnterUpdate()), std::vector<Bytes>{firmwareStatus(fwcmd::Ready)});
        const auto replies = h.sendAll(firmwareChunks(file));
        EXPECT_EQ(replies, std::vector<Bytes>{firmwareStatus(fwcmd::Finished)}) << size;
        EXPECT_EQ(h.pedal.lastFirmwareImage(), file) << size;
    }
}

TEST(PedalFirmware, LastChunkMayCarryAFullBlock) {
    PedalHarness h;
    Bytes stream(2 * FirmwareChunkBytes);
    for (std::size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<std::uint8_t>(i % 128);
    const ByteSpan all(stream);
    h.send(firmwareEnterUpdate());
    EXPECT_TRUE(h.send(firmwareFirstChunk(480, all.first(FirmwareChunkBytes))).empty());
    const Bytes last = firmwareLastChunk(all.subspan(FirmwareChunkBytes), checksumOf(all));
    ASSERT_EQ(last.size(), 249u);
    EXPECT_EQ(h.send(last), std::vector<Bytes>{firmwareStatus(fwcmd::Finished)});
    EXPECT_EQ(h.pedal.lastFirmwareImage(), unpackStream(all));
}

TEST(PedalFirmware, FailedUpdateReportsFailedAndKeepsNoImage) {
    struct Case {
        const char* what;
        int checksumDelta;
        bool loseAChunk;
        bool injected;
    };
    for (const Case c :
         {Case{"wrong checksum", 1, false, false}, Case{"lost chunk", 0, true, false},
          Case{"injected failure", 0, false, true}}) {
        SCOPED_TRACE(c.what);
        PedalHarness h;
        h.pedal.faults().failFirmware(c.injected);
        h.send(firmwareEnterUpdate());
        auto chunks = firmwareChunks(firmwareFile(3000), c.checksumDelta);
        if (c.loseAChunk) chunks.erase(chunks.begin() + 2);
        EXPECT_EQ(h.sendAll(chunks), std::vector<Bytes>{firmwareStatus(fwcmd::Failed)});
        EXPECT_TRUE(h.pedal.lastFirmwareImage().empty());
    }
}

TEST(PedalFirmware, ChunksWithoutEnteringUpdateModeAreIgnored) {
    PedalHarness h;
    EXPECT_TRUE(h.sendAll(firmwareChunks(firmwareFile(2000))).empty());
    EXPECT_TRUE(h.pedal.lastFirmwareImage().empty());
}

TEST(PedalFirmware, ImageLargerThanTheLoaderHoldsFailsAtOnce) {
    PedalHarness h;
    h.send(firmwareEnterUpdate());
    const Bytes chunk(FirmwareChunkBytes, 0);
    EXPECT_EQ(h.send(firmwareFirstChunk(74899, chunk)),
              std::vector<Bytes>{firmwareStatus(fwcmd::Failed)});
}

}  // namespace
}  // namespace vornix::sim::testing
