#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "device/sysex.hpp"
#include "sent_log.hpp"

namespace vornix::sysex {
namespace {

using vornix::testing::bytesOf;

// ---- packed streams ------------------------------------------------------------

struct PackCase {
    const char* name;
    Bytes data;
    Bytes stream;
};

TEST(PackedStream, KnownAnswers) {
    const std::vector<PackCase> cases{
        {"three letters", bytesOf({0x61, 0x62, 0x63}), bytesOf({0x30, 0x58, 0x4C, 0x30})},
        {"top bit then zero", bytesOf({0x80, 0x00}), bytesOf({0x40, 0x00, 0x00})},
        {"seven ones", Bytes(7, 0xFF),
         bytesOf({0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x00})},
        {"empty", {}, bytesOf({0x00})},
    };
    for (const PackCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(packStream(c.data), c.stream);
        EXPECT_EQ(unpackStream(c.stream), c.data);
    }
}

TEST(PackedStream, StreamChecksumOfThreeLettersIs0204) {
    const Bytes stream = packStream(bytesOf({0x61, 0x62, 0x63}));
    const Checksum sum = checksumOf(stream);
    EXPECT_EQ(sum.value(), 260u);
    EXPECT_EQ(sum, (Checksum{0x02, 0x04}));
}

TEST(PackedStream, LengthRules) {
    EXPECT_EQ(packedLength(7), 9u);  // 8n a multiple of 7: one zero byte more
    EXPECT_EQ(unpackedLength(9), 7u);
    EXPECT_EQ(packedLength(2436), 2785u);
    EXPECT_EQ(unpackedLength(2785), 2436u);
    EXPECT_EQ(packedLength(2), 3u);
    for (std::size_t n = 0; n < 300; ++n) EXPECT_EQ(unpackedLength(packedLength(n)), n) << n;
}

TEST(PackedStream, RoundTripsEverySizeAndValue) {
    std::mt19937 random(7);
    for (std::size_t n : {1u, 2u, 6u, 7u, 8u, 13u, 14u, 15u, 64u, 255u, 2436u}) {
        Bytes data(n);
        for (auto& b : data) b = static_cast<std::uint8_t>(random());
        const Bytes stream = packStream(data);
        ASSERT_EQ(stream.size(), packedLength(n));
        EXPECT_TRUE(std::all_of(stream.begin(), stream.end(), [](auto b) { return b < 0x80; }));
        EXPECT_EQ(unpackStream(stream), data) << n;
    }
}

// The receiver sees a stream in chunks and flushes with one zero byte at the end.
TEST(PackedStream, UnpackerFedInChunksThenFlushedGivesTheData) {
    Bytes data(2436);
    std::iota(data.begin(), data.end(), 0);
    const Bytes stream = packStream(data);
    StreamUnpacker unpacker;
    unpacker.start(unpackedLength(stream.size()));
    Bytes out;
    for (std::size_t at = 0; at < stream.size(); at += 256) {
        for (std::size_t i = at; i < std::min(stream.size(), at + 256); ++i)
            unpacker.push(stream[i]);
        unpacker.drain([&](std::uint8_t b) { out.push_back(b); });
    }
    unpacker.finish();
    unpacker.drain([&](std::uint8_t b) { out.push_back(b); });
    EXPECT_TRUE(unpacker.complete());
    EXPECT_EQ(out, data);
}

TEST(PackedStream, UnpackerStopsAtTheExpectedCount) {
    StreamUnpacker unpacker;
    unpacker.start(2);
    for (int i = 0; i < 10; ++i) unpacker.push(0x7F);
    EXPECT_EQ(unpacker.produced(), 2u);
}

// ---- checksums and numbers ------------------------------------------------------

TEST(BlockChecksum, KnownAnswers) {
    struct Case {
        const char* name;
        Bytes block;
        Checksum expected;
    };
    Bytes two127(256, 0);
    two127[0] = two127[255] = 127;
    Bytes atLimit(256, 64);  // sums to exactly 0x4000
    Bytes pastLimit = atLimit;
    pastLimit[3] = 65;
    const std::vector<Case> cases{
        {"two bytes of 127", two127, {0x01, 0x7E}},
        {"all 127", Bytes(256, 127), {0x7E, 0x00}},
        {"all zero", Bytes(256, 0), {0x00, 0x00}},
        {"sum 0x4000 wraps to zero", atLimit, {0x00, 0x00}},
        {"sum 0x4001", pastLimit, {0x00, 0x01}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(checksumOf(c.block), c.expected);
        const Bytes m = blockMessage(cmd::PresetDump, 0, c.block);
        EXPECT_EQ(m[264], c.expected.high);
        EXPECT_EQ(m[265], c.expected.low);
    }
}

TEST(WireNumbers, FourteenAndTwentyOneBitsHighFirst) {
    Bytes out;
    append14(out, 300);
    append21(out, 2785);
    EXPECT_EQ(out, bytesOf({0x02, 0x2C, 0x00, 0x15, 0x61}));
    EXPECT_EQ(read14(out, 0), 300u);
    EXPECT_EQ(read21(out, 2), 2785u);
    // Reads past the end give zero rather than touching memory.
    EXPECT_EQ(read14(out, 4), 0u);
    EXPECT_EQ(read21(out, 3), 0u);
}

// ---- editor -> device layouts ---------------------------------------------------

TEST(EditorMessages, ByteLayouts) {
    struct Case {
        const char* name;
        Bytes built;
        Bytes expected;
    };
    const std::vector<Case> cases{
        {"parameter 1 to 100", setParameter(1, 100),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x50, 0x0A, 0x01, 0x64, 0xF7})},
        {"device number 20 to 0", setParameter(20, 0),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x50, 0x0A, 0x14, 0x00, 0xF7})},
        {"request IR 300", requestIr(300),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x69, 0x0A, 0x02, 0x2C, 0xF7})},
        {"identify", requestPage(page::Identify),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x55, 0x0A, 0x0F, 0xF7})},
        {"request preset", requestPreset(5),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x40, 0x0A, 5, 0xF7})},
        {"select preset", selectPreset(127),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x23, 0x0A, 127, 0xF7})},
        {"store preset", storePreset(9),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x50, 0x0A, 0x12, 9, 0xF7})},
        {"layer B on", switchLayer(true),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x50, 0x0A, 0x13, 1, 0xF7})},
        {"reset settings", factoryReset(reset::Settings),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x56, 0x0A, 2, 0xF7})},
        {"begin transfer", beginTransfer(), bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x5A, 0x0A, 0xF7})},
        {"end transfer", endTransfer(), bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x5B, 0x0A, 0xF7})},
        {"editor closed", editorClosed(), bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x5F, 0x0A, 0xF7})},
        {"IR names", requestIrNames(4), bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x6A, 0x0A, 4, 0xF7})},
        {"firmware start", firmwareEnterUpdate(), bytesOf({0xF0, 0, 0x51, 0x21, 4, 0x10, 0xF7})},
        {"status", status(cmd::Completion), bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x57, 0x00, 0xF7})},
        {"parameter changed", parameterChanged(77, 1),
         bytesOf({0xF0, 0, 0x51, 0x21, 5, 0x51, 0x0A, 77, 1, 0xF7})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toHex(c.built), toHex(c.expected));
    }
}

