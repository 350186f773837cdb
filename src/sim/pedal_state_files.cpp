// The pedal's memory on disk, so that a simulator keeps its presets and IRs
// between runs:
//   presets.bin   128 records of 256 bytes, slot order
//   globals.bin   global pages 0-2 (256 bytes each), current preset, layer B
//   irs/NNN.dat   one 2,436-byte IR slot file per IR number NNN
// Each file is written through the editor's atomic file helper: under a
// temporary name of its own process and renamed over the old one, so a crash
// leaves either the old file or the new one, never half of one, and two
// programs saving into the same folder never write into one temporary file.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>

#include "sim/factory_content.hpp"
#include "sim/pedal.hpp"
#include "storage/file_io.hpp"

namespace vornix::sim {

namespace {

namespace fs = std::filesystem;

constexpr const char* PresetsFile = "presets.bin";
constexpr const char* GlobalsFile = "globals.bin";
constexpr const char* IrFolder = "irs";
constexpr std::size_t PresetsSize = NumPresets * sysex::BlockSize;
constexpr std::size_t GlobalsPagesSize = GlobalPageCount * sysex::BlockSize;
constexpr std::size_t GlobalsSize = GlobalsPagesSize + 2;  // + current preset, layer B
constexpr std::uint8_t HighBit = 0x80;

// The whole file when it has exactly the expected size; empty otherwise.
sysex::Bytes readExactly(const fs::path& path, std::size_t expected) {
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) != expected || error)
        return {};
    sysex::Bytes bytes(expected);
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(expected)))
        return {};
    return bytes;
}

bool allSevenBit(sysex::ByteSpan bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b & HighBit; });
}

std::string irFileName(unsigned number) {
    char name[16];
    std::snprintf(name, sizeof name, "%03u.dat", number);
    return name;
}

// IR number of a file name "NNN.dat", or -1.
int irNumberOfFileName(const std::string& name) {
    static const std::regex pattern("([0-9]{3})\\.dat");
    std::smatch match;
    if (!std::regex_match(name, match, pattern)) return -1;
    return std::stoi(match[1].str());
}

bool readIrFolder(const fs::path& folder, IrLibrary& into) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const int number = irNumberOfFileName(entry.path().filename().string());
        if (number < 0) continue;  // leftovers such as temporary files
        sysex::Bytes file = readExactly(entry.path(), irfile::Size);
        if (file.empty() || !into.store(static_cast<unsigned>(number), std::move(file)))
            return false;
    }
    return !error;
}

}  // namespace

bool Pedal::saveState(const fs::path& folder) const {
    try {
        std::error_code error;
        const fs::path irFolder = folder / IrFolder;
        fs::create_directories(irFolder, error);
        if (error) return false;

        sysex::Bytes presets;
        presets.reserve(PresetsSize);
        for (const PresetRecord& rec : presets_)
            presets.insert(presets.end(), rec.begin(), rec.end());
        sysex::Bytes globals;
        globals.reserve(GlobalsSize);
        for (const PageBlock& page : globals_)
            globals.insert(globals.end(), page.begin(), page.end());
        globals.push_back(static_cast<std::uint8_t>(currentPreset_));
        globals.push_back(layerB_ ? 1 : 0);
        if (!storage::writeFile(folder / PresetsFile, presets)) return false;
        if (!storage::writeFile(folder / GlobalsFile, globals)) return false;

        for (const auto& [number, file] : irs_.all())
            if (!storage::writeFile(irFolder / irFileName(number), file)) return false;
        // IRs the pedal no longer holds (after a reset) must not come back on load.
        for (const fs::directory_entry& entry : fs::directory_iterator(irFolder, error)) {
            const int number = irNumberOfFileName(entry.path().filename().string());
            if (number >= 0 && irs_.find(static_cast<unsigned>(number)) == nullptr)
                fs::remove(entry.path(), error);
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool Pedal::loadState(const fs::path& folder) {
    try {
        const sysex::Bytes presets = readExactly(folder / PresetsFile, PresetsSize);
        const sysex::Bytes globals = readExactly(folder / GlobalsFile, GlobalsSize);
        if (presets.empty() || globals.empty() || !allSevenBit(presets) || !allSevenBit(globals))
            return false;
        const std::uint8_t current = globals[GlobalsPagesSize];
        const std::uint8_t layer = globals[GlobalsPagesSize + 1];
        if (current >= NumPresets || layer > 1) return false;
        IrLibrary irs;
        if (!readIrFolder(folder / IrFolder, irs)) return false;

        // Everything read and checked: only now replace what the pedal holds.
        for (std::size_t slot = 0; slot < presets_.size(); ++slot)
            std::copy_n(presets.begin() + static_cast<std::ptrdiff_t>(slot * sysex::BlockSize),
                        sysex::BlockSize, presets_[slot].begin());
        for (std::size_t page = 0; page < globals_.size(); ++page)
            std::copy_n(globals.begin() + static_cast<std::ptrdiff_t>(page * sysex::BlockSize),
                        sysex::BlockSize, globals_[page].begin());
        currentPreset_ = current;
        layerB_ = layer == 1;
        editBuffer_ = presets_[current];
        irs_ = std::move(irs);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace vornix::sim
