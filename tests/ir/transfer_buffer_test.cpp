#include "ir/transfer_buffer.hpp"

#include <gtest/gtest.h>

#include <string>

#include <vector>

#include "ir/ir_slot_file.hpp"

namespace vornix::ir {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PackCase {
    Bytes data;
    Bytes image;
};

class PackedImages : public ::testing::TestWithParam<PackCase> {};

TEST_P(PackedImages, MatchTheDeviceLayout) {
    TransferBuffer buffer;
    ASSERT_TRUE(buffer.load(GetParam().data));
    EXPECT_EQ(buffer.image(), GetParam().image);
    EXPECT_EQ(buffer.remaining(), GetParam().image.size());
    EXPECT_EQ(buffer.sent(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    KnownAnswers, PackedImages,
    ::testing::Values(
        // 8 x 7 bits fill exactly, and the length rule still asks for a zero byte.
        PackCase{Bytes(7, 0xFF), {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x00}},
        PackCase{{0x80}, {0x40, 0x00}}, PackCase{{0x01, 0x02}, {0x00, 0x40, 0x40}}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

TEST(TransferBuffer, SlotFileImageIs2785BytesEndingInZero) {
    const std::vector<double> samples(IrSlotSamples, 0.25);
    const auto slot = encodeIrSlotFile(sysex::padName("Image"), samples);
    TransferBuffer buffer;
    ASSERT_TRUE(buffer.load(slot.bytes));
    EXPECT_EQ(buffer.total(), 2785u);
    EXPECT_EQ(buffer.image().back(), 0u);
    EXPECT_EQ(buffer.checksum(), sysex::checksumOf(buffer.image()));
}

TEST(TransferBuffer, RefusesAnImageBeyondItsCapacity) {
    TransferBuffer buffer;
    ASSERT_TRUE(buffer.load(Bytes(65535, 0xA5)));
    EXPECT_EQ(buffer.total(), TransferBuffer::Capacity);
    EXPECT_FALSE(buffer.load(Bytes(65536, 0x11)));
    EXPECT_EQ(buffer.total(), TransferBuffer::Capacity);
}

}  // namespace
}  // namespace vornix::ir
