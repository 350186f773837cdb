// Single presets to and from "kvp" files, with the user IRs they use.
#include <filesystem>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "ir/ir_slot_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

namespace pf = storage::presetfile;

constexpr int IrBankSize = 128;

// The base name without its extension: the preset's name in the file.
std::string baseNameOf(const std::filesystem::path& path) {
    return path.stem().string();
}

std::optional<std::vector<std::uint8_t>> ownUserIrFile(const storage::DataFolder& folder, int mode,
                                                       int bank, int number) {
    if (mode < 1 || bank > storage::HighestOwnIrBank) return std::nullopt;
    auto bytes = storage::readFile(folder.irFile(static_cast<unsigned>(bank * IrBankSize + number)),
                                   pf::IrBlockBytes + 1);
    if (bytes.size() != pf::IrBlockBytes) return std::nullopt;
    return bytes;
}

}  // namespace

// ---- export ------------------------------------------------------------------------

bool VornixControl::exportPresetFile(const std::filesystem::path& path) {
    storage::PresetFileContent content;
    content.name = baseNameOf(path);
    for (int i = 0; i < NumPresetParams; ++i)
        content.values[static_cast<std::size_t>(i)] = intValue(i);
    content.ir7Name = view_ ? view_->text(tag::Ir7Name) : userIr7Name;
    content.ir8Name = view_ ? view_->text(tag::Ir8Name) : userIr8Name;
    content.ir7Block = ownUserIrFile(dataFolder_, intValue(param::Ir7Mode),
                                     intValue(param::Ir7SlotHigh), intValue(param::Ir7SlotLow));
    content.ir8Block = ownUserIrFile(dataFolder_, intValue(param::Ir8Mode),
                                     intValue(param::Ir8SlotHigh), intValue(param::Ir8SlotLow));
    // The preset counts as saved only once the file is really there.
    if (!storage::writeFile(path, storage::buildPresetFile(content),
                            storage::Durability::Durable)) {
        showMessage("Could not write the preset file " + path.string());
        return false;
    }
    presetName = baseNameOf(path);
    if (view_) view_->setText(tag::PresetName, presetName);
    ModifiedFlag = false;
    return true;
}

void VornixControl::chooseAndExportPreset() {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.extension = "kvp";
    const std::string name = view_ ? view_->text(tag::PresetName) : currentPresetName();
    request.initialName =
        storedPresetPath.empty()
            ? name
            : (std::filesystem::path(storedPresetPath).parent_path() / name).string();
    if (const auto path = platform_.chooseFile(request); path && !path->empty()) {
        storedPresetPath = *path;
        exportPresetFile(*path);
    }
}

// ---- import ------------------------------------------------------------------------

void VornixControl::chooseAndImportPreset() {
    FileRequest request;
    request.extension = "kvp";
    request.initialName = storedPresetPath;
    if (const auto path = platform_.chooseFile(request); path && !path->empty()) {
        storedPresetPath = *path;
        importPresetFile(*path);
    }
}

void VornixControl::importPresetFile(const std::filesystem::path& path) {
    storage::FileReader reader(path);
    if (!reader.isOpen() || reader.size() >= pf::MaxFileBytes) return;
    std::vector<std::uint8_t> file(static_cast<std::size_t>(reader.size()));
    file.resize(reader.read(file.data(), file.size()));
    switch (storage::checkPresetFile(file)) {
        case storage::PresetFileCheck::UnknownFormat:
            showMessageLater("Unknown file format.");
            return;
        case storage::PresetFileCheck::UnsupportedVersion:
            showMessage(
                "Unsupported file version. \nPlease update the Vornix Editor \nto the latest "
                "version.");
            return;
        case storage::PresetFileCheck::Ok:
            break;
    }
    auto overwriteQuestion = [this, file = std::move(file)](Answer answer) mutable {
        if (answer != Answer::Ok) return;
        const bool replacesIr = (intValue(param::Ir7Mode) >= 1 && file[pf::Ir7Mode] > 0) ||
                                (intValue(param::Ir8Mode) >= 1 && file[pf::Ir8Mode] > 0);
        if (!replacesIr) {
            applyPresetFile(std::move(file));
            return;
        }
        platform_.messageBox(
            "This operation will overwrite the currently selected User IR. \nContinue without "
            "saving?",
            "", Buttons::OkCancel, [this, file = std::move(file)](Answer again) mutable {
                if (again == Answer::Ok) applyPresetFile(std::move(file));
            });
    };
    if (ModifiedFlag)
        platform_.messageBox("Current Preset not saved. \nContinue without saving?", "",
                             Buttons::OkCancel, std::move(overwriteQuestion));
    else
        overwriteQuestion(Answer::Ok);
}

