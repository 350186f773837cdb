// IR upload, download and name pages.
#include <gtest/gtest.h>

#include <optional>

#include "pedal_harness.hpp"

namespace vornix::sim::testing {
namespace {

using namespace sysex;

TEST(PedalIrUpload, StoresIrWhoseChecksumMatches) {
    PedalHarness h;
    const Bytes file = sampleIrFile("My Cab", 7);
    const auto chunks = irUpload(200, file);
    ASSERT_EQ(chunks.size(), 11u);  // 2,785 stream bytes: first, nine middle, last
    EXPECT_EQ(h.send(chunks[0]), std::vector<Bytes>{status(cmd::IrHeaderAccepted)});
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) EXPECT_TRUE(h.send(chunks[i]).empty());
    EXPECT_EQ(h.send(chunks.back()), std::vector<Bytes>{status(cmd::IrStored)});
    ASSERT_NE(h.pedal.ir(200), nullptr);
    EXPECT_EQ(*h.pedal.ir(200), file);
}

// A refused upload answers IrError at the end and leaves the slot as it was.
TEST(PedalIrUpload, RefusedStreamsKeepWhatTheSlotHeld) {
    struct Case {
        const char* what;
        unsigned number;
        std::vector<Bytes> chunks;
    };
    auto gap = irUpload(40, sampleIrFile("Gap", 2));
    gap.erase(gap.begin() + 4);
    const Case cases[] = {
        {"wrong checksum over an existing IR", 3, irUpload(3, sampleIrFile("Broken", 1), 1)},
        {"a middle chunk missing", 40, gap},
        {"not an IR slot file", 41, irUpload(41, Bytes(1000, 0x11))},
        {"last chunk without a first", 50, {irUpload(50, sampleIrFile("Tail", 4)).back()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PedalHarness h;
        const std::optional<Bytes> before =
            h.pedal.ir(c.number) ? std::optional<Bytes>(*h.pedal.ir(c.number)) : std::nullopt;
        const auto replies = h.sendAll(c.chunks);
        ASSERT_FALSE(replies.empty());
        EXPECT_EQ(replies.back(), status(cmd::IrError));
        EXPECT_EQ(h.pedal.ir(c.number) ? std::optional<Bytes>(*h.pedal.ir(c.number)) : std::nullopt,
                  before);
    }
}

TEST(PedalIrUpload, RefusesNumberOutsideTheLibraryAtTheFirstChunk) {
    for (unsigned number : {288u, 383u, 392u, 16383u}) {
        PedalHarness h;
        const auto chunks = irUpload(number, sampleIrFile("Nowhere", 3));
        EXPECT_EQ(h.send(chunks[0]), std::vector<Bytes>{status(cmd::IrError)}) << number;
        h.sendAll(chunks);
        EXPECT_EQ(h.pedal.ir(number), nullptr) << number;
    }
}

TEST(PedalIrDownload, StreamDecodesToTheStoredSlotFile) {
    PedalHarness h;
    const Bytes file = sampleIrFile("Round Trip", 9);
    h.pedal.setIr(287, file);  // the last factory-bank slot
    const auto chunks = h.send(requestIr(287));
    ASSERT_EQ(chunks.size(), 11u);
    EXPECT_EQ(chunks.front().size(), IrFirstSize);
    EXPECT_EQ(chunks.front()[at::Device], DeviceCode);
    EXPECT_EQ(read21(chunks.front(), at::IrStreamLength), 2785u);
    EXPECT_EQ(chunks.back().size(), 225u + 10u);
    const DecodedIr decoded = decodeIrDownload(chunks);
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.number, 287u);
    EXPECT_EQ(decoded.data, file);
}

// What the pedal sends for an IR: the stream checksum of the last chunk is
// its own when it has a convention of its own; the stream is the same.
TEST(PedalIrDownload, AConventionOfItsOwnChangesOnlyTheStreamChecksum) {
    PedalOptions own;
    own.irDumpChecksumOffset = 0x3FFE;
    PedalHarness plain;
    PedalHarness offset(own);
    const std::vector<Bytes> a = plain.send(requestIr(5));
    const std::vector<Bytes> b = offset.send(requestIr(5));
    ASSERT_EQ(a.size(), 11u);
    ASSERT_EQ(b.size(), 11u);
    for (std::size_t i = 0; i + 1 < a.size(); ++i) EXPECT_EQ(a[i], b[i]);
    const Bytes& last = a.back();
    const unsigned sum = read14(last, last.size() - 3);
    EXPECT_EQ(Bytes(last.begin(), last.end() - 3), Bytes(b.back().begin(), b.back().end() - 3));
    EXPECT_EQ(read14(b.back(), b.back().size() - 3), (sum + 0x3FFE) & 0x3FFF);
}

TEST(PedalIrDownload, UnknownNumberSendsSilenceNamedEmpty) {
    PedalHarness h;
    const DecodedIr decoded = decodeIrDownload(h.send(requestIr(250)));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.number, 250u);
    EXPECT_EQ(decoded.data, emptyIrSlotFile());
    EXPECT_EQ(trimDeviceName(ByteSpan(decoded.data).subspan(irfile::NameAt, NameBytes)), "Empty");
}

TEST(PedalIrNames, PageHoldsEightNamesOfItsBankQuarter) {
    PedalHarness h;
    h.pedal.setIr(32 * 2 + 8 + 3, sampleIrFile("Bank3 Row12", 1));  // bank 2, page 2*4+1, slot 3
    const auto replies = h.send(requestIrNames(9));
    ASSERT_EQ(replies.size(), 1u);
    const BlockParse parsed = parseBlockMessage(replies[0]);
    ASSERT_EQ(parsed.error, ParseError::None);
    EXPECT_TRUE(parsed.view.checksumOk);
    EXPECT_EQ(parsed.view.command, cmd::IrNamePage);
    EXPECT_EQ(parsed.view.number, 9);
    for (unsigned i = 0; i < 8; ++i) {
        const std::string name = trimDeviceName(parsed.view.block.subspan(32 * i, NameBytes));
        if (i == 3)
            EXPECT_EQ(name, "Bank3 Row12");
        else
            EXPECT_EQ(name, std::string(32, ' ')) << i;  // an empty slot is 32 spaces
    }
}

TEST(PedalIrNames, FactoryIrsShowOnTheFirstPage) {
    PedalHarness h;
    const auto replies = h.send(requestIrNames(0));
    ASSERT_EQ(replies.size(), 1u);
    const BlockParse parsed = parseBlockMessage(replies[0]);
    // Custom IRs 0-7 are played by factory presets, so all eight have names.
    for (unsigned i = 0; i < 8; ++i)
        EXPECT_NE(trimDeviceName(parsed.view.block.subspan(32 * i, NameBytes)),
                  std::string(32, ' '));
}

}  // namespace
}  // namespace vornix::sim::testing
