#pragma once
// The IR slot file: the form in which an IR is cached, carried inside preset
// files and packed for upload. 2436 bytes, little-endian:
//   0  word 1 (not read back)
//   2  gain word, 0x8000 = gain 1.0
//   4  32-byte name, space padded
//   36 1200 signed 16-bit samples, full scale 32768
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "device/sysex.hpp"
#include "ir/wav_reader.hpp"

namespace vornix::ir {

inline constexpr std::size_t IrSlotFileBytes = 2436;
inline constexpr std::size_t IrSlotSamples = 1200;

namespace irslot {
inline constexpr std::size_t Marker = 0;
inline constexpr std::size_t Gain = 2;
inline constexpr std::size_t Name = 4;
inline constexpr std::size_t Samples = 36;
inline constexpr std::uint16_t MarkerValue = 1;
}  // namespace irslot

using IrName = std::array<std::uint8_t, sysex::NameBytes>;
using IrSlotBytes = std::array<std::uint8_t, IrSlotFileBytes>;

struct EncodedIrSlot {
    IrSlotBytes bytes{};
    double gain = 1.0;  // the gain the file carries, at most 1.0
};

// Encodes samples 0..1199 (missing ones count as zero) under a padded name.
// The gain normalises the IR's energy; samples beyond full scale are clipped.
EncodedIrSlot encodeIrSlotFile(const IrName& name, std::span<const double> samples);

struct DecodedIrSlot {
    double gain = 1.0;
    std::array<double, IrSlotSamples> samples{};
};

// Refuses (nullopt) anything that is not exactly IrSlotFileBytes long.
std::optional<DecodedIrSlot> decodeIrSlotFile(std::span<const std::uint8_t> bytes);

// Replaces samples 0..1199 of the buffer; the rest keeps what it held.
void copyIntoBuffer(const DecodedIrSlot& slot, IrSampleBuffer& buffer);

// The name in bytes 4..35, trimmed; nullopt when the file is too short.
std::optional<std::string> irSlotFileName(std::span<const std::uint8_t> bytes);

// Reads and decodes a cached slot file; nullopt when it is missing or not
// exactly IrSlotFileBytes long.
std::optional<DecodedIrSlot> readIrSlotFile(const std::filesystem::path& path);
std::optional<std::string> readIrSlotFileName(const std::filesystem::path& path);

}  // namespace vornix::ir
