#pragma once
// The pedal's impulse response memory: user IRs 0-287 (eight custom banks of 32
// and the factory bank) and the eight cabinet IRs 384-391, each held as the
// 2,436-byte slot file the editor uploads and downloads.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string_view>

#include "device/sysex.hpp"

namespace vornix::sim {

namespace irfile {
inline constexpr std::size_t Size = 2436;
inline constexpr std::size_t FormatWordAt = 0;
inline constexpr std::size_t GainWordAt = 2;
inline constexpr std::size_t NameAt = 4;
inline constexpr std::size_t SamplesAt = 36;
inline constexpr std::size_t SampleCount = 1200;
inline constexpr std::uint16_t FormatWord = 1;
inline constexpr std::uint16_t UnityGain = 0x8000;
}  // namespace irfile

namespace irnum {
inline constexpr unsigned UserCount = 288;  // custom banks 0-7 and the factory bank
inline constexpr unsigned FirstCabinet = 384;
inline constexpr unsigned CabinetCount = 8;
inline constexpr unsigned NamesPerBank = 32;
inline constexpr unsigned NamesPerPage = 8;
inline constexpr unsigned PagesPerBank = NamesPerBank / NamesPerPage;
inline constexpr unsigned NamePageCount = UserCount / NamesPerPage;
}  // namespace irnum

// True for the numbers the pedal has room for.
bool isIrNumber(unsigned number);

// A slot file with the format word, unity gain, the space-padded name and the
// given samples (fewer than 1200 are followed by silence).
sysex::Bytes makeIrSlotFile(std::string_view name, std::span<const std::int16_t> samples);
// The silent "Empty" IR the pedal sends for a number it holds nothing under.
const sysex::Bytes& emptyIrSlotFile();

class IrLibrary {
  public:
    const sysex::Bytes* find(unsigned number) const;
    // False (nothing stored) for an unknown number or a file of the wrong size.
    bool store(unsigned number, sysex::Bytes slotFile);
    void clear() { files_.clear(); }
    const std::map<unsigned, sysex::Bytes>& all() const { return files_; }

    // The 256-byte block of name page p: eight 32-byte names of bank p/4 from
    // position 8*(p AND 3), 32 spaces for an empty slot.
    std::array<std::uint8_t, sysex::BlockSize> namePage(unsigned page) const;

  private:
    std::map<unsigned, sysex::Bytes> files_;
};

}  // namespace vornix::sim
