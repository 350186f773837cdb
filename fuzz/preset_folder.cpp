// The preset cache folder as a crash, a full disk or another program could
// leave it: stray names, short and oversized slot files, folders where files
// belong. The input describes up to eight entries, each a name byte, a
// two-byte length (little-endian, cut to what the input holds) and the
// contents. Name bytes below 0x80 are the slot files "001.dat".."128.dat";
// the others pick one of the stray names below.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "scratch_folder.hpp"
#include "storage/preset_slot_files.hpp"

namespace {

struct Stray {
    const char* name;
    bool folder;
};
constexpr std::array<Stray, 8> Strays{{
    {"000.dat", false},
    {"129.dat", false},
    {".dat", false},
    {"001.DAT", false},
    {"notes.txt", false},
    {"001.dat.tmp", false},
    {"002.dat", true},
    {"001.dat", true},
}};
constexpr std::size_t MaxEntries = 8;
constexpr std::size_t EntryHeaderBytes = 3;

void writeEntry(const std::filesystem::path& folder, std::uint8_t nameByte,
                std::span<const std::uint8_t> contents) {
    std::filesystem::path path;
    if (nameByte < 0x80) {
        path = folder / vornix::storage::DataFolder::slotFileName(nameByte + 1);
    } else {
        const Stray& stray = Strays[nameByte % Strays.size()];
        path = folder / stray.name;
        if (stray.folder) {
            std::error_code ignored;
            std::filesystem::create_directory(path, ignored);
            return;
        }
    }
    // A name already made a folder stays one.
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(contents.data(), 1, contents.size(), file);
        std::fclose(file);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vornix::storage::DataFolder dataFolder(vornix::fuzz::scratchFolder("preset-folder"));
    const auto presets = dataFolder.presetsFolder();
    std::filesystem::create_directory(presets);
    vornix::fuzz::emptyFolder(presets);

    const std::span<const std::uint8_t> input(data, size);
    std::size_t at = 0;
    for (std::size_t n = 0; n < MaxEntries && at + EntryHeaderBytes <= size; ++n) {
        const std::uint8_t nameByte = input[at];
        const std::size_t length =
            std::min<std::size_t>(input[at + 1] | (input[at + 2] << 8), size - at - 3);
        writeEntry(presets, nameByte, input.subspan(at + EntryHeaderBytes, length));
        at += EntryHeaderBytes + length;
    }

    for (const auto& slot : vornix::storage::readPresetSlots(dataFolder))
        if (slot.name.size() > vornix::sysex::NameBytes) __builtin_trap();
    const auto listing = vornix::storage::listPresetFolder(dataFolder);
    if (listing.rows.size() > static_cast<std::size_t>(vornix::NumPresets) ||
        listing.cacheFiles < static_cast<int>(listing.rows.size()))
        __builtin_trap();
    for (std::size_t row = 0; row < listing.rows.size(); ++row)
        if (listing.rows[row].row != static_cast<int>(row) ||
            listing.rows[row].name.size() > vornix::sysex::NameBytes)
            __builtin_trap();
    return 0;
}
