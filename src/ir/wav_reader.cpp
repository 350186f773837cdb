#include "ir/wav_reader.hpp"

// Sections: byte sources (file or memory) - chunk walking - the "fmt " chunk -
// the data chunk's extent - sample decoding - resampling - the reader itself.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>

#include "storage/file_io.hpp"

namespace vornix::ir {
namespace {

// Denominators of the established conversion. They stay exact, odd .49999
// included, so that an IR converted again comes out bit-identical.
constexpr double Scale8 = 127.0;
constexpr double Scale16 = 32768.0;
constexpr double Scale24 = 8388607.49999;
constexpr double Scale32 = 2147483647.49999;
constexpr double Offset8 = 1.0;

constexpr std::size_t IdBytes = 4;
constexpr std::size_t ChunkHeaderBytes = 8;
constexpr std::uint32_t MinFormatBytes = 16;
// An extensible format chunk carries its real tag as the first two bytes of
// the sub-format GUID at this offset.
constexpr std::uint32_t ExtensibleFormatBytes = 40;
constexpr std::size_t SubFormatOffset = 24;
constexpr std::size_t FormatBytesKept = ExtensibleFormatBytes;

// ---- byte sources ------------------------------------------------------------

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::size_t read(std::uint8_t* out, std::size_t n) = 0;
    virtual void seek(std::uint64_t position) = 0;
    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t size() const = 0;

    std::uint64_t left() const { return size() - std::min(position(), size()); }
    bool readExact(std::uint8_t* out, std::size_t n) { return read(out, n) == n; }
};

class FileSource final : public ByteSource {
  public:
    explicit FileSource(storage::FileReader& reader) : reader_(reader) {}
    std::size_t read(std::uint8_t* out, std::size_t n) override { return reader_.read(out, n); }
    void seek(std::uint64_t position) override { reader_.seek(position); }
    std::uint64_t position() const override { return reader_.position(); }
    std::uint64_t size() const override { return reader_.size(); }

