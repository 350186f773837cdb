// The editor's user IRs: factory WAVs at start-up, turning a WAV file into a
// user IR (cached, packed and uploaded), IRs received from the device and the
// IR shown for the cabinet selector.
#include "core/vornix_control.hpp"
#include "storage/file_io.hpp"

namespace vornix {

void VornixControl::initialiseCaches(const ir::FactoryWavProvider& factoryWavs) {
    if (factoryWavs) ir::extractFactoryWavs(dataFolder(), factoryWavs);
    irNames_.loadFromFolder(dataFolder());
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
    irGain_ = encoded.gain;
    storeIrSlotFile(encoded.bytes, number);
}

// Caches a finished slot file, hands it to the upload and shows its name.
void VornixControl::storeIrSlotFile(std::span<const std::uint8_t> slotFile, unsigned number) {
    ir::IrName name;
    std::copy_n(slotFile.begin() + ir::irslot::Name, name.size(), name.begin());
    ir::storeIrFile(dataFolder(), number, slotFile);
    irUpload_.load(slotFile, number, online());
    irNames_.refresh(dataFolder(), number);
    const std::string trimmed = sysex::trimDeviceName(name);
    if (userIrTarget_ != UserIrTarget::None) {
        setUserIrName(userIrTarget_ == UserIrTarget::Ir7 ? 7 : 8, trimmed);
        const unsigned row = ir::irRowOf(number);
        userIrRows_[row] = trimmed;
        link_.events().emit(&ListEvents::userIrRowChanged, static_cast<int>(row), trimmed);
    }
    if (ir::isCabinetIrNumber(number))
        link_.events().emit(&ListEvents::cabinetNameChanged,
                            static_cast<int>(number - ir::CabinetIrFirst) + 1, trimmed);
}

void VornixControl::setUserIrName(int position, const std::string& name) {
    userIrNames_[position == 7 ? 0 : 1] = name;
    link_.events().emit(&SoundEvents::irPositionNameChanged, position, name);
}

const std::string& VornixControl::userIrName(int position) const {
    return userIrNames_[position == 7 ? 0 : 1];
}

// The IMPORT of an IR position: the preset's own user IR number (p for
// position 7, 128 + p for 8) receives the WAV. The WAV is asked for first: a
// cancelled dialog, or a WAV that cannot be read (refused with its reason),
// leaves the position's number, and so the device's sound, as it was.
bool VornixControl::importUserIr(UserIrTarget position, std::optional<std::string> path,
                                 std::string& error) {
    const bool ir7 = position == UserIrTarget::Ir7;
    if (!path) {
        FileRequest request;
        request.extension = "wav";
        request.initialName = storedWavPath_;
        path = link_.platform().chooseFile(request);
    }
    if (!path || path->empty()) return false;
    storedWavPath_ = *path;
    wavImportInProgress_ = true;
    const ir::WavResult wav = readWavIntoIr(*path);
    if (wav.ok()) {
        const int number = currentPreset_ + (ir7 ? 0 : NumPresets);
        userIrTarget_ = position;
        assignUserIr(position, number);
        storeIr(ir::wavNameFromPath(*path), static_cast<unsigned>(number));
    } else {
        error = wav.message;
        link_.showMessage(wav.message);
    }
    wavImportInProgress_ = false;
    return wav.ok();
}

// An IR the device sent: cached, then shown, and the IR of position 8 asked
// for next when the current preset plays one that is not cached yet.
void VornixControl::storeReceivedIr(unsigned number, std::span<const std::uint8_t> bytes) {
    ir::storeIrFile(dataFolder(), number, bytes);
    irNames_.refresh(dataFolder(), number);
    refreshIrDisplay();
    const bool ir8Missing =
        intValue(param::Ir8Mode) != 0 && static_cast<int>(number) != ir8Slot_ &&
        !storage::FileReader(dataFolder().irFile(static_cast<unsigned>(ir8Slot_))).isOpen();
    if (ir8Missing) irDownload_.request(static_cast<unsigned>(ir8Slot_), !bankExport_.active());
    link_.events().emit(&TransferEvents::irReceived, number);
}

// Position 7 and 8 play the preset's user IRs when their mode is on.
void VornixControl::showIrSelection(int value) {
    const ir::CabinetLoader loader = [this](int cabinet, ir::IrSampleBuffer& buffer) {
        if (cabinet == 7 && intValue(param::Ir7Mode) >= 1)
            ir::loadUserIr(dataFolder(), static_cast<unsigned>(ir7Slot_), buffer);
        else if (cabinet == 8 && intValue(param::Ir8Mode) >= 1)
            ir::loadUserIr(dataFolder(), static_cast<unsigned>(ir8Slot_), buffer);
        else
            ir::loadCabinetIr(dataFolder(), cabinet, buffer);
    };
    ir::crossFadeIrSelection(value, loader, *irSamples_);
    link_.events().emit(&SoundEvents::impulseResponseChanged, *irSamples_, !BulkUpdate);
}

// Only the window shows the response; with it closed there is nothing to draw.
void VornixControl::refreshIrDisplay() {
    if (windowOpen()) showIrSelection(intValue(param::Ir));
}

}  // namespace vornix
