#include "sim/ir_memory.hpp"

#include <algorithm>

namespace vornix::sim {

namespace {

constexpr std::uint16_t LowByteMask = 0xFF;
constexpr unsigned BitsPerByte = 8;
constexpr std::uint8_t SevenBitMask = 0x7F;

void putWord(sysex::Bytes& out, std::size_t at, std::uint16_t word) {
    out[at] = static_cast<std::uint8_t>(word & LowByteMask);
    out[at + 1] = static_cast<std::uint8_t>(word >> BitsPerByte);
}

}  // namespace

bool isIrNumber(unsigned number) {
    return number < irnum::UserCount ||
           (number >= irnum::FirstCabinet && number < irnum::FirstCabinet + irnum::CabinetCount);
}

sysex::Bytes makeIrSlotFile(std::string_view name, std::span<const std::int16_t> samples) {
    sysex::Bytes file(irfile::Size, 0);
    putWord(file, irfile::FormatWordAt, irfile::FormatWord);
    putWord(file, irfile::GainWordAt, irfile::UnityGain);
    const auto padded = sysex::padName(name);
    std::copy(padded.begin(), padded.end(), file.begin() + irfile::NameAt);
    const std::size_t count = std::min(samples.size(), irfile::SampleCount);
    for (std::size_t k = 0; k < count; ++k)
        putWord(file, irfile::SamplesAt + 2 * k, static_cast<std::uint16_t>(samples[k]));
    return file;
}

const sysex::Bytes& emptyIrSlotFile() {
    static const sysex::Bytes empty = makeIrSlotFile("Empty", {});
    return empty;
}

const sysex::Bytes* IrLibrary::find(unsigned number) const {
    const auto it = files_.find(number);
    return it == files_.end() ? nullptr : &it->second;
}

bool IrLibrary::store(unsigned number, sysex::Bytes slotFile) {
    if (!isIrNumber(number) || slotFile.size() != irfile::Size) return false;
    files_[number] = std::move(slotFile);
    return true;
}

std::array<std::uint8_t, sysex::BlockSize> IrLibrary::namePage(unsigned page) const {
    std::array<std::uint8_t, sysex::BlockSize> block;
    block.fill(' ');
    const unsigned bank = page / irnum::PagesPerBank;
    const unsigned first =
        bank * irnum::NamesPerBank + irnum::NamesPerPage * (page % irnum::PagesPerBank);
    for (unsigned i = 0; i < irnum::NamesPerPage; ++i) {
        const sysex::Bytes* file = find(first + i);
        if (file == nullptr) continue;
        // The name travels in a 7-bit block; a stray high bit must not break the framing.
        for (std::size_t c = 0; c < sysex::NameBytes; ++c)
            block[i * sysex::NameBytes + c] = (*file)[irfile::NameAt + c] & SevenBitMask;
    }
    return block;
}

}  // namespace vornix::sim