TEST(EditorMessages, ChunkSizes) {
    const Bytes stream(2785, 0x11);
    const ByteSpan all(stream);
    const Bytes first = irFirstChunk(cmd::IrFirst, 300, 2785, all.first(256));
    ASSERT_EQ(first.size(), IrFirstSize);
    EXPECT_EQ(read14(first, at::IrNumber), 300u);
    EXPECT_EQ(read21(first, at::IrStreamLength), 2785u);
    EXPECT_EQ(irMiddleChunk(cmd::IrMiddle, all.first(256)).size(), IrMiddleSize);
    EXPECT_EQ(irLastChunk(cmd::IrLast, all.first(225), {1, 2}).size(), 225u + 10);
    EXPECT_EQ(firmwareFirstChunk(1000, all.first(240)).size(), FirmwareFirstSize);
    EXPECT_EQ(firmwareMiddleChunk(all.first(240)).size(), FirmwareMiddleSize);
    EXPECT_EQ(firmwareLastChunk(all.first(17), {0, 0}).size(), 17u + 9);
}

TEST(EditorMessages, BlockMessageLayout) {
    Bytes block(256);
    std::iota(block.begin(), block.end(), 0);
    for (auto& b : block) b &= 0x7F;
    const Bytes m = blockMessage(cmd::EditBuffer, 17, block);
    ASSERT_EQ(m.size(), BlockMessageSize);
    EXPECT_EQ(toHex(ByteSpan(m).first(8)), "F0 00 51 21 05 20 0A 11");
    EXPECT_TRUE(std::equal(block.begin(), block.end(), m.begin() + 8));
    EXPECT_EQ(m.back(), End);
    EXPECT_TRUE(isFramed(m));
}

TEST(EditorMessages, IdentificationReplyCarriesVersionAndSerial) {
    const Bytes m = identificationReply(13, "VX1-42");
    ASSERT_EQ(m.size(), BlockMessageSize);
    EXPECT_EQ(m[at::Device], 13);
    EXPECT_EQ(m[at::Number], page::Identify);
    EXPECT_EQ(std::string(m.begin() + 232, m.begin() + 238), "VX1-42");
    EXPECT_EQ(m[238], ' ');
}

