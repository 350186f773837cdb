#include "ir/ir_slot_file.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "device/sysex.hpp"

namespace vornix::ir {
namespace {

std::uint16_t wordAt(const IrSlotBytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint16_t sampleWordOf(double sample) {
    std::vector<double> samples(IrSlotSamples, 0.0);
    samples[0] = sample;
    return wordAt(encodeIrSlotFile(sysex::padName("x"), samples).bytes, irslot::Samples);
}

TEST(IrSlotFile, SilenceIsStoredWithFullGainAndZeroSamples) {
    const std::vector<double> silence(IrSlotSamples, 0.0);
    const auto slot = encodeIrSlotFile(sysex::padName("Quiet"), silence);
    EXPECT_EQ(slot.gain, 1.0);
    EXPECT_EQ(wordAt(slot.bytes, irslot::Marker), 1u);
    EXPECT_EQ(wordAt(slot.bytes, irslot::Gain), 0x8000u);
    for (std::size_t k = 0; k < IrSlotSamples; ++k)
        ASSERT_EQ(wordAt(slot.bytes, irslot::Samples + 2 * k), 0u) << k;
}

struct SampleWord {
    double sample;
    std::uint16_t word;
};

class SampleWords : public ::testing::TestWithParam<SampleWord> {};

TEST_P(SampleWords, TruncateTowardZeroAndClipAtFullScale) {
    EXPECT_EQ(sampleWordOf(GetParam().sample), GetParam().word) << GetParam().sample;
}

INSTANTIATE_TEST_SUITE_P(
    Quantisation, SampleWords,
    ::testing::Values(SampleWord{0.5, 0x4000}, SampleWord{-0.5, 0xC000},
                      SampleWord{1.9 / 32768, 0x0001}, SampleWord{-1.9 / 32768, 0xFFFF},
                      SampleWord{32767 / 32768.0, 0x7FFF},
                      // Full scale and beyond (8-bit and float WAVs) must not wrap.
                      SampleWord{1.0, 0x7FFF}, SampleWord{1.007874, 0x7FFF},
                      SampleWord{1.5, 0x7FFF}, SampleWord{-1.0, 0x8000}, SampleWord{-2.0, 0x8000},
                      SampleWord{std::numeric_limits<double>::quiet_NaN(), 0x0000}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

TEST(IrSlotFile, GainNormalisesTheEnergyOfTheFirst1200Samples) {
    std::vector<double> samples(IrSlotSamples + 100, 0.0);
    samples[0] = 1.0;
    samples[IrSlotSamples] = 100.0;  // past the slot: must not count
    const auto slot = encodeIrSlotFile(sysex::padName("One"), samples);
    EXPECT_DOUBLE_EQ(slot.gain, 1.2 / std::sqrt(2.0));
    EXPECT_EQ(wordAt(slot.bytes, irslot::Gain), 27804u);  // trunc(0.848528 x 32768)

    std::vector<double> loud(100, 0.9);
    EXPECT_DOUBLE_EQ(encodeIrSlotFile(sysex::padName("Loud"), loud).gain,
                     1.2 / (9.0 * std::sqrt(2.0)));
}

TEST(IrSlotFile, RoundTripKeepsNameGainAndSamplesToOneStep) {
    std::vector<double> samples(IrSlotSamples);
    for (std::size_t k = 0; k < samples.size(); ++k) samples[k] = std::sin(0.1 * k) * 0.9;
    const auto slot = encodeIrSlotFile(sysex::padName("Round Trip"), samples);

    const auto decoded = decodeIrSlotFile(slot.bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_NEAR(decoded->gain, slot.gain, 1 / 32768.0);
    for (std::size_t k = 0; k < IrSlotSamples; ++k)
        ASSERT_NEAR(decoded->samples[k], samples[k], 1 / 32768.0) << k;
    EXPECT_EQ(irSlotFileName(slot.bytes), "Round Trip");
}

TEST(IrSlotFile, DecodesFullGainAsOneAndSamplesAsSigned) {
    IrSlotBytes bytes{};
    bytes[irslot::Gain + 1] = 0x80;
    bytes[irslot::Samples] = 0x00;
    bytes[irslot::Samples + 1] = 0x80;
    bytes[irslot::Samples + 2] = 0xFF;
    bytes[irslot::Samples + 3] = 0x7F;
    const auto decoded = decodeIrSlotFile(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->gain, 1.0);
    EXPECT_EQ(decoded->samples[0], -1.0);
    EXPECT_EQ(decoded->samples[1], 32767 / 32768.0);

    IrSampleBuffer buffer;
    buffer.fill(0.75);
    copyIntoBuffer(*decoded, buffer);
    EXPECT_EQ(buffer[0], -1.0);
    EXPECT_EQ(buffer[IrSlotSamples], 0.75);  // past the slot: untouched
}

TEST(IrSlotFile, RefusesAnyOtherSize) {
    for (std::size_t size : {std::size_t{0}, IrSlotFileBytes - 1, IrSlotFileBytes + 1}) {
        const std::vector<std::uint8_t> bytes(size);
        EXPECT_FALSE(decodeIrSlotFile(bytes).has_value()) << size;
    }
    const std::vector<std::uint8_t> tooShortForAName(irslot::Name + 31);
    EXPECT_FALSE(irSlotFileName(tooShortForAName).has_value());
}

}  // namespace
}  // namespace vornix::ir