void VornixControl::applyPresetFile(std::vector<std::uint8_t> file) {
    const storage::PresetFileBlocks blocks = storage::assignIrBlocks(file);
    // The preset's own user IR numbers: p for position 7 and 128 + p for 8.
    const int p = link_.currentPreset;
    if (file[pf::Ir7Bank] < 2) {
        file[pf::Ir7Bank] = 0;
        file[pf::Ir7Number] = static_cast<std::uint8_t>(p);
    }
    if (file[pf::Ir8Bank] < 2) {
        file[pf::Ir8Bank] = 1;
        file[pf::Ir8Number] = static_cast<std::uint8_t>(p);
    }
    for (int i = 0; i < NumPresetParams; ++i) {
        const int v = static_cast<std::int8_t>(file[pf::Params + static_cast<std::size_t>(i)]);
        const iplug::IParam& param = parameter(i);
        BulkUpdate = true;
        EditValues[static_cast<std::size_t>(i)] = v;
        setParameterFromDevice(i, (v - param.minimum()) / (param.maximum() - param.minimum()));
        BulkUpdate = false;
    }
    ModifiedFlag = true;
    const std::string name =
        sysex::trimDeviceName(std::span(file).subspan(pf::Name, sysex::NameBytes));
    presetName = name;
    if (view_) {
        view_->setReadoutDimmed(true);
        view_->setText(tag::PresetName, name);
    }
    if (file[pf::Ir7Mode] > 0) {
        userIr7Name = sysex::trimDeviceName(std::span(file).subspan(pf::Ir7Name, sysex::NameBytes));
        if (view_) view_->setText(tag::Ir7Name, userIr7Name);
    }
    if (file[pf::Ir8Mode] > 0) {
        userIr8Name = sysex::trimDeviceName(std::span(file).subspan(pf::Ir8Name, sysex::NameBytes));
        if (view_) view_->setText(tag::Ir8Name, userIr8Name);
    }
    storeImportedIrs(blocks);
}

// Uploads go one at a time: the device's "stored" for the IR of position 7
// starts the one of position 8, and the last one sends the preset.
void VornixControl::storeImportedIrs(const storage::PresetFileBlocks& blocks) {
    pendingSecondIr_.clear();
    if (!blocks.ir7 && !blocks.ir8) {
        if (link_.online) sendPreset();
        return;
    }
    if (blocks.ir7) {
        irImportPending7 = true;
        irImportPending8 = blocks.ir8.has_value();
        if (blocks.ir8) pendingSecondIr_.assign(blocks.ir8->begin(), blocks.ir8->end());
        storeIrBlock(*blocks.ir7, static_cast<unsigned>(intValue(param::Ir7SlotLow)));
        // Offline, no acknowledgement will come: the second IR is cached at once.
        if (!link_.online && irImportPending8) importSecondIr();
    } else {
        irImportPending8 = true;
        storeIrBlock(*blocks.ir8, static_cast<unsigned>(IrBankSize * intValue(param::Ir8SlotHigh) +
                                                        intValue(param::Ir8SlotLow)));
    }
    // Offline the chain ends with the cached files. Flags left set would take
    // the acknowledgement of some later upload for this import's.
    if (!link_.online) irImportPending7 = irImportPending8 = false;
}

void VornixControl::storeIrBlock(std::span<const std::uint8_t> block, unsigned number) {
    const auto decoded = ir::decodeIrSlotFile(block);
    if (!decoded) return;
    irGain = decoded->gain;
    ir::copyIntoBuffer(*decoded, *irSamples_);
    libraryIndex = static_cast<int>(number);
    // The block is a slot file already: stored as it is, not encoded again
    // (which would recompute its gain word).
    storeIrSlotFile(block, number);
}

void VornixControl::importSecondIr() {
    if (pendingSecondIr_.empty()) return;
    const std::vector<std::uint8_t> block = std::move(pendingSecondIr_);
    pendingSecondIr_.clear();
    storeIrBlock(block, static_cast<unsigned>(IrBankSize * intValue(param::Ir8SlotHigh) +
                                              intValue(param::Ir8SlotLow)));
}

// The device stored an uploaded IR (0x61).
void VornixControl::continueAfterIrStored() {
    if (irImportPending7) {
        irImportPending7 = false;
        if (irImportPending8) {
            importSecondIr();
            return;
        }
    } else if (irImportPending8) {
        irImportPending8 = false;
    } else {
        refreshIrDisplay();
        return;
    }
    refreshIrDisplay();
    sendPreset();
}

}  // namespace vornix
