#include "ir/ir_slot_file.hpp"

#include <algorithm>
#include <cmath>

#include "storage/file_io.hpp"

namespace vornix::ir {
namespace {

constexpr double FullScale = 32768.0;
constexpr double WordMin = -32768.0;
constexpr double WordMax = 32767.0;
constexpr double MaxGain = 1.0;
// Leaves headroom above the normalised level: gain = 1.2 / (sqrt(E) * sqrt 2).
constexpr double GainHeadroom = 1.2;

void putWord(IrSlotBytes& bytes, std::size_t offset, std::uint16_t word) {
    bytes[offset] = static_cast<std::uint8_t>(word & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// A sample at or beyond full scale (8-bit and float WAVs reach it) is clipped:
// keeping only the low 16 bits would flip +1.0 into -1.0.
std::uint16_t sampleWord(double sample) {
    if (!std::isfinite(sample)) sample = 0.0;
    const double word = std::clamp(std::trunc(sample * FullScale), WordMin, WordMax);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(word));
}

double gainFor(std::span<const double> samples) {
    double energy = 0.0;
    for (double s : samples)
        if (std::isfinite(s)) energy += s * s;
    const double gain = 1.0 / (std::sqrt(energy) * std::sqrt(2.0)) * GainHeadroom;
    // Silence gives infinity; both it and anything above 1.0 mean "no boost".
    return gain > MaxGain || !std::isfinite(gain) ? MaxGain : gain;
}

}  // namespace

EncodedIrSlot encodeIrSlotFile(const IrName& name, std::span<const double> samples) {
    const auto used = samples.first(std::min(samples.size(), IrSlotSamples));
    EncodedIrSlot out;
    out.gain = gainFor(used);
    putWord(out.bytes, irslot::Marker, irslot::MarkerValue);
    // The device reads the gain word unsigned, so 1.0 travels as 0x8000.
    putWord(out.bytes, irslot::Gain, static_cast<std::uint16_t>(std::trunc(out.gain * FullScale)));
    std::copy(name.begin(), name.end(), out.bytes.begin() + irslot::Name);
    for (std::size_t k = 0; k < used.size(); ++k)
        putWord(out.bytes, irslot::Samples + 2 * k, sampleWord(used[k]));
    return out;
}

std::optional<DecodedIrSlot> decodeIrSlotFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != IrSlotFileBytes) return std::nullopt;
    DecodedIrSlot out;
    out.gain = wordAt(bytes, irslot::Gain) / FullScale;
    for (std::size_t k = 0; k < IrSlotSamples; ++k)
        out.samples[k] =
            static_cast<std::int16_t>(wordAt(bytes, irslot::Samples + 2 * k)) / FullScale;
    return out;
}

void copyIntoBuffer(const DecodedIrSlot& slot, IrSampleBuffer& buffer) {
    std::copy(slot.samples.begin(), slot.samples.end(), buffer.begin());
}

std::optional<std::string> irSlotFileName(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < irslot::Name + sysex::NameBytes) return std::nullopt;
    return sysex::trimDeviceName(bytes.subspan(irslot::Name, sysex::NameBytes));
}

std::optional<DecodedIrSlot> readIrSlotFile(const std::filesystem::path& path) {
    // One byte more than the format so that a longer file is told apart.
    return decodeIrSlotFile(storage::readFile(path, IrSlotFileBytes + 1));
}

std::optional<std::string> readIrSlotFileName(const std::filesystem::path& path) {
    const auto bytes = storage::readFile(path, IrSlotFileBytes + 1);
    if (bytes.size() != IrSlotFileBytes) return std::nullopt;
    return irSlotFileName(bytes);
}

}  // namespace vornix::ir
