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

namespace {

constexpr std::uint8_t FirstPrintable = ' ';
constexpr std::uint8_t LastPrintable = '~';

// "byte 195 at position 5 of the preset name", counted from 1 as a user would.
std::string unprintableByteIn(std::span<const std::uint8_t> name, std::string_view what) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] < FirstPrintable || name[i] > LastPrintable)
            return "byte " + std::to_string(name[i]) + " at position " + std::to_string(i + 1) +
                   " of " + std::string(what) + " is not a printable character";
    return {};
}

}  // namespace

std::string unprintableNameIn(std::span<const std::uint8_t> file) {
    struct Field {
        std::span<const std::uint8_t> name;
        const char* what;
    };
    std::vector<Field> fields{{file.subspan(Name, NameBytes), "the preset name"}};
    if (file[Ir7Mode] >= 1) fields.push_back({file.subspan(Ir7Name, NameBytes), "the IR 7 name"});
    if (file[Ir8Mode] >= 1) fields.push_back({file.subspan(Ir8Name, NameBytes), "the IR 8 name"});
    // Only the blocks the import stores: their names become the IRs' names.
    const PresetFileBlocks blocks = assignIrBlocks(file);
    if (blocks.ir7)
        fields.push_back({blocks.ir7->subspan(IrBlockName, NameBytes), "the IR 7 block"});
    if (blocks.ir8)
        fields.push_back({blocks.ir8->subspan(IrBlockName, NameBytes), "the IR 8 block"});
    for (const Field& field : fields)
        if (std::string reason = unprintableByteIn(field.name, field.what); !reason.empty())
            return reason;
    return {};
}

PresetFileBlocks assignIrBlocks(std::span<const std::uint8_t> file) {
    PresetFileBlocks blocks;
    if (file.size() < HeaderBytes) return blocks;
    std::size_t next = HeaderBytes;
    int taken = 0;
    auto take = [&]() -> std::optional<std::span<const std::uint8_t>> {
        ++taken;
        if (next + IrBlockBytes > file.size()) {
            if (next < file.size() && !blocks.cut) blocks.cut = taken;
            return std::nullopt;
        }
        const auto block = file.subspan(next, IrBlockBytes);
        next += IrBlockBytes;
        return block;
    };
    if (usesOwnIr(file, Ir7Mode, Ir7Bank)) blocks.ir7 = take();
    if (usesOwnIr(file, Ir8Mode, Ir8Bank)) blocks.ir8 = take();
    return blocks;
}

}  // namespace vornix::storage