  private:
    storage::FileReader& reader_;
};

class SpanSource final : public ByteSource {
  public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t read(std::uint8_t* out, std::size_t n) override {
        const std::size_t count = std::min<std::uint64_t>(n, left());
        if (count > 0) std::memcpy(out, bytes_.data() + position_, count);
        position_ += count;
        return count;
    }
    void seek(std::uint64_t position) override { position_ = std::min(position, size()); }
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return bytes_.size(); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

// ---- little-endian fields ----------------------------------------------------

std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

bool hasId(const std::uint8_t* p, std::string_view id) {
    return std::memcmp(p, id.data(), IdBytes) == 0;
}

WavResult refuse(WavError error, std::string message) {
    WavResult result;
    result.error = error;
    result.message = std::move(message);
    return result;
}

// ---- chunks ------------------------------------------------------------------

struct Chunk {
    std::uint32_t size = 0;
    std::uint64_t start = 0;  // first byte of the chunk's data
};

// Walks chunk headers from the current position until `id`, stepping over
// the pad byte RIFF puts after odd-sized chunks. Gives up at the end of the
// file instead of trusting a size that points past it.
std::optional<Chunk> findChunk(ByteSource& source, std::string_view id) {
    std::uint8_t header[ChunkHeaderBytes];
    while (source.readExact(header, ChunkHeaderBytes)) {
        const Chunk chunk{le32(header + IdBytes), source.position()};
        if (hasId(header, id)) return chunk;
        const std::uint64_t next = chunk.start + chunk.size + (chunk.size & 1u);
        if (next >= source.size()) return std::nullopt;
        source.seek(next);
    }
    return std::nullopt;
}

void skipPastChunk(ByteSource& source, const Chunk& chunk) {
    source.seek(chunk.start + chunk.size + (chunk.size & 1u));
}

// ---- the format chunk --------------------------------------------------------

std::size_t bytesPerSample(const WavFormat& format) {
    return format.bitsPerSample / 8u;
}

bool isSupportedSampleSize(std::uint16_t bits) {
    return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Reads the "fmt " chunk; on refusal the result carries the reason.
WavResult readFormat(ByteSource& source, WavFormat& format) {
    const auto chunk = findChunk(source, "fmt ");
    if (!chunk) return refuse(WavError::NoFormatChunk, "not a WAV file: no 'fmt ' chunk");
    if (chunk->size < MinFormatBytes || source.left() < MinFormatBytes)
        return refuse(WavError::Truncated, "truncated file: the 'fmt ' chunk is incomplete");

    std::uint8_t bytes[FormatBytesKept] = {};
    const std::size_t kept = std::min<std::size_t>(chunk->size, FormatBytesKept);
    source.read(bytes, kept);
    format.formatTag = le16(bytes);
    format.channels = le16(bytes + 2);
    format.sampleRate = le32(bytes + 4);
    format.blockAlign = le16(bytes + 12);
    format.bitsPerSample = le16(bytes + 14);
    if (format.formatTag == wavtag::Extensible && kept >= ExtensibleFormatBytes)
        format.formatTag = le16(bytes + SubFormatOffset);
    skipPastChunk(source, *chunk);

    if (format.channels == 0) return refuse(WavError::ZeroChannels, "unusable WAV: zero channels");
    if (format.blockAlign == 0)
        return refuse(WavError::ZeroBlockAlign, "unusable WAV: zero block alignment");
    if (format.sampleRate == 0)
        return refuse(WavError::ZeroSampleRate, "unusable WAV: sample rate of 0 Hz");
    if (!isSupportedSampleSize(format.bitsPerSample))
        return refuse(WavError::UnsupportedSampleSize,
                      "unsupported sample size: " + std::to_string(format.bitsPerSample) +
                          " bits (8, 16, 24 and 32 bits work)");
    if (format.blockAlign < format.channels * bytesPerSample(format))
        return refuse(WavError::BlockAlignTooSmall,
                      "unusable WAV: block alignment of " + std::to_string(format.blockAlign) +
                          " bytes is too small for " + std::to_string(format.channels) +
                          " channels of " + std::to_string(format.bitsPerSample) + " bits");
    return {};
}

// ---- the data chunk's extent -------------------------------------------------

// How a "data" chunk disagrees with the end of the file it is in.
enum class EndsEarly {
    No,
    DeclaredLonger,  // a recorder that stopped, or 0xFFFFFFFF from a stream writer
    NoSize,          // 0 from a stream writer, with the samples after it
};

struct DataExtent {
    std::uint64_t bytes = 0;  // what can be read of the chunk
    EndsEarly endsEarly = EndsEarly::No;
};

// The samples that are in the file, as common audio libraries read them:
// up to the declared size, else to the end of the file.
DataExtent dataExtent(std::uint32_t declared, std::uint64_t left) {
    if (declared == 0 && left > 0) return {left, EndsEarly::NoSize};
    if (declared > left) return {left, EndsEarly::DeclaredLonger};
    return {declared, EndsEarly::No};
}

std::string earlyEndWarning(EndsEarly endsEarly, std::uint64_t frames) {
    const std::string read = "read " + std::to_string(frames) + " whole frames";
    if (endsEarly == EndsEarly::NoSize)
        return "the 'data' chunk declares no size: " + read + " to the end of the file";
    return "the 'data' chunk is declared longer than the file: " + read;
}

// ---- samples -----------------------------------------------------------------

double decodeSample(const std::uint8_t* p, const WavFormat& format) {
    switch (format.bitsPerSample) {
        case 8:
            return p[0] / Scale8 - Offset8;
        case 16:
            return static_cast<std::int16_t>(le16(p)) / Scale16;
        case 24: {
            const std::uint32_t u =
                std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
            const double v = u / Scale24;
            return v > 1.0 ? v - 2.0 : v;
        }
        default:
            break;
    }
    if (format.formatTag == wavtag::Pcm) return static_cast<std::int32_t>(le32(p)) / Scale32;
    float value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Input frames the resampler can touch while producing IrBufferSamples
// outputs; decoding stops there so a long file costs no more than a short one.
std::uint64_t framesNeeded(std::uint64_t frames, double ratio) {
    const double needed = static_cast<double>(IrBufferSamples) * ratio + 4.0;
    if (needed >= static_cast<double>(frames)) return frames;
    return static_cast<std::uint64_t>(needed);
}

std::vector<double> decodeChannelZero(ByteSource& source, const WavFormat& format,
                                      std::uint64_t frames) {
    std::vector<std::uint8_t> raw(frames * format.blockAlign);
    source.read(raw.data(), raw.size());
    std::vector<double> samples(frames);
    for (std::uint64_t f = 0; f < frames; ++f)
        samples[f] = decodeSample(raw.data() + f * format.blockAlign, format);
    return samples;
}

WavResult decode(ByteSource& source) {
    std::uint8_t riff[ChunkHeaderBytes + IdBytes];
    if (!source.readExact(riff, sizeof riff) || !hasId(riff, "RIFF"))
        return refuse(WavError::NotRiff, "not a WAV file: no 'RIFF' header");
    if (!hasId(riff + ChunkHeaderBytes, "WAVE"))
        return refuse(WavError::NotWave, "not a WAV file: the RIFF file is not of type 'WAVE'");

    WavResult result;
    if (auto refused = readFormat(source, result.format); !refused.ok()) return refused;

    const auto data = findChunk(source, "data");
    if (!data) return refuse(WavError::NoDataChunk, "not a WAV file: no 'data' chunk");

    WavFormat& format = result.format;
    const DataExtent extent = dataExtent(data->size, source.left());
    format.frames = extent.bytes / format.blockAlign;
    if (extent.endsEarly != EndsEarly::No) {
        if (format.frames == 0)
            return refuse(WavError::Truncated, "truncated file: the 'data' chunk declares " +
                                                   std::to_string(data->size) + " bytes but only " +
                                                   std::to_string(source.left()) +
                                                   " follow, not one whole frame of " +
                                                   std::to_string(format.blockAlign) + " bytes");
        result.warning = earlyEndWarning(extent.endsEarly, format.frames);
    }
    const double ratio = format.sampleRate / IrRate;
    const auto channel = decodeChannelZero(source, format, framesNeeded(format.frames, ratio));
    result.samples = resampleToIrRate(channel, format.sampleRate);
    // An empty "data" chunk, or fewer frames than one sample at 44.1 kHz.
    if (result.samples.empty())
        return refuse(WavError::NoSamples, "The WAV file holds no samples.");
    return result;
}

}  // namespace

std::vector<double> resampleToIrRate(std::span<const double> input, double sampleRate,
                                     std::size_t maxOutput) {
    const double ratio = sampleRate / IrRate;
    if (ratio == 1.0) {
        const auto count = std::min(input.size(), maxOutput);
        return {input.begin(), input.begin() + static_cast<std::ptrdiff_t>(count)};
    }
    if (input.empty() || !(ratio > 0.0)) return {};

    const double outputLength = std::floor(static_cast<double>(input.size()) / ratio);
    const auto count =
        static_cast<std::size_t>(std::min(outputLength, static_cast<double>(maxOutput)));
    std::vector<double> output(count);
    const std::size_t last = input.size() - 1;
    // Accumulated, not recomputed as j * ratio: its rounding drift is part of
    // the established conversion, and IRs converted before must not change.
    double position = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        const std::size_t i = std::min(static_cast<std::size_t>(position), last);
        // One past the data the last sample stands in, so the tail does not
        // fall towards zero.
        const double next = input[std::min(i + 1, last)];
        output[j] = (next - input[i]) * (position - static_cast<double>(i)) + input[i];
        position += ratio;
    }
    return output;
}

WavResult readWav(const std::filesystem::path& path) {
    storage::FileReader reader(path);
    if (!reader.isOpen())
        return refuse(WavError::CannotOpen, "cannot open the file " + path.string());
    FileSource source(reader);
    return decode(source);
}

WavResult parseWav(std::span<const std::uint8_t> bytes) {
    SpanSource source(bytes);
    return decode(source);
}

void loadIntoBuffer(std::span<const double> samples, IrSampleBuffer& buffer) {
    buffer.fill(0.0);
    std::copy_n(samples.begin(), std::min(samples.size(), buffer.size()), buffer.begin());
}

}  // namespace vornix::ir
