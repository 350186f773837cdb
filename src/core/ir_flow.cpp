// The editor's IR library: factory WAVs at start-up, turning a WAV file into
// a user IR (cached, packed and uploaded), IRs received from the device and
// the IR shown for the cabinet selector.
#include <cmath>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "ir/ir_library.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

constexpr int IrPageBlock = 4;
constexpr unsigned UserIrRows = 32;
constexpr int SevenBits = 0x7F;

}  // namespace

void VornixControl::initialiseCaches(const ir::FactoryWavProvider& factoryWavs) {
    if (factoryWavs) ir::extractFactoryWavs(dataFolder_, factoryWavs);
    irNames.loadFromFolder(dataFolder_);
    refreshPresetListFromFiles();
    loadPresetSlots();
}

ir::WavResult VornixControl::readWavIntoIr(const std::filesystem::path& path) {
    ir::WavResult wav = ir::readWav(path);
    if (wav.ok()) ir::loadIntoBuffer(wav.samples, *irSamples_);
    return wav;
}

void VornixControl::storeIr(const ir::IrName& name, unsigned number) {
    const ir::EncodedIrSlot encoded = ir::encodeIrSlotFile(name, *irSamples_);
    irGain = encoded.gain;
    storeIrSlotFile(encoded.bytes, number);
}

// Caches a finished slot file, hands it to the upload and shows its name.
void VornixControl::storeIrSlotFile(std::span<const std::uint8_t> slotFile, unsigned number) {
    ir::IrName name;
    std::copy_n(slotFile.begin() + ir::irslot::Name, name.size(), name.begin());
    ir::storeIrFile(dataFolder_, number, slotFile);
    transfer.load(slotFile);
    if (link_.online) link_.irUploadReady = true;
    irNames.refresh(dataFolder_, number);
    const std::string trimmed = sysex::trimDeviceName(name);
    if (link_.userIrTarget != UserIrTarget::None) {
        const bool ir7 = link_.userIrTarget == UserIrTarget::Ir7;
        (ir7 ? userIr7Name : userIr8Name) = trimmed;
        if (view_) {
            view_->setText(ir7 ? tag::Ir7Name : tag::Ir8Name, trimmed);
            view_->setUserIrRow(static_cast<int>(number % UserIrRows), trimmed);
        }
    }
    if (ir::isCabinetIrNumber(number) && view_)
        view_->setCabinetLabel(static_cast<int>(number & SevenBits) + 1, trimmed);
}

// The IMPORT of an IR position: the preset's own user IR number (p for
// position 7, 128 + p for 8) receives the WAV. A WAV that cannot be read is
// refused with its reason; nothing is stored or uploaded.
bool VornixControl::importUserIr(UserIrTarget position, std::optional<std::string> path,
                                 std::string& error) {
    const bool ir7 = position == UserIrTarget::Ir7;
    wavImportInProgress = true;
    link_.userIrTarget = position;
    const int number = link_.currentPreset + (ir7 ? 0 : NumPresets);
    libraryIndex = number;
    assignUserIr(position, number);
    if (!path) {
        FileRequest request;
        request.extension = "wav";
        request.initialName = storedWavPath;
        path = platform_.chooseFile(request);
    }
    bool stored = false;
    if (path && !path->empty()) {
        storedWavPath = *path;
        const ir::WavResult wav = readWavIntoIr(*path);
        if (wav.ok()) {
            storeIr(ir::wavNameFromPath(*path), static_cast<unsigned>(libraryIndex));
            stored = true;
        } else {
            error = wav.message;
            showMessage(wav.message);
        }
    }
    wavImportInProgress = false;
    return stored;
}

void VornixControl::storeReceivedIr(unsigned number, std::span<const std::uint8_t> bytes) {
    ir::storeIrFile(dataFolder_, number, bytes);
    irNames.refresh(dataFolder_, number);
}

// Position 7 and 8 play the preset's user IRs when their mode is on.
void VornixControl::showIrSelection(int value) {
    const ir::CabinetLoader loader = [this](int cabinet, ir::IrSampleBuffer& buffer) {
        if (cabinet == 7 && intValue(param::Ir7Mode) >= 1)
            ir::loadUserIr(dataFolder_, static_cast<unsigned>(link_.ir7Slot), buffer);
        else if (cabinet == 8 && intValue(param::Ir8Mode) >= 1)
            ir::loadUserIr(dataFolder_, static_cast<unsigned>(link_.ir8Slot), buffer);
        else
            ir::loadCabinetIr(dataFolder_, cabinet, buffer);
    };
    ir::crossFadeIrSelection(value, loader, *irSamples_);
    if (!view_) return;
    if (view_->currentBlock() != IrPageBlock && !BulkUpdate) view_->selectBlock(IrPageBlock);
    view_->showImpulseResponse(*irSamples_);
}

// Only the window shows the response; with it closed there is nothing to draw.
void VornixControl::refreshIrDisplay() {
    if (view_) showIrSelection(intValue(param::Ir));
}

const std::string& VornixControl::cabinetName(int entry) const {
    return irNames.cabinetName(entry);
}

}  // namespace vornix
