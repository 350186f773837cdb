// Single presets to and from "kvp" files, with the user IRs they use. The
// import's steps are in preset_file_import.cpp; here is what they do to the
// current sound.
#include <filesystem>

#include "core/vornix_control.hpp"
#include "ir/ir_slot_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

namespace pf = storage::presetfile;

// The base name without its extension: the preset's name in the file, in
// the characters a preset name may hold (the import refuses any other).
std::string baseNameOf(const std::filesystem::path& path) {
    return sysex::printableName(path.stem().string());
}

// The slot file of a position's user IR when it is one of the presets' own
// (files never carry the device's factory library).
std::optional<std::vector<std::uint8_t>> ownUserIrFile(const storage::DataFolder& folder, int mode,
                                                       int bank, int number) {
    if (mode < 1 || bank > storage::HighestOwnIrBank) return std::nullopt;
    auto bytes = storage::readFile(
        folder.irFile(sysex::join14(static_cast<unsigned>(bank), static_cast<unsigned>(number))),
        pf::IrBlockBytes + 1);
    if (bytes.size() != pf::IrBlockBytes) return std::nullopt;
    return bytes;
}

std::string trimmedName(std::span<const std::uint8_t> file, std::size_t at) {
    return sysex::trimDeviceName(file.subspan(at, sysex::NameBytes));
}

}  // namespace

// ---- export ------------------------------------------------------------------------

Result VornixControl::exportPresetFile(const std::filesystem::path& path) {
    storage::PresetFileContent content;
    content.name = baseNameOf(path);
    for (int i = 0; i < NumPresetParams; ++i)
        content.values[static_cast<std::size_t>(i)] = intValue(i);
    content.ir7Name = userIrNames_[0];
    content.ir8Name = userIrNames_[1];
    content.ir7Block = ownUserIrFile(cache_.folder(), intValue(param::Ir7Mode),
                                     intValue(param::Ir7SlotHigh), intValue(param::Ir7SlotLow));
    content.ir8Block = ownUserIrFile(cache_.folder(), intValue(param::Ir8Mode),
                                     intValue(param::Ir8SlotHigh), intValue(param::Ir8SlotLow));
    // The preset counts as saved only once the file is really there.
    if (!storage::writeFile(path, storage::buildPresetFile(content),
                            storage::Durability::Durable)) {
        const std::string why = "Could not write the preset file " + path.string();
        link_.showMessage(why);
        return Result::failed(why);
    }
    renamePreset(baseNameOf(path));
    setModified(false);
    return Result::done();
}

void VornixControl::chooseAndExportPreset() {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.extension = "kvp";
    request.initialName =
        storedPresetPath_.empty()
            ? sound_.presetName
            : (std::filesystem::path(storedPresetPath_).parent_path() / sound_.presetName).string();
    if (const auto path = link_.platform().chooseFile(request); path && !path->empty()) {
        storedPresetPath_ = *path;
        exportPresetFile(*path);
    }
}

// ---- import ------------------------------------------------------------------------

void VornixControl::chooseAndImportPreset() {
    FileRequest request;
    request.extension = "kvp";
    request.initialName = storedPresetPath_;
    if (const auto path = link_.platform().chooseFile(request); path && !path->empty()) {
        storedPresetPath_ = *path;
        importPresetFile(*path);
    }
}

void VornixControl::applyPresetFileValues(std::span<const std::uint8_t> file) {
    for (int i = 0; i < NumPresetParams; ++i) {
        // The file's bytes are signed values; the check before the import
        // refused any above 127, so each is its own value.
        const int v = file[pf::Params + static_cast<std::size_t>(i)];
        const iplug::IParam& p = *param(i);
        sound_.BulkUpdate = true;
        sound_.EditValues[static_cast<std::size_t>(i)] = v;
        setParameterFromDevice(i, (v - p.minimum()) / (p.maximum() - p.minimum()));
        sound_.BulkUpdate = false;
    }
    setModified(true);
    soundFromPresetFile_ = true;
    renamePreset(trimmedName(file, pf::Name));
    if (file[pf::Ir7Mode] > 0) setUserIrName(7, trimmedName(file, pf::Ir7Name));
    if (file[pf::Ir8Mode] > 0) setUserIrName(8, trimmedName(file, pf::Ir8Name));
}

void VornixControl::playPresetFile(std::span<const std::uint8_t> file, bool modified) {
    applyPresetFileValues(file);
    setModified(modified);
    if (connection_.online()) sendPreset();
}

void VornixControl::storeIrBlock(std::span<const std::uint8_t> block, unsigned number) {
    const auto decoded = ir::decodeIrSlotFile(block);
    if (!decoded) return;
    irGain_ = decoded->gain;
    ir::copyIntoBuffer(*decoded, *irSamples_);
    // The block is a slot file already: stored as it is, not encoded again
    // (which would recompute its gain word).
    storeIrSlotFile(block, number);
}

}  // namespace vornix
