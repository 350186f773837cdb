#include "storage/preset_file.hpp"

#include <algorithm>

namespace vornix::storage {

namespace {

using namespace presetfile;

constexpr std::uint8_t WrittenMajor = 1;
constexpr std::uint8_t WrittenMinor = 0;
constexpr int HighestReadableVersion = 10;  // major x 10 + minor
constexpr std::size_t NameBytes = 32;

void putName(std::vector<std::uint8_t>& out, std::size_t offset, std::string_view name) {
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), NameBytes, ' ');
    const std::size_t n = std::min(name.size(), NameBytes);
    for (std::size_t i = 0; i < n; ++i) out[offset + i] = static_cast<std::uint8_t>(name[i]);
}

bool usesOwnIr(std::span<const std::uint8_t> file, std::size_t mode, std::size_t bank) {
    return file[mode] >= 1 && file[bank] <= HighestOwnIrBank;
}

}  // namespace

std::vector<std::uint8_t> buildPresetFile(const PresetFileContent& content) {
    std::vector<std::uint8_t> out(HeaderBytes, 0);
    std::copy(OwnMagic.begin(), OwnMagic.end(), out.begin());
    out[MajorVersion] = WrittenMajor;
    out[MinorVersion] = WrittenMinor;
    putName(out, Name, content.name);
    for (std::size_t i = 0; i < content.values.size(); ++i)
        out[Params + i] = static_cast<std::uint8_t>(content.values[i] & 0xFF);
    putName(out, Ir7Name,
            out[Ir7Mode] >= 1 ? std::string_view(content.ir7Name) : std::string_view{});
    putName(out, Ir8Name,
            out[Ir8Mode] >= 1 ? std::string_view(content.ir8Name) : std::string_view{});
    for (const auto* block : {&content.ir7Block, &content.ir8Block})
        if (*block && (*block)->size() == IrBlockBytes)
            out.insert(out.end(), (*block)->begin(), (*block)->end());
    return out;
}

PresetFileCheck checkPresetFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < HeaderBytes) return PresetFileCheck::UnknownFormat;
    const std::string_view magic(reinterpret_cast<const char*>(bytes.data()), 4);
    if (magic != OwnMagic && magic != SiblingMagic) return PresetFileCheck::UnknownFormat;
    const int version = static_cast<std::int8_t>(bytes[MajorVersion]) * 10 +
                        static_cast<std::int8_t>(bytes[MinorVersion]);
    if (version > HighestReadableVersion) return PresetFileCheck::UnsupportedVersion;
    return PresetFileCheck::Ok;
}

PresetFileBlocks assignIrBlocks(std::span<const std::uint8_t> file) {
    PresetFileBlocks blocks;
    if (file.size() < HeaderBytes) return blocks;
    std::size_t next = HeaderBytes;
    auto take = [&]() -> std::optional<std::span<const std::uint8_t>> {
        if (next + IrBlockBytes > file.size()) return std::nullopt;
        const auto block = file.subspan(next, IrBlockBytes);
        next += IrBlockBytes;
        return block;
    };
    if (usesOwnIr(file, Ir7Mode, Ir7Bank)) blocks.ir7 = take();
    if (usesOwnIr(file, Ir8Mode, Ir8Bank)) blocks.ir8 = take();
    return blocks;
}

}  // namespace vornix::storage
