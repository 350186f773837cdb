#include "device/transfer_buffer.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "ir/ir_slot_file.hpp"

namespace vornix::ir {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sysex::TransferBuffer;

// The packing itself is pinned by the wire-format known answers; here the
// buffer hands out what it packed, in order, and counts what is left.
TEST(TransferBuffer, HandsOutTheSlotFileImageInChunks) {
    const std::vector<double> samples(IrSlotSamples, 0.25);
    const auto slot = encodeIrSlotFile(sysex::padName("Image"), samples);
    TransferBuffer buffer;
    ASSERT_TRUE(buffer.load(slot.bytes));
    EXPECT_EQ(buffer.total(), 2785u);
    EXPECT_EQ(buffer.sent(), 0u);
    Bytes taken;
    while (buffer.remaining() > 0) {
        const auto chunk = buffer.take(256);
        ASSERT_FALSE(chunk.empty());
        taken.insert(taken.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(buffer.sent(), 2785u);
    EXPECT_TRUE(buffer.take(256).empty());
    EXPECT_EQ(sysex::unpackStream(taken), Bytes(slot.bytes.begin(), slot.bytes.end()));
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