// ---- parsing -------------------------------------------------------------------------

TEST(ParseBlockMessage, SaysWhatWasWrong) {
    const Bytes good = blockMessage(cmd::PresetDump, 3, Bytes(256, 5));
    {
        const BlockParse p = parseBlockMessage(good);
        EXPECT_EQ(p.error, ParseError::None);
        EXPECT_TRUE(p.view.checksumOk);
        EXPECT_EQ(p.view.number, 3);
        EXPECT_EQ(p.view.command, cmd::PresetDump);
        EXPECT_EQ(p.view.block.size(), BlockSize);
    }
    EXPECT_EQ(parseBlockMessage(ByteSpan(good).first(266)).error, ParseError::Length);
    Bytes firmwareFamily = good;
    firmwareFamily[at::Family] = family::Firmware;
    EXPECT_EQ(parseBlockMessage(firmwareFamily).error, ParseError::Family);
    Bytes otherMaker = good;
    otherMaker[2] = 0x52;
    EXPECT_EQ(parseBlockMessage(otherMaker).error, ParseError::Framing);
    // A wrong checksum is reported in the view: the slot number is still usable.
    Bytes damaged = good;
    damaged[100] ^= 1;
    const BlockParse p = parseBlockMessage(damaged);
    EXPECT_EQ(p.error, ParseError::None);
    EXPECT_FALSE(p.view.checksumOk);
    EXPECT_EQ(p.view.number, 3);
}

TEST(Framing, RejectsBytesAboveSevenBitsAndForeignMakers) {
    Bytes m = requestPreset(1);
    EXPECT_TRUE(isFramed(m));
    m[7] = 0x81;
    EXPECT_FALSE(isFramed(m));
    EXPECT_FALSE(isFramed(bytesOf({0xF0, 0x00, 0x51, 0x22, 5, 0x40, 0xF7})));
    EXPECT_FALSE(isFramed(bytesOf({0xF0, 0xF7})));
    EXPECT_TRUE(hasHeader(firmwareStatus(fwcmd::Ready), family::Firmware));
    EXPECT_FALSE(hasHeader(firmwareStatus(fwcmd::Ready), family::Editor));
}

// ---- names and hex ------------------------------------------------------------------

TEST(TrimDeviceName, EndsAfterTheLastNonSpaceFromPositionOne) {
    struct Case {
        std::string padded;
        std::string expected;
    };
    const std::string spaces32(32, ' ');
    const std::vector<Case> cases{
        {"Warm Bass" + std::string(23, ' '), "Warm Bass"},
        {spaces32, spaces32},                                      // all spaces stay 32 spaces
        {"A" + std::string(31, ' '), "A" + std::string(31, ' ')},  // one letter keeps the field
        {" B" + std::string(30, ' '), " B"},
        {std::string(31, 'x') + "y", std::string(31, 'x') + "y"},
        {"A B" + std::string(29, ' '), "A B"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.padded.size(), 32u);
        const Bytes bytes(c.padded.begin(), c.padded.end());
        EXPECT_EQ(trimDeviceName(bytes), c.expected) << '"' << c.padded << '"';
    }
}

TEST(PadName, PadsWithSpacesAndCutsAt32) {
    const auto shortName = padName("Hi");
    EXPECT_EQ(std::string(shortName.begin(), shortName.end()), "Hi" + std::string(30, ' '));
    const auto longName = padName(std::string(40, 'z'));
    EXPECT_EQ(std::string(longName.begin(), longName.end()), std::string(32, 'z'));
}

TEST(Hex, RoundTripAndBadInput) {
    EXPECT_EQ(toHex(bytesOf({0xF0, 0x0A, 0x7F})), "F0 0A 7F");
    EXPECT_EQ(toHex({}), "");
    Bytes out;
    ASSERT_TRUE(fromHex("f0 0a\t7F\n", out));
    EXPECT_EQ(out, bytesOf({0xF0, 0x0A, 0x7F}));
    ASSERT_TRUE(fromHex("", out));
    EXPECT_TRUE(out.empty());
    for (const char* bad : {"F", "F0 1", "G0", "F00A", "F0-0A"})
        EXPECT_FALSE(fromHex(bad, out)) << bad;
    const Bytes all = [] {
        Bytes b(256);
        std::iota(b.begin(), b.end(), 0);
        return b;
    }();
    ASSERT_TRUE(fromHex(toHex(all), out));
    EXPECT_EQ(out, all);
}

}  // namespace
}  // namespace vornix::sysex
