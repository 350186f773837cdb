#include "ir/wav_reader.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "storage/file_io.hpp"
#include "temp_dir.hpp"
#include "wav_bytes.hpp"

namespace vornix::ir {
namespace {

using vornix::testing::makeWav16;
using vornix::testing::testDataPath;

WavResult readTestWav(const std::string& name) {
    return readWav(testDataPath("wav/" + name));
}

// The pattern make_wavs.py writes into its 16-bit files.
double value16(int k) {
    return ((k * 7919) % 65536 - 32768) / 32768.0;
}

constexpr double Scale24 = 8388607.49999;
constexpr double Scale32 = 2147483647.49999;

TEST(WavReader, CopiesA44100HzFileSampleForSample) {
    const auto wav = readTestWav("pcm16_mono_44100.wav");
    ASSERT_TRUE(wav.ok()) << wav.message;
    EXPECT_EQ(wav.format.sampleRate, 44100u);
    EXPECT_EQ(wav.format.bitsPerSample, 16u);
    EXPECT_EQ(wav.format.frames, 1000u);
    ASSERT_EQ(wav.samples.size(), 1000u);
    for (int k = 0; k < 1000; ++k) ASSERT_EQ(wav.samples[k], value16(k)) << "sample " << k;
}

TEST(WavReader, LoadIntoBufferClearsWhatTheFileDoesNotCover) {
    const auto wav = readTestWav("pcm16_mono_44100.wav");
    IrSampleBuffer buffer;
    buffer.fill(0.25);
    loadIntoBuffer(wav.samples, buffer);
    EXPECT_EQ(buffer[999], value16(999));
    for (std::size_t i = 1000; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0.0) << i;

    const std::vector<double> longer(5000, 0.5);
    loadIntoBuffer(longer, buffer);
    EXPECT_EQ(buffer.back(), 0.5);
}

struct KnownSamples {
    const char* file;
    std::vector<double> expected;  // the first samples of channel 0
};

class WavFormats : public ::testing::TestWithParam<KnownSamples> {};

TEST_P(WavFormats, DecodesKnownSamples) {
    const auto& [file, expected] = GetParam();
    const auto wav = readTestWav(file);
    ASSERT_TRUE(wav.ok()) << wav.message;
    ASSERT_GE(wav.samples.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(wav.samples[i], expected[i]) << file << " sample " << i;
}

INSTANTIATE_TEST_SUITE_P(
    EverySampleSize, WavFormats,
    ::testing::Values(
        // Unsigned bytes: silence (128) is not quite zero, 255 exceeds full scale.
        KnownSamples{"pcm8_mono_44100.wav",
                     {-1.0, 128 / 127.0 - 1.0, 255 / 127.0 - 1.0, 0.0, 1 / 127.0 - 1.0}},
        KnownSamples{"pcm24_mono_44100.wav",
                     {0.0, 8388607 / Scale24, 8388608 / Scale24 - 2.0, 16777215 / Scale24 - 2.0,
                      4194304 / Scale24, 1 / Scale24}},
        KnownSamples{"pcm32_mono_44100.wav",
                     {0.0, 2147483647 / Scale32, -2147483648.0 / Scale32, 1073741824 / Scale32,
                      -1 / Scale32}},
        KnownSamples{"float32_mono_44100.wav",
                     {0.0, 0.5, -0.25, 1.5, -2.0, static_cast<double>(0.001f)}},
        // An extensible header whose sub-format says integer PCM must not be
        // read as floats (2147483647 would become NaN).
        KnownSamples{"pcm32_extensible_stereo_44100.wav",
                     {0.0, 2147483647 / Scale32, -2147483648.0 / Scale32, 1073741824 / Scale32}}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

TEST(WavReader, Resamples48kHzTo918SamplesAlongTheRamp) {
    const auto wav = readTestWav("pcm24_mono_48000.wav");
    ASSERT_TRUE(wav.ok()) << wav.message;
    ASSERT_EQ(wav.samples.size(), 918u);
    const double ratio = 48000 / 44100.0;
    // The file is a ramp (frame k = 1000 k), so interpolation lands on it.
    for (std::size_t j = 0; j < wav.samples.size(); ++j)
        ASSERT_NEAR(wav.samples[j], j * ratio * 1000 / Scale24, 1e-9) << j;
}

TEST(WavReader, KeepsTheFirstChannelAndHoldsTheLastSamplePastTheEnd) {
    const auto wav = readTestWav("pcm16_stereo_22050.wav");
    ASSERT_TRUE(wav.ok()) << wav.message;
    ASSERT_EQ(wav.samples.size(), 20u);
    for (int k = 0; k < 10; ++k) EXPECT_DOUBLE_EQ(wav.samples[2 * k], k * 1000 / 32768.0);
    for (int k = 0; k < 9; ++k)
        EXPECT_DOUBLE_EQ(wav.samples[2 * k + 1], (k + 0.5) * 1000 / 32768.0);
    // The last output needs the frame after the data; the last frame stands in.
    EXPECT_DOUBLE_EQ(wav.samples[19], 9000 / 32768.0);
}

TEST(WavReader, StepsOverOddSizedAndExtraChunks) {
    const auto wav = readTestWav("pcm16_stereo_48000_chunks.wav");
    ASSERT_TRUE(wav.ok()) << wav.message;
    EXPECT_EQ(wav.format.channels, 2u);
    EXPECT_EQ(wav.format.frames, 500u);
    ASSERT_EQ(wav.samples.size(), 459u);
    EXPECT_DOUBLE_EQ(wav.samples[0], value16(0));
}

TEST(WavReader, InterpolatesRatesCloseTo44100) {
    const auto bytes = makeWav16(44101, 1000, [](std::uint32_t k) { return k * 10; });
    const auto wav = parseWav(bytes);
    ASSERT_TRUE(wav.ok()) << wav.message;
    EXPECT_EQ(wav.samples.size(), 999u);
    EXPECT_NE(wav.samples[500], 5000 / 32768.0);
}

TEST(WavReader, KeepsAtMost4096SamplesOfALongOrSlowFile) {
    const auto longFile = makeWav16(44100, 20000, [](std::uint32_t k) { return k; });
    EXPECT_EQ(parseWav(longFile).samples.size(), IrBufferSamples);
    // 8 kHz upsamples more than fivefold; the tail of the input is still reached.
    const auto slowFile = makeWav16(8000, 1000, [](std::uint32_t k) { return k; });
    const auto wav = parseWav(slowFile);
    ASSERT_EQ(wav.samples.size(), IrBufferSamples);
    EXPECT_NEAR(wav.samples.back(), 4095 * (8000 / 44100.0) / 32768.0, 1e-9);
}

struct BrokenFile {
    const char* file;
    WavError error;
    const char* reason;  // part of the message the user sees
};

class RefusedWavs : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(RefusedWavs, AreRefusedWithAReason) {
    const auto& [file, error, reason] = GetParam();
    const auto wav = readTestWav(file);
    EXPECT_EQ(wav.error, error) << file;
    EXPECT_NE(wav.message.find(reason), std::string::npos) << wav.message;
    EXPECT_TRUE(wav.samples.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BrokenFiles, RefusedWavs,
    ::testing::Values(
        BrokenFile{"not_riff.wav", WavError::NotRiff, "not a WAV file: no 'RIFF' header"},
        BrokenFile{"riff_not_wave.wav", WavError::NotWave, "not of type 'WAVE'"},
        BrokenFile{"no_data_chunk.wav", WavError::NoDataChunk, "no 'data' chunk"},
        BrokenFile{"zero_block_align.wav", WavError::ZeroBlockAlign, "zero block alignment"},
        BrokenFile{"zero_channels.wav", WavError::ZeroChannels, "zero channels"},
        BrokenFile{"unsupported_12bit.wav", WavError::UnsupportedSampleSize,
                   "unsupported sample size: 12 bits"},
        BrokenFile{"no_whole_frame.wav", WavError::Truncated,
                   "truncated file: the 'data' chunk declares 400 bytes but only 3 follow, not "
                   "one whole frame of 4 bytes"},
        BrokenFile{"truncated_format.wav", WavError::Truncated, "truncated file"},
        // A chunk size pointing far past the end must end the search, not loop.
        BrokenFile{"chunk_size_past_end.wav", WavError::NoFormatChunk, "no 'fmt ' chunk"},
        BrokenFile{"does_not_exist.wav", WavError::CannotOpen, "cannot open"},
        BrokenFile{"header_only.wav", WavError::NoSamples, "The WAV file holds no samples."},
        BrokenFile{"one_frame_96000.wav", WavError::NoSamples, "holds no samples"},
        BrokenFile{"text_named.wav", WavError::NotRiff, "no 'RIFF' header"}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

struct EarlyEnd {
    const char* file;
    std::uint64_t frames;  // the whole frames in the file
    const char* warning;
    std::vector<double> expected;  // the first samples of channel 0
};

class WavsThatEndEarly : public ::testing::TestWithParam<EarlyEnd> {};

TEST_P(WavsThatEndEarly, GiveTheWholeFramesInTheFileWithAWarning) {
    const auto& [file, frames, warning, expected] = GetParam();
    const auto wav = readTestWav(file);
    ASSERT_TRUE(wav.ok()) << wav.message;
    EXPECT_EQ(wav.warning, warning);
    EXPECT_EQ(wav.format.frames, frames);
    // 44.1 kHz files: one sample per frame, none made up past the end.
    ASSERT_EQ(wav.samples.size(), frames);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(wav.samples[i], expected[i]) << file << " sample " << i;
}

INSTANTIATE_TEST_SUITE_P(
    DeclaredSizes, WavsThatEndEarly,
    ::testing::Values(
        EarlyEnd{"truncated_data.wav",
                 78,
                 "the 'data' chunk is declared longer than the file: read 78 whole frames",
                 {5 / 32768.0, 5 / 32768.0}},
        // 0xFFFFFFFF: the half frame at the end is left out.
        EarlyEnd{"data_size_ffffffff.wav",
                 100,
                 "the 'data' chunk is declared longer than the file: read 100 whole frames",
                 {value16(0), value16(1), value16(2)}},
        EarlyEnd{"data_size_zero.wav",
                 50,
                 "the 'data' chunk declares no size: read 50 whole frames to the end of the file",
                 {0.0, 1000 / Scale24, 2000 / Scale24}}),
    [](const auto& param) { return "Case" + std::to_string(param.index); });

TEST(WavReader, ReadsAFileOfTheDeclaredSizeWithoutAWarning) {
    const auto wav = readTestWav("pcm16_stereo_48000_chunks.wav");
    ASSERT_TRUE(wav.ok()) << wav.message;
    EXPECT_EQ(wav.warning, "");
}

// Cut inside the samples, a file gives the whole frames before the cut and
// says so; cut anywhere else it is refused or read as it declares itself.
TEST(WavReader, EveryCutOfAValidFileIsRefusedOrReadWithinItsBytes) {
    const auto whole = storage::readFile(testDataPath("wav/pcm16_stereo_48000_chunks.wav"));
    const std::uint64_t declaredFrames = 500;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const auto wav = parseWav(std::span(whole).first(size));
        ASSERT_EQ(wav.ok(), wav.message.empty()) << size;
        if (!wav.ok()) continue;
        ASSERT_GT(wav.format.frames, 0u) << size;
        ASSERT_LE(wav.format.frames * wav.format.blockAlign, size) << size;
        ASSERT_EQ(wav.warning.empty(), wav.format.frames == declaredFrames) << size;
    }
}

TEST(WavReader, RefusesAZeroSampleRate) {
    const auto bytes = makeWav16(0, 10, [](std::uint32_t) { return 1; });
    EXPECT_EQ(parseWav(bytes).error, WavError::ZeroSampleRate);
}

}  // namespace
}  // namespace vornix::ir
