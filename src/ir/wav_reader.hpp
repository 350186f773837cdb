#pragma once
// Turns a RIFF/WAVE file into the device's IR form: channel 0 only, resampled
// to 44.1 kHz, at most 4096 samples of which the device plays the first 1200.
// A file that is not a readable WAV is refused with a reason the user can act
// on; nothing half-decoded is ever handed out, and a file without a single
// sample at 44.1 kHz is refused rather than turned into a silent IR. A file that ends inside its
// sample data (a recorder that stopped, a stream writer that never went back
// to fill in the size) gives the whole frames it holds, with a warning.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vornix::ir {

inline constexpr std::size_t IrBufferSamples = 4096;
inline constexpr double IrRate = 44100.0;

// The editor's current IR at 44.1 kHz; 1.0 is full scale.
using IrSampleBuffer = std::array<double, IrBufferSamples>;

enum class WavError {
    None,
    CannotOpen,
    NotRiff,
    NotWave,
    NoFormatChunk,
    NoDataChunk,
    ZeroChannels,
    ZeroBlockAlign,
    BlockAlignTooSmall,
    ZeroSampleRate,
    UnsupportedSampleSize,
    Truncated,
    NoSamples,
};

// Format tags as they appear in the "fmt " chunk.
namespace wavtag {
inline constexpr std::uint16_t Pcm = 1;
inline constexpr std::uint16_t IeeeFloat = 3;
inline constexpr std::uint16_t Extensible = 0xFFFE;
}  // namespace wavtag

struct WavFormat {
    // For extensible files, the tag of the sub-format (1 or 3).
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint64_t frames = 0;  // whole frames in the "data" chunk (that are in the file)
};

struct WavResult {
    WavError error = WavError::None;
    std::string message;  // why the file was refused, empty when it was read
    // Set when the file was read but not as it declares itself (it ends
    // before its "data" chunk does); the user should hear about it.
    std::string warning;
    WavFormat format;
    // Channel 0 at 44.1 kHz, cut to IrBufferSamples.
    std::vector<double> samples;

    bool ok() const { return error == WavError::None; }
};

WavResult readWav(const std::filesystem::path& path);
WavResult parseWav(std::span<const std::uint8_t> bytes);

// Resamples one channel to 44.1 kHz by linear interpolation, keeping at most
// maxOutput samples. A rate of exactly 44100 copies the samples untouched.
std::vector<double> resampleToIrRate(std::span<const double> input, double sampleRate,
                                     std::size_t maxOutput = IrBufferSamples);

// Clears the whole buffer, then copies as many samples as fit.
void loadIntoBuffer(std::span<const double> samples, IrSampleBuffer& buffer);

}  // namespace vornix::ir
